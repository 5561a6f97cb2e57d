# The page in a headless Chromium, driven through the DevTools protocol.
import json, os, subprocess, time, urllib.request

from browser_session import BrowserSession
from session import expect, wait_for


class ChromiumSession(BrowserSession, desktop="chromium"):
    double_click_time = 0.9  # the learner's setting, by which the clicks sent are counted

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

    def navigate(self, address): self.tools("Page.navigate", url=address)

    def right_click(self, x, y):
        self.pointer = x, y
        for kind in ("mousePressed", "mouseReleased"):
            self.mouse(kind, button="right", clickCount=1)

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
