# The page in Firefox ESR, headless, driven through its WebDriver BiDi.
import json, os, pathlib, subprocess

from browser_session import BrowserSession
from session import expect, wait_for


class FirefoxSession(BrowserSession, desktop="firefox"):
    # WebGL, which Firefox offers only where it trusts the GPU, drawn by Mesa's software renderer.
    double_click_time = 0.64  # its WebDriver's own, fixed, by which it counts the clicks it plays

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

    def navigate(self, address): self.tools("browsingContext.navigate", **self.context, url=address, wait="interactive")

    # The pointer as W3C actions, trusted input that Firefox plays and counts the clicks of itself, but only
    # within one sequence: a click is one, its pause between presses included.
    def to(self, x, y): return {"type": "pointerMove", "x": x / self.scale, "y": y / self.scale}
    def press(self, kind, button=0): return {"type": "pointer" + kind, "button": button}
    def right_click(self, x, y): self.pointer(self.to(x, y), self.press("Down", 2), self.press("Up", 2))
    def move(self, x, y): self.pointer(self.to(x, y))
    def down(self): self.pointer(self.press("Down"))
    def up(self): self.pointer(self.press("Up"))

    def click(self, x, y, times, rest, pause=0):
        wait = {"type": "pause", "duration": round(pause * 1000)}
        clicks = [[wait] * bool(n) + [self.press("Down"), self.press("Up")] for n in range(times)]
        self.pointer(self.to(x, y), *sum(clicks, []), self.to(*rest))

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
