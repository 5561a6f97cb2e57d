#!/usr/bin/python3
# The program as built, on a display of its own, driven only by real pointer
# input and checked only by what the screen shows: on X11, natively on
# Wayland and through Xwayland (under strace), under openbox, and the
# Windows program under Wine. On plain X11 a screen reader listens too.
#   e2e_test.py POKAZ ASSET_DIR SCALE [x11 | openbox | wayland | xwayland | wine PREFIX_TEMPLATE]
import functools, os, re, sys

from PIL import Image, ImageDraw
from x_session import WineSession, XSession, expect, fail, wait_for

POKAZ, ASSETS = sys.argv[1:3]
SCALE = float(sys.argv[3])
SESSION = sys.argv[4] if len(sys.argv) > 4 else "x11"

# The client places the widget tests use too, in pixels.
with open(os.path.join(os.path.dirname(__file__), "..", "common", "client_layout.h")) as header:
    LAYOUT = header.read()
RECT = {name: tuple(map(int, box))
        for name, *box in re.findall(r"\{(\w+), \{(\d+), (\d+), (\d+), (\d+)\}\}", LAYOUT)}
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


def centre(name):
    x, y, w, h = RECT[name]
    return x + w // 2, y + h // 2


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
    def click(self, point, times=1, then=()):
        self.x.click(*self.screen(*point), times, rest=self.screen(*REST))
        if then:
            self.wait_for_pictures(*then)

    def press(self, point):
        self.x.move(*self.screen(*point))
        self.x.down()

    def release(self):
        self.x.up()
        self.x.move(*self.screen(*REST))

    def move_along(self, *points):
        self.x.path([self.screen(*p) for p in points])

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
        return self.x.shot().getpixel(self.screen(*centre("Poruka"))) == (255, 0, 0)

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
        window.move_along(writing_point(n))
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


START = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo."
FINISHED = " Napravite dvostruki klik na papir da stavite pismo u kuvertu!"


class ScreenReader:
    # What a screen reader hears: the program's tree read through AT-SPI on
    # the session's own session and accessibility buses, and the names it is
    # told have changed.

    def __init__(self, x):
        x.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        # The bus's socket goes in the session's scratch folder, not in /tmp.
        bus = x.start("dbus-daemon", "--session", "--nofork", "--print-address=1", "--address=unix:dir=" + x.home.name)
        x.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        x.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        os.environ.update(x.env)
        import pyatspi
        from gi.repository import GLib
        self.atspi, self.events, self.heard = pyatspi, GLib.MainContext.default(), []
        pyatspi.Registry.registerEventListener(lambda e: self.heard.append(e.source_name),
                                               "object:property-change:accessible-name")

    def labels(self):
        # The shown labels, by what they say and what they are for; every shown control must have a name.
        while self.events.iteration(False):
            pass
        apps = [app for app in self.atspi.Registry.getDesktop(0) if app and app.name == "Pokaz"]
        showing = lambda o: o.getState().contains(self.atspi.STATE_SHOWING)
        shown = self.atspi.findAllDescendants(apps[0], showing) if apps else []
        unnamed = [o.getRoleName() for o in shown if not o.name.strip()]
        expect(not unnamed, f"shown controls without a name: {unnamed}")
        return {o.name: o.description for o in shown if o.getRole() == self.atspi.ROLE_LABEL}

    def announced(self, *patterns):
        # Each heard as a change, and said by a shown label now.
        labels = self.labels()
        return all(any(map(re.compile(p).fullmatch, self.heard)) and any(map(re.compile(p).fullmatch, labels))
                   for p in patterns)


def file_misuse(log):
    # What strace saw the program do to files: anything written, and any
    # read of what is compiled in.
    writes = re.compile(r'\b(open\w*\("(?!/dev/|/proc/)[^"]*", [A-Z_|]*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)'
                        r'|(creat|truncate|rename\w*|link\w*|symlink\w*|unlink\w*|mkdir\w*)\()')
    compiled_in = re.compile(r"/(assets/|tahoma\w*\.ttf|ms_sans_serif\.ttf)")
    with open(log) as file:
        lines = file.read().splitlines()
    return [line for line in lines if writes.search(line) or compiled_in.search(line)] if lines else ["no file call"]


