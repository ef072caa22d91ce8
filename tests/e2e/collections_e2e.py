#!/usr/bin/env python3
"""Desktop tests of the collection views in the real program: the lane of
the main window, its colour buttons, the colour preview and the organiser.

    collections_e2e.py CASE      with VELLICO_BINARY and VELLICO_CLI set

The library is made with `vellico-cli import --into` from a swatch file of
twelve groups, C0 … C11. Each collection's first colour is unique, so the
tests find buttons and organiser rows on screenshots by that colour, whatever
the main window's layout. Changes are checked after quitting with
`vellico-cli library list --json`, and carried to a second computer's library
with a sync pass.
"""

import json
import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vellico_e2e  # noqa: E402
from vellico_e2e import Failure, Picture, Session, wait_for_icon, wait_until, laptop_sync  # noqa: E402
from vellico_e2e import click_icon, clipboard, has_input_focus, main_window  # noqa: E402

# The main window, the organiser and the preview need more room than the tray tests.
vellico_e2e.SCREEN = "1024x768x24"

COLLECTIONS = 12
# Lane geometry relative to the centre of slot 0: slots 41 apart, the next
# arrow 196 to the right (see VQCollectionPaging.h).
SLOT_STRIDE = 41
NEXT_ARROW_OFFSET = 196


def first_color(i):
    return (30 + 17 * i, 200 - 11 * i, 90 + 5 * i)


def second_color(i):
    return (250 - 9 * i, 40 + 3 * i, 170)


def hex_of(rgb):
    return "#%02X%02X%02X" % rgb


# -- the library ------------------------------------------------------------------

