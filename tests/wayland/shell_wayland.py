#!/usr/bin/env python3
"""Desktop tests of the tray program on a Wayland session (headless sway, a x1
and a x2 output) with real clients: waybar's tray shows Vellico's item and a
click or a StatusNotifierItem Activate opens the main window on the icon's
output; the status menu's Quit quits and saves; without a tray host the window
opens at start and a second `vellico` toggles it; the clipboard goes both ways
through wl-copy and wl-paste and stays after the window closed, and `--copy`
from another process reaches it; and where no
portal binds global shortcuts, the preferences show the command to bind, which
picks when run.

    shell_wayland.py CASE      with VELLICO_BINARY set
"""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import DEFAULT_OUTPUTS, TRAY_BACKGROUND, Output, WaylandSession, run_case  # noqa: E402
from vellico_e2e import Failure, check_library_intact, gl_driver_libraries, wait_until, write_library  # noqa: E402



def vellico_windows(session):
    """[(output name, rect (x, y, width, height) logical, floating?)] of vellico's windows in sway's tree."""
    return session.windows(session.vellico.pid)


def start_vellico(session, *arguments):
    session.write_settings(RZLoggingEnabled="true")
    session.start_vellico(*arguments)


def tray_icon(session):
    """The bounding box (device pixels of the first output) of what is drawn in waybar's
    tray other than its background, or None."""
    shot = session.screenshot("tray", output=session.outputs[0].name)
    left, top, width, height = session.tray_region()
    found = None
    for y in range(top + 2, top + height - 2):
        for x in range(left, left + width):
            if shot.pixel(x, y) != TRAY_BACKGROUND:
                found = (min(found[0], x), min(found[1], y), max(found[2], x), max(found[3], y)) if found \
                    else (x, y, x, y)
    return found


def click_icon(session, button="left"):
    first = session.outputs[0]
    left, top, right, bottom = wait_until("Vellico's item in waybar's tray", lambda: tray_icon(session))
    session.move_pointer(first.x + (left + right + 1) / 2 / first.scale, first.y + (top + bottom + 1) / 2 / first.scale)
    session.click(button)


def status_item(session):
    """The bus name and path of Vellico's StatusNotifierItem, from the watcher."""
    def registered():
        result = session.run(["gdbus", "call", "--session", "--dest", "org.kde.StatusNotifierWatcher",
                              "--object-path", "/StatusNotifierWatcher", "--method",
                              "org.freedesktop.DBus.Properties.Get", "org.kde.StatusNotifierWatcher",
                              "RegisteredStatusNotifierItems"], check=False)
        items = re.findall(r"'([^']+)'", result.stdout)
        return items[0] if items else None
    item = wait_until("Vellico's item at the watcher", registered)
    service, _, path = item.partition("/")
    return service, "/" + path if path else "/StatusNotifierItem"


def wait_for_window(session, what, present=True):
    return wait_until(what, lambda: (vellico_windows(session) or None) if present else not vellico_windows(session))


# -- the cases ---------------------------------------------------------------------


def case_tray_click(session):
    start_vellico(session)
    wait_until("Vellico's item in waybar's tray", lambda: tray_icon(session))
    session.screenshot("tray-item", output=session.outputs[0].name)
    click_icon(session)
    windows = wait_for_window(session, "the main window after a click on the icon")
    output, rect, floating = windows[0]
    if output != session.outputs[0].name or not floating:
        raise Failure(f"the window opened as {windows}, not floating on {session.outputs[0].name}, the icon's output")
    session.screenshot("tray-and-window", output=session.outputs[0].name)
    # Escape closes it, as on X11.
    session.keys("Escape")
    wait_for_window(session, "the window to close on Escape", present=False)


def case_tray_activate(session):
    start_vellico(session)
    service, path = status_item(session)
    # The pointer rests over the bar: sway gives that output the focus.
    first = session.outputs[0]
    session.move_pointer(first.x + 10, first.y + 10)
    session.run(["gdbus", "call", "--session", "--dest", service, "--object-path", path, "--method",
                 "org.kde.StatusNotifierItem.Activate", "0", "0"])
    windows = wait_for_window(session, "the main window after Activate")
    if windows[0][0] != first.name:
        raise Failure(f"Activate opened the window on {windows[0][0]}, not on {first.name}, the icon's output")
    session.run(["gdbus", "call", "--session", "--dest", service, "--object-path", path, "--method",
                 "org.kde.StatusNotifierItem.Activate", "0", "0"])
    wait_for_window(session, "a second Activate to close the window", present=False)


