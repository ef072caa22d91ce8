#!/usr/bin/python3
"""Colour text at scale, through vellico-cli as a script runs it:

    colour_text_timing.py BUILD [COLORJS_FOLDER]

- 1,000,000 lines of #RRGGBB through `vellico-cli format - --as oklch` and
  `vellico-cli parse -`;
- the same conversion to oklch() in colorjs.io, run by node in the same run,
  when COLORJS_FOLDER holds node_modules/colorjs.io (install it there with
  `npm install colorjs.io`; nothing of it is part of Vellico);
- the names of the same million colours through `vellico-cli name -`.

BUILD is a build folder (Release for figures worth comparing). Each row prints
its time; the colorjs.io row prints how many times longer it takes than
Vellico's format. The input is the same every run (a fixed seed).
"""

import os
import random
import subprocess
import sys
import tempfile
import time

LINES = 1_000_000

NODE_CONVERSION = r"""
const { default: Color } = await import(process.argv[1]);
const lines = require('fs').readFileSync(0, 'utf8').split('\n');
const out = [];
for (const line of lines) {
    if (!line) continue;
    out.push(new Color(line).to('oklch').toString());
}
process.stdout.write(out.join('\n') + '\n');
"""


def timed(command, stdin_path):
    with open(stdin_path, "rb") as source:
        start = time.perf_counter()
        done = subprocess.run(command, stdin=source, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        elapsed = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} failed: {done.stderr.decode()[:400]}")
    lines = done.stdout.count(b"\n")
    if lines != LINES:
        sys.exit(f"{' '.join(command)} wrote {lines} lines, not {LINES}")
    return elapsed


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    cli = os.path.join(sys.argv[1], "src", "cli", "vellico-cli")
    colorjs = None
    if len(sys.argv) == 3:
        colorjs = os.path.join(os.path.abspath(sys.argv[2]), "node_modules", "colorjs.io", "dist", "color.js")
        if not os.path.exists(colorjs):
            sys.exit(f"no colorjs.io at {colorjs}")
    random.seed(33)
    with tempfile.TemporaryDirectory() as folder:
        lines = os.path.join(folder, "colours.txt")
        with open(lines, "w") as out:
            for _ in range(LINES):
                out.write("#%06X\n" % random.randrange(1 << 24))
        rows = []
        formatted = timed([cli, "format", "-", "--as", "oklch"], lines)
        rows.append(("vellico-cli format - --as oklch", formatted, ""))
        rows.append(("vellico-cli parse -", timed([cli, "parse", "-"], lines), ""))
        if colorjs:
            script = os.path.join(folder, "convert.cjs")
            with open(script, "w") as out:
                out.write("(async () => {" + NODE_CONVERSION.replace("await import(process.argv[1])",
                                                                    "await import(process.argv[2])") + "})();")
            node = timed(["node", script, colorjs], lines)
            rows.append(("colorjs.io (node), to oklch", node, f"{node / formatted:.1f}x Vellico's format"))
        named = timed([cli, "name", "-"], lines)
        rows.append(("vellico-cli name -", named, f"{named / LINES * 1e6:.2f} us a colour, reading included"))
    print(f"{LINES:,} lines")
    for label, seconds, note in rows:
        print(f"{label:36} {seconds:8.3f} s  {note}")


if __name__ == "__main__":
    main()
