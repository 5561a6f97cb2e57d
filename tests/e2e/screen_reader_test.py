#!/usr/bin/python3
# What a screen reader hears: the program on its own Xvfb and its own session
# and accessibility buses, read through AT-SPI while xdotool writes the letter.
#   screen_reader_test.py POKAZ
import os, re, sys

from x_session import XSession, fail, wait_for

START = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo."
FINISHED = " Napravite dvostruki klik na papir da stavite pismo u kuvertu!"
PERCENT = re.compile(r" [1-9]\d*%")


# A probe that first delivers the accessibility events heard so far.
def pumped(probe):
    def pump_then_probe():
        while GLib.MainContext.default().iteration(False):
            pass
        return probe()
    return pump_then_probe


def run(x):
    x.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    # The bus's socket goes in the session's scratch folder, not in /tmp.
    bus = x.start("dbus-daemon", "--session", "--nofork", "--print-address=1",
                  "--address=unix:dir=" + x.home.name)
    x.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    x.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
    os.environ.update(x.env)
    global GLib
    import pyatspi
    from gi.repository import GLib
    heard = []
    pyatspi.Registry.registerEventListener(lambda e: heard.append(e.source_name),
                                           "object:property-change:accessible-name")
    x.start(sys.argv[1])
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("the program on the bus", pumped(lambda: [a for a in desktop if a and a.name == "Pokaz"]))[0]
    shown = lambda: pyatspi.findAllDescendants(app, lambda o: o.getState().contains(pyatspi.STATE_SHOWING))
    labels = lambda: [o.name for o in shown() if o.getRole() == pyatspi.ROLE_LABEL]

    def centre(name):
        control = wait_for(name, pumped(lambda: [o for o in shown() if o.name == name]))[0]
        left, top, w, h = control.queryComponent().getExtents(0)
        return left + w // 2, top + h // 2

    wait_for("the instruction and 0% at start", pumped(lambda: START in labels() and "0%" in labels()))
    roles = {o.name: o.description for o in shown() if o.getRole() == pyatspi.ROLE_LABEL}
    if (roles[START], roles["0%"]) != ("Uputa", "Napisano posto"):
        fail(f"the labels are described as {roles}")
    if unnamed := [o.getRoleName() for o in shown() if not o.name.strip()]:
        fail(f"shown controls without a name: {unnamed}")
    for drawer in ["Ladica 3 s papirom, zatvorena", "Ladica 3 s papirom, otvorena",
                   "Ladica 4 s olovkama, zatvorena", "Ladica 4, otvorena"]:
        x.xdotool("mousemove", "--sync", *centre(drawer), "click", "1")
    paper = centre("Prazan papir")
    x.xdotool("mousemove", "--sync", *centre("Olovke"), "mousedown", "1")
    for step in range(400):  # a zig-zag over the paper, each move a new point
        x.xdotool("mousemove", "--sync", paper[0] + step % 9 * 4 - 16, paper[1] + step % 2 * 8 - 4)
        if step == 12:
            wait_for("a new percentage, announced",
                     pumped(lambda: any(map(PERCENT.fullmatch, heard)) and any(map(PERCENT.fullmatch, labels()))))
        if step % 20 == 0 and FINISHED in labels():
            break
    wait_for("the double-click instruction, announced",
             pumped(lambda: FINISHED in heard and FINISHED in labels()))
    print("screen reader test: ok")


with XSession("1024x768") as session:
    run(session)