def framed_by_openbox(x, window):
    # Centred with the frame openbox puts round it, fixed, with the window
    # icon's both images and a close box, no minimise or maximise button;
    # returns where the close box is, the rightmost in the title bar, whose
    # click ends the run.
    properties = wait_for("a frame round the window", lambda: re.search(
        r"_NET_FRAME_EXTENTS\(CARDINAL\) = (\d+), (\d+), (\d+), (\d+)\n.*= (.*)\n.*= .*, (.*), (.*), .*, .*\n.*=(.*)",
        x.run("xprop", "-id", window.window, "-f", "_NET_WM_ICON", "32c", "=$0+", "_NET_FRAME_EXTENTS",
              "_NET_WM_ALLOWED_ACTIONS", "_MOTIF_WM_HINTS", "_NET_WM_ICON")))
    left, right, top, bottom = map(int, properties.groups()[:4])
    x_, y, w, h = window.geometry()
    # Twice the distance between the centres of the frame and the screen.
    offset = (2 * (x_ - left) + left + w + right - 1600, 2 * (y - top) + top + h + bottom - 1200)
    expect(max(map(abs, offset)) <= 6, f"frame off centre by {offset[0] / 2}, {offset[1] / 2}")
    # Openbox offers to minimise any window; the program's Motif hints ask for no minimise or maximise
    # function (0x08, 0x10) or button (0x20, 0x40).
    actions, functions, decorations = set(properties[5].split(", ")), int(properties[6], 16), int(properties[7], 16)
    expect("_NET_WM_ACTION_CLOSE" in actions and not {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ"} & actions
           and not functions & 0x18 and not decorations & 0x60, f"{actions}, Motif {functions:#x} {decorations:#x}")
    # _NET_WM_ICON holds width, height and that many ARGB pixels per image.
    values, icons = [int(v) for v in properties[8].split(",") if v.strip()], {}
    while len(values) > 2:
        icons[values[0], values[1]], values = values[2:2 + values[0] * values[1]], values[2 + values[0] * values[1]:]
    ico = Image.open(os.path.join(ASSETS, "Form_Pokaz.ico"))
    for size in ((32, 32), (16, 16)):
        want = [a << 24 | r << 16 | g << 8 | b if a else 0 for r, g, b, a in ico.ico.getimage(size).getdata()]
        expect([v if v >> 24 else 0 for v in icons.get(size, [])] == want, f"window icon {size}: sizes {sorted(icons)}")
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
        reader = ScreenReader(x) if SESSION == "x11" else None
        window = Program(x, *strace, env=env) if not wine else Program(x)
        close_box = framed_by_openbox(x, window) if SESSION == "openbox" else None
        if SESSION in ("wayland", "xwayland"):  # sway floats a window of a fixed size, centred
            left, top, width, height = window.geometry()
            expect(max(abs(2 * left + width - x.shot().width), abs(2 * top + height - x.shot().height)) <= 4,
                   f"the window at {left}, {top}, not centred")
        for finish in ("BTN_Ponovo", "BTN_Kraj"):
            wait_for(f"the window at {FULL_SIZE}", lambda: window.geometry()[2:] == FULL_SIZE)
            if reader:
                wait_for("the instruction and 0%", lambda: reader.labels() == {START: "Uputa", "0%": "Napisano posto"})
                reader.heard.clear()
            window.wait_for_pictures("Pic_L1_Z", "Pic_L2_Z", "Pic_L3_Z", "Pic_L4_Z", "Pic_L5_Z")
            window.click(CLOSED_DRAWER[2], then=("Pic_L3_O", "Pic_Papir_0"))
            window.click(OPEN_DRAWER[2])
            window.click(CLOSED_DRAWER[3], then=("Pic_L4_O", "Pic_Olovke"))
            window.click(OPEN_DRAWER[3], then=("Pic_L3_Z", "Pic_L4_Z"))
            window.press(POINT["PencilsPoint"])
            wait_for("the pencil as the pointer", lambda: window.pointer_is("Pic_Olovke"))
            write_until_finished(window)
            if reader:
                wait_for("a percentage and the double-click instruction announced",
                         lambda: reader.announced(r" [1-9]\d*%", re.escape(FINISHED)))
            expect(not window.pointer_is("Pic_Olovke"), "the pencil still the pointer after the drag")
            window.click(POINT["PaperPoint"], times=2, then=("Pic_S_Z", "Pic_Pismo"))
            # The envelope let go outside the window posts nothing.
            window.press(POINT["EnvelopePoint"])
            window.move_along(POINT["SlotPoint"], (-20, POINT["SlotPoint"][1]))
            window.release()
            window.wait_for_pictures("Pic_S_Z", "Pic_Pismo")
            # The slot opens under the envelope; the drop there posts it.
            window.press(POINT["EnvelopePoint"])
            # Into the closed slot, then on to a corner of the open one, clear of most of it.
            x_, y, w, h = RECT["Pic_S_O"]
            window.move_along(POINT["BetweenBackgroundsPoint"], POINT["SlotPoint"], (x_ + w - 5, y + h - 5))
            window.wait_for_pictures("Pic_S_O")
            wait_for("the envelope as the pointer", lambda: window.pointer_is("Pic_Pismo"))
            window.release()
            closing_scene(window)
            if finish == "BTN_Kraj" and close_box:  # the title bar's close box ends it as Kraj does
                x.click(*close_box, 1, rest=(2, 2))
            else:
                window.click(centre(finish))
        expect(window.process.wait(timeout=10) == 0, "Kraj or the close box did not end the program with status 0")
        changed = sorted(x.state() ^ before) if wine else file_misuse(log)
        expect(not changed, "files or registry keys changed, or file calls:\n" + "\n".join(map(str, changed))[:2000])


whole_exercise_twice_writing_nothing()
print("e2e run: ok")
