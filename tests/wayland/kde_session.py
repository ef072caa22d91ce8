#!/usr/bin/env python3
"""A KDE Plasma desktop for tests: headless KWin (`kwin_wayland --virtual`) with
two outputs side by side, one at scale 1 and one at scale 2 (kscreen-doctor),
kglobalaccel inside KWin, the desktop portal with KDE's backend, and kded with
the StatusNotifierWatcher module but no panel (so no tray host). The session
helpers (the unprivileged user, the private bus, the home, the logs) are
WaylandSession's; what differs is the compositor, the input and the screenshots:

    input        kinput (VELLICO_WL_KINPUT), our client of KWin's fake input,
                 which KWin offers only to a program whose desktop file lists
                 org_kde_kwin_fake_input in X-KDE-Wayland-Interfaces. KWin keeps
                 whole logical pixels of the pointer's position: odd device
                 pixels of the x2 output are reached with the arrow keys.
    screenshots  KWin's own ScreenShot2 D-Bus interface, without the cursor
                 (kde_screenshot.py), as PPM images in device pixels.

The KWin binary carries a file capability that exec refuses in a container: the
session runs a copy of it. KDE's portal needs the dialog QML modules and the
kded module of plasma-workspace, whose package is not installed (it brings two
hundred others): scripts/install-deps.sh unpacks it into PLASMA_WORKSPACE.

Needs: kwin_wayland, kscreen-doctor, kded5, xdg-desktop-portal(-kde), dbus-daemon,
gdbus, setpriv, python3-gi, the unpacked plasma-workspace and the test tools named
by VELLICO_WL_KINPUT and VELLICO_STRIPE_WINDOW; what is missing is reported as a
skipped test (status 77).
"""

import json
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import Client, Image, Output, WaylandSession, expected_colour  # noqa: E402
from vellico_e2e import Failure, Unavailable, wait_until  # noqa: E402

# Both virtual outputs have the same mode; the second is scaled to x2.
KDE_OUTPUTS = (
    Output("Virtual-0", 1024, 768, 0, 0, 1),
    Output("Virtual-1", 1024, 768, 1024, 0, 2),
)
PLASMA_WORKSPACE = os.environ.get("VELLICO_PLASMA_WORKSPACE", "/var/cache/vellico-tests/plasma-workspace")
PORTAL_KDE = "/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde"
PORTAL = "/usr/libexec/xdg-desktop-portal"
QT5_LIBRARY = "usr/lib/x86_64-linux-gnu/qt5"
HERE = os.path.dirname(os.path.abspath(__file__))


