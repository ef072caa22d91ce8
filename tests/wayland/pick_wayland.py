#!/usr/bin/env python3
"""Desktop tests of `vellico --pick` on a Wayland session (headless sway with a
x1 and a x2 output): the frozen screen over screencopy picks the device pixel
under the pointer, natively and forced onto XWayland (QT_QPA_PLATFORM=xcb), in
a process of its own and handed to a running Vellico, and the mean of a square
of them. grim is the truth, our virtual pointer and wtype the user; the stripe
window (1-device-pixel red and blue columns) lies fullscreen under the frozen
screen and must see no click.

    pick_wayland.py CASE      with VELLICO_BINARY set
"""

import os
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import (BACKGROUND, BLUE, PATCH, RED, Output, WaylandSession, check_pick,  # noqa: E402
                             expected_colour, run_case, start_stripes)
from vellico_e2e import Failure, linear_mean, sample_square, wait_until  # noqa: E402

# An answer well within the 10 s any pick may wait on a compositor or a portal.
PICK_TIMEOUT = 15
WHITE = "#FFFFFF"


def xwayland(session):
    return {"QT_QPA_PLATFORM": "xcb", "DISPLAY": session.x_display()}


def crosshair_arm(output, x, y):
    """A device pixel of the crosshair's lower arm around device pixel x, y (white
    when the frozen loupe is shown with its crosshair there)."""
    gap = -(-3 * output.scale // 1)  # as the loupe rounds it: up
    return x, int(y + gap + 2)


class Pick:
    """A `vellico --pick` running on the session (in a process of its own, or
    handed to the running Vellico by a second start)."""

    def __init__(self, session, name, running=False, arguments=(), **environment):
        self.session = session
        # Who runs the loupe, and logs it: the running Vellico, or this process.
        self.loupe_log = session.vellico_output if running else (lambda: session.log(name))
        self.client = session.start_client([os.environ["VELLICO_BINARY"], "--pick", *arguments], name=name,
                                           **environment)
        self.name = name

    def wait_for_frozen(self):
        """Waits until the log says the frozen screen is up: the pointer must stay parked
        until the capture is taken, the compositor draws it in."""
        def frozen():
            if self.client.process.poll() is not None:
                raise Failure(f"--pick ended with status {self.client.process.returncode} before the frozen "
                              f"screen showed: {self.session.log(self.name)[-1500:]}")
            return "The frozen screen shows" in self.loupe_log()
        wait_until("the frozen screen", frozen, timeout=PICK_TIMEOUT)

    def wait_for_loupe(self, output, x, y):
        """Once the frozen screen is up, points at device pixel x, y of `output` and waits
        for the loupe's crosshair around it."""
        self.wait_for_frozen()
        self.session.move_pointer_to_device_pixel(output.name, x, y)
        arm = crosshair_arm(output, x, y)
        wait_until(f"the frozen loupe's crosshair around {x},{y} on {output.name}",
                   lambda: self.session.screenshot(f"loupe-{output.name}", output=output.name).pixel(*arm) == WHITE)

    def expect(self, what, status, printed="", reason=None):
        """The pick ended as check_pick expects."""
        try:
            code = self.client.process.wait(timeout=PICK_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"--pick still runs {PICK_TIMEOUT} s on: {self.session.log(self.name)[-1500:]}")
        result = subprocess.CompletedProcess(self.client.process.args, code, "\n".join(self.client.read_lines()),
                                             self.session.log(self.name))
        check_pick(what, result, status, printed, reason)

    def expect_colour(self, colour):
        self.expect("the pick", 0, colour)


def truth(session, output, points):
    """What grim sees at device pixels `points` of `output` before the pick, checked
    against what the stripe window painted there (at integer scales: Qt 6.4 draws a
    x1.5 output at x2 and the compositor scales that down)."""
    shot = session.screenshot(f"truth-{output.name}", output=output.name)
    colours = {}
    for x, y in points:
        colours[(x, y)] = shot.pixel(x, y)
        if output.scale == int(output.scale) and colours[(x, y)] != expected_colour(x, output.width):
            raise Failure(f"grim sees {colours[(x, y)]} at {x},{y} of {output.name}, where the stripes are "
                          f"{expected_colour(x, output.width)}")
    return colours


def no_press(windows):
    for name, window in windows.items():
        pressed = [line for line in window.read_lines() if line.startswith("press ")]
        if pressed:
            raise Failure(f"the stripe window on {name} saw {pressed} through the frozen screen")


def stripes_everywhere(session):
    session.write_settings(RZLoggingEnabled="true")
    windows = {output.name: start_stripes(session, output.name) for output in session.outputs}
    # The compositor draws the cursor into captures: parked, it covers only the
    # bottom-right corners, far from every pixel picked here.
    session.park_pointer()
    return windows


def pick_columns(session, output_name, points, windows=None, **environment):
    windows = windows or stripes_everywhere(session)
    output = session.output(output_name)
    colours = truth(session, output, points)
    for index, (x, y) in enumerate(points):
        # The last pick left the cursor drawn where it clicked: park it again
        # before the next capture.
        if index:
            session.park_pointer()
        pick = Pick(session, f"pick-{output_name}-{index}", **environment)
        pick.wait_for_loupe(output, x, y)
        session.click()
        pick.expect_colour(colours[(x, y)])
        no_press(windows)


def case_pick_x1(session):
    pick_columns(session, "HEADLESS-1", [(200, 150), (101, 37)])


def case_pick_x2(session):
    pick_columns(session, "HEADLESS-2", [(300, 151), (301, 40)])


def case_pick_x1_5(session):
    """At x1.5 Qt 6.4 paints at x2 and the compositor scales the stripes down: grim's
    pixels are the truth, and neighbouring device columns differ, so a pick one device
    pixel off shows."""
    session.write_settings(RZLoggingEnabled="true")
    output = session.output("HEADLESS-2")
    session.focus_output(output.name)
    window = session.start_client([os.environ["VELLICO_STRIPE_WINDOW"], "--output", output.name], name="stripes")
    window.wait_for_line("the stripe window's first paint", lambda line: line.startswith("ready "))
    wait_until("the stripe window fullscreen on the x1.5 output",
               lambda: session.windows().get(window.process.pid) == (output.name, True))
    session.park_pointer()
    points = [(300, 151), (301, 151), (302, 40), (303, 40)]

    def apart():
        # Fullscreen in sway's tree comes a frame before it shows on the output.
        colours = truth(session, output, points)
        return colours if colours[(300, 151)] != colours[(301, 151)] and \
            colours[(302, 40)] != colours[(303, 40)] else None
    wait_until("the stripes at x1.5 to tell neighbouring columns apart", apart)
    pick_columns(session, output.name, [(301, 151), (302, 40)], windows={output.name: window})


def case_escape(session):
    stripes_everywhere(session)
    output = session.outputs[1]
    pick = Pick(session, "pick-escape")
    pick.wait_for_loupe(output, 120, 80)
    session.keys("Escape")
    pick.expect("Escape", 1)


def case_arrow_key(session):
    """Arrow keys move the crosshair by one device pixel (ten with Shift); Return or
    keypad Enter picks the pixel under it. From an even (red) column, an odd number
    of device pixels to the right is blue."""
    windows = stripes_everywhere(session)
    rows = ((session.outputs[0], 200, 150, (("shift+Right", 10), ("Right", 11)), "KP_Enter"),
            (session.outputs[1], 300, 151, (("Right", 1),), "Return"))
    for output, x, y, moves, enter in rows:
        session.park_pointer()  # off the pixels the next capture is picked from
        colours = truth(session, output, [(x, y), (x + 1, y)])
        if (colours[(x, y)], colours[(x + 1, y)]) != (RED, BLUE):
            raise Failure(f"{output.name}: {x},{y} and its right neighbour are not red and blue: {colours}")
        pick = Pick(session, f"pick-arrow-{output.name}")
        pick.wait_for_loupe(output, x, y)
        for key, moved in moves:
            session.keys(key)
            # The crosshair's lower arm is now `moved` columns to the right.
            arm = crosshair_arm(output, x + moved, y)
            wait_until(f"the crosshair {moved} device pixels right on {output.name} after {key}",
                       lambda: session.screenshot(f"arrow-{output.name}", output=output.name).pixel(*arm) == WHITE)
        session.keys(enter)
        pick.expect_colour(BLUE)
        no_press(windows)
        # The frozen screen kept neither the pointer nor the keyboard: a click now
        # reaches the window beneath, and the keys then go to it.
        session.move_pointer_to_device_pixel(output.name, x, y)
        session.click()
        press = windows[output.name].wait_for_line(f"the click after the pick on {output.name}",
                                                   lambda line: line.startswith("press "))
        if [int(float(value)) for value in press.split()[2:4]] != [x, y]:
            raise Failure(f"the click after the pick arrived as {press!r}")
        session.keys("a")
        windows[output.name].wait_for_line(f"a key after the pick on {output.name}", lambda line: line == "key A")


def sample_case(output_index, **environment):
    """--sample takes the mean in linear light of the device pixels around the crosshair
    (grim's are the truth), shrunk at the output's edge, by a click and by Return; S steps
    the size on the frozen screen."""
    def case(session):
        stripes_everywhere(session)
        output = session.outputs[output_index]
        rows = ((200, 150, "3", (), 3), (201, 150, "5", ("Return",), 5), (0, 150, "3", ("Return",), 3),
                (201, 150, "3", ("s", "Return"), 5))
        for index, (x, y, size, keys, n) in enumerate(rows):
            session.park_pointer()  # off the pixels the next capture is picked from
            square = sample_square(x, y, n, output.width, output.height)
            shot = session.screenshot(f"truth-sample-{index}", output=output.name)
            expected = linear_mean([shot.pixel(px, py) for px, py in square])
            pick = Pick(session, f"pick-sample-{index}", arguments=("--sample", size), **environment)
            pick.wait_for_loupe(output, x, y)
            if keys:
                session.keys(*keys)
            else:
                session.click()
            pick.expect_colour(expected)
    return case


def case_cursor_left_out(session):
    """Sway draws the cursor into the outputs' pixels, captures included; the frozen
    screen leaves it out. With the pointer resting over the stripe window's patch, the
    pixel under its hotspot and one inside the arrow's body are picked as the patch."""
    stripes_everywhere(session)
    output, x, y = session.outputs[0], 480, 200
    for name, keys in (("hotspot", ()), ("arrow", ("Right",) * 3 + ("Down",) * 8)):
        session.move_pointer_to_device_pixel(output.name, x, y)
        wait_until("the cursor drawn over the patch",
                   lambda: session.screenshot("cursor", output=output.name).pixel(x + 3, y + 8) != PATCH)
        pick = Pick(session, f"pick-under-cursor-{name}")
        pick.wait_for_frozen()
        session.keys(*keys, "Return")
        pick.expect_colour(PATCH)


def case_frozen_covers_every_output(session):
    """The frozen screen lies over each whole output: with the windows beneath gone,
    every output still shows them, pixel for pixel; after Escape, the desktop again."""
    windows = stripes_everywhere(session)
    before = {output.name: session.screenshot(f"before-{output.name}", output=output.name)
              for output in session.outputs}
    pick = Pick(session, "pick-frozen")
    pick.wait_for_frozen()
    for window in windows.values():
        window.process.terminate()
        window.process.wait(timeout=5)
    wait_until("the stripe windows to leave sway's tree", lambda: not session.windows())
    for output in session.outputs:
        shot = session.screenshot(f"frozen-{output.name}", output=output.name)
        # Rows 0 and 1: far from the parked pointer, where a crosshair might show.
        for y in (0, 1):
            for x in range(output.width):
                if shot.pixel(x, y) != before[output.name].pixel(x, y):
                    raise Failure(f"{output.name} shows {shot.pixel(x, y)} at {x},{y} over the frozen screen, "
                                  f"where the capture has {before[output.name].pixel(x, y)}")
    session.keys("Escape")
    pick.expect("Escape", 1)
    for output in session.outputs:
        wait_until(f"the desktop on {output.name} again",
                   lambda: session.screenshot(f"after-{output.name}", output=output.name).pixel(10, 10) == BACKGROUND)


def outputs_change(change, reason, **environment):
    """An output added or resized while the frozen screen shows ends the pick with the
    reason (sway 1.7 can neither remove nor disable a headless output: "output NAME
    disable" answers success and leaves it on; a new scale changes its size just as well)."""
    def case(session):
        session.write_settings(RZLoggingEnabled="true")
        pick = Pick(session, "pick-outputs-change", **environment)
        pick.wait_for_frozen()
        session.swaymsg(change)
        pick.expect(f"after {change!r}", 2, reason=reason)
        # Nothing of ours is left over the outputs that remain.
        first = session.outputs[0]
        wait_until("the desktop on the first output again",
                   lambda: session.screenshot("after-change", output=first.name).pixel(10, 10) == BACKGROUND)
    return case


def case_xwayland_own_process(session):
    pick_columns(session, "HEADLESS-2", [(301, 151)], **xwayland(session))


def case_xwayland_running_instance(session):
    windows = stripes_everywhere(session)
    session.start_running_vellico(**xwayland(session))
    output = session.outputs[0]
    colours = truth(session, output, [(200, 150)])
    pick = Pick(session, "pick-running", running=True, **xwayland(session))
    pick.wait_for_loupe(output, 200, 150)
    session.click()
    pick.expect_colour(colours[(200, 150)])
    no_press(windows)
    if session.vellico.poll() is not None:
        raise Failure("the running vellico ended after the pick")


def case_forced_none_says_why(session):
    """A path forced off (or one the session lacks) fails at once with the reason, status 2."""
    for environment, words in (({"VELLICO_PICK_PATH": "none"}, "forced by VELLICO_PICK_PATH"),
                               ({"VELLICO_PICK_PATH": "portal-screenshot"}, "portal-screenshot")):
        result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False,
                             **environment)
        check_pick(str(environment), result, 2, reason=words)


