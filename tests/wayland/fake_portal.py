#!/usr/bin/env python3
"""A desktop portal of our own for tests: owns org.freedesktop.portal.Desktop on
the session bus named by DBUS_SESSION_BUS_ADDRESS and answers as the test chooses.

org.freedesktop.portal.Screenshot (version 2), PickColor and Screenshot:

    fake_portal.py color R G B   Response 0 with the color (R, G, B), 0-1 doubles,
                                 sent before the call's own reply (a caller that
                                 subscribes late misses it)
    fake_portal.py file PATH     Response 0 with the uri file://PATH (Screenshot)
    fake_portal.py cancel        Response 1 (the user cancelled)
    fake_portal.py other         Response 2 (ended some other way)
    fake_portal.py error         an error reply
    fake_portal.py silent        the Request, and never a Response
    fake_portal.py no-reply      no reply to the call at all (a portal that hangs)

"--respond-after=SECONDS" sends the Response that long after the call's reply
instead (a picker the user takes a while over).

It prints "pick SENDER HANDLE" for each call (HANDLE: the Request's path, from the
caller's unique name and handle_token, as the portal documents it).

org.freedesktop.portal.GlobalShortcuts (CreateSession, BindShortcuts, ListShortcuts;
Activated and Deactivated) and, unless told not to, org.freedesktop.host.portal.Registry:

    fake_portal.py shortcuts bind      binds every shortcut, reporting "Ctrl+Alt+P (desktop)"
                                       as its trigger; then presses each once
                                       (Activated, Deactivated) 300 ms later
    fake_portal.py shortcuts refuse    BindShortcuts ends with Response 1 (the user said no)
    fake_portal.py shortcuts error     an error reply to BindShortcuts
    fake_portal.py shortcuts silent    CreateSession gives its Request, and never a Response
    fake_portal.py shortcuts no-session
                                       CreateSession ends with Response 2 at once (a backend
                                       that cannot serve this desktop)
    fake_portal.py shortcuts unregistered
                                       as bind, but refuses every call from a connection that
                                       has not registered its application id
    fake_portal.py shortcuts create-only
                                       binds only the shortcuts CreateSession's options name
                                       (BindShortcuts answers with those, whatever it is given)
    fake_portal.py shortcuts none      answers every call, but binds nothing

A portal that is stuck:

    fake_portal.py hang          answers no call about Screenshot or GlobalShortcuts
                                 at all, not even for their properties (prints "asked
                                 MEMBER" for each); any other call (a toolkit reading
                                 the Settings) gets an error at once

"--no-registry" leaves the registry out, as older portals do. "--press-on-stdin"
presses the shortcuts whenever a line arrives on standard input instead of after
binding. It prints "register APPID", "session HANDLE", "bind ID TRIGGER", "list",
"pressed ID".

Either way it prints "ready" once it owns the name and "closed PATH" when the
caller closes a Request or Session. As the real portal, it sends Response and the
shortcut signals to the caller alone. Needs python3-gi.
"""

import sys

from gi.repository import Gio, GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
TRIGGER = "Ctrl+Alt+P (desktop)"
PICK_ERROR = ("org.freedesktop.portal.Error.NotAllowed", "picking colors is not allowed in this test")

REQUEST_IN = '<arg type="s" name="parent_window" direction="in"/><arg type="a{sv}" name="options" direction="in"/>' \
             '<arg type="o" name="handle" direction="out"/>'
SHORTCUT_SIGNAL = '<arg type="o" name="session_handle"/><arg type="s" name="shortcut_id"/>' \
                  '<arg type="t" name="timestamp"/><arg type="a{sv}" name="options"/>'
