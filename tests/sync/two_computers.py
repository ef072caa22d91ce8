#!/usr/bin/env python3
"""Two computers, one shared folder, vellico-cli on each.

    two_computers.py        with VELLICO_CLI pointing at vellico-cli

Both start from one library. Each changes it the way the desktop program does
(adds, renames, removes and reorders colours and collections; an import makes
several in one second), then each runs `vellico-cli sync` as its own computer
(VELLICO_MACHINE_ID) and with its own HOME. The passes run in both orders; at
the end both libraries hold the same collections and colours: nothing that was
not deleted is lost, nothing deleted comes back, and the newer change wins.
"""

import copy
import os
import plistlib
import shutil
import subprocess
import sys
import tempfile

T0 = 1690000000
TA = 1700000100  # when computer A's changes are made
TB = 1700000200  # when computer B's, later


def color(cid, name, r=0.5, g=0.5, b=0.5, modified=T0 + 500):
    return {"RZColorSpace": 0, "RZComponent1": r, "RZComponent2": g, "RZComponent3": b, "RZComponent4": 0.0,
            "RZColorID": cid, "RZModificationDate": modified, "RZName": name}


def collection(created, title, colors, modified=T0 + 500):
    return {"RZTitle": title, "RZCreationDate": created, "RZModificationDate": modified,
            "RZRemovedIDs": [], "RZColors": colors}


WARM, COOL, SPARE = T0 + 1, T0 + 2, T0 + 3
START = {
    "DBVersion": "0.3",
    "contents": [
        collection(WARM, "Warm", [color(T0 + 101, "Ember", 0.9, 0.3, 0.1), color(T0 + 102, "Rust", 0.6, 0.2, 0.1),
                                  color(T0 + 103, "Sand", 0.9, 0.8, 0.6)]),
        collection(COOL, "Cool", [color(T0 + 201, "Ice", 0.8, 0.9, 1.0), color(T0 + 202, "Sky", 0.4, 0.6, 0.9)]),
        collection(SPARE, "Spare", [color(T0 + 301, "Grey")]),
    ],
    "RZRemovedCollectionIDs": [],
}


# -- the user's changes, as the desktop program records them -------------------

def find(library, created):
    return next(c for c in library["contents"] if c["RZCreationDate"] == created)


def add_collection(library, created, title, colors, now):
    library["contents"].append(collection(created, title, colors, modified=now))


def rename_collection(library, created, title, now):
    c = find(library, created)
    c["RZTitle"], c["RZModificationDate"] = title, now


def remove_collection(library, created):
    library["contents"].remove(find(library, created))
    library["RZRemovedCollectionIDs"].append(created)


def move_collection(library, created, index):
    c = find(library, created)
    library["contents"].remove(c)
    library["contents"].insert(index, c)


def add_color(library, created, new, now):
    c = find(library, created)
    c["RZColors"].append(new)
    c["RZModificationDate"] = now


def rename_color(library, created, cid, name, now):
    c = find(library, created)
    k = next(k for k in c["RZColors"] if k["RZColorID"] == cid)
    k["RZName"], k["RZModificationDate"] = name, now


def remove_color(library, created, cid, now):
    c = find(library, created)
    c["RZColors"] = [k for k in c["RZColors"] if k["RZColorID"] != cid]
    c["RZRemovedIDs"].append(cid)
    c["RZModificationDate"] = now


def select_color(library, created, cid, now):
    """Moves the colour to the front, as selecting it in the collection does."""
    c = find(library, created)
    k = next(k for k in c["RZColors"] if k["RZColorID"] == cid)
    c["RZColors"].remove(k)
    c["RZColors"].insert(0, k)
    c["RZModificationDate"] = now


def changes_on_a(library):
    # An import of two groups: collections and colours made within one second.
    add_collection(library, TA, "Import A1", [color(TA, "A red", 1, 0, 0), color(TA + 1, "A green", 0, 1, 0)], TA)
    add_collection(library, TA + 1, "Import A2", [color(TA + 2, "A blue", 0, 0, 1)], TA)
    rename_color(library, WARM, T0 + 101, "Ember glow", TA)
    remove_color(library, WARM, T0 + 102, TA)
    select_color(library, WARM, T0 + 103, TA)
    rename_color(library, COOL, T0 + 202, "Sky A", TA)
    remove_collection(library, SPARE)
    move_collection(library, COOL, 0)