def case_running_stays_responsive(session):
    """While the running Vellico shows the frozen screen, it still answers: a second
    --pick waits for the first (the log says so, and it does not end). Escape ends the
    first alone; the second's frozen screen comes up after it, and Escape ends that one."""
    session.start_running_vellico()
    first = Pick(session, "pick-first", running=True)
    first.wait_for_frozen()
    second = Pick(session, "pick-second", running=True)
    wait_until("the second pick waiting", lambda: "the new one waits for it" in session.vellico_output()
               or second.client.process.poll() is not None, timeout=PICK_TIMEOUT)
    if second.client.process.poll() is not None:
        raise Failure(f"the second --pick ended at once with status {second.client.process.returncode}: "
                      f"{session.log('pick-second')[-800:]}")
    session.keys("Escape")
    first.expect("Escape on the first", 1)
    wait_until("the second pick's frozen screen", lambda: session.vellico_output().count("The frozen screen shows") == 2
               or second.client.process.poll() is not None, timeout=PICK_TIMEOUT)
    if second.client.process.poll() is not None:
        raise Failure(f"the second --pick ended with the first, status {second.client.process.returncode}")
    session.keys("Escape")
    second.expect("Escape on the second", 1)
    if session.vellico.poll() is not None:
        raise Failure("the running vellico ended")


