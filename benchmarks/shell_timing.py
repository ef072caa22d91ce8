#!/usr/bin/python3
"""Times the tray program the way a user meets it, next to a bare Qt tray program:

    shell_timing.py VELLICO BARE_TRAY      (Debian's python3 with python3-xlib)

For each program, on its own Xvfb display with openbox and trayer: the time
from a click on the tray icon to the window being mapped on screen (the first
open, then the median of later opens), the resident memory after the window
has been open, and the CPU ticks used over 5 s of idling with the window open
and with it closed. Clicks are sent with XTEST; maps are seen as MapNotify
events on the root window, so nothing polls.
"""

import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display
from Xlib.ext import xtest

LATER_OPENS = 15
IDLE_SECONDS = 5


def start(command, env):
    return subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def start_display():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        select.select([read_end], [], [], 10)
        number += os.read(read_end, 16)
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def stop(processes):
    """Ends the processes, the last started first."""
    for process in reversed(processes):
        process.terminate()
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            process.kill()


def find_icon(dpy, name):
    """The tray icon of the program `name` (its WM_CLASS), as (x, y, width, height),
    once the tray has taken it in: inside the tray's window and shown. (The icon's
    window exists, unshown on the root, a moment before the tray embeds it.)"""
    root = dpy.screen().root

    def walk(window, depth):
        try:
            cls = window.get_wm_class()
            geometry = window.get_geometry()
            if cls and cls[0] == name and 1 < geometry.width < 64:
                if depth < 2 or window.get_attributes().map_state != X.IsViewable:
                    return None
                origin = window.translate_coords(root, 0, 0)
                return (-origin.x, -origin.y, geometry.width, geometry.height)
            children = window.query_tree().children
        except Exception:
            return None
        for child in children:
            found = walk(child, depth + 1)
            if found:
                return found
        return None
    return walk(root, 0)


def click(dpy, x, y):
    xtest.fake_input(dpy, X.MotionNotify, x=x, y=y)
    xtest.fake_input(dpy, X.ButtonPress, 1)
    xtest.fake_input(dpy, X.ButtonRelease, 1)
    dpy.sync()


def wait_for(dpy, kind, timeout=5.0):
    """Seconds until a MapNotify/UnmapNotify of a large top-level window arrives."""
    start = time.perf_counter()
    while time.perf_counter() - start < timeout:
        while dpy.pending_events():
            event = dpy.next_event()
            if event.type == kind:
                try:
                    geometry = event.window.get_geometry()
                except Exception:
                    continue
                if geometry.width >= 200 and geometry.height >= 200:
                    return time.perf_counter() - start
        select.select([dpy.fileno()], [], [], 0.05)
    raise RuntimeError("no window appeared" if kind == X.MapNotify else "the window did not close")


def ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def start_tray_desktop(env, processes):
    """openbox and a trayer panel on the display of `env`, where a tray icon shows as on a
    user's desktop; the processes go into `processes`."""
    processes.append(start(["openbox", "--sm-disable"], env))
    time.sleep(0.5)
    processes.append(start(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                            "200", "--heighttype", "pixel", "--height", "28", "--SetDockType", "true",
                            "--SetPartialStrut", "true"], env))
    time.sleep(0.5)


def measure(program, wm_class):
    processes = []
    home = tempfile.mkdtemp(prefix="vellico-bench-")
    try:
        xvfb, name = start_display()
        processes.append(xvfb)
        env = {k: v for k, v in os.environ.items() if k not in ("DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY")}
        env.update(DISPLAY=name, HOME=home, XDG_RUNTIME_DIR=home, XDG_CONFIG_HOME=home + "/config",
                   XDG_DATA_HOME=home + "/data", QT_QPA_PLATFORM="xcb")
        start_tray_desktop(env, processes)
        target = start([program], env)
        processes.append(target)
        dpy = display.Display(name)
        dpy.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        icon = None
        deadline = time.monotonic() + 10
        while not icon and time.monotonic() < deadline:
            icon = find_icon(dpy, wm_class)
            time.sleep(0.05)
        if not icon:
            raise RuntimeError(f"{program}: no tray icon")
        time.sleep(1.0)  # let start-up settle: the first open is timed, not the start
        while dpy.pending_events():
            dpy.next_event()
        cx, cy = icon[0] + icon[2] // 2, icon[1] + icon[3] // 2

        click(dpy, cx, cy)
        first = wait_for(dpy, X.MapNotify)
        time.sleep(0.3)
        rss = rss_mb(target.pid)
        before = ticks(target.pid)
        time.sleep(IDLE_SECONDS)
        idle_open = ticks(target.pid) - before
        later = []
        for _ in range(LATER_OPENS):
            click(dpy, cx, cy)
            wait_for(dpy, X.UnmapNotify)
            time.sleep(0.3)
            click(dpy, cx, cy)
            later.append(wait_for(dpy, X.MapNotify))
            time.sleep(0.3)
        click(dpy, cx, cy)
        wait_for(dpy, X.UnmapNotify)
        time.sleep(0.5)
        before = ticks(target.pid)
        time.sleep(IDLE_SECONDS)
        idle_closed = ticks(target.pid) - before
        return first * 1000, statistics.median(later) * 1000, rss, idle_open, idle_closed
    finally:
        stop(processes)
        subprocess.run(["rm", "-rf", home])


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    print(f"{'program':<12} {'first open':>11} {'later opens':>12} {'RSS':>9} {'idle open':>10} {'idle closed':>12}")
    for label, program, wm_class in (("bare Qt", sys.argv[2], "vellico_bare_tray"), ("vellico", sys.argv[1], "vellico")):
        first, later, rss, idle_open, idle_closed = measure(program, wm_class)
        print(f"{label:<12} {first:>8.1f} ms {later:>9.1f} ms {rss:>6.1f} MB {idle_open:>4} ticks {idle_closed:>6} ticks")
    return 0


if __name__ == "__main__":
    sys.exit(main())
