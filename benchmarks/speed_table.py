#!/usr/bin/python3
"""The speed of Vellico at scale, each measure next to what it is held against:

    speed_table.py BUILD       (a Release build with -DVELLICO_BUILD_BENCHMARKS=ON)

- load and save of a library of 100,000 colours against libplist's own parse,
  and its serialise and write, of the same file (vellico_benchmarks);
- one synchronisation pass against ten computers' files of 10,000 colours,
  binary and XML (vellico_sync_benchmarks);
- the time from start to the tray icon, empty library, against a bare Qt tray
  program (and KColorChooser to its window, where it is installed), all under
  the same Xvfb, openbox and trayer; then with libraries of 10,000 and 100,000
  colours against the empty one;
- resident memory with the window open, 100,000 colours against the empty
  library, and the library file's size.

Every row prints the ratio it is judged by. The machine's load moves the
figures; the ratios, taken in the same run, move less. The benchmark rows end
with the minor page faults per iteration (this measure / what it is held
against): each is a first touch of a fresh page of memory, dear on a virtual
machine, and unlike the times they hardly move with the machine's load.
"""

import json
import os
import plistlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import shell_timing  # noqa: E402
from Xlib import X, display  # noqa: E402


STARTS = 15  # starts of each program for one start-up figure


def google_benchmark(program, pattern):
    """{name: (milliseconds, minor page faults per iteration or None)}"""
    out = subprocess.run([program, f"--benchmark_filter={pattern}", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    return {b["name"]: (b["real_time"] * {"ms": 1, "us": 1e-3, "ns": 1e-6}[b["time_unit"]], b.get("minor_faults"))
            for b in json.loads(out)["benchmarks"] if b.get("run_type", "iteration") == "iteration"}


def write_library(path, colours):
    per = 100
    contents = []
    for c in range(colours // per):
        contents.append({
            "RZColors": [{"RZColorSpace": 0, "RZComponent1": (i % 255) / 255, "RZComponent2": (c % 255) / 255,
                          "RZComponent3": 0.5, "RZComponent4": 0.0, "RZColorID": 1000000000 + c * per + i,
                          "RZModificationDate": 1700000000, "RZName": f"Colour {i}"} for i in range(per)],
            "RZCreationDate": 1000000 + c, "RZModificationDate": 1700000000, "RZRemovedIDs": [],
            "RZTitle": f"Collection {c}"})
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        plistlib.dump({"DBVersion": "0.3", "contents": contents, "RZRemovedCollectionIDs": []}, f)
    return os.path.getsize(path)


def start_up(program, wm_class, colours=None, window=False):
    """Seconds from start to the tray icon (or, with `window`, to a window);
    then the resident memory after a first open of the window, in MB."""
    processes = []
    home = tempfile.mkdtemp(prefix="vellico-speed-")
    try:
        xvfb, name = shell_timing.start_display()
        processes.append(xvfb)
        env = {k: v for k, v in os.environ.items() if k not in ("DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY")}
        env.update(DISPLAY=name, HOME=home, XDG_RUNTIME_DIR=home, XDG_CONFIG_HOME=home + "/config",
                   XDG_DATA_HOME=home + "/data", QT_QPA_PLATFORM="xcb")
        if colours is not None:
            write_library(home + "/data/Vellico/Vellico Library.vlb", colours)
        shell_timing.start_tray_desktop(env, processes)
        dpy = display.Display(name)
        dpy.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        began = time.perf_counter()
        target = shell_timing.start([program], env)
        processes.append(target)
        if window:
            return shell_timing.wait_for(dpy, X.MapNotify, timeout=20), None
        icon = None
        while not icon and time.perf_counter() - began < 20:
            icon = shell_timing.find_icon(dpy, wm_class)
            if not icon:
                time.sleep(0.005)
        if not icon:
            raise RuntimeError(f"{program}: no tray icon")
        seconds = time.perf_counter() - began
        time.sleep(1.0)
        while dpy.pending_events():
            dpy.next_event()
        shell_timing.click(dpy, icon[0] + icon[2] // 2, icon[1] + icon[3] // 2)
        shell_timing.wait_for(dpy, X.MapNotify, timeout=10)
        time.sleep(0.5)
        return seconds, shell_timing.rss_mb(target.pid)
    finally:
        shell_timing.stop(processes)
        shutil.rmtree(home, ignore_errors=True)


def faults_text(faults):
    return "" if faults is None else f"{faults:>8.0f}"


def row(label, value, against, ratio, unit="ms", faults=None, faults_against=None):
    """One measure; for the benchmarks, the minor page faults per iteration of
    each side follow (value / held against)."""
    line = f"{label:<58} {value:>9.1f} {unit:<3} {against:>9.1f} {unit:<3} {ratio:>6.2f}x"
    if faults is not None:
        line += f"  {faults_text(faults)} / {faults_text(faults_against) or '-':>8}"
    print(line)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    build = sys.argv[1]
    vellico = os.path.join(build, "src", "vellico")
    bare = os.path.join(build, "benchmarks", "vellico_bare_tray")
    print(f"{'measure':<58} {'value':>13} {'held against':>13} {'ratio':>7}  {'minor faults / iteration':>26}")

    lib = google_benchmark(os.path.join(build, "benchmarks", "vellico_benchmarks"),
                           "BM_(RawParse|CoreLoad|RawSerialiseAndWrite|CoreSave)/")
    lib = {name.split("/")[0]: result for name, result in lib.items()}

    def pair(label, mine, theirs):
        (ms, faults), (against, faults_against) = lib[mine], lib[theirs]
        row(label, ms, against, ms / against, faults=faults, faults_against=faults_against)

    pair("load 100k colours (BM_CoreLoad / BM_RawParse)", "BM_CoreLoad", "BM_RawParse")
    pair("save 100k colours (BM_CoreSave / BM_RawSerialiseAndWrite)", "BM_CoreSave", "BM_RawSerialiseAndWrite")

    sync = google_benchmark(os.path.join(build, "benchmarks", "vellico_sync_benchmarks"), "BM_SyncPass")
    for name, (ms, faults) in sorted(sync.items()):
        kind = "binary" if name.startswith("BM_SyncPass/1/") else "XML"
        label = f"one sync pass, 10 x 10k colours, {kind} (BM_SyncPass)"
        print(f"{label:<58} {ms:>9.1f} {'ms':<3} {'':>9} {'':<3} {'':>6}   {faults_text(faults)}")

    # Start-up times move with the machine's load from one start to the next:
    # the median of many starts, the programs taking turns.
    kcolorchooser = shutil.which("kcolorchooser")
    bare_runs, empty_runs, kc_runs = [], [], []
    for _ in range(STARTS):
        bare_runs.append(start_up(bare, "vellico_bare_tray")[0])
        empty_runs.append(start_up(vellico, "vellico", colours=0))
        if kcolorchooser:
            kc_runs.append(start_up(kcolorchooser, "kcolorchooser", window=True)[0])
    bare_s = statistics.median(bare_runs)
    empty_s = statistics.median(seconds for seconds, _ in empty_runs)
    empty_rss = statistics.median(rss for _, rss in empty_runs)
    row("start to tray icon, empty library / bare Qt tray", empty_s * 1000, bare_s * 1000, empty_s / bare_s)
    if kcolorchooser:
        kc_s = statistics.median(kc_runs)
        row("start to tray icon, empty library / KColorChooser window", empty_s * 1000, kc_s * 1000, empty_s / kc_s)
    for colours in (10000, 100000):
        runs = [start_up(vellico, "vellico", colours=colours) for _ in range(STARTS)]
        seconds = statistics.median(s for s, _ in runs)
        rss = statistics.median(r for _, r in runs)
        row(f"start to tray icon, {colours} colours, over the empty library", (seconds - empty_s) * 1000,
            empty_s * 1000, seconds / empty_s)
        if colours == 100000:
            with tempfile.TemporaryDirectory() as scratch:
                size = write_library(scratch + "/library.vlb", colours) / 2**20
            row("resident memory, window open, 100k over empty / file size", rss - empty_rss, size,
                (rss - empty_rss) / size, unit="MB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
