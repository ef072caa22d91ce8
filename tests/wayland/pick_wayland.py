#!/usr/bin/env python3
"""Desktop tests of `vellico --pick` on a Wayland session (headless sway): where
Vellico cannot read the screen it says why at once, with status 2, and never
passes the failure off as a cancel (status 1) or hangs. Natively on Wayland and
forced onto XWayland (QT_QPA_PLATFORM=xcb), in a process of its own and handed
to a running Vellico.

    pick_wayland.py CASE      with VELLICO_BINARY set
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import run_case  # noqa: E402
from vellico_e2e import Failure, wait_until  # noqa: E402

# An answer well within the 10 s any pick may wait on a compositor or a portal.
PICK_TIMEOUT = 15


def check_refused(result, *words):
    if result.returncode != 2 or result.stdout.strip():
        raise Failure(f"--pick ended with status {result.returncode} and printed {result.stdout!r}, "
                      f"not status 2 and nothing; it said {result.stderr!r}")
    said = result.stderr.strip().splitlines()[-1] if result.stderr.strip() else ""
    if not said.startswith("vellico: cannot pick a colour: ") or not all(word in said for word in words):
        raise Failure(f"--pick said {said!r}")


def xwayland(session):
    return {"QT_QPA_PLATFORM": "xcb", "DISPLAY": session.x_display()}


def case_native_own_process(session):
    result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False)
    check_refused(result, "wayland")


def case_xwayland_own_process(session):
    result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False,
                         **xwayland(session))
    check_refused(result, "XWayland")


def case_xwayland_running_instance(session):
    session.start_vellico(**xwayland(session))
    socket = os.path.join(session.runtime, "vellico.socket")
    wait_until("vellico to listen on its socket",
               lambda: os.path.exists(socket) or session.vellico.poll() is not None)
    if session.vellico.poll() is not None:
        raise Failure(f"vellico ended with status {session.vellico.returncode}:\n{session.vellico_output()}")
    result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False,
                         **xwayland(session))
    check_refused(result, "XWayland")
    if session.vellico.poll() is not None:
        raise Failure("the running vellico ended after the refused pick")


def diagnosis(session, **environment):
    result = session.run([os.environ["VELLICO_BINARY"], "--diagnose"], timeout=PICK_TIMEOUT, **environment)
    lines = dict(line.split(": ", 1) for line in result.stdout.splitlines() if ": " in line)
    for key in ("session", "desktop services", "screen picking", "global shortcut", "tray", "Shift tracking"):
        if key not in lines:
            raise Failure(f"--diagnose says nothing of {key}:\n{result.stdout}")
    return lines


def case_diagnose(session):
    native = diagnosis(session)
    if (not native["session"].startswith("Wayland") or not native["screen picking"].startswith("off: ")
            or not native["picking path the session offers"].startswith("screencopy ")):
        raise Failure(f"natively: {native}")
    forced = diagnosis(session, **xwayland(session))
    if (not forced["session"].startswith("Wayland") or forced["desktop services"] != "X11 (XWayland)"
            or "XWayland" not in forced["screen picking"] or not forced["Shift tracking"].startswith("off: ")
            or not forced["picking path the session offers"].startswith("screencopy ")):
        raise Failure(f"on XWayland: {forced}")


CASES = {
    "diagnose": case_diagnose,
    "pick-native-says-why": case_native_own_process,
    "pick-xwayland-says-why": case_xwayland_own_process,
    "pick-xwayland-running-says-why": case_xwayland_running_instance,
}

if __name__ == "__main__":
    sys.exit(run_case(CASES))
