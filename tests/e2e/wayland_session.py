# A private Wayland desktop: a headless sway of its own, with an output at
# the scale asked for; the program on it natively, or through Xwayland. sway
# will not run as root, so it runs as the system user "pokaz-test", made on
# first use without a home or a login shell, in a runtime folder of that
# user's; making that user, and changing to it, needs root. A real pointer:
# the virtual pointer of wayvnc moved over an RFB connection (sway's own "seat
# cursor" commands send no motion while a button is held, so they cannot
# drag); screen grabs by grim, which show the pointer as sway draws it.
import glob, io, json, math, os, pwd, shutil, socket, struct, subprocess, tempfile, time

from PIL import Image
from session import Session, expect, fail, icon_shown, wait_for

USER = "pokaz-test"


class WaylandSession(Session, desktop="wayland"):
    XWAYLAND = False

    def __init__(self, scale):
        super().__init__(scale)
        self.scale, self.pointer = int(scale), {"buttons": 0, "x": 0, "y": 0}
        self.runtime = tempfile.mkdtemp()
        self.env["QT_QPA_PLATFORM"] = "xcb" if self.XWAYLAND else "wayland"
        self.begin("%dx%d" % self.SCREEN, self.XWAYLAND)

    def begin(self, screen, xwayland):
        if os.geteuid() != 0:
            fail(f"the Wayland desktop needs root, to run sway as the system user {USER}")
        if USER not in (user.pw_name for user in pwd.getpwall()):
            subprocess.run(["useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", USER], check=True)
        os.chown(self.runtime, pwd.getpwnam(USER).pw_uid, pwd.getpwnam(USER).pw_gid)
        config, display = os.path.join(self.runtime, "config"), os.path.join(self.runtime, "display")
        with open(config, "w") as f:
            # No swaynag: a fault in this config fails the output check below rather than covering the
            # screen. No rule floats the program's window: a window of a fixed size floats by itself.
            f.write(f"swaynag_command -\noutput HEADLESS-1 resolution {screen} scale {self.scale}\n"
                    # Xwayland lets in only sway's user: xhost lets root's program in too, and only
                    # then does the session learn the DISPLAY that sway hands its children.
                    + (f"xwayland enable\nexec xhost +si:localuser:root && echo $DISPLAY > {display}\n"
                       if xwayland else "xwayland disable\n"))
        self.start("setpriv", f"--reuid={USER}", f"--regid={USER}", "--init-groups", "sway", "-c", config,
                   env={"PATH": os.environ["PATH"], "HOME": self.runtime, "XDG_RUNTIME_DIR": self.runtime,
                        "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"})
        self.env["SWAYSOCK"] = wait_for("sway's IPC socket", lambda: glob.glob(self.runtime + "/sway-ipc.*.sock"))[0]
        self.env["WAYLAND_DISPLAY"] = wait_for("sway's socket", lambda: glob.glob(self.runtime + "/wayland-?"))[0]
        outputs = wait_for("sway's output", lambda: json.loads(self.run("swaymsg", "-t", "get_outputs")))
        expect([(o["name"], o["scale"]) for o in outputs] == [("HEADLESS-1", self.scale)],
               f"one headless output at scale {self.scale}, not {outputs}")
        if xwayland:
            self.env["DISPLAY"] = wait_for("Xwayland", lambda: os.path.exists(display) and open(display).read().strip())
        # wayvnc makes the virtual pointer; its socket stays in sway's runtime folder, off the network.
        vnc = os.path.join(self.runtime, "vnc")
        self.start("wayvnc", "--unix-socket", vnc, stdout=subprocess.DEVNULL)
        wait_for("wayvnc's virtual pointer", lambda: '"type": "pointer"' in self.run("swaymsg", "-t", "get_inputs"))
        self.rfb = socket.socket(socket.AF_UNIX)
        wait_for("wayvnc listening", lambda: self.rfb.connect_ex(vnc) == 0)
        # RFB 3.8 without authentication: versions, security type 1 (None), shared, then the server's init.
        reader = self.rfb.makefile("rb")
        self.rfb.sendall(b"RFB 003.008\n")
        version, security = reader.read(12), reader.read(reader.read(1)[0])
        self.rfb.sendall(b"\x01")
        accepted = reader.read(4) == bytes(4)
        self.rfb.sendall(b"\x01")
        width, height = struct.unpack(">HH20x", reader.read(24))
        expect((version, 1 in security, accepted, f"{width}x{height}") == (b"RFB 003.008\n", True, True, screen),
               f"RFB 3.8 to the whole screen: {version, security, accepted, width, height}")

    def __exit__(self, *exception):
        if hasattr(self, "rfb"):
            self.rfb.close()
        super().__exit__(*exception)
        shutil.rmtree(self.runtime, ignore_errors=True)

    def check_frame(self, window):
        # sway floats a window of a fixed size, centred.
        self.expect_centred(*window.geometry(), within=2)

    def views(self):
        nodes = [json.loads(self.run("swaymsg", "-t", "get_tree"))]
        for node in nodes:  # grows as it goes: the whole tree, breadth first
            nodes += node["nodes"] + node["floating_nodes"]
        return [node for node in nodes if node.get("pid")]

    def find_window(self, title, seconds=20):
        # sway lists a view before it has placed it (its first rect still holds the title bar), and
        # before its first frame is on screen: until then its client area shows mostly bare desktop.
        def placed():
            for view in self.views():
                outer, inner = view["rect"], view["window_rect"]
                if view["name"] == title and outer["height"] == inner["y"] + inner["height"] + view["current_border_width"]:
                    x, y, w, h = self.geometry(view)
                    screen = self.shot()
                    colours = {colour: n for n, colour in screen.crop((x, y, x + w, y + h)).getcolors(w * h)}
                    if colours.get(screen.getpixel((screen.width - 1, screen.height - 1)), 0) < w * h / 2:
                        return view["id"]
        return wait_for(f"window {title!r} on screen", placed, seconds)

    def client_geometry(self, handle):
        return self.geometry(next(view for view in self.views() if view["id"] == handle))

    def geometry(self, view):
        # The tree is in logical pixels: the frame's rect, and the client inside it (past border and title bar).
        outer, inner = view["rect"], view["window_rect"]
        return [self.scale * n for n in (outer["x"] + inner["x"], outer["y"] + inner["y"], inner["width"], inner["height"])]

    # The left button and the pointer, in screen pixels: wayvnc's screen is the output's buffer.
    def send(self, **change):
        self.pointer |= change
        self.rfb.sendall(struct.pack(">BBHH", 5, self.pointer["buttons"], self.pointer["x"], self.pointer["y"]))
        time.sleep(0.02)  # Xwayland takes a press right after a move where the pointer was before it

    def move(self, x, y): self.send(x=x, y=y)
    def down(self): self.send(buttons=1)
    def up(self): self.send(buttons=0)

    def shot(self, *region):
        grab = subprocess.run(["grim", *region, "-t", "ppm", "-"], env=self.env, check=True, capture_output=True).stdout
        return Image.open(io.BytesIO(grab)).convert("RGB")

    def grab(self, box):
        # grim takes a region in the layout's whole pixels: the one round the box, cut down to it.
        left, top = (int(n // self.scale) for n in box[:2])
        right, bottom = (math.ceil(n / self.scale) for n in box[2:])
        shot = self.shot("-g", f"{left},{top} {right - left}x{bottom - top}")
        return shot.crop([n - m * self.scale for n, m in zip(box, (left, top) * 2)])

    def pointer_area(self):
        # Wherever a drag icon's hot spot lies, the icon stays within its size of the pointer.
        reach = 32 * self.scale
        return self.pointer["x"] - reach, self.pointer["y"] - reach, self.pointer["x"] + reach, self.pointer["y"] + reach

    def pointer_is(self, drawn, aim, within):
        # sway draws the pointer into the grab: the icon stands with the aimed pixel at the pointer,
        # give or take `within` pixels, the picture behind it showing through its transparent part.
        screen = self.shot().convert("RGBA")
        for dx in range(-int(within), int(within) + 1):
            for dy in range(-int(within), int(within) + 1):
                left, top = self.pointer["x"] - aim[0] + dx, self.pointer["y"] - aim[1] + dy
                shown = screen.crop((left, top, left + drawn.width, top + drawn.height))
                shown.putalpha(drawn.getchannel("A"))
                if icon_shown(drawn, shown):
                    return True
        return False


class XwaylandSession(WaylandSession, desktop="xwayland"):
    XWAYLAND = True