def case_running_client_ended(session):
    """A --pick handed to the running Vellico and then ended (timeout's SIGTERM, Ctrl+C's
    SIGINT, or SIGKILL, which only closes its connection) ends at once, with status 1
    where it can still say so, and the running Vellico takes its frozen screen down
    within a second: the next --pick gets a frozen screen of its own."""
    session.start_running_vellico()
    for number, expected in ((signal.SIGTERM, 1), (signal.SIGINT, 1), (signal.SIGKILL, -signal.SIGKILL)):
        name = f"pick-{number.name}"
        shown = session.vellico_output().count("The frozen screen shows") + 1
        pick = Pick(session, name, running=True)
        wait_until(f"the frozen screen for the pick to end by {number.name}",
                   lambda: session.vellico_output().count("The frozen screen shows") == shown, timeout=PICK_TIMEOUT)
        pick.client.process.send_signal(number)
        try:
            status = pick.client.process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            raise Failure(f"--pick still runs 3 s after {number.name}")
        if status != expected:
            raise Failure(f"--pick ended with status {status} on {number.name}, not {expected}")
        wait_until(f"the running Vellico to cancel the pick after {number.name}",
                   lambda: "Cancelling the pick under way." in session.vellico_output().split(
                       "The frozen screen shows")[shown], timeout=1)
    last = Pick(session, "pick-after", running=True)
    wait_until("the frozen screen for the pick after", lambda: session.vellico_output().count(
        "The frozen screen shows") == 4, timeout=PICK_TIMEOUT)
    session.keys("Escape")
    last.expect("Escape on the pick after", 1)
    if session.vellico.poll() is not None:
        raise Failure("the running vellico ended")


