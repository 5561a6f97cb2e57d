# A private X desktop for running the program as built from outside: its own
# Xvfb, a scratch HOME and runtime folder, no session bus unless a test starts
# one, and the real X pointer moved by xdotool. Closing it stops every process
# it started, each with its whole process group.
import contextlib, os, signal, subprocess, sys, tempfile, time

from PIL import ImageGrab


def wait_for(what, probe, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if found := probe():
            return found
        time.sleep(0.06)
    fail(what)


def fail(what):
    sys.exit("FAIL: " + what)


class XSession(contextlib.AbstractContextManager):
    def __init__(self, screen="1600x1200"):
        self.helpers = []
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("DBUS_", "AT_SPI", "WAYLAND", "QT_QPA", "SESSION_MANAGER"))}
        self.home = tempfile.TemporaryDirectory()
        self.env["HOME"] = self.env["XDG_RUNTIME_DIR"] = self.home.name
        xvfb = self.start("Xvfb", "-displayfd", "1", "-screen", "0", screen + "x24", "-nolisten", "tcp")
        self.env["DISPLAY"] = ":" + xvfb.stdout.readline().strip()
        # A bus address that cannot be reached: the toolkit starts no bus of its own.
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(self.env["HOME"], "no-bus")

    def start(self, *args, **options):
        options = {"stdout": subprocess.PIPE, "stderr": subprocess.DEVNULL} | options
        self.helpers.append(subprocess.Popen(args, env=self.env, text=True, start_new_session=True, **options))
        return self.helpers[-1]

    def __exit__(self, *_):
        for helper in reversed(self.helpers):
            with contextlib.suppress(ProcessLookupError):
                os.killpg(helper.pid, signal.SIGKILL)
            helper.wait()
        self.home.cleanup()

    def run(self, *args, timeout=60):
        return subprocess.run(args, env=self.env, check=True, capture_output=True, text=True, timeout=timeout).stdout

    def xdotool(self, *args):
        return self.run("xdotool", *map(str, args))

    def shot(self):
        return ImageGrab.grab(xdisplay=self.env["DISPLAY"])

    def start_window_manager(self):
        # Openbox runs its start-up command once it manages windows; a window
        # mapped any earlier may be left unmanaged and unmapped.
        ready = os.path.join(self.env["HOME"], "window-manager-ready")
        self.start("openbox", "--sm-disable", "--startup", "touch " + ready, stdout=subprocess.DEVNULL)
        wait_for("openbox manages windows", lambda: os.path.exists(ready))
