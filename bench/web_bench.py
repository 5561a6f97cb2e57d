#!/usr/bin/python3
# The page's figures in a headless Chromium: what it transfers, compressed,
# at ratios 1 and 2; the time from navigation to its first painted frame
# against a bare Qt window's page built the same way, alternately, each in a
# fresh browser; the time to the desk on one learner's share of a school's
# line, on a first and on a second visit; and the program's WebAssembly
# memory after one whole exercise and after many.
#   web_bench.py BUILD_WEB RUNS EXERCISES
import contextlib, os, statistics, sys, time

from chromium_session import ChromiumSession  # from tests/e2e, on the PYTHONPATH that web.sh sets
from learner import Learner
from session import wait_for

BUILD, RUNS, EXERCISES = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
LINE_BITS, LATENCY_MS = 20e6, 40
PAGES = {"pokaz": (os.path.join(BUILD, "page", "index.html"), "pokaz"),
         "floor": (os.path.join(BUILD, "bench", "floor", "index.html"), "floor_window")}
# The first draw call into the canvas is the first frame Qt paints there.
FIRST_DRAW = """for (const kind of [WebGLRenderingContext, WebGL2RenderingContext])
  for (const name of ["drawArrays", "drawElements"]) {
    const draw = kind.prototype[name];
    kind.prototype[name] = function (...args) { window.firstDraw ??= performance.now(); return draw.apply(this, args); };
  }"""


def transfer(page, program, ratio):
    # What the page fetches at a screen's ratio: the page, its worker and app manifest, the program, and
    # above 100 % its pictures at twice the size.
    folder = os.path.dirname(page)
    files = ["index.html", "service-worker.js", "pokaz.webmanifest", program + ".js", program + ".wasm"]
    files += [f for f in os.listdir(folder) if f.endswith(".rcc")] if ratio > 1 else []
    size = lambda suffix: sum(os.path.getsize(os.path.join(folder, f + suffix)) for f in files)
    return size(".gz") / 1e6, size(".br") / 1e6


def first_frame(page, browser=None):
    with ChromiumSession(1) if browser is None else contextlib.nullcontext(browser) as browser:
        browser.tools("Page.addScriptToEvaluateOnNewDocument", source=FIRST_DRAW)
        browser.launch(page)
        for _ in range(3000):
            if (drawn := browser.evaluate("window.firstDraw")) is not None:
                return drawn
            time.sleep(0.02)
    sys.exit("no frame drawn in " + page)


def class_line(page):
    # One learner's share of a school's line, a fifteenth of 20 Mbit/s: the first visit, and the next
    # once the page has been kept for offline; the server sends the compressed copies, as web hosts do.
    # The browser's HTTP cache stays out of it: what the first visit has is what it fetched, what the second
    # has is what the worker kept.
    with ChromiumSession(1) as browser:
        browser.tools("Network.setCacheDisabled", cacheDisabled=True)
        browser.tools("Network.emulateNetworkConditions", offline=False, latency=LATENCY_MS,
                      downloadThroughput=LINE_BITS / 15 / 8, uploadThroughput=LINE_BITS / 15 / 8)
        first = first_frame(page, browser)
        wait_for("the page kept for offline", lambda: browser.evaluate("navigator.serviceWorker.ready.then(r => true)"),
                 120)
        return first, first_frame(page, browser)


def memory():
    with ChromiumSession(1) as browser:
        learner = Learner(browser, PAGES["pokaz"][0])
        heap = lambda: browser.evaluate(
            "Object.values(pokaz.instance.exports).find(e => e instanceof WebAssembly.Memory).buffer.byteLength") / 2**20
        figures = []
        for n in range(1, EXERCISES + 1):
            # The exercise at the learner's pace but with no look at the screen, and once more; a figure
            # counts only exercises that reached their closing scene (Learner.post waits for it).
            learner.take_out_paper_and_pencils()
            learner.write()
            learner.put_in_envelope()
            learner.post()
            learner.start_again()
            if n in (1, EXERCISES):
                figures.append((n, heap()))
        return figures


print("Transfer, MB (the page, its worker and manifest, .js and .wasm; at ratio 2 the pictures at twice the size)")
print(f"{'':14} {'gzip 1':>10} {'brotli 1':>10} {'gzip 2':>10} {'brotli 2':>10}")
for name, page in PAGES.items():
    print(f"{name:14}" + "".join(f" {figure:10.2f}" for ratio in (1, 2) for figure in transfer(*page, ratio)))
print("   (goal: brotli at most 3.0 MB at ratio 1, 4.0 MB at ratio 2)")

samples = {name: [] for name in PAGES}
for _ in range(RUNS):
    for name, (page, _program) in PAGES.items():
        samples[name].append(first_frame(page))
print(f"\nNavigation to the first painted frame, {RUNS} runs each (ms)")
print(f"{'':14} {'median':>10} {'min':>10} {'max':>10}")
for name, values in samples.items():
    print(f"{name:14} {statistics.median(values):10.1f} {min(values):10.1f} {max(values):10.1f}")
ratio = statistics.median(samples["pokaz"]) / statistics.median(samples["floor"])
print(f"{'ratio':14} {ratio:10.2f}   (goal: at most 1.00)")

visits = [class_line(PAGES["pokaz"][0]) for _ in range(max(1, RUNS // 5))]
print(f"\nNavigation to the desk on a fifteenth of a {LINE_BITS / 1e6:.0f} Mbit/s line, {LATENCY_MS} ms latency (s)")
for n, visit in enumerate(("first visit", "second visit")):
    print(f"{visit:14} " + " ".join(f"{v[n] / 1000:6.1f}" for v in visits))
print("   (goal: within 20 s on a first visit, 2 s on a second)")

print("\nWebAssembly memory of the program (MB)")
for n, mb in memory():
    print(f"after {n:4} exercise{'s' if n > 1 else ' '} {mb:10.1f}")
print("   (goal: no growth)")