def changes_on_b(library):
    add_color(library, COOL, color(TB, "Deep", 0, 0.2, 0.5), TB)
    rename_collection(library, COOL, "Cool blues", TB)
    remove_color(library, COOL, T0 + 201, TB)
    add_collection(library, TB, "Import B1", [color(TB + 1, "B cyan", 0, 1, 1), color(TB + 2, "B pink", 1, 0.5, 0.7)], TB)
    add_collection(library, TB + 1, "Import B2", [color(TB + 3, "B olive", 0.5, 0.5, 0)], TB)
    rename_color(library, WARM, T0 + 103, "Dune", TB)
    rename_color(library, COOL, T0 + 202, "Sky B", TB)   # later than A's "Sky A": wins
    add_color(library, SPARE, color(TB + 4, "Slate"), TB)  # A deleted the collection: it goes all the same
    move_collection(library, WARM, 2)


# What both must hold in the end: collection → (title, {colour → name}).
EXPECTED = {
    WARM: ("Warm", {T0 + 101: "Ember glow", T0 + 103: "Dune"}),
    COOL: ("Cool blues", {T0 + 202: "Sky B", TB: "Deep"}),
    TA: ("Import A1", {TA: "A red", TA + 1: "A green"}),
    TA + 1: ("Import A2", {TA + 2: "A blue"}),
    TB: ("Import B1", {TB + 1: "B cyan", TB + 2: "B pink"}),
    TB + 1: ("Import B2", {TB + 3: "B olive"}),
}


class Failure(Exception):
    pass


class Computer:
    def __init__(self, name, root, folder):
        self.name = name
        self.home = os.path.join(root, name)
        self.folder = folder
        self.library = os.path.join(self.home, "Vellico Library.vlb")
        os.makedirs(self.home)

    def read(self):
        with open(self.library, "rb") as f:
            return plistlib.load(f)

    def write(self, library):
        with open(self.library, "wb") as f:
            plistlib.dump(library, f)

    def change(self, changes):
        library = self.read()
        changes(library)
        self.write(library)

    def sync(self):
        env = dict(os.environ, HOME=self.home, VELLICO_MACHINE_ID=self.name,
                   XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_DATA_HOME=os.path.join(self.home, ".local/share"),
                   XDG_STATE_HOME=os.path.join(self.home, ".local/state"))
        result = subprocess.run([os.environ["VELLICO_CLI"], "sync", "--folder", self.folder,
                                 "--library", self.library], env=env, capture_output=True, text=True, timeout=60)
        if result.returncode != 0:
            raise Failure(f"sync on {self.name} failed ({result.returncode}): {result.stderr}")

    def state(self):
        library = self.read()
        state = {}
        for c in library["contents"]:
            if c["RZCreationDate"] in state:
                raise Failure(f"{self.name} holds collection {c['RZCreationDate']} twice")
            colors = {k["RZColorID"]: k["RZName"] for k in c["RZColors"]}
            if len(colors) != len(c["RZColors"]):
                raise Failure(f"{self.name} holds a colour twice in {c['RZTitle']}")
            state[c["RZCreationDate"]] = (c["RZTitle"], colors)
        return state


def describe(state):
    return "\n".join(f"  {cid} {title!r}: {colors}" for cid, (title, colors) in sorted(state.items()))


def scenario(order):
    root = tempfile.mkdtemp(prefix="vellico-two-computers-")
    try:
        folder = os.path.join(root, "shared")
        os.makedirs(folder)
        a, b = Computer("computer-a", root, folder), Computer("computer-b", root, folder)
        for computer in (a, b):
            computer.write(copy.deepcopy(START))
        a.change(changes_on_a)
        b.change(changes_on_b)

        first, second = (a, b) if order == "a-first" else (b, a)
        for computer in (first, second, first):
            computer.sync()
        for computer in (a, b):
            if computer.state() != EXPECTED:
                raise Failure(f"{order}: {computer.name} holds\n{describe(computer.state())}\n"
                              f"instead of\n{describe(EXPECTED)}")

        # Further passes change nothing, and each computer has exactly one file.
        for computer in (second, first):
            computer.sync()
            if computer.state() != EXPECTED:
                raise Failure(f"{order}: a further pass changed {computer.name}")
        libraries = sorted(name for name in os.listdir(folder) if name.endswith(".vlb"))
        if len(libraries) != 2:
            raise Failure(f"{order}: the folder holds {libraries}")
        for name in libraries:
            with open(os.path.join(folder, name), "rb") as f:
                shared = plistlib.load(f)
            ids = {c["RZCreationDate"] for c in shared["contents"]}
            if ids != set(EXPECTED):
                raise Failure(f"{order}: {name} holds collections {sorted(ids)}")
    finally:
        shutil.rmtree(root, ignore_errors=True)


def main():
    if "VELLICO_CLI" not in os.environ:
        print("VELLICO_CLI is not set", file=sys.stderr)
        return 2
    for order in ("a-first", "b-first"):
        try:
            scenario(order)
        except Failure as failure:
            print(f"FAIL {failure}", file=sys.stderr)
            return 1
        print(f"PASS {order}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
