#!/usr/bin/env python3
"""Desktop tests of `vellico --pick` through the frozen loupe over one screenshot
from the real desktop portal (its wlroots backend), on headless sway with a x1
and a x2 output. VELLICO_PICK_PATH=portal-screenshot puts Vellico on this path,
which sway would otherwise not take (it offers screencopy). grim is the truth,
our virtual pointer and wtype the user; the stripe windows lie under the
frozen screen and must see no click. The portal's file must be gone after
every run. Three cases run against a portal of our own instead (fake_portal.py),
which answers with a refusal, with a named pipe for the picture, or with a
screenshot in a file of another user (as root only), which must be left alone.

    pick_portal_screenshot.py CASE      with VELLICO_BINARY set
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import PATCH, WaylandSession, check_pick, run_case  # noqa: E402
from pick_wayland import (PICK_TIMEOUT, WHITE, Pick, crosshair_arm, no_press, outputs_change,  # noqa: E402
                          sample_case, stripes_everywhere, truth)
from vellico_e2e import Failure, Unavailable, wait_until  # noqa: E402

FORCED = {"VELLICO_PICK_PATH": "portal-screenshot"}
NOBODY = 65534  # the owner of a file that is not ours


def screenshot_file_gone(session, pick):
    """The portal's picture was read from a file, which is gone now."""
    found = re.search(r"screenshot \(\d+ x \d+\) was read from (.+) and deleted\.", pick.loupe_log())
    if not found:
        raise Failure(f"the log does not say where the screenshot was read: {pick.loupe_log()[-1500:]}")
    if os.path.lexists(found.group(1)):
        raise Failure(f"the portal's screenshot {found.group(1)} is still there after the pick")


def case_pick(session):
    """On the x2 output, at the picture's scale: an even device column under the
    pointer, then an odd one reached with an arrow key. On the x1 output, which the
    x2 picture holds magnified (and grim smooths: its 1-pixel stripes come out
    blended), a pixel of the solid patch."""
    windows = stripes_everywhere(session)
    rows = (("HEADLESS-2", 300, 151, None), ("HEADLESS-2", 300, 40, "Right"), ("HEADLESS-1", 450, 150, None))
    for output_name, x, y, key in rows:
        session.park_pointer()
        output = session.output(output_name)
        target = x + 1 if key == "Right" else x
        colours = truth(session, output, [(x, y), (target, y)])
        if output.scale == 1 and colours[(target, y)] != PATCH:
            raise Failure(f"grim sees {colours[(target, y)]} at {target},{y} of {output_name}, not the patch")
        pick = Pick(session, f"pick-{output_name}-{target}", **FORCED)
        pick.wait_for_loupe(output, x, y)
        if key:
            session.keys(key)
            arm = crosshair_arm(output, target, y)
            wait_until(f"the crosshair on {target},{y} after {key}",
                       lambda: session.screenshot("arrow", output=output_name).pixel(*arm) == WHITE)
        session.screenshot(f"portal-loupe-{output_name}-{target}", output=output_name)  # kept with the artifacts
        session.click() if not key else session.keys("Return")
        pick.expect_colour(colours[(target, y)])
        no_press(windows)
        screenshot_file_gone(session, pick)


def case_escape(session):
    """Escape: status 1, nothing printed, the file gone, the desktop back."""
    windows = stripes_everywhere(session)
    output = session.outputs[1]
    pick = Pick(session, "pick-escape", **FORCED)
    pick.wait_for_loupe(output, 120, 80)
    session.keys("Escape")
    pick.expect("Escape", 1)
    screenshot_file_gone(session, pick)
    # Neither the pointer nor the keyboard stayed with a frozen screen: a click reaches the window beneath.
    session.move_pointer_to_device_pixel(output.name, 120, 80)
    session.click()
    windows[output.name].wait_for_line("the click after Escape", lambda line: line.startswith("press "))
    result = session.run([os.environ["VELLICO_BINARY"], "--diagnose"], timeout=PICK_TIMEOUT, **FORCED)
    lines = dict(line.split(": ", 1) for line in result.stdout.splitlines() if ": " in line)
    if not lines.get("screen picking", "").startswith("frozen screenshot loupe"):
        raise Failure(f"--diagnose says:\n{result.stdout}")


