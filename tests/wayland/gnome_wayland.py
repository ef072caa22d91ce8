#!/usr/bin/env python3
"""Desktop tests of Vellico on headless GNOME (gnome_session.py): `vellico --pick`
through the frozen loupe over GNOME's portal screenshot, with the pointer at rest
and with keys only, Escape, GNOME's own picker through the portal's PickColor,
and what Vellico says about the tray and the shortcut GNOME does not offer.
The shell's own screenshot is the truth; the stripe window lies fullscreen under
the frozen screen and must see no click.

    gnome_wayland.py CASE      with VELLICO_BINARY set
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gnome_session import MONITOR, MONITOR_X2, GnomeSession  # noqa: E402
from pick_wayland import PICK_TIMEOUT, WHITE, Pick, crosshair_arm, no_press  # noqa: E402
from shell_wayland import button_boxes  # noqa: E402
from wayland_session import BLUE, PATCH, RED, expected_colour, run_case  # noqa: E402
from vellico_e2e import Failure, wait_until  # noqa: E402

# Device pixels of the monitor: one on the stripe window's patch, one on a red stripe.
ON_PATCH = (900, 300)
ON_RED = (100, 300)
ON_PATCH_X2 = (1500, 600)
ON_RED_X2 = (200, 600)


def stripes(session):
    """The stripe window fullscreen on the monitor, once the shell's screenshot shows it."""
    session.write_settings(RZLoggingEnabled="true")
    monitor = session.monitor
    window = session.start_client([os.environ["VELLICO_STRIPE_WINDOW"], "--output", monitor.name], name="stripes")
    window.wait_for_line("the stripe window to paint the monitor", lambda line: line.split()[:4] == [
        "ready", session.monitor.name, str(session.monitor.width), str(session.monitor.height)], timeout=20)

    def covered():
        shot = session.screenshot("wait-stripes")
        points = [(0, 0), (1, 0), (monitor.width - 1, monitor.height - 1), (0, monitor.height - 1)]
        return all(shot.pixel(x, y) == expected_colour(x, session.monitor.width) for x, y in points)
    wait_until("the stripes to cover the monitor", covered)
    return window


def wait_for_keyboard(session, pick):
    """Once the frozen screen is up, waits until the desktop has given it the keyboard:
    keys before that go to the window beneath, as they would for a person."""
    pick.wait_for_frozen()
    wait_until("the frozen screen to have the keyboard", lambda: "The frozen screen has the keyboard." in
               pick.loupe_log())


def wait_for_pointer(session, pick):
    """Once the frozen screen is up, waits until the loupe knows where the pointer rests
    (the shell's screenshots, taken meanwhile, may hold the pointer back)."""
    pick.wait_for_frozen()
    wait_until("the loupe to know where the pointer rests", lambda: "The pointer's place " in pick.loupe_log())


def rest_pointer_on(session, x, y):
    """The pointer on device pixel x, y, where it stays; what the shell's screenshot
    shows there."""
    session.move_pointer_to_device_pixel(session.monitor.name, x, y)
    return session.screenshot(f"truth-{x}-{y}").pixel(x, y)


def case_pick(session):
    """The pointer rests on the patch when the pick starts: the loupe shows its
    crosshair and magnifier there without a motion, and a click without moving
    picks the patch (GNOME's screenshot leaves the pointer out). Then a red stripe,
    pointed at."""
    window = stripes(session)
    colour = rest_pointer_on(session, *ON_PATCH)
    if colour != PATCH:
        raise Failure(f"the shell's screenshot shows {colour} at {ON_PATCH}, not the patch")
    pick = Pick(session, "pick-at-rest")
    wait_for_pointer(session, pick)
    arm = crosshair_arm(session.monitor, *ON_PATCH)
    wait_until("the crosshair around the resting pointer",
               lambda: session.screenshot("frozen-loupe").pixel(*arm) == WHITE)
    session.click()
    pick.expect_colour(colour)
    colour = rest_pointer_on(session, *ON_RED)
    if colour != RED:
        raise Failure(f"the shell's screenshot shows {colour} at {ON_RED}, not the red stripe")
    session.move_pointer(10.5, 10.5)
    pick = Pick(session, "pick-pointed")
    pick.wait_for_loupe(session.monitor, *ON_RED)
    session.click()
    pick.expect_colour(colour)
    no_press({session.monitor.name: window})


