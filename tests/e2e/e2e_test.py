#!/usr/bin/python3
# The program as built, on its own X server, driven only by real X pointer
# input and checked only by what the screen shows.
#   e2e_test.py POKAZ ASSET_DIR run SCALE | hit SCALE | openbox
import functools, os, re, sys, time

from PIL import Image
from x_session import XSession, fail, wait_for

POKAZ, ASSETS, CASE = sys.argv[1:4]
SCALE = float(sys.argv[4]) if len(sys.argv) > 4 else 1.0
# Slow enough that the toolkit merges no two motions into one drag event.
CAREFUL, QUICK = 0.04, 0.01

# The client places the widget tests use too, in pixels.
with open(os.path.join(os.path.dirname(__file__), "..", "common", "client_layout.h")) as header:
    LAYOUT = header.read()
RECT = {name: tuple(map(int, box))
        for name, *box in re.findall(r"\{Control::(\w+), \{(\d+), (\d+), (\d+), (\d+)\}\}", LAYOUT)}
POINT = {name: (int(x), int(y)) for name, x, y in re.findall(r"QPoint (\w+)\{(\d+), (\d+)\}", LAYOUT)}


CLOSED_DRAWER, OPEN_DRAWER = ([(int(x), int(y)) for x, y in re.findall(r"\{(\d+), (\d+)\}", listed)]
                              for listed in re.findall(r"(?:Closed|Open)DrawerPoints\[\] = (.*);", LAYOUT))
FULL_SIZE = [round(int(n) * SCALE) for n in re.search(r"FullClientSize\{(\d+), (\d+)\}", LAYOUT).groups()]
CLOSING_HEIGHTS = {int(n) for n in re.findall(r"ClosingClientHeight\w+ = (\d+)", LAYOUT)}


@functools.cache
def picture(name):
    return Image.open(os.path.join(ASSETS, "2x" if SCALE > 1 else "", name + ".bmp")).convert("RGB")


