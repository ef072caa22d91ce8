#!/usr/bin/env python3
"""Desktop tests of the preferences and the shortcut recorder, through the real
program under Xvfb with openbox and a real tray (the Session of vellico_e2e.py).

    prefs_e2e.py CASE      with VELLICO_BINARY pointing at the program

The preferences window is found as the one vellico window wider than the main
window; its controls are reached by their place in it (the layout is fixed:
420 pixels wide) or by the keyboard.
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import vellico_e2e  # noqa: E402
from vellico_e2e import (Failure, Session, click_icon, clipboard,  # noqa: E402
                         main_window, offer_clipboard, run_again, wait_for_icon, wait_until)

PREFS_WIDTH = 420
# Centres of the controls, from the window's top-left corner.
RECORDER = (280, 113)
COPY_FORMAT = (276, 142)
# Below the formats, whose rows may grow: from the window's bottom left.
LAUNCH_AT_LOGIN_FROM_BOTTOM_LEFT = (23, 88)
# The Done button, from the window's bottom-right corner.
DONE_FROM_BOTTOM_RIGHT = (49, 23)

GROUP, CTRL_ALT_P = vellico_e2e.SHORTCUT_GROUP, vellico_e2e.CTRL_ALT_P


# -- helpers ---------------------------------------------------------------------

def shortcut_record(session):
    """The keys of the shortcut's group in Vellico.conf, as text."""
    try:
        with open(session.settings_path()) as conf:
            text = conf.read()
    except OSError:
        return {}
    record, inside = {}, False
    for line in text.splitlines():
        if line.startswith("["):
            inside = line.strip() == GROUP
        elif inside and "=" in line:
            key, value = line.split("=", 1)
            record[key.strip()] = value.strip()
    return record


def general_setting(session, key):
    try:
        with open(session.settings_path()) as conf:
            match = re.search(rf"^{key}=(.*)$", conf.read(), re.M)
    except OSError:
        return None
    return match.group(1) if match else None


def preferences_window(session):
    """(x, y, width, height, id) of the shown preferences window, or None."""
    windows = [w for w in session.vellico_windows(PREFS_WIDTH - 40, 300) if w[2] >= PREFS_WIDTH - 40]
    return windows[0] if windows else None


def other_window(session, but):
    """A shown vellico window (an alert) other than the window `but`."""
    windows = [w for w in session.vellico_windows(200, 60) if w[4] != but[4]]
    return windows[0] if windows else None


def click_at(session, window, offset):
    left, top = window[0] + offset[0], window[1] + offset[1]
    session.x("xdotool", "mousemove", str(left), str(top), "click", "1")


def click_done(session, window):
    """Clicks Done, which closes the preferences. On a busy machine the window
    manager may still be placing a window just shown, and the click lands where
    it was: then Done is clicked where the window is now."""
    for attempt in range(3):
        left = window[0] + window[2] - DONE_FROM_BOTTOM_RIGHT[0]
        top = window[1] + window[3] - DONE_FROM_BOTTOM_RIGHT[1]
        session.x("xdotool", "mousemove", str(left), str(top), "click", "1")
        try:
            wait_until("Done to close the preferences", lambda: not preferences_window(session), timeout=3)
            return
        except Failure:
            window = preferences_window(session) or window
    raise Failure("Done did not close the preferences after three clicks")


def open_preferences_from_gear_menu(session):
    """Opens the main window from the tray, then "Preferences..." from its gear menu."""
    click_icon(session)
    window = wait_until("the main window", lambda: main_window(session))
    left, top, width, height, _ = window
    # The gear button is the header's last widget, at the window's top-right.
    gear = wait_until("the gear button", lambda: find_gear(session, window))
    session.x("xdotool", "mousemove", str(gear[0]), str(gear[1]), "click", "1")
    wait_until("the gear menu", lambda: [w for w in session.vellico_windows(40, 10) if w[4] != window[4]])
    session.screenshot("gear-menu")
    # "Preferences..." is the menu's fifth item, after "Pick Color from Screen",
    # "New Collection", "Find Color..." and "Copy Color Name".
    session.x("xdotool", "key", "Down", "Down", "Down", "Down", "Down", "Return")
    return wait_until("the preferences window", lambda: preferences_window(session))


