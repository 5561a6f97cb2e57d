#!/usr/bin/python3
# The program as built, on a display of its own, driven only by real pointer
# input and checked only by what the screen shows: on X11, natively on
# Wayland and through Xwayland (under strace), under openbox, and the
# Windows program under Wine.
#   e2e_test.py POKAZ ASSET_DIR SCALE [x11 | openbox | wayland | xwayland | wine PREFIX_TEMPLATE]
import functools, os, re, sys, time

from PIL import Image, ImageDraw
from x_session import WineSession, XSession, fail, wait_for

POKAZ, ASSETS = sys.argv[1:3]
SCALE = float(sys.argv[3])
SESSION = sys.argv[4] if len(sys.argv) > 4 else "x11"
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
REST = 600, 2


def asset(name, extension=".bmp"):
    return os.path.join(ASSETS, "2x" if SCALE > 1 else "", name + extension)


@functools.cache
def picture(name):
    return Image.open(asset(name)).convert("RGB")


class Program:
    # The program's window in a session, and a learner's pointer on it.

    def __init__(self, session, *launcher, env=()):
        self.x = session
        session.env.update(env)
        self.process = session.launch(POKAZ, *launcher)
        self.window = session.find_window("Pokaz")
        self.geometry()

    def geometry(self):
        # A compositor may centre the window anew when its height changes.
        found = self.x.client_geometry(self.window)
        self.origin = found[:2]
        return found

    def screen(self, x, y):
        return self.origin[0] + int(x * SCALE + 0.5), self.origin[1] + int(y * SCALE + 0.5)

    # Clicks and releases leave the pointer on the frame's top edge, where no
    # tooltip shows up in a screenshot. (Xwayland loses a press that comes
    # soon after the pointer came back into the window.)
    def click(self, point, times=1):
        self.x.click(*self.screen(*point), times, rest=self.screen(*REST))

    def press(self, point):
        self.x.move(*self.screen(*point))
        self.x.down()

    def release(self):
        self.x.up()
        self.x.move(*self.screen(*REST))

    def move_along(self, points, pause):
        self.x.path([self.screen(*p) for p in points], pause)

    def shows(self, shot, *names):
        # Where a session draws the pointer into its grabs, that part is left out.
        hidden = self.x.pointer_area()

        def one(name):
            left, top = self.screen(*RECT[name][:2])
            width, height = picture(name).size
            seen, wanted = shot.crop((left, top, left + width, top + height)), picture(name).copy()
            for image in (seen, wanted) if hidden else ():
                ImageDraw.Draw(image).rectangle([n - o for n, o in zip(hidden, (left, top) * 2)], fill=0)
            return seen.tobytes() == wanted.tobytes()
        return all(map(one, names))

    def wait_for_pictures(self, *names):
        return wait_for(" and ".join(names) + " on screen", lambda: self.shows(self.x.shot(), *names))

    def highlighted(self):
        x, y, w, h = RECT["Poruka"]
        return self.x.shot().getpixel(self.screen(x + w // 2, y + h // 2)) == (255, 0, 0)

    def pointer_is(self, icon):
        # The pointer is the drag icon, pixel for pixel, and points where the
        # icon does: the pencil with its tip, the drawn pixel nearest the
        # bottom-left corner; the envelope with its middle.
        drawn = Image.open(asset(icon, ".drag.ico")).convert("RGBA")
        alpha = drawn.getchannel("A")
        if icon == "Pic_Olovke":
            aim = max(((x, y) for y in range(drawn.height) for x in range(drawn.width) if alpha.getpixel((x, y))),
                      key=lambda p: p[1] - p[0])
        else:
            left, top, right, bottom = alpha.getbbox()
            aim = (left + right) // 2, (top + bottom) // 2
        return self.x.pointer_is(drawn, aim, SCALE)


def writing_point(n):
    # The n-th point of a zig-zag over the paper; neighbours never coincide.
    x, y, w, h = RECT["Pic_Papir_1"]
    return x + 6 + n % 9 * 9, y + 6 if n % 2 == 0 else y + h - 7


def write_until_finished(window):
    # Where the count does not matter, writing goes on until the letter is
    # finished; that makes up for motions the toolkit merged on a busy machine.
    for n in range(150):
        window.move_along([writing_point(n)], QUICK)
        if window.highlighted():
            return window.release()
    fail("the letter never finished")


def closing_scene(window):
    # The window at the closing height, "Još jednom..." written on its button.
    def shown():
        height = round(window.geometry()[3] / SCALE)
        x, y, w, h = RECT["BTN_Ponovo"]
        button = window.x.shot().crop((*window.screen(x, y), *window.screen(x + w, y + h))).convert("L")
        return height in CLOSING_HEIGHTS and min(button.getdata()) < 80
    wait_for("the closing scene", shown)
    window.x.move(*window.screen(*REST))  # back into the window, wherever it now stands


def file_misuse(log):
    # What strace saw the program do to files: anything written, and any
    # read of what is compiled in.
    writes = re.compile(r'\b(open\w*\("(?!/dev/|/proc/)[^"]*", [A-Z_|]*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)'
                        r'|(creat|truncate|rename\w*|link\w*|symlink\w*|unlink\w*|mkdir\w*)\()')
    compiled_in = re.compile(r"/(assets/|tahoma\w*\.ttf|ms_sans_serif\.ttf)")
    with open(log) as file:
        lines = file.read().splitlines()
    return [line for line in lines if writes.search(line) or compiled_in.search(line)] if lines else ["no file call"]


MWM_MINIMISE_MAXIMISE, MWM_FUNC_CLOSE = 0x08 | 0x10, 0x20
MWM_DECOR_MINIMISE_MAXIMISE, MWM_DECOR_TITLE = 0x20 | 0x40, 0x08


def framed_by_openbox(x, window):
    # Centred with the frame openbox puts round it, fixed, with a caption, the
    # window icon's both images and a close box, no minimise or maximise
    # button; returns where the close box is, the rightmost in the title bar.
    properties = wait_for("a frame round the window", lambda: re.search(
        r"_NET_FRAME_EXTENTS\(CARDINAL\) = (\d+), (\d+), (\d+), (\d+)\n.*= (.*)\n.*= (.*), (.*), (.*), .*, .*\n.*=(.*)",
        x.run("xprop", "-id", window.window, "-f", "_NET_WM_ICON", "32c", "=$0+", "_NET_FRAME_EXTENTS",
              "_NET_WM_ALLOWED_ACTIONS", "_MOTIF_WM_HINTS", "_NET_WM_ICON")))
    left, right, top, bottom = map(int, properties.groups()[:4])
    x_, y, w, h = window.geometry()
    # Twice the distance between the centres of the frame and the screen.
    offset = (2 * (x_ - left) + left + w + right - 1600, 2 * (y - top) + top + h + bottom - 1200)
    if max(map(abs, offset)) > 6:
        fail(f"frame off centre by {offset[0] / 2}, {offset[1] / 2}")
    actions = properties[5].split(", ")
    if "_NET_WM_ACTION_CLOSE" not in actions or {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                                 "_NET_WM_ACTION_MAXIMIZE_VERT"} & set(actions):
        fail(f"allowed actions {actions}")
    functions, decorations = int(properties[7], 16), int(properties[8], 16)
    if functions & MWM_MINIMISE_MAXIMISE or decorations & MWM_DECOR_MINIMISE_MAXIMISE or \
            ~functions & MWM_FUNC_CLOSE or ~decorations & MWM_DECOR_TITLE:
        fail(f"Motif hints: functions {functions:#x}, decorations {decorations:#x}")
    # _NET_WM_ICON holds width, height and that many ARGB pixels per image.
    values, icons = [int(v) for v in properties[9].split(",") if v.strip()], {}
    while len(values) > 2:
        icons[values[0], values[1]], values = values[2:2 + values[0] * values[1]], values[2 + values[0] * values[1]:]
    ico = Image.open(os.path.join(ASSETS, "Form_Pokaz.ico"))
    for size in ((32, 32), (16, 16)):
        want = [a << 24 | r << 16 | g << 8 | b if a else 0 for r, g, b, a in ico.ico.getimage(size).getdata()]
        if [v if v >> 24 else 0 for v in icons.get(size, [])] != want:
            fail(f"window icon {size}: sizes given {sorted(icons)}")
    return x_ + w + right - 1 - top // 2, y - top + top // 2


def session():
    # The desktop the run asks for; Wayland at its output's scale, the others
    # at the scale they are told.
    if SESSION == "wine":
        return WineSession(sys.argv[5], SCALE)
    if SESSION in ("wayland", "xwayland"):
        from wayland_session import WaylandSession
        return WaylandSession(scale=int(SCALE), xwayland=SESSION == "xwayland")
    x = XSession()
    if SESSION == "openbox":
        x.start_window_manager()
    return x


def whole_exercise_twice_writing_nothing():
    # On Linux under strace, which records every file call that succeeds;
    # under Wine against what the Windows file system and registry held after
    # a first start. At scale 2 the window is twice its size in screen pixels,
    # every picture and drag pointer at twice the size.
    wine = SESSION == "wine"
    with session() as x:
        log = os.path.join(x.home.name, "strace.log")
        strace = ("strace", "-f", "-z", "-qq", "-s", "4096", "-o", log, "-e",
                  "trace=%file,creat,truncate,rename,renameat,renameat2")
        # LeakSanitizer cannot work in a traced process.
        env = {"ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"}
        if SESSION in ("x11", "openbox", "xwayland"):
            env["QT_SCALE_FACTOR"] = str(SCALE)
        if wine:
            x.warm_up(POKAZ)
            before = x.state()
        window = Program(x, *strace, env=env) if not wine else Program(x)
        close_box = framed_by_openbox(x, window) if SESSION == "openbox" else None
        if SESSION in ("wayland", "xwayland"):  # sway floats a window of a fixed size, centred
            left, top, width, height = window.geometry()
            if max(abs(2 * left + width - x.shot().width), abs(2 * top + height - x.shot().height)) > 4:
                fail(f"the window at {left}, {top}, not centred")
        for finish in ("BTN_Ponovo", "BTN_Kraj"):
            wait_for(f"the window at {FULL_SIZE}", lambda: window.geometry()[2:] == FULL_SIZE)
            window.wait_for_pictures("Pic_L1_Z", "Pic_L2_Z", "Pic_L3_Z", "Pic_L4_Z", "Pic_L5_Z")
            window.click(CLOSED_DRAWER[2])
            window.wait_for_pictures("Pic_L3_O", "Pic_Papir_0")
            window.click(OPEN_DRAWER[2])
            window.click(CLOSED_DRAWER[3])
            window.wait_for_pictures("Pic_L4_O", "Pic_Olovke")
            window.click(OPEN_DRAWER[3])
            window.wait_for_pictures("Pic_L3_Z", "Pic_L4_Z")
            window.press(POINT["PencilsPoint"])
            wait_for("the pencil as the pointer", lambda: window.pointer_is("Pic_Olovke"))
            write_until_finished(window)
            if window.pointer_is("Pic_Olovke"):
                fail("the pencil still the pointer after the drag")
            window.click(POINT["PaperPoint"], times=2)
            window.wait_for_pictures("Pic_S_Z", "Pic_Pismo")
            # The envelope let go outside the window posts nothing.
            window.press(POINT["EnvelopePoint"])
            window.move_along([POINT["SlotPoint"], (-20, POINT["SlotPoint"][1])], QUICK)
            window.release()
            window.wait_for_pictures("Pic_S_Z", "Pic_Pismo")
            # The slot opens under the envelope; the drop there posts it.
            window.press(POINT["EnvelopePoint"])
            # Into the closed slot, then on to a corner of the open one, clear of most of it.
            x_, y, w, h = RECT["Pic_S_O"]
            window.move_along([POINT["BetweenBackgroundsPoint"], POINT["SlotPoint"], (x_ + w - 5, y + h - 5)], QUICK)
            window.wait_for_pictures("Pic_S_O")
            wait_for("the envelope as the pointer", lambda: window.pointer_is("Pic_Pismo"))
            window.release()
            closing_scene(window)
            x_, y, w, h = RECT[finish]
            if finish == "BTN_Kraj" and close_box:  # the title bar's close box ends it as Kraj does
                x.click(*close_box, 1, rest=(2, 2))
            else:
                window.click((x_ + w // 2, y + h // 2))
        if window.process.wait(timeout=10) != 0:
            fail("Kraj or the close box did not end the program with status 0")
        if wine and x.state() != before:
            fail("files or registry keys changed: " + str(sorted(x.state() ^ before))[:2000])
        if not wine and (misuse := file_misuse(log)):
            fail("file calls:\n" + "\n".join(misuse))



whole_exercise_twice_writing_nothing()
print("e2e run: ok")
