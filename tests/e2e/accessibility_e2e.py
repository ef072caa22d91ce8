#!/usr/bin/env python3
"""Desktop test of what a screen reader reads of the real program over AT-SPI.

    accessibility_e2e.py CASE      with VELLICO_BINARY set

The session gets a private session bus and the accessibility bus on it
(at-spi-bus-launcher); Qt's bridge registers the program there
(QT_LINUX_ACCESSIBILITY_ALWAYS_ON, as when a screen reader runs). The tree is
read by atspi_tree.py under Debian's Python, which has pyatspi.
"""

import json
import os
import re
import select
import subprocess
import sys
import time
import xml.etree.ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vellico_e2e  # noqa: E402
from vellico_e2e import Failure, Session, offer_clipboard, wait_until  # noqa: E402
from pickers_e2e import open_window  # noqa: E402

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
READER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi_tree.py")
SYSTEM_PYTHON = "/usr/bin/python3"


class AccessibleSession(Session):
    """A session with a session bus of its own and the accessibility bus on it."""

    def __init__(self, name):
        super().__init__(name)
        self.bus_address = None

    def _start_display(self):
        super()._start_display()
        for path in (BUS_LAUNCHER, SYSTEM_PYTHON):
            if not os.path.exists(path):
                raise Failure(f"{path} is missing (at-spi2-core, python3-pyatspi)")
        self._start_bus()
        launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=self.environment(),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(launcher)
        wait_until("the accessibility bus on the session bus", self._a11y_bus_up)

    def _start_bus(self):
        read_end, write_end = os.pipe()
        try:
            bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                    f"--print-address={write_end}"],
                                   env=self.environment(), pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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

    def _a11y_bus_up(self):
        result = subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                                 "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"],
                                env=self.environment(), capture_output=True, text=True, timeout=10)
        return result.returncode == 0 and "unix:" in result.stdout

    def environment(self):
        env = super().environment()
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        return env

    def tree(self):
        """The accessible objects of vellico, as atspi_tree.py prints them."""
        result = subprocess.run([SYSTEM_PYTHON, READER, "Vellico"], env=self.environment(),
                                capture_output=True, text=True, timeout=60)
        if result.returncode != 0:
            raise Failure(f"atspi_tree.py ended with {result.returncode}: {result.stderr.strip()}")
        return [json.loads(line) for line in result.stdout.splitlines()]

    def announcement(self, key, role, name, presses=10):
        """Presses `key` until the object of that role and name announces a change of its
        value or description (the program learns of a new listener a little later); the
        announcement."""
        listener = subprocess.Popen([SYSTEM_PYTHON, READER, "Vellico", "--events"], env=self.environment(),
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.processes.append(listener)
        try:
            if next_line(listener, 10) != "listening\n":
                raise Failure("the event listener did not start")
            for _ in range(presses):
                self.x("xdotool", "key", key)
                while line := next_line(listener, 1):
                    event = json.loads(line)
                    if event["role"] == role and event["name"] == name:
                        return event
            raise Failure(f"{presses} presses of {key}: the {role} {name!r} announced nothing")
        finally:
            listener.stdin.close()
            listener.wait(timeout=10)


def next_line(listener, timeout):
    """The next line the listener prints within `timeout` seconds, or None."""
    ready, _, _ = select.select([listener.stdout], [], [], timeout)
    return listener.stdout.readline() or None if ready else None


def print_tree(nodes):
    for node in nodes:
        value = "" if node["value"] is None else f" value={node['value']:g}"
        description = " (" + node["description"].replace("\n", " / ") + ")" if node["description"] else ""
        states = " [" + " ".join(state for state in node["states"] if state in ("focusable", "focused", "showing")) + "]"
        print(f"{'  ' * len(node['path'])}{node['role']}: {node['name']!r}{description}{value}{states}", flush=True)


def print_window(nodes, holds):
    """Prints the top-level window that holds a showing object for which `holds` is true."""
    top = next(node["path"][0] for node in showing(nodes) if holds(node))
    print_tree([node for node in nodes if node["path"][0] == top])


# Roles a screen reader lands on and reads by name, focusable or not (the window's
# tool buttons and its drawn controls take no keyboard focus).
CONTROL_ROLES = {"push button", "toggle button", "check box", "radio button", "combo box", "slider", "dial",
                 "list", "list item", "entry", "text", "password text", "spin button", "menu item", "page tab"}
NAMELESS_ROLES = {"unknown", "filler", "invalid", "redundant object"}


def showing(nodes):
    return [node for node in nodes if "showing" in node["states"]]


def check_every_control_named(nodes, where):
    """Every showing window, and every showing object that is focusable or a control by
    its role, has a name and a real role."""
    bad = [f"{node['role']} {node['name']!r} at {node['path']}" for node in showing(nodes)
           if ("focusable" in node["states"] or node["role"] in CONTROL_ROLES or len(node["path"]) == 1)
           and (not node["name"].strip() or node["role"] in NAMELESS_ROLES)]
    if bad:
        raise Failure(f"{where}: objects without a name or a role: {'; '.join(bad)}")


def find(nodes, role, name):
    """The showing object of that role and name, or None."""
    found = [node for node in showing(nodes) if node["role"] == role and node["name"] == name]
    return found[0] if found else None


def expect(nodes, role, name, description=None, value=False):
    """The showing object of that role and name, whose description (the value in words)
    matches the pattern `description`, and which has a number when `value`."""
    node = find(nodes, role, name)
    if node is None:
        raise Failure(f"no showing {role} named {name!r}")
    if description is not None and not re.fullmatch(description, node["description"]):
        raise Failure(f"the {role} {name!r} says {node['description']!r}, not /{description}/")
    if value and node["value"] is None:
        raise Failure(f"the {role} {name!r} gives no value as a number")
    return node


def centre(node):
    x, y, width, height = node["extents"]
    return x + width // 2, y + height // 2


def read_until(session, what, predicate, timeout=10):
    """Reads the tree until `predicate(nodes)` holds; the nodes."""
    seen = [None]

    def look():
        seen[0] = session.tree()
        return seen[0] if predicate(seen[0]) else None
    try:
        return wait_until(what, look, timeout=timeout)
    except Failure:
        if seen[0]:
            print_tree(seen[0])
        raise


# The window's controls with the library's one collection and #336699 selected.
WINDOW_CONTROLS = [
    ("frame", "Vellico", None, False),
    ("combo box", "Color Wheel", None, False),  # on Linux a combo box is named by its choice
    ("push button", "Pick Color from Screen", None, False),
    ("push button", "Menu", None, False),
    ("dial", "Color wheel", r"Hue 210°, saturation 67%", False),
    ("slider", "Brightness", r"Brightness 60%", True),
    ("push button", "Selected color", r"Color #336699, (close to )?\S.*", False),
    ("push button", "Hide Collections", None, False),
    ("push button", "Harbour at dusk, 2 colors", None, False),
    ("list", "Shades", r"Color #[0-9A-F]{6}, .+ \(\d of 9\)", False),
]


PICKERS = [
    ("Color Square", [("slider", "Saturation and brightness", r"Saturation \d+%, brightness \d+%", False),
                      ("slider", "Hue", r"Hue 21\d°", True), ("text", "Hue", None, False)]),
    ("RGB Sliders", [("slider", "Red", r"Red \d+", True), ("slider", "Green", r"Green \d+", True),
                     ("slider", "Blue", r"Blue \d+", True), ("text", "Blue", None, False)]),
]


def choose_picker(session, name):
    """Chooses a picker from the chooser's list, clicking where the tree says its parts are."""
    chooser = next(node for node in showing(session.tree()) if node["role"] == "combo box")
    session.x("xdotool", "mousemove", *map(str, centre(chooser)), "click", "1")
    item = wait_until(f"{name} in the chooser's list", lambda: (
        lambda node: node if node and node["extents"] and node["extents"][2] > 0 else None)(
            find(session.tree(), "list item", name)))
    session.x("xdotool", "mousemove", *map(str, centre(item)), "click", "1")


def case_window(session):
    """The window's controls have names, roles and values, and a key press that moves
    one is heard; so are the preferences' controls and an alert."""
    vellico_e2e.write_library(session.library_path())
    session.start_vellico()
    open_window(session)
    offer_clipboard(session, "#336699")
    session.x("xdotool", "key", "ctrl+v")
    nodes = read_until(session, "the pasted colour in the readout", lambda nodes: (
        lambda node: node and node["description"].startswith("Color #336699"))(
            find(nodes, "push button", "Selected color")))
    print_tree(nodes)
    check_every_control_named(nodes, "the main window")
    for role, name, description, value in WINDOW_CONTROLS:
        expect(nodes, role, name, description, value)

    # Up moves the brightness slider beside the wheel (1/255 a press): screen readers
    # get the new value, in words too.
    before = find(nodes, "slider", "Brightness")
    session.x("xdotool", "key", "--delay", "20", "Up", "Up", "Up")
    nodes = read_until(session, "the brightness slider to say 61%", lambda nodes: (
        lambda node: node and node["description"] == "Brightness 61%")(find(nodes, "slider", "Brightness")))
    after = find(nodes, "slider", "Brightness")
    if not after["value"] > before["value"]:
        raise Failure(f"the brightness slider's number went from {before['value']} to {after['value']}")
    expect(nodes, "push button", "Selected color", r"Color #(?!336699)[0-9A-F]{6}, .+")
    # ... and are told of it as it happens.
    heard = session.announcement("Up", "slider", "Brightness")
    if not re.fullmatch(r"Brightness \d+%", heard["description"]):
        raise Failure(f"the brightness slider announced {heard!r}")

    # The shades' strip, reached with Tab, says which swatch Right moved to.
    for _ in range(12):
        session.x("xdotool", "key", "Tab")
        nodes = session.tree()
        strip = find(nodes, "list", "Shades")
        if strip and "focused" in strip["states"]:
            break
    else:
        raise Failure("Tab never reached the shades")
    session.x("xdotool", "key", "Right")
    read_until(session, "the shades to say the next swatch", lambda nodes: (
        lambda node: node and node["description"] != strip["description"] and
        re.fullmatch(r"Color #[0-9A-F]{6}, .+ \(\d of 9\)", node["description"]))(find(nodes, "list", "Shades")))

    # Pickers made after the bridge started: the square, and the sliders with their fields.
    for picker, controls in PICKERS:
        choose_picker(session, picker)
        nodes = read_until(session, f"the controls of {picker}", lambda nodes: find(nodes, *controls[0][:2]))
        check_every_control_named(nodes, picker)
        for role, name, description, value in controls:
            expect(nodes, role, name, description, value)

    # The preferences.
    session.x("xdotool", "key", "ctrl+comma")
    nodes = read_until(session, "the preferences", lambda nodes: find(nodes, "push button", "Done"))
    print_window(nodes, lambda node: node["role"] == "push button" and node["name"] == "Done")
    check_every_control_named(nodes, "the preferences")
    expect(nodes, "push button", "Global shortcut", r".+")
    session.x("xdotool", "mousemove", *map(str, centre(find(nodes, "push button", "Done"))), "click", "1")
    wait_until("the preferences to close", lambda: not find(session.tree(), "push button", "Done"))

    # A colour typed into the readout's prompt that is none: the alert is read.
    readout = find(session.tree(), "push button", "Selected color")
    session.x("xdotool", "mousemove", *map(str, centre(readout)), "click", "3")
    nodes = read_until(session, "the colour prompt", lambda nodes: any(
        node["role"] == "dialog" for node in showing(nodes)))
    check_every_control_named(nodes, "the colour prompt")
    session.x("xdotool", "type", "--delay", "20", "not a colour")
    session.x("xdotool", "key", "Return")
    nodes = read_until(session, "the alert", lambda nodes: any(
        node["role"] == "alert" and node["name"] for node in showing(nodes)))
    print_window(nodes, lambda node: node["role"] == "alert")
    check_every_control_named(nodes, "the alert")
    session.x("xdotool", "key", "Return")
    wait_until("the alert to close", lambda: not any(node["role"] == "alert" for node in showing(session.tree())))

    # The loupe's readout says the colour under the pointer.
    eyedropper = find(session.tree(), "push button", "Pick Color from Screen")
    session.x("xdotool", "mousemove", *map(str, centre(eyedropper)), "click", "1")
    nodes = read_until(session, "the loupe's readout", lambda nodes: find(nodes, "label", "Color under the pointer"))
    print_window(nodes, lambda node: node["name"] == "Color under the pointer")
    check_every_control_named(nodes, "the loupe")
    expect(nodes, "label", "Color under the pointer", r"Color #[0-9A-F]{6}, .+, sample 1×1")
    session.x("xdotool", "key", "Escape")

    session.quit()


# Names that the German translation changes.
ENGLISH_NAMES = ["Menu", "Color wheel", "Brightness", "Selected color", "Hide Collections"]
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def german_names():
    """The German of ENGLISH_NAMES, as translations/vellico_de.ts has it."""
    root = xml.etree.ElementTree.parse(os.path.join(SOURCE, "translations", "vellico_de.ts")).getroot()
    found = {}
    for message in root.iter("message"):
        if message.findtext("source") in ENGLISH_NAMES:
            found[message.findtext("source")] = message.findtext("translation")
    return found


def case_german_names(session):
    """With LANGUAGE=de every control has a name, and the names are German."""
    vellico_e2e.write_library(session.library_path())
    session.start_vellico(LANGUAGE="de")
    open_window(session)
    nodes = session.tree()
    print_window(nodes, lambda node: node["role"] == "dial")
    check_every_control_named(nodes, "the main window in German")
    names = {node["name"] for node in showing(nodes)}
    english = [name for name in ENGLISH_NAMES if name in names]
    if english:
        raise Failure(f"{', '.join(english)} are still English with LANGUAGE=de")
    german = german_names()
    missing = [f"{german[name]} ({name})" for name in ENGLISH_NAMES if german.get(name) not in names]
    if missing:
        raise Failure(f"with LANGUAGE=de no control is named {', '.join(missing)}")
    session.quit()


CASES = {
    "window": case_window,
    "german-names": case_german_names,
}


if __name__ == "__main__":
    sys.exit(vellico_e2e.run_case(CASES, AccessibleSession, prefix="a11y-"))
