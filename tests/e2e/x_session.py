# Desktops on an Xvfb of their own, with the X pointer moved by xdotool and
# read through XFixes: X alone (the program scaled by Qt), under openbox, and
# the Windows program under Wine (scaled by Windows' dots per inch).
import contextlib, os, re, shutil, subprocess

from PIL import Image, ImageGrab
from session import Session, expect, icon_shown, wait_for


class XServer(Session):
    def __init__(self, scale):
        super().__init__(scale)
        xvfb = self.start("Xvfb", "-displayfd", "1", "-screen", "0", "%dx%dx24" % self.SCREEN, "-nolisten", "tcp")
        self.env["DISPLAY"] = ":" + xvfb.stdout.readline().strip()

    def find_window(self, title, seconds=30):
        # xdotool gives up at an X error, as when a window goes while it looks (Wine's own, as Wine starts).
        def found():
            with contextlib.suppress(subprocess.CalledProcessError):
                return self.run("xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{title}$",
                                timeout=seconds).split()[0]
        return wait_for(f"a window titled {title}", found, seconds)

    def client_geometry(self, window):
        # xdotool's own answer is off by the frame under a window manager.
        info = self.run("xwininfo", "-id", window)
        keys = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
        return [int(re.search(key + r":\s+(-?\d+)", info)[1]) for key in keys]

    def move(self, x, y): self.run("xdotool", "mousemove", str(x), str(y))
    def down(self): self.run("xdotool", "mousedown", "1")
    def up(self): self.run("xdotool", "mouseup", "1")

    def shot(self, box=None):
        return ImageGrab.grab(box, xdisplay=self.env["DISPLAY"])

    def pointer_is(self, drawn, aim, within):
        # The pointer's picture as XFixes has it, and its hot spot.
        from Xlib import display
        from Xlib.ext import xfixes  # noqa: F401, makes the extension known
        screen = display.Display(self.env["DISPLAY"])
        screen.xfixes_query_version()
        cursor = screen.xfixes_get_cursor_image(screen.screen().root)
        screen.close()
        argb = b"".join(p.to_bytes(4, "little") for p in cursor.cursor_image)
        shown = Image.frombytes("RGBA", (cursor.width, cursor.height), argb, "raw", "BGRA")
        return max(abs(cursor.xhot - aim[0]), abs(cursor.yhot - aim[1])) <= within and icon_shown(drawn, shown)


class XSession(XServer, desktop="x11"):
    # No window manager: nobody frames the window, and Qt scales the program.
    def __init__(self, scale):
        super().__init__(scale)
        self.env["QT_SCALE_FACTOR"] = str(scale)


class OpenboxSession(XSession, desktop="openbox"):
    def __init__(self, scale):
        super().__init__(scale)
        # Openbox runs its start-up command once it manages windows; a window
        # mapped any earlier may be left unmanaged and unmapped.
        ready = os.path.join(self.env["HOME"], "window-manager-ready")
        self.start("openbox", "--sm-disable", "--startup", "touch " + ready, stdout=subprocess.DEVNULL)
        wait_for("openbox manages windows", lambda: os.path.exists(ready))

    def check_frame(self, window):
        # Centred with the frame openbox puts round it, fixed, with a close box, the rightmost in the title bar
        # (which buttons and icon the window asks for, the widget tests see).
        names = "_NET_FRAME_EXTENTS", "_NET_WM_ALLOWED_ACTIONS"
        properties = lambda: dict(re.findall(r"^(\w+)\([^)]*\)\s*=\s*(.*)$",
                                             self.run("xprop", "-id", window.window, *names), re.M))
        found = wait_for("a frame round the window", lambda: (p := properties()).keys() >= set(names) and p)
        left, right, top, bottom = map(int, found["_NET_FRAME_EXTENTS"].split(", "))
        x, y, w, h = window.geometry()
        self.expect_centred(x - left, y - top, left + w + right, top + h + bottom, within=3)
        actions = set(found["_NET_WM_ALLOWED_ACTIONS"].split(", "))
        expect("_NET_WM_ACTION_CLOSE" in actions and not {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ"} & actions,
               f"allowed: {actions}")
        return x + w + right - 1 - top // 2, y - top + top // 2


class WineSession(XServer, desktop="wine"):
    # A copy of a prepared Wine prefix (make_prefix), whose Wine server and
    # programs end with the session. At scale 2 the desktop runs at 192 dots
    # per inch, as Windows does at 200 %.
    WINE, SERVER = "/usr/lib/wine/wine64", "/usr/lib/wine/wineserver64"
    ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}

    def __init__(self, scale, template):
        super().__init__(scale)
        self.env.update(self.ENV, WINEPREFIX=os.path.join(self.home.name, "wine"))
        shutil.copytree(template, self.env["WINEPREFIX"], symlinks=True)
        if scale != 1:
            self.wine("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                      "/d", str(round(96 * scale)), "/f")
        self.before = None

    def wine(self, *args, timeout=120): return self.run(self.WINE, *args, timeout=timeout)

    def server(self, flag, timeout=60):
        # -k ends the Wine server and its programs, -w waits until it has ended.
        self.run(self.SERVER, flag, timeout=timeout)

    def warm_up(self, program):
        # A first start leaves Wine's own keys for the display and the fonts,
        # which Windows has had since it was installed; what the program
        # changes is told from what was there after it.
        self.start(self.WINE, program, stdout=None, stderr=None)
        self.find_window("Pokaz")
        self.server("-k", timeout=20)
        self.before = self.state()

    def launch(self, program):
        if self.before is None:
            self.warm_up(program)
        return self.start(self.WINE, program, stdout=None, stderr=None)

    def misuse(self): return sorted(self.state() ^ self.before)

    def __exit__(self, *exception):
        with contextlib.suppress(subprocess.SubprocessError):
            self.server("-k", timeout=20)
        super().__exit__(*exception)

    def state(self, but=None):
        # What a Windows program could leave behind: the files of its C: drive,
        # with their times, but those in folders named `but`, and the
        # registry's keys (Wine keeps times of its own in the registry, and
        # writes it out when its server ends).
        self.server("-w")
        prefix = self.env["WINEPREFIX"]
        files = (os.path.join(folder, name) for folder, _, names in os.walk(prefix + "/drive_c")
                 if f"/{but}/" not in folder + "/" for name in names)
        state = {(path, os.lstat(path).st_mtime_ns) for path in files}
        for registry in ("system.reg", "user.reg"):
            with open(os.path.join(prefix, registry), encoding="utf-8", errors="replace") as keys:
                state |= {line.split("] ")[0] for line in keys if line.startswith("[")}
        return state

    @classmethod
    def make_prefix(cls, folder):
        shutil.rmtree(folder, ignore_errors=True)
        with XServer(1) as x:
            x.env.update(cls.ENV, WINEPREFIX=folder)
            x.run(cls.WINE, "wineboot", "--init", timeout=300)
            x.run(cls.SERVER, "-w", timeout=60)
