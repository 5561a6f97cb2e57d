# The page in a browser of its own, served on the loopback address by a
# server the session starts and ends (tools/page_server.py): pointer input
# through the browser's own input path, grabs of what the page shows, and at
# scale 2 the device pixel ratio of a high-density screen. The desktop is the
# one Qt draws on a canvas the size of the page, with the frame Qt puts round
# the window; a session's pixels are the page's device pixels. Each engine is
# a subclass that speaks its browser's protocol: it navigates, evaluates,
# moves the pointer, grabs, and tells what the page asked for and what its
# console said (chromium_session.py, firefox_session.py, webkit_session.py).
import base64, io, json, os, re, types

from PIL import Image, ImageChops
from session import Session, expect, icon_shown, wait_for


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
        said = "['ended', 'failed'].find(id => document.getElementById(id)?.hidden === false)"
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
