#!/usr/bin/env python3
"""Desktop tests of the real program: a virtual display (Xvfb), a real XEmbed
tray (trayer), synthetic input (xdotool) and screenshots (ImageMagick).

    vellico_e2e.py CASE      with VELLICO_BINARY pointing at the program

Every case runs with its own HOME and XDG folders, waits by polling (never by
a fixed sleep), and takes down everything it started, also when it fails.
Screenshots land in VELLICO_E2E_ARTIFACTS (a folder) when it is set.
"""

import os
import plistlib
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

POLL_INTERVAL = 0.05
TRAY_WIDTH, TRAY_HEIGHT = 200, 28
SCREEN = "800x600x24"


class Failure(Exception):
    pass


class Unavailable(Exception):
    """The machine cannot give the session a case needs; run_case reports it skipped (77)."""


SKIPPED = 77


# The global shortcut's group in Vellico.conf (as Qt writes it), and Ctrl+Alt+P in it.
SHORTCUT_GROUP = "[ShortcutRecorder%20KeyboardShortcut]"
CTRL_ALT_P = {"keyCode": "35", "modifierFlags": "1572864", "modifiers": "2304"}


class Monitor:
    """One monitor of an Xorg dummy display: its size in device pixels and the scale
    Qt gives it (QT_SCREEN_SCALE_FACTORS). Monitors stand side by side from 0,0."""

    def __init__(self, name, width, height, scale=1):
        self.name, self.width, self.height, self.scale = name, width, height, scale


def wait_until(what, predicate, timeout=10.0):
    """Polls `predicate` until it returns something true; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(POLL_INTERVAL)


def sample_square(x, y, n, width, height):
    """The device pixels of the n x n square around x, y that lie on a screen of width x height."""
    half = n // 2
    return [(px, py) for py in range(max(0, y - half), min(height, y + half + 1))
            for px in range(max(0, x - half), min(width, x + half + 1))]


def linear_mean(colours):
    """The mean of colours ("#RRGGBB") in linear light: each channel decoded from sRGB,
    averaged, encoded again and rounded, as "#RRGGBB"."""
    def decode(value):
        c = value / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    def encode(linear):
        c = linear * 12.92 if linear <= 0.0031308 else 1.055 * linear ** (1 / 2.4) - 0.055
        return int(c * 255 + 0.5)
    channels = [[decode(int(colour[1 + 2 * i:3 + 2 * i], 16)) for colour in colours] for i in range(3)]
    return "#" + "".join(f"{encode(sum(channel) / len(channel)):02X}" for channel in channels)


class Session:
    """One display with a tray, a private home, and the processes started on it."""

    def __init__(self, name, monitors=None):
        """With `monitors` (a list of Monitor), the display is Xorg's dummy driver with one
        wide output split into those monitors, which Qt reads as screens; Xvfb cannot
        give screens of their own (nor per-screen scales)."""
        self.name = name
        self.monitors = monitors
        self.processes = []
        self.home = tempfile.mkdtemp(prefix="vellico-e2e-")
        self.artifacts = os.environ.get("VELLICO_E2E_ARTIFACTS")
        self.display = None
        self.vellico = None
        self.vellico_log = os.path.join(self.home, "vellico.out")

    # -- set-up and tear-down -------------------------------------------------

    def __enter__(self):
        try:
            self._start_display()
            self._start_window_manager()
            self._start_tray()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes.clear()
        shutil.rmtree(self.home, ignore_errors=True)

    def _start_display(self):
        if self.monitors:
            return self._start_dummy_display()
        self._start_server(["Xvfb", "-screen", "0", SCREEN])

    def _start_server(self, command):
        """Starts an X server that takes -displayfd, and remembers the display it chose."""
        server = command[0]
        read_end, write_end = os.pipe()
        try:
            xvfb = subprocess.Popen(
                [*command, "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.processes.append(xvfb)
            os.close(write_end)
            write_end = None
            # The server writes the display number it chose, then a newline.
            number = b""
            deadline = time.monotonic() + 10
            while not number.endswith(b"\n"):
                if xvfb.poll() is not None:
                    raise Failure(f"{server} ended before it chose a display")
                remaining = deadline - time.monotonic()
                if remaining <= 0:
                    raise Failure(f"{server} did not report its display")
                ready, _, _ = select.select([read_end], [], [], remaining)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        raise Failure(f"{server} closed the display pipe")
                    number += chunk
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = ":" + number.decode().strip()

    def _start_dummy_display(self):
        """Xorg with the dummy driver: one output with a mode as wide as the monitors side
        by side, split into them with xrandr --setmonitor (RandR 1.5 monitors)."""
        if not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so") or not shutil.which("xrandr"):
            raise Unavailable("no Xorg dummy driver or xrandr (xserver-xorg-video-dummy, x11-xserver-utils)")
        if os.geteuid() != 0:
            raise Unavailable("Xorg takes a configuration file of our own only when run as root")
        width = sum(monitor.width for monitor in self.monitors)
        height = max(monitor.height for monitor in self.monitors)
        # The dummy output takes any mode within the monitor's ranges; 60 Hz.
        htotal, vtotal = width + 160, height + 25
        clock = htotal * vtotal * 60 / 1e6
        mode = f"{width}x{height}"
        config = os.path.join(self.home, "xorg.conf")
        with open(config, "w") as out:
            out.write(f"""Section "ServerFlags"
  Option "DontVTSwitch" "true"
  Option "AutoAddDevices" "false"
