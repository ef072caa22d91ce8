#!/usr/bin/env python3
"""`vellico-cli import FILE --into LIBRARY` where the library cannot be written.

    write_errors.py CASE      with VELLICO_CLI set

full-disk           the library's folder is a tmpfs of 64 KB, too small for
                    what is imported: the message says "No space left on device"
read-only-mount     the folder is a file system mounted read-only: the
                    message says "Read-only file system"
folder-not-writable the folder is ours with mode 0555 (root runs the import
                    without its power over permissions): "Permission denied"

Each time the library keeps what it held and nothing is left in its folder.
Mounting needs root: without it the first two report themselves skipped (77).
"""

import ctypes
import os
import plistlib
import subprocess
import sys
import tempfile

SKIPPED = 77
PR_CAPBSET_DROP = 24
CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH = 1, 2


def palette(path, colours):
    with open(path, "w") as f:
        f.write("GIMP Palette\nName: Test\n#\n")
        for i in range(colours):
            f.write(f"{i % 256} {i * 7 % 256} {i * 13 % 256}\tColour {i} with a name long enough to fill a disk\n")
    return path


def without_permission_override():
    """Run as root, the import may no longer write where the mode forbids it."""
    libc = ctypes.CDLL(None, use_errno=True)
    for capability in (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH):
        if libc.prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0:
            raise OSError(ctypes.get_errno(), "prctl(PR_CAPBSET_DROP)")


def main():
    case = sys.argv[1] if len(sys.argv) == 2 else ""
    expected = {"full-disk": "No space left on device", "read-only-mount": "Read-only file system",
                "folder-not-writable": "Permission denied"}.get(case)
    if expected is None or "VELLICO_CLI" not in os.environ:
        print(f"usage: VELLICO_CLI=... {sys.argv[0]} full-disk|read-only-mount|folder-not-writable", file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory(prefix="vellico-write-errors-") as root:
        folder = os.path.join(root, "library")
        os.mkdir(folder)
        runtime = os.path.join(root, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, HOME=root, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(root, ".config"),
                   XDG_DATA_HOME=os.path.join(root, ".local/share"), XDG_STATE_HOME=os.path.join(root, ".local/state"))
        library = os.path.join(folder, "lib.vlb")

        mounted = False
        if case != "folder-not-writable":
            if os.geteuid() != 0:
                print("SKIP: mounting a file system needs root")
                return SKIPPED
            mount = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k,mode=0755", "tmpfs", folder],
                                   capture_output=True, text=True)
            if mount.returncode != 0:
                print(f"SKIP: cannot mount a tmpfs: {mount.stderr.strip()}")
                return SKIPPED
            mounted = True
        try:
            # What the library holds before; written here, so that no earlier
            # import has left anything beside it.
            before = plistlib.dumps({"DBVersion": "0.3", "RZRemovedCollectionIDs": [], "contents": [
                {"RZTitle": "Kept", "RZCreationDate": 1700000000, "RZModificationDate": 1700000000,
                 "RZRemovedIDs": [], "RZColors": []}]})
            with open(library, "wb") as f:
                f.write(before)
            if case == "read-only-mount":
                subprocess.run(["mount", "-o", "remount,ro", folder], check=True)
            elif case == "folder-not-writable":
                os.chmod(folder, 0o555)

            result = subprocess.run(
                [os.environ["VELLICO_CLI"], "import", palette(os.path.join(root, "new.gpl"), 1000), "--into", library],
                env=env, capture_output=True, text=True, timeout=60,
                preexec_fn=without_permission_override if os.geteuid() == 0 else None)
            if result.returncode != 1 or expected not in result.stderr:
                print(f"FAIL status {result.returncode}, expected 1 and a message with {expected!r}: "
                      f"{result.stderr!r}", file=sys.stderr)
                return 1
            with open(library, "rb") as f:
                if f.read() != before:
                    print("FAIL the library changed", file=sys.stderr)
                    return 1
            left = sorted(set(os.listdir(folder)) - {"lib.vlb"})
            if left:
                print(f"FAIL left in the library's folder: {left}", file=sys.stderr)
                return 1
            print(f"PASS {case}: {result.stderr.strip()}")
            return 0
        finally:
            if mounted:
                subprocess.run(["umount", "-l", folder])
            else:
                os.chmod(folder, 0o755)


if __name__ == "__main__":
    sys.exit(main())
