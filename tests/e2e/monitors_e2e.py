#!/usr/bin/env python3
"""The X11 desktop with two monitors of different scale: Xorg's dummy driver with
one wide output split into two RandR monitors, which Qt reads as two screens,
each with its own scale through QT_SCREEN_SCALE_FACTORS.

    monitors_e2e.py CASE      with VELLICO_STRIPE_WINDOW pointing at the test window

Exits 77 (skipped) where Xorg's dummy driver or xrandr is missing, or when not
run as root (Xorg then refuses a configuration file of ours).
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from vellico_e2e import Failure, Monitor, Session, run_case  # noqa: E402

MONITORS = [Monitor("LEFT", 640, 400, 1), Monitor("RIGHT", 800, 600, 2)]


def case_two_monitors_two_scales(session):
    listed = session.x("xrandr", "--listmonitors")
    geometries = dict(re.findall(r"^\s*\d+: [+*]*(\S+) (\d+/\d+x\d+/\d+\+\d+\+\d+)", listed, re.M))
    left = 0
    for monitor in MONITORS:
        found = re.sub(r"/\d+", "", geometries.get(monitor.name, ""))
        if found != f"{monitor.width}x{monitor.height}+{left}+0":
            raise Failure(f"xrandr lists {monitor.name} as {found or 'nothing'}:\n{listed}")
        left += monitor.width

    # Qt's logical geometry keeps each screen's top-left in device pixels and divides its size.
    screens = session.x(os.environ["VELLICO_STRIPE_WINDOW"], "--list-screens").split("\n")
    expected, left = [], 0
    for monitor in MONITORS:
        expected.append(f"screen {monitor.name} {left} 0 {monitor.width // monitor.scale} "
                        f"{monitor.height // monitor.scale} {monitor.scale:g}")
        left += monitor.width
    if [line for line in screens if line] != expected:
        raise Failure(f"Qt sees {screens}, not {expected}")

    shot = session.screenshot("desktop")
    size = session.x("identify", "-format", "%w %h", shot).split()
    if size != [str(left), str(max(monitor.height for monitor in MONITORS))]:
        raise Failure(f"the root window's screenshot is {size}")


CASES = {"two-monitors-two-scales": case_two_monitors_two_scales}

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: Session(name, monitors=MONITORS), needs=("VELLICO_STRIPE_WINDOW",)))
