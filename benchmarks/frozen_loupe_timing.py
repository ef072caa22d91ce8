#!/usr/bin/env python3
"""The time from `vellico --pick` to the frozen screen on the outputs, on the
Wayland test session (headless sway, a x1 and a x2 output; see
tests/wayland/wayland_session.py). Target: at most 150 ms.

    frozen_loupe_timing.py VELLICO [RUNS]

Two ways in, each RUNS times (5 unless told):
  own process   `vellico --pick` with no Vellico running: the program starts,
                captures every output and shows them frozen;
  running       `vellico --pick` handed to a running Vellico.
The time ends when Vellico logs that the frozen screen shows (its surfaces have
their first frame committed; the compositor puts it on the outputs at its next
frame, at most one refresh later). Each run then ends with Escape. Vellico's
own count from the request to that point (its log line) is shown beside: it
leaves out the process start and the handing over, the noisiest parts on a
busy machine.
Run as root or as a user who may run sway; needs what the Wayland tests need
(VELLICO_WL_VPOINTER and VELLICO_STRIPE_WINDOW from a build with the tests).
"""

import os
import re
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "wayland"))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from wayland_session import WaylandSession  # noqa: E402
from vellico_e2e import Failure  # noqa: E402

MARK = "The frozen screen shows"


def time_one(session, name, log):
    """Milliseconds from starting `vellico --pick` to the frozen screen, and those
    Vellico counted itself from the request; then Escape."""
    start = time.monotonic()
    pick = session.start_client([os.environ["VELLICO_BINARY"], "--pick"], name=name)
    while MARK not in log(name):
        if pick.process.poll() is not None:
            raise Failure(f"--pick ended with status {pick.process.returncode}: {session.log(name)[-800:]}")
        if time.monotonic() - start > 15:
            raise Failure("no frozen screen within 15 s")
        time.sleep(0.002)
    elapsed = (time.monotonic() - start) * 1000
    inside = re.search(MARK + r" \d+ outputs, (\d+) ms", log(name))
    session.keys("Escape")
    pick.process.wait(timeout=15)
    return elapsed, int(inside.group(1)) if inside else float("nan")


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    os.environ["VELLICO_BINARY"] = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with WaylandSession("frozen-loupe-timing") as session:
        session.write_settings(RZLoggingEnabled="true")
        own = [time_one(session, f"own-{run}", session.log) for run in range(runs)]
        session.start_vellico()
        while "Picking path" not in session.vellico_output():
            time.sleep(0.01)
        seen = 0

        def running_log(_name):
            # Only what the running Vellico logged since this run began counts.
            return session.vellico_output()[seen:]
        running = []
        for run in range(runs):
            seen = len(session.vellico_output())
            running.append(time_one(session, f"running-{run}", running_log))
    for label, times in (("own process", own), ("running Vellico", running)):
        values = [total for total, _ in times]
        inside = [counted for _, counted in times]
        print(f"--pick to frozen screen, {label}: median {statistics.median(values):.0f} ms, "
              f"min {min(values):.0f} ms, max {max(values):.0f} ms over {len(values)} runs (target 150 ms); "
              f"counted by Vellico: median {statistics.median(inside):.0f} ms, max {max(inside):.0f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
