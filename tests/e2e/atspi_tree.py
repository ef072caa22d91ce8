#!/usr/bin/python3
"""Prints the accessible tree of one running program as a screen reader reads it
over AT-SPI: one JSON object per line, parents before their children.

    atspi_tree.py APPLICATION            with DBUS_SESSION_BUS_ADDRESS naming the session bus
    atspi_tree.py APPLICATION --events   the changes of values and descriptions it announces

Run by Debian's own Python, which has pyatspi (python3-pyatspi). Each object gives
"path" (child indices from the application down), "role", "name", "description",
"states", "value" (the Value interface's current number, or null) and
"extents" (x, y, width, height on the screen, or null); the
application itself is not printed. Exits 3 when no such application is registered.

With --events it prints "listening" once it listens, then one JSON object per
announcement ("type", "role", "name", "description", "value"), until its
standard input closes (at most a minute).
"""

import json
import sys

try:
    import pyatspi
except ImportError as error:
    print(f"pyatspi is missing ({error}): install python3-pyatspi", file=sys.stderr)
    sys.exit(2)

# Deeper than any window of the program; the walk stops there rather than looping.
MAX_DEPTH = 40


def value_of(node):
    try:
        return node.queryValue().currentValue
    except NotImplementedError:
        return None


def extents_of(node):
    try:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return [box.x, box.y, box.width, box.height]
    except NotImplementedError:
        return None


def walk(node, path, out):
    if len(path) > MAX_DEPTH:
        return
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None:
            continue
        states = child.getState()
        row = {
            "path": path + [index],
            "role": child.getRoleName(),
            "name": child.name or "",
            "description": child.description or "",
            "states": sorted(pyatspi.stateToString(state) for state in states.getStates()),
            "value": value_of(child),
            "extents": extents_of(child),
        }
        out.write(json.dumps(row, ensure_ascii=False) + "\n")
        walk(child, path + [index], out)


def listen(application):
    from gi.repository import GLib

    def heard(event):
        try:
            source = event.source
            if source.getApplication().name != application:
                return
            row = {"type": event.type, "role": source.getRoleName(), "name": source.name or "",
                   "description": source.description or "", "value": value_of(source)}
        except Exception:  # the object went away meanwhile
            return
        print(json.dumps(row, ensure_ascii=False), flush=True)

    def stop(*_):
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-description",
                                           "object:property-change:accessible-value")
    GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, stop)
    GLib.timeout_add_seconds(60, stop)
    print("listening", flush=True)
    pyatspi.Registry.start()
    return 0


def main():
    if len(sys.argv) == 3 and sys.argv[2] == "--events":
        return listen(sys.argv[1])
    if len(sys.argv) != 2:
        print(f"usage: {sys.argv[0]} APPLICATION [--events]", file=sys.stderr)
        return 2
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is not None and application.name == sys.argv[1]:
            walk(application, [], sys.stdout)
            return 0
    names = [desktop.getChildAtIndex(i).name for i in range(desktop.childCount) if desktop.getChildAtIndex(i)]
    print(f"no application {sys.argv[1]!r} on the accessibility bus (there are {names})", file=sys.stderr)
    return 3


if __name__ == "__main__":
    sys.exit(main())