def find_gear(session, window):
    """The centre of the gear button: the dark glyph in the top-right corner of the main window."""
    left, top, width, height, _ = window
    shot = session.screenshot("main-window")
    # Look for the darkest pixel in a 40 x 40 square at the top-right, inside the frame.
    area = (left + width - 44, top + 4, 40, 40)
    out = session.x("convert", shot, "-crop", f"{area[2]}x{area[3]}+{area[0]}+{area[1]}", "+repage",
                    "-colorspace", "gray", "-negate", "-format", "%[fx:maxima.p{0,0}]", "info:")
    # Centre of the square: the button fills most of it; the exact glyph does not matter for a click.
    return (area[0] + area[2] // 2, area[1] + area[3] // 2) if out is not None else None


def open_preferences_from_status_menu(session):
    """The tray icon's menu: "About Vellico", "Pick Color from Screen", "Preferences...", "Quit"."""
    click_icon(session, "3")
    wait_until("the tray icon's menu", session.vellico_menu)
    session.x("xdotool", "key", "Down", "Down", "Down", "Return")
    return wait_until("the preferences window", lambda: preferences_window(session))


def start_recording(session, window):
    click_at(session, window, RECORDER)


# -- the cases -----------------------------------------------------------------------

def case_record_shortcut(session):
    """The gear menu opens the preferences; Ctrl+Alt+P is recorded, stored readably and works before Done."""
    session.start_vellico()
    wait_for_icon(session)
    window = open_preferences_from_gear_menu(session)
    session.screenshot("preferences")
    start_recording(session, window)
    session.x("xdotool", "keydown", "ctrl", "keydown", "alt")
    session.screenshot("recording")
    session.x("xdotool", "key", "p")
    session.x("xdotool", "keyup", "alt", "keyup", "ctrl")
    wait_until("the recorded shortcut in Vellico.conf",
               lambda: all(shortcut_record(session).get(k) == v for k, v in CTRL_ALT_P.items()))
    session.screenshot("recorded")
    if not preferences_window(session):
        raise Failure("recording closed the preferences")

    # Before Done: the shortcut is already registered. The preferences are the
    # window on screen, so the shortcut closes them...
    session.x("xdotool", "key", "ctrl+alt+p")
    wait_until("the shortcut to close the preferences", lambda: preferences_window(session) is None)
    # ...and pressed again it ends the preferences with Done and starts the loupe over the main window.
    session.x("xdotool", "key", "ctrl+alt+p")
    wait_until("the main window after the shortcut", lambda: main_window(session))
    session.screenshot("loupe")
    session.x("xdotool", "key", "Escape")
    if preferences_window(session):
        raise Failure("the preferences are still shown after the shortcut")
    session.quit()
    if shortcut_record(session).get("keyCode") != "35":
        raise Failure(f"the record changed at quit: {shortcut_record(session)}")


def case_held_combination_refused(session):
    """A combination another client holds is refused with the alert, and recording goes on."""
    vellico_e2e.hold_combination(session, "p", 0x4 | 0x8)  # ControlMask | Mod1Mask: Ctrl+Alt+P
    session.start_vellico()
    wait_for_icon(session)
    window = open_preferences_from_status_menu(session)
    start_recording(session, window)
    session.x("xdotool", "key", "ctrl+alt+p")
    alert = wait_until("the alert about the taken combination", lambda: other_window(session, window))
    session.screenshot("taken-alert")
    if shortcut_record(session).get("keyCode") == "35":
        raise Failure("the taken combination was stored")
    session.x("xdotool", "windowfocus", "--sync", alert[4])
    session.x("xdotool", "key", "Return")
    wait_until("the alert to close", lambda: other_window(session, window) is None)
    # Still recording: the next combination is taken as the shortcut.
    session.x("xdotool", "key", "ctrl+alt+o")
    wait_until("Ctrl+Alt+O in Vellico.conf", lambda: shortcut_record(session).get("keyCode") == "31"
               and shortcut_record(session).get("modifierFlags") == "1572864")
    session.quit()


def case_escape_keeps_record(session):
    """Escape while recording ends recording and leaves the stored record as it was."""
    session.write_settings(shortcut=CTRL_ALT_P)
    session.start_vellico()
    wait_for_icon(session)
    window = open_preferences_from_status_menu(session)
    before = shortcut_record(session)
    start_recording(session, window)
    session.x("xdotool", "key", "Escape")
    session.screenshot("escape-while-recording")
    if not preferences_window(session):
        raise Failure("Escape while recording closed the preferences instead of ending the recording")
    if shortcut_record(session) != before:
        raise Failure(f"Escape while recording changed the record: {shortcut_record(session)}")
    # Not recording any more: Escape now closes the preferences, and nothing was saved.
    session.x("xdotool", "key", "Escape")
    wait_until("Escape to close the preferences", lambda: preferences_window(session) is None)
    if shortcut_record(session) != before:
        raise Failure(f"the record changed: {shortcut_record(session)}")
    session.quit()


def choose_copy_format(session, window, steps):
    """Opens the copy-format pop-up and moves `steps` rows down."""
    click_at(session, window, COPY_FORMAT)
    wait_until("the format pop-up", lambda: [w for w in session.vellico_windows(100, 100) if w[4] != window[4]])
    session.x("xdotool", "key", *(["Down"] * steps), "Return")


def case_copy_format_done_and_escape(session):
    """A format chosen and Done changes what Ctrl+C copies; chosen and Escape does not."""
    session.write_settings(VQCopyType=1)
    session.start_vellico()
    wait_for_icon(session)
    offer_clipboard(session, "#FF0000")
    run_again(session, "--paste")

    window = open_preferences_from_status_menu(session)
    choose_copy_format(session, window, 1)  # "#FF8000" → "(255, 127, 0)": raw value 2
    session.screenshot("format-chosen")
    if general_setting(session, "VQCopyType") != "1":
        raise Failure("the format was saved before Done")
    click_done(session, window)
    wait_until("the main window after Done", lambda: main_window(session) and not preferences_window(session))
    if general_setting(session, "VQCopyType") != "2":
        raise Failure(f"Done stored VQCopyType={general_setting(session, 'VQCopyType')}")
    session.x("xdotool", "key", "ctrl+c")
    wait_until("Ctrl+C in the new format", lambda: clipboard(session) == "(255, 0, 0)")

    # Now chosen and left with Escape: nothing changes.
    window = open_preferences_from_status_menu(session)
    choose_copy_format(session, window, 2)  # on to "rgb(255, 127, 0)": raw value 4
    session.x("xdotool", "key", "Escape")
    wait_until("Escape to close the preferences", lambda: preferences_window(session) is None)
    if general_setting(session, "VQCopyType") != "2":
        raise Failure("Escape saved the format")
    offer_clipboard(session, "something else")
    run_again(session, "--copy")
    wait_until("the copy still in the saved format", lambda: clipboard(session) == "(255, 0, 0)")
    session.quit()


def autostart_entry(session):
    return os.path.join(session.home, ".config", "autostart", "io.github.vellico.Vellico.desktop")


def case_launch_at_login(session):
    """"Launch at login" writes the XDG autostart entry and removes it again."""
    session.start_vellico()
    wait_for_icon(session)
    window = open_preferences_from_status_menu(session)
    if os.path.exists(autostart_entry(session)):
        raise Failure("an autostart entry exists before anything was chosen")
    launch_at_login = (LAUNCH_AT_LOGIN_FROM_BOTTOM_LEFT[0], window[3] - LAUNCH_AT_LOGIN_FROM_BOTTOM_LEFT[1])
    click_at(session, window, launch_at_login)
    wait_until("the autostart entry", lambda: os.path.exists(autostart_entry(session)))
    session.screenshot("launch-at-login")
    with open(autostart_entry(session)) as entry:
        text = entry.read()
    if not text.startswith("[Desktop Entry]\n") or "\nType=Application\n" not in text:
        raise Failure(f"the autostart entry is not a desktop entry:\n{text}")
    exec_line = re.search(r"^Exec=(.*)$", text, re.M)
    if not exec_line or os.path.realpath(exec_line.group(1).strip('"')) != os.path.realpath(
            os.environ["VELLICO_BINARY"]):
        raise Failure(f"the entry does not start this program: {exec_line and exec_line.group(1)}")
    if "LaunchAtLogin" in open(session.settings_path()).read() if os.path.exists(session.settings_path()) else False:
        raise Failure("launch at login was stored as a setting")
    click_at(session, window, launch_at_login)
    wait_until("the autostart entry to go", lambda: not os.path.exists(autostart_entry(session)))
    session.quit()


def case_window_keys(session):
    # The shortcuts the gear menu shows work in the window: Ctrl+, and Ctrl+Q.
    session.start_vellico()
    click_icon(session)
    wait_until("the main window with the focus",
               lambda: main_window(session) and vellico_e2e.has_input_focus(session, main_window(session)[4]))
    session.x("xdotool", "key", "ctrl+comma")
    preferences = wait_until("Ctrl+, to open the preferences", lambda: preferences_window(session))
    click_done(session, preferences)
    wait_until("the main window with the focus again",
               lambda: main_window(session) and vellico_e2e.has_input_focus(session, main_window(session)[4]))
    session.x("xdotool", "key", "ctrl+q")
    session.ended_cleanly()


CASES = {
    "window-keys": case_window_keys,
    "record-shortcut": case_record_shortcut,
    "held-combination-refused": case_held_combination_refused,
    "escape-keeps-record": case_escape_keeps_record,
    "copy-format-done-and-escape": case_copy_format_done_and_escape,
    "launch-at-login": case_launch_at_login,
}


if __name__ == "__main__":
    sys.exit(vellico_e2e.run_case(CASES, prefix="prefs-"))