def case_tray_menu_quit(session):
    library = os.path.join(session.home, ".local", "share", "Vellico", "Vellico Library.vlb")
    original = write_library(library)
    session.own(library)
    start_vellico(session)
    click_icon(session, "right")
    first = session.outputs[0]
    _, top, width, height = session.tray_region()

    def menu():
        # waybar draws the item's exported menu, white, under the icon.
        box = session.screenshot("menu", output=first.name).find("#FFFFFF", (0, top + height, width, 200))
        return box if box and box[3] - box[1] > 60 else None
    left, _, right, bottom = wait_until("the status menu under the icon", menu)
    session.screenshot("status-menu", output=first.name)
    # "Quit" is the menu's last row.
    session.move_pointer(first.x + (left + right) / 2 / first.scale, first.y + (bottom - 14) / first.scale)
    session.click()
    status = session.wait_for_exit()
    if status != 0:
        raise Failure(f"vellico ended with status {status} after Quit")
    check_library_intact(library, original)
    if "Core successfully created" not in session.vellico_log():
        raise Failure("the log does not show the library loaded")


def case_tray_comes_back(session):
    """waybar goes away and comes back: the window stays reachable through a second
    `vellico`, and the item returns to the new tray."""
    start_vellico(session)
    wait_until("Vellico's item in waybar's tray", lambda: tray_icon(session))
    bar = next(process for process in session.processes if "waybar" in " ".join(map(str, process.args)))
    bar.terminate()
    bar.wait(timeout=5)
    session.run([os.environ["VELLICO_BINARY"]])
    wait_for_window(session, "a second vellico to open the window without a tray")
    session.run([os.environ["VELLICO_BINARY"]])
    wait_for_window(session, "a third to close it", present=False)
    session._start_tray()
    wait_until("Vellico's item back in the new tray", lambda: tray_icon(session), timeout=15)


def case_no_tray(session):
    start_vellico(session)
    wait_for_window(session, "the main window at start, with no tray host")
    session.screenshot("no-tray-window", output=session.outputs[0].name)
    # Every surface is drawn in shared memory: the open window loads no GL driver.
    loaded = gl_driver_libraries(session.vellico.pid)
    if loaded:
        raise Failure(f"the open window mapped a GL driver: {loaded}")
    for present in (False, True):
        session.run([os.environ["VELLICO_BINARY"]])
        wait_for_window(session, f"a second vellico to {'open' if present else 'close'} the window", present)
    if "main window opens as an ordinary window" not in session.vellico_log():
        raise Failure(f"the log does not say why the window opened: {session.vellico_log()[-1500:]}")


def case_find_and_history(session):
    """Ctrl+F finds a colour by its name and Return selects it; a pasted and a copied
    colour are the recent colours, newest first, as `vellico-cli history` prints them."""
    start_vellico(session)
    wait_for_window(session, "the main window at start")
    session.offer_clipboard("#336699")
    session.keys("ctrl+v")
    session.keys("ctrl+f")
    session.run(["wtype", "steel blue"])
    session.keys("Return")
    session.keys("ctrl+c")
    wait_for_window(session, "the window to close after the copy", present=False)
    wait_until("4682B4, found by its name, copied", lambda: session.clipboard() == "4682B4")
    history = session.run([os.environ["VELLICO_CLI"], "history"]).stdout.split()
    if history[:2] != ["#4682B4", "#336699"]:
        raise Failure(f"the recent colours are {history}, not the copied one and then the pasted one")