INTERFACES = Gio.DBusNodeInfo.new_for_xml(f"""
<node>
  <interface name="org.freedesktop.portal.Screenshot">
    <method name="PickColor">{REQUEST_IN}</method>
    <method name="Screenshot">{REQUEST_IN}</method>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.freedesktop.portal.GlobalShortcuts">
    <method name="CreateSession">
      <arg type="a{{sv}}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
    <method name="BindShortcuts">
      <arg type="o" name="session_handle" direction="in"/>
      <arg type="a(sa{{sv}})" name="shortcuts" direction="in"/>
      <arg type="s" name="parent_window" direction="in"/>
      <arg type="a{{sv}}" name="options" direction="in"/>
      <arg type="o" name="request_handle" direction="out"/>
    </method>
    <method name="ListShortcuts">
      <arg type="o" name="session_handle" direction="in"/>
      <arg type="a{{sv}}" name="options" direction="in"/>
      <arg type="o" name="request_handle" direction="out"/>
    </method>
    <signal name="Activated">{SHORTCUT_SIGNAL}</signal>
    <signal name="Deactivated">{SHORTCUT_SIGNAL}</signal>
    <property name="version" type="u" access="read"/>
  </interface>
  <interface name="org.freedesktop.host.portal.Registry">
    <method name="Register">
      <arg type="s" name="app_id" direction="in"/>
      <arg type="a{{sv}}" name="options" direction="in"/>
    </method>
  </interface>
  <interface name="org.freedesktop.portal.Request">
    <method name="Close"/>
    <signal name="Response">
      <arg type="u" name="response"/>
      <arg type="a{{sv}}" name="results"/>
    </signal>
  </interface>
  <interface name="org.freedesktop.portal.Session">
    <method name="Close"/>
  </interface>
</node>""")
SCREENSHOT, SHORTCUTS, REGISTRY, REQUEST, SESSION = (INTERFACES.lookup_interface(name) for name in (
    "org.freedesktop.portal.Screenshot", "org.freedesktop.portal.GlobalShortcuts",
    "org.freedesktop.host.portal.Registry", "org.freedesktop.portal.Request", "org.freedesktop.portal.Session"))
SCREENSHOT_MODES = ("color", "file", "cancel", "other", "error", "silent", "no-reply")
SHORTCUT_MODES = ("bind", "refuse", "error", "silent", "unregistered", "no-session", "create-only", "none")


def say(line):
    print(line, flush=True)


def usage(arguments):
    """(mode, its values, options) from the command line, or None."""
    options = {argument for argument in arguments if argument.startswith("--")}
    words = [argument for argument in arguments if not argument.startswith("--")]
    if words == ["hang"] and not options:
        return ("hang", words, options)
    if words[:1] == ["shortcuts"]:
        ok = len(words) == 2 and words[1] in SHORTCUT_MODES and not options - {"--no-registry", "--press-on-stdin"}
        return ("shortcuts", words[1:], options) if ok else None
    ok = words and words[0] in SCREENSHOT_MODES and all(option.startswith("--respond-after=") for option in options) and \
        (words[0] == "color") == (len(words) == 4) and (words[0] == "file") == (len(words) == 2)
    return ("screenshot", words, options) if ok else None


