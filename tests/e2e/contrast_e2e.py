#!/usr/bin/env python3
"""Desktop test of the contrast row under the picker, in the real program.

    contrast_e2e.py CASE      with VELLICO_BINARY, VELLICO_CLI and VELLICO_DRAG_SOURCE set

The second colour starts as the one remembered in the settings, so the test
finds its swatch on a screenshot by that colour. The row's readout is read
through its menu's "Copy Contrast Summary" (the line the row paints from),
and the nearest passing colour it names must show on screen.
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vellico_e2e  # noqa: E402
from collections_e2e import centre, click, drag, find_color, start_with_lane, wait_for_color  # noqa: E402
from vellico_e2e import Failure, TRAY_HEIGHT, clipboard, offer_clipboard, run_again, wait_until  # noqa: E402

# A laptop's screen: the window with its lane and tool rows must fit on it.
vellico_e2e.SCREEN = "1280x800x24"
SCREEN_HEIGHT = 800

REMEMBERED = (0x10, 0x20, 0x30)


def window_region(window):
    left, top, width, height = window[:4]
    return left, top, left + width, top + height


def copied_summary(session, swatch, before):
    """Copies the contrast summary from the second colour's menu ("Copy Contrast Summary" is last)."""
    click(session, swatch, button=3)
    wait_until("the second colour's menu", session.vellico_menu)
    session.x("xdotool", "key", "Up", "Return")
    return wait_until("the contrast summary on the clipboard",
                      lambda: (lambda text: text if text and text != before and " on #" in text else None)(
                          clipboard(session)))


def case_drop_and_swap(session):
    start_with_lane(session, VQContrastAgainstColor="#%02X%02X%02X" % REMEMBERED)
    window = vellico_e2e.main_window(session)
    left, top, width, height = window[:4]
    session.screenshot("window")
    if top + height > SCREEN_HEIGHT or height > SCREEN_HEIGHT - TRAY_HEIGHT - 100:
        raise Failure(f"the window with its lane is {height} px high at y {top}: too tall for a "
                      f"{SCREEN_HEIGHT} px screen")

    # The selection: a grey that misses AA for normal text on white by a hair (4.478:1).
    offer_clipboard(session, "#777777")
    run_again(session, "--paste")
    box = wait_for_color(session, REMEMBERED, "the remembered second colour's swatch", window_region(window))
    if box[2] - box[0] > 30 or box[3] - box[1] > 30:
        raise Failure(f"the remembered colour fills {box}, not one swatch")
    swatch = centre(box)

    # Another program's colour dropped on the swatch becomes the second colour.
    source = subprocess.Popen([os.environ["VELLICO_DRAG_SOURCE"], "--color", "#FFFFFF"], env=session.environment(),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session.processes.append(source)
    source_box = wait_for_color(session, (17, 187, 153), "the drag source's window")
    drag(session, centre(source_box), swatch)
    session.x("xdotool", "mousemove", "10", "790")
    summary = copied_summary(session, swatch, clipboard(session))
    session.screenshot("dropped")
    for expected in ("#777777 on #FFFFFF: 4.47:1;", "AA normal text: fails (needs 4.5:1)",
                     "AA large text: passes (needs 3:1)", "AAA normal text: fails (needs 7:1)", "APCA Lc 71"):
        if expected not in summary:
            raise Failure(f"the row says {summary!r}, without {expected!r}")
    nearest = re.search(r"nearest passing AA: #([0-9A-F]{6})$", summary)
    if not nearest:
        raise Failure(f"the row offers no nearest passing colour: {summary!r}")
    rgb = tuple(int(nearest.group(1)[i:i + 2], 16) for i in (0, 2, 4))
    wait_for_color(session, rgb, f"the nearest passing colour #{nearest.group(1)} in the row", window_region(window))

    # X swaps the selection and the second colour: white text on the grey.
    session.x("xdotool", "key", "x")
    summary = copied_summary(session, swatch, summary)
    if not summary.startswith("#FFFFFF on #777777: 4.47:1;") or "APCA Lc -" not in summary:
        raise Failure(f"after X the row says {summary!r}")
    session.quit()

    with open(session.settings_path()) as settings:
        remembered = re.search(r"^VQContrastAgainstColor=(.*)$", settings.read(), re.M)
    if not remembered or remembered.group(1) != "#777777":
        raise Failure(f"the settings remember {remembered and remembered.group(1)!r} as the second colour")


CASES = {
    "contrast-drop-and-swap": case_drop_and_swap,
}


if __name__ == "__main__":
    sys.exit(vellico_e2e.run_case(CASES, needs=("VELLICO_BINARY", "VELLICO_CLI", "VELLICO_DRAG_SOURCE")))
