"""A second, unprivileged local user for the tests that play someone else on
the same machine.

    user = other_user.account()        # None (reason printed) where impossible
    other_user.popen(user, [other_user.PYTHON, ...])   # a process running as that user

Making and becoming another user needs root (as CI runs); a test that cannot
have one exits with SKIPPED, which CTest reports as skipped.
"""

import os
import pwd
import shutil
import subprocess
import sys

NAME = "vellico-test-other"
SKIPPED = 77
# A Python the other user can run (the tests' own may sit in root's home).
PYTHON = shutil.which("python3", path="/usr/bin:/bin") or sys.executable


def account():
    """The second user's passwd entry, added as a system user when absent."""
    if os.geteuid() != 0:
        print(f"SKIP: running as another user ({NAME}) needs root")
        return None
    try:
        return pwd.getpwnam(NAME)
    except KeyError:
        pass
    useradd = shutil.which("useradd")
    if useradd is None:
        print("SKIP: no useradd to add a second user")
        return None
    made = subprocess.run([useradd, "--system", "--no-create-home", "--home-dir", "/nonexistent",
                           "--shell", "/usr/sbin/nologin", NAME], capture_output=True, text=True)
    try:
        # A test running alongside may have added it a moment earlier.
        return pwd.getpwnam(NAME)
    except KeyError:
        print(f"SKIP: could not add the user {NAME}: {made.stderr.strip()}")
        return None


def popen(user, command, **options):
    """Starts `command` as `user`, without root's groups, in /."""
    return subprocess.Popen(command, user=user.pw_uid, group=user.pw_gid, extra_groups=[], cwd="/",
                            env={"PATH": "/usr/bin:/bin", "HOME": "/nonexistent", "LANG": "C.UTF-8"},
                            **options)
