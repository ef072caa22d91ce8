#!/usr/bin/env python3
"""The Wayland harness run from a checkout its session user cannot read (a clone
in root's home, 0700 as Debian makes homes): the scripts that user runs, such
as the fake portal, are handed over into the session's home. One fake-portal
case is run from a copy of the test scripts in a private folder.

    private_checkout.py CASE-SCRIPT CASE
"""

import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    script, case = sys.argv[1], sys.argv[2]
    private = tempfile.mkdtemp(prefix="vellico-private-checkout-")
    try:
        os.chmod(private, 0o700)
        for folder in ("wayland", "e2e"):
            shutil.copytree(os.path.join(HERE, "..", folder), os.path.join(private, "tests", folder))
        copy = os.path.join(private, "tests", "wayland", script)
        return subprocess.run([sys.executable, copy, case]).returncode
    finally:
        shutil.rmtree(private, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
