#!/usr/bin/env python3
"""Smoke tests of the Wayland desktop harness itself: that grim sees the exact
device pixels a client painted on a x1 and a x2 output, and the cursor only
where the harness leaves it; that our virtual pointer and wtype reach a client
where the harness says, a native one and an X client through XWayland; that the
clipboard goes both ways; that a status icon shows in waybar's tray and takes
clicks; and that the desktop portal answers a screenshot request.

    wayland_smoke.py CASE      with VELLICO_WL_VPOINTER and VELLICO_STRIPE_WINDOW set
"""

import os
import re
import struct
import subprocess
import sys
from urllib.parse import unquote, urlparse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import BACKGROUND, Image, WaylandSession, run_case  # noqa: E402
from vellico_e2e import Failure, wait_until  # noqa: E402

PORTAL_CLIENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "portal_screenshot.py")
RED, BLUE, PATCH = "#FF0000", "#0000FF", "#20C040"
TRAY_ICON = "#FF8000"  # the stripe window's status icon


def expected_colour(x, width):
    """What the stripe window paints at device column x of a window `width` device pixels wide."""
    if x >= width // 2:
        return PATCH
    return RED if x % 2 == 0 else BLUE


def start_stripes(session, output_name, through_xwayland=False):
    """The stripe window fullscreen on an output, once grim sees it there; the Client.
    Through XWayland it is an X client, fullscreen where sway opens it (the focused
    output), and sees the output in logical pixels."""
    output = session.output(output_name)
    session.focus_output(output_name)
    if through_xwayland:
        window = session.start_client([os.environ["VELLICO_STRIPE_WINDOW"]], name=f"x-stripes-{output_name}",
                                      QT_QPA_PLATFORM="xcb", DISPLAY=session.x_display())
        size = (int(output.width / output.scale), int(output.height / output.scale), 1.0)
    else:
        window = session.start_client([os.environ["VELLICO_STRIPE_WINDOW"], "--output", output_name],
                                      name=f"stripes-{output_name}")
        size = (output.width, output.height, float(output.scale))
    # A first paint may come before the window is fullscreen.
    ready = window.wait_for_line(f"the stripe window to paint {size}", lambda line: line.startswith("ready ") and (
        int(line.split()[2]), int(line.split()[3]), float(line.split()[4])) == size)
    if not through_xwayland and ready.split()[1] != output_name:
        raise Failure(f"the window painted {ready!r} for {output}")

    def covered():
        shot = session.screenshot(f"wait-{output_name}", output=output_name)
        # Not the bottom-right corner: a parked cursor sits there.
        corners = [(0, 0), (1, 0), (output.width - 1, 0), (0, output.height - 1)]
        return all(shot.pixel(x, y) == expected_colour(x, output.width) for x, y in corners)
    wait_until(f"the stripes to cover {output_name}", covered)
    placed = session.windows().get(window.process.pid)
    if placed != (output_name, True):
        raise Failure(f"sway shows the window on {placed}, not fullscreen on {output_name}")
    return window


def first_wrong_pixel(session, output, rows, name):
    """The first device pixel of `rows` of a fresh screenshot of `output` that differs from
    what the stripe window painted, as a message; None when every pixel is right."""
    shot = session.screenshot(name, output=output.name)
    if (shot.width, shot.height) != (output.width, output.height):
        return f"grim gave {shot.width}x{shot.height} for {output}"
    for y in rows:
        for x in range(output.width):
            expected = expected_colour(x, output.width)
            if shot.pixel(x, y) != expected:
                return f"{output.name} device pixel {x},{y} is {shot.pixel(x, y)}, painted {expected}"
    return None


def check_rows(session, rows_of, name, outputs=None):
    """Waits until every output (or those given) shows exactly the painted pixels on the
    rows `rows_of(output)`."""
    for output in outputs or session.outputs:
        last = []

        def exact():
            last[:] = [first_wrong_pixel(session, output, rows_of(output), f"{name}-{output.name}")]
            return last[0] is None
        try:
            wait_until(f"exact pixels on {output.name}", exact, timeout=5)
        except Failure:
            raise Failure(f"{name}: {last[0]}")