def case_running_pick_copies(session):
    """`vellico --pick --copy` in the running Vellico: a click on the frozen screen is
    no input in Qt's windows, and the copy still replaces what another program offers."""
    windows = stripes_everywhere(session)
    session.start_running_vellico()
    output = session.outputs[0]
    colour = truth(session, output, [(200, 150)])[(200, 150)]
    session.offer_clipboard("another program's text")
    pick = Pick(session, "pick-copy", running=True, arguments=("--copy",))
    pick.wait_for_loupe(output, 200, 150)
    session.click()
    pick.expect_colour(colour)
    no_press(windows)
    # The copy format's default: the hex digits without the #.
    wait_until(f"{colour} copied after the pick", lambda: (session.clipboard() or "").upper() == colour[1:].upper())


def diagnosis(session, **environment):
    result = session.run([os.environ["VELLICO_BINARY"], "--diagnose"], timeout=PICK_TIMEOUT, **environment)
    if not environment:
        session.keep_text("diagnose", result.stdout + result.stderr)
    lines = dict(line.split(": ", 1) for line in result.stdout.splitlines() if ": " in line)
    for key in ("session", "desktop services", "screen picking", "global shortcut", "tray", "Shift tracking"):
        if key not in lines:
            raise Failure(f"--diagnose says nothing of {key}:\n{result.stdout}")
    return lines


