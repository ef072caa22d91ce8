#!/usr/bin/env python3
"""A GNOME desktop for tests: headless GNOME Shell (mutter) with one virtual
monitor, run as the unprivileged session user of WaylandSession with its own
session bus, a private system bus on which python3-dbusmock's logind answers,
PipeWire, and the desktop portal with GNOME's backends only (XDG_DESKTOP_PORTAL_DIR
names them: whatever other backends the machine has installed stay out). The
permission store already grants screenshots, so the portal's non-interactive
Screenshot asks nobody. No gnome-session and no settings daemon.

The user is gnome_remote.py: keys and the pointer through mutter's RemoteDesktop
API, the truth through the shell's own Screenshot API (no cursor in it).

    with GnomeSession("case") as session:
        ...

Needs: gnome-shell, xdg-desktop-portal, xdg-desktop-portal-gnome, PipeWire,
WirePlumber, python3-dbusmock, python3-gi, and what WaylandSession needs of its
own (dbus-daemon, gdbus, setpriv). What is missing makes the case skipped.
"""

import glob
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import Client, Image, Output, WaylandSession  # noqa: E402
from vellico_e2e import Failure, Unavailable, wait_until  # noqa: E402

MONITOR = Output("Meta-0", 1280, 800, 0, 0, 1)
# Mutter offers x2 on a virtual monitor only from about 1600x960 up.
MONITOR_X2 = Output("Meta-0", 1920, 1200, 0, 0, 2)
BTN_LEFT = 272
PORTALS = "/usr/share/xdg-desktop-portal/portals"
# The desktop starts on the overview, and a cold shell takes its time on busy cores.
START_TIMEOUT = 45