class Program:
    # The program's window on an X session, and a learner's pointer on it.

    def __init__(self, x, *launcher, env=()):
        self.x = x
        x.env.update(env)
        self.process = x.start(*launcher, POKAZ, stdout=None, stderr=None)
        found = x.run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^Pokaz$", timeout=20)
        self.window = found.split()[0]
        self.origin = self.geometry()[:2]

    def geometry(self):
        # The client area on the screen; xdotool's own answer is off by the
        # frame under a window manager.
        info = self.x.run("xwininfo", "-id", self.window)
        keys = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
        return [int(re.search(key + r":\s+(-?\d+)", info)[1]) for key in keys]

    def screen(self, x, y):
        return self.origin[0] + int(x * SCALE + 0.5), self.origin[1] + int(y * SCALE + 0.5)

    def box(self, name):
        x, y, w, h = RECT[name]
        left, top = self.screen(x, y)
        return left, top, left + round(w * SCALE), top + round(h * SCALE)

    # Clicks and releases leave the pointer outside the window, so that no
    # tooltip stands in a screenshot.
    def click(self, point, *how):
        self.x.xdotool("mousemove", *self.screen(*point), "click", *how, "1", "mousemove", 2, 2)

    def press(self, point):
        self.x.xdotool("mousemove", *self.screen(*point), "mousedown", 1)

    def release(self):
        self.x.xdotool("mouseup", 1, "mousemove", 2, 2)

    def move_along(self, points, pause):
        self.x.xdotool(*[word for p in points for word in ("mousemove", *self.screen(*p), "sleep", pause)])

    def shows(self, shot, *names):
        def one(name):
            left, top = self.screen(*RECT[name][:2])
            width, height = picture(name).size
            return shot.crop((left, top, left + width, top + height)).tobytes() == picture(name).tobytes()
        return all(map(one, names))

    def wait_for_pictures(self, *names):
        return wait_for(" and ".join(names) + " on screen", lambda: self.shows(self.x.shot(), *names))

    def highlighted(self):
        x, y, w, h = RECT["Poruka"]
        return self.x.shot().getpixel(self.screen(x + w // 2, y + h // 2)) == (255, 0, 0)


def writing_point(n):
    # The n-th point of a zig-zag over the paper; neighbours never coincide.
    x, y, w, h = RECT["Pic_Papir_1"]
    return x + 6 + n % 9 * 9, y + 6 if n % 2 == 0 else y + h - 7


def write_stages_exactly(window):
    # With the pencils pressed, the paper changes on exactly the drag event
    # that reaches 25, 50, 75 and 100 percent.
    for stage in range(1, 5):
        window.move_along([writing_point(25 * stage - 25 + n) for n in range(24)], CAREFUL)
        time.sleep(CAREFUL)
        if not window.shows(window.x.shot(), f"Pic_Papir_{stage - 1}"):
            fail(f"stage {stage} showed early")
        window.move_along([writing_point(25 * stage - 1)], CAREFUL)
        window.wait_for_pictures(f"Pic_Papir_{stage}")


def write_until_finished(window):
    # Where the count does not matter, writing goes on until the letter is
    # finished; that makes up for motions the toolkit merged on a busy machine.
    for n in range(150):
        window.move_along([writing_point(n)], QUICK)
        if window.highlighted():
            return window.release()
    fail("the letter never finished")


def closing_scene(window):
    def shown():
        height = round(window.geometry()[3] / SCALE)
        left, top, _, _ = window.box("BTN_Ponovo")
        shot = window.x.shot()
        return height in CLOSING_HEIGHTS and shot.getpixel((left + 5, top + 5)) != shot.getpixel((left + 60, top + 28))
    wait_for("the closing scene", shown)


def file_misuse(log):
    # What strace saw the program do to files: anything written, and any
    # read of what is compiled in.
    writes = re.compile(r'\b(open\w*\("(?!/dev/|/proc/)[^"]*", [A-Z_|]*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)'
                        r'|(creat|truncate|rename\w*|link\w*|symlink\w*|unlink\w*|mkdir\w*)\()')
    compiled_in = re.compile(r"/(assets/|tahoma\w*\.ttf|ms_sans_serif\.ttf)")
    with open(log) as file:
        lines = file.read().splitlines()
    return [line for line in lines if writes.search(line) or compiled_in.search(line)] if lines else ["no file call"]


def whole_exercise_twice_touching_no_file():
    # Under strace, which records every file call that succeeds; at scale 2
    # the window is twice its size in screen pixels, every picture at twice the size.
    with XSession() as x:
        log = os.path.join(x.home.name, "strace.log")
        strace = ("strace", "-f", "-z", "-qq", "-s", "4096", "-o", log, "-e",
                  "trace=%file,creat,truncate,rename,renameat,renameat2")
        # LeakSanitizer cannot work in a traced process.
        env = {"ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0", "QT_SCALE_FACTOR": str(SCALE)}
        window = Program(x, *strace, env=env)
        for finish in ("BTN_Ponovo", "BTN_Kraj"):
            if window.geometry()[2:] != FULL_SIZE:
                fail(f"window size {window.geometry()[2:]}")
            window.wait_for_pictures("Pic_L1_Z", "Pic_L2_Z", "Pic_L3_Z", "Pic_L4_Z", "Pic_L5_Z")
            window.click(CLOSED_DRAWER[2])
            window.wait_for_pictures("Pic_L3_O", "Pic_Papir_0")
            window.click(OPEN_DRAWER[2])
            window.click(CLOSED_DRAWER[3])
            window.wait_for_pictures("Pic_L4_O", "Pic_Olovke")
            window.click(OPEN_DRAWER[3])
            window.wait_for_pictures("Pic_L3_Z", "Pic_L4_Z")
            window.press(POINT["PencilsPoint"])
            if finish == "BTN_Ponovo":
                write_stages_exactly(window)
            write_until_finished(window)
            window.click(POINT["PaperPoint"], "--repeat", 2, "--delay", 80)  # within the double-click time
            window.wait_for_pictures("Pic_S_Z", "Pic_Pismo")
            # The slot opens under the envelope; the drop there posts it.
            window.press(POINT["EnvelopePoint"])
            slot = POINT["SlotPoint"]
            window.move_along([POINT["BetweenBackgroundsPoint"], slot, (slot[0] + 6, slot[1] + 4)], QUICK)
            window.wait_for_pictures("Pic_S_O")
            window.release()
            closing_scene(window)
            x_, y, w, h = RECT[finish]
            window.click((x_ + w // 2, y + h // 2))
        if window.process.wait(timeout=10) != 0:
            fail("Kraj did not end the program with status 0")
        if misuse := file_misuse(log):
            fail("file calls:\n" + "\n".join(misuse))


def click_just_inside_a_drawer_opens_it():
    # At a fractional scale a click one pixel inside a closed drawer's corner
    # opens that drawer, as a click in its middle does.
    with XSession() as x:
        window = Program(x, env={"QT_SCALE_FACTOR": str(SCALE)})
        for k in (1, 2, 5):  # drawers 3 and 4 also move the paper and the pencils
            place = window.box(f"Pic_L{k}_O")
            # At a fractional scale a partial repaint resamples the edges of
            # what it repaints, so the pictures to compare with come from
            # repaints: open, closed, open.
            shown = {}
            for point, state in ((CLOSED_DRAWER[k - 1], "open"), (OPEN_DRAWER[k - 1], "closed"),
                                 (CLOSED_DRAWER[k - 1], "open")):
                window.click(point)
                time.sleep(0.4)
                shown[state] = x.shot().crop(place).tobytes()
            if shown["open"] == shown["closed"]:
                fail(f"drawer {k} looks the same open and closed")
            left, top, w, h = RECT[f"Pic_L{k}_Z"]
            for corner in ((left + 1, top + 1), (left + w - 2, top + h - 2)):
                for point, state in ((OPEN_DRAWER[k - 1], "closed"), (corner, "open")):
                    window.click(point)
                    wait_for(f"drawer {k} {state} after a click at {point}",
                             lambda: x.shot().crop(place).tobytes() == shown[state])
            window.click(OPEN_DRAWER[k - 1])


MWM_MINIMISE_MAXIMISE, MWM_FUNC_CLOSE = 0x08 | 0x10, 0x20
MWM_DECOR_MINIMISE_MAXIMISE, MWM_DECOR_TITLE = 0x20 | 0x40, 0x08


def check_window_icon(x, window):
    # _NET_WM_ICON holds width, height and that many ARGB pixels per image;
    # both images of Form_Pokaz.ico must be there, pixel for pixel.
    listed = x.run("xprop", "-id", window.window, "-f", "_NET_WM_ICON", "32c", "=$0+", "_NET_WM_ICON")
    values = [int(v) for v in listed.partition("=")[2].split(",") if v.strip()]
    icons = {}
    while len(values) > 2:
        w, h = values[:2]
        icons[w, h], values = values[2:2 + w * h], values[2 + w * h:]
    ico = Image.open(os.path.join(ASSETS, "Form_Pokaz.ico"))
    for size in ((32, 32), (16, 16)):
        want = [a << 24 | r << 16 | g << 8 | b if a else 0 for r, g, b, a in ico.ico.getimage(size).getdata()]
        if [v if v >> 24 else 0 for v in icons.get(size, [])] != want:
            fail(f"window icon {size}: sizes given {sorted(icons)}")


def under_openbox_centred_fixed_and_closed_by_its_button():
    with XSession() as x:
        x.start_window_manager()
        window = Program(x)
        properties = wait_for("a frame round the window", lambda: re.search(
            r"_NET_FRAME_EXTENTS\(CARDINAL\) = (\d+), (\d+), (\d+), (\d+)\n.*= (.*)",
            x.run("xprop", "-id", window.window, "_NET_FRAME_EXTENTS", "_NET_WM_ALLOWED_ACTIONS")))
        left, right, top, bottom = map(int, properties.groups()[:4])
        x_, y, w, h = window.geometry()
        # Twice the distance between the centres of the frame and the screen.
        offset = (2 * (x_ - left) + left + w + right - 1600, 2 * (y - top) + top + h + bottom - 1200)
        if max(map(abs, offset)) > 6:
            fail(f"frame off centre by {offset[0] / 2}, {offset[1] / 2}")
        # What the manager may do to the window, by its own account, and the
        # title-bar buttons the program asks for: a caption and close box, no
        # minimise or maximise button.
        actions = properties[5].split(", ")
        if "_NET_WM_ACTION_CLOSE" not in actions or {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                                     "_NET_WM_ACTION_MAXIMIZE_VERT"} & set(actions):
            fail(f"allowed actions {actions}")
        motif = x.run("xprop", "-id", window.window, "_MOTIF_WM_HINTS").split("=")[1].split(",")
        functions, decorations = int(motif[1], 16), int(motif[2], 16)
        if functions & MWM_MINIMISE_MAXIMISE or decorations & MWM_DECOR_MINIMISE_MAXIMISE or \
                ~functions & MWM_FUNC_CLOSE or ~decorations & MWM_DECOR_TITLE:
            fail(f"Motif hints: functions {functions:#x}, decorations {decorations:#x}")
        check_window_icon(x, window)
        # The close button is the rightmost one in the title bar.
        x.xdotool("mousemove", x_ + w + right - 1 - top // 2, y - top + top // 2, "click", 1)
        if window.process.wait(timeout=10) != 0:
            fail("the close button did not end the program with status 0")


{"run": whole_exercise_twice_touching_no_file, "hit": click_just_inside_a_drawer_opens_it,
 "openbox": under_openbox_centred_fixed_and_closed_by_its_button}[CASE]()
print(f"e2e {CASE}: ok")
