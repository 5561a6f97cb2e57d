# Private desktops for running the program as built from outside, with real
# input: Session holds what they share (a scratch HOME and runtime folder, an
# environment free of the machine's own desktop, no session bus unless a test
# starts one; closing it ends every process it started, each with its whole
# process group). XSession is an Xvfb of its own with the X pointer moved by
# xdotool; WineSession runs the Windows program there, in a scratch Wine
# prefix; wayland_session.py has the Wayland desktop.
import contextlib, os, re, shutil, signal, subprocess, sys, tempfile, time

from PIL import Image, ImageGrab


def wait_for(what, probe, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        with contextlib.suppress(subprocess.CalledProcessError):
            if found := probe():
                return found
        time.sleep(0.06)
    fail(what)


def fail(what):
    sys.exit("FAIL: " + what)


def expect(holds, what):
    if not holds:
        fail(what)


def icon_shown(drawn, shown):
    # The drawn pixels of an icon, and only they, are on the pointer as they are in the icon.
    return shown.size == drawn.size and all((d[3] == 0) == (s[3] == 0) and (d[3] == 0 or d[:3] == s[:3])
                                            for d, s in zip(drawn.getdata(), shown.getdata()))


class Session(contextlib.AbstractContextManager):
    def __init__(self):
        self.helpers = []
        self.env = {k: v for k, v in os.environ.items() if not k.startswith((
            "DBUS_", "AT_SPI", "WAYLAND", "QT_QPA", "SESSION_MANAGER", "DISPLAY", "SWAYSOCK", "I3SOCK", "XDG_"))}
        self.home = tempfile.TemporaryDirectory()
        self.env["HOME"] = self.env["XDG_RUNTIME_DIR"] = self.home.name
        # A bus address that cannot be reached: the toolkit starts no bus of its own.
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(self.env["HOME"], "no-bus")

    def start(self, *args, **options):
        options = {"stdout": subprocess.PIPE, "stderr": subprocess.DEVNULL, "env": self.env} | options
        self.helpers.append(subprocess.Popen(args, text=True, start_new_session=True, **options))
        return self.helpers[-1]

    def launch(self, program, *launcher):
        return self.start(*launcher, program, stdout=None, stderr=None)

    def __exit__(self, *_):
        # Asked first, so that a compositor removes its sockets; killed if it will not end.
        for helper in reversed(self.helpers):
            for sig in (signal.SIGTERM, signal.SIGKILL):
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(helper.pid, sig)
                with contextlib.suppress(subprocess.TimeoutExpired):
                    helper.wait(5)
                    break
        self.home.cleanup()

    def run(self, *args, timeout=60):
        return subprocess.run(args, env=self.env, check=True, capture_output=True, text=True, timeout=timeout).stdout

    # The left button and the pointer, in screen pixels, through a
    # session's move, down and up: clicks within the double-click time, then
    # the pointer to rest.
    def click(self, x, y, times, rest):
        self.move(x, y)
        for _ in range(times):
            self.down()
            self.up()
        self.move(*rest)

    def path(self, points):
        for point in points:
            self.move(*point)
            time.sleep(0.01)  # slow enough that the toolkit merges no two motions into one drag event


class XSession(Session):
    def __init__(self, screen="1600x1200"):
        super().__init__()
        xvfb = self.start("Xvfb", "-displayfd", "1", "-screen", "0", screen + "x24", "-nolisten", "tcp")
        self.env["DISPLAY"] = ":" + xvfb.stdout.readline().strip()

    def find_window(self, title, seconds=30):
        return self.run("xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{title}$", timeout=seconds).split()[0]

    def client_geometry(self, window):
        # xdotool's own answer is off by the frame under a window manager.
        info = self.run("xwininfo", "-id", window)
        keys = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
        return [int(re.search(key + r":\s+(-?\d+)", info)[1]) for key in keys]

    def move(self, x, y):
        self.run("xdotool", "mousemove", str(x), str(y))

    def down(self):
        self.run("xdotool", "mousedown", "1")

    def up(self):
        self.run("xdotool", "mouseup", "1")

    def shot(self):
        return ImageGrab.grab(xdisplay=self.env["DISPLAY"])

    def pointer_area(self):
        return None  # X leaves the pointer out of its grabs

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

    def start_window_manager(self):
        # Openbox runs its start-up command once it manages windows; a window
        # mapped any earlier may be left unmanaged and unmapped.
        ready = os.path.join(self.env["HOME"], "window-manager-ready")
        self.start("openbox", "--sm-disable", "--startup", "touch " + ready, stdout=subprocess.DEVNULL)
        wait_for("openbox manages windows", lambda: os.path.exists(ready))


class WineSession(XSession):
    # A copy of a prepared Wine prefix (make_prefix), whose Wine server and
    # programs end with the session. At scale 2 the desktop runs at 192 dots
    # per inch, as Windows does at 200 %.
    WINE = "/usr/lib/wine/wine64"

    def __init__(self, template, scale=1.0, **options):
        super().__init__(**options)
        self.env.update(WINEPREFIX=os.path.join(self.home.name, "wine"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        shutil.copytree(template, self.env["WINEPREFIX"], symlinks=True)
        if scale != 1:
            self.wine("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                      "/d", str(round(96 * scale)), "/f")

    def wine(self, *args, timeout=120):
        return self.run(self.WINE, *args, timeout=timeout)

    def launch(self, program, *launcher):
        return self.start(self.WINE, program, stdout=None, stderr=None)

    def __exit__(self, *exception):
        with contextlib.suppress(subprocess.SubprocessError):
            self.run("/usr/lib/wine/wineserver64", "-k", timeout=20)
        super().__exit__(*exception)

    def warm_up(self, program):
        # A first start leaves Wine's own keys for the display and the fonts,
        # which Windows has had since it was installed.
        self.launch(program)
        self.find_window("Pokaz")
        self.run("/usr/lib/wine/wineserver64", "-k", timeout=20)

    def state(self, but=None):
        # What a Windows program could leave behind: the files of its C: drive,
        # with their times, but those in folders named `but`, and the
        # registry's keys (Wine keeps times of its own in the registry, and
        # writes it out when its server ends).
        self.run("/usr/lib/wine/wineserver64", "-w", timeout=60)
        prefix = self.env["WINEPREFIX"]
        files = (os.path.join(folder, name) for folder, _, names in os.walk(prefix + "/drive_c")
                 if f"/{but}/" not in folder + "/" for name in names)
        state = {(path, os.lstat(path).st_mtime_ns) for path in files}
        for registry in ("system.reg", "user.reg"):
            with open(os.path.join(prefix, registry), encoding="utf-8", errors="replace") as keys:
                state |= {line.split("] ")[0] for line in keys if line.startswith("[")}
        return state

    @staticmethod
    def make_prefix(folder):
        shutil.rmtree(folder, ignore_errors=True)
        with XSession() as x:
            x.env.update(WINEPREFIX=folder, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
            x.run(WineSession.WINE, "wineboot", "--init", timeout=300)
            x.run("/usr/lib/wine/wineserver64", "-w", timeout=60)
