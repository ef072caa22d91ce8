#!/usr/bin/env python3
"""A desktop portal of our own for tests of global shortcuts: owns
org.freedesktop.portal.Desktop on the bus named by DBUS_SESSION_BUS_ADDRESS and
exports org.freedesktop.portal.GlobalShortcuts (CreateSession, BindShortcuts,
ListShortcuts; the Activated and Deactivated signals) and, unless told not to,
org.freedesktop.host.portal.Registry. It answers as the test chooses:

    fake_global_shortcuts.py bind      binds every shortcut, reporting "Ctrl+Alt+P (desktop)"
                                       as its trigger; then presses each once
                                       (Activated, Deactivated) 300 ms later
    fake_global_shortcuts.py refuse    BindShortcuts ends with Response 1 (the user said no)
    fake_global_shortcuts.py error     an error reply to BindShortcuts
    fake_global_shortcuts.py silent    CreateSession gives its Request, and never a Response
    fake_global_shortcuts.py unregistered
                                       as bind, but refuses every call from a connection that
                                       has not registered its application id

"--no-registry" leaves the registry out, as older portals do. "--press-on-stdin"
presses the shortcuts whenever a line arrives on standard input instead of after
binding. It prints a line per event: "ready", "register APPID", "session
HANDLE", "bind ID TRIGGER", "list", "pressed ID", "closed PATH". As the real
portal, it sends Response and the shortcut signals to the caller alone. Needs
python3-gi.
"""

import sys

from gi.repository import Gio, GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
TRIGGER = "Ctrl+Alt+P (desktop)"

INTERFACES = Gio.DBusNodeInfo.new_for_xml("""
<node>
  <interface name="org.freedesktop.portal.GlobalShortcuts">
    <method name="CreateSession">
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
    <method name="BindShortcuts">
      <arg type="o" name="session_handle" direction="in"/>
      <arg type="a(sa{sv})" name="shortcuts" direction="in"/>
      <arg type="s" name="parent_window" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="request_handle" direction="out"/>
    </method>
    <method name="ListShortcuts">
      <arg type="o" name="session_handle" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="request_handle" direction="out"/>
    </method>
    <signal name="Activated">
      <arg type="o" name="session_handle"/>
      <arg type="s" name="shortcut_id"/>
      <arg type="t" name="timestamp"/>
      <arg type="a{sv}" name="options"/>
    </signal>
    <signal name="Deactivated">
      <arg type="o" name="session_handle"/>
      <arg type="s" name="shortcut_id"/>
      <arg type="t" name="timestamp"/>
      <arg type="a{sv}" name="options"/>
    </signal>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.freedesktop.host.portal.Registry">
    <method name="Register">
      <arg type="s" name="app_id" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
    </method>
  </interface>
  <interface name="org.freedesktop.portal.Request">
    <method name="Close"/>
    <signal name="Response">
      <arg type="u" name="response"/>
      <arg type="a{sv}" name="results"/>
    </signal>
  </interface>
  <interface name="org.freedesktop.portal.Session">
    <method name="Close"/>
  </interface>
</node>""")
SHORTCUTS = INTERFACES.lookup_interface("org.freedesktop.portal.GlobalShortcuts")
REGISTRY = INTERFACES.lookup_interface("org.freedesktop.host.portal.Registry")
REQUEST = INTERFACES.lookup_interface("org.freedesktop.portal.Request")
SESSION = INTERFACES.lookup_interface("org.freedesktop.portal.Session")
MODES = ("bind", "refuse", "error", "silent", "unregistered")


def say(line):
    print(line, flush=True)