def expect_clicks(session, window, output, clicks):
    """Clicks each (x, y, button) at that device pixel of `output`; the window must see
    each press there."""
    for x, y, button in clicks:
        session.move_pointer_to_device_pixel(output.name, x, y)
        session.click(button)
        press = window.wait_for_line(f"the {button} click at {x},{y} on {output.name}",
                                     lambda line: line.startswith("press "))
        _, got_button, got_x, got_y = press.split()
        if got_button != button or (int(float(got_x)), int(float(got_y))) != (x, y):
            raise Failure(f"a {button} click on device pixel {x},{y} of {output.name} arrived as {press!r}")


def expect_keys(window, expected):
    """The window reports the keys `expected` ("A", "Ctrl+V", "Esc"...) in turn."""
    for name in expected:
        key = window.wait_for_line(f"the key {name}", lambda line: line.startswith("key "))
        if key != f"key {name}":
            raise Failure(f"{name} arrived as {key!r}")


def case_stripes_exact(session):
    for output in session.outputs:
        if session.pixel(output.name, output.width // 2, output.height // 2) != BACKGROUND:
            raise Failure(f"{output.name} does not show the background {BACKGROUND}")
    for output in session.outputs:
        start_stripes(session, output.name)
    # Every output keeps drawing the cursor where it last was on it: over the middle
    # row of each output's stripes, then parked, it covers only the bottom-right corners.
    def over_the_middles():
        for output in session.outputs:
            x, y, width, height = output.logical
            session.move_pointer(x + width / 4, y + height / 2)
    over_the_middles()
    session.park_pointer()
    check_rows(session, lambda output: (0, 1, output.height // 2, output.height - 16), "parked")
    # Hidden, no capture shows it anywhere.
    over_the_middles()
    session.hide_cursor()
    check_rows(session, lambda output: (0, 1, output.height // 2, output.height // 2 + 1, output.height - 1),
               "hidden-cursor")
    # The whole layout comes at the greatest scale: the x1 output magnified, and
    # filtered on the way (stripes blur), so exact pixels need one output's shot.
    whole = session.screenshot("layout")
    left, top, width, height = session.layout()
    scale = max(output.scale for output in session.outputs)
    if (whole.width, whole.height) != (width * scale, height * scale):
        raise Failure(f"the layout's screenshot is {whole.width}x{whole.height}, not {width}x{height} x{scale:g}")
    for output in session.outputs:
        x, y, logical_width, logical_height = output.logical
        inside_patch = (int((x - left + logical_width * 3 / 4) * scale), int((y - top + logical_height / 2) * scale))
        if whole.pixel(*inside_patch) != PATCH:
            raise Failure(f"the layout's screenshot shows {whole.pixel(*inside_patch)} inside {output.name}'s patch")


def case_pointer_and_keys(session):
    windows = {output.name: start_stripes(session, output.name) for output in session.outputs}
    # Odd and even device pixels, on each output; at x2 the odd ones lie between logical pixels.
    for output in session.outputs:
        window = windows[output.name]
        expect_clicks(session, window, output, ((301, 151, "left"), (300, 40, "right"), (7, 3, "left")))
        for other in session.outputs:
            if other.name != output.name and any(l.startswith("press") for l in windows[other.name].read_lines()):
                raise Failure(f"a click on {output.name} reached the window on {other.name}")

        # The click gave the window the keyboard: wtype's keys arrive there.
        session.keys("a", "shift+b", "ctrl+v", "Escape", "Left")
        expect_keys(window, ("A", "Shift+B", "Ctrl+V", "Esc", "Left"))
        session.type_text("x1")
        expect_keys(window, ("X", "1"))

        # The clipboard between the focused window and other programs, both ways.
        offered = f"#336699 for {output.name}"
        session.offer_clipboard(offered)
        session.keys("ctrl+v")
        pasted = window.wait_for_line("the pasted text", lambda line: line.startswith("pasted"))
        if pasted != f"pasted {offered}":
            raise Failure(f"the window pasted {pasted!r}, not {offered!r}")
        session.keys("ctrl+c")
        wait_until("the window's copy for wl-paste", lambda: session.clipboard() == "copied by the stripes")


def case_xwayland_client(session):
    """An X client through sway's XWayland, on the x1 output: its pixels exact, the
    pointer and the keys reaching it where the harness says."""
    output = session.outputs[0]
    window = start_stripes(session, output.name, through_xwayland=True)
    session.park_pointer()
    check_rows(session, lambda checked: (0, 1, checked.height // 2, checked.height - 16), "xwayland", [output])
    expect_clicks(session, window, output, ((301, 151, "left"), (6, 3, "left")))
    session.keys("ctrl+v", "Escape")
    expect_keys(window, ("Ctrl+V", "Esc"))


def case_tray_item(session):
    """A status icon shows in waybar's tray, and a click and a middle click on it reach
    its program."""
    program = session.start_client([os.environ["VELLICO_STRIPE_WINDOW"], "--tray"], name="tray-icon")
    available = program.wait_for_line("the tray's answer", lambda line: line.startswith("tray "))
    if available != "tray available":
        raise Failure(f"Qt says {available!r} with waybar's tray running")
    first = session.outputs[0]
    icon = wait_until("the orange icon in the tray",
                      lambda: session.screenshot("tray", output=first.name).find(TRAY_ICON, session.tray_region()))
    left, top, right, bottom = icon
    if right - left + 1 != 20 * first.scale or bottom - top + 1 != 20 * first.scale:
        raise Failure(f"the icon covers {icon}, not 20 x 20 logical pixels")
    session.move_pointer(first.x + (left + right + 1) / 2 / first.scale, first.y + (top + bottom + 1) / 2 / first.scale)
    for button, reason in (("left", "3"), ("middle", "4")):
        session.click(button)
        activated = program.wait_for_line(f"the {button} click on the icon", lambda line: line.startswith("activated"))
        if activated != f"activated {reason}":
            raise Failure(f"a {button} click on the icon arrived as {activated!r}")


def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        raise Failure(f"{path} is no PNG")
    return struct.unpack(">II", header[16:24])


def case_portal_screenshot(session):
    asked = session.run(["/usr/bin/python3", PORTAL_CLIENT, "--timeout", "10"], timeout=20, check=False)
    answer = re.fullmatch(r"response (\d+) (\S*)", asked.stdout.strip())
    if not answer:
        raise Failure(f"the portal gave no answer: {asked.stdout.strip()} {asked.stderr.strip()}")
    if answer.group(1) != "0":
        raise Failure(f"the portal refused the screenshot: {asked.stdout.strip()}")
    uri = answer.group(2)
    if not uri.startswith("file://"):
        raise Failure(f"the response holds no file uri: {asked.stdout.strip()}")
    path = unquote(urlparse(uri).path)
    try:
        left, top, width, height = session.layout()
        scale = max(output.scale for output in session.outputs)
        if png_size(path) != (width * scale, height * scale):
            raise Failure(f"the portal's screenshot {path} is {png_size(path)}, not the layout at x{scale:g}")
        # Nothing but the background is on screen: the middle of every output shows it.
        converted = os.path.join(session.home, "shots", "portal.ppm")
        subprocess.run(["convert", path, f"ppm:{converted}"], check=True, capture_output=True, timeout=20)
        shot = Image(converted)
        for output in session.outputs:
            x, y, logical_width, logical_height = output.logical
            centre = (int((x - left + logical_width / 2) * scale), int((y - top + logical_height / 2) * scale))
            if shot.pixel(*centre) != BACKGROUND:
                raise Failure(f"the portal's screenshot shows {shot.pixel(*centre)} amid {output.name}")
    finally:
        # The backend writes to a fixed path: leave nothing for the next run.
        if os.path.exists(path):
            os.remove(path)


CASES = {
    "stripes-exact": case_stripes_exact,
    "pointer-and-keys": case_pointer_and_keys,
    "xwayland-client": case_xwayland_client,
    "tray-item": case_tray_item,
    "portal-screenshot": case_portal_screenshot,
}

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: WaylandSession(name, portal=name.startswith("portal"),
                                                         tray=name.startswith("tray"))))
