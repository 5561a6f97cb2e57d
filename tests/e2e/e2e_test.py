#!/usr/bin/python3
# The program as built, on a desktop of its own, driven only by real pointer
# input and checked only by what the screen shows, and, if asked, by what a
# screen reader hears; the desktop is one of Session.desktops, and the run
# asks it nothing of what it is.
#   e2e_test.py POKAZ ASSET_DIR SCALE DESKTOP [DESKTOP_ARGUMENT...] [--screen-reader]
import functools, json, os, re, sys, time

import chromium_session, firefox_session, wayland_session, webkit_session, x_session  # noqa: F401, the desktops
from learner import POINT, RECT, Learner, centre
from PIL import Image, ImageDraw
from session import Session, expect, wait_for

LISTEN = "--screen-reader" in sys.argv
POKAZ, ASSETS, SCALE, DESKTOP, *DESKTOP_ARGUMENTS = (a for a in sys.argv[1:] if a != "--screen-reader")
SCALE = float(SCALE)
# The box round each caption's ink, in pixels at scale 1, as its face and size draw it.
INK = {"Tok": (14, 9), "BTN_Ponovo": (93, 17), "BTN_Kraj": (25, 16), "PorukaKraj": (290, 23)}


with open(os.path.join(ASSETS, "manifest.json")) as manifest:
    DOUBLE_FOLDER = json.load(manifest)["twiceTheSize"]["folder"]


def asset(name, extension=".bmp"):
    return os.path.join(ASSETS, DOUBLE_FOLDER if SCALE > 1 else "", name + extension)


@functools.cache
def picture(name):
    return Image.open(asset(name)).convert("RGB")


class Program(Learner):
    # The program's window in a session, and a learner who looks at it.

    def sees(self, *names):
        # Each picture where its control lies, pixel for pixel; where a session
        # draws the pointer into its grabs, that part is left out.
        def shown(shot, name):
            left, top = self.screen(*RECT[name][:2])
            width, height = picture(name).size
            seen, wanted = shot.crop((left, top, left + width, top + height)), picture(name).copy()
            for image in (seen, wanted) if (hidden := self.x.pointer_area()) else ():
                ImageDraw.Draw(image).rectangle([n - o for n, o in zip(hidden, (left, top) * 2)], fill=0)
            return seen.tobytes() == wanted.tobytes()
        if names:
            wait_for(" and ".join(names) + " on screen", lambda: all(map(functools.partial(shown, self.x.shot()), names)))

    def holds(self, icon):
        wait_for(f"{icon} as the pointer", lambda: self.pointer_is(icon))

    def finished(self):
        # The instruction highlighted.
        x, y = self.screen(*centre("Poruka"))
        return self.x.grab((x, y, x + 1, y + 1)).getpixel((0, 0)) == (255, 0, 0)

    def ink(self, name):
        # The size of the box round a caption's dark pixels inside its
        # control, clear of its border and focus frame, in screen pixels.
        x, y, w, h = RECT[name]
        inside = self.x.grab((*self.screen(x + 3, y + 3), *self.screen(x + w - 3, y + h - 3))).convert("L")
        left, top, right, bottom = inside.point(lambda v: 255 if v < 100 else 0).getbbox() or (0, 0, 0, 0)
        return right - left, bottom - top

    def wait_for_captions(self, *names):
        # Each caption as wide and as tall as it is drawn in its own face and size.
        wait_for(f"the captions: {[self.ink(name) for name in names]}", lambda: all(
            abs(n - m * SCALE) <= SCALE for name in names for n, m in zip(self.ink(name), INK[name])))

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

    def put_in_envelope(self):
        # Where the run knows the desktop's double-click time, a second press after a pause first, a double-click
        # or not as that time says (SECOND_PRESSES); then, unless it posted the letter, a double-click as it comes.
        pause, posts = SECOND_PRESSES.get(self.x.double_click_time, (0, False))
        if pause:
            self.click(POINT["PaperPoint"], 2, pause=pause, then=("Pic_S_Z", "Pic_Pismo") if posts else ())
            time.sleep(0 if posts else 1)  # after which a press is a first one again
            expect(posts or self.finished(), "a second press counted as a first one posted the letter")
        if not posts:
            super().put_in_envelope()


