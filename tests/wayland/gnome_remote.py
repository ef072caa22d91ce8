#!/usr/bin/python3
"""The user of a headless GNOME Shell for the tests, run as the session's user on
its bus: keys and the pointer through mutter's RemoteDesktop D-Bus API (absolute
motion through a ScreenCast stream of the monitor linked to it), and screenshots
through the shell's own Screenshot D-Bus API, which answers only callers that
own one of a few names (this one owns org.gnome.Screenshot). One command a line
on standard input, "ok" or "error WHY" on standard output for each:

    move X Y            the pointer to X, Y of the monitor (its stream's pixels)
    nudge               a motion by zero pixels: the pointer stays where it is
    button BUTTON       press and release a button (Linux code: 272 is the left one)
    key NAME            press and release a key (Escape, Right, ctrl+comma: KEYSYMS names them)
    shot PATH           the whole stage without the cursor, as an 8-bit binary PPM

It prints "ready" once the session has started and the stream is there.

    gnome_remote.py [--scale 2]    first the monitor at that scale
"""

import sys

import gi

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, Gio, GLib  # noqa: E402

BUS_NAME = "org.gnome.Screenshot"
KEYSYMS = {"Escape": 0xFF1B, "Return": 0xFF0D, "Left": 0xFF51, "Up": 0xFF52, "Right": 0xFF53, "Down": 0xFF54,
           "comma": 0x2C, "ctrl": 0xFFE3, "shift": 0xFFE1}


def call(bus, name, path, interface, method, parameters=None, reply=None):
    # A shell still starting on busy cores may take its time.
    return bus.call_sync(name, path, interface, method, parameters,
                         GLib.VariantType(reply) if reply else None, Gio.DBusCallFlags.NONE, 30000, None)


def set_scale(bus, scale):
    """The one monitor at `scale`, for as long as the shell runs (in mutter's physical
    layout mode, its own without the experimental framebuffer scaling)."""
    config = ("org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig", "org.gnome.Mutter.DisplayConfig")
    serial, monitors, _, _ = call(bus, *config, "GetCurrentState", None,
                                  "(ua((ssss)a(siiddada{sv})a{sv})a(iiduba(ssss)a{sv})a{sv})").unpack()
    (connector, *_), modes, _ = monitors[0]
    mode = next((mode for mode in modes if mode[6].get("is-current")), modes[0])
    logical = [(0, 0, float(scale), 0, True, [(connector, mode[0], {})])]
    # Temporary: nothing of it outlives the shell.
    call(bus, *config, "ApplyMonitorsConfig", GLib.Variant(
        "(uua(iiduba(ssa{sv}))a{sv})", (serial, 1, logical, {})))


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    if sys.argv[1:2] == ["--scale"]:
        try:
            set_scale(bus, float(sys.argv[2]))
        except (GLib.Error, RuntimeError) as error:
            print(f"error {error}", flush=True)
            return 1
    owned = call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                 GLib.Variant("(su)", (BUS_NAME, 4)), "(u)").unpack()[0]
    if owned != 1:
        print(f"error {BUS_NAME} is taken ({owned})", flush=True)
        return 1
    remote = call(bus, "org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                  "org.gnome.Mutter.RemoteDesktop", "CreateSession", None, "(o)").unpack()[0]
    session_id = call(bus, "org.gnome.Mutter.RemoteDesktop", remote, "org.freedesktop.DBus.Properties", "Get",
                      GLib.Variant("(ss)", ("org.gnome.Mutter.RemoteDesktop.Session", "SessionId")),
                      "(v)").unpack()[0]
    linked = {"remote-desktop-session-id": GLib.Variant("s", session_id)}
    cast = call(bus, "org.gnome.Mutter.ScreenCast", "/org/gnome/Mutter/ScreenCast", "org.gnome.Mutter.ScreenCast",
                "CreateSession", GLib.Variant("(a{sv})", (linked,)), "(o)").unpack()[0]
    # The empty connector: the primary monitor.
    stream = call(bus, "org.gnome.Mutter.ScreenCast", cast, "org.gnome.Mutter.ScreenCast.Session", "RecordMonitor",
                  GLib.Variant("(sa{sv})", ("", {"cursor-mode": GLib.Variant("u", 0)})), "(o)").unpack()[0]
    loop = GLib.MainContext.default()
    added = []
    bus.signal_subscribe("org.gnome.Mutter.ScreenCast", "org.gnome.Mutter.ScreenCast.Stream", "PipeWireStreamAdded",
                         stream, None, Gio.DBusSignalFlags.NONE, lambda *args: added.append(True))
    call(bus, "org.gnome.Mutter.RemoteDesktop", remote, "org.gnome.Mutter.RemoteDesktop.Session", "Start")
    deadline = GLib.get_monotonic_time() + 30 * 1000000
    while not added and GLib.get_monotonic_time() < deadline:
        loop.iteration(True)
    if not added:
        print("error the ScreenCast stream did not start (is PipeWire running?)", flush=True)
        return 1

    def session(method, signature, *values):
        call(bus, "org.gnome.Mutter.RemoteDesktop", remote, "org.gnome.Mutter.RemoteDesktop.Session", method,
             GLib.Variant(signature, values))

    print("ready", flush=True)
    for line in sys.stdin:
        words = line.split()
        try:
            if words[0] == "move":
                session("NotifyPointerMotionAbsolute", "(sdd)", stream, float(words[1]), float(words[2]))
            elif words[0] == "nudge":
                session("NotifyPointerMotionRelative", "(dd)", 0.0, 0.0)
            elif words[0] == "button":
                session("NotifyPointerButton", "(ib)", int(words[1]), True)
                session("NotifyPointerButton", "(ib)", int(words[1]), False)
            elif words[0] == "key":
                keys = [KEYSYMS[name] for name in words[1].split("+")]
                for keysym in keys:
                    session("NotifyKeyboardKeysym", "(ub)", keysym, True)
                for keysym in reversed(keys):
                    session("NotifyKeyboardKeysym", "(ub)", keysym, False)
            elif words[0] == "shot":
                answer = call(bus, "org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot",
                              "org.gnome.Shell.Screenshot", "Screenshot",
                              GLib.Variant("(bbs)", (False, False, words[1] + ".png")), "(bs)").unpack()
                if not answer[0]:
                    raise RuntimeError("the shell took no screenshot")
                picture = GdkPixbuf.Pixbuf.new_from_file(answer[1])
                width, height, stride = picture.get_width(), picture.get_height(), picture.get_rowstride()
                channels = picture.get_n_channels()
                pixels = picture.get_pixels()
                with open(words[1], "wb") as out:
                    out.write(b"P6\n%d %d\n255\n" % (width, height))
                    for y in range(height):
                        row = pixels[y * stride:y * stride + width * channels]
                        rgb = bytearray(width * 3)
                        for channel in range(3):  # whatever the alpha: the shell's pictures are opaque
                            rgb[channel::3] = row[channel::channels]
                        out.write(rgb)
            else:
                raise RuntimeError(f"unknown command {words[0]}")
            # Let mutter act on it before the next command.
            call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId")
            print("ok", flush=True)
        except (GLib.Error, RuntimeError, KeyError, IndexError, ValueError) as error:
            print(f"error {error}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