def main():
    arguments = sys.argv[1:]
    options = {argument for argument in arguments if argument.startswith("--")}
    modes = [argument for argument in arguments if not argument.startswith("--")]
    if len(modes) != 1 or modes[0] not in MODES or options - {"--no-registry", "--press-on-stdin"}:
        print(__doc__, file=sys.stderr)
        return 2
    mode = modes[0]
    loop = GLib.MainLoop()
    objects = {}
    bound = {}  # session handle -> (caller, [(id, options)])
    registered = set()
    connection_of = []

    def sender_part(sender):
        return sender[1:].replace(".", "_")

    def export(connection, path, interface, handler):
        objects[path] = connection.register_object(path, interface, handler, None, None)

    def on_close(connection, sender, path, interface, method, parameters, invocation):
        say(f"closed {path}")
        registration = objects.pop(path, None)
        if registration is not None:
            connection.unregister_object(registration)
        bound.pop(path, None)
        invocation.return_value(None)

    def respond(connection, sender, handle, code, results):
        connection.emit_signal(sender, handle, "org.freedesktop.portal.Request", "Response",
                               GLib.Variant("(ua{sv})", (code, results)))

    def press(connection):
        for session, (caller, shortcuts) in list(bound.items()):
            for shortcut_id, _ in shortcuts:
                for signal in ("Activated", "Deactivated"):
                    connection.emit_signal(caller, PATH, "org.freedesktop.portal.GlobalShortcuts", signal,
                                           GLib.Variant("(osta{sv})", (session, shortcut_id, 1000, {})))
                say(f"pressed {shortcut_id}")
        return False

    def on_shortcuts_call(connection, sender, path, interface, method, parameters, invocation):
        if mode == "unregistered" and sender not in registered:
            invocation.return_dbus_error("org.freedesktop.portal.Error.NotAllowed",
                                         "an application id must be registered first")
            return
        if method == "CreateSession":
            (call_options,) = parameters.unpack()
            handle = f"{PATH}/request/{sender_part(sender)}/{call_options.get('handle_token', '')}"
            session = f"{PATH}/session/{sender_part(sender)}/{call_options.get('session_handle_token', '')}"
            export(connection, handle, REQUEST, on_close)
            if mode != "silent":
                export(connection, session, SESSION, on_close)
                bound[session] = (sender, [])
                say(f"session {session}")
                respond(connection, sender, handle, 0, {"session_handle": GLib.Variant("s", session)})
            invocation.return_value(GLib.Variant("(o)", (handle,)))
            return
        if method == "BindShortcuts":
            session, shortcuts, _parent, call_options = parameters.unpack()
            handle = f"{PATH}/request/{sender_part(sender)}/{call_options.get('handle_token', '')}"
            for shortcut_id, shortcut_options in shortcuts:
                say(f"bind {shortcut_id} {shortcut_options.get('preferred_trigger', '-')}")
            if mode == "error":
                invocation.return_dbus_error("org.freedesktop.portal.Error.Failed", "the shortcut cannot be bound")
                return
            export(connection, handle, REQUEST, on_close)
            if mode == "refuse":
                respond(connection, sender, handle, 1, {})
            else:
                bound[session] = (sender, shortcuts)
                answer = [(shortcut_id, {"description": GLib.Variant("s", shortcut_options.get("description", "")),
                                         "trigger_description": GLib.Variant("s", TRIGGER)})
                          for shortcut_id, shortcut_options in shortcuts]
                respond(connection, sender, handle, 0, {"shortcuts": GLib.Variant("a(sa{sv})", answer)})
                if "--press-on-stdin" not in options:
                    GLib.timeout_add(300, press, connection)
            invocation.return_value(GLib.Variant("(o)", (handle,)))
            return
        if method == "ListShortcuts":
            session, call_options = parameters.unpack()
            handle = f"{PATH}/request/{sender_part(sender)}/{call_options.get('handle_token', '')}"
            say("list")
            export(connection, handle, REQUEST, on_close)
            answer = [(shortcut_id, {"trigger_description": GLib.Variant("s", TRIGGER)})
                      for shortcut_id, _ in bound.get(session, (sender, []))[1]]
            respond(connection, sender, handle, 0, {"shortcuts": GLib.Variant("a(sa{sv})", answer)})
            invocation.return_value(GLib.Variant("(o)", (handle,)))

    def on_registry_call(connection, sender, path, interface, method, parameters, invocation):
        app_id, _ = parameters.unpack()
        registered.add(sender)
        say(f"register {app_id}")
        invocation.return_value(None)

    def on_get_property(connection, sender, path, interface, name):
        return GLib.Variant("u", 1) if name == "version" else None

    def on_bus(connection, name):
        connection_of.append(connection)
        connection.register_object(PATH, SHORTCUTS, on_shortcuts_call, on_get_property, None)
        if "--no-registry" not in options:
            connection.register_object(PATH, REGISTRY, on_registry_call, None, None)

    def on_name(connection, name):
        say("ready")

    def on_name_lost(connection, name):
        say("lost the name")
        loop.quit()

    def on_stdin(channel, condition):
        line = sys.stdin.readline()
        if not line:
            return False
        if connection_of:
            press(connection_of[0])
        return True

    if "--press-on-stdin" in options:
        GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP, on_stdin)
    Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, on_bus, on_name, on_name_lost)
    loop.run()
    return 1


if __name__ == "__main__":
    sys.exit(main())
