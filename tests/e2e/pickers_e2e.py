#!/usr/bin/env python3
"""Desktop tests of the colour pickers in the real program's main window.

    pickers_e2e.py CASE      with VELLICO_BINARY set

The pickers are recognised on screenshots by what they draw for the selection
#FFFEFD (hue 30°): the square has dark oranges, the wheel every hue, the HSB
sliders a full orange, the RGB and CMYK sliders a cyan track whose saturated
end lies on opposite sides, the grayscale slider a black-to-white ramp and
nothing saturated. The wheel is found by its pure red and pure cyan pixels,
the ends of the row through its centre, so no window offsets are assumed.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vellico_e2e  # noqa: E402
from vellico_e2e import (Failure, Picture, Session, click_icon, clipboard,  # noqa: E402
                         has_input_focus, main_window, offer_clipboard, wait_until)

PICKERS = ["CMYK Sliders", "Color Square", "Color Wheel", "Grayscale", "HSB Sliders", "RGB Sliders"]
WHEEL_RADIUS = 94  # the knob's largest distance from the centre, in pixels at scale 1


# -- screenshots ------------------------------------------------------------------

def has_ramp(picture, region):
    """Whether some row holds a grey ramp from black to white, left to right."""
    left, top, right, bottom = region
    for y in range(top, bottom):
        start = None
        previous = None
        for x in range(left, right):
            r, g, b = picture.pixel(x, y)
            grey = max(r, g, b) - min(r, g, b) <= 2
            if grey and start is not None and 0 <= r - previous <= 8:
                previous = r
                if previous >= 235 and x - start >= 60:
                    return True
                continue
            start, previous = (x, r) if grey and r <= 20 else (None, None)
    return False


# How far below the window's top the pickers end (the readout starts there): the
# rows under the canvas show colours of their own (shades, recent colours, the lane).
PICKERS_BOTTOM = 260


def window_region(window):
    """The part of the window the pickers are drawn in."""
    left, top, width, height, _ = window
    return (left, top, left + width, top + min(height, PICKERS_BOTTOM))


def shown_picker(picture, window):
    """Which picker the window shows with #FFFEFD selected, or else what it shows instead."""
    region = window_region(window)
    # The square first: its hue slider shows every hue, as the wheel does, but
    # only its plane has the dark oranges.
    if picture.find((128, 64, 0), region, 12):
        return "Color Square"
    if picture.find((0, 255, 0), region, 10):
        return "Color Wheel"
    if picture.find((255, 128, 0), region, 12):
        return "HSB Sliders"
    cyan = picture.find((0, 255, 255), region, 10)
    if cyan:
        # The red track of the RGB sliders runs from cyan (red 0) to the selection;
        # the cyan track of the CMYK sliders from the selection to cyan.
        y = (cyan[1] + cyan[3]) // 2

        def pale_cyan(x):
            r, g, b = picture.pixel(x, y)
            return 40 < r < 250 and g >= 240 and b >= 240
        if pale_cyan(cyan[2] + 30):
            return "RGB Sliders"
        if pale_cyan(cyan[0] - 30):
            return "CMYK Sliders"
        return "cyan of no known track"
    if has_ramp(picture, region):
        return "Grayscale"
    return "no picker known by its colours"


def find_wheel(session, window, name):
    """(centre x, centre y, picture) of the wheel on a fresh screenshot, drawn at full brightness."""
    def look():
        picture = Picture(session, session.screenshot(name))
        region = window_region(window)
        red = picture.find((255, 0, 0), region)
        cyan = picture.find((0, 255, 255), region)
        if not red or not cyan or red[1] != red[3] or cyan[1] != red[1]:
            return None
        # Hue 0 and hue 0.5 lie on the row through the centre, at the rim.
        right, left = red[2], cyan[0]
        if right - left != 2 * WHEEL_RADIUS:
            raise Failure(f"the wheel's rim pixels are {right - left} apart, not {2 * WHEEL_RADIUS}")
        return (left + right) // 2, red[1], picture
    return wait_until("the colour wheel at full brightness", look)


def hsv_to_rgb(h, s, v):
    """The colour model's conversion: six sectors of the hue, channels 0–1."""
    if s == 0:
        return v, v, v
    x = h * 6
    i = math.floor(x)
    f = x - i
    p, q, t = v * (1 - s), v * (1 - f * s), v * (1 - (1 - f) * s)
    return [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][int(i) % 6]


# -- the program -------------------------------------------------------------------

def open_window(session):
    click_icon(session)
    window = wait_until("the main window", lambda: main_window(session))
    wait_until("the window to take the keyboard focus", lambda: has_input_focus(session, window[4]))
    return window


def paste(session, text):
    offer_clipboard(session, text)
    session.x("xdotool", "key", "ctrl+v")