class GnomeSession(WaylandSession):
    def __init__(self, name, portal=True, monitor=MONITOR):
        super().__init__(name, outputs=[monitor], portal=portal)
        self.monitor = monitor
        self.system_bus_address = None
        self._remote = None

    def __enter__(self):
        steps = [self._check_tools, self._choose_user, self._make_home, self._reach_tools,
                 self._start_system_bus, self._start_bus, self._start_pipewire, self._start_shell,
                 self._start_remote, self._leave_overview]
        if self.portal:
            steps.append(self._start_portal)
        return self._bring_up(steps)

    def close(self):
        self._end_input(self._remote)
        super().close()

    def _check_tools(self):
        for tool in ("gnome-shell", "dbus-daemon", "gdbus", "setpriv", "pipewire", "wireplumber"):
            if not shutil.which(tool):
                raise Unavailable(f"{tool} is not installed (scripts/install-deps.sh installs it)")
        if subprocess.run(["/usr/bin/python3", "-c", "import dbusmock, gi"], capture_output=True).returncode:
            raise Unavailable("python3-dbusmock or python3-gi is not installed")
        for program in ("/usr/libexec/xdg-desktop-portal", "/usr/libexec/xdg-desktop-portal-gnome"):
            if not os.access(program, os.X_OK):
                raise Unavailable(f"{program} is not installed")
        path = os.environ.get("VELLICO_STRIPE_WINDOW")
        if not path or not os.access(path, os.X_OK):
            raise Unavailable("VELLICO_STRIPE_WINDOW names no built test tool")

    def _reach_tools(self):
        os.environ.pop("VELLICO_WL_VPOINTER", None)  # no virtual-pointer protocol here
        super()._reach_tools()

    def environment(self):
        env = super().environment()
        env.update(XDG_CURRENT_DESKTOP="GNOME", XDG_SESSION_DESKTOP="gnome", GSETTINGS_BACKEND="memory",
                   NO_AT_BRIDGE="1", GTK_A11Y="none")
        env.pop("SWAYSOCK", None)
        if self.system_bus_address:
            env["DBUS_SYSTEM_BUS_ADDRESS"] = self.system_bus_address
        return env

    # -- the buses ------------------------------------------------------------------

    def _start_system_bus(self):
        """A bus of the session's own standing in for the system bus, with logind mocked."""
        config = os.path.join(self.home, "system-bus.conf")
        with open(config, "w") as out:
            out.write('<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"\n'
                      ' "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">\n'
                      f'<busconfig><type>system</type><listen>unix:path={self.runtime}/system-bus</listen>'
                      '<auth>EXTERNAL</auth><policy context="default"><allow send_destination="*" eavesdrop="true"/>'
                      '<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>\n')
        self.own(config)
        self._start(["dbus-daemon", f"--config-file={config}", "--nofork", "--nopidfile"], "system-bus")
        self.system_bus_address = f"unix:path={self.runtime}/system-bus"
        wait_until("the private system bus", lambda: os.path.exists(os.path.join(self.runtime, "system-bus")))
        logind = self._start(["/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "logind"], "logind")

        def answers():
            if logind.poll() is not None:
                raise Failure(f"dbusmock's logind ended with status {logind.returncode}")
            result = self.run(["gdbus", "call", "--system", "--dest", "org.freedesktop.DBus", "--object-path",
                               "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.NameHasOwner",
                               "org.freedesktop.login1"], check=False)
            return "true" in result.stdout
        wait_until("logind on the private system bus", answers)

    def _start_pipewire(self):
        pipewire = self._start(["pipewire"], "pipewire")
        self._start(["wireplumber"], "wireplumber")

        def listens():
            if pipewire.poll() is not None:
                raise Failure(f"pipewire ended with status {pipewire.returncode}")
            return os.path.exists(os.path.join(self.runtime, "pipewire-0"))
        wait_until("PipeWire's socket", listens)

    # -- the shell ------------------------------------------------------------------

    def _start_shell(self):
        shell = self._start(["gnome-shell", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                             f"{self.monitor.width}x{self.monitor.height}"], "gnome-shell")

        def started():
            if shell.poll() is not None:
                raise Failure(f"gnome-shell ended with status {shell.returncode}:\n{self.log('gnome-shell')[-3000:]}")
            displays = [path for path in glob.glob(os.path.join(self.runtime, "wayland-*"))
                        if not path.endswith(".lock")]
            return displays and self.bus_has_name("org.gnome.Shell.Screenshot") and \
                self.bus_has_name("org.gnome.Mutter.RemoteDesktop") and displays[0]
        display = wait_until("gnome-shell's display and bus names", started, timeout=START_TIMEOUT)
        self.wayland_display = os.path.basename(display)
        self.shell = shell
        # What the bus starts on demand finds the display, and GNOME's portal backends only.
        variables = ", ".join(f"'{name}': '{value}'" for name, value in self.environment().items()
                              if name in ("WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE",
                                          "GSETTINGS_BACKEND", "DBUS_SYSTEM_BUS_ADDRESS"))
        variables += f", 'XDG_DESKTOP_PORTAL_DIR': '{self._portals()}'"
        self.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                  "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.UpdateActivationEnvironment",
                  f"{{{variables}}}"])

    def _start_remote(self):
        script = self._reachable(os.path.join(os.path.dirname(os.path.abspath(__file__)), "gnome_remote.py"))
        scale = ["--scale", f"{self.monitor.scale:g}"] if self.monitor.scale != 1 else []
        self._remote = Client(self._start(["/usr/bin/python3", script, *scale], "gnome-remote", stdin=subprocess.PIPE,
                                          stdout=subprocess.PIPE), "gnome-remote")
        answer = self._remote.wait_for_line("the remote desktop session", lambda line: line == "ready" or
                                            line.startswith("error"), timeout=START_TIMEOUT)
        if answer != "ready":
            raise Failure(f"gnome_remote.py: {answer}")

    def _leave_overview(self):
        """The shell starts on the overview: Escape leaves it for the empty desktop."""
        def on_desktop():
            self.keys("Escape")
            shot = self.screenshot("desktop")
            # The overview's search entry sits near the top centre; the desktop has none there.
            x, scale = self.monitor.width // 2, self.monitor.scale
            return shot.pixel(x, 60 * scale) == shot.pixel(x, 400 * scale)
        wait_until("the desktop without the overview", on_desktop, timeout=20)

    def remote(self, line):
        self._ask_tool(self._remote, "gnome_remote.py", "gnome-remote", line, timeout=35)

    # -- input and what is seen -------------------------------------------------

    def keys(self, *names):
        for name in names:
            self.remote(f"key {name}")

    def move_pointer(self, x, y):
        self.remote(f"move {x} {y}")

    def move_pointer_to_device_pixel(self, output_name, x, y):
        self.move_pointer(x + 0.5, y + 0.5)

    def click(self, button="left"):
        self.remote(f"button {BTN_LEFT}")

    def park_pointer(self):
        """The shell's screenshots leave the cursor out: nothing to do."""

    def screenshot(self, name, output=None):
        shot = os.path.join(self.home, "shots", f"{name}.ppm")
        self.remote(f"shot {shot}")
        image = Image(shot)
        if self.artifacts:
            os.makedirs(self.artifacts, exist_ok=True)
            shutil.copyfile(shot, os.path.join(self.artifacts, f"{self.name}-{name}.ppm"))
        return image

    def focus_output(self, name):
        """One monitor: nothing to choose."""

    def windows(self, pid=None):
        raise Failure("the shell's window list is not read here")

    # -- the portal -----------------------------------------------------------------

    def _portals(self):
        """A folder with the .portal files of GNOME's backend and the shell's, and no other."""
        portals = os.path.join(self.home, ".local", "share", "portals")
        if not os.path.isdir(portals):
            os.makedirs(portals)
            for name in ("gnome.portal", "gnome-shell.portal"):
                shutil.copyfile(os.path.join(PORTALS, name), os.path.join(portals, name))
                self.own(os.path.join(portals, name))
        return portals

    def _start_portal(self):
        """The portal with GNOME's backend (Screenshot, PickColor) and the shell's
        (Access), and no other, however many are installed."""
        portal_env = {"XDG_DESKTOP_PORTAL_DIR": self._portals()}
        # Screenshots of an application without an id ("") are granted already.
        self.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.impl.portal.PermissionStore",
                  "--object-path", "/org/freedesktop/impl/portal/PermissionStore", "--method",
                  "org.freedesktop.impl.portal.PermissionStore.SetPermission", "screenshot", "true", "screenshot",
                  "", "['yes']"])
        self._start(["/usr/libexec/xdg-desktop-portal-gnome", "--replace"], "xdg-desktop-portal-gnome", **portal_env)
        wait_until("GNOME's portal backend on the bus",
                   lambda: self.bus_has_name("org.freedesktop.impl.portal.desktop.gnome"), timeout=20)
        self._start(["/usr/libexec/xdg-desktop-portal", "--replace"], "xdg-desktop-portal", **portal_env)
        wait_until("the portal on the bus", lambda: self.bus_has_name("org.freedesktop.portal.Desktop"), timeout=20)