def case_diagnose(session):
    for where, environment in (("natively", {}), ("on XWayland", xwayland(session))):
        lines = diagnosis(session, **environment)
        if (not lines["session"].startswith("Wayland")
                or not lines["screen picking"].startswith("frozen screencopy loupe")
                or not lines["Shift tracking"].startswith("off")
                or not lines["picking path the session offers"].startswith("screencopy ")):
            raise Failure(f"{where}: {lines}")
        # Natively, sway binds no keys for programs and no tray runs, so the window stands in for the icon.
        if not environment and (not lines["global shortcut"].startswith("off: no desktop portal offers "
                                                                         "GlobalShortcuts")
                                or not lines["tray"].startswith("none: ")):
            raise Failure(f"natively: {lines}")


CASES = {
    "diagnose": case_diagnose,
    "pick-x1": case_pick_x1,
    "pick-x2": case_pick_x2,
    "pick-x1.5": case_pick_x1_5,
    "pick-escape": case_escape,
    "pick-arrow-key": case_arrow_key,
    "pick-sample": sample_case(0),
    "pick-cursor-left-out": case_cursor_left_out,
    "pick-xwayland": case_xwayland_own_process,
    "pick-frozen-covers-every-output": case_frozen_covers_every_output,
    "pick-output-rescaled": outputs_change("output HEADLESS-2 scale 1", "output HEADLESS-2 changed its size"),
    "pick-output-added": outputs_change("create_output", "an output was added or removed"),
    "pick-forced-none-says-why": case_forced_none_says_why,
    "pick-running-stays-responsive": case_running_stays_responsive,
    "pick-xwayland-running": case_xwayland_running_instance,
    "pick-running-copies": case_running_pick_copies,
    "pick-running-client-ended": case_running_client_ended,
}

# A x1 output beside a x1.5 one, for the viewport's sake.
FRACTIONAL_OUTPUTS = (
    Output("HEADLESS-1", 640, 400, 0, 0, 1),
    Output("HEADLESS-2", 960, 600, 640, 0, 1.5),
)

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: WaylandSession(name, outputs=FRACTIONAL_OUTPUTS)
                      if name == "pick-x1.5" else WaylandSession(name)))
