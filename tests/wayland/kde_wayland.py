#!/usr/bin/env python3
"""Desktop tests of Vellico on headless KDE Plasma (KdeSession: KWin with a x1
and a x2 output, KDE's portal, kglobalaccel inside KWin, kded's tray watcher
without a panel). KWin's own screenshot, taken without the cursor, is the
truth; kinput is the user. The stripe windows lie under the frozen screen and
must see no click.

    kde_wayland.py CASE      with VELLICO_BINARY set
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from kde_session import KdeSession, start_stripes  # noqa: E402
from pick_wayland import PICK_TIMEOUT, WHITE, Pick, crosshair_arm, no_press  # noqa: E402
from wayland_session import BLUE, PATCH, RED, expected_colour, run_case  # noqa: E402
from vellico_e2e import Failure, wait_until  # noqa: E402

# Ctrl+Alt+P as the preferences store it, and as kglobalaccel lists it (Qt's key code).
SHORTCUT_SETTINGS = "[ShortcutRecorder%20KeyboardShortcut]\nkeyCode=35\nmodifierFlags=1572864\nmodifiers=2304\n"
CTRL_ALT_P = 0x04000000 | 0x08000000 | 0x50


def stripes_everywhere(session):
    session.write_settings(RZLoggingEnabled="true")
    return {output.name: start_stripes(session, output.name) for output in session.outputs}


def truth(session, output, x, y):
    """KWin's own screenshot's colour at device pixel x, y of `output`, checked against
    what the stripe window paints there."""
    colour = session.screenshot(f"truth-{output.name}", output=output.name).pixel(x, y)
    if colour != expected_colour(x, output.width):
        raise Failure(f"KWin's screenshot shows {colour} at {x},{y} of {output.name}, where the stripes are "
                      f"{expected_colour(x, output.width)}")
    return colour


def wait_for_crosshair(session, output, x, y, what):
    arm = crosshair_arm(output, x, y)
    wait_until(f"the frozen loupe's crosshair around {x},{y} on {output.name} {what}",
               lambda: session.screenshot(f"loupe-{output.name}", output=output.name).pixel(*arm) == WHITE)


def resting_pick(session, windows, output, x, y, key=None):
    """The pointer rests on device pixel x, y of `output` before the pick starts and
    does not move: the frozen picture must not hold the cursor there. With `key`, an
    arrow key moves the crosshair one device pixel on and Return picks; else a click."""
    session.move_pointer_to_device_pixel(output.name, x, y)
    target = x + 1 if key == "Right" else x
    colour = truth(session, output, target, y)
    pick = Pick(session, f"pick-{output.name}-{target}")
    pick.wait_for_frozen()
    # Shown at once where the pointer rests, with no motion.
    wait_for_crosshair(session, output, x, y, "where the pointer rests")
    session.screenshot(f"frozen-loupe-{output.name}-{x}-{y}", output=output.name)  # kept with the artifacts
    if key:
        session.keys(key)
        wait_for_crosshair(session, output, target, y, f"after {key}")
        session.keys("Return")
    else:
        session.click()
    pick.expect_colour(colour)
    no_press(windows)
    return colour


def case_pick_x1(session):
    windows = stripes_everywhere(session)
    output = session.outputs[0]
    if resting_pick(session, windows, output, 800, 300) != PATCH:
        raise Failure("the patch was not picked")


def case_pick_x2(session):
    """At x2: an even device pixel of the patch under the resting pointer; then an odd
    stripe column, one arrow key beside an even one, picked with Return."""
    windows = stripes_everywhere(session)
    output = session.outputs[1]
    if resting_pick(session, windows, output, 800, 300) != PATCH:
        raise Failure("the patch was not picked")
    session.park_pointer()
    if (resting_pick(session, windows, output, 100, 40, key="Right"), expected_colour(100, output.width)) != \
            (BLUE, RED):
        raise Failure("the odd stripe beside an even one was not picked")


def case_pick_escape(session):
    """Escape: status 1, nothing printed; a click then reaches the window beneath."""
    windows = stripes_everywhere(session)
    output = session.outputs[0]
    session.move_pointer_to_device_pixel(output.name, 200, 150)
    pick = Pick(session, "pick-escape")
    pick.wait_for_frozen()
    wait_for_crosshair(session, output, 200, 150, "where the pointer rests")
    session.keys("Escape")
    pick.expect("Escape", 1)
    no_press(windows)
    session.click()
    windows[output.name].wait_for_line("the click after Escape", lambda line: line.startswith("press "))


def case_pick_color(session):
    """The desktop's own picker (KWin's, through the portal's PickColor): a click on
    the patch picks it."""
    stripes_everywhere(session)
    output = session.outputs[0]
    session.park_pointer()
    pick = Pick(session, "pick-color", VELLICO_PICK_PATH="portal-pick-color")
    wait_until("the portal's PickColor to be asked", lambda: "PickColor" in pick.loupe_log(), timeout=PICK_TIMEOUT)
    session.move_pointer_to_device_pixel(output.name, 800, 300)
    # KWin's picker waits for a click from the moment the portal asks it; the click may
    # come before that moment: it is repeated until the pick ends.
    def picked():
        if pick.client.process.poll() is not None:
            return True
        session.click()
        return False
    wait_until("KWin's picker to take a click", picked, timeout=PICK_TIMEOUT)
    pick.expect_colour(PATCH)


def case_screenshot_fails(session):
    """KDE's portal cannot save its screenshot (no ~/Pictures) and answers 1, its
    "cancelled", to a screenshot that asks the user nothing: a failure with the reason
    (status 2), not a cancel."""
    session.write_settings(RZLoggingEnabled="true")
    pick = Pick(session, "pick-no-pictures")
    pick.expect("a screenshot KDE could not save", 2,
                reason=f"the desktop could not take the screenshot (its portal answered \"cancelled\", but nothing was "
                       f"asked of the user); the folder for pictures, {os.path.join(session.home, 'Pictures')}, where "
                       "desktops save screenshots, does not exist")


def kglobalaccel_shortcuts(session):
    """{component's unique name: [(action, [key codes])]} of kglobalaccel inside KWin."""
    answer = session.bus_call("org.kde.kglobalaccel", "/kglobalaccel", "org.kde.KGlobalAccel.allComponents")
    found = {}
    for path in re.findall(r"'(/component/[^']+)'", answer):
        name = session.bus_call("org.kde.kglobalaccel", path, "org.freedesktop.DBus.Properties.Get",
                                "org.kde.kglobalaccel.Component", "uniqueName")
        infos = session.bus_call("org.kde.kglobalaccel", path, "org.kde.kglobalaccel.Component.allShortcutInfos")
        found[re.search(r"'([^']*)'", name).group(1)] = infos
    return found


def shown(session, name="windows"):
    """The outputs' pixels, sampled, when a window shows on them (KWin's background,
    with no wallpaper, is black); None when none does."""
    samples = []
    for output in session.outputs:
        shot = session.screenshot(f"{name}-{output.name}", output=output.name)
        samples += [shot.pixel(x, y) for y in range(0, shot.height, 8) for x in range(0, shot.width, 8)]
    return samples if any(sample != "#000000" for sample in samples) else None


def case_shortcut(session):
    """Started with Ctrl+Alt+P stored: kglobalaccel holds a component with the pick
    shortcut on those keys and the preferences' row says KDE bound it. As the X11 hot
    key does, a press closes the window shown, and the next one starts the loupe:
    pressed on the keyboard, then invoked through kglobalaccel."""
    session.write_settings(RZLoggingEnabled="true")
    with open(session.settings_path(), "a") as settings:
        settings.write(SHORTCUT_SETTINGS)
    first = session.outputs[0]
    session.move_pointer(first.width // 2, first.height // 2)  # KWin opens windows where the pointer is
    session.start_vellico()
    components = wait_until("kglobalaccel to hold Vellico's shortcut",
                            lambda: {name: infos for name, infos in kglobalaccel_shortcuts(session).items()
                                     if "'pick'" in infos} or None, timeout=PICK_TIMEOUT)
    if len(components) != 1:
        raise Failure(f"kglobalaccel holds the shortcut in {list(components)}")
    (component, infos), = components.items()
    if "Pick a color from the screen" not in infos or f"[{CTRL_ALT_P}]" not in infos:
        raise Failure(f"kglobalaccel's component {component} holds {infos}")
    # With no tray host the main window opens at start; its preferences show the row.
    main = wait_until("the main window at start", lambda: shown(session))
    session.keys("ctrl+comma")
    wait_until("the shortcut row to say KDE bound the shortcut",
               lambda: "Showing the shortcut row: KDE bound the shortcut to Ctrl+Alt+P." in session.vellico_log())
    wait_until("the preferences", lambda: (shown(session) or main) != main)
    session.screenshot("preferences-shortcut-row", output=first.name)  # kept with the artifacts
    presses = (("the keys", lambda: session.keys("ctrl+alt+p")),
               ("invokeShortcut", lambda: session.bus_call("org.kde.kglobalaccel", f"/component/{component}",
                                                           "org.kde.kglobalaccel.Component.invokeShortcut", "pick")))
    for how, press in presses:
        press()
        wait_until(f"the shown window to close on the shortcut ({how})", lambda: not shown(session))
        before = session.vellico_log().count("The frozen screen shows")
        press()
        wait_until(f"the loupe from the shortcut ({how})",
                   lambda: session.vellico_log().count("The frozen screen shows") > before, timeout=PICK_TIMEOUT)
        session.keys("Escape")
        wait_until("the loupe to end", lambda: session.vellico_log().count("The frozen screen is gone") > before)
        wait_until("the main window after the loupe", lambda: shown(session))


def case_diagnose(session):
    """--diagnose on KDE: the portal's frozen loupe, the portal's shortcuts, and a
    watcher but no tray host (kded's watcher runs, no panel does)."""
    result = session.run([os.environ["VELLICO_BINARY"], "--diagnose"], timeout=PICK_TIMEOUT)
    session.keep_text("diagnose", result.stdout + result.stderr)
    lines = dict(line.split(": ", 1) for line in result.stdout.splitlines() if ": " in line)
    expected = {
        "screen picking": "frozen screenshot loupe",
        "global shortcut": "the desktop portal's GlobalShortcuts",
        "tray": "a StatusNotifierWatcher but no tray host",
    }
    for key, start in expected.items():
        if not lines.get(key, "").startswith(start):
            raise Failure(f"--diagnose says {key}: {lines.get(key)!r}, not {start}...:\n{result.stdout}{result.stderr}")


CASES = {
    "pick-x1": case_pick_x1,
    "pick-x2": case_pick_x2,
    "pick-escape": case_pick_escape,
    "pick-color": case_pick_color,
    "screenshot-fails": case_screenshot_fails,
    "shortcut": case_shortcut,
    "diagnose": case_diagnose,
}

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: KdeSession(f"kde-{name}", pictures=name != "screenshot-fails")))