class KdeSession(WaylandSession):
    """Headless KWin with its outputs, the portal, kded, and what runs on them."""

    def __init__(self, name, outputs=KDE_OUTPUTS, pictures=True):
        super().__init__(name, outputs=outputs, portal=True, tray=False)
        self.pictures = pictures  # whether ~/Pictures exists, where KDE's portal saves its screenshots
        self.kwin = None
        self._input = None

    def __enter__(self):
        steps = [self._check_tools, self._choose_user, self._make_home, self._reach_tools, self._prepare_home,
                 self._start_bus, self._start_kwin, self._set_up_outputs, self._start_input_devices,
                 self._start_kded, self._start_portal]
        return self._bring_up(steps)

    def close(self):
        self._end_input(self._input)
        super().close()

    # -- set-up -------------------------------------------------------------------

    def _check_tools(self):
        for tool in ("kwin_wayland", "kscreen-doctor", "kded5", "dbus-daemon", "gdbus", "setpriv"):
            if not shutil.which(tool):
                raise Unavailable(f"{tool} is not installed (scripts/install-deps.sh installs it)")
        for program in (PORTAL, PORTAL_KDE):
            if not os.access(program, os.X_OK):
                raise Unavailable(f"{program} is not installed (scripts/install-deps.sh installs it)")
        for variable in ("VELLICO_WL_KINPUT", "VELLICO_STRIPE_WINDOW"):
            path = os.environ.get(variable)
            if not path or not os.access(path, os.X_OK):
                raise Unavailable(f"{variable} names no built test tool (is plasma-wayland-protocols installed?)")
        if not os.path.isdir(os.path.join(PLASMA_WORKSPACE, QT5_LIBRARY, "qml", "org/kde/plasma/workspace/dialogs")):
            raise Unavailable(f"no unpacked plasma-workspace in {PLASMA_WORKSPACE} (scripts/install-deps.sh puts it "
                              "there)")
        if subprocess.run(["/usr/bin/python3", "-c", "import gi"], capture_output=True).returncode != 0:
            raise Unavailable("python3-gi is not installed")

    def _reach_tools(self):
        # Every program is copied: KWin knows kinput by its path, from its desktop file.
        folder = os.path.join(self.home, "bin")
        os.makedirs(folder, mode=0o755, exist_ok=True)
        for variable in ("VELLICO_WL_KINPUT", "VELLICO_STRIPE_WINDOW", "VELLICO_BINARY"):
            path = os.environ.get(variable)
            if path:
                copy = os.path.join(folder, os.path.basename(path))
                shutil.copy2(path, copy)
                self.own(copy)
                os.environ[variable] = copy
        # A copy without the file capability, which exec refuses here.
        self.kwin_binary = os.path.join(folder, "kwin_wayland")
        shutil.copyfile(shutil.which("kwin_wayland"), self.kwin_binary)
        os.chmod(self.kwin_binary, 0o755)
        self.own(self.kwin_binary)

    def _write(self, relative, text):
        path = os.path.join(self.home, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as out:
            out.write(text)
        self.own(path)
        return path

    def _prepare_home(self):
        self._write(".local/share/applications/vellico-test-kinput.desktop",
                    "[Desktop Entry]\nType=Application\nName=Vellico test input\nNoDisplay=true\n"
                    f"Exec={os.environ['VELLICO_WL_KINPUT']}\n"
                    "X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n")
        # No animations: a window is drawn whole from its first frame on.
        self._write(".config/kdeglobals", "[KDE]\nAnimationDurationFactor=0\n")
        self._write(".config/kwinrc", "[Compositing]\nAnimationSpeed=0\n"
                    "[Windows]\nFocusStealingPreventionLevel=0\n")
        if self.pictures:
            os.makedirs(os.path.join(self.home, "Pictures"), exist_ok=True)
            self.own(os.path.join(self.home, "Pictures"))
        # The portal reads its backends' *.portal files from this folder only: KDE's.
        self.portals = os.path.join(self.home, ".local", "share", "portals")
        os.makedirs(self.portals, exist_ok=True)
        shutil.copyfile("/usr/share/xdg-desktop-portal/portals/kde.portal", os.path.join(self.portals, "kde.portal"))
        for root, folders, files in os.walk(self.home):
            for path in [os.path.join(root, name) for name in folders + files]:
                os.chown(path, self.user.pw_uid, self.user.pw_gid)

    def environment(self):
        env = super().environment()
        env["XDG_CURRENT_DESKTOP"] = "KDE"
        env.pop("SWAYSOCK", None)
        return env

    def _start_kwin(self):
        self.kwin = self._start([self.kwin_binary, "--virtual", "--output-count", str(len(self.outputs)),
                                 "--width", str(self.outputs[0].width), "--height", str(self.outputs[0].height),
                                 "--no-lockscreen", "--socket", "wayland-kde"], "kwin",
                                KWIN_SCREENSHOT_NO_PERMISSION_CHECKS="1", QT_QPA_PLATFORM="")
        self.wayland_display = "wayland-kde"

        def up():
            if self.kwin.poll() is not None:
                raise Failure(f"kwin_wayland ended with status {self.kwin.returncode}:\n{self.log('kwin')[-3000:]}")
            return os.path.exists(os.path.join(self.runtime, "wayland-kde")) and \
                self.bus_has_name("org.kde.KWin") and self.bus_has_name("org.kde.kglobalaccel")
        wait_until("KWin and its kglobalaccel on the bus", up, timeout=30)
        # What the bus starts on demand (the permission store, kded's helpers) finds the display.
        variables = ", ".join(f"'{name}': '{value}'" for name, value in self.environment().items()
                              if name in ("WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE"))
        self.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                  "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.UpdateActivationEnvironment",
                  f"{{{variables}}}"])

    def get_outputs(self):
        """{name: {"rect": (x, y, width, height) logical, "scale": s, "mode": (width, height)}}."""
        result = self.run(["kscreen-doctor", "-j"], timeout=20)
        found = {}
        for output in json.loads(result.stdout).get("outputs", []):
            if not output.get("enabled"):
                continue
            width, height, scale = output["size"]["width"], output["size"]["height"], output["scale"]
            found[output["name"]] = {"rect": (output["pos"]["x"], output["pos"]["y"], width / scale, height / scale),
                                     "scale": scale, "mode": (width, height)}
        return found

    def _set_up_outputs(self):
        settings = [f"output.{output.name}.{what}" for output in self.outputs
                    for what in (f"scale.{output.scale:g}", f"position.{output.x},{output.y}")]
        self.run(["kscreen-doctor", *settings], timeout=20)

        def as_configured():
            found = self.get_outputs()
            return all(name in found and found[name]["rect"] == output.logical and found[name]["scale"] == output.scale
                       for name, output in ((o.name, o) for o in self.outputs))
        wait_until(f"the outputs {self.outputs}", as_configured, timeout=20)

    def _start_kded(self):
        """kded with plasma-workspace's StatusNotifierWatcher, as Plasma runs it; no
        panel, so no tray host."""
        plugins = os.path.join(PLASMA_WORKSPACE, QT5_LIBRARY, "plugins")
        self._start(["kded5"], "kded", QT_PLUGIN_PATH=plugins)
        wait_until("kded on the bus", lambda: self.bus_has_name("org.kde.kded5"), timeout=20)
        self.run(["gdbus", "call", "--session", "--dest", "org.kde.kded5", "--object-path", "/kded", "--method",
                  "org.kde.kded5.loadModule", "statusnotifierwatcher"])
        wait_until("the StatusNotifierWatcher", lambda: self.bus_has_name("org.kde.StatusNotifierWatcher"))

    def _start_portal(self):
        qml = os.path.join(PLASMA_WORKSPACE, QT5_LIBRARY, "qml")
        portal_env = {"XDG_DESKTOP_PORTAL_DIR": self.portals, "QML2_IMPORT_PATH": qml}
        self._start([PORTAL_KDE], "xdg-desktop-portal-kde", **portal_env)
        wait_until("KDE's portal backend on the bus",
                   lambda: self.bus_has_name("org.freedesktop.impl.portal.desktop.kde"), timeout=20)
        self._start([PORTAL, "--replace"], "xdg-desktop-portal", **portal_env)
        wait_until("the portal on the bus", lambda: self.bus_has_name("org.freedesktop.portal.Desktop"), timeout=20)

    # -- input ----------------------------------------------------------------------

    def _start_input_devices(self):
        process = self._start([os.environ["VELLICO_WL_KINPUT"]], "kinput", stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE)
        self._input = Client(process, "kinput")

    def _input_command(self, line):
        self._ask_tool(self._input, "kinput", "kinput", line)

    def move_pointer(self, x, y):
        """Moves the pointer to x, y of the layout, in whole logical pixels."""
        if x != int(x) or y != int(y):
            raise Failure(f"KWin keeps whole logical pixels: {x},{y} cannot be reached")
        self._input_command(f"move {int(x)} {int(y)}")

    def move_pointer_to_device_pixel(self, output_name, x, y):
        """Moves the pointer onto device pixel x, y of an output (at x2, even ones only)."""
        output = self.output(output_name)
        if x % output.scale or y % output.scale:
            raise Failure(f"device pixel {x},{y} of {output_name} lies inside a logical pixel: use the arrow keys")
        self.move_pointer(output.x + x // output.scale, output.y + y // output.scale)

    def click(self, button="left"):
        self._input_command(f"click {button}")

    def keys(self, *combinations):
        self._input_command("key " + " ".join(combinations))

    def park_pointer(self):
        """The pointer on the last output's bottom-right logical pixel (the screenshots
        leave the cursor out anyway)."""
        x, y, width, height = self.outputs[-1].logical
        self.move_pointer(int(x + width - 1), int(y + height - 1))

    # -- looking at the outputs ---------------------------------------------------

    def screenshot(self, name, output):
        """KWin's screenshot of one output, without the cursor, as an Image in device
        pixels, also kept with the artifacts."""
        shot = os.path.join(self.home, "shots", f"{name}.ppm")
        script = self._reachable(os.path.join(HERE, "kde_screenshot.py"))
        self.run(["/usr/bin/python3", script, output, shot], timeout=20)
        image = Image(shot)
        if self.artifacts:
            os.makedirs(self.artifacts, exist_ok=True)
            shutil.copyfile(shot, os.path.join(self.artifacts, f"{self.name}-{name}.ppm"))
        return image

    def bus_call(self, destination, path, method, *arguments):
        """A method call on the session's bus through gdbus; its printed answer."""
        return self.run(["gdbus", "call", "--session", "--dest", destination, "--object-path", path,
                         "--method", method, *arguments], timeout=20).stdout.strip()


def start_stripes(session, output_name):
    """The stripe window fullscreen on an output, once KWin's screenshot shows it; the Client."""
    output = session.output(output_name)
    # KWin opens a window on the output the pointer is on.
    x, y, width, height = output.logical
    session.move_pointer(int(x + width // 2), int(y + height // 2))
    window = session.start_client([os.environ["VELLICO_STRIPE_WINDOW"], "--output", output_name],
                                  name=f"stripes-{output_name}")
    size = (output.width, output.height, float(output.scale))
    ready = window.wait_for_line(f"the stripe window to paint {size}", lambda line: line.startswith("ready ") and (
        int(line.split()[2]), int(line.split()[3]), float(line.split()[4])) == size)
    if ready.split()[1] != output_name:
        raise Failure(f"the window painted {ready!r} for {output}")

    def covered():
        shot = session.screenshot(f"wait-{output_name}", output=output_name)
        corners = [(0, 0), (1, 0), (output.width - 1, 0), (0, output.height - 1), (output.width - 1, output.height - 1)]
        return all(shot.pixel(x, y) == expected_colour(x, output.width) for x, y in corners)
    wait_until(f"the stripes to cover {output_name}", covered)
    return window
