#!/usr/bin/env python3
"""Asks the desktop portal for one screenshot and prints its answer:

    portal_screenshot.py [--interactive] [--timeout SECONDS]

prints "response CODE URI" (URI empty when there is none) and exits 0 once the
portal's Response arrives, or prints "timeout" or "error: ..." and exits 1. The portal sends
Response to the caller alone, so the caller has to listen: gdbus monitor,
another connection, never sees it. Needs python3-gi.
"""

import argparse
import sys

from gi.repository import Gio, GLib

PORTAL = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"
TOKEN = "vellico_test"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--interactive", action="store_true")
    parser.add_argument("--timeout", type=float, default=10)
    arguments = parser.parse_args()

    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    # The request's object path is known before the call: subscribe first, or a quick
    # answer could come before the subscription.
    sender = bus.get_unique_name()[1:].replace(".", "_")
    request = f"{PORTAL_PATH}/request/{sender}/{TOKEN}"
    loop = GLib.MainLoop()
    answer = {}

    def on_response(connection, sender_name, path, interface, signal, parameters):
        code, results = parameters.unpack()
        answer["line"] = f"response {code} {results.get('uri', '')}"
        loop.quit()

    bus.signal_subscribe(PORTAL, "org.freedesktop.portal.Request", "Response", request, None,
                         Gio.DBusSignalFlags.NONE, on_response)
    options = {"handle_token": GLib.Variant("s", TOKEN), "interactive": GLib.Variant("b", arguments.interactive)}
    try:
        handle = bus.call_sync(PORTAL, PORTAL_PATH, "org.freedesktop.portal.Screenshot", "Screenshot",
                               GLib.Variant("(sa{sv})", ("", options)), GLib.VariantType("(o)"),
                               Gio.DBusCallFlags.NONE, int(arguments.timeout * 1000), None).unpack()[0]
    except GLib.Error as error:
        # Among others: no Screenshot interface, when the portal has no access backend.
        print(f"error: {error.message}")
        return 1
    if handle != request:
        print(f"error: the portal made the request {handle}, not {request}")
        return 1
    GLib.timeout_add(int(arguments.timeout * 1000), loop.quit)
    loop.run()
    print(answer.get("line", "timeout"), flush=True)
    return 0 if answer else 1


if __name__ == "__main__":
    sys.exit(main())
