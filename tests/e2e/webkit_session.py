# The page in WebKitGTK, the engine of Safari, through WebKitWebDriver.
import json, os, pathlib, shutil, socket, subprocess, urllib.request

from browser_session import BrowserSession
from session import fail, wait_for
from x_session import XServer


class WebKitSession(BrowserSession, XServer, desktop="webkit"):
    # WebKitGTK's MiniBrowser on an Xvfb of its own, without its toolbar, its page filling the screen,
    # led through WebKitWebDriver's W3C WebDriver, its pointer the X server's as in the X desktops, grabbed
    # from the X server. The driver passes on no
    # console, so the page served is a copy that hears its own console first of all; the requests are those
    # the page timed, which leaves out any that failed.
    MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    HEARING = """<script>window.complaints = []; for (const kind of ["error", "warn"]) console[kind] =
(said => (...args) => said(...args, complaints.push(kind + ": " + args.join(" "))))(console[kind]);
addEventListener("error", e => complaints.push("error: " + e.message));
addEventListener("unhandledrejection", e => complaints.push(`unhandled rejection: ${e.reason} ${e.reason?.stack}`));</script>"""

    double_click_time = 0.25  # the learner's setting, as GTK's settings hold it on a desktop

    def __init__(self, scale):
        super().__init__(scale)
        settings = pathlib.Path(self.home.name, ".config", "gtk-3.0")
        settings.mkdir(parents=True)
        (settings / "settings.ini").write_text(f"[Settings]\ngtk-double-click-time={round(self.double_click_time * 1000)}\n")
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
    def requests(self): return self.evaluate("performance.getEntriesByType('resource').map(e => e.name)")
    def complaints(self): return self.evaluate("complaints")

    def right_click(self, x, y):
        self.run("xdotool", "mousemove", str(x), str(y), "click", "3")