def case_pick_x2(session):
    """On a x2 monitor, the pointer resting where the pick starts: on an even device
    pixel of the patch, the crosshair shows there without a motion and a click picks
    the patch; on a red stripe, Right and Return pick the blue one beside it, an odd
    device pixel that no pointer position names."""
    window = stripes(session)
    for x, y, keys, expected in ((*ON_PATCH_X2, (), PATCH), (*ON_RED_X2, ("Right", "Return"), BLUE)):
        target = x + keys.count("Right")
        colour = rest_pointer_on(session, target, y)
        if colour != expected:
            raise Failure(f"the shell's screenshot shows {colour} at {target},{y}, not {expected}")
        session.move_pointer_to_device_pixel(session.monitor.name, x, y)
        pick = Pick(session, f"pick-x2-{x}")
        wait_for_pointer(session, pick)
        arm = crosshair_arm(session.monitor, x, y)
        wait_until(f"the crosshair around the resting pointer at {x},{y}",
                   lambda: session.screenshot(f"frozen-loupe-x2-{x}").pixel(*arm) == WHITE)
        if keys:
            session.keys(*keys)
        else:
            session.click()
        pick.expect_colour(colour)
    no_press({session.monitor.name: window})


def case_pick_keys(session):
    """Started and ended with keys only, the pointer resting where it was: once the
    loupe has the keyboard, Right and Return pick the pixel right of the pointer (a
    blue stripe beside a red one), not one beside the monitor's centre."""
    window = stripes(session)
    shot_colour = rest_pointer_on(session, ON_RED[0] + 1, ON_RED[1])
    if shot_colour != BLUE:
        raise Failure(f"the shell's screenshot shows {shot_colour} right of {ON_RED}, not the blue stripe")
    session.move_pointer_to_device_pixel(session.monitor.name, *ON_RED)
    pick = Pick(session, "pick-keys")
    wait_for_keyboard(session, pick)
    session.keys("Right", "Return")
    pick.expect_colour(BLUE)
    no_press({session.monitor.name: window})


def case_pick_escape(session):
    """Escape: status 1, nothing printed, and the desktop is back: a click reaches
    the window beneath."""
    window = stripes(session)
    session.move_pointer_to_device_pixel(session.monitor.name, *ON_PATCH)
    pick = Pick(session, "pick-escape")
    wait_for_keyboard(session, pick)
    session.keys("Escape")
    pick.expect("Escape", 1)
    # Mutter hands the pointer back to the window beneath at a motion after our
    # surfaces are gone, which it learns of a moment after the process ended:
    # a motion too soon leaves the pointer with nobody. Each try moves once more.
    for attempt in range(1, 4):
        session.move_pointer_to_device_pixel(session.monitor.name, ON_PATCH[0] + attempt, ON_PATCH[1])
        session.click()
        try:
            window.wait_for_line("the click after Escape", lambda line: line.startswith("press "), timeout=3.0)
            return
        except Failure:
            if attempt == 3:
                raise


PICK_COLOR = {"VELLICO_PICK_PATH": "portal-pick-color"}


def case_pick_color(session):
    """GNOME's own picker through the portal's PickColor: a click picks the colour
    under the pointer (the truth from the shell's screenshot), and GNOME's backend
    is still there for a second pick, which Escape ends as a cancel."""
    stripes(session)
    colour = rest_pointer_on(session, *ON_PATCH)
    pick = Pick(session, "pick-color", **PICK_COLOR)
    # The shell's picker is up once it has taken the pointer: its screenshot shows its own cursor.
    wait_until("GNOME's picker", lambda: "Asking the desktop portal's PickColor" in session.log("pick-color"))
    time.sleep(1)
    session.click()
    pick.expect_colour(colour)
    if not session.bus_has_name("org.freedesktop.impl.portal.desktop.gnome"):
        raise Failure(f"GNOME's portal backend ended: {session.log('xdg-desktop-portal-gnome')[-1500:]}")
    again = Pick(session, "pick-color-escape", **PICK_COLOR)
    wait_until("GNOME's picker again", lambda: "Asking the desktop portal's PickColor" in session.log(
        "pick-color-escape"))
    time.sleep(1)
    session.keys("Escape")
    again.expect("Escape in GNOME's picker", 1)