# By the learner's double-click time, the pause before a second press on the finished letter, and whether it
# posts the letter, whatever the toolkit's own timer (400 ms, press to press) says. 900 ms is Windows' slowest
# setting; Firefox's WebDriver counts a press within 640 ms of the last release as the next click.
SECOND_PRESSES = {0.25: (0.3, False), 0.9: (0.6, True), 0.64: (0.5, True)}
START = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo."
FINISHED = " Napravite dvostruki klik na papir da stavite pismo u kuvertu!"
CLOSING = "Ostalo je na poštarima..."


class ScreenReader:
    # What a screen reader hears: where the program speaks through a live region of its own, what is said
    # there (status_lines); elsewhere its tree read through AT-SPI on the session's own session and
    # accessibility buses, and the names it is told have changed.

    def __init__(self, x):
        self.x, self.heard = x, []
        if x.status_lines:
            return
        x.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        # The bus's socket goes in the session's scratch folder, not in /tmp.
        bus = x.start("dbus-daemon", "--session", "--nofork", "--print-address=1", "--address=unix:dir=" + x.home.name)
        x.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        x.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        os.environ.update(x.env)
        import pyatspi
        from gi.repository import GLib
        self.atspi, self.events = pyatspi, GLib.MainContext.default()
        pyatspi.Registry.registerEventListener(lambda e: self.heard.append(e.source_name),
                                               "object:property-change:accessible-name")

    def labels(self):
        # The shown labels, by what they say and what they are for.
        if self.x.status_lines:
            self.heard += (lines := self.x.status_lines())  # all a live region says is heard
            return lines
        while self.events.iteration(False):
            pass
        apps = [app for app in self.atspi.Registry.getDesktop(0) if app and app.name == "Pokaz"]
        showing = lambda o: o.getState().contains(self.atspi.STATE_SHOWING)
        shown = self.atspi.findAllDescendants(apps[0], showing) if apps else []
        return {o.name: o.description for o in shown if o.getRole() == self.atspi.ROLE_LABEL}

    def announced(self, *patterns):
        # Each heard as a change, and said by a shown label now.
        labels = self.labels()
        return all(any(map(re.compile(p).fullmatch, self.heard)) and any(map(re.compile(p).fullmatch, labels))
                   for p in patterns)


def whole_exercise_twice_writing_nothing():
    # Every file or registry key the program changes is seen (Session.misuse).
    # At scale 2 the window is twice its size in screen pixels, every picture
    # and drag pointer at twice the size.
    with Session.desktops[DESKTOP](SCALE, *DESKTOP_ARGUMENTS) as x:
        reader = ScreenReader(x) if LISTEN else None
        window = Program(x, POKAZ)
        close_box = x.check_frame(window)
        for finish in ("BTN_Ponovo", "BTN_Kraj"):
            if reader:
                wait_for("the instruction and 0%", lambda: reader.labels() == {START: "Uputa", "0%": "Napisano posto"})
                reader.heard.clear()
            window.sees("Pic_L1_Z", "Pic_L2_Z", "Pic_L3_Z", "Pic_L4_Z", "Pic_L5_Z")
            window.wait_for_captions("Tok")
            window.take_out_paper_and_pencils()
            expect(window.write(), "the letter never finished")
            if reader:
                wait_for("a percentage and the double-click instruction announced",
                         lambda: reader.announced(r" [1-9]\d*%", re.escape(FINISHED)))
            expect(not window.pointer_is("Pic_Olovke"), "the pencil still the pointer after the drag")
            window.put_in_envelope()
            window.post()
            window.wait_for_captions("BTN_Ponovo", "BTN_Kraj", "PorukaKraj")
            if reader:
                wait_for("the closing text alone", lambda: reader.labels() == {CLOSING: "Ostalo je na poštarima"})
            if finish == "BTN_Ponovo":
                window.start_again()
            elif close_box:  # the title bar's close box ends it as Kraj does
                x.click(*close_box, 1, rest=(2, 2))
            else:
                window.click(centre(finish))
        expect(window.process.wait(timeout=10) == 0, "Kraj or the close box did not end the program with status 0")
        changed = x.misuse()
        expect(not changed, "files or registry keys changed, or file calls:\n" + "\n".join(map(str, changed))[:2000])


whole_exercise_twice_writing_nothing()
print("e2e run: ok")
