#!/usr/bin/env python3
"""Desktop tests of screen picking: `vellico --pick`, the loupe and the global
shortcut, on a virtual display whose root window is painted with 1-pixel
red/blue column stripes (red on even x, blue on odd x) and a green square.

    pick_e2e.py CASE      with VELLICO_BINARY pointing at the program

VELLICO_PICK_COMMAND, when set, replaces "vellico --pick" (a space-separated
command line), so that the picking cases can run against another build of the
same function. Everything else is shared with vellico_e2e.py.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vellico_e2e  # noqa: E402
from vellico_e2e import Failure, Session, wait_until  # noqa: E402

WIDTH, HEIGHT = 640, 400
vellico_e2e.SCREEN = f"{WIDTH}x{HEIGHT}x24"
PATCH = (300, 100, 100, 100)  # left, top, width, height of the green square
RED, BLUE, GREEN = "#FF0000", "#0000FF", "#20C040"
# The loupe window's size in logical pixels, and where the centre cell and its
# left neighbour are inside it (a 10-pixel margin, 14-pixel cells).
LOUPE_SIZE = (146, 194)
CENTRE_CELL = (10 + 4 * 14 + 7, 10 + 4 * 14 + 7)
LEFT_CELL = (10 + 3 * 14 + 7, 10 + 4 * 14 + 7)


def stripe_colour(x, y):
    if not (0 <= x < WIDTH and 0 <= y < HEIGHT):
        return "#000000"  # the loupe shows what lies beyond the screen as black
    left, top, width, height = PATCH
    if left <= x < left + width and top <= y < top + height:
        return GREEN
    return RED if x % 2 == 0 else BLUE


class PickSession(Session):
    """A session with a window manager and the stripes on the root window."""

    def __enter__(self):
        super().__enter__()
        try:
            openbox = subprocess.Popen(["openbox"], env=self.environment(),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.processes.append(openbox)
            self.paint_stripes()
        except BaseException:
            self.close()
            raise
        return self

    def _start_display(self):
        # VELLICO_E2E_DISPLAY (":N") pins the display number on a shared machine.
        pinned = os.environ.get("VELLICO_E2E_DISPLAY")
        if not pinned:
            return super()._start_display()
        xvfb = subprocess.Popen(["Xvfb", pinned, "-screen", "0", vellico_e2e.SCREEN, "-nolisten", "tcp", "-noreset"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        self.display = pinned
        wait_until("Xvfb on " + pinned, lambda: subprocess.run(["xdpyinfo"], env=self.environment(),
                                                                capture_output=True).returncode == 0)

    def paint_stripes(self):
        rows = bytearray()
        for y in range(HEIGHT):
            for x in range(WIDTH):
                rows += bytes.fromhex(stripe_colour(x, y)[1:])
        path = os.path.join(self.home, "stripes.ppm")
        with open(path, "wb") as image:
            image.write(b"P6 %d %d 255\n" % (WIDTH, HEIGHT) + bytes(rows))
        # display sets the root window's background and ends with status 1 all the same.
        subprocess.run(["display", "-window", "root", path], env=self.environment(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
        # The tray covers the top right corner; the rest must show the stripes.
        wait_until("the stripes on the root window", lambda: self.pixel(self.screenshot("stripes"), 101, 300) == BLUE)

    def pixel(self, screenshot, x, y):
        value = self.x("convert", screenshot, "-crop", f"1x1+{x}+{y}", "+repage", "-depth", "8",
                       "-format", "#%[hex:p{0,0}]", "info:")
        return value.strip().upper()[:7]

    def pick_command(self, *arguments):
        command = os.environ.get("VELLICO_PICK_COMMAND")
        base = command.split() if command else [os.environ["VELLICO_BINARY"], "--pick"]
        return base + list(arguments)

    def start_pick(self, *arguments, **environment):
        process = subprocess.Popen(self.pick_command(*arguments), env={**self.environment(), **environment},
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.processes.append(process)
        return process

    def loupe_window(self, scale=1):
        """(x, y, width, height) of the shown loupe window, found by its size."""
        width, height = round(LOUPE_SIZE[0] * scale), round(LOUPE_SIZE[1] * scale)
        tree = self.x("xwininfo", "-root", "-children")
        for line in tree.splitlines():
            if f" {width}x{height}+" not in line:
                continue
            window = line.split()[0]
            info = self.x("xwininfo", "-id", window)
            if "IsViewable" in info:
                return self.geometry(window)
        return None

    def move(self, x, y):
        self.x("xdotool", "mousemove", "--sync", str(x), str(y))


def finish(process, timeout=10):
    try:
        out, err = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"the picker still runs {timeout} s after the click")
    return process.returncode, out, err


def check_loupe_shows(session, loupe, x, y, scale):
    """The centre cell shows the pixel under the pointer, its left neighbour the one to its left
    (once the loupe has drawn: on a loaded machine its first frame may come a moment late)."""
    left, top, _, _ = loupe
    wrong = []

    def shows_them():
        shot = session.screenshot(f"loupe-{scale}x-{x}-{y}")
        wrong.clear()
        for (cx, cy), px in ((CENTRE_CELL, x), (LEFT_CELL, x - 1)):
            shown = session.pixel(shot, left + round(cx * scale), top + round(cy * scale))
            if shown != stripe_colour(px, y):
                wrong.append(f"{shown} for device pixel ({px}, {y}), which is {stripe_colour(px, y)}")
        return not wrong

    try:
        wait_until("the loupe to show the pixels under the pointer", shows_them, timeout=3)
    except Failure:
        raise Failure("the loupe shows " + "; ".join(wrong))


def pick(session, keys_or_click, *arguments, status=0, printed="", what="--pick"):
    """Runs --pick ARGUMENTS at the pointer, ends it with an xdotool command (["key",
    "Escape"], ["click", "1"]) once the loupe shows; it must end with `status`, having
    printed `printed`."""
    process = session.start_pick(*arguments)
    wait_until("the loupe window", session.loupe_window)
    session.x("xdotool", *keys_or_click)
    code, out, err = finish(process)
    if code != status or out != printed:
        raise Failure(f"{what} gave status {code} and printed {out!r}, not {status} and {printed!r}: {err}")


def pick_at(session, x, y, scale=1, arguments=(), expect=None):
    session.move(x, y)
    environment = {"QT_SCALE_FACTOR": str(scale)} if scale != 1 else {}
    process = session.start_pick(*arguments, **environment)
    loupe = wait_until("the loupe window", lambda: session.loupe_window(scale))
    if loupe[2] != round(LOUPE_SIZE[0] * scale):
        raise Failure(f"the loupe is {loupe[2]} pixels wide at scale {scale}")
    check_loupe_shows(session, loupe, x, y, scale)
    # The window keeps its distance from the pointer.
    left, top, width, height = loupe
    if left - 20 * scale < x < left + width + 20 * scale and top - 20 * scale < y < top + height + 20 * scale:
        raise Failure(f"the loupe at {loupe} is closer than 20 points to the pointer at ({x}, {y})")
    session.x("xdotool", "click", "1")
    status, out, err = finish(process)
    expected = (expect or stripe_colour(x, y)) + "\n"
    if status != 0 or out != expected:
        raise Failure(f"picking ({x}, {y}) at scale {scale} printed {out!r} with status {status}, "
                      f"not {expected!r}; errors: {err}")
    if session.loupe_window(scale):
        raise Failure("the loupe window stays after the pick")


# -- the cases -----------------------------------------------------------------

def case_pick_scale1(session):
    for x, y in ((101, 300), (102, 300), (0, 399), (639, 399), (350, 150), (101, 40)):
        pick_at(session, x, y)


def case_pick_scale2(session):
    # Odd and even device columns and rows, which logical coordinates cannot all reach.
    for x, y in ((151, 301), (152, 301), (153, 300), (351, 151), (639, 398)):
        pick_at(session, x, y, scale=2)


def case_pick_scale15(session):
    for x, y in ((151, 301), (152, 301), (153, 302), (351, 151)):
        pick_at(session, x, y, scale=1.5)


def case_pick_escape(session):
    session.move(101, 300)
    pick(session, ["key", "Escape"], status=1, what="Escape")


def case_pick_keys(session):
    # Arrow keys move by one device pixel (at scale 2 too); Return picks.
    for scale, keys, expected_x in ((1, ["Right"], 201), (1, ["Left", "Left"], 198),
                                    (2, ["Right"], 201), (2, ["Right", "Right", "Right", "Left"], 202)):
        session.move(200, 300)
        process = session.start_pick(**({"QT_SCALE_FACTOR": "2"} if scale == 2 else {}))
        wait_until("the loupe window", lambda: session.loupe_window(scale))
        for key in keys:
            session.x("xdotool", "key", key)
        session.x("xdotool", "key", "Return")
        status, out, _ = finish(process)
        expected = stripe_colour(expected_x, 300) + "\n"
        if status != 0 or out != expected:
            raise Failure(f"{keys} at scale {scale} printed {out!r} (status {status}), not {expected!r}")
        position = session.x("xdotool", "getmouselocation")
        if f"x:{expected_x} " not in position:
            raise Failure(f"after {keys} the pointer is at {position.strip()}, not x {expected_x}")


def case_pick_sample(session):
    """--sample takes the mean in linear light of the stripes around the pointer (shrunk at the
    screen's edge), in a process of its own and handed to a running Vellico; S steps the size
    in the loupe and is remembered, the size --sample gives is not."""
    def mean(x, y, n):
        return vellico_e2e.linear_mean([stripe_colour(px, py)
                                        for px, py in vellico_e2e.sample_square(x, y, n, WIDTH, HEIGHT)])

    def picks(rows):
        for x, y, arguments, keys_or_click, n in rows:
            session.move(x, y)
            pick(session, keys_or_click, *arguments, printed=mean(x, y, n) + "\n",
                 what=f"--pick {' '.join(arguments)} with {keys_or_click} at ({x}, {y})")

    picks(((101, 300, ("--sample", "3"), ["click", "1"], 3),
           (102, 300, ("--sample", "5"), ["key", "Return"], 5),
           (0, 300, ("--sample", "3"), ["click", "1"], 3),  # two columns of three at the left edge
           (103, 300, ("--sample", "3"), ["key", "s", "Return"], 5)))
    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    picks(((105, 300, ("--sample", "3"), ["click", "1"], 3),
           (107, 300, (), ["click", "1"], 5)))  # the size S chose, not the last --sample


def case_pick_template(session):
    # --template 0 prints the hexadecimal text without the hash.
    session.move(350, 150)
    pick(session, ["click", "1"], "--template", "0", printed="20C040\n")


def button_presses(path):
    with open(path) as output:
        return output.read().count("ButtonPress event")


def xev_hears_a_click(session):
    """An xev window under the pointer at 100, 300 that hears a click there; the path of its output."""
    path = os.path.join(session.home, "xev.out")
    with open(path, "w") as output:
        session.processes.append(subprocess.Popen(["xev", "-geometry", "200x150+20+220", "-event", "button"],
                                                  env=session.environment(), stdout=output, stderr=subprocess.STDOUT))
    session.move(100, 300)
    wait_until("xev's window", lambda: session.pixel(session.screenshot("xev"), 100, 300) == "#FFFFFF")
    session.x("xdotool", "click", "1")
    wait_until("xev hearing a plain click", lambda: button_presses(path) == 1)
    return path


def case_pick_click_reaches_no_window(session):
    path = xev_hears_a_click(session)
    pick(session, ["click", "1"], printed="#FFFFFF\n", what="picking xev's white window")
    # A press that leaked would reach xev before this one.
    session.x("xdotool", "click", "1")
    wait_until("xev hearing the next plain click", lambda: button_presses(path) >= 2)
    if button_presses(path) != 2:
        raise Failure("the click that picked reached the window under the pointer")


# -- the shortcut, with the whole program --------------------------------------

def pointer_position(session):
    location = dict(item.split("=") for item in session.x("xdotool", "getmouselocation", "--shell").split())
    return int(location["X"]), int(location["Y"])


def write_shortcut(session):
    # VQCopyType 1: "vellico --copy" puts the selection on the clipboard as #RRGGBB.
    session.write_settings(shortcut=vellico_e2e.CTRL_ALT_P, RZLoggingEnabled="true", VQCopyType=1)


def log_text(session):
    try:
        with open(session.log_path()) as log:
            return log.read()
    except OSError:
        return ""


def case_shortcut_starts_loupe(session):
    write_shortcut(session)
    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    wait_until("the shortcut's registration", lambda: "Registerd key combo with status 0" in log_text(session))
    session.move(350, 150)
    session.x("xdotool", "key", "ctrl+alt+p")
    wait_until("the loupe window", session.loupe_window)
    session.screenshot("shortcut-loupe")
    # A second press during the loupe starts no second loupe. The Up after it moves
    # the pointer one pixel once the loupe has had the press.
    session.x("xdotool", "key", "ctrl+alt+p", "Up")
    wait_until("the loupe taking the keys", lambda: pointer_position(session) == (350, 149))
    session.x("xdotool", "click", "1")
    wait_until("the loupe closing", lambda: not session.loupe_window())
    if log_text(session).count("Action triggered.") > 1 and session.loupe_window():
        raise Failure("the second press started a second loupe")
    # The main window is open and the picked colour is the selection.
    wait_until("the main window", lambda: session.vellico_window(200, 100))
    session.screenshot("shortcut-picked")
    check_selection(session, GREEN)
    session.quit()


def check_selection(session, expected):
    """The selected colour, as "vellico --copy" puts it on the clipboard, is `expected`."""
    vellico_e2e.run_again(session, "--copy")
    wait_until(f"{expected} on the clipboard", lambda: vellico_e2e.clipboard(session) == expected)


def case_pick_in_running_instance(session):
    write_shortcut(session)
    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    session.move(351, 151)
    pick(session, ["click", "1"], printed=GREEN + "\n", what="--pick with Vellico running")
    check_selection(session, GREEN)
    # Escape through the running instance: nothing printed, status 1, the selection kept.
    session.move(101, 300)
    pick(session, ["key", "Escape"], status=1, what="Escape with Vellico running")
    check_selection(session, GREEN)


def case_pick_history(session):
    """What is picked, pasted and copied are the recent colours, newest first, for vellico-cli."""
    write_shortcut(session)
    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    session.move(351, 151)
    pick(session, ["click", "1"], printed=GREEN + "\n", what="--pick with Vellico running")
    wait_until("the pick in the history", lambda: vellico_e2e.history(session) == [GREEN])
    # Another colour is pasted: a recent colour by itself; copying it keeps it in front.
    vellico_e2e.offer_clipboard(session, "#123456")
    vellico_e2e.run_again(session, "--paste")
    wait_until("the paste in the history", lambda: vellico_e2e.history(session) == ["#123456", GREEN])
    vellico_e2e.run_again(session, "--copy")
    wait_until("the copy in the history", lambda: vellico_e2e.history(session) == ["#123456", GREEN])
    # Picking the green again moves it to the front; no colour is there twice.
    pick(session, ["click", "1"], printed=GREEN + "\n", what="the second --pick")
    wait_until("the second pick in front", lambda: vellico_e2e.history(session) == [GREEN, "#123456"])


def case_pick_queued_in_running_instance(session):
    """A second --pick while one runs waits for it: Escape ends the first only, the second's
    loupe comes up after it and its click picks."""
    write_shortcut(session)
    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    session.move(101, 300)
    first = session.start_pick()
    wait_until("the first loupe window", session.loupe_window)
    second = session.start_pick()
    # It waits (the log says so), or, refused, it ends at once.
    wait_until("the second pick waiting", lambda: "the new one waits for it" in log_text(session)
               or second.poll() is not None)
    if second.poll() is not None:
        raise Failure(f"the second --pick ended at once with status {second.returncode}: {second.stderr.read()}")
    session.x("xdotool", "key", "Escape")
    code, out, err = finish(first)
    if code != 1 or out != "":
        raise Failure(f"the first --pick gave status {code} and printed {out!r} after Escape: {err}")
    # The second loupe comes up once the first has gone; Escape did not end it.
    wait_until("the second loupe window", session.loupe_window)
    if second.poll() is not None:
        raise Failure(f"the second --pick ended with the first, status {second.returncode}")
    session.move(351, 151)
    check_loupe_shows(session, session.loupe_window(), 351, 151, 1)
    session.x("xdotool", "click", "1")
    code, out, err = finish(second)
    if code != 0 or out != GREEN + "\n":
        raise Failure(f"the second --pick gave status {code} and printed {out!r}, not {GREEN!r}: {err}")
    check_selection(session, GREEN)


def case_shift_tracking(session):
    write_shortcut(session)
    session.start_vellico()
    left, top, width, height = vellico_e2e.wait_for_icon(session)

    def open_window():
        # A copy closes the window: open it again before the next moves.
        session.x("xdotool", "mousemove", str(left + width // 2), str(top + height // 2), "click", "1")
        wait_until("the main window", lambda: session.vellico_window(200, 100))

    open_window()
    # Real pointer motion (XTest), as a mouse makes it: Shift held samples, no Shift does not.
    xtest_motion(session, True, [(101, 300), (102, 300), (351, 151)])
    check_selection(session, GREEN)
    open_window()
    xtest_motion(session, False, [(101, 300)])
    check_selection(session, GREEN)
    open_window()
    xtest_motion(session, True, [(101, 300)])
    check_selection(session, BLUE)
    # With the window closed (the copy closed it), Shift moves sample nothing.
    wait_until("the main window closing", lambda: not session.vellico_window(200, 100))
    xtest_motion(session, True, [(102, 300)])
    check_selection(session, BLUE)


MOTION = r"""
import ctypes, sys, time
x = ctypes.CDLL("libX11.so.6")
t = ctypes.CDLL("libXtst.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XFlush.argtypes = [ctypes.c_void_p]
t.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
t.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
display = x.XOpenDisplay(None)
shift = x.XKeysymToKeycode(display, 0xffe1)
held = sys.argv[1] == "shift"
if held:
    t.XTestFakeKeyEvent(display, shift, 1, 0)
for point in sys.argv[2:]:
    px, py = map(int, point.split(","))
    t.XTestFakeMotionEvent(display, -1, px, py, 0)
    x.XFlush(display)
    time.sleep(0.1)
if held:
    t.XTestFakeKeyEvent(display, shift, 0, 0)
x.XFlush(display)
"""


def xtest_motion(session, shift, points):
    """Moves the pointer through `points` as a real device would (xdotool only warps it)."""
    arguments = ["shift" if shift else "none"] + [f"{px},{py}" for px, py in points]
    subprocess.run([sys.executable, "-c", MOTION, *arguments], env=session.environment(), check=True, timeout=20)
    time.sleep(0.2)


def case_shortcut_held_elsewhere(session):
    write_shortcut(session)
    holder = vellico_e2e.hold_combination(session, "p", 0x4 | 0x8)  # Control | Mod1
    # As at a login: the program starts before the panel, so its first message
    # waits for the tray to place the icon.
    session.stop_tray()
    try:
        session.start_vellico()
        wait_until("the refusal in the log", lambda: "is held by another program" in log_text(session))
        session._start_tray()
        icon = vellico_e2e.wait_for_icon(session)
        # The user is told: a message window of the tray icon, or a desktop notification.
        message = wait_until("the message about the shortcut", lambda: session.vellico_window(150, 30)
                             or "Ctrl+Alt+P is used by another program" in session.output())
        session.screenshot("shortcut-held")
        # A message window points at the icon, not at a corner of the screen.
        if isinstance(message, tuple):
            left, top, width, height, _ = message
            i_left, i_top, i_width, i_height = icon
            gap = max(left - (i_left + i_width), i_left - (left + width), top - (i_top + i_height),
                      i_top - (top + height), 0)
            if gap > 30:
                raise Failure(f"the message at {message[:4]} is far from the tray icon at {icon}")
    finally:
        holder.terminate()
    session.quit()


def case_sigterm_during_loupe(session):
    original = vellico_e2e.write_library(session.library_path())
    write_shortcut(session)
    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    wait_until("the shortcut's registration", lambda: "Registerd key combo with status 0" in log_text(session))
    session.x("xdotool", "key", "ctrl+alt+p")
    wait_until("the loupe window", session.loupe_window)
    session.quit()
    vellico_e2e.check_library_intact(session.library_path(), original)
    # The grab is gone with the loupe: a click reaches windows again.
    xev_hears_a_click(session)


def eyedropper_button(session, window):
    """The centre of the second icon from the right in the window's header (the gear is the first)."""
    left, top, width, _, _ = window
    picture = vellico_e2e.Picture(session, session.screenshot("header"))
    rows = range(top + 10, top + 42)

    def dark(x):
        return any(sum(picture.pixel(x, y)) < 330 for y in rows)
    icons, inside = [], False
    for x in range(left + width - 9, left + width // 3, -1):
        if dark(x) and not inside:
            icons.append([x, x])
        if dark(x):
            icons[-1][0] = x
        inside = dark(x)
    if len(icons) < 2:
        return None
    ys = [y for y in rows for x in range(icons[1][0], icons[1][1] + 1) if sum(picture.pixel(x, y)) < 330]
    return (icons[1][0] + icons[1][1]) // 2, (min(ys) + max(ys)) // 2


def case_eyedropper_picks(session):
    session.write_settings(VQCopyType=1)
    session.start_vellico()
    vellico_e2e.click_icon(session)
    window = wait_until("the main window", lambda: vellico_e2e.main_window(session))
    x, y = wait_until("the eyedropper in the window's header", lambda: eyedropper_button(session, window))
    session.x("xdotool", "mousemove", str(x), str(y), "click", "1")
    wait_until("the loupe window", session.loupe_window)
    session.move(102, 300)
    session.screenshot("eyedropper-loupe")
    session.x("xdotool", "click", "1")
    wait_until("the loupe closing", lambda: not session.loupe_window())
    check_selection(session, RED)
    session.quit()


CASES = {
    "pick-scale1": case_pick_scale1,
    "pick-scale2": case_pick_scale2,
    "pick-scale15": case_pick_scale15,
    "pick-escape": case_pick_escape,
    "pick-keys": case_pick_keys,
    "pick-template": case_pick_template,
    "pick-sample": case_pick_sample,
    "pick-click-reaches-no-window": case_pick_click_reaches_no_window,
    "pick-in-running-instance": case_pick_in_running_instance,
    "pick-queued-in-running-instance": case_pick_queued_in_running_instance,
    "pick-history": case_pick_history,
    "shift-tracking": case_shift_tracking,
    "shortcut-starts-loupe": case_shortcut_starts_loupe,
    "shortcut-held-elsewhere": case_shortcut_held_elsewhere,
    "sigterm-during-loupe": case_sigterm_during_loupe,
    "eyedropper-picks": case_eyedropper_picks,
}


def main():
    if "VELLICO_BINARY" not in os.environ and "VELLICO_PICK_COMMAND" not in os.environ:
        print("VELLICO_BINARY is not set", file=sys.stderr)
        return 2
    return vellico_e2e.run_case(CASES, session_class=PickSession, needs=())


if __name__ == "__main__":
    sys.exit(main())
