#!/usr/bin/env python3
"""The one-instance channel of the real program, attacked from outside.

    channel_e2e.py CASE      with VELLICO_BINARY set

other-user-first    without XDG_RUNTIME_DIR, another user has already made
                    the lock and a socket in the shared temporary folder;
                    Vellico must start anyway and keep its commands to itself.
other-user-refused  another user reaches Vellico's socket (through a hard
                    link); the connection is refused, later starts still work.
idle-connections    more idle connections than Vellico could keep open, also
                    with so few descriptors that accept() fails; a later
                    `vellico --copy` is still answered, the idle ones closed.

The first two run as a second local user (other_user.py) and are skipped
(status 77) where the machine does not allow one.
"""

import ast
import os
import pwd
import resource
import socket
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import other_user  # noqa: E402
import vellico_e2e  # noqa: E402
from vellico_e2e import Failure, Session, wait_until  # noqa: E402

# The other user's stand-in for Vellico in the shared folder: an empty lock,
# the folder Vellico would otherwise make there, and a socket that writes down
# every command it gets and answers as a running Vellico would.
INTRUDER = r"""
import os, socket, sys
folder, victim, log = sys.argv[1:4]
os.mkdir(os.path.join(folder, "runtime-" + victim), 0o700)
open(os.path.join(folder, "vellico.lock"), "w").close()
path = os.path.join(folder, "vellico.socket")
server = socket.socket(socket.AF_UNIX)
server.bind(path)
os.chmod(path, 0o777)
server.listen(16)
print("ready", flush=True)
while True:
    connection, _ = server.accept()
    with connection:
        line = connection.makefile("rb").readline().decode()
        with open(log, "a") as out:
            out.write(line)
        connection.sendall(b"picked #ABCDEF\n" if "--pick" in line else b"ok\n")
"""

# Sends one command to a socket and prints whatever comes back before it closes.
ASK = r"""
import socket, sys
client = socket.socket(socket.AF_UNIX)
client.settimeout(10)
client.connect(sys.argv[1])
answer = b""
try:
    client.sendall(sys.argv[2].encode() + b"\n")
    while chunk := client.recv(4096):
        answer += chunk
except (BrokenPipeError, ConnectionResetError):
    pass  # closed on us: what came so far is the answer
print(repr(answer.decode()))
"""

USER = None


class SharedTempSession(Session):
    """A session without XDG_RUNTIME_DIR whose temporary folder is shared, as /tmp is."""

    def __init__(self, name):
        super().__init__(name)
        self.shared = tempfile.mkdtemp(prefix="vellico-shared-tmp-")
        os.chmod(self.shared, 0o1777)

    def environment(self):
        env = super().environment()
        env.pop("XDG_RUNTIME_DIR")
        env["TMPDIR"] = self.shared
        return env

    def close(self):
        super().close()
        subprocess.run(["rm", "-rf", self.shared], check=False)