def main():
    parsed = usage(sys.argv[1:])
    if not parsed:
        print(__doc__, file=sys.stderr)
        return 2
    interface, mode, options = parsed
    loop = GLib.MainLoop()
    objects = {}
    bound = {}  # session handle -> (caller, [(id, options)])
    registered = set()
    connection_of = []
    unanswered = []  # the calls never replied to
    delay = [float(option.split("=", 1)[1]) for option in options if option.startswith("--respond-after=")]

    def request_path(sender, options, key="handle_token", kind="request"):
        return f"{PATH}/{kind}/{sender[1:].replace('.', '_')}/{options.get(key, '')}"

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

    def on_screenshot_call(connection, sender, path, interface, method, parameters, invocation):
        _parent_window, call_options = parameters.unpack()
        handle = request_path(sender, call_options)
        say(f"pick {sender} {handle}")
        if mode[0] == "error":
            invocation.return_dbus_error(*PICK_ERROR)
            return
        if mode[0] == "no-reply":
            unanswered.append(invocation)
            return
        export(connection, handle, REQUEST, on_close)

        def answer():
            if handle not in objects or mode[0] == "silent":  # closed meanwhile, or never to answer
                return False
            if mode[0] == "color":
                color = GLib.Variant("(ddd)", tuple(float(value) for value in mode[1:]))
                respond(connection, sender, handle, 0, {"color": color})
            elif mode[0] == "file":
                respond(connection, sender, handle, 0, {"uri": GLib.Variant("s", "file://" + mode[1])})
            elif mode[0] in ("cancel", "other"):
                respond(connection, sender, handle, 1 if mode[0] == "cancel" else 2, {})
            say(f"answered {handle}")
            return False
        if delay:
            GLib.timeout_add(int(delay[0] * 1000), answer)
        else:
            answer()
        invocation.return_value(GLib.Variant("(o)", (handle,)))

    def press(connection):
        for session, (caller, shortcuts) in list(bound.items()):
            for shortcut_id, _ in shortcuts:
                for signal in ("Activated", "Deactivated"):
                    connection.emit_signal(caller, PATH, "org.freedesktop.portal.GlobalShortcuts", signal,
                                           GLib.Variant("(osta{sv})", (session, shortcut_id, 1000, {})))
                say(f"pressed {shortcut_id}")
        return False

    def on_shortcuts_call(connection, sender, path, interface, method, parameters, invocation):
        if mode[0] == "unregistered" and sender not in registered:
            invocation.return_dbus_error("org.freedesktop.portal.Error.NotAllowed",
                                         "an application id must be registered first")
            return
        *arguments, call_options = parameters.unpack()
        handle = request_path(sender, call_options)
        if method == "CreateSession":
            session = request_path(sender, call_options, "session_handle_token", "session")
            export(connection, handle, REQUEST, on_close)
            if mode[0] == "no-session":
                say("no session")
                respond(connection, sender, handle, 2, {})
            elif mode[0] != "silent":
                export(connection, session, SESSION, on_close)
                given = call_options.get("shortcuts", []) if mode[0] == "create-only" else []
                bound[session] = (sender, given)
                say(f"session {session}")
                respond(connection, sender, handle, 0, {"session_handle": GLib.Variant("s", session)})
        elif method == "BindShortcuts":
            session, shortcuts, _parent = arguments
            for shortcut_id, shortcut_options in shortcuts:
                say(f"bind {shortcut_id} {shortcut_options.get('preferred_trigger', '-')}")
            if mode[0] == "error":
                invocation.return_dbus_error("org.freedesktop.portal.Error.Failed", "the shortcut cannot be bound")
                return
            export(connection, handle, REQUEST, on_close)
            if mode[0] == "refuse":
                respond(connection, sender, handle, 1, {})
            else:
                if mode[0] in ("create-only", "none"):
                    shortcuts = bound.get(session, (sender, []))[1]
                bound[session] = (sender, shortcuts)
                answer = [(shortcut_id, {"description": GLib.Variant("s", shortcut_options.get("description", "")),
                                         "trigger_description": GLib.Variant("s", TRIGGER)})
                          for shortcut_id, shortcut_options in shortcuts]
                respond(connection, sender, handle, 0, {"shortcuts": GLib.Variant("a(sa{sv})", answer)})
                if "--press-on-stdin" not in options:
                    GLib.timeout_add(300, press, connection)
        else:  # ListShortcuts
            (session,) = arguments
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

    stuck = ("org.freedesktop.portal.Screenshot", "org.freedesktop.portal.GlobalShortcuts")

    def swallow(connection, message, incoming):
        # The calls about the stuck interfaces are dropped before Gio can answer them.
        if not incoming or message.get_message_type() != Gio.DBusMessageType.METHOD_CALL or \
                message.get_path() != PATH:
            return message
        target = message.get_interface()
        if target == "org.freedesktop.DBus.Properties" and message.get_body() is not None:
            target = message.get_body().unpack()[0]
        if target not in stuck:
            return message
        say(f"asked {message.get_member()}")
        return None

    def on_bus(connection, name):
        connection_of.append(connection)
        if interface == "hang":
            connection.add_filter(swallow)
            return
        if interface == "screenshot":
            connection.register_object(PATH, SCREENSHOT, on_screenshot_call,
                                       lambda *_: GLib.Variant("u", 2), None)
            return
        connection.register_object(PATH, SHORTCUTS, on_shortcuts_call, lambda *_: GLib.Variant("u", 1), None)
        if "--no-registry" not in options:
            connection.register_object(PATH, REGISTRY, on_registry_call, None, None)

    def on_name_lost(connection, name):
        say("lost the name")
        loop.quit()

    def on_stdin(channel, condition):
        if not sys.stdin.readline():
            return False
        if connection_of:
            press(connection_of[0])
        return True

    if "--press-on-stdin" in options:
        GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP, on_stdin)
    Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, on_bus, lambda *_: say("ready"),
                     on_name_lost)
    loop.run()
    return 1


if __name__ == "__main__":
    sys.exit(main())
