#!/usr/bin/env python3
"""Desktop tests of `vellico --pick` through the desktop portal's PickColor (the
desktop's own picker), against a portal of our own (fake_portal.py) on the
session's private bus: whatever it answers (a color, a cancel, an end without
a color, an error) becomes the exit status, the printed color and the
one-line reason. The desktop's picker may take as long as the user does; only a
portal that does not take the call at all meets a limit (10 s, shortened here
through VELLICO_PORTAL_REPLY_LIMIT_MS). A --pick ended by a signal ends the
desktop's picker too.
VELLICO_PICK_PATH=portal-pick-color puts Vellico on this path on headless sway,
which would otherwise offer screencopy. One case calls the real desktop portal,
to show that it takes the call as we make it.

    pick_portal_color.py CASE      with VELLICO_BINARY set
"""

import os
import re
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wayland_session import WaylandSession, check_pick, run_case  # noqa: E402
from vellico_e2e import Failure, wait_until  # noqa: E402

FORCED = {"VELLICO_PICK_PATH": "portal-pick-color"}
# Well past the slowest answer here (11 s): a pick that has not ended by then hangs.
PICK_TIMEOUT = 25
# How long a portal may take to take the PickColor call, here.
REPLY_LIMIT = {"VELLICO_PORTAL_REPLY_LIMIT_MS": "2000"}

# Each case: what the fake portal answers, then the exit status, what --pick
# prints, and the reason it gives on standard error (None: it says nothing).
ANSWERS = {
    "portal-pick-color": (["color", "0.2", "0.4", "0.6"], 0, "#336699", None),
    "portal-pick-color-clamped": (["color", "1.5", "-0.25", "0.5"], 0, "#FF0080", None),
    "portal-pick-color-cancel": (["cancel"], 1, "", None),
    "portal-pick-color-other": (["other"], 2, "", "the desktop portal ended the pick without a color"),
    "portal-pick-color-error": (["error"], 2, "",
                                "the desktop portal refused to pick a color: picking colors is not allowed in this test"),
    # The desktop's picker, left open by the user past the old 10 s limit.
    "portal-pick-color-slow": (["color", "0.2", "0.4", "0.6", "--respond-after=11"], 0, "#336699", None),
    "portal-pick-color-no-reply": (["no-reply"], 2, "",
                                   "the desktop portal did not take the PickColor call within 2 s"),
}


def expect_request(portal):
    """The fake portal's record of the PickColor call: the caller's unique name
    and the Request's path, made from it and a token of ours."""
    line = portal.wait_for_line("PickColor at the fake portal", lambda line: line.startswith("pick "))
    _, sender, handle = line.split(" ")
    expected = "/org/freedesktop/portal/desktop/request/" + sender[1:].replace(".", "_") + "/"
    if not handle.startswith(expected) or not re.fullmatch(r"[A-Za-z0-9_]+", handle[len(expected):]):
        raise Failure(f"PickColor came from {sender} with the request {handle}, no handle_token of ours")
    return handle


def answer_case(name):
    answer, status, printed, reason = ANSWERS[name]

    def case(session):
        portal = session.start_fake_portal(*answer)
        started = time.monotonic()
        result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False,
                             **FORCED, **REPLY_LIMIT)
        took = time.monotonic() - started
        check_pick(f"the portal answering {' '.join(answer)}", result, status, printed, reason)
        if answer[0] == "no-reply" and took > 6:
            raise Failure(f"--pick gave up on a portal that took no call after {took:.1f} s, not 2 s")
        handle = expect_request(portal)
        # An answered Request is over already.
        closed = [line for line in portal.read_lines() if line.startswith("closed ")]
        if answer[0] != "no-reply" and closed:
            raise Failure(f"--pick closed an answered request: {closed}")
    return case


def ended_by(pick, name, session, signal_number):
    """`pick` (a Client) ends with status 1 soon after `signal_number`."""
    pick.process.send_signal(signal_number)
    try:
        status = pick.process.wait(timeout=3)
    except Exception:
        raise Failure(f"--pick still runs 3 s after signal {signal_number}: {session.log(name)[-800:]}")
    if status != 1:
        raise Failure(f"--pick ended with status {status} on signal {signal_number}, not 1: {session.log(name)[-800:]}")


