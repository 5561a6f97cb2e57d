#!/usr/bin/python3
# The page's figures in a headless Chromium: what it transfers, compressed;
# the time from navigation to its first painted frame against a bare Qt
# window's page built the same way, alternately, each in a fresh browser; and
# the program's WebAssembly memory after one whole exercise and after many.
#   web_bench.py BUILD_WEB RUNS EXERCISES
import os, statistics, sys, time

from browser_session import ChromiumSession  # from tests/e2e, on the PYTHONPATH that web.sh sets
from learner import Learner

BUILD, RUNS, EXERCISES = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
PAGES = {"pokaz": (os.path.join(BUILD, "page", "index.html"), "pokaz"),
         "floor": (os.path.join(BUILD, "bench", "floor", "index.html"), "floor_window")}
# The first draw call into the canvas is the first frame Qt paints there.
FIRST_DRAW = """for (const kind of [WebGLRenderingContext, WebGL2RenderingContext])
  for (const name of ["drawArrays", "drawElements"]) {
    const draw = kind.prototype[name];
    kind.prototype[name] = function (...args) { window.firstDraw ??= performance.now(); return draw.apply(this, args); };
  }"""


def transfer(page, program):
    folder = os.path.dirname(page)
    files = ["index.html", program + ".js", program + ".wasm"]
    size = lambda suffix: sum(os.path.getsize(os.path.join(folder, f + suffix)) for f in files)
    return size(".gz") / 1e6, size(".br") / 1e6


def first_frame(page):
    with ChromiumSession(1) as browser:
        browser.tools("Page.addScriptToEvaluateOnNewDocument", source=FIRST_DRAW)
        browser.launch(page)
        for _ in range(600):
            if (drawn := browser.evaluate("window.firstDraw")) is not None:
                return drawn
            time.sleep(0.02)
    sys.exit("no frame drawn in " + page)


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


print("Transfer, MB (index.html, .js and .wasm)")
print(f"{'':14} {'gzip':>10} {'brotli':>10}")
sizes = {name: transfer(*page) for name, page in PAGES.items()}
for name, (gz, br) in sizes.items():
    print(f"{name:14} {gz:10.2f} {br:10.2f}")
print(f"{'difference':14} {sizes['pokaz'][0] - sizes['floor'][0]:10.2f} {sizes['pokaz'][1] - sizes['floor'][1]:10.2f}"
      "   (goal: brotli at most 2 MB)")

samples = {name: [] for name in PAGES}
for _ in range(RUNS):
    for name, (page, _program) in PAGES.items():
        samples[name].append(first_frame(page))
print(f"\nNavigation to the first painted frame, {RUNS} runs each (ms)")
print(f"{'':14} {'median':>10} {'min':>10} {'max':>10}")
for name, values in samples.items():
    print(f"{name:14} {statistics.median(values):10.1f} {min(values):10.1f} {max(values):10.1f}")
ratio = statistics.median(samples["pokaz"]) / statistics.median(samples["floor"])
print(f"{'ratio':14} {ratio:10.2f}   (goal: at most 1.20)")

print("\nWebAssembly memory of the program (MB)")
for n, mb in memory():
    print(f"after {n:4} exercise{'s' if n > 1 else ' '} {mb:10.1f}")
print("   (goal: no growth)")