def case_clipboard(session):
    start_vellico(session)
    wait_for_window(session, "the main window at start")
    session.offer_clipboard("#336699")
    session.keys("ctrl+v")
    session.keys("ctrl+c")
    wait_for_window(session, "the window to close after the copy", present=False)
    wait_until("336699 on the clipboard after the window closed", lambda: session.clipboard() == "336699")
    # --paste from a later start, with the window closed: Wayland hands the clipboard
    # only to the focused program, so the window opens with the pasted colour.
    session.offer_clipboard("rgb(17, 34, 51)")
    session.run([os.environ["VELLICO_BINARY"], "--paste"])
    wait_for_window(session, "the window that --paste opened")
    session.keys("ctrl+c")
    wait_until("112233 from --paste, copied", lambda: session.clipboard() == "112233")
    # A copy asked for by another process follows no input in our windows: the
    # compositor takes it through data-control, over what another program offers.
    for command, text in (("--copy-alternate", "#112233"), ("--copy", "112233")):
        session.offer_clipboard("another program's text")
        session.run([os.environ["VELLICO_BINARY"], command])
        wait_until(f"{text} on the clipboard from {command}", lambda expected=text: session.clipboard() == expected)


# What a start on sway printed on standard error that was neither true nor useful.
NOISE = ("No desktop services for", "QObject::connect: No such signal")


def stderr_lines(session):
    """Vellico's standard error (with its output), without the log lines that
    RZLoggingEnabled copies there."""
    return [line for line in session.vellico_output().splitlines() if not re.match(r"\d{4}-\d\d-\d\dT", line)]


def case_quiet_start(session):
    """A start on sway says on standard error only what is true: nothing about services
    it has or about Qt's tray plumbing; with picking forced off, that it is off."""
    for environment, expected in (({}, None), ({"VELLICO_PICK_PATH": "none"}, "vellico: screen picking is off: ")):
        session.write_settings(RZLoggingEnabled="true")
        session.start_vellico(**environment)
        wait_for_window(session, "the main window at start")
        # The window opens after the tray icon would have been shown.
        wait_until("the preferences built", lambda: "Initializing preferences" in session.vellico_log())
        session.vellico.terminate()
        session.wait_for_exit()
        printed = stderr_lines(session)
        noise = [line for line in printed if any(words in line for words in NOISE)]
        said = [line for line in printed if expected and line.startswith(expected)]
        if noise or (expected and len(said) != 1):
            raise Failure(f"with {environment} standard error says {printed}: {noise or f'no {expected!r}'}")
        os.remove(os.path.join(session.home, ".local", "state", "Vellico", "Vellico.log"))


PREFERENCES_BUTTON = "#333333"  # the preferences' flat buttons


def button_boxes(shot, colour=PREFERENCES_BUTTON):
    """The boxes (left, top, right, bottom) of solid runs of `colour` at least 24 device
    pixels wide, merged down the rows (across the rows of their titles): the
    preferences' buttons."""
    boxes = []
    for y in range(shot.height):
        x = 0
        while x < shot.width:
            if shot.pixel(x, y) != colour:
                x += 1
                continue
            start = x
            while x < shot.width and shot.pixel(x, y) == colour:
                x += 1
            if x - start < 24:
                continue
            for box in boxes:
                # The title's rows break the runs: bridge them where the edges go on.
                if box[0] == start and box[2] == x - 1 and y - box[3] <= 14 and all(
                        shot.pixel(start + 1, row) == colour and shot.pixel(x - 2, row) == colour
                        for row in range(box[3] + 1, y)):
                    box[3] = y
                    break
            else:
                boxes.append([start, y, x - 1, y])
    return [tuple(box) for box in boxes if box[3] - box[1] >= 8]


