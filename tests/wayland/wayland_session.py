#!/usr/bin/env python3
"""A Wayland desktop for tests: headless sway (wlroots, pixman renderer) with
two outputs side by side, one at scale 1 and one at scale 2, a solid #3366CC
background and no bar; a private D-Bus session bus; keys through wtype, the
pointer through our own virtual pointer (vpointer), screenshots through grim.

    with WaylandSession("case") as session:
        window = session.start_client([...])

Sway refuses to run as root. Run as root, the session runs sway and every
client as the unprivileged user WAYLAND_USER (created when absent) with a
private home and XDG_RUNTIME_DIR; run as anyone else, as that user. Every
process of the session ends with it: on leaving, also on SIGTERM, and
(through the parent-death signal) when the test itself is killed.

With tray=True the session also runs waybar with its tray (a StatusNotifierItem
host) along the top of the first output.

With portal=True the session also runs PipeWire, WirePlumber and the desktop
portal with its wlroots backend (Screenshot) and its GTK backend (which brings
the access dialog, without which the portal exports no Screenshot). Every session
names its own portal backends (XDG_DESKTOP_PORTAL_DIR, also for what the bus starts):
those two with portal=True, none otherwise, whatever backends the machine has installed.

Needs: sway, swaymsg, grim, wtype, wl-clipboard, dbus-daemon, gdbus, setpriv, and the test tools
named by VELLICO_WL_VPOINTER and VELLICO_STRIPE_WINDOW. What is missing
raises Unavailable, which run_case turns into a skipped test (status 77).
"""

import glob
import json
import os
import pwd
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from vellico_e2e import Failure, Unavailable, wait_until  # noqa: E402
from vellico_e2e import run_case as e2e_run_case  # noqa: E402

WAYLAND_USER = "vellico-wl"
BACKGROUND = "#3366CC"
TRAY_HEIGHT = 28  # logical pixels
TRAY_BACKGROUND = "#202020"
# What the stripe window paints (VELLICO_STRIPE_WINDOW, StripeWindow.cpp).
RED, BLUE, PATCH = "#FF0000", "#0000FF", "#20C040"
# The session's portal backends (XDG_DESKTOP_PORTAL_DIR), under its home: empty unless the
# session runs the portal, so that a portal the bus starts finds no backend.
PORTALS = "portals"
# How `vellico --pick` begins the one line that says why it picked nothing.
SAID = "vellico: cannot pick a color: "


def check_pick(what, result, status, printed="", reason=None):
    """`result` (a CompletedProcess) is how --pick ended: `status`, `printed` on standard
    output, and on standard error a last line SAID... holding `reason`, or no such line
    when `reason` is None (Qt and the start-up may warn there too)."""
    ours = [line for line in (result.stderr or "").splitlines() if line.startswith(SAID)]
    said = ours[-1] if ours else ""
    if result.returncode != status or (result.stdout or "").strip() != printed or \
            (reason is None and said) or (reason is not None and reason not in said):
        raise Failure(f"{what}: --pick ended with status {result.returncode}, printed {result.stdout!r} and said "
                      f"{said!r}, not {status}, {printed!r} and {reason!r}: {(result.stderr or '')[-1500:]}")


class Output:
    """One headless output: its mode in device pixels, its place in the layout
    (logical pixels) and its scale."""

    def __init__(self, name, width, height, x, y, scale):
        self.name, self.width, self.height, self.x, self.y, self.scale = name, width, height, x, y, scale

    @property
    def logical(self):
        """(x, y, width, height) in the layout's logical pixels."""
        return self.x, self.y, self.width / self.scale, self.height / self.scale

    def __repr__(self):
        return f"{self.name} {self.width}x{self.height}@{self.x},{self.y} x{self.scale:g}"


# Sway names headless outputs in the order they are made: the first exists at
# start, the others come from "create_output".
DEFAULT_OUTPUTS = (
    Output("HEADLESS-1", 640, 400, 0, 0, 1),
    Output("HEADLESS-2", 800, 600, 640, 0, 2),
)