def case_focus_taken(session):
    """The compositor gives the keyboard to something else (another workspace on the
    focused output): the loupe ends as a cancel, and nothing of it stays on screen."""
    windows = stripes_everywhere(session)
    pick = Pick(session, "pick-focus", **FORCED)
    pick.wait_for_loupe(session.outputs[0], 200, 150)
    session.swaymsg("workspace 9")
    pick.expect("taking the focus", 1)
    # Back on the workspace: no frozen screen is left on either output, a click reaches the window beneath.
    session.swaymsg("workspace back_and_forth")
    for output in session.outputs:
        session.move_pointer_to_device_pixel(output.name, 100, 100)
        session.click()
        windows[output.name].wait_for_line(f"a click on {output.name} after the focus was taken",
                                           lambda line: line.startswith("press "))


def contents(path):
    with open(path, "rb") as file:
        return file.read()


def named_pipe(session, path):
    """A named pipe: read naively, it would hold the pick forever."""
    os.mkfifo(path)
    session.own(path)


def other_users_screenshot(session, path):
    """A real screenshot of this desktop in a file of another user, as at the wlroots
    portal's fixed path in /tmp someone else could make first: whoever owns it could
    have seen our screen in it and changed it, so it must neither be taken nor deleted."""
    if os.geteuid() != 0:
        raise Unavailable("giving a file to another user needs root")
    session.run(["grim", path])
    os.chown(path, NOBODY, NOBODY)


def fake_portal_case(answer, reason, make=None, kept=False):
    """Against a portal of our own (fake_portal.py): what it answers ends the pick at
    once with status 2 and the reason. The file it names, made by `make`, is gone
    afterwards, or, when `kept`, left as it was."""
    def case(session):
        arguments = list(answer)
        if make:
            arguments.append(os.path.join(session.home, "out.png"))
            make(session, arguments[1])
            before = contents(arguments[1]) if kept else None
        session.start_fake_portal(*arguments)
        result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False, **FORCED)
        check_pick(f"the portal answering {answer}", result, 2, reason=reason)
        if make and not kept and os.path.lexists(arguments[1]):
            raise Failure(f"{arguments[1]} is still there")
        if kept and (not os.path.isfile(arguments[1]) or contents(arguments[1]) != before):
            raise Failure(f"another user's {arguments[1]} was deleted or changed")
    return case


CASES = {
    "portal-screenshot-pick": case_pick,
    "portal-screenshot-escape": case_escape,
    # On the x2 output, which the picture holds at its own scale.
    "portal-screenshot-sample": sample_case(1, **FORCED),
    "portal-screenshot-focus-taken": case_focus_taken,
    "portal-screenshot-refused": fake_portal_case(["other"],
                                                  "the desktop portal ended the screenshot without a picture"),
    "portal-screenshot-unreadable": fake_portal_case(["file"], "cannot be read: a named pipe, not a file",
                                                     make=named_pipe),
    "portal-screenshot-other-users-file": fake_portal_case(["file"],
                                                           "cannot be read: owned by another user (uid 65534)",
                                                           make=other_users_screenshot, kept=True),
    "portal-screenshot-output-added": outputs_change("create_output", "an output was added or removed", **FORCED),
    "portal-screenshot-output-rescaled": outputs_change("output HEADLESS-2 scale 1",
                                                        "output HEADLESS-2 changed its size", **FORCED),
}

FAKE_PORTAL_CASES = ("portal-screenshot-refused", "portal-screenshot-unreadable", "portal-screenshot-other-users-file")

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: WaylandSession(name, portal=name not in FAKE_PORTAL_CASES)))
