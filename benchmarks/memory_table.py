#!/usr/bin/python3
"""What Vellico costs in memory as a tray program that runs all day:

    memory_table.py BUILD     (a Release build)

- on X11 (Xvfb, openbox, trayer): resident memory with only the tray icon,
  and after the window has opened;
- on Wayland (headless sway, no tray host, so the window opens at start):
  resident memory with the window open and after it closed, drawn in shared
  memory as Vellico chooses, and with Qt's EGL buffer integration as Qt would
  choose by itself (QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=wayland-egl), both in
  the same run; and the GL driver libraries mapped with the window open.

Each figure is the median of a few starts, each with an empty library in a
fresh home. Memory is VmRSS from /proc, in MB.
"""

import glob
import os
import pwd
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import shell_timing  # noqa: E402
from Xlib import X, display  # noqa: E402

STARTS = 3
WAYLAND_USER = "vellico-wl"
GL_DRIVER = re.compile(r"libEGL_mesa|libGLX_mesa|_dri\.so|libgbm|libLLVM|libglapi")


def rss_mb(pid):
    return shell_timing.rss_mb(pid)


def gl_libraries(pid):
    with open(f"/proc/{pid}/maps") as maps:
        paths = {line.split()[-1] for line in maps if "/" in line}
    return sorted({os.path.basename(path) for path in paths if GL_DRIVER.search(os.path.basename(path))})


def home_environment(home):
    return {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8", "HOME": home,
            "XDG_RUNTIME_DIR": home, "XDG_CONFIG_HOME": home + "/config", "XDG_DATA_HOME": home + "/data",
            "XDG_STATE_HOME": home + "/state"}


def on_x11(vellico):
    """(icon only, window open) in MB."""
    processes = []
    home = tempfile.mkdtemp(prefix="vellico-memory-")
    os.chmod(home, 0o700)
    try:
        xvfb, name = shell_timing.start_display()
        processes.append(xvfb)
        env = home_environment(home)
        env.update(DISPLAY=name, QT_QPA_PLATFORM="xcb")
        shell_timing.start_tray_desktop(env, processes)
        dpy = display.Display(name)
        dpy.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        target = shell_timing.start([vellico], env)
        processes.append(target)
        icon = None
        deadline = time.monotonic() + 20
        while not icon and time.monotonic() < deadline:
            icon = shell_timing.find_icon(dpy, "vellico")
            time.sleep(0.05)
        if not icon:
            raise RuntimeError("no tray icon on X11")
        time.sleep(2.0)
        closed = rss_mb(target.pid)
        while dpy.pending_events():
            dpy.next_event()
        shell_timing.click(dpy, icon[0] + icon[2] // 2, icon[1] + icon[3] // 2)
        shell_timing.wait_for(dpy, X.MapNotify, timeout=10)
        time.sleep(2.0)
        return closed, rss_mb(target.pid)
    finally:
        shell_timing.stop(processes)
        shutil.rmtree(home, ignore_errors=True)


def session_user():
    """sway refuses to run as root: root runs it as the desktop tests' user (made as they make it)."""
    if os.geteuid() != 0:
        return None
    try:
        return pwd.getpwnam(WAYLAND_USER)
    except KeyError:
        subprocess.run(["useradd", "--system", "--create-home", "--home-dir", f"/var/lib/{WAYLAND_USER}",
                        "--shell", "/usr/sbin/nologin", WAYLAND_USER], capture_output=True)
        return pwd.getpwnam(WAYLAND_USER)


def as_user(user, command):
    if user is None:
        return command
    return ["setpriv", f"--reuid={user.pw_uid}", f"--regid={user.pw_gid}", "--init-groups", "--", *command]


def on_sway(vellico, **environment):
    """(window open, after it closed, GL libraries mapped while open) in MB."""
    processes = []
    user = session_user()
    home = tempfile.mkdtemp(prefix="vellico-mem-")
    os.chmod(home, 0o700)
    try:
        env = home_environment(home)
        config = os.path.join(home, "sway.conf")
        with open(config, "w") as out:
            out.write("output * bg #336699 solid_color\n")
        # The program, where the session's user can run it.
        vellico = shutil.copy2(vellico, os.path.join(home, "vellico"))
        if user is not None:
            for path in (home, config, vellico):
                os.chown(path, user.pw_uid, user.pw_gid)
        sway_env = dict(env, WLR_BACKENDS="headless", WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")
        processes.append(subprocess.Popen(as_user(user, ["sway", "--config", config]), env=sway_env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        deadline = time.monotonic() + 10
        sockets = []
        while not sockets and time.monotonic() < deadline:
            sockets = [p for p in glob.glob(home + "/wayland-*") if not p.endswith(".lock")]
            time.sleep(0.05)
        if not sockets:
            raise RuntimeError("sway did not start")
        env.update(WAYLAND_DISPLAY=os.path.basename(sockets[0]), QT_QPA_PLATFORM="wayland",
                   XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="sway", **environment)
        # exec: the process measured is Vellico itself, not setpriv.
        target = subprocess.Popen(as_user(user, [vellico]), env=env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        processes.append(target)
        time.sleep(4.0)  # no tray host: the window opens at start
        opened, libraries = rss_mb(target.pid), gl_libraries(target.pid)
        subprocess.run(as_user(user, [vellico]), env=env, timeout=20, capture_output=True)  # a second start closes it
        time.sleep(2.0)
        return opened, rss_mb(target.pid), libraries
    finally:
        shell_timing.stop(processes)
        shutil.rmtree(home, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    vellico = os.path.join(sys.argv[1], "src", "vellico")
    x11 = [on_x11(vellico) for _ in range(STARTS)]
    print(f"{'resident memory':<52} {'MB':>7}")
    print(f"{'X11, tray icon only':<52} {statistics.median(c for c, _ in x11):>7.1f}")
    print(f"{'X11, window open':<52} {statistics.median(o for _, o in x11):>7.1f}")
    for label, environment in (("sway, shared memory (as Vellico runs)", {}),
                               ("sway, EGL (QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=wayland-egl)",
                                {"QT_WAYLAND_CLIENT_BUFFER_INTEGRATION": "wayland-egl"})):
        runs = [on_sway(vellico, **environment) for _ in range(STARTS)]
        print(f"{label}")
        print(f"{'  window open':<52} {statistics.median(o for o, _, _ in runs):>7.1f}")
        print(f"{'  after the window closed':<52} {statistics.median(c for _, c, _ in runs):>7.1f}")
        print(f"  GL driver libraries mapped, window open: {', '.join(runs[-1][2]) or 'none'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