class Image:
    """A screenshot in device pixels (grim's binary PPM)."""

    def __init__(self, path):
        self.path = path
        with open(path, "rb") as ppm:
            data = ppm.read()
        fields, offset = [], 0
        while len(fields) < 4:  # magic, width, height, maximum
            while data[offset:offset + 1].isspace():
                offset += 1
            if data[offset:offset + 1] == b"#":
                offset = data.index(b"\n", offset) + 1
                continue
            end = offset
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[offset:end])
            offset = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise Failure(f"{path} is no 8-bit binary PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[offset + 1:]
        if len(self.pixels) < self.width * self.height * 3:
            raise Failure(f"{path} is cut short")

    def find(self, colour, region=None):
        """The bounding box (left, top, right, bottom), inclusive, of the pixels of `colour`
        ("#RRGGBB") inside `region` (left, top, width, height; default everything), or None."""
        left, top, width, height = region or (0, 0, self.width, self.height)
        wanted = bytes.fromhex(colour[1:])
        found = None
        for y in range(max(0, top), min(self.height, top + height)):
            row = self.pixels[y * self.width * 3:(y + 1) * self.width * 3]
            for x in range(max(0, left), min(self.width, left + width)):
                if row[x * 3:x * 3 + 3] == wanted:
                    found = (min(found[0], x), min(found[1], y), max(found[2], x), max(found[3], y)) if found \
                        else (x, y, x, y)
        return found

    def pixel(self, x, y):
        """The colour at device pixel x, y as "#RRGGBB"."""
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise Failure(f"{x},{y} lies outside the {self.width}x{self.height} screenshot {self.path}")
        at = (y * self.width + x) * 3
        return "#" + self.pixels[at:at + 3].hex().upper()


class Client:
    """A process on the session, with its standard output read line by line."""

    def __init__(self, process, name):
        self.process = process
        self.name = name
        self.lines = []
        self._pending = b""

    def read_lines(self):
        """Everything the client printed so far (without blocking)."""
        stream = self.process.stdout
        while stream is not None:
            ready, _, _ = select.select([stream], [], [], 0)
            if not ready:
                break
            chunk = os.read(stream.fileno(), 65536)
            if not chunk:
                break
            self._pending += chunk
        *complete, self._pending = self._pending.split(b"\n")
        self.lines += [line.decode(errors="replace") for line in complete]
        return self.lines

    def wait_for_line(self, what, predicate, timeout=10.0):
        """The first line printed that `predicate` accepts; the lines before it are consumed."""
        def find():
            if self.process.poll() is not None:
                self.read_lines()
                if not any(predicate(line) for line in self.lines):
                    raise Failure(f"{self.name} ended with status {self.process.returncode} "
                                  f"before {what}; it printed {self.lines}")
            for index, line in enumerate(self.read_lines()):
                if predicate(line):
                    del self.lines[:index + 1]
                    return line
            return None
        return wait_until(what, find, timeout)


class WaylandSession:
    """Headless sway with its outputs, a private bus, and what runs on them."""

    def __init__(self, name, outputs=DEFAULT_OUTPUTS, portal=False, tray=False, fake_portal=None):
        self.name = name
        # fake_portal.py's arguments: our own portal, on the bus before anything
        # (waybar's toolkit) could have the real one started; a Client once up.
        self.fake_portal = fake_portal
        self.outputs = list(outputs)
        self.portal = portal
        self.tray = tray
        self.processes = []
        self.artifacts = os.environ.get("VELLICO_E2E_ARTIFACTS")
        self.vellico = None
        self.user = None
        self.home = None
        self.runtime = None
        self.wayland_display = None
        self.swaysock = None
        self.bus_address = None
        self._pointer = None

    # -- set-up and tear-down -------------------------------------------------

    def __enter__(self):
        steps = [self._check_tools, self._choose_user, self._make_home, self._reach_tools, self._start_bus,
                 self._start_sway, self._set_up_outputs, self._start_input_devices]
        if self.portal:
            steps.append(self._start_portal)
        if self.fake_portal:
            steps.append(lambda: setattr(self, "fake_portal", self.start_fake_portal(*self.fake_portal)))
        if self.tray:
            steps.append(self._start_tray)
        return self._bring_up(steps)

    def _bring_up(self, steps):
        """Runs the set-up steps in order; a step that fails closes what the earlier
        ones started, and a Failure carries the session's logs."""
        try:
            for step in steps:
                step()
        except Failure as failure:
            logs = self.logs()
            self.close()
            raise Failure(f"{failure}{logs}") from None
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    @staticmethod
    def _end_input(client):
        """An input tool (a Client reading its standard input) ends when that closes."""
        if client is not None and client.process.poll() is None:
            try:
                client.process.stdin.close()
            except OSError:
                pass

    def close(self):
        self._end_input(self._pointer)
        # Clients first, sway and the bus last.
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes.clear()
        self._end_strays()
        self._unmount_documents()
        if self.home:
            shutil.rmtree(self.home, ignore_errors=True)
            self.home = None

    def _unmount_documents(self):
        """The document portal (started by the portal) mounts a FUSE folder in the runtime
        folder, which would outlive it and keep the home from being removed."""
        if not self.runtime:
            return
        documents = os.path.join(self.runtime, "doc")
        with open("/proc/mounts") as mounts:
            if not any(line.split()[1:2] == [documents] for line in mounts):
                return
        command = ["umount", "--lazy", documents] if os.geteuid() == 0 else ["fusermount3", "-u", "-z", documents]
        subprocess.run(command, capture_output=True)

    def _end_strays(self):
        """Ends what the bus started on its own (activated services): every process
        of the session's user whose environment names this session's runtime folder."""
        if not self.runtime:
            return
        marker = f"XDG_RUNTIME_DIR={self.runtime}".encode()
        for attempt in range(2):
            strays = []
            for entry in os.listdir("/proc"):
                if not entry.isdigit() or int(entry) == os.getpid():
                    continue
                try:
                    if os.stat(f"/proc/{entry}").st_uid != self.user.pw_uid:
                        continue
                    with open(f"/proc/{entry}/environ", "rb") as environ:
                        if marker in environ.read().split(b"\0"):
                            strays.append(int(entry))
                except OSError:
                    continue
            for pid in strays:
                try:
                    os.kill(pid, signal.SIGTERM if attempt == 0 else signal.SIGKILL)
                except OSError:
                    pass
            if not strays:
                return
            deadline = time.monotonic() + 3
            while time.monotonic() < deadline and any(os.path.exists(f"/proc/{pid}") for pid in strays):
                time.sleep(0.05)

    def _check_tools(self):
        for tool in ("sway", "swaymsg", "grim", "wtype", "wl-copy", "wl-paste", "dbus-daemon", "gdbus", "setpriv"):
            if not shutil.which(tool):
                raise Unavailable(f"{tool} is not installed (scripts/install-deps.sh installs it)")
        for variable in ("VELLICO_WL_VPOINTER", "VELLICO_STRIPE_WINDOW"):
            path = os.environ.get(variable)
            if not path or not os.access(path, os.X_OK):
                raise Unavailable(f"{variable} names no built test tool (is libwayland-dev installed?)")
        if self.portal:
            for program in ("/usr/libexec/xdg-desktop-portal", "/usr/libexec/xdg-desktop-portal-wlr",
                            "/usr/libexec/xdg-desktop-portal-gtk", shutil.which("pipewire"),
                            shutil.which("wireplumber")):
                if not program or not os.access(program, os.X_OK):
                    raise Unavailable(f"{program or 'pipewire or wireplumber'} is not installed")
        if self.tray and not shutil.which("waybar"):
            raise Unavailable("waybar is not installed")

    def _choose_user(self):
        if os.geteuid() != 0:
            self.user = pwd.getpwuid(os.geteuid())
            return
        try:
            self.user = pwd.getpwnam(WAYLAND_USER)
        except KeyError:
            made = subprocess.run(["useradd", "--system", "--create-home", "--home-dir", f"/var/lib/{WAYLAND_USER}",
                                   "--shell", "/usr/sbin/nologin", "--comment", "Vellico Wayland tests",
                                   WAYLAND_USER], capture_output=True, text=True)
            try:
                self.user = pwd.getpwnam(WAYLAND_USER)
            except KeyError:
                raise Unavailable(f"sway does not run as root and useradd could not make {WAYLAND_USER}: "
                                  f"{made.stderr.strip()}")

    def _reach_tools(self):
        """The programs under test run as the session's user: one in a build folder that
        user cannot reach (a checkout under root's home) is copied into the session's
        home. They are self-contained executables."""
        for variable in ("VELLICO_WL_VPOINTER", "VELLICO_STRIPE_WINDOW", "VELLICO_BINARY"):
            path = os.environ.get(variable)
            if not path or not subprocess.run(self._as_user(["test", "-x", path]),
                                              env=self._base_environment()).returncode:
                continue
            folder = os.path.join(self.home, "bin")
            os.makedirs(folder, mode=0o755, exist_ok=True)
            copy = os.path.join(folder, os.path.basename(path))
            shutil.copy2(path, copy)
            self.own(copy)
            os.environ[variable] = copy

    def _reachable(self, path):
        """`path`, or a copy of it in the session's home where the session's user cannot
        read it there (a checkout in a private folder, as root's home is)."""
        if not self.home or not subprocess.run(self._as_user(["test", "-r", path]),
                                               env=self._base_environment()).returncode:
            return path
        folder = os.path.join(self.home, "bin")
        os.makedirs(folder, mode=0o755, exist_ok=True)
        copy = os.path.join(folder, os.path.basename(path))
        shutil.copy2(path, copy)
        self.own(copy)
        return copy

    def _make_home(self):
        # Short: sockets live in the runtime folder, and their paths are limited to 108 bytes.
        self.home = tempfile.mkdtemp(prefix="vellico-wl-")
        self.runtime = os.path.join(self.home, "runtime")
        for folder in (self.runtime, *(os.path.join(self.home, sub) for sub in
                                       (".config", ".local/share", ".local/state", ".cache", "shots",
                                        PORTALS))):
            os.makedirs(folder, mode=0o700, exist_ok=True)
        for root, folders, _ in os.walk(self.home):
            for path in [root] + [os.path.join(root, folder) for folder in folders]:
                os.chown(path, self.user.pw_uid, self.user.pw_gid)
                os.chmod(path, 0o700)

    # -- running things as the session's user ---------------------------------

    def _as_user(self, command):
        """`command` run as the session's user, ended by SIGKILL should this process die."""
        wrapper = ["setpriv", "--pdeathsig", "KILL"]
        if os.geteuid() == 0:
            wrapper += [f"--reuid={self.user.pw_uid}", f"--regid={self.user.pw_gid}", "--init-groups"]
        return wrapper + ["--", *command]

    def _base_environment(self):
        env = {
            "PATH": os.environ.get("PATH", "/usr/local/bin:/usr/bin:/bin"),
            "LANG": "C.UTF-8",
        }
        if self.user is not None:
            env.update(USER=self.user.pw_name, LOGNAME=self.user.pw_name)
        if self.home:
            env.update(HOME=self.home, XDG_RUNTIME_DIR=self.runtime,
                       XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                       XDG_DATA_HOME=os.path.join(self.home, ".local/share"),
                       XDG_STATE_HOME=os.path.join(self.home, ".local/state"),
                       XDG_CACHE_HOME=os.path.join(self.home, ".cache"))
        return env

    def environment(self):
        """What every client of the session sees: the display, the bus, Qt on Wayland."""
        env = self._base_environment()
        env.update(XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="sway", QT_QPA_PLATFORM="wayland")
        if self.wayland_display:
            env["WAYLAND_DISPLAY"] = self.wayland_display
        if self.swaysock:
            env["SWAYSOCK"] = self.swaysock
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        if self.home:
            # The desktop portal (1.16) takes its backends from here alone; without it, one the
            # bus starts would fall back to any backend installed on the machine.
            env["XDG_DESKTOP_PORTAL_DIR"] = os.path.join(self.home, PORTALS)
        for variable in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "QT_LOGGING_RULES"):
            if variable in os.environ:
                env[variable] = os.environ[variable]
        return env

    def _start(self, command, name, stdout=None, stdin=None, **environment):
        log = open(os.path.join(self.home, f"{name}.log"), "wb")
        try:
            process = subprocess.Popen(self._as_user(command), env={**self.environment(), **environment},
                                       stdin=stdin or subprocess.DEVNULL, stdout=stdout or log, stderr=log,
                                       cwd=self.home, start_new_session=True)
        finally:
            log.close()
        self.processes.append(process)
        return process

    def start_fake_portal(self, *arguments, stdin=None):
        """Our own desktop portal (fake_portal.py ARGUMENTS) on the session's bus, once it
        owns the portal's name; a Client."""
        script = self._reachable(os.path.join(os.path.dirname(os.path.abspath(__file__)), "fake_portal.py"))
        portal = Client(self._start(["/usr/bin/python3", script, *arguments], "fake-portal", stdin=stdin,
                                    stdout=subprocess.PIPE), "fake-portal")
        portal.wait_for_line("the fake portal on the bus", lambda line: line == "ready")
        return portal

    def start_client(self, command, name=None, **environment):
        """Starts `command` as the session's user; a Client whose lines can be awaited."""
        name = name or os.path.basename(command[0])
        return Client(self._start(command, name, stdout=subprocess.PIPE, **environment), name)

    def run(self, command, timeout=10, check=True, **environment):
        """Runs `command` as the session's user to its end; the CompletedProcess."""
        try:
            result = subprocess.run(self._as_user(command), env={**self.environment(), **environment},
                                    capture_output=True, text=True, timeout=timeout, cwd=self.home)
        except subprocess.TimeoutExpired:
            raise Failure(f"{' '.join(command)} did not end within {timeout} s")
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(command)} failed ({result.returncode}): {result.stderr.strip()}")
        return result

    def logs(self):
        """The end of every log the session's processes wrote, for a failure's report."""
        text = ""
        for path in sorted(glob.glob(os.path.join(self.home or "/nonexistent", "*.log"))):
            name = os.path.basename(path)[:-4]
            content = self.log(name).strip()
            if content:
                text += f"\n--- {name}'s log (end) ---\n{content[-1500:]}"
        return text

    def report_failure(self):
        """Prints every log's end and a screenshot of each output."""
        print(self.logs(), file=sys.stderr)
        try:
            for output in self.outputs:
                print(f"screenshot: {self.screenshot(f'failure-{output.name}', output.name).path}", file=sys.stderr)
        except Exception:
            pass

    def log(self, name):
        """What a process started by the session wrote to its log (sway, dbus, the portal...)."""
        try:
            with open(os.path.join(self.home, f"{name}.log"), errors="replace") as log:
                return log.read()
        except (OSError, TypeError):
            return ""

    def own(self, path):
        """Hands a file or folder made inside the home (and the folders above it) to the
        session's user."""
        path = os.path.abspath(path)
        while path.startswith(self.home + os.sep):
            os.chown(path, self.user.pw_uid, self.user.pw_gid)
            path = os.path.dirname(path)

    # -- the program ------------------------------------------------------------

    def settings_path(self):
        return os.path.join(self.home, ".config", "Vellico", "Vellico.conf")

    def write_settings(self, **values):
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        with open(self.settings_path(), "w") as settings:
            settings.write("[General]\n")
            for key, value in values.items():
                settings.write(f"{key}={value}\n")
        self.own(self.settings_path())

    def start_vellico(self, *arguments, **environment):
        """Starts VELLICO_BINARY as a client of the session; its output goes to output()."""
        self.vellico = self._start([os.environ["VELLICO_BINARY"], *arguments], "vellico", **environment)
        return self.vellico

    def wait_for_exit(self, timeout=10):
        try:
            return self.vellico.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"vellico still runs {timeout} s after being asked to quit")

    def vellico_output(self):
        """What vellico wrote, standard output and error together."""
        return self.log("vellico")

    def vellico_log(self):
        """Vellico's own log file (written with RZLoggingEnabled)."""
        try:
            with open(os.path.join(self.home, ".local", "state", "Vellico", "Vellico.log"), errors="replace") as log:
                return log.read()
        except OSError:
            return ""

    def start_running_vellico(self, path="screencopy", **environment):
        """Starts Vellico (logging) and waits until it listens for later starts and its
        log names the picking path `path`."""
        self.write_settings(RZLoggingEnabled="true")
        self.start_vellico(**environment)
        socket = os.path.join(self.runtime, "vellico.socket")
        wait_until(f"vellico on its socket with the picking path {path}",
                   lambda: self.vellico.poll() is not None or
                   (os.path.exists(socket) and f"Picking path: {path}" in self.vellico_output()))
        if self.vellico.poll() is not None:
            raise Failure(f"vellico ended with status {self.vellico.returncode}:\n{self.vellico_output()}")

    # -- the bus and the compositor -------------------------------------------

    def _start_bus(self):
        read_end, write_end = os.pipe()
        try:
            bus = subprocess.Popen(
                self._as_user(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                               f"--address=unix:path={self.runtime}/bus", f"--print-address={write_end}"]),
                env=self.environment(), pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
            self.processes.append(bus)
            os.close(write_end)
            write_end = None
            address = b""
            deadline = time.monotonic() + 10
            while not address.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if bus.poll() is not None or remaining <= 0:
                    raise Failure("dbus-daemon did not report its address")
                ready, _, _ = select.select([read_end], [], [], remaining)
                if ready:
                    chunk = os.read(read_end, 256)
                    if not chunk:
                        raise Failure("dbus-daemon closed its address pipe")
                    address += chunk
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.bus_address = address.decode().strip()

    def _start_sway(self):
        config = os.path.join(self.home, ".config", "sway-test.conf")
        with open(config, "w") as out:
            # No bar block: sway then shows none.
            out.write(f"output * bg {BACKGROUND} solid_color\n"
                      "default_border none\n"
                      "default_floating_border none\n"
                      "focus_follows_mouse no\n")
        os.chown(config, self.user.pw_uid, self.user.pw_gid)
        self.sway = self._start(["sway", "--config", config], "sway", WLR_BACKENDS="headless",
                                WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")

        def sockets():
            if self.sway.poll() is not None:
                raise Failure(f"sway ended with status {self.sway.returncode}:\n{self.log('sway')[-3000:]}")
            displays = [path for path in glob.glob(os.path.join(self.runtime, "wayland-*"))
                        if not path.endswith(".lock")]
            ipc = glob.glob(os.path.join(self.runtime, "sway-ipc.*.sock"))
            return (displays[0], ipc[0]) if displays and ipc else None

        display, self.swaysock = wait_until("sway's sockets", sockets)
        self.wayland_display = os.path.basename(display)
        wait_until("sway to answer on its socket",
                   lambda: self.run(["swaymsg", "-t", "get_version"], check=False).returncode == 0)
        # What the bus starts on demand (portal backends, the permission store) finds the display.
        variables = ", ".join(f"'{name}': '{value}'" for name, value in self.environment().items()
                              if name in ("WAYLAND_DISPLAY", "SWAYSOCK", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE",
                                          "XDG_DESKTOP_PORTAL_DIR"))
        self.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                  "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.UpdateActivationEnvironment",
                  f"{{{variables}}}"])

    def x_display(self):
        """The X display (":N") of sway's XWayland, for clients to run as X clients
        (QT_QPA_PLATFORM=xcb, DISPLAY=...). Sway listens on it from the start and starts
        XWayland at the first connection; its lock file holds sway's process id."""
        def find():
            for lock in glob.glob("/tmp/.X*-lock"):
                try:
                    with open(lock) as content:
                        if int(content.read().strip(" \n\0")) == self.sway.pid:
                            return ":" + os.path.basename(lock)[2:-5]
                except (OSError, ValueError):
                    continue
            return None
        return wait_until("sway's X display", find)

    def swaymsg(self, *arguments):
        """A sway command (or -t TYPE query); its JSON answer. Fails on an unsuccessful command."""
        result = self.run(["swaymsg", "--raw", *arguments], check=False)
        try:
            answer = json.loads(result.stdout)
        except json.JSONDecodeError:
            raise Failure(f"swaymsg {' '.join(arguments)}: {result.stdout.strip()} {result.stderr.strip()}")
        if isinstance(answer, list) and answer and isinstance(answer[0], dict) and "success" in answer[0]:
            failed = [reply.get("error", "?") for reply in answer if not reply.get("success")]
            if failed:
                raise Failure(f"swaymsg {' '.join(arguments)}: {'; '.join(failed)}")
        return answer

    def _set_up_outputs(self):
        for _ in range(len(self.outputs) - len(self.swaymsg("-t", "get_outputs"))):
            self.swaymsg("create_output")
        for output in self.outputs:
            self.swaymsg(f"output {output.name} resolution {output.width}x{output.height} "
                         f"position {output.x} {output.y} scale {output.scale:g}")

        def as_configured():
            found = self.get_outputs()
            return all(name in found and found[name]["rect"] == output.logical and found[name]["scale"] == output.scale
                       for name, output in ((o.name, o) for o in self.outputs))
        wait_until(f"the outputs {self.outputs}", as_configured)

    def get_outputs(self):
        """{name: {"rect": (x, y, width, height) logical, "scale": s, "mode": (width, height)}}."""
        found = {}
        for output in self.swaymsg("-t", "get_outputs"):
            if not output.get("active"):
                continue
            rect = output["rect"]
            mode = output.get("current_mode") or {}
            found[output["name"]] = {"rect": (rect["x"], rect["y"], rect["width"], rect["height"]),
                                     "scale": output["scale"], "mode": (mode.get("width"), mode.get("height"))}
        return found

    def layout(self):
        """The bounding box (x, y, width, height) of all outputs, in logical pixels."""
        rects = [output["rect"] for output in self.get_outputs().values()]
        left, top = min(r[0] for r in rects), min(r[1] for r in rects)
        right, bottom = max(r[0] + r[2] for r in rects), max(r[1] + r[3] for r in rects)
        return left, top, right - left, bottom - top

    def focus_output(self, name):
        """Makes `name` the focused output: sway opens new windows there, whatever
        output a window asks to fill when it goes fullscreen."""
        self.swaymsg(f"focus output {name}")

    def windows(self, pid=None):
        """{pid: (output name, fullscreen?)} of the shown windows, from sway's tree; with
        `pid`, [(output name, rect (x, y, width, height) logical, floating?)] of its windows."""
        found, of_pid = {}, []

        def walk(node, output, floating):
            if node.get("type") == "output":
                output = node.get("name")
            if node.get("pid") and node.get("type") in ("con", "floating_con"):
                found[node["pid"]] = (output, node.get("fullscreen_mode", 0) != 0)
                if node["pid"] == pid:
                    rect = node["rect"]
                    of_pid.append((output, (rect["x"], rect["y"], rect["width"], rect["height"]), floating))
            for child in node.get("nodes", []):
                walk(child, output, floating)
            for child in node.get("floating_nodes", []):
                walk(child, output, True)
        walk(self.swaymsg("-t", "get_tree"), None, False)
        return of_pid if pid is not None else found

    def output(self, name):
        return next(output for output in self.outputs if output.name == name)

    # -- input ------------------------------------------------------------------

    def _start_input_devices(self):
        """A virtual keyboard and pointer that live as long as the session. The headless
        seat has neither; were each wtype run to bring its own keyboard, every client
        would get its wl_keyboard only after the first key had gone by."""
        self._start(["wtype", "-s", "2000000000"], "keyboard")
        self._ensure_pointer()

        def capabilities():
            seats = self.swaymsg("-t", "get_seats")
            return seats and seats[0].get("capabilities", 0) & 3 == 3  # pointer and keyboard
        wait_until("the seat's virtual keyboard and pointer", capabilities)

    def _ensure_pointer(self):
        if self._pointer is None or self._pointer.process.poll() is not None:
            # One device for the whole session, for the same reason as the keyboard.
            left, top, width, height = self.layout()
            process = self._start([os.environ["VELLICO_WL_VPOINTER"], "--layout", str(left), str(top),
                                   str(width), str(height)], "vpointer", stdin=subprocess.PIPE, stdout=subprocess.PIPE)
            self._pointer = Client(process, "vpointer")

    def keys(self, *combinations):
        """Presses each key combination in turn through wtype: "Escape", "ctrl+v", "shift+Left".
        Names are xkb keysym names; modifiers: shift, ctrl, alt, logo (and capslock, altgr...)."""
        command = ["wtype"]
        for combination in combinations:
            *modifiers, key = combination.split("+")
            for modifier in modifiers:
                command += ["-M", modifier.lower()]
            command += ["-k", key]
            for modifier in reversed(modifiers):
                command += ["-m", modifier.lower()]
        self.run(command)

    def offer_clipboard(self, text):
        """Another program (wl-copy) owns the clipboard with `text` until someone else takes it."""
        owner = self._start(["wl-copy", "--foreground", "--type", "text/plain;charset=utf-8", "--", text], "wl-copy")
        wait_until(f"wl-copy to offer {text!r}", lambda: owner.poll() is None and self.clipboard() == text)

    def clipboard(self):
        """The clipboard's text (wl-paste), or None when nobody offers text."""
        result = self.run(["wl-paste", "--no-newline", "--type", "text/plain"], check=False)
        return result.stdout if result.returncode == 0 else None

    def _ask_tool(self, client, tool, log, line, timeout=None):
        """One command LINE to an input tool that answers "ok" or "error ..." a line."""
        try:
            client.process.stdin.write(line.encode() + b"\n")
            client.process.stdin.flush()
        except OSError:
            raise Failure(f"{tool} ended: {self.log(log)}")
        extra = {} if timeout is None else {"timeout": timeout}
        answer = client.wait_for_line(f"{tool} to answer {line!r}",
                                      lambda text: text == "ok" or text.startswith("error"), **extra)
        if answer != "ok":
            raise Failure(f"{tool} {line}: {answer}")

    def _pointer_command(self, line):
        self._ensure_pointer()
        self._ask_tool(self._pointer, "vpointer", "vpointer", line)

    def move_pointer(self, x, y):
        """Moves the pointer to x, y of the layout, in logical pixels (fractions reach the
        device pixels of a scaled output: at x2, the device pixel 2x+1 is x + 0.5).
        It arrives from a pixel beside: XWayland delivers no click to an X window the
        pointer has just entered until it has moved inside it."""
        left, _, width, _ = self.layout()
        beside = x - 1 if x - 1 >= left else x + 1
        if beside <= left + width:
            self._pointer_command(f"move {beside} {y}")
        self._pointer_command(f"move {x} {y}")

    def move_pointer_to_device_pixel(self, output_name, x, y):
        """Moves the pointer onto device pixel x, y of an output (to its centre)."""
        output = self.output(output_name)
        self.move_pointer(output.x + (x + 0.5) / output.scale, output.y + (y + 0.5) / output.scale)

    def click(self, button="left"):
        self._pointer_command(f"click {button}")

    def park_pointer(self):
        """Takes the pointer to the bottom-right device pixel of every output in turn, ending
        on the last. Sway draws the cursor into every capture (grim's -c changes nothing
        here, the headless outputs have no cursor plane), and an output the cursor has
        left keeps showing it where it last was: afterwards each output shows it only over
        its last 10 or so device pixels (rows and columns) at the bottom right."""
        for output in self.outputs:
            x, y, width, height = output.logical
            self.move_pointer(x + width - 0.5 / output.scale, y + height - 0.5 / output.scale)
            # The output must draw a frame with the cursor there before it leaves: a
            # capture waits for one.
            self.run(["grim", "-t", "ppm", "-o", output.name, os.path.join(self.home, "shots", "park.ppm")])

    def keep_text(self, name, text):
        """A text kept with the artifacts (as NAME.txt after the session's name)."""
        if self.artifacts:
            os.makedirs(self.artifacts, exist_ok=True)
            with open(os.path.join(self.artifacts, f"{self.name}-{name}.txt"), "w") as out:
                out.write(text)

    # -- looking at the outputs -----------------------------------------------

    def screenshot(self, name, output):
        """A grim screenshot of one output (by name) as an Image in device pixels, also
        kept with the artifacts."""
        shot = os.path.join(self.home, "shots", f"{name}.ppm")
        self.run(["grim", "-t", "ppm", "-o", output, shot])
        image = Image(shot)
        if self.artifacts:
            os.makedirs(self.artifacts, exist_ok=True)
            shutil.copyfile(shot, os.path.join(self.artifacts, f"{self.name}-{name}.ppm"))
        return image

    # -- the tray -------------------------------------------------------------------

    def _start_tray(self):
        """waybar with nothing but its tray (a StatusNotifierWatcher and host on the
        session's bus) along the top of the first output, TRAY_HEIGHT logical pixels
        high, on TRAY_BACKGROUND; icons line up from its right end."""
        config = os.path.join(self.home, ".config", "waybar-test.json")
        style = os.path.join(self.home, ".config", "waybar-test.css")
        with open(config, "w") as out:
            json.dump({"layer": "top", "position": "top", "output": self.outputs[0].name, "height": TRAY_HEIGHT,
                       "modules-right": ["tray"], "tray": {"icon-size": 20, "spacing": 4}}, out)
        with open(style, "w") as out:
            out.write(f"* {{ min-height: 0; }}\nwindow#waybar {{ background: {TRAY_BACKGROUND}; }}\n")
        self.own(config)
        self.own(style)
        bar = self._start(["waybar", "--config", config, "--style", style], "waybar", GDK_BACKEND="wayland",
                          NO_AT_BRIDGE="1")
        first = self.outputs[0]

        def shown():
            if bar.poll() is not None:
                raise Failure(f"waybar ended with status {bar.returncode}")
            if not self.bus_has_name("org.kde.StatusNotifierWatcher"):
                return False
            shot = self.screenshot("tray", output=first.name)
            return shot.pixel(0, 0) == TRAY_BACKGROUND and shot.pixel(0, TRAY_HEIGHT * first.scale) == BACKGROUND
        wait_until("waybar's tray", shown)

    def tray_region(self):
        """The bar in device pixels of the first output: (left, top, width, height)."""
        first = self.outputs[0]
        return 0, 0, first.width, int(TRAY_HEIGHT * first.scale)

    # -- the desktop portal -----------------------------------------------------

    def _start_portal(self):
        portals = os.path.join(self.home, PORTALS)
        # The portal (1.16) reads its backends' *.portal files from XDG_DESKTOP_PORTAL_DIR
        # and picks them by the desktop's name (UseIn): ours say sway, the wlroots one for
        # the screenshot, the GTK one only for the access dialog (its own file says GNOME).
        with open(os.path.join(portals, "wlr.portal"), "w") as out:
            out.write("[portal]\nDBusName=org.freedesktop.impl.portal.desktop.wlr\n"
                      "Interfaces=org.freedesktop.impl.portal.Screenshot;org.freedesktop.impl.portal.ScreenCast;\n"
                      "UseIn=sway;wlroots;\n")
        with open(os.path.join(portals, "gtk.portal"), "w") as out:
            out.write("[portal]\nDBusName=org.freedesktop.impl.portal.desktop.gtk\n"
                      "Interfaces=org.freedesktop.impl.portal.Access;\n"
                      "UseIn=sway;wlroots;\n")
        os.makedirs(os.path.join(self.home, ".config", "xdg-desktop-portal-wlr"), exist_ok=True)
        with open(os.path.join(self.home, ".config", "xdg-desktop-portal-wlr", "config"), "w") as out:
            out.write("[screencast]\nchooser_type=none\n")
        for root, folders, files in os.walk(self.home):
            for path in [os.path.join(root, name) for name in folders + files]:
                os.chown(path, self.user.pw_uid, self.user.pw_gid)
        # No accessibility bus either: GTK would start one.
        portal_env = {"GDK_BACKEND": "wayland", "NO_AT_BRIDGE": "1"}
        pipewire = self._start(["pipewire"], "pipewire", **portal_env)
        self._start(["wireplumber"], "wireplumber", **portal_env)

        def pipewire_listens():
            if pipewire.poll() is not None:
                raise Failure(f"pipewire ended with status {pipewire.returncode}")
            return os.path.exists(os.path.join(self.runtime, "pipewire-0"))
        # The wlroots backend gives up at start when PipeWire does not answer.
        wait_until("PipeWire's socket", pipewire_listens)
        self._start(["/usr/libexec/xdg-desktop-portal-wlr", "--replace", "--loglevel", "INFO"],
                    "xdg-desktop-portal-wlr", **portal_env)
        self._start(["/usr/libexec/xdg-desktop-portal-gtk", "--replace"], "xdg-desktop-portal-gtk", **portal_env)
        for name in ("org.freedesktop.impl.portal.desktop.wlr", "org.freedesktop.impl.portal.desktop.gtk"):
            wait_until(f"{name} on the bus", lambda: self.bus_has_name(name))
        self._start(["/usr/libexec/xdg-desktop-portal", "--replace"], "xdg-desktop-portal", **portal_env)
        wait_until("the portal on the bus", lambda: self.bus_has_name("org.freedesktop.portal.Desktop"))

    def bus_has_name(self, name):
        result = self.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                           "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.NameHasOwner", name],
                          check=False)
        return result.returncode == 0 and "true" in result.stdout


