#!/usr/bin/env python3
"""Six `vellico-cli import FILE --into LIBRARY` at once (VELLICO_CLI names it).

Each import is its own process; they start together, so they make collections
and colours within the same seconds and write one library at the same time.
The library must end up holding what the same imports leave one after another:
every collection and every colour, none merged into another.
"""

import os
import plistlib
import struct
import subprocess
import sys
import tempfile
import threading

IMPORTS = 6
ROUNDS = 3


def ase_block(kind, body):
    return struct.pack(">HI", kind, len(body)) + body


def ase_name(text):
    encoded = (text + "\0").encode("utf-16-be")
    return struct.pack(">H", len(encoded) // 2) + encoded


def ase_file(groups):
    """An Adobe Swatch Exchange file: [(group title, [(name, r, g, b)])]."""
    blocks = []
    for title, colors in groups:
        blocks.append(ase_block(0xC001, ase_name(title)))
        for name, r, g, b in colors:
            blocks.append(ase_block(0x0001, ase_name(name) + b"RGB " + struct.pack(">fffH", r, g, b, 2)))
        blocks.append(ase_block(0xC002, b""))
    return b"ASEF" + struct.pack(">HHI", 1, 0, len(blocks)) + b"".join(blocks)


def swatch_files(folder):
    """Files of one to four groups of a few colours each; some share titles and colours."""
    paths = []
    for i in range(IMPORTS):
        groups = []
        for g in range(1 + i % 4):
            colors = [(f"Swatch {i}.{g}.{k}", k / 40, (i * 7 % 10) / 10, g / 4) for k in range(3 + (i + g) % 8)]
            groups.append((f"Palette {g}", colors))
        path = os.path.join(folder, f"palette-{i}.ase")
        with open(path, "wb") as f:
            f.write(ase_file(groups))
        paths.append(path)
    return paths


def totals(library):
    with open(library, "rb") as f:
        contents = plistlib.load(f)["contents"]
    return len(contents), sum(len(c["RZColors"]) for c in contents)


def run(cli, file, library):
    return subprocess.run([cli, "import", file, "--into", library], capture_output=True, text=True, timeout=60)


def main():
    cli = os.environ.get("VELLICO_CLI")
    if not cli:
        print("VELLICO_CLI is not set", file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory(prefix="vellico-concurrent-import-") as root:
        env_home = os.path.join(root, "home")
        os.makedirs(env_home)
        os.environ.update(HOME=env_home, XDG_CONFIG_HOME=os.path.join(env_home, ".config"),
                          XDG_DATA_HOME=os.path.join(env_home, ".local/share"))
        files = swatch_files(root)

        one_by_one = os.path.join(root, "one-by-one.vlb")
        for file in files:
            result = run(cli, file, one_by_one)
            if result.returncode != 0:
                print(f"FAIL import of {file} failed: {result.stderr}", file=sys.stderr)
                return 1
        expected = totals(one_by_one)

        # A few rounds: the processes must really overlap for a lost write to show.
        for attempt in range(ROUNDS):
            together = os.path.join(root, f"together-{attempt}.vlb")
            start = threading.Barrier(IMPORTS)
            results = [None] * IMPORTS

            def worker(i):
                start.wait()
                results[i] = run(cli, files[i], together)

            threads = [threading.Thread(target=worker, args=(i,)) for i in range(IMPORTS)]
            for t in threads:
                t.start()
            for t in threads:
                t.join()
            for file, result in zip(files, results):
                if result.returncode != 0:
                    print(f"FAIL concurrent import of {file} failed: {result.stderr}", file=sys.stderr)
                    return 1
            held = totals(together)
            if held != expected:
                print(f"FAIL round {attempt + 1}: together {held[0]} collections, {held[1]} colours; one by one "
                      f"{expected[0]} collections, {expected[1]} colours", file=sys.stderr)
                return 1
        print(f"PASS {held[0]} collections, {held[1]} colours")
    return 0


if __name__ == "__main__":
    sys.exit(main())
