#!/usr/bin/env python3
"""A desktop portal of our own for tests: owns org.freedesktop.portal.Desktop on
the session bus and exports org.freedesktop.portal.Screenshot (version 2) with
PickColor and Screenshot, which answer as the test chooses:

    fake_portal.py color R G B   Response 0 with the color (R, G, B), 0-1 doubles,
                                 sent before PickColor's own reply (a caller that
                                 subscribes late misses it)
    fake_portal.py file PATH     Response 0 with the uri file://PATH (Screenshot)
    fake_portal.py cancel        Response 1 (the user cancelled)
    fake_portal.py other         Response 2 (ended some other way)
    fake_portal.py error         an error reply to PickColor
    fake_portal.py silent        the Request, and never a Response

It prints one line per event on standard output: "ready" once it owns the
name, "pick SENDER HANDLE" for each PickColor or Screenshot (HANDLE: the Request's path,
from the caller's unique name and handle_token, as the portal documents it),
"closed HANDLE" when the caller closes a Request. As the real portal, it sends
Response to the caller alone. Needs python3-gi.
"""

import sys

from gi.repository import Gio, GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
ERROR_NAME = "org.freedesktop.portal.Error.NotAllowed"
ERROR_MESSAGE = "picking colors is not allowed in this test"

INTERFACES = Gio.DBusNodeInfo.new_for_xml("""
<node>
  <interface name="org.freedesktop.portal.Screenshot">
    <method name="PickColor">
      <arg type="s" name="parent_window" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
    <method name="Screenshot">
      <arg type="s" name="parent_window" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.freedesktop.portal.Request">
    <method name="Close"/>
    <signal name="Response">
      <arg type="u" name="response"/>
      <arg type="a{sv}" name="results"/>
    </signal>
  </interface>
</node>""")
SCREENSHOT = INTERFACES.lookup_interface("org.freedesktop.portal.Screenshot")
REQUEST = INTERFACES.lookup_interface("org.freedesktop.portal.Request")


def say(line):
    print(line, flush=True)


def main():
    mode = sys.argv[1:]
    if not mode or mode[0] not in ("color", "file", "cancel", "other", "error", "silent") or \
            (mode[0] == "color") != (len(mode) == 4) or (mode[0] == "file") != (len(mode) == 2):
        print(__doc__, file=sys.stderr)
        return 2
    loop = GLib.MainLoop()
    requests = {}

    def respond(connection, sender, handle, code, results):
        connection.emit_signal(sender, handle, "org.freedesktop.portal.Request", "Response",
                               GLib.Variant("(ua{sv})", (code, results)))

    def on_request_call(connection, sender, path, interface, method, parameters, invocation):
        say(f"closed {path}")
        registration = requests.pop(path, None)
        if registration is not None:
            connection.unregister_object(registration)
        invocation.return_value(None)

    def on_screenshot_call(connection, sender, path, interface, method, parameters, invocation):
        parent_window, options = parameters.unpack()
        token = options.get("handle_token", "")
        handle = f"{PATH}/request/{sender[1:].replace('.', '_')}/{token}"
        say(f"pick {sender} {handle}")
        if mode[0] == "error":
            invocation.return_dbus_error(ERROR_NAME, ERROR_MESSAGE)
            return
        requests[handle] = connection.register_object(handle, REQUEST, on_request_call, None, None)
        if mode[0] == "color":
            color = GLib.Variant("(ddd)", tuple(float(value) for value in mode[1:]))
            respond(connection, sender, handle, 0, {"color": color})
        elif mode[0] == "file":
            respond(connection, sender, handle, 0, {"uri": GLib.Variant("s", "file://" + mode[1])})
        elif mode[0] in ("cancel", "other"):
            respond(connection, sender, handle, 1 if mode[0] == "cancel" else 2, {})
        invocation.return_value(GLib.Variant("(o)", (handle,)))

    def on_get_property(connection, sender, path, interface, name):
        return GLib.Variant("u", 2) if name == "version" else None

    def on_bus(connection, name):
        connection.register_object(PATH, SCREENSHOT, on_screenshot_call, on_get_property, None)

    def on_name(connection, name):
        say("ready")

    def on_name_lost(connection, name):
        say("lost the name")
        loop.quit()

    Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, on_bus, on_name, on_name_lost)
    loop.run()
    return 1


if __name__ == "__main__":
    sys.exit(main())