def case_pick_color_unhurried(session):
    """A person may take longer than any fixed limit over GNOME's picker: 12 s after
    the start the pick still runs, a click then picks, and GNOME's backend lives on."""
    stripes(session)
    colour = rest_pointer_on(session, *ON_PATCH)
    pick = Pick(session, "pick-color-slow", **PICK_COLOR)
    time.sleep(12)
    if pick.client.process.poll() is not None:
        raise Failure(f"--pick ended with status {pick.client.process.returncode} while GNOME's picker was up: "
                      f"{session.log('pick-color-slow')[-800:]}")
    session.click()
    pick.expect_colour(colour)
    if not session.bus_has_name("org.freedesktop.impl.portal.desktop.gnome"):
        raise Failure(f"GNOME's portal backend ended: {session.log('xdg-desktop-portal-gnome')[-1500:]}")


def case_shortcut_row(session):
    """GNOME has no tray host and binds no shortcut for programs: the main window
    opens as an ordinary window, and the preferences' shortcut row says to bind
    `vellico --pick` in GNOME's keyboard settings, with the commands to copy."""
    session.write_settings(RZLoggingEnabled="true")
    desktop = session.screenshot("desktop-before")
    session.start_vellico()
    wait_until("the shortcut row to say that GNOME binds no shortcut", lambda: (
        "Showing the shortcut row: GNOME binds no global shortcut for programs" in session.vellico_log()
        and " --pick" in session.vellico_log()))
    if "main window opens as an ordinary window" not in session.vellico_log():
        raise Failure(f"the log does not say that no tray shows Vellico: {session.vellico_log()[-1500:]}")

    def window_shown():
        shot = session.screenshot("main-window")
        # Below the top bar: the first point where the window differs from the empty desktop.
        return next(((x, y) for y in range(40, session.monitor.height, 4) for x in range(0, session.monitor.width, 4)
                     if shot.pixel(x, y) != desktop.pixel(x, y)), None)
    left, top = wait_until("the main window, with no tray to hold Vellico", window_shown)
    # Clicked on its title, the window has the keyboard.
    session.move_pointer(left + 30.5, top + 6.5)
    session.click()
    session.keys("ctrl+comma")

    def copy_buttons():
        boxes = button_boxes(session.screenshot("preferences-shortcut-row"))
        return [(a, b) for a in boxes for b in boxes if a[0] == b[0] and a[2] == b[2] and 0 < b[1] - a[1] < 40]
    wait_until("the shortcut row's two Copy buttons", copy_buttons)


def case_diagnose(session):
    """--diagnose on GNOME: the frozen loupe over the portal's screenshot, no global
    shortcut (bind `vellico --pick` by hand), no tray host."""
    result = session.run([os.environ["VELLICO_BINARY"], "--diagnose"], timeout=PICK_TIMEOUT)
    session.keep_text("diagnose", result.stdout + result.stderr)
    lines = dict(line.split(": ", 1) for line in result.stdout.splitlines() if ": " in line)
    expected = {
        "screen picking": "frozen screenshot loupe",
        "picking path the session offers": "portal-screenshot ",
        "global shortcut": "off: ",
        "tray": "none: ",
    }
    wrong = {name: lines.get(name) for name, start in expected.items() if not (lines.get(name) or "").startswith(start)}
    if wrong or "vellico --pick" not in lines.get("global shortcut", ""):
        raise Failure(f"--diagnose says:\n{result.stdout}")


CASES = {
    "pick": case_pick,
    "pick-x2": case_pick_x2,
    "pick-keys": case_pick_keys,
    "pick-escape": case_pick_escape,
    "pick-color": case_pick_color,
    "pick-color-unhurried": case_pick_color_unhurried,
    "shortcut-row": case_shortcut_row,
    "diagnose": case_diagnose,
}

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: GnomeSession(f"gnome-{name}",
                                                       monitor=MONITOR_X2 if name.endswith("-x2") else MONITOR)))
