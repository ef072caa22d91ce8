#!/usr/bin/python3
"""Prints the accessible tree of one running program as a screen reader reads it
over AT-SPI: one JSON object per line, parents before their children.

    atspi_tree.py APPLICATION      with DBUS_SESSION_BUS_ADDRESS naming the session bus

Run by Debian's own Python, which has pyatspi (python3-pyatspi). Each object gives
"path" (child indices from the application down), "role", "name", "description",
"states", "value" (the Value interface's current number, or null) and
"extents" (x, y, width, height on the screen, or null); the
application itself is not printed. Exits 3 when no such application is registered.
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


def main():
    if len(sys.argv) != 2:
        print(f"usage: {sys.argv[0]} APPLICATION", file=sys.stderr)
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