def case_silent_until_ended(session):
    """The desktop's picker stays up as long as the user leaves it; a --pick ended by
    SIGTERM (timeout 5 vellico --pick) ends with status 1 and closes the Request."""
    portal = session.start_fake_portal("silent")
    pick = session.start_client([os.environ["VELLICO_BINARY"], "--pick"], name="pick", **FORCED, **REPLY_LIMIT)
    handle = expect_request(portal)
    time.sleep(3)  # past the limit on taking the call
    if pick.process.poll() is not None:
        raise Failure(f"--pick ended with status {pick.process.returncode} while the desktop's picker was up: "
                      f"{session.log('pick')[-800:]}")
    ended_by(pick, "pick", session, signal.SIGTERM)
    portal.wait_for_line("the Request closed", lambda line: line == f"closed {handle}", timeout=2)


def case_running_instance(session):
    """A running Vellico on this path picks through the portal for a second start's
    --pick. (Its selection cannot be read back here: a Wayland client without a
    focused window cannot set the clipboard, so "vellico --copy" cannot show it.)"""
    session.start_fake_portal("color", "0.2", "0.4", "0.6")
    session.start_running_vellico("portal-pick-color", **FORCED)
    result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False)
    check_pick("the running Vellico", result, 0, "#336699")
    if "The desktop portal picked #336699." not in session.vellico_output():
        raise Failure(f"the running Vellico's log does not show its pick:\n{session.vellico_output()[-1500:]}")
    if session.vellico.poll() is not None:
        raise Failure("the running vellico ended after the pick")


def case_running_stays_responsive(session):
    """While the desktop's picker is up for a running Vellico, that Vellico still
    answers: a second --pick waits for the first. The first, ended by SIGINT, ends
    with status 1, and the running Vellico closes its Request within a second; then
    the second asks the portal in turn."""
    portal = session.start_fake_portal("silent")
    session.start_running_vellico("portal-pick-color", **FORCED, **REPLY_LIMIT)
    first = session.start_client([os.environ["VELLICO_BINARY"], "--pick"], name="pick-first")
    handle = expect_request(portal)
    second = session.start_client([os.environ["VELLICO_BINARY"], "--pick"], name="pick-second")
    wait_until("the second pick waiting", lambda: "the new one waits for it" in session.vellico_output()
               or second.process.poll() is not None)
    time.sleep(2.5)  # past the limit on taking the call
    for pick in (first, second):
        if pick.process.poll() is not None:
            raise Failure(f"a --pick ended with status {pick.process.returncode} while the picker was up")
    ended_by(first, "pick-first", session, signal.SIGINT)
    portal.wait_for_line("the Request closed", lambda line: line == f"closed {handle}", timeout=1.5)
    after = expect_request(portal)
    if after == handle:
        raise Failure("the second pick asked with the first one's Request")
    ended_by(second, "pick-second", session, signal.SIGINT)
    portal.wait_for_line("the second Request closed", lambda line: line == f"closed {after}", timeout=1.5)
    if session.vellico.poll() is not None:
        raise Failure("the running vellico ended")


def case_diagnose(session):
    session.start_fake_portal("silent")
    result = session.run([os.environ["VELLICO_BINARY"], "--diagnose"], timeout=PICK_TIMEOUT, **FORCED)
    lines = dict(line.split(": ", 1) for line in result.stdout.splitlines() if ": " in line)
    if not lines.get("screen picking", "").startswith("the desktop's own color picker") or \
            not lines.get("picking path the session offers", "").startswith("portal-pick-color "):
        raise Failure(f"--diagnose says:\n{result.stdout}")


def case_real_portal(session):
    """The real xdg-desktop-portal takes our call as it is made: its wlroots backend
    has no picker of its own, so the portal ends our Request with response 2, and
    that answer reaches us (on the Request path we listened on) within seconds."""
    result = session.run([os.environ["VELLICO_BINARY"], "--pick"], timeout=PICK_TIMEOUT, check=False, **FORCED)
    check_pick("the real portal", result, 2, reason="the desktop portal ended the pick without a color")


CASES = {name: answer_case(name) for name in ANSWERS}
CASES["portal-pick-color-silent"] = case_silent_until_ended
CASES["portal-pick-color-running"] = case_running_instance
CASES["portal-pick-color-running-responsive"] = case_running_stays_responsive
CASES["portal-pick-color-diagnose"] = case_diagnose
CASES["portal-pick-color-real-portal"] = case_real_portal

if __name__ == "__main__":
    sys.exit(run_case(CASES, lambda name: WaylandSession(name, portal=name == "portal-pick-color-real-portal")))
