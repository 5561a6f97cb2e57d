#!/usr/bin/python3
# What a screen reader hears: the program on its own Xvfb and its own session
# and accessibility buses, read through AT-SPI while xdotool writes the letter.
#   screen_reader_test.py POKAZ
import contextlib, os, re, subprocess, sys, tempfile, time

START = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo."
FINISHED = " Napravite dvostruki klik na papir da stavite pismo u kuvertu!"
PERCENT = re.compile(r" [1-9]\d*%")
helpers = []
env = {k: v for k, v in os.environ.items() if not k.startswith(("DBUS_", "AT_SPI", "WAYLAND", "QT_QPA"))}
env.update(HOME=tempfile.mkdtemp(), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
env["XDG_RUNTIME_DIR"] = env["HOME"]


def start(*args):  # in a process group of its own, which the end stops whole
    helpers.append(subprocess.Popen(args, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    text=True, start_new_session=True))
    return helpers[-1].stdout


def wait_for(what, probe):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):  # delivers the events heard
            pass
        if found := probe():
            return found
        time.sleep(0.05)
    sys.exit("FAIL: " + what)


def run():
    env["DISPLAY"] = ":" + start("Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp").readline().strip()
    env["DBUS_SESSION_BUS_ADDRESS"] = start("dbus-daemon", "--session", "--nofork", "--print-address=1").readline().strip()
    start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
    os.environ.update(env)
    global GLib
    import pyatspi
    from gi.repository import GLib
    heard = []
    pyatspi.Registry.registerEventListener(lambda e: heard.append(e.source_name), "object:property-change:accessible-name")
    start(sys.argv[1])
    app = wait_for("the program on the bus", lambda: [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Pokaz"])[0]
    shown = lambda: pyatspi.findAllDescendants(app, lambda o: o.getState().contains(pyatspi.STATE_SHOWING))
    labels = lambda: [o.name for o in shown() if o.getRole() == pyatspi.ROLE_LABEL]
    xdotool = lambda *args: subprocess.run(["xdotool", *map(str, args)], env=env, check=True)

    def centre(name):
        x, y, w, h = wait_for(name, lambda: [o for o in shown() if o.name == name])[0].queryComponent().getExtents(0)
        return x + w // 2, y + h // 2

    wait_for("the instruction and 0% at start", lambda: START in labels() and "0%" in labels())
    if unnamed := [o.getRoleName() for o in shown() if not o.name.strip()]:
        sys.exit(f"FAIL: shown controls without a name: {unnamed}")
    for drawer in ["Ladica 3 s papirom, zatvorena", "Ladica 3 s papirom, otvorena", "Ladica 4 s olovkama, zatvorena", "Ladica 4, otvorena"]:
        xdotool("mousemove", "--sync", *centre(drawer), "click", "1")
    paper = centre("Prazan papir")
    xdotool("mousemove", "--sync", *centre("Olovke"), "mousedown", "1")
    for step in range(400):  # a zig-zag over the paper, each move a new point
        xdotool("mousemove", "--sync", paper[0] + step % 9 * 4 - 16, paper[1] + step % 2 * 8 - 4)
        if step == 12:
            wait_for("a new percentage, announced",
                     lambda: any(map(PERCENT.fullmatch, heard)) and any(map(PERCENT.fullmatch, labels())))
        if step % 20 == 0 and FINISHED in labels():
            break
    wait_for("the double-click instruction, announced", lambda: FINISHED in heard and FINISHED in labels())
    print("screen reader test: ok")


try:
    run()
finally:
    for helper in reversed(helpers):
        with contextlib.suppress(ProcessLookupError):
            os.killpg(helper.pid, 15)
        helper.wait()