EndSection
Section "Device"
  Identifier "card"
  Driver "dummy"
  VideoRam {max(65536, width * height * 4 // 1024 * 2)}
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 1.0 - 1000.0
  VertRefresh 1.0 - 200.0
  Modeline "{mode}" {clock:.2f} {width} {width + 40} {width + 80} {htotal} {height} {height + 3} {height + 8} {vtotal}
EndSection
Section "Screen"
  Identifier "screen"
  Device "card"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "{mode}"
  EndSubSection
EndSection
""")
        # No console: no virtual terminal of its own.
        self._start_server(["Xorg", "-config", config, "-logfile", os.path.join(self.home, "xorg.log"),
                            "-keeptty", "-novtswitch", "-sharevts"])
        wait_until("Xorg to answer", lambda: subprocess.run(["xrandr", "--current"], env=self.environment(),
                                                              capture_output=True).returncode == 0)
        output = re.search(r"^(\S+) connected", self.x("xrandr", "--current"), re.M)
        if not output:
            raise Failure("the dummy driver connected no output")
        left = 0
        for index, monitor in enumerate(self.monitors):
            # Millimetres for 96 dots per inch; the first monitor takes the output's place.
            millimetres = f"{monitor.width}/{round(monitor.width * 25.4 / 96)}x" \
                          f"{monitor.height}/{round(monitor.height * 25.4 / 96)}"
            self.x("xrandr", "--setmonitor", monitor.name, f"{millimetres}+{left}+0",
                   output.group(1) if index == 0 else "none")
            left += monitor.width

    def environment(self):
        env = dict(os.environ)
        for variable in ("DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XAUTHORITY",
                         "SESSION_MANAGER", "QT_QPA_PLATFORMTHEME"):
            # Without a session bus Qt embeds its icon through XEmbed, into trayer.
            env.pop(variable, None)
        env["DISPLAY"] = self.display
        env["QT_QPA_PLATFORM"] = "xcb"
        env["LANGUAGE"] = "en"  # the cases read the English texts; a case may ask for another
        if self.monitors:
            env["QT_SCREEN_SCALE_FACTORS"] = ";".join(f"{m.name}={m.scale:g}" for m in self.monitors)
        env["HOME"] = self.home
        for variable, folder in (("XDG_CONFIG_HOME", ".config"), ("XDG_DATA_HOME", ".local/share"),
                                 ("XDG_STATE_HOME", ".local/state"), ("XDG_CACHE_HOME", ".cache"),
                                 ("XDG_RUNTIME_DIR", "runtime")):
            path = os.path.join(self.home, folder)
            os.makedirs(path, mode=0o700, exist_ok=True)
            env[variable] = path
        return env

    def _start_window_manager(self):
        """openbox: a window manager that speaks EWMH (the active window, focus requests)."""
        openbox = subprocess.Popen(["openbox", "--sm-disable"], env=self.environment(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(openbox)
        wait_until("openbox to manage the screen",
                   lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.x("xprop", "-root"))

    def stop_tray(self):
        """Takes the tray away, as on a desktop whose panel has not started yet."""
        for process in self.processes:
            if process.args[0] == "trayer" and process.poll() is None:
                process.terminate()
                process.wait(timeout=5)
        wait_until("the tray's panel to go", lambda: self._find_panel() is None)

    def _start_tray(self):
        trayer = subprocess.Popen(
            ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
             "--width", str(TRAY_WIDTH), "--heighttype", "pixel", "--height", str(TRAY_HEIGHT),
             "--transparent", "false", "--SetDockType", "true", "--SetPartialStrut", "true"],
            env=self.environment(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(trayer)
        self.panel = wait_until("trayer's panel", self._find_panel)

    # -- the program ----------------------------------------------------------

    def settings_path(self):
        return os.path.join(self.home, ".config", "Vellico", "Vellico.conf")

    def library_path(self):
        return os.path.join(self.home, ".local", "share", "Vellico", "Vellico Library.vlb")

    def log_path(self):
        return os.path.join(self.home, ".local", "state", "Vellico", "Vellico.log")

    def enable_logging(self):
        self.write_settings(RZLoggingEnabled="true")

    def write_settings(self, shortcut=None, **values):
        """Vellico.conf with these [General] keys and, when given, the global shortcut's keys."""
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        with open(self.settings_path(), "w") as settings:
            settings.write("[General]\n")
            for key, value in values.items():
                settings.write(f"{key}={value}\n")
            if shortcut:
                settings.write(f"\n{SHORTCUT_GROUP}\n")
                for key, value in shortcut.items():
                    settings.write(f"{key}={value}\n")

    def start_vellico(self, *arguments, **environment):
        binary = os.environ["VELLICO_BINARY"]
        with open(self.vellico_log, "wb") as output:
            self.vellico = subprocess.Popen([binary, *arguments], env={**self.environment(), **environment},
                                            stdout=output, stderr=subprocess.STDOUT)
        self.processes.append(self.vellico)

    def wait_for_exit(self, timeout=10):
        try:
            return self.vellico.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"vellico still runs {timeout} s after being asked to quit")

    def ended_cleanly(self):
        """Waits for vellico to end, which it must with status 0."""
        status = self.wait_for_exit()
        if status != 0:
            raise Failure(f"vellico ended with status {status}")

    def quit(self, signal_number=signal.SIGTERM):
        """Asks vellico to quit with a signal; it must end with status 0."""
        self.vellico.send_signal(signal_number)
        self.ended_cleanly()

    def report_failure(self):
        """Prints what helps to understand a failure: vellico's output, a screenshot."""
        if self.output():
            print(f"--- vellico's output ---\n{self.output()}", file=sys.stderr)
        try:
            print(f"screenshot: {self.screenshot('failure')}", file=sys.stderr)
        except Exception:
            pass

    def output(self):
        try:
            with open(self.vellico_log, errors="replace") as output:
                return output.read()
        except OSError:
            return ""

    # -- looking at the display -----------------------------------------------

    def x(self, *command):
        for attempt in range(3):
            result = subprocess.run(list(command), env=self.environment(), capture_output=True,
                                    text=True, timeout=10)
            # A window that closes while xwininfo walks the tree makes it fail: ask again.
            vanished = "Bad Drawable" in result.stderr or "BadWindow" in result.stderr
            if result.returncode == 0 or not vanished:
                break
        if result.returncode != 0:
            raise Failure(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result.stdout

    def _find_panel(self):
        # Under a window manager the panel may sit inside the manager's frame.
        tree = self.x("xwininfo", "-root", "-tree")
        match = re.search(r'^\s+(0x[0-9a-f]+) "panel": \("panel" "trayer"\)', tree, re.M)
        return match.group(1) if match else None

    def tray_icon(self):
        """The absolute geometry (x, y, width, height) of vellico's window inside the tray."""
        tree = self.x("xwininfo", "-tree", "-id", self.panel)
        for line in tree.splitlines():
            match = re.search(r'\("vellico" "Vellico"\)\s+(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)',
                              line)
            if match:
                width, height, left, top = map(int, match.groups())
                if width > 1 and height > 1:
                    return left, top, width, height
        return None

    def vellico_windows(self, min_width, min_height):
        """(x, y, width, height, window id) of each shown top-level vellico window at least that large."""
        tree = self.x("xwininfo", "-root", "-tree")
        found = []
        for line in tree.splitlines():
            # "WxH+x+y  +X+Y": the second pair is on the screen, the first inside a frame.
            match = re.search(r'\("vellico" "Vellico"\)\s+(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)', line)
            if match:
                width, height, left, top = map(int, match.groups())
                window = line.split()[0]
                if width <= min_width or height <= min_height:
                    continue
                try:
                    viewable = "IsViewable" in self.x("xwininfo", "-id", window)
                except Failure:
                    continue  # gone since the tree was read
                if viewable:
                    found.append((left, top, width, height, window))
        return found

    def vellico_window(self, min_width, min_height):
        windows = self.vellico_windows(min_width, min_height)
        return windows[0] if windows else None

    def vellico_menu(self):
        return self.vellico_window(40, 10)

    def vellico_alert(self):
        return self.vellico_window(200, 60)

    def geometry(self, window):
        info = self.x("xwininfo", "-id", window)
        value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"),
                value("Width"), value("Height"))

    def screenshot(self, name):
        path = os.path.join(self.artifacts or self.home, f"{self.name}-{name}.png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.x("import", "-window", "root", path)
        return path

    def darkest(self, screenshot, geometry):
        """The darkest intensity (0 black … 1 white) inside a rectangle of a screenshot."""
        left, top, width, height = geometry
        value = self.x("convert", screenshot, "-crop", f"{width}x{height}+{left}+{top}", "+repage",
                       "-format", "%[fx:minima.intensity]", "info:")
        return float(value)


HOLD_KEY = r"""
import ctypes, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XStringToKeysym.restype = ctypes.c_ulong
x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                       ctypes.c_int]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
display = x.XOpenDisplay(None)
code = x.XKeysymToKeycode(display, x.XStringToKeysym(sys.argv[1].encode()))
x.XGrabKey(display, code, int(sys.argv[2]), x.XDefaultRootWindow(display), 1, 1, 1)  # GrabModeAsync
x.XSync(display, 0)
print("held", flush=True)
time.sleep(120)
"""


def hold_combination(session, key, mask):
    """Another client grabs key+mask on the root window, as a desktop's own shortcut does."""
    helper = subprocess.Popen([sys.executable, "-c", HOLD_KEY, key, str(mask)], env=session.environment(),
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    session.processes.append(helper)
    if helper.stdout.readline().strip() != "held":
        raise Failure("the helper could not grab the combination")
    return helper


class Picture:
    """A screenshot's pixels, read once."""

    def __init__(self, session, path):
        self.path = path
        self.width, self.height = map(int, session.x("identify", "-format", "%w %h", path).split())
        self.raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                                  timeout=30, check=True).stdout

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.raw[at:at + 3])

    def find(self, rgb, region=None, tolerance=0):
        """The bounding box (left, top, right, bottom) of the pixels within `tolerance` of `rgb`
        inside `region` (left, top, right, bottom; default everything), or None."""
        left, top, right, bottom = region or (0, 0, self.width, self.height)
        left, top, right, bottom = max(0, left), max(0, top), min(self.width, right), min(self.height, bottom)
        found = None
        for y in range(top, bottom):
            if tolerance == 0:  # the exact colour: let bytes.find skip through the row
                row, xs, at = self.raw[3 * (y * self.width + left):3 * (y * self.width + right)], [], -1
                while (at := row.find(bytes(rgb), at + 1)) >= 0:
                    if at % 3 == 0:
                        xs.append(left + at // 3)
            else:
                xs = [x for x in range(left, right)
                      if all(abs(a - b) <= tolerance for a, b in zip(self.pixel(x, y), rgb))]
            if xs:
                found = (min(found[0], xs[0]), min(found[1], y), max(found[2], xs[-1]), y) if found \
                    else (xs[0], y, xs[-1], y)
        return found


# -- the library the tests start with ------------------------------------------

COLLECTION = {
    "RZTitle": "Harbour at dusk",
    "RZCreationDate": 1690000000,
    "RZModificationDate": 1690000500,
    "RZRemovedIDs": [1690000100],
    "RZColors": [
        {"RZColorSpace": 0, "RZComponent1": 0.1, "RZComponent2": 0.2, "RZComponent3": 0.55,
         "RZComponent4": 0.0, "RZColorID": 1690000200, "RZModificationDate": 0, "RZName": "#1A338C"},
        {"RZColorSpace": 1, "RZComponent1": 0.0, "RZComponent2": 0.5, "RZComponent3": 0.9,
         "RZComponent4": 0.1, "RZColorID": 1690000300, "RZModificationDate": 1690000400,
         "RZName": "Lantern"},
    ],
}


def write_library(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    library = {"DBVersion": "0.3", "contents": [COLLECTION], "RZRemovedCollectionIDs": [1680000000]}
    with open(path, "wb") as out:
        plistlib.dump(library, out, fmt=plistlib.FMT_XML)
    with open(path, "rb") as written:
        return written.read()


def check_library_intact(path, original):
    """Unchanged bytes, or a rewrite that still holds the collection as it was."""
    if not os.path.exists(path):
        raise Failure("the library file is gone")
    with open(path, "rb") as current:
        data = current.read()
    if data == original:
        return
    try:
        library = plistlib.loads(data)
    except Exception as error:
        raise Failure(f"the library was rewritten and no longer reads as a property list: {error}")
    if library.get("DBVersion") != "0.3":
        raise Failure(f"the rewritten library has version {library.get('DBVersion')!r}")
    if 1680000000 not in library.get("RZRemovedCollectionIDs", []):
        raise Failure("the rewritten library lost its collection tombstone")
    collections = library.get("contents", [])
    if len(collections) != 1:
        raise Failure(f"the rewritten library holds {len(collections)} collections, not 1")
    collection = collections[0]
    for key in ("RZTitle", "RZCreationDate", "RZModificationDate", "RZRemovedIDs"):
        if collection.get(key) != COLLECTION[key]:
            raise Failure(f"the collection's {key} changed: {collection.get(key)!r}")
    colors = collection.get("RZColors", [])
    if len(colors) != len(COLLECTION["RZColors"]):
        raise Failure(f"the collection holds {len(colors)} colours")
    for written, expected in zip(colors, COLLECTION["RZColors"]):
        for key, value in expected.items():
            actual = written.get(key)
            same = abs(actual - value) < 1e-9 if isinstance(value, float) and actual is not None else actual == value
            if not same:
                raise Failure(f"colour {expected['RZColorID']}: {key} is {actual!r}, was {value!r}")


# -- the cases -----------------------------------------------------------------

def wait_for_icon(session):
    wait_until("vellico's icon in the tray", session.tray_icon)
    # The tray and the window manager may still move the panel and its icons
    # about: a click goes where the icon has settled.
    previous = [None]

    def settled():
        icon = session.tray_icon()
        still = icon if icon and icon == previous[0] else None
        previous[0] = icon
        if not still:
            time.sleep(0.15)
        return still

    icon = wait_until("vellico's icon to settle in the tray", settled)

    # The picture is drawn a little after the window is embedded, and the panel
    # may still move the window to its place after that: wait until the icon is
    # drawn where it stays, so that a click lands on it.
    def icon_drawn():
        icon = session.tray_icon()
        if not icon:
            return None
        shot = session.screenshot("tray")
        drawn = session.darkest(shot, icon) < 0.35 and session.tray_icon() == icon
        return (icon, shot) if drawn else None

    icon, shot = wait_until("the icon's picture in its place in the tray", icon_drawn)
    # The dark pixels must be the icon's: the empty left end of the panel is light.
    p_left, p_top, _, p_height = session.geometry(session.panel)
    if session.darkest(shot, (p_left + 4, p_top + 2, 40, p_height - 4)) < 0.5:
        raise Failure("the tray panel itself is dark; the icon check would prove nothing")
    return icon


def case_sigterm_keeps_library(session):
    original = write_library(session.library_path())
    session.enable_logging()
    session.start_vellico()
    wait_for_icon(session)
    session.quit()
    check_library_intact(session.library_path(), original)
    with open(session.log_path()) as log:
        text = log.read()
    for line in ("Creating swatch core.", "Core successfully created (", "Received signal 15, quitting."):
        if line not in text:
            raise Failure(f"the log lacks {line!r}:\n{text}")
    if text.index("Creating swatch core.") > text.index("Core successfully created ("):
        raise Failure("the core was reported created before it was being created")


def case_sigint_without_library(session):
    session.start_vellico()
    wait_for_icon(session)
    session.quit(signal.SIGINT)
    # Nothing changed, so nothing was saved: no library file appears.
    if os.path.exists(session.library_path()):
        raise Failure("an untouched empty library was written at quit")
    if os.path.exists(session.log_path()):
        raise Failure("a log was written although logging is off")


def case_menu_quit(session):
    original = write_library(session.library_path())
    session.start_vellico()
    left, top, width, height = wait_for_icon(session)
    session.x("xdotool", "mousemove", str(left + width // 2), str(top + height // 2), "click", "3")
    menu = wait_until("the tray icon's menu", session.vellico_menu)
    session.screenshot("menu")
    # "Quit" is the menu's last row.
    m_left, m_top, m_width, m_height, _ = menu
    session.x("xdotool", "mousemove", str(m_left + m_width // 2), str(m_top + m_height - 10))
    session.x("xdotool", "click", "1")
    session.ended_cleanly()
    check_library_intact(session.library_path(), original)


GARBAGE = b"this was a library once \x00\xff and is no longer one"


def write_garbage_library(session):
    os.makedirs(os.path.dirname(session.library_path()), exist_ok=True)
    with open(session.library_path(), "wb") as out:
        out.write(GARBAGE)


def answer_alert(session, keys):
    """Waits for the start-up alert, looks at it, and answers it with keys."""
    alert = wait_until("the alert about the unreadable library", session.vellico_alert)
    session.screenshot("alert")
    if session.tray_icon():
        raise Failure("the tray icon is there before the library was decided on")
    window = alert[4]
    session.x("xdotool", "windowfocus", "--sync", window)
    for key in keys:
        session.x("xdotool", "key", key)


def case_unreadable_library_quit(session):
    write_garbage_library(session)
    session.start_vellico()
    answer_alert(session, ["Return"])  # "Quit" is the default button
    session.ended_cleanly()
    with open(session.library_path(), "rb") as library:
        if library.read() != GARBAGE:
            raise Failure("quitting at the alert changed the library file")


def case_unreadable_library_overwrite(session):
    write_garbage_library(session)
    session.start_vellico()
    answer_alert(session, ["Tab", "space"])  # from "Quit" on to "Overwrite"
    wait_for_icon(session)
    folder = os.path.dirname(session.library_path())
    kept = [name for name in os.listdir(folder) if name.startswith("Vellico Library (unreadable ")]
    if len(kept) != 1:
        raise Failure(f"the unreadable library was not kept beside the new one: {os.listdir(folder)}")
    with open(os.path.join(folder, kept[0]), "rb") as old:
        if old.read() != GARBAGE:
            raise Failure("the kept library is not the user's file")
    session.quit()


def clipboard(session):
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=session.environment(),
                            capture_output=True, timeout=10)
    return result.stdout.decode() if result.returncode == 0 else None


def run_again(session, *arguments):
    """Starts vellico a second time; it must hand its commands over and end at once."""
    result = subprocess.run([os.environ["VELLICO_BINARY"], *arguments], env=session.environment(),
                            capture_output=True, text=True, timeout=20)
    if result.returncode != 0:
        raise Failure(f"vellico {' '.join(arguments)} ended with {result.returncode}: {result.stderr}")


def case_clipboard_copy(session):
    session.write_settings(VQCopyType=1, VQAlternateCopyFormat=6, VQUseLowercase="true")
    session.start_vellico()
    wait_for_icon(session)

    # Another program puts a CSS colour on the clipboard; Vellico pastes it as its selection.
    owner = offer_clipboard(session, "rgb(255, 128, 0)")
    run_again(session, "--paste")

    # Vellico copies the selection; other clients read exactly the text of the format.
    run_again(session, "--copy")
    wait_until("the copied colour on the clipboard", lambda: clipboard(session) == "#ff8000")
    if owner.wait(timeout=10) != 0:
        raise Failure("xclip did not give up the clipboard to vellico")
    run_again(session, "--copy-alternate")
    expected = "[NSColor colorWithDeviceRed:1.000 green:0.502 blue:0.000 alpha:1.0]"
    wait_until("the alternate format on the clipboard", lambda: clipboard(session) == expected)
    # The text stays served while the program runs, to any number of readers.
    for _ in range(3):
        if clipboard(session) != expected:
            raise Failure("the clipboard lost the copied text")

    icons = sum('("vellico" "Vellico")' in line
                for line in session.x("xwininfo", "-tree", "-id", session.panel).splitlines())
    if icons != 1:
        raise Failure(f"the later starts left {icons} vellico windows in the tray")
    session.quit()


# -- the main window ------------------------------------------------------------

def main_window(session):
    """(x, y, width, height, id) of the shown main window, or None."""
    return session.vellico_window(200, 250)


def active_window(session):
    result = subprocess.run(["xdotool", "getactivewindow"], env=session.environment(),
                            capture_output=True, text=True, timeout=10)
    return int(result.stdout.strip()) if result.returncode == 0 and result.stdout.strip() else None


def active_window_name(session):
    result = subprocess.run(["xdotool", "getactivewindow", "getwindowname"], env=session.environment(),
                            capture_output=True, text=True, timeout=10)
    return result.stdout.strip() if result.returncode == 0 else None


def has_input_focus(session, window):
    """Whether the X input focus is in `window` (an id such as "0x600013"). Unlike the
    window manager's active window, which may still name a window closed since, this
    says where the next key press goes."""
    result = subprocess.run(["xdotool", "getwindowfocus"], env=session.environment(),
                            capture_output=True, text=True, timeout=10)
    return result.returncode == 0 and result.stdout.strip() == str(int(window, 16))


def click_icon(session, button="1"):
    left, top, width, height = wait_for_icon(session)
    session.x("xdotool", "mousemove", str(left + width // 2), str(top + height // 2), "click", button)
    return left, top, width, height


def offer_clipboard(session, text):
    """Another program owns the clipboard with `text` until someone else takes it."""
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"], env=session.environment(),
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session.processes.append(owner)
    owner.stdin.write(text.encode())
    owner.stdin.close()
    wait_until(f"xclip to offer {text!r}", lambda: clipboard(session) == text)
    return owner


def gl_driver_libraries(pid):
    """The GL driver's libraries mapped into process `pid` (Mesa's EGL, GLX and DRI drivers,
    gbm, LLVM); the vendor-neutral dispatch libraries Qt links to are not counted."""
    with open(f"/proc/{pid}/maps") as maps:
        paths = {line.split()[-1] for line in maps if "/" in line}
    return sorted(path for path in paths
                  if re.search(r"libEGL_mesa|libGLX_mesa|_dri\.so|libgbm|libLLVM|libglapi", os.path.basename(path)))


def case_window_under_icon(session):
    session.start_vellico()
    left, top, width, height = click_icon(session)
    w_left, w_top, w_width, w_height, _ = wait_until("the main window", lambda: main_window(session))
    session.screenshot("window")
    # Centred under the icon (unless the screen's edge pushed it in), its top just below the icon.
    centre = left + width / 2
    if not (w_left <= centre <= w_left + w_width) or abs(w_top - (top + height)) > 2:
        raise Failure(f"window at {w_left},{w_top} {w_width}x{w_height} does not hang from the icon "
                      f"at {left},{top} {width}x{height}")
    if w_left + w_width < 800 and abs((w_left + w_width / 2) - centre) > 1:
        raise Failure("the window is not centred under the icon although it fits")
    wait_until("the window to take the focus", lambda: has_input_focus(session, main_window(session)[4]))
    # Every surface is drawn without GL: the open window loads no GL driver.
    if gl_driver_libraries(session.vellico.pid):
        raise Failure(f"the open window mapped a GL driver: {gl_driver_libraries(session.vellico.pid)}")
    session.x("xdotool", "key", "Escape")
    wait_until("Escape to close the window", lambda: main_window(session) is None)
    click_icon(session)
    wait_until("the window again", lambda: main_window(session))
    click_icon(session)
    wait_until("a second click to close the window", lambda: main_window(session) is None)
    # Starting vellico again opens and closes the running one's window.
    run_again(session)
    wait_until("the window after a second start", lambda: main_window(session))
    run_again(session)
    wait_until("a third start to close the window", lambda: main_window(session) is None)

    # A right click shows the three-row menu, not the window.
    click_icon(session, "3")
    menu = wait_until("the tray icon's menu", session.vellico_menu)
    session.screenshot("status-menu")
    if menu[3] > 120 or main_window(session):
        raise Failure(f"a right click showed {menu}, not the short status menu")
    session.x("xdotool", "key", "Escape")
    session.quit()


def case_paste_copy_focus(session):
    session.start_vellico()
    wait_for_icon(session)
    other = subprocess.Popen(["xev", "-name", "OtherProgram", "-geometry", "300x200+40+80"],
                             env=session.environment(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session.processes.append(other)
    wait_until("the other program's window to be active", lambda: active_window_name(session) == "OtherProgram")

    offer_clipboard(session, "#336699")
    click_icon(session)
    wait_until("the main window with the focus",
               lambda: main_window(session) and has_input_focus(session, main_window(session)[4]))
    session.x("xdotool", "key", "ctrl+v")
    session.screenshot("pasted")
    session.x("xdotool", "key", "ctrl+c")
    wait_until("the copied colour", lambda: clipboard(session) == "336699")
    wait_until("the window to close after the copy", lambda: main_window(session) is None)
    wait_until("the focus back in the other program", lambda: active_window_name(session) == "OtherProgram")

    # Text that is no colour changes nothing.
    offer_clipboard(session, "nonsense")
    click_icon(session)
    wait_until("the main window with the focus",
               lambda: main_window(session) and has_input_focus(session, main_window(session)[4]))
    session.x("xdotool", "key", "ctrl+v", "ctrl+alt+c")  # the alternate format: "#" and hex, by default
    wait_until("a copy of the unchanged colour", lambda: clipboard(session) == "#336699")
    session.quit()


def type_color(session, text, screenshot=None):
    """Types `text` into the colour entry dialog, opened with a right click on the readout
    of the shown main window; returns the main window."""
    w_left, w_top, w_width, w_height, _ = wait_until("the main window", lambda: main_window(session))
    # The readout sits at the bottom of the picker's canvas; its left part shows the hex value.
    readout = wait_until("the readout", lambda: find_readout(session, (w_left, w_top, w_width, w_height)))
    session.x("xdotool", "mousemove", str(readout[0]), str(readout[1]), "click", "3")
    main = main_window(session)
    wait_until("the colour entry dialog", lambda: [w for w in session.vellico_windows(150, 60) if w[4] != main[4]])
    if screenshot:
        session.screenshot(screenshot)
    session.x("xdotool", "key", "ctrl+a")
    session.x("xdotool", "type", text)
    session.x("xdotool", "key", "Return")
    return main


def case_entry_dialog(session):
    session.start_vellico()
    click_icon(session)
    main = type_color(session, "navy", screenshot="entry-dialog")
    # The dialog gone, the main window has the keyboard again.
    wait_until("the main window to be active again", lambda: active_window(session) == int(main[4], 16))
    session.x("xdotool", "key", "ctrl+c")
    wait_until("the typed colour copied", lambda: clipboard(session) == "000080")
    session.quit()


def history(session):
    """The recent colours as vellico-cli lists them, newest first."""
    result = subprocess.run([os.environ["VELLICO_CLI"], "history"], env=session.environment(),
                            capture_output=True, text=True, timeout=20)
    if result.returncode != 0:
        raise Failure(f"vellico-cli history ended with {result.returncode}: {result.stderr}")
    return result.stdout.split()


def case_recent_colors(session):
    """A pasted and a typed colour go to the front of the recent colours, and a recent
    colour clicked in the window's row becomes the selection."""
    session.write_settings(VQCopyType=1)  # "vellico --copy" copies #RRGGBB
    session.start_vellico()
    wait_for_icon(session)
    offer_clipboard(session, "#123456")
    run_again(session, "--paste")
    wait_until("the pasted colour in the history", lambda: history(session) == ["#123456"])

    if not main_window(session):
        click_icon(session)
    w_left, w_top, w_width, w_height, _ = type_color(session, "navy")
    wait_until("the typed colour in front", lambda: history(session) == ["#000080", "#123456"])

    # The row of recent colours shows the pasted one second; a click there selects it.
    window = (w_left, w_top, w_left + w_width, w_top + w_height)
    swatch = wait_until("the pasted colour in the window's row", lambda: Picture(
        session, session.screenshot("recent-row")).find((0x12, 0x34, 0x56), window))
    session.screenshot("recent-colors")
    session.x("xdotool", "mousemove", str((swatch[0] + swatch[2]) // 2), str((swatch[1] + swatch[3]) // 2),
              "click", "1")
    run_again(session, "--copy")
    wait_until("the clicked colour copied", lambda: clipboard(session) == "#123456")
    wait_until("the copy in front", lambda: history(session) == ["#123456", "#000080"])
    session.quit()


def find_readout(session, window):
    """The centre of the readout's left part, and the lowest row of its fill: the dark bar
    under the picker, found by its exact grey (58, 58, 60) so that the darker pixels of
    the tool rows under it are not taken for it."""
    shot = session.screenshot("readout")
    left, top, width, height = window
    box = Picture(session, shot).find((58, 58, 60), (left + 16, top + 60, left + 26, top + height))
    return (left + 40, box[3]) if box else None


# -- synchronisation and the library's location -----------------------------------

def collection_titles(path):
    with open(path, "rb") as library:
        return sorted(c["RZTitle"] for c in plistlib.load(library)["contents"])


def laptop_sync(session, laptop_library, folder):
    """The other computer: vellico-cli as another machine, with its own home."""
    home = os.path.join(session.home, "laptop")
    os.makedirs(home, exist_ok=True)
    env = dict(os.environ, HOME=home, VELLICO_MACHINE_ID="laptop", XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_DATA_HOME=os.path.join(home, ".local/share"), XDG_STATE_HOME=os.path.join(home, ".local/state"))
    result = subprocess.run([os.environ["VELLICO_CLI"], "sync", "--folder", folder, "--library", laptop_library],
                            env=env, capture_output=True, text=True, timeout=30)
    if result.returncode != 0:
        raise Failure(f"the laptop's sync failed: {result.stderr}")


def write_laptop_library(path, titles):
    contents = [dict(COLLECTION, RZTitle=title, RZCreationDate=1695000000 + i, RZRemovedIDs=[])
                for i, title in enumerate(titles)]
    with open(path, "wb") as out:
        plistlib.dump({"DBVersion": "0.3", "contents": contents, "RZRemovedCollectionIDs": []}, out)


def case_sync_at_launch_and_quit(session):
    folder = os.path.join(session.home, "Shared")
    os.makedirs(folder)
    # Someone else's link to a named pipe in the folder held the program at start-up for ever.
    os.mkfifo(os.path.join(session.home, "pipe"))
    os.symlink(os.path.join(session.home, "pipe"), os.path.join(folder, "pipe.vlb"))
    write_library(session.library_path())
    session.write_settings(RZLoggingEnabled="true", VQSynchronizeWithiCloud="true", VQSyncFolderPath=folder)
    laptop_library = os.path.join(session.home, "laptop.vlb")
    write_laptop_library(laptop_library, ["Laptop one"])
    laptop_sync(session, laptop_library, folder)
    laptop_file = [name for name in os.listdir(folder) if name.endswith(".vlb")]

    session.start_vellico(VELLICO_MACHINE_ID="desk")
    wait_for_icon(session)

    def own_file():
        names = [name for name in os.listdir(folder) if name.endswith(".vlb") and name not in laptop_file]
        return os.path.join(folder, names[0]) if len(names) == 1 else None

    desk_file = wait_until("this computer's file in the shared folder", own_file)
    wait_until("the laptop's collection in this computer's file",
               lambda: collection_titles(desk_file) == ["Harbour at dusk", "Laptop one"])

    # The laptop adds a collection and syncs while the program runs; it comes in at the end.
    write_laptop_library(laptop_library, ["Laptop one", "Laptop two"])
    laptop_sync(session, laptop_library, folder)
    session.quit()
    everything = ["Harbour at dusk", "Laptop one", "Laptop two"]
    for path in (session.library_path(), desk_file):
        if collection_titles(path) != everything:
            raise Failure(f"{path} holds {collection_titles(path)}")
    laptop_sync(session, laptop_library, folder)
    if collection_titles(laptop_library) != everything:
        raise Failure(f"the laptop holds {collection_titles(laptop_library)}")

    with open(session.log_path()) as log:
        text = log.read()
    order = ["Creating swatch core.", "Core successfully created (", "Initializing preferences.",
             "Starting sync core.", "Syncing with iCloud files.", "Received signal 15, quitting."]
    positions = [text.find(line) for line in order]
    if -1 in positions or positions != sorted(positions):
        raise Failure(f"the log does not hold {order} in order:\n{text}")
    skipped = f"Skipping {folder}/pipe.vlb: a symbolic link, not a file."
    if skipped not in text:
        raise Failure(f"the log does not say '{skipped}':\n{text}")


def answer_choice(session, keys):
    alert = wait_until("the alert asking for a library", session.vellico_alert)
    session.screenshot("choose-library")
    if session.tray_icon():
        raise Failure("the tray icon is there before the library was chosen")
    session.x("xdotool", "windowfocus", "--sync", alert[4])
    for key in keys:
        session.x("xdotool", "key", key)


def case_choose_library_quit(session):
    session.start_vellico("--choose-library")
    answer_choice(session, ["Tab", "space"])  # "Choose Library...", then "Quit"
    session.ended_cleanly()
    if os.path.exists(session.library_path()) or os.path.exists(session.settings_path()):
        raise Failure("quitting at the choice wrote a library or settings")


def case_choose_library_create(session):
    target = os.path.join(session.home, "Made here.vlb")
    session.start_vellico("--choose-library")
    answer_choice(session, ["Tab", "Tab", "space"])  # on to "Create Library..."
    dialog = wait_until("the save panel", lambda: session.vellico_window(300, 150))
    session.screenshot("save-panel")
    session.x("xdotool", "windowfocus", "--sync", dialog[4])
    session.x("xdotool", "key", "ctrl+a")
    session.x("xdotool", "type", "--delay", "20", target)
    session.x("xdotool", "key", "Return")
    wait_for_icon(session)
    with open(target, "rb") as created:
        library = plistlib.load(created)
    if library.get("DBVersion") != "0.3" or library.get("contents") != []:
        raise Failure(f"the new library is {library!r}")
    with open(session.settings_path()) as settings:
        if f"VQCustomLibraryURLData={target}" not in settings.read():
            raise Failure("the new library was not remembered")
    if os.path.exists(session.library_path()):
        raise Failure("the default library was made as well")
    session.quit()


CASES = {
    "sigterm-keeps-library": case_sigterm_keeps_library,
    "sigint-without-library": case_sigint_without_library,
    "menu-quit": case_menu_quit,
    "unreadable-library-quit": case_unreadable_library_quit,
    "unreadable-library-overwrite": case_unreadable_library_overwrite,
    "clipboard-copy": case_clipboard_copy,
    "window-under-icon": case_window_under_icon,
    "paste-copy-focus": case_paste_copy_focus,
    "entry-dialog": case_entry_dialog,
    "recent-colors": case_recent_colors,
    "sync-at-launch-and-quit": case_sync_at_launch_and_quit,
    "choose-library-quit": case_choose_library_quit,
    "choose-library-create": case_choose_library_create,
}


def run_case(cases, session_class=None, prefix="", needs=("VELLICO_BINARY",)):
    """Runs the case named on the command line in a session of its own (`session_class`,
    or any callable that makes one from the case's name); the exit status (SKIPPED when
    the machine cannot run the session)."""
    session_class = session_class or Session
    if len(sys.argv) != 2 or sys.argv[1] not in cases:
        print(f"usage: {sys.argv[0]} {'|'.join(cases)}", file=sys.stderr)
        return 2
    for variable in needs:
        if variable not in os.environ:
            print(f"{variable} is not set", file=sys.stderr)
            return 2
    # A timeout from CTest arrives as SIGTERM: leave through the clean-up.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))
    name = sys.argv[1]
    try:
        with session_class(prefix + name) as session:
            try:
                cases[name](session)
            except Failure as failure:
                print(f"FAIL {name}: {failure}", file=sys.stderr)
                if session.vellico is not None and session.vellico.poll() is not None:
                    print(f"vellico had ended with status {session.vellico.returncode}", file=sys.stderr)
                session.report_failure()
                return 1
    except Unavailable as reason:
        print(f"SKIP {name}: {reason}")
        return SKIPPED
    except Failure as failure:
        print(f"FAIL {name}: the session did not start: {failure}", file=sys.stderr)
        return 1
    print(f"PASS {name}")
    return 0


if __name__ == "__main__":
    sys.exit(run_case(CASES))
