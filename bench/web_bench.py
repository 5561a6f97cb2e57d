#!/usr/bin/python3
# The page's figures in a headless Chromium: what it transfers, compressed;
# the time from navigation to its first painted frame against a bare Qt
# window's page built the same way, alternately, each in a fresh browser; and
# the program's WebAssembly memory after one whole exercise and after many.
#   web_bench.py BUILD_WEB RUNS EXERCISES
import os, re, statistics, sys, time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from browser_session import ChromiumSession  # noqa: E402

BUILD, RUNS, EXERCISES = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
PAGES = {"pokaz": (os.path.join(BUILD, "index.html"), "pokaz"),
         "floor": (os.path.join(BUILD, "bench", "floor", "index.html"), "floor_window")}
with open(os.path.join(os.path.dirname(__file__), "..", "tests", "common", "client_layout.h")) as header:
    LAYOUT = header.read()
RECT = {name: tuple(map(int, box)) for name, *box in re.findall(r"\{(\w+), \{(\d+), (\d+), (\d+), (\d+)\}\}", LAYOUT)}
POINT = {name: (int(x), int(y)) for name, x, y in re.findall(r"QPoint (\w+)\{(\d+), (\d+)\}", LAYOUT)}
DRAWERS = [[(int(x), int(y)) for x, y in re.findall(r"\{(\d+), (\d+)\}", listed)]
           for listed in re.findall(r"(?:Closed|Open)DrawerPoints\[\] = (.*);", LAYOUT)]
FULL_HEIGHT = int(re.search(r"FullClientSize\{\d+, (\d+)\}", LAYOUT)[1])
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


def click(browser, origin, x, y, times=1):
    browser.move(origin[0] + x, origin[1] + y)
    for _ in range(times):
        browser.down()
        browser.up()
    time.sleep(0.05)


def drag(browser, origin, points):
    browser.move(origin[0] + points[0][0], origin[1] + points[0][1])
    browser.down()
    for x, y in points[1:]:
        browser.move(origin[0] + x, origin[1] + y)
        time.sleep(0.005)
    browser.up()
    time.sleep(0.05)


def exercise(browser, origin):
    # The exercise at the learner's pace but with no look at the screen:
    # the paper, the pencils, the letter written, posted, and once more.
    closed, opened = DRAWERS
    for point in (closed[2], opened[2], closed[3], opened[3]):
        click(browser, origin, *point)
    x, y, w, h = RECT["Pic_Papir_1"]
    drag(browser, origin, [POINT["PencilsPoint"]] + [(x + 6 + n % 9 * 9, y + 6 if n % 2 == 0 else y + h - 7)
                                                     for n in range(150)])
    click(browser, origin, *POINT["PaperPoint"], times=2)
    x, y, w, h = RECT["Pic_S_O"]
    drag(browser, origin, [POINT["EnvelopePoint"], POINT["BetweenBackgroundsPoint"], POINT["SlotPoint"],
                           (x + w - 5, y + h - 5)])
    # A figure counts only an exercise that reached its closing scene, the window then lower.
    if browser.client_geometry(None)[3] >= FULL_HEIGHT:
        sys.exit("an exercise did not reach its closing scene")
    x, y, w, h = RECT["BTN_Ponovo"]
    click(browser, origin, x + w // 2, y + h // 2)


def memory():
    with ChromiumSession(1) as browser:
        browser.launch(PAGES["pokaz"][0])
        browser.find_window("Pokaz")
        origin = browser.client_geometry(None)[:2]
        heap = lambda: browser.evaluate(
            "Object.values(pokaz.instance.exports).find(e => e instanceof WebAssembly.Memory).buffer.byteLength") / 2**20
        figures = []
        for n in range(1, EXERCISES + 1):
            exercise(browser, origin)
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
