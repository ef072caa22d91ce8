#!/usr/bin/env python3
"""Fails when a source file includes a folder its own folder may not.

The rules are the README's "Source tree" lines: `src/FOLDER/  what it holds  → ALLOWED...`.
An include names a folder by its path from src/ ("core/VQColor.h" is in core);
a file may always include its own folder. `platform/*` allows every folder
below platform. Includes without a folder, and folders that are not under src/
(generated protocol headers), are not checked.

  check-includes.py [REPOSITORY]      check the repository (default: this one)
  check-includes.py --self-test       check that a forbidden include is caught
"""

import pathlib
import re
import sys
import tempfile

RULE = re.compile(r"^src/(\S+?)/\s.*→(.*)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCES = (".cpp", ".h", ".inc", ".c")


def read_rules(readme):
    text = readme.read_text(encoding="utf-8")
    section = text.split("## Source tree", 1)[1].split("\n## ", 1)[0]
    rules = {}
    for line in section.splitlines():
        match = RULE.match(line)
        if match:
            rules[match.group(1)] = match.group(2).split()
    return rules


def allowed(folder, target, rules):
    if target == folder:
        return True
    for entry in rules.get(folder, []):
        if entry == target or (entry.endswith("/*") and target.startswith(entry[:-1])):
            return True
    return False


def problems(root):
    rules = read_rules(root / "README.md")
    if not rules:
        return ["README.md: the \"Source tree\" section gives no folder rules"]
    src = root / "src"
    folders = {str(path.relative_to(src)) for path in src.rglob("*") if path.is_dir()}
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in SOURCES or not path.is_file():
            continue
        folder = str(path.parent.relative_to(src))
        if folder not in rules:
            found.append(f"{path.relative_to(root)}: its folder src/{folder}/ has no line in the README's source tree")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            target = match.group(1).rsplit("/", 1)[0]
            if target in folders and not allowed(folder, target, rules):
                found.append(f"{path.relative_to(root)}:{number}: src/{folder}/ may not include {match.group(1)}")
    return found


def self_test():
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch)
        (root / "src/core").mkdir(parents=True)
        (root / "src/ui/lane").mkdir(parents=True)
        (root / "README.md").write_text(
            "## Source tree\n```\nsrc/core/  colours  →\nsrc/ui/lane/  the lane  → core\n```\n## Next\n",
            encoding="utf-8",
        )
        (root / "src/ui/lane/Lane.cpp").write_text('#include "core/Color.h"\n#include <QWidget>\n', encoding="utf-8")
        (root / "src/core/Color.h").write_text('#include "core/Other.h"\n', encoding="utf-8")
        if problems(root):
            return ["self-test: allowed includes were refused: " + "; ".join(problems(root))]
        (root / "src/core/Color.cpp").write_text('#include "ui/lane/Lane.h"\n', encoding="utf-8")
        if len(problems(root)) != 1:
            return ["self-test: core including the lane was not caught"]
        (root / "src/extra").mkdir()
        (root / "src/extra/X.cpp").write_text("", encoding="utf-8")
        if len(problems(root)) != 2:
            return ["self-test: a folder without a rule was not caught"]
    return []


def main(argv):
    if argv[1:] == ["--self-test"]:
        found = self_test()
    else:
        root = pathlib.Path(argv[1] if len(argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
        found = problems(root)
    for line in found:
        print(line, file=sys.stderr)
    if found:
        print("check-includes: fix the include or, if the dependency is wanted, the README's source tree",
              file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
