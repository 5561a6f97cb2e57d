# The page in a headless Chromium of its own, served on the loopback address
# by a server the session starts and ends (tools/page_server.py), driven through the
# DevTools protocol: mouse events through the browser's own input path, grabs
# of what the page shows, and at scale 2 the device pixel ratio of a high-density
# screen. The desktop is the one Qt draws on a canvas the size of the page,
# with the frame Qt puts round the window; a session's pixels are the page's
# device pixels.
import base64, io, json, os, re, subprocess, time, types, urllib.request

from PIL import Image, ImageChops
from session import Session, expect, icon_shown, wait_for


class ChromiumSession(Session, desktop="chromium"):
    BORDER, TITLE = 4, 18  # Qt's frame, in the page's pixels: a border on each side, a title bar below the top one
    CLOSE_BOX = 14, 13  # the close box's middle, from the frame's top-right corner

    def __init__(self, scale):
        super().__init__(scale)
        self.buttons, self.pointer, self.last_press = 0, (0, 0), (None, None, 0)  # when, where, how many
        self.double_click_time = 0.5  # the system's, by which the browser counts clicks
        self.profile = os.path.join(self.home.name, "chromium")
        sandbox = ["--no-sandbox"] if os.geteuid() == 0 else []  # Chromium runs no sandbox as root
        self.start("chromium", "--headless=new", *sandbox, "--user-data-dir=" + self.profile,
                   "--remote-debugging-port=0", "--remote-debugging-address=127.0.0.1", "--window-size=%d,%d" % self.SCREEN,
                   "--use-gl=angle", "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--hide-scrollbars",
                   "--no-first-run", "--no-default-browser-check", "--disable-background-networking",
                   "--disable-component-update", "--disable-sync", "about:blank", stdout=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        port = wait_for("Chromium's DevTools port", lambda: open(port_file).readline().strip())
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list") as answer:
            target = next(t for t in json.load(answer) if t["type"] == "page")
        import websocket  # only the browser's runs need it
        self.socket = websocket.create_connection(target["webSocketDebuggerUrl"], timeout=60, suppress_origin=True)
        self.sent, self.events = 0, []
        for domain in ("Page", "Runtime", "Log", "Network"):
            self.tools(domain + ".enable")
        width, height = (round(n / scale) for n in self.SCREEN)
        self.tools("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale, mobile=False)

    def tools(self, method, **params):
        # A DevTools command, answered in turn; the events that came meanwhile are kept.
        self.sent += 1
        self.socket.send(json.dumps({"id": self.sent, "method": method, "params": params}))
        while (message := json.loads(self.socket.recv())).get("id") != self.sent:
            self.events.append(message)
        expect("error" not in message, f"{method}: {message.get('error')}")
        return message["result"]

    def evaluate(self, expression):
        result = self.tools("Runtime.evaluate", expression=expression, awaitPromise=True, returnByValue=True)
        expect("exceptionDetails" not in result, f"{expression}: {result.get('exceptionDetails')}")
        return result["result"].get("value")

    def launch(self, page):
        # The folder of the page, served as any static web host would; a later launch is the learner's next
        # visit, from a page of their own browser's (about:blank), to whatever the server has then, if anything.
        if not hasattr(self, "server"):
            server = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "page_server.py")
            self.server = self.start("python3", server, os.path.dirname(page))
            self.origin = "http://127.0.0.1:%s/" % re.search(r"port (\d+)", self.server.stdout.readline())[1]
            self.without_program(self.origin + os.path.basename(page))
        self.tools("Page.navigate", url="about:blank")
        self.tools("Page.navigate", url=self.origin + os.path.basename(page))
        # The program in the page, as a process is elsewhere: it has ended when the page says so, with status 0
        # where the page says the exercise ended (programEnded), 1 where it says the program failed (onAbort).
        said = "['ended', 'failed'].find(id => !document.getElementById(id).hidden)"
        return types.SimpleNamespace(wait=lambda timeout: ["ended", "failed"].index(
            wait_for("the page's end", lambda: self.evaluate(said), timeout)))

    def cut_network(self):
        self.server.kill()
        self.server.wait()

    def without_program(self, address):
        # A page whose program cannot be fetched says so, instead of loading for ever.
        self.tools("Fetch.enable", patterns=[{"urlPattern": "*.wasm?*"}])
        self.tools("Page.navigate", url=address)
        asked = wait_for("the program's request", lambda: self.evaluate("1") and next(
            (e["params"] for e in self.events if e["method"] == "Fetch.requestPaused"), None))
        self.tools("Fetch.fulfillRequest", requestId=asked["requestId"], responseCode=404)
        wait_for("the page's word that the program failed", lambda: self.evaluate(
            "!document.getElementById('failed').hidden && document.getElementById('loading').hidden"))
        # The page's note of the failure is no misuse; it may come after the page's word.
        wait_for("the page's note of the failure", lambda: self.evaluate("1") and any(
            e["method"] == "Runtime.consoleAPICalled" for e in self.events))
        self.tools("Fetch.disable")
        self.events.clear()

    def find_window(self, title, seconds=60):
        wait_for(f"a window in the page titled {title}", lambda: self.evaluate("document.title") == title
                 and self.frame(), seconds)
        return "canvas"

    def frame(self):
        # The window's frame: all that is not Qt's desktop, the colour of the page's corner, in device pixels.
        return ImageChops.difference(shot := self.shot(), Image.new("RGB", shot.size, shot.getpixel((0, 0)))).getbbox()

    def client_geometry(self, window):
        left, top, right, bottom = wait_for("the window's frame", self.frame)
        side, above = self.BORDER * self.scale, (2 * self.BORDER + self.TITLE) * self.scale
        return [round(left + side), round(top + above), round(right - left - 2 * side), round(bottom - top - above - side)]

    def check_frame(self, window):
        # Centred, with Qt's title bar; the run ends the program with the close box at its right end.
        # A right-click on the title bar opens no menu of the browser's, whose Back or Reload would lose the exercise.
        left, top, right, bottom = self.frame()
        self.expect_centred(left, top, right - left, bottom - top, within=3 * self.scale)
        self.evaluate("addEventListener('contextmenu', e => window.menuShown = !e.defaultPrevented, {once: true})")
        self.pointer = (left + right) // 2, top + self.BORDER * self.scale
        for kind in ("mousePressed", "mouseReleased"):
            self.mouse(kind, button="right", clickCount=1)
        expect(self.evaluate("window.menuShown") is False, "a right-click opens the browser's own menu")
        return round(right - self.CLOSE_BOX[0] * self.scale), round(top + self.CLOSE_BOX[1] * self.scale)

    def move(self, x, y):
        self.pointer = x, y
        self.mouse("mouseMoved", button="left" if self.buttons else "none")

    def down(self):
        # The browser counts clicks as the system would: a second press within its time, on the same spot, doubles it.
        now, (when, where, count) = time.monotonic(), self.last_press
        again = where == self.pointer and now - when < self.double_click_time
        self.last_press, self.buttons = (now, self.pointer, count + 1 if again else 1), 1
        self.mouse("mousePressed", button="left", clickCount=self.last_press[2])

    def up(self):
        self.buttons = 0
        self.mouse("mouseReleased", button="left", clickCount=self.last_press[2])

    def mouse(self, kind, **details):
        self.tools("Input.dispatchMouseEvent", type=kind, x=self.pointer[0] / self.scale, y=self.pointer[1] / self.scale,
                   buttons=self.buttons, **details)

    def status_lines(self):
        # What a screen reader reads of the page in the browser's accessibility tree: the canvas by its name, and
        # the lines of the page's live region, {what each says: what it is for}.
        nodes = {n["nodeId"]: n for n in self.tools("Accessibility.getFullAXTree")["nodes"] if not n.get("ignored")}
        say = lambda node, key="name": node.get(key, {}).get("value", "")
        expect(any(say(n, "role") == "Canvas" and say(n) == "Pokaz" for n in nodes.values()), "the canvas unnamed")
        lines = [nodes[i] for n in nodes.values() if say(n, "role") == "status" for i in n["childIds"] if i in nodes]
        return {"".join(say(nodes.get(i, {})) for i in line["childIds"]): say(line, "description") for line in lines}

    def shot(self, **clip):
        grab = self.tools("Page.captureScreenshot", optimizeForSpeed=True, **clip)["data"]
        return Image.open(io.BytesIO(base64.b64decode(grab))).convert("RGB")

    def grab(self, box):
        # Only the box, in the page's pixels, drawn at the device's: a tenth of a whole grab's time.
        left, top, right, bottom = (n / self.scale for n in box)
        return self.shot(clip=dict(x=left, y=top, width=right - left, height=bottom - top, scale=1))

    def pointer_is(self, drawn, aim, within):
        # The pointer the browser shows over the canvas: its picture at its
        # ratio, and its hot spot, given in the page's pixels.
        cursor = self.evaluate("getComputedStyle(document.getElementById('screen')).cursor")
        found = re.search(r'url\("data:image/png;base64,([^"]+)"\) (\d+)(?:x|dppx)\) (\d+) (\d+)', cursor)
        shown = found and Image.open(io.BytesIO(base64.b64decode(found[1]))).convert("RGBA")
        return found and max(abs(int(h) * int(found[2]) - a) for h, a in zip(found.groups()[2:], aim)) <= within \
            and icon_shown(drawn, shown)

    def misuse(self):
        # What the page kept in the browser, asked for that was not its own, or said was wrong.
        # The page keeps its own build in a cache of that name, through its own worker, and asks for its own
        # files only: the program's under the build's address, the pictures at twice the size only for a
        # screen that draws them.
        kept = self.evaluate("""(async () => [document.cookie && 'cookies: ' + document.cookie,
            localStorage.length && 'local storage', sessionStorage.length && 'session storage',
            (await indexedDB.databases()).length && 'IndexedDB',
            (await caches.keys()).some(name => name !== 'pokaz-' + BUILD) && 'caches: ' + await caches.keys(),
            (await navigator.serviceWorker.getRegistrations()).some(r => r.scope !== new URL('.', location).href
                || !r.active?.scriptURL.endsWith('/service-worker.js')) && 'workers']
            .filter(Boolean))()""")
        program = "pokaz\\.(js|wasm)" + ("|" + re.escape(self.evaluate("DOUBLE_PICTURES")) if self.scale > 1 else "")
        own = re.compile(re.escape(self.origin) + r"(|index\.html|favicon\.ico|pokaz\.webmanifest|service-worker\.js"
                         r"|[\w-]+\.png|(" + program + r")\?v=" + self.evaluate("BUILD") + r")$|data:image/png;")
        requests = [e["params"]["request"]["url"] for e in self.events if e["method"] == "Network.requestWillBeSent"]
        errors = [json.dumps(e["params"])[:300] for e in self.events if e["method"] == "Runtime.exceptionThrown"
                  or e["method"] == "Runtime.consoleAPICalled" and e["params"]["type"] in ("error", "warning", "assert")
                  or e["method"] == "Log.entryAdded" and e["params"]["entry"]["level"] in ("error", "warning")]
        return kept + ["request: " + url for url in requests if not own.match(url)] + ["console: " + e for e in errors]