def copy(session, expected, what):
    """Ctrl+C; the copied text must become `expected` and the window close."""
    session.x("xdotool", "key", "ctrl+c")
    try:
        wait_until(f"{expected} on the clipboard ({what})", lambda: clipboard(session) == expected, timeout=5)
    except Failure as failure:
        raise Failure(f"{failure}; the clipboard holds {clipboard(session)!r}")
    wait_until("the window to close after the copy", lambda: main_window(session) is None)



def click(session, x, y):
    session.x("xdotool", "mousemove", str(x), str(y), "click", "1")


# -- the cases ------------------------------------------------------------------------

def remembered_picker_case(name):
    slug = name.lower().replace(" ", "-")

    def case(session):
        session.write_settings(RZLastUsedColorPickerName=name)
        session.start_vellico()
        window = open_window(session)
        paste(session, "#FFFEFD")

        def shows():
            seen = shown_picker(Picture(session, session.screenshot(slug)), window)
            return seen if seen == name else None
        try:
            wait_until(f"the window to show {name}", shows, timeout=5)
        except Failure:
            seen = shown_picker(Picture(session, session.screenshot(slug)), window)
            raise Failure(f"the window shows {seen}, not the remembered {name}")
        # The fields show rounded numbers; none of that comes back into the selection.
        copy(session, "FFFEFD", f"with {name}")
        session.quit()
    return f"picker-remembered-{slug}", case


def case_wheel_down_keys(session):
    session.write_settings(RZLastUsedColorPickerName="Color Wheel")
    session.start_vellico()
    open_window(session)
    paste(session, "#FFFFFF")
    session.x("xdotool", "key", "--delay", "10", *["Down"] * 51)
    session.screenshot("after-51-downs")
    copy(session, "CCCCCC", "51 presses of Down from white")
    session.quit()


def case_wheel_rim_clicks(session):
    session.start_vellico()  # the wheel is the first picker
    window = open_window(session)
    paste(session, "#FFFFFF")
    x, y, picture = find_wheel(session, window, "wheel-white")

    # What the window shows is the model's colour of each pixel's centre.
    for degrees, saturation in ((0, 0.5), (60, 0.9), (135, 0.3), (200, 0.75), (300, 0.6)):
        angle = math.radians(degrees)
        dx = round(math.cos(angle) * saturation * WHEEL_RADIUS)
        dy = round(-math.sin(angle) * saturation * WHEEL_RADIUS)
        hue = (math.atan2(-dy, dx) / (2 * math.pi)) % 1
        expected = [round(255 * c) for c in hsv_to_rgb(hue, math.hypot(dx, dy) / WHEEL_RADIUS, 1)]
        shown = picture.pixel(x + dx, y + dy)
        if any(abs(a - b) > 2 for a, b in zip(shown, expected)):
            raise Failure(f"the wheel shows {shown} at {degrees}°, saturation {saturation}, not {expected}")

    click(session, x + WHEEL_RADIUS, y)
    copy(session, "FF0000", "a click on the right rim")

    window = open_window(session)
    paste(session, "#FFFFFF")  # the knob leaves the rim pixel it covers
    x, y, _ = find_wheel(session, window, "wheel-white-again")
    click(session, x, y - WHEEL_RADIUS)
    # Hue 0.25 at full saturation and brightness: the model gives (0.5, 1, 0),
    # and 0.5 × 255 = 127.5 rounds half away from zero to 0x80.
    copy(session, "80FF00", "a click on the top rim")
    session.quit()


def case_copy_after_field_focus(session):
    # Copy format 0: the hexadecimal text without the hash.
    session.write_settings(RZLastUsedColorPickerName="RGB Sliders")
    session.start_vellico()
    left, top, width, _, _ = open_window(session)
    paste(session, "rgb(51, 102, 153)")

    # The number fields: the white boxes in the right half of the picker area.
    def fields():
        picture = Picture(session, session.screenshot("fields"))
        return picture.find((255, 255, 255), (left + width // 2, top + 40, left + width - 8, top + 220))
    box = wait_until("the RGB picker's number fields", fields)
    click(session, box[0] + 8, box[1] + 6)  # the red field takes the focus; nothing is typed
    copy(session, "336699", "Ctrl+C after a click in a field")
    # Opened again, the window itself has the keys.
    open_window(session)
    paste(session, "#FF8000")
    copy(session, "FF8000", "Ctrl+V and Ctrl+C once the window is opened again")
    session.quit()


CASES = dict(remembered_picker_case(name) for name in PICKERS)
CASES["picker-copy-after-field-focus"] = case_copy_after_field_focus
CASES["picker-wheel-down-keys"] = case_wheel_down_keys
CASES["picker-wheel-rim-clicks"] = case_wheel_rim_clicks


if __name__ == "__main__":
    sys.exit(vellico_e2e.run_case(CASES))