def case_shortcut_without_portal(session):
    """Sway binds no shortcut for programs: the preferences say so and offer the
    command; the copied command, run, picks."""
    start_vellico(session)
    wait_for_window(session, "the main window at start")
    wait_until("the shortcut row to say that sway binds no shortcut",
               lambda: "Showing the shortcut row: sway binds no global shortcut for programs" in session.vellico_log())
    session.keys("ctrl+comma")
    # The row's two commands, each with its Copy button: the two buttons alike, one above the other.
    copies = []
    screen = None

    def copy_buttons():
        nonlocal screen
        windows = vellico_windows(session)
        if len(windows) != 1:
            return False
        screen = session.output(windows[0][0])
        shot = session.screenshot("preferences-shortcut-row", output=screen.name)
        boxes = button_boxes(shot)
        alike = [(a, b) for a in boxes for b in boxes
                 if a[0] == b[0] and a[2] == b[2] and 0 < b[1] - a[1] < 40 * screen.scale]
        copies[:] = alike[0] if alike else []
        return bool(alike)
    wait_until("the Copy buttons of the shortcut row", copy_buttons)
    left, top, right, bottom = copies[0]
    session.move_pointer(screen.x + (left + right) / 2 / screen.scale, screen.y + (top + bottom) / 2 / screen.scale)
    session.click()
    command = wait_until("the copied command", lambda: (session.clipboard() or "").endswith(" --pick") and
                         session.clipboard())
    if command.split()[0] not in ("vellico", os.environ["VELLICO_BINARY"]):
        raise Failure(f"the row copied {command!r}, which does not start this Vellico")
    pick = session.start_client(["sh", "-c", command], name="bound-command")
    wait_until("the frozen screen", lambda: "The frozen screen shows" in session.vellico_log(), timeout=15)
    second = session.outputs[1]
    session.move_pointer_to_device_pixel(second.name, 700, 500)
    session.click()
    status = pick.process.wait(timeout=15)
    printed = "\n".join(pick.read_lines()).strip()
    if status != 0 or printed != "#3366CC":
        raise Failure(f"the copied command ended with status {status} and printed {printed!r}, not the background")


def case_portal_shortcut(session):
    """A portal of our own binds the stored Ctrl+Alt+P; its Activated opens the window
    with the loupe, as the X11 hot key does, and ends the preferences as Done does."""
    portal = session.start_fake_portal("shortcuts", "bind", "--press-on-stdin", stdin=subprocess.PIPE)
    session.write_settings(RZLoggingEnabled="true")
    with open(session.settings_path(), "a") as settings:
        settings.write("[ShortcutRecorder%20KeyboardShortcut]\nkeyCode=35\nmodifierFlags=1572864\nmodifiers=2304\n")
    session.start_vellico()
    portal.wait_for_line("the binding", lambda line: line.startswith("bind "))

    def press():
        portal.process.stdin.write(b"press\n")
        portal.process.stdin.flush()
        portal.wait_for_line("the press", lambda line: line.startswith("pressed"))
    # As the X11 hot key: a press closes the window shown (here the preferences); the
    # next one ends the preferences as Done does and runs the loupe over the main window.
    wait_for_window(session, "the main window at start")
    session.keys("ctrl+comma")
    wait_until("the preferences (420 wide)", lambda: [w for w in vellico_windows(session) if w[1][2] == 420])
    press()
    wait_for_window(session, "the preferences to close on the shortcut", present=False)
    press()
    wait_until("the frozen screen", lambda: "The frozen screen shows" in session.vellico_log(), timeout=15)
    second = session.outputs[1]
    session.move_pointer_to_device_pixel(second.name, 700, 500)
    session.click()
    wait_for_window(session, "the main window after the pick")
    session.keys("ctrl+c")
    wait_until("the picked colour, copied", lambda: session.clipboard() == "3366CC")
    if "sway bound the shortcut to Ctrl+Alt+P (desktop)." not in session.vellico_log():
        raise Failure(f"the shortcut row does not show the desktop's trigger: {session.vellico_log()[-1500:]}")


def case_portal_shortcut_no_session(session):
    """A portal that offers GlobalShortcuts but cannot start a session for this desktop
    (response 2 at once): the preferences say the desktop binds none and give the
    command to bind by hand; nothing says that the desktop binds the keys."""
    portal = session.start_fake_portal("shortcuts", "no-session")
    session.write_settings(RZLoggingEnabled="true")
    with open(session.settings_path(), "a") as settings:
        settings.write("[ShortcutRecorder%20KeyboardShortcut]\nkeyCode=35\nmodifierFlags=1572864\nmodifiers=2304\n")
    session.start_vellico()
    portal.wait_for_line("the session refused", lambda line: line == "no session")
    rows = wait_until("the shortcut row after the refusal", lambda: [
        line for line in session.vellico_log().splitlines()
        if "Showing the shortcut row: " in line and "Asking" not in line.split("Showing the shortcut row: ")[1]
        and "--pick" in line])
    row = rows[-1].split("Showing the shortcut row: ")[1]
    if not row.startswith("sway binds no global shortcut for programs"):
        raise Failure(f"the shortcut row says {row!r}")
    session.keys("ctrl+comma")
    wait_until("the preferences (420 wide)", lambda: [w for w in vellico_windows(session) if w[1][2] == 420])
    last = [line for line in session.vellico_log().splitlines() if "Showing the shortcut row: " in line][-1]
    if "sway binds no global shortcut for programs" not in last:
        raise Failure(f"the preferences, opened, show {last!r}")
    # --diagnose binds nothing: it claims nothing either.
    diagnosis = session.run([os.environ["VELLICO_BINARY"], "--diagnose"], timeout=20).stdout
    claim = [line for line in diagnosis.splitlines() if line.startswith("global shortcut: ")]
    if not claim or "the desktop binds the keys" in claim[0]:
        raise Failure(f"--diagnose says {claim}")


