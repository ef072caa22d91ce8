#!/usr/bin/env python3
"""Writes resources/colornames/color-names.txt from the color-name-list package.

The package is MIT-licensed (see resources/colornames/LICENSE). Get it with
`npm pack color-name-list@14.51.0`, then run:

    scripts/generate-color-names.py color-name-list-14.51.0.tgz

Each line of the result is RRGGBB, a tab and the name, in the package's order.
The build reads only the result; it never needs npm.
"""
import json
import sys
import tarfile
from pathlib import Path

EXPECTED_VERSION = "14.51.0"


def main() -> int:
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with tarfile.open(sys.argv[1]) as archive:
        package = json.load(archive.extractfile("package/package.json"))
        if package["version"] != EXPECTED_VERSION:
            print(f"expected version {EXPECTED_VERSION}, found {package['version']}", file=sys.stderr)
            return 1
        names = json.load(archive.extractfile("package/dist/colornames.json"))
        licence = archive.extractfile("package/LICENSE").read().decode("utf-8")
    out = Path(__file__).resolve().parent.parent / "resources" / "colornames"
    lines = []
    for entry in names:
        name, hex_value = entry["name"], entry["hex"]
        if not (len(hex_value) == 7 and hex_value[0] == "#") or "\t" in name or "\n" in name:
            print(f"unexpected entry {entry!r}", file=sys.stderr)
            return 1
        lines.append(f"{hex_value[1:].upper()}\t{name}\n")
    (out / "color-names.txt").write_text("".join(lines), encoding="utf-8")
    (out / "LICENSE").write_text(licence, encoding="utf-8")
    print(f"{len(lines)} names written", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
