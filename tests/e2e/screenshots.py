#!/usr/bin/env python3
"""Pictures of the real program for its AppStream entry: the main window, the
loupe and the organiser, taken the way the desktop tests drive Vellico (Xvfb,
openbox, trayer), so they always show what the program draws today.

    screenshots.py OUTDIR      with VELLICO_BINARY and VELLICO_CLI set

Writes window.png, window-dark.png, loupe.png and organizer.png, each cropped
to what it shows. scripts/make-screenshots.sh runs it into resources/screenshots/.

window-dark.png shows the window in a dark palette, set the way a desktop
without its own Qt theme sets one: the qt6ct platform theme (QT_QPA_PLATFORMTHEME)
with the Fusion style and a colour scheme written here. For a developer's look
at other palettes (not shipped):

    screenshots.py OUTDIR --palette high-contrast     writes window-high-contrast.png only
    screenshots.py OUTDIR --language de ja ar         writes window-de.png and so on only
"""

import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vellico_e2e  # noqa: E402
from collections_e2e import ase_color, ase_string, cli, click, find_color, window_named  # noqa: E402
from pick_e2e import LOUPE_SIZE  # noqa: E402
from vellico_e2e import Failure, Session, offer_clipboard, wait_for_icon, wait_until  # noqa: E402

vellico_e2e.SCREEN = "1024x768x24"

PALETTES = [
    ("Harbour at dusk", [(0x1D, 0x3B, 0x53), (0x2E, 0x6F, 0x95), (0xF2, 0xA6, 0x5A), (0xE0, 0x6C, 0x4C),
                         (0xF7, 0xE1, 0xB5)]),
    ("Spring meadow", [(0x7F, 0xB0, 0x69), (0xC5, 0xD8, 0x6D), (0xF4, 0xE2, 0x85), (0xE8, 0x9F, 0xB8)]),
    ("Brand", [(0x3A, 0x7B, 0xD5), (0x20, 0x20, 0x20), (0xF6, 0xB9, 0x2B)]),
    ("Terracotta", [(0xB5, 0x53, 0x3C), (0xD9, 0x8A, 0x6A), (0x6B, 0x3E, 0x2E)]),
    ("Greys", [(0x33, 0x33, 0x33), (0x77, 0x77, 0x77), (0xBB, 0xBB, 0xBB)]),
]


# qt6ct colour schemes: one colour a palette role, in the order of QPalette::ColorRole
# (WindowText, Button, Light, Midlight, Dark, Mid, Text, BrightText, ButtonText, Base,
# Window, Shadow, Highlight, HighlightedText, Link, LinkVisited, AlternateBase, NoRole,
# ToolTipBase, ToolTipText, PlaceholderText), as #AARRGGBB.
SCHEMES = {
    "dark": ["#ffe8e8e8", "#ff3a3a3c", "#ff505052", "#ff444446", "#ff1e1e20", "#ff2c2c2e", "#ffe8e8e8",
             "#ffffffff", "#ffe8e8e8", "#ff1f1f21", "#ff2d2d30", "#ff000000", "#ff2a6fb8", "#ffffffff",
             "#ff5aa0f0", "#ffb07ad8", "#ff262628", "#ff000000", "#ff3a3a3c", "#ffe8e8e8", "#80e8e8e8"],
    "high-contrast": ["#ffffffff", "#ff000000", "#ffffffff", "#ff7f7f7f", "#ff7f7f7f", "#ff7f7f7f", "#ffffffff",
                      "#ffffffff", "#ffffffff", "#ff000000", "#ff000000", "#ff7f7f7f", "#ffffff00", "#ff000000",
                      "#ff00ffff", "#ffff80ff", "#ff000000", "#ff000000", "#ff000000", "#ffffffff", "#ffc8c8c8"],
}


def use_scheme(session, name):
    """Environment that starts Vellico with the Fusion style and the colour scheme `name`."""
    folder = os.path.join(session.home, ".config", "qt6ct")
    os.makedirs(folder, exist_ok=True)
    colors = ", ".join(SCHEMES[name])
    disabled = ", ".join("#ff808080" if role in (0, 6, 8, 13) else color
                         for role, color in enumerate(SCHEMES[name]))
    scheme = os.path.join(folder, f"{name}.conf")
    with open(scheme, "w") as out:
        out.write(f"[ColorScheme]\nactive_colors={colors}\ninactive_colors={colors}\n"
                  f"disabled_colors={disabled}\n")
    with open(os.path.join(folder, "qt6ct.conf"), "w") as out:
        out.write(f"[Appearance]\ncolor_scheme_path={scheme}\ncustom_palette=true\nstyle=Fusion\n")
    return {"QT_QPA_PLATFORMTHEME": "qt6ct"}


def write_palettes(path):
    blocks = []
    for title, colors in PALETTES:
        name = ase_string(title)
        blocks.append(struct.pack(">HI", 0xC001, len(name)) + name)
        blocks += [ase_color(f"{title} {i}", rgb) for i, rgb in enumerate(colors)]
        blocks.append(struct.pack(">HI", 0xC002, 0))
    with open(path, "wb") as out:
        out.write(b"ASEF" + struct.pack(">HHI", 1, 0, len(blocks)) + b"".join(blocks))


def save(session, name, box, out):
    """A screenshot cropped to `box` (left, top, width, height), small and without time stamps."""
    shot = session.screenshot(name)
    left, top, width, height = box
    path = os.path.join(out, f"{name}.png")
    session.x("convert", shot, "-crop", f"{width}x{height}+{left}+{top}", "+repage", "-strip",
              "-define", "png:exclude-chunks=date,time", "-define", "png:compression-level=9", path)
    print(f"wrote {path} ({os.path.getsize(path)} bytes)", flush=True)