# How long Vellico waits for the portal's answer to one question.
PORTAL_ASK_BOUND = 2.0


def tray_registered(session):
    """Whether a StatusNotifierItem is registered at the watcher now."""
    result = session.run(["gdbus", "call", "--session", "--dest", "org.kde.StatusNotifierWatcher",
                          "--object-path", "/StatusNotifierWatcher", "--method",
                          "org.freedesktop.DBus.Properties.Get", "org.kde.StatusNotifierWatcher",
                          "RegisteredStatusNotifierItems"], check=False)
    return bool(re.findall(r"'([^']+)'", result.stdout))


def case_portal_hangs(session):
    """A portal that answers nothing: the tray icon comes up while the portal's first
    question is still unanswered (no start-up step waits for it), and the program works."""
    portal = session.fake_portal
    started = time.monotonic()
    start_vellico(session)
    asked = registered = None
    deadline = time.monotonic() + 20
    while registered is None and time.monotonic() < deadline:
        if portal and asked is None and any(line.startswith("asked ") for line in portal.read_lines()):
            asked = time.monotonic()
        if tray_registered(session):
            registered = time.monotonic()
        time.sleep(0.02)
    if registered is None:
        raise Failure(f"no tray icon within 20 s: {session.vellico_log()[-1500:]}")
    if asked is not None and registered - asked >= PORTAL_ASK_BOUND:
        raise Failure(f"the tray icon came {registered - asked:.2f} s after the portal was asked "
                      f"({registered - started:.2f} s after the start): the start waited for its answer")
    print(f"tray icon {registered - started:.2f} s after the start, "
          f"{registered - asked if asked else float('nan'):.2f} s after the portal was asked")
    session.offer_clipboard("another program's text")
    session.run([os.environ["VELLICO_BINARY"], "--copy"], timeout=20)
    wait_until("the colour on the clipboard from --copy", lambda: re.fullmatch(r"[0-9A-F]{6}", session.clipboard() or ""))


CASES = {
    "shell-tray-click": case_tray_click,
    "shell-tray-activate": case_tray_activate,
    "shell-tray-menu-quit": case_tray_menu_quit,
    "shell-tray-comes-back": case_tray_comes_back,
    "shell-no-tray": case_no_tray,
    "shell-clipboard": case_clipboard,
    "shell-find-and-history": case_find_and_history,
    "shell-shortcut-without-portal": case_shortcut_without_portal,
    "shell-quiet-start": case_quiet_start,
    "shell-portal-shortcut-no-session": case_portal_shortcut_no_session,
    "shell-portal-shortcut": case_portal_shortcut,
    "shell-portal-hangs": case_portal_hangs,
}

# The preferences are taller than the default x1 output.
TALL_OUTPUTS = (
    Output("HEADLESS-1", 1024, 768, 0, 0, 1),
    Output("HEADLESS-2", 800, 600, 1024, 0, 2),
)

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: WaylandSession(
        name, tray=name.startswith("shell-tray") or name == "shell-portal-hangs",
        # VELLICO_TEST_PORTAL=none runs the case without a portal (to compare the start).
        fake_portal=("hang",) if name == "shell-portal-hangs" and os.environ.get("VELLICO_TEST_PORTAL") != "none"
        else None,
        outputs=TALL_OUTPUTS if name == "shell-shortcut-without-portal" else DEFAULT_OUTPUTS)))