def ask(path, message, user=None):
    """The answer to `message` on the socket at `path`, asked as `user` (default: us)."""
    command = [other_user.PYTHON if user else sys.executable, "-c", ASK, path, message]
    pipes = dict(stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    process = other_user.popen(user, command, **pipes) if user else subprocess.Popen(command, **pipes)
    out, err = process.communicate(timeout=20)
    if process.returncode != 0:
        raise Failure(f"asking {path} failed: {err.strip()}")
    return ast.literal_eval(out)  # the repr printed by ASK


def case_other_user_first(session):
    log = os.path.join(session.shared, "intruder.log")
    victim = pwd.getpwuid(os.geteuid()).pw_name
    intruder = other_user.popen(USER, [other_user.PYTHON, "-c", INTRUDER, session.shared, victim, log],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    session.processes.append(intruder)
    if intruder.stdout.readline().strip() != "ready":
        raise Failure(f"the other user's socket did not start: {intruder.stderr.read()}")
    # The trap works: a start that trusted it would be answered.
    if ask(os.path.join(session.shared, "vellico.socket"), "probe") != "ok\n":
        raise Failure("the other user's socket does not answer")

    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    vellico_e2e.run_again(session, "--copy")
    if session.vellico.poll() is not None:
        raise Failure("vellico ended after a later start")
    with open(log) as received:
        commands = received.read()
    if commands != "probe\n":
        raise Failure(f"the other user's socket received our commands: {commands!r}")
    if intruder.poll() is not None:
        raise Failure("the other user's socket went away during the test")
    # The user hears why Vellico did not use the usual folder.
    taken = os.path.join(session.shared, "runtime-" + victim)
    if f"{taken} belongs to user {USER.pw_uid}" not in session.output():
        raise Failure(f"vellico did not say that {taken} is someone else's")


def case_other_user_refused(session):
    session.start_vellico()
    vellico_e2e.wait_for_icon(session)
    # Our runtime folder is closed to others; a hard link shows them the socket
    # itself, as any folder that let them in would.
    shared = tempfile.mkdtemp(prefix="vellico-link-", dir=os.path.dirname(session.home))
    try:
        os.chmod(shared, 0o755)
        link = os.path.join(shared, "vellico.socket")
        os.link(os.path.join(session.home, "runtime", "vellico.socket"), link)
        os.chmod(link, 0o777)
        answer = ask(link, "--copy", USER)
        if answer:
            raise Failure(f"a connection from another user was answered: {answer!r}")
        # The same socket still serves us.
        if ask(link, "--copy") != "ok\n":
            raise Failure("the socket did not answer its own user")
    finally:
        subprocess.run(["rm", "-rf", shared], check=False)
    vellico_e2e.run_again(session, "--copy")


# (Vellico's limit of open files, idle connections offered): more connections
# than it could keep open, and a limit so low that accept() runs out first.
IDLE_ROWS = ((1024, 1100), (30, 200))


def case_idle_connections(session):
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    try:
        for limit, count in IDLE_ROWS:
            if hard != resource.RLIM_INFINITY:
                limit, count = min(limit, hard), min(count, hard - 64)
            try:
                offer_idle_connections(session, limit, count, soft, hard)
            except Failure as failure:
                raise Failure(f"with {limit} open files and {count} connections: {failure}")
    finally:
        resource.setrlimit(resource.RLIMIT_NOFILE, (soft, hard))


def offer_idle_connections(session, limit, count, soft, hard):
    resource.setrlimit(resource.RLIMIT_NOFILE, (limit, hard))
    try:
        session.start_vellico()
    finally:
        resource.setrlimit(resource.RLIMIT_NOFILE, (max(soft, count + 64), hard))
    vellico_e2e.wait_for_icon(session)
    path = os.path.join(session.home, "runtime", "vellico.socket")
    idle = []
    try:
        for _ in range(count):
            # Blocking: connect() waits while the backlog is full.
            connection = socket.socket(socket.AF_UNIX)
            try:
                connection.connect(path)
            except OSError:
                connection.close()
                break
            idle.append(connection)
        vellico_e2e.run_again(session, "--copy")

        def all_closed():
            open_ones = []
            for connection in idle:
                connection.setblocking(False)
                try:
                    if connection.recv(1):
                        raise Failure("vellico sent something on a connection that asked nothing")
                except BlockingIOError:
                    open_ones.append(connection)
                    continue
                except ConnectionError:
                    pass
                connection.close()
            idle[:] = open_ones
            return not idle

        wait_until("vellico to close the idle connections", all_closed, timeout=30)
    finally:
        for connection in idle:
            connection.close()
    vellico_e2e.run_again(session, "--copy")
    session.vellico.terminate()
    session.ended_cleanly()


CASES = {
    "other-user-first": case_other_user_first,
    "other-user-refused": case_other_user_refused,
    "idle-connections": case_idle_connections,
}
NEEDS_OTHER_USER = ("other-user-first", "other-user-refused")


def main():
    global USER
    if len(sys.argv) == 2 and sys.argv[1] in NEEDS_OTHER_USER:
        USER = other_user.account()
        if USER is None:
            return other_user.SKIPPED
    session_class = SharedTempSession if sys.argv[1:] == ["other-user-first"] else None
    return vellico_e2e.run_case(CASES, session_class=session_class, prefix="channel-")


if __name__ == "__main__":
    sys.exit(main())
