# What every private desktop of the end-to-end tests shares: a scratch HOME
# and runtime folder, an environment free of the machine's own desktop, no
# session bus unless a test starts one; closing it ends every process it
# started, each with its whole process group. Each kind of desktop is a
# subclass that names itself (Session.desktops) and carries its own facts: how
# it scales, how it starts and watches the program, what frame it puts round
# the window, how its pointer moves and is read.
import atexit, contextlib, os, re, signal, subprocess, sys, tempfile, time


def wait_for(what, probe, seconds=10):
    # `what` may be a function, asked at the failure for what was seen then.
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        with contextlib.suppress(subprocess.CalledProcessError, OSError, ValueError):  # not there yet
            if found := probe():
                return found
        time.sleep(0.06)
    fail(what() if callable(what) else what)


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
    desktops = {}  # by the name a test run asks for
    SCREEN = 1600, 1200
    double_click_time = None  # the learner's setting (s) by which the desktop counts clicks, where the run knows it
    status_lines = None  # where the program is heard through a live region of its own: what it says there

    def __init_subclass__(cls, desktop=None, **rest):
        super().__init_subclass__(**rest)
        if desktop:
            Session.desktops[desktop] = cls

    def __init__(self, scale):
        self.scale, self.helpers = scale, []
        atexit.register(self.__exit__)  # as well where a session fails to start, before any with-statement holds it
        self.env = {k: v for k, v in os.environ.items() if not k.startswith((
            "DBUS_", "AT_SPI", "WAYLAND", "QT_QPA", "SESSION_MANAGER", "DISPLAY", "SWAYSOCK", "I3SOCK", "XDG_"))}
        self.home = tempfile.TemporaryDirectory()
        self.env["HOME"] = self.env["XDG_RUNTIME_DIR"] = self.home.name
        # A bus address that cannot be reached: the toolkit starts no bus of its own.
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(self.env["HOME"], "no-bus")
        self.strace_log = os.path.join(self.home.name, "strace.log")

    def start(self, *args, **options):
        options = {"stdout": subprocess.PIPE, "stderr": subprocess.DEVNULL, "env": self.env} | options
        self.helpers.append(subprocess.Popen(args, text=True, start_new_session=True, **options))
        return self.helpers[-1]

    def launch(self, program):
        # Under strace, which records every file call that succeeds; LeakSanitizer cannot work in a traced process.
        env = self.env | {"ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"}
        return self.start("strace", "-f", "-z", "-qq", "-s", "4096", "-o", self.strace_log, "-e",
                          "trace=%file,creat,truncate,rename,renameat,renameat2", program,
                          stdout=None, stderr=None, env=env)

    def misuse(self):
        # What strace saw the program do to files: anything written, and any read of what is compiled in.
        writes = re.compile(r'\b(open\w*\("(?!/dev/|/proc/)[^"]*", [A-Z_|]*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)'
                            r'|(creat|truncate|rename\w*|link\w*|symlink\w*|unlink\w*|mkdir\w*)\()')
        compiled_in = re.compile(r"/(assets/|tahoma\w*\.ttf|ms_sans_serif\.ttf)")
        with open(self.strace_log) as file:
            lines = file.read().splitlines()
        return [line for line in lines if writes.search(line) or compiled_in.search(line)] if lines else ["no file call"]

    def check_frame(self, window):
        # The frame the desktop puts round the window, checked; returns where its close box is, if it has one.
        return None

    def grab(self, box):
        # The part of the screen in a box (left, top, right, bottom), from a shot of it alone where the
        # desktop can take one.
        return self.shot(box)

    def pointer_area(self):
        # Where the grabs show the pointer, if they do (X and the browser leave it out).
        return None

    def expect_centred(self, left, top, width, height, within):
        # A rectangle of the window's, in screen pixels, centred on the screen.
        offset = 2 * left + width - self.SCREEN[0], 2 * top + height - self.SCREEN[1]
        expect(max(map(abs, offset)) <= 2 * within, f"the window off centre by {offset[0] / 2}, {offset[1] / 2}")

    def __exit__(self, *_):
        # Asked first, so that a compositor removes its sockets; killed if it will not end.
        atexit.unregister(self.__exit__)
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
    # session's move, down and up: clicks a pause apart, then the pointer to rest.
    def click(self, x, y, times, rest, pause=0):
        self.move(x, y)
        for n in range(times):
            time.sleep(pause if n else 0)
            self.down()
            self.up()
        self.move(*rest)

    def path(self, points):
        for point in points:
            self.move(*point)
            time.sleep(0.01)  # slow enough that the toolkit merges no two motions into one drag event
