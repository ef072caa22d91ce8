#!/usr/bin/env python3
"""One output of KWin as a binary PPM in its device pixels, without the cursor,
through KWin's ScreenShot2 D-Bus interface (which writes the raw picture into a
pipe we hand it):

    kde_screenshot.py OUTPUT FILE.ppm

KWin answers callers its desktop files do not name only where it runs with
KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1, as the test session starts it.
"""

import os
import sys

from gi.repository import Gio, GLib

FORMATS = (4, 5, 6)  # QImage's RGB32, ARGB32, ARGB32_Premultiplied: 32-bit B, G, R, A in memory


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    output, path = sys.argv[1:]
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    read_end, write_end = os.pipe()
    descriptors = Gio.UnixFDList.new()
    index = descriptors.append(write_end)
    os.close(write_end)
    options = {"include-cursor": GLib.Variant("b", False), "native-resolution": GLib.Variant("b", True)}
    answer, _ = bus.call_with_unix_fd_list_sync(
        "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureScreen",
        GLib.Variant("(sa{sv}h)", (output, options, index)), GLib.VariantType("(a{sv})"), Gio.DBusCallFlags.NONE,
        10000, descriptors, None)
    descriptors = None  # our copy of the write end closes: KWin's is the last
    data = bytearray()
    while chunk := os.read(read_end, 1 << 20):
        data += chunk
    (results,) = answer.unpack()
    width, height, stride, kind = results["width"], results["height"], results["stride"], results["format"]
    if kind not in FORMATS or len(data) < stride * height:
        print(f"KWin answered {results} with {len(data)} bytes", file=sys.stderr)
        return 1
    pixels = bytearray(width * height * 3)
    for y in range(height):
        row = data[y * stride:y * stride + width * 4]
        at = y * width * 3
        pixels[at:at + width * 3:3] = row[2::4]
        pixels[at + 1:at + width * 3:3] = row[1::4]
        pixels[at + 2:at + width * 3:3] = row[0::4]
    with open(path + ".part", "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height) + pixels)
    os.replace(path + ".part", path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
