# The page in a browser of its own, served on the loopback address by a
# server the session starts and ends (tools/page_server.py): pointer input
# through the browser's own input path, grabs of what the page shows, and at
# scale 2 the device pixel ratio of a high-density screen. The desktop is the
# one Qt draws on a canvas the size of the page, with the frame Qt puts round
# the window; a session's pixels are the page's device pixels. Each engine is
# a subclass that speaks its browser's protocol: it navigates, evaluates,
# moves the pointer, grabs, and tells what the page asked for and what its
# console said.
import base64, io, json, os, pathlib, re, shutil, socket, subprocess, time, types, urllib.request

from PIL import Image, ImageChops
from session import Session, expect, fail, icon_shown, wait_for
from x_session import XServer


class BrowserSession(Session):
    BORDER, TITLE = 4, 18  # Qt's frame, in the page's pixels: a border on each side, a title bar below the top one
    CLOSE_BOX = 14, 13  # the close box's middle, from the frame's top-right corner

    def connect(self, address):
        # The remote tools' websocket. The client would check every byte of a grab's text for UTF-8 in
        # Python, which took longer than the browser took to grab.
        import websocket  # only the browser's runs need it
        self.socket = websocket.create_connection(address, timeout=60, suppress_origin=True, skip_utf8_validation=True)
        self.sent, self.events = 0, []

    def tools(self, method, **params):
        # A command to the browser's remote tools, answered in turn; the events that came meanwhile are kept.
        self.sent += 1
        self.socket.send(json.dumps({"id": self.sent, "method": method, "params": params}))
        while (message := json.loads(self.socket.recv())).get("id") != self.sent:
            self.events.append(message)
        expect("error" not in message, f"{method}: {message}")
        return message["result"]

    def serve(self, page):
        # The folder of the page, served as any static web host would.
        server = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "page_server.py")
        self.server = self.start("python3", server, os.path.dirname(page))
        self.origin = "http://127.0.0.1:%s/" % re.search(r"port (\d+)", self.server.stdout.readline())[1]

    def launch(self, page):
        # A later launch is the learner's next visit, from a page of their own browser's (about:blank), to
        # whatever the server has then, if anything.
        if not hasattr(self, "server"):
            self.serve(page)
        self.navigate("about:blank")
        self.navigate(self.origin + os.path.basename(page))
        # The program in the page, as a process is elsewhere: it has ended when the page says so, with status 0
        # where the page says the exercise ended (programEnded), 1 where it says the program failed (onAbort).
        said = "['ended', 'failed'].find(id => !document.getElementById(id).hidden)"
        return types.SimpleNamespace(wait=lambda timeout: ["ended", "failed"].index(
            wait_for("the page's end", lambda: self.evaluate(said), timeout)))

    def cut_network(self):
        self.server.kill()
        self.server.wait()

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
        self.right_click((left + right) // 2, top + self.BORDER * self.scale)
        said = wait_for("the right-click", lambda: self.evaluate("'menuShown' in window && [window.menuShown]"))
        expect(said == [False], "a right-click opens the browser's own menu")
        return round(right - self.CLOSE_BOX[0] * self.scale), round(top + self.CLOSE_BOX[1] * self.scale)

    def page_size(self):
        # The screen in the page's pixels.
        return dict(zip(("width", "height"), (round(n / self.scale) for n in self.SCREEN)))

    def css(self, box):
        # A box of device pixels (left, top, right, bottom) in the page's pixels: x, y, width and height.
        left, top, right, bottom = (n / self.scale for n in box)
        return dict(x=left, y=top, width=right - left, height=bottom - top)

    def picture(self, encoded):
        return Image.open(io.BytesIO(base64.b64decode(encoded))).convert("RGB")

    def pointer_is(self, drawn, aim, within):
        # The pointer the browser shows over the canvas: its picture at its
        # ratio, and its hot spot, given in the page's pixels.
        cursor = self.evaluate("getComputedStyle(document.getElementById('screen')).cursor")
        found = re.search(r'url\("data:image/png;base64,([^"]+)"\) (\d+)(?:x|dppx)\) (\d+) (\d+)', cursor)
        shown = found and Image.open(io.BytesIO(base64.b64decode(found[1]))).convert("RGBA")
        return found and max(abs(int(h) * int(found[2]) - a) for h, a in zip(found.groups()[2:], aim)) <= within \
            and icon_shown(drawn, shown)

    def misuse(self):
        # What the page kept in the browser, asked for that was not its own (requests), or said was wrong
        # (complaints). The page keeps its own build in a cache of that name, through its own worker, and asks
        # for its own files only: the program's under the build's address, the pictures at twice the size only
        # for a screen that draws them.
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
        return kept + ["request: " + url for url in self.requests() if not own.match(url)] + \
            ["console: " + said[:300] for said in self.complaints()]


class ChromiumSession(BrowserSession, desktop="chromium"):
    # Headless, driven through the DevTools protocol.

    def __init__(self, scale):
        super().__init__(scale)
        self.buttons, self.pointer, self.last_press = 0, (0, 0), (None, None, 0)  # when, where, how many
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
            self.connect(next(t for t in json.load(answer) if t["type"] == "page")["webSocketDebuggerUrl"])
        for domain in ("Page", "Runtime", "Log", "Network"):
            self.tools(domain + ".enable")
        self.tools("Emulation.setDeviceMetricsOverride", **self.page_size(), deviceScaleFactor=scale, mobile=False)

    def evaluate(self, expression):
        result = self.tools("Runtime.evaluate", expression=expression, awaitPromise=True, returnByValue=True)
        expect("exceptionDetails" not in result, f"{expression}: {result.get('exceptionDetails')}")
        return result["result"].get("value")

    def navigate(self, address):
        self.tools("Page.navigate", url=address)

    def serve(self, page):
        # A page whose program cannot be fetched says so, instead of loading for ever.
        super().serve(page)
        self.tools("Fetch.enable", patterns=[{"urlPattern": "*.wasm?*"}])
        self.navigate(self.origin + os.path.basename(page))
        asked = wait_for("the program's request", lambda: self.evaluate("1") and next(
            (e["params"] for e in self.events if e["method"] == "Fetch.requestPaused"), None))
        self.tools("Fetch.fulfillRequest", requestId=asked["requestId"], responseCode=404)
        wait_for("the page's word that the program failed", lambda: self.evaluate(
            "!document.getElementById('failed').hidden && document.getElementById('loading').hidden"))
        self.tools("Fetch.disable")
        self.events.clear()  # the page's note of the failure is no misuse

    def right_click(self, x, y):
        self.pointer = x, y
        for kind in ("mousePressed", "mouseReleased"):
            self.mouse(kind, button="right", clickCount=1)

    def move(self, x, y):
        self.pointer = x, y
        self.mouse("mouseMoved", button="left" if self.buttons else "none")

    def down(self):
        # The browser counts clicks as the system would: a second press soon, on the same spot, doubles it.
        now, (when, where, count) = time.monotonic(), self.last_press
        self.last_press, self.buttons = (now, self.pointer, count + 1 if where == self.pointer and now - when < 0.5 else 1), 1
        self.mouse("mousePressed", button="left", clickCount=self.last_press[2])

    def up(self):
        self.buttons = 0
        self.mouse("mouseReleased", button="left", clickCount=self.last_press[2])

    def mouse(self, kind, **details):
        self.tools("Input.dispatchMouseEvent", type=kind, x=self.pointer[0] / self.scale, y=self.pointer[1] / self.scale,
                   buttons=self.buttons, **details)

    def shot(self, box=None):
        # Only the box where one is asked for, drawn at the device's pixels: a tenth of a whole grab's time.
        clip = {} if box is None else {"clip": self.css(box) | {"scale": 1}}
        return self.picture(self.tools("Page.captureScreenshot", optimizeForSpeed=True, **clip)["data"])

    def requests(self):
        return [e["params"]["request"]["url"] for e in self.events if e["method"] == "Network.requestWillBeSent"]

    def complaints(self):
        return [json.dumps(e["params"]) for e in self.events if e["method"] == "Runtime.exceptionThrown"
                or e["method"] == "Runtime.consoleAPICalled" and e["params"]["type"] in ("error", "warning", "assert")
                or e["method"] == "Log.entryAdded" and e["params"]["entry"]["level"] in ("error", "warning")]


class WebDriverSession(BrowserSession):
    # The pointer as W3C actions, which Firefox's WebDriver BiDi and WebKit's WebDriver both play (pointer):
    # the browser counts the clicks of one sequence itself.

    def to(self, x, y): return {"type": "pointerMove", "x": x / self.scale, "y": y / self.scale}
    def press(self, kind, button=0): return {"type": "pointer" + kind, "button": button}
    def right_click(self, x, y): self.pointer(self.to(x, y), self.press("Down", 2), self.press("Up", 2))
    def move(self, x, y): self.pointer(self.to(x, y))
    def down(self): self.pointer(self.press("Down"))
    def up(self): self.pointer(self.press("Up"))

    def click(self, x, y, times, rest):
        self.pointer(self.to(x, y), *[self.press(kind) for _ in range(times) for kind in ("Down", "Up")], self.to(*rest))


class FirefoxSession(WebDriverSession, desktop="firefox"):
    # Firefox ESR, headless, driven through its WebDriver BiDi; WebGL, which it offers only where it trusts
    # the GPU, drawn by Mesa's software renderer.

    def __init__(self, scale):
        super().__init__(scale)
        profile = os.path.join(self.home.name, "firefox")
        os.makedirs(profile)
        pathlib.Path(profile, "user.js").write_text('user_pref("webgl.force-enabled", true);\n')
        self.env["MOZ_WEBGL_FORCE_EGL"] = "1"
        self.start("firefox-esr", "--headless", "--remote-debugging-port", "0", "--profile", profile, stdout=subprocess.DEVNULL)
        port_file = os.path.join(profile, "WebDriverBiDiServer.json")
        self.connect("ws://127.0.0.1:%d/session" % wait_for("Firefox's port", lambda: json.load(open(port_file))["ws_port"]))
        self.tools("session.new", capabilities={})
        self.context = {"context": self.tools("browsingContext.getTree")["contexts"][0]["context"]}
        # The page's own; Firefox fetches a tab's icon anew in a context of its own.
        self.tools("session.subscribe", events=["log.entryAdded", "network.beforeRequestSent"], contexts=[*self.context.values()])
        self.tools("browsingContext.setViewport", **self.context, viewport=self.page_size(), devicePixelRatio=scale)

    def evaluate(self, expression):
        # Through JSON: BiDi's own form of values is typed, member by member.
        result = self.tools("script.evaluate", expression=f"Promise.resolve({expression}).then(JSON.stringify)",
                            target=self.context, awaitPromise=True)
        expect(result["type"] == "success", f"{expression}: {result}")
        return json.loads(result["result"].get("value", "null"))

    def navigate(self, address):
        self.tools("browsingContext.navigate", **self.context, url=address, wait="interactive")

    def pointer(self, *actions):
        self.tools("input.performActions", **self.context, actions=[{"type": "pointer", "id": "mouse", "actions": actions}])

    def shot(self, box=None):
        # Only the box where one is asked for, drawn at the device's pixels.
        clip = {} if box is None else {"clip": {"type": "box"} | self.css(box)}
        return self.picture(self.tools("browsingContext.captureScreenshot", **self.context, **clip)["data"])

    def requests(self):
        return [e["params"]["request"]["url"] for e in self.events if e["method"] == "network.beforeRequestSent"]

    def complaints(self):
        return [json.dumps(e["params"]) for e in self.events
                if e["method"] == "log.entryAdded" and e["params"]["level"] in ("error", "warn")]


class WebKitSession(WebDriverSession, XServer, desktop="webkit"):
    # WebKitGTK's MiniBrowser on an Xvfb of its own, without its toolbar, its page filling the screen,
    # driven through WebKitWebDriver's W3C WebDriver, grabbed from the X server. The driver passes on no
    # console, so the page served is a copy that hears its own console first of all; the requests are those
    # the page timed, which leaves out any that failed.
    MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    HEARING = """<script>window.complaints = []; for (const kind of ["error", "warn"]) console[kind] =
(said => (...args) => said(...args, complaints.push(kind + ": " + args.join(" "))))(console[kind]);
addEventListener("error", e => complaints.push("error: " + e.message));
addEventListener("unhandledrejection", e => complaints.push(`unhandled rejection: ${e.reason} ${e.reason?.stack}`));</script>"""

    def __init__(self, scale):
        super().__init__(scale)
        self.env["GDK_SCALE"] = str(round(scale))  # GTK scales by whole ratios only
        with socket.socket() as free:
            free.bind(("127.0.0.1", 0))
            port = free.getsockname()[1]
        self.start("WebKitWebDriver", f"--port={port}", stdout=subprocess.DEVNULL)
        self.driver = f"http://127.0.0.1:{port}/session"
        browser = {"binary": self.MINIBROWSER, "args": ["--automation", "--full-screen"]}
        self.driver += "/" + wait_for("WebKit's WebDriver", lambda: self.webdriver(
            "", capabilities={"alwaysMatch": {"webkitgtk:browserOptions": browser}}))["sessionId"]
        self.webdriver("/window/rect", x=0, y=0, **self.page_size())

    def webdriver(self, path, **body):
        # A command, POSTed with its body.
        request = urllib.request.Request(self.driver + path, json.dumps(body).encode(), {"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as answer:
                return json.load(answer)["value"]
        except urllib.error.HTTPError as error:
            fail(f"{path} {body}: {json.load(error)['value']}")

    def serve(self, page):
        served = os.path.join(self.home.name, "served")
        shutil.copytree(os.path.dirname(page), served, ignore=shutil.ignore_patterns("index.html.*"))
        index = pathlib.Path(served, "index.html")
        index.write_text(index.read_text().replace("<head>", "<head>" + self.HEARING, 1))
        super().serve(os.path.join(served, os.path.basename(page)))

    def evaluate(self, expression): return self.webdriver("/execute/sync", script=f"return ({expression});", args=[])
    def navigate(self, address): self.webdriver("/url", url=address)
    def pointer(self, *actions): self.webdriver("/actions", actions=[{"type": "pointer", "id": "mouse", "actions": actions}])
    def requests(self): return self.evaluate("performance.getEntriesByType('resource').map(e => e.name)")
    def complaints(self): return self.evaluate("complaints")

    def right_click(self, x, y):
        # Through the X server: WebKitWebDriver lets go of any button as of the left one, and the page's
        # pointer would keep the right one held.
        self.run("xdotool", "mousemove", str(x), str(y), "click", "3")
