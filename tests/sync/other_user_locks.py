#!/usr/bin/env python3
"""Another local user holds every lock it can while we synchronise (VELLICO_CLI names vellico-cli).

The sync folder is ours (mode 0755): the other user, a real second account
(tests/e2e/other_user.py), may only read it. It opens and holds flock(2) on
everything there it can open, the ".NAME.lock" files that earlier versions
left beside each library among them, and tries to open the lock files our
first pass made in our runtime folder. Our `vellico-cli sync` must still
merge the other computer's library and write our own file; the other user
must have been unable to open any of our lock files; and the old lock files
stay where they were.

Needs root to make and become the other user; otherwise it reports itself
skipped (77).
"""

import hashlib
import json
import os
import plistlib
import pwd
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import other_user  # noqa: E402

# The other user: holds an exclusive flock on every entry of the folder it can
# open, and says which of the paths given it could open at all.
INTRUDER = r"""
import fcntl, json, os, sys
folder, ours = sys.argv[1], sys.argv[2:]
held, opened = [], []
for name in sorted(os.listdir(folder)):
    try:
        fd = os.open(os.path.join(folder, name), os.O_RDONLY | os.O_NONBLOCK)
        fcntl.flock(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
        held.append(name)
    except OSError:
        pass
for path in ours:
    try:
        os.open(path, os.O_RDONLY | os.O_NONBLOCK)
        opened.append(path)
    except OSError:
        pass
print(json.dumps({"held": held, "opened": opened}), flush=True)
sys.stdin.read()  # holds everything until we are done
"""


def library(title, created):
    return plistlib.dumps({"DBVersion": "0.3", "RZRemovedCollectionIDs": [], "contents": [
        {"RZTitle": title, "RZCreationDate": created, "RZModificationDate": created, "RZRemovedIDs": [],
         "RZColors": []}]})


def titles(path):
    with open(path, "rb") as f:
        return sorted(c["RZTitle"] for c in plistlib.load(f)["contents"])


def main():
    if "VELLICO_CLI" not in os.environ:
        print("VELLICO_CLI is not set", file=sys.stderr)
        return 2
    user = other_user.account()
    if user is None:
        return other_user.SKIPPED
    with tempfile.TemporaryDirectory(prefix="vellico-other-user-locks-") as root:
        os.chmod(root, 0o755)
        folder, home, runtime = (os.path.join(root, name) for name in ("share", "home", "runtime"))
        os.mkdir(folder, 0o755)
        os.mkdir(home, 0o700)
        os.mkdir(runtime, 0o700)
        ours = os.path.join(home, "Vellico Library.vlb")
        with open(ours, "wb") as f:
            f.write(library("Ours", 1700000000))
        with open(os.path.join(folder, "laptop.vlb"), "wb") as f:
            f.write(library("Laptop", 1700000100))
        machine = "this-computer"
        own = pwd.getpwuid(os.getuid()).pw_name + hashlib.md5(machine.encode()).hexdigest() + ".vlb"
        env = dict(os.environ, HOME=home, VELLICO_MACHINE_ID=machine, XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"), XDG_DATA_HOME=os.path.join(home, ".local/share"),
                   XDG_STATE_HOME=os.path.join(home, ".local/state"))

        def sync():
            return subprocess.run([os.environ["VELLICO_CLI"], "sync", "--folder", folder, "--library", ours],
                                  env=env, capture_output=True, text=True, timeout=60)

        first = sync()
        if first.returncode != 0:
            print(f"FAIL the first pass failed: {first.stderr}", file=sys.stderr)
            return 1
        # What an earlier version left in the folder, as it made them.
        old_locks = {"." + name + ".lock" for name in (own, "laptop.vlb")}
        for name in old_locks:
            os.close(os.open(os.path.join(folder, name), os.O_WRONLY | os.O_CREAT, 0o644))
        with open(os.path.join(folder, "laptop.vlb"), "wb") as f:
            f.write(library("Laptop later", 1700000200))
        our_locks = [os.path.join(dirpath, name) for dirpath, _, names in os.walk(runtime) for name in names]

        intruder = other_user.popen(user, [other_user.PYTHON, "-c", INTRUDER, folder, *our_locks],
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        try:
            seen = json.loads(intruder.stdout.readline() or "{}")
            if not old_locks <= set(seen.get("held", [])):
                print(f"FAIL the other user did not hold the old lock files: {seen}", file=sys.stderr)
                return 1
            if seen["opened"]:
                print(f"FAIL the other user could open our lock files: {seen['opened']}", file=sys.stderr)
                return 1
            second = sync()
        finally:
            intruder.stdin.close()
            intruder.wait(timeout=10)
        if second.returncode != 0:
            print(f"FAIL the pass failed while the other user held the locks: {second.stderr}", file=sys.stderr)
            return 1
        expected = ["Laptop", "Laptop later", "Ours"]
        for path in (ours, os.path.join(folder, own)):
            if titles(path) != expected:
                print(f"FAIL {path} holds {titles(path)}, not {expected}", file=sys.stderr)
                return 1
        if not all(os.path.isfile(os.path.join(folder, name)) for name in old_locks):
            print("FAIL an old lock file was removed", file=sys.stderr)
            return 1
        print(f"PASS the other user held {seen['held']}, could open none of {len(our_locks)} lock files of ours")
    return 0


if __name__ == "__main__":
    sys.exit(main())