def ase_string(text):
    units = text.encode("utf-16-be") + b"\0\0"
    return struct.pack(">H", len(units) // 2) + units


def ase_color(name, rgb):
    body = ase_string(name) + b"RGB " + struct.pack(">fff", *(c / 255.0 for c in rgb)) + struct.pack(">H", 2)
    return struct.pack(">HI", 0x0001, len(body)) + body


def write_swatch_file(path):
    blocks = []
    for i in range(COLLECTIONS):
        name = ase_string(f"C{i}")
        blocks.append(struct.pack(">HI", 0xC001, len(name)) + name)
        blocks.append(ase_color(f"first {i}", first_color(i)))
        blocks.append(ase_color(f"second {i}", second_color(i)))
        blocks.append(struct.pack(">HI", 0xC002, 0))
    with open(path, "wb") as out:
        out.write(b"ASEF" + struct.pack(">HHI", 1, 0, len(blocks)) + b"".join(blocks))


def cli(session, *arguments):
    result = subprocess.run([os.environ["VELLICO_CLI"], *arguments], env=session.environment(),
                            capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise Failure(f"vellico-cli {' '.join(arguments)} failed: {result.stderr}")
    return result.stdout


def import_collections(session):
    os.makedirs(os.path.dirname(session.library_path()), exist_ok=True)
    swatches = os.path.join(session.home, "twelve.ase")
    write_swatch_file(swatches)
    cli(session, "import", swatches, "--into", session.library_path())
    titles = [c["title"] for c in library_list(session)]
    if titles != [f"C{i}" for i in range(COLLECTIONS)]:
        raise Failure(f"the import made {titles}")


def library_list(session, path=None):
    return json.loads(cli(session, "library", "list", "--library", path or session.library_path(),
                          "--json"))["collections"]


def colors_of(collection):
    return [color["hex"] for color in collection["colors"]]


# -- finding things on screen --------------------------------------------------------

def find_color(session, shot, rgb, region=None):
    """The bounding box (left, top, right, bottom) of the pixels of exactly that colour, or None."""
    return Picture(session, shot).find(rgb, region)


def centre(box):
    return ((box[0] + box[2]) // 2, (box[1] + box[3]) // 2)


def picture_of(session, shot, rect):
    """A signature of the pixels inside a rectangle (left, top, width, height) of a screenshot."""
    left, top, width, height = rect
    return session.x("convert", shot, "-crop", f"{width}x{height}+{left}+{top}", "+repage", "-format", "%#", "info:")


def slot_fills(session, shot, slot0):
    """The colour filling the upper half of each of the five slots (a button's first colour)."""
    picture = Picture(session, shot)
    return [picture.pixel(x, y - 6) for x, y in (slot(slot0, i) for i in range(5))]


def wait_for_color(session, rgb, what, region=None, timeout=10):
    def seen():
        return find_color(session, session.screenshot("look"), rgb, region)
    return wait_until(what, seen, timeout)


def wait_still(session, rect, what):
    """Waits until two screenshots in a row show the same pixels inside `rect`; returns the last."""
    previous = [None]

    def still():
        shot = session.screenshot("settle")
        picture = picture_of(session, shot, rect)
        same = picture == previous[0]
        previous[0] = picture
        return shot if same else None
    return wait_until(what, still)


def lane_rect(slot0):
    """(left, top, width, height) of the lane's five slots and their arrows."""
    return (slot0[0] - 40, slot0[1] - 18, SLOT_STRIDE * 5 + 80, 36)


def click(session, point, button=1):
    session.x("xdotool", "mousemove", str(point[0]), str(point[1]), "click", str(button))


def drag(session, start, end, hold=0.0, steps=12):
    """Presses at `start`, waits `hold` seconds, moves to `end` in steps and releases there."""
    session.x("xdotool", "mousemove", str(start[0]), str(start[1]))
    session.x("xdotool", "mousedown", "1")
    time.sleep(hold)
    for step in range(1, steps + 1):
        x = start[0] + (end[0] - start[0]) * step // steps
        y = start[1] + (end[1] - start[1]) * step // steps
        session.x("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.03)
    time.sleep(0.2)  # the last position reaches the drop target
    session.x("xdotool", "mouseup", "1")


def window_named(session, title):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                            env=session.environment(), capture_output=True, text=True, timeout=10)
    ids = result.stdout.split()
    return ids[0] if ids else None


# -- the program -----------------------------------------------------------------------

def start_with_lane(session, **settings):
    """Imports the twelve collections, starts vellico and opens its window; the centre of slot 0."""
    import_collections(session)
    values = {"VQDoesntNeedCollectionMergingConfirmation": "true"}
    values.update(settings)
    session.write_settings(**values)
    session.start_vellico(**({"VELLICO_MACHINE_ID": "desk"} if "VQSyncFolderPath" in settings else {}))
    left, top, width, height = wait_for_icon(session)
    click(session, (left + width // 2, top + height // 2))
    box = wait_for_color(session, first_color(0), "the first collection's button in the lane")
    return centre(box)


def slot(slot0, i):
    return (slot0[0] + SLOT_STRIDE * i, slot0[1])



def check_titles(session, expected):
    titles = [c["title"] for c in library_list(session)]
    if titles != expected:
        raise Failure(f"the library holds {titles}, not {expected}")


# -- the cases ---------------------------------------------------------------------------

def case_lane_pages(session):
    slot0 = start_with_lane(session)
    shot = session.screenshot("lane")
    for i in range(COLLECTIONS):
        on_page = find_color(session, shot, first_color(i)) is not None
        if on_page != (i < 5):
            raise Failure(f"C{i}'s first colour is {'shown' if on_page else 'missing'} on page one")
    # Next twice: the last page holds C10 and C11, and no Next arrow.
    next_arrow = (slot0[0] + NEXT_ARROW_OFFSET, slot0[1])
    click(session, next_arrow)
    wait_for_color(session, first_color(5), "page two")
    wait_still(session, lane_rect(slot0), "the slide to page two to end")
    click(session, next_arrow)
    wait_for_color(session, first_color(10), "page three")
    shot = wait_still(session, lane_rect(slot0), "the slide to page three to end")
    shown = [i for i in range(COLLECTIONS) if find_color(session, shot, first_color(i))]
    if shown != [10, 11]:
        raise Failure(f"the last page shows {['C%d' % i for i in shown]}")
    arrow = (next_arrow[0] - 6, next_arrow[1] - 6, 12, 12)
    if session.darkest(shot, arrow) < 0.5:
        raise Failure("the Next arrow still shows on the last page")
    session.quit()


def case_button_merge(session):
    # As a user first meets it: the merge is confirmed in an alert.
    slot0 = start_with_lane(session, VQDoesntNeedCollectionMergingConfirmation="false")
    main = vellico_e2e.main_window(session)
    # Held 0.6 s, then dragged from C1 onto C3.
    drag(session, slot(slot0, 1), slot(slot0, 3), hold=0.6)
    alert = wait_until("the merge alert",
                       lambda: next((w for w in session.vellico_windows(200, 60) if w[4] != main[4]), None))
    session.screenshot("merge-alert")
    session.x("xdotool", "windowfocus", "--sync", alert[4])
    session.x("xdotool", "key", "Return")  # "Merge" is the default button
    # C1's button goes; its colours now show in C3's band, so look at the slots' fills.
    expected = [first_color(i) for i in (0, 2, 3, 4, 5)]
    wait_until("the lane to show C0, C2, C3, C4, C5",
               lambda: slot_fills(session, session.screenshot("look"), slot0) == expected)
    shot = session.screenshot("merged")
    c3 = slot(slot0, 2)
    if not find_color(session, shot, first_color(1), (c3[0] - 16, c3[1], c3[0] + 16, c3[1] + 16)):
        raise Failure("C1's first colour does not show in the band of C3's button")
    session.quit()
    library = library_list(session)
    check_titles(session, ["C0", "C2", "C3"] + [f"C{i}" for i in range(4, COLLECTIONS)])
    merged = next(c for c in library if c["title"] == "C3")
    if colors_of(merged) != [hex_of(first_color(3)), hex_of(second_color(3)),
                             hex_of(first_color(1)), hex_of(second_color(1))]:
        raise Failure(f"C3 holds {colors_of(merged)}")


def case_merge_alert_escape(session):
    # Escape, and the window manager's close (Alt+F4 in openbox), answer the
    # alert with its cancelling button: nothing is merged.
    slot0 = start_with_lane(session, VQDoesntNeedCollectionMergingConfirmation="false")
    main = vellico_e2e.main_window(session)
    for name, keys in (("escape", ["Escape"]), ("close", ["alt+F4"])):
        drag(session, slot(slot0, 1), slot(slot0, 3), hold=0.6)
        alert = wait_until("the merge alert",
                           lambda: next((w for w in session.vellico_windows(200, 60) if w[4] != main[4]), None))
        session.screenshot(f"merge-alert-{name}")
        session.x("xdotool", "windowfocus", "--sync", alert[4])
        session.x("xdotool", "key", *keys)
        wait_until(f"{' '.join(keys)} to close the alert",
                   lambda: all(w[4] == main[4] for w in session.vellico_windows(200, 60)))
    shot = session.screenshot("not-merged")
    if slot_fills(session, shot, slot0) != [first_color(i) for i in range(5)]:
        raise Failure("the lane changed although the merge was cancelled")
    session.quit()
    check_titles(session, [f"C{i}" for i in range(COLLECTIONS)])


def drop_orange_on_c0(session, slot0):
    """Pastes orange, then drags it from the readout onto C0's button and waits to see it there."""
    # The selection becomes orange through a paste; the selection control shows it.
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"], env=session.environment(),
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session.processes.append(owner)
    owner.stdin.write(b"rgb(255, 128, 0)")
    owner.stdin.close()
    wait_until("xclip to own the clipboard", lambda: vellico_e2e.clipboard(session) == "rgb(255, 128, 0)")
    window = vellico_e2e.main_window(session)
    hex_x, bottom = wait_until("the readout", lambda: vellico_e2e.find_readout(session, window[:4]))
    # The readout's hex part, a few pixels above its lower edge.
    hex_part = (hex_x - 16, bottom - 18, 50, 14)
    before = picture_of(session, session.screenshot("readout-before"), hex_part)
    vellico_e2e.run_again(session, "--paste")
    wait_until("the readout to show the pasted colour",
               lambda: picture_of(session, session.screenshot("readout-after"), hex_part) != before)
    # A press and move on the readout drags the selected colour onto C0's button.
    drag(session, (hex_x, bottom - 8), slot(slot0, 0))
    session.x("xdotool", "mousemove", str(slot0[0]), str(slot0[1] - 80))  # out of the way of the button
    # C0's button shows its later colours in a band along its foot.
    band = (slot0[0] - 16, slot0[1] + 4, slot0[0] + 16, slot0[1] + 16)
    wait_for_color(session, (255, 128, 0), "the colour in C0's button", band)
    session.screenshot("colour-dropped")


def check_orange_in_c0(session):
    c0 = library_list(session)[0]
    if c0["title"] != "C0" or colors_of(c0)[-1] != "#FF8000" or len(c0["colors"]) != 3:
        raise Failure(f"C0 holds {colors_of(c0)}")


def case_canvas_drop(session):
    slot0 = start_with_lane(session)
    drop_orange_on_c0(session, slot0)
    session.quit()
    check_orange_in_c0(session)


def check_saved_at_end(session, status, expected_status):
    output = session.output()
    if status != expected_status or "malloc" in output or "corrupt" in output:
        raise Failure(f"vellico ended with status {status}, not {expected_status}:\n{output}")
    # Automatic saving is off: only the save on the way out can have kept the colour.
    check_orange_in_c0(session)


def case_hangup_saves(session):
    slot0 = start_with_lane(session, VQDBAutomaticSavingDisabled="true")
    drop_orange_on_c0(session, slot0)
    session.vellico.send_signal(vellico_e2e.signal.SIGHUP)
    check_saved_at_end(session, session.wait_for_exit(), 0)


def case_display_lost_saves(session):
    slot0 = start_with_lane(session, VQDBAutomaticSavingDisabled="true")
    drop_orange_on_c0(session, slot0)
    # The X server goes, as at a logout that sends no signal; trayer and openbox go with it.
    xvfb = session.processes[0]
    xvfb.kill()
    xvfb.wait()
    check_saved_at_end(session, session.wait_for_exit(), 1)


def gap_between(a, b):
    """The distance between two rectangles (left, top, width, height); 0 when they touch or overlap."""
    dx = max(b[0] - (a[0] + a[2]), a[0] - (b[0] + b[2]), 0)
    dy = max(b[1] - (a[1] + a[3]), a[1] - (b[1] + b[3]), 0)
    return max(dx, dy)


def case_preview(session):
    slot0 = start_with_lane(session)
    main = vellico_e2e.main_window(session)
    session.x("xdotool", "mousemove", str(slot(slot0, 2)[0]), str(slot0[1]))
    session.x("xdotool", "keydown", "ctrl", "click", "1", "keyup", "ctrl")
    window = wait_until("the preview titled C2", lambda: window_named(session, "C2"))
    region = session.geometry(window)
    # Beside the window it was opened from, not somewhere else on the screen
    # (the window manager's frame and a small gap lie between them).
    if gap_between(region, main[:4]) > 40:
        raise Failure(f"the preview opened at {region}, far from the main window at {main[:4]}")
    box = (region[0], region[1], region[0] + region[2], region[1] + region[3])
    wait_for_color(session, first_color(2), "C2's first colour in the preview", box)
    wait_for_color(session, second_color(2), "C2's second colour in the preview", box)
    session.screenshot("preview")
    session.quit()


def organizer_rows(session, shot, organizer, indices):
    """The centre y of the organiser row of each collection index (by its swatch colour)."""
    rows = {}
    for i in indices:
        box = find_color(session, shot, first_color(i), organizer)
        if not box:
            raise Failure(f"C{i} has no row in the organiser")
        rows[i] = centre(box)[1]
    return rows


def case_organizer(session):
    folder = os.path.join(session.home, "Shared")
    os.makedirs(folder)
    slot0 = start_with_lane(session, VQSynchronizeWithiCloud="true", VQSyncFolderPath=folder)
    # The button's menu ends with "Organize...".
    click(session, slot0)
    wait_until("the colour menu", session.vellico_menu)
    session.x("xdotool", "key", "Up", "Return")
    window = wait_until("the organiser", lambda: window_named(session, "Organizer"))
    left, top, width, height = session.geometry(window)
    organizer = (left, top, left + width, top + height)
    shot = wait_until("the organiser's rows",
                      lambda: (lambda s: s if find_color(session, s, first_color(4), organizer) else None)(
                          session.screenshot("organizer")))
    rows = organizer_rows(session, shot, organizer, [0, 3, 4])
    title_x = left + 100
    # C0 dragged down between C3 and C4: it becomes the fourth row.
    drag(session, (title_x, rows[0]), (title_x, (rows[3] + rows[4]) // 2))

    def moved():
        rows = organizer_rows(session, session.screenshot("organizer-moved"), organizer, [0, 3, 4, 5])
        return rows if rows[3] < rows[0] < rows[4] else None
    rows = wait_until("C0's row to move between C3 and C4", moved)
    # C5 dropped onto C4's row: merged into it.
    drag(session, (title_x, rows[5]), (title_x, rows[4]))
    wait_until("C5 to leave the organiser",
               lambda: find_color(session, session.screenshot("organizer-merged"), first_color(5), organizer) is None)
    session.quit()

    expected = ["C1", "C2", "C3", "C0", "C4"] + [f"C{i}" for i in range(6, COLLECTIONS)]
    check_titles(session, expected)
    c4 = next(c for c in library_list(session) if c["title"] == "C4")
    if len(c4["colors"]) != 4:
        raise Failure(f"C4 holds {colors_of(c4)} after the merge")

    # A second computer, its library still empty, picks every change up.
    laptop_library = os.path.join(session.home, "laptop.vlb")
    vellico_e2e.write_laptop_library(laptop_library, [])
    laptop_sync(session, laptop_library, folder)
    laptop = library_list(session, laptop_library)
    if sorted(c["title"] for c in laptop) != sorted(expected):
        raise Failure(f"the laptop holds {[c['title'] for c in laptop]}")
    if len(next(c for c in laptop if c["title"] == "C4")["colors"]) != 4:
        raise Failure("the laptop's C4 lacks the merged colours")


def case_palette_dropped_on_lane(session):
    slot0 = start_with_lane(session, RZLoggingEnabled="true")
    palette = os.path.join(session.home, "Dropped.gpl")
    with open(palette, "w", encoding="utf-8") as out:
        out.write("GIMP Palette\nName: Dropped\nColumns: 2\n#\n 12  34  56\tIndigo ink\n250 240 230\tLinen\n")
    # A file manager's drag of the file, from a window of one colour.
    source = subprocess.Popen([os.environ["VELLICO_DRAG_SOURCE"], palette], env=session.environment(),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session.processes.append(source)
    box = wait_for_color(session, (17, 187, 153), "the drag source's window")
    drag(session, centre(box), slot(slot0, 2))

    def log():
        try:
            with open(session.log_path(), errors="replace") as text:
                return text.read()
        except OSError:
            return ""
    wait_until("the log to say the dropped file is imported", lambda: "Importing the dropped file " + palette in log())
    # The new collection is the thirteenth: on the lane's third page, after C10 and C11.
    next_arrow = (slot0[0] + NEXT_ARROW_OFFSET, slot0[1])
    lane = lane_rect(slot0)
    region = (lane[0], lane[1], lane[0] + lane[2], lane[1] + lane[3])
    for page in (2, 3):
        wait_still(session, lane, f"the lane before turning to page {page}")
        click(session, next_arrow)
    wait_for_color(session, (12, 34, 56), "the dropped palette's button on the last page", region)
    session.screenshot("palette-dropped")
    session.quit()
    library = library_list(session)
    check_titles(session, [f"C{i}" for i in range(COLLECTIONS)] + ["Dropped"])
    dropped = [(c["hex"], c["name"]) for c in library[-1]["colors"]]
    if dropped != [("#0C2238", "Indigo ink"), ("#FAF0E6", "Linen")]:
        raise Failure(f"the dropped palette became {dropped}")


def focused_main_window(session):
    wait_until("the main window with the focus",
               lambda: main_window(session) and has_input_focus(session, main_window(session)[4]))
    return main_window(session)


def find_and_copy(session, text):
    """Ctrl+F, `text`, Return, then Ctrl+C: what the search selected, as copied (the window then closes)."""
    session.x("xdotool", "key", "ctrl+f")
    session.x("xdotool", "type", "--delay", "30", text)
    session.x("xdotool", "key", "Return")
    session.x("xdotool", "key", "ctrl+c")
    wait_until("the window to close after the copy", lambda: main_window(session) is None)
    return clipboard(session)


def case_find_by_name(session):
    start_with_lane(session)
    focused_main_window(session)
    # A name in the user's own collections, words in any case; Return selects the first match.
    copied = find_and_copy(session, "FIRST 3")
    if copied != hex_of(first_color(3))[1:]:
        raise Failure(f"finding 'FIRST 3' selected {copied}, not {hex_of(first_color(3))}")

    # A shipped colour name.
    click_icon(session)
    focused_main_window(session)
    if find_and_copy(session, "steel blue") != "4682B4":
        raise Failure(f"finding 'steel blue' selected {clipboard(session)}")

    # Escape closes the search, not the window; letters typed there are text, not the window's keys.
    click_icon(session)
    window = focused_main_window(session)
    session.x("xdotool", "key", "ctrl+f")
    session.x("xdotool", "type", "--delay", "30", "second 1")
    session.screenshot("search")
    session.x("xdotool", "key", "Escape")
    time.sleep(0.5)
    if main_window(session) is None:
        raise Failure("Escape in the search closed the window")
    # Ctrl+N: a new collection holding the selection.
    session.x("xdotool", "key", "ctrl+n")
    alert = wait_until("the new collection's name alert",
                       lambda: [w for w in session.vellico_windows(150, 60) if w[4] != window[4]])
    session.x("xdotool", "windowfocus", "--sync", alert[0][4])
    session.x("xdotool", "type", "--delay", "30", "Steel")
    session.x("xdotool", "key", "Return")
    wait_until("the new collection saved",
               lambda: [colors_of(c) for c in library_list(session) if c["title"] == "Steel"] == [["#4682B4"]])
    session.quit()


def case_export_from_collection_menu(session):
    slot0 = start_with_lane(session)
    folder = os.path.join(session.home, "Exported")
    os.makedirs(folder)
    target = os.path.join(folder, "C0 colours.ase")
    click(session, slot0)
    wait_until("the colour menu", session.vellico_menu)
    # From the foot of the menu: Organize..., Open Collection Viewer..., Export....
    session.x("xdotool", "key", "Up", "Up", "Up")
    time.sleep(0.3)
    session.screenshot("export-menu")
    session.x("xdotool", "key", "Return")
    dialog = wait_until("the save panel", lambda: window_named(session, "Export"))
    time.sleep(0.5)
    session.screenshot("export-panel")
    session.x("xdotool", "windowfocus", "--sync", dialog)
    session.x("xdotool", "key", "ctrl+a")
    session.x("xdotool", "type", "--delay", "20", target)
    session.x("xdotool", "key", "Return")
    wait_until("the exported file", lambda: os.path.exists(target))
    session.quit()
    if os.listdir(folder) != ["C0 colours.ase"]:
        raise Failure(f"the folder holds {os.listdir(folder)}")
    # The .ase extension chose the format; the file reads back as the library holds C0.
    def shape(collection):
        return (collection["title"], [(c["space"], c["components"], c["name"]) for c in collection["colors"]])
    imported = json.loads(cli(session, "import", target, "--json"))
    if [shape(c) for c in imported] != [shape(library_list(session)[0])]:
        raise Failure(f"{target} reads back as {[shape(c) for c in imported]}")


CASES = {
    "collections-lane-pages": case_lane_pages,
    "collections-button-merge": case_button_merge,
    "collections-merge-alert-escape": case_merge_alert_escape,
    "collections-canvas-drop": case_canvas_drop,
    "collections-preview": case_preview,
    "collections-organizer": case_organizer,
    "hangup-saves": case_hangup_saves,
    "display-lost-saves": case_display_lost_saves,
    "palette-dropped-on-lane": case_palette_dropped_on_lane,
    "export-from-collection-menu": case_export_from_collection_menu,
    "find-by-name": case_find_by_name,
}


if __name__ == "__main__":
    sys.exit(vellico_e2e.run_case(CASES, needs=("VELLICO_BINARY", "VELLICO_CLI")))