def grown(box, margin, limit=(1024, 768)):
    left, top, width, height = box
    left, top = max(0, left - margin), max(0, top - margin)
    return left, top, min(limit[0] - left, width + 2 * margin), min(limit[1] - top, height + 2 * margin)


def loupe_window(session):
    for line in session.x("xwininfo", "-root", "-children").splitlines():
        if f" {LOUPE_SIZE[0]}x{LOUPE_SIZE[1]}+" in line and "IsViewable" in session.x("xwininfo", "-id",
                                                                                       line.split()[0]):
            return session.geometry(line.split()[0])
    return None


def open_window(session, out, name, **environment):
    """Starts Vellico, opens its window with a colour of the brand palette selected and saves it as `name`."""
    session.start_vellico(**environment)
    left, top, width, height = wait_for_icon(session)
    click(session, (left + width // 2, top + height // 2))
    window = wait_until("the main window", lambda: session.vellico_window(200, 250))
    wait_until("the first collection in the lane", lambda: find_color(
        session, session.screenshot("lane"), PALETTES[0][1][0]))
    # Ctrl+V takes the colour from the clipboard; the pointer is parked off the window.
    offer_clipboard(session, "#3A7BD5")
    session.x("xdotool", "mousemove", str(window[0] + 20), str(window[1] + window[3] // 2))
    session.x("xdotool", "key", "ctrl+v")
    session.x("xdotool", "mousemove", "10", "700")
    time.sleep(1)
    window = session.vellico_window(200, 250)
    # From the top of the screen, so that the tray icon the window hangs from shows.
    right = max(window[0] + window[2], left + width) + 12
    save(session, name, (window[0] - 12, 0, right - window[0] + 12, window[1] + window[3] + 12), out)
    return window


def quit_vellico(session):
    session.vellico.send_signal(vellico_e2e.signal.SIGTERM)
    session.wait_for_exit()


def main(out, scheme=None, languages=()):
    os.makedirs(out, exist_ok=True)
    with Session("screenshots") as session:
        os.makedirs(os.path.dirname(session.library_path()), exist_ok=True)
        palettes = os.path.join(session.home, "palettes.ase")
        write_palettes(palettes)
        cli(session, "import", palettes, "--into", session.library_path())
        session.write_settings(VQDoesntNeedCollectionMergingConfirmation="true")
        if scheme:
            open_window(session, out, f"window-{scheme}", **use_scheme(session, scheme))
            quit_vellico(session)
            return
        if languages:
            for language in languages:
                open_window(session, out, f"window-{language}", LANGUAGE=language)
                quit_vellico(session)
            return
        window = open_window(session, out, "window")
        first = PALETTES[0][1][0]

        # The loupe over the colour wheel of the open window, averaging a 5×5 square.
        wheel = (window[0] + window[2] // 3, window[1] + window[3] // 3)
        session.x("xdotool", "mousemove", str(wheel[0]), str(wheel[1]))
        picker = subprocess.Popen([os.environ["VELLICO_BINARY"], "--pick", "--sample", "5"], env=session.environment(),
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        session.processes.append(picker)
        loupe = wait_until("the loupe", lambda: loupe_window(session))
        time.sleep(1)
        loupe = loupe_window(session)
        x0, y0 = min(loupe[0], window[0]), min(loupe[1], window[1])
        x1 = max(loupe[0] + loupe[2], window[0] + window[2])
        y1 = max(loupe[1] + loupe[3], window[1] + window[3])
        save(session, "loupe", grown((x0, y0, x1 - x0, y1 - y0), 12), out)
        session.x("xdotool", "key", "Escape")
        picker.wait(timeout=10)

        # The organiser, from a collection button's menu ("Organize..." is last).
        window = wait_until("the main window", lambda: session.vellico_window(200, 250))
        button = wait_until("the first collection in the lane", lambda: find_color(
            session, session.screenshot("lane"), first))
        click(session, ((button[0] + button[2]) // 2, (button[1] + button[3]) // 2), button=3)
        wait_until("the collection menu", session.vellico_menu)
        session.x("xdotool", "key", "Up", "Return")
        organizer = wait_until("the organiser", lambda: window_named(session, "Organizer"))
        session.x("xdotool", "mousemove", "10", "700")
        time.sleep(1)
        # The window manager's title bar sits above the window's own area.
        o_left, o_top, o_width, o_height = session.geometry(organizer)
        save(session, "organizer", grown((o_left, o_top - 24, o_width, o_height + 24), 12), out)
        quit_vellico(session)

        open_window(session, out, "window-dark", **use_scheme(session, "dark"))
        quit_vellico(session)


if __name__ == "__main__":
    arguments = sys.argv[1:]
    if len(arguments) == 3 and arguments[1] == "--palette" and arguments[2] in SCHEMES:
        run = (arguments[0], arguments[2])
    elif len(arguments) >= 3 and arguments[1] == "--language":
        run = (arguments[0], None, arguments[2:])
    elif len(arguments) == 1:
        run = (arguments[0],)
    else:
        sys.exit(f"usage: {sys.argv[0]} OUTDIR [--palette {'|'.join(SCHEMES)} | --language LANGUAGE...]")
    try:
        main(*run)
    except Failure as failure:
        sys.exit(f"screenshots: {failure}")