def expected_colour(x, width):
    """What the stripe window paints at device column x of a window `width` device pixels wide."""
    if x >= width // 2:
        return PATCH
    return RED if x % 2 == 0 else BLUE


def start_stripes(session, output_name):
    """The stripe window fullscreen on an output, once grim sees it there; the Client."""
    output = session.output(output_name)
    session.focus_output(output_name)
    window = session.start_client([os.environ["VELLICO_STRIPE_WINDOW"], "--output", output_name],
                                  name=f"stripes-{output_name}")
    size = (output.width, output.height, float(output.scale))
    # A first paint may come before the window is fullscreen.
    ready = window.wait_for_line(f"the stripe window to paint {size}", lambda line: line.startswith("ready ") and (
        int(line.split()[2]), int(line.split()[3]), float(line.split()[4])) == size)
    if ready.split()[1] != output_name:
        raise Failure(f"the window painted {ready!r} for {output}")

    def covered():
        shot = session.screenshot(f"wait-{output_name}", output=output_name)
        # Not the bottom-right corner: a parked cursor sits there.
        corners = [(0, 0), (1, 0), (output.width - 1, 0), (0, output.height - 1)]
        return all(shot.pixel(x, y) == expected_colour(x, output.width) for x, y in corners)
    wait_until(f"the stripes to cover {output_name}", covered)
    placed = session.windows().get(window.process.pid)
    if placed != (output_name, True):
        raise Failure(f"sway shows the window on {placed}, not fullscreen on {output_name}")
    return window


def run_case(cases, session_factory=None):
    """Runs the case named on the command line in a WaylandSession (or what
    `session_factory` makes from its name)."""
    return e2e_run_case(cases, session_factory or WaylandSession, needs=())
