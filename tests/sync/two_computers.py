#!/usr/bin/env python3
"""Two computers, one shared folder, vellico-cli on each (VELLICO_CLI names it).

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
import subprocess
import sys
import tempfile

T0 = 1690000000
TA = 1700000100  # when computer A's changes are made
TB = 1700000200  # when computer B's, later
WARM, COOL, SPARE = T0 + 1, T0 + 2, T0 + 3


def color(cid, name, r=0.5, g=0.5, b=0.5):
    return {"RZColorSpace": 0, "RZComponent1": r, "RZComponent2": g, "RZComponent3": b, "RZComponent4": 0.0,
            "RZColorID": cid, "RZModificationDate": T0 + 500, "RZName": name}


def collection(created, title, colors, modified=T0 + 500):
    return {"RZTitle": title, "RZCreationDate": created, "RZModificationDate": modified,
            "RZRemovedIDs": [], "RZColors": colors}


START = {"DBVersion": "0.3", "RZRemovedCollectionIDs": [], "contents": [
    collection(WARM, "Warm", [color(T0 + 101, "Ember", 0.9, 0.3, 0.1), color(T0 + 102, "Rust", 0.6, 0.2, 0.1),
                              color(T0 + 103, "Sand", 0.9, 0.8, 0.6)]),
    collection(COOL, "Cool", [color(T0 + 201, "Ice", 0.8, 0.9, 1.0), color(T0 + 202, "Sky", 0.4, 0.6, 0.9)]),
    collection(SPARE, "Spare", [color(T0 + 301, "Grey")]),
]}


def edit(library, now, changes):
    """Applies (action, collection, argument) changes as the desktop program records them."""
    for action, created, arg in changes:
        if action == "add collection":
            library["contents"].append(collection(created, arg[0], arg[1], modified=now))
            continue
        c = next(c for c in library["contents"] if c["RZCreationDate"] == created)
        if action == "remove collection":
            library["contents"].remove(c)
            library["RZRemovedCollectionIDs"].append(created)
        elif action == "move collection":
            library["contents"].remove(c)
            library["contents"].insert(arg, c)
        else:
            c["RZModificationDate"] = now
            if action == "rename collection":
                c["RZTitle"] = arg
            elif action == "add color":
                c["RZColors"].append(arg)
            elif action == "remove color":
                c["RZColors"] = [k for k in c["RZColors"] if k["RZColorID"] != arg]
                c["RZRemovedIDs"].append(arg)
            else:
                k = next(k for k in c["RZColors"] if k["RZColorID"] == arg[0])
                if action == "rename color":
                    k["RZName"], k["RZModificationDate"] = arg[1], now
                else:  # "select color" moves it to the front
                    c["RZColors"].remove(k)
                    c["RZColors"].insert(0, k)


# An import of two groups on each: collections and colours made within one second.
CHANGES_ON_A = [
    ("add collection", TA, ("Import A1", [color(TA, "A red", 1, 0, 0), color(TA + 1, "A green", 0, 1, 0)])),
    ("add collection", TA + 1, ("Import A2", [color(TA + 2, "A blue", 0, 0, 1)])),
    ("rename color", WARM, (T0 + 101, "Ember glow")),
    ("remove color", WARM, T0 + 102),
    ("select color", WARM, (T0 + 103,)),
    ("rename color", COOL, (T0 + 202, "Sky A")),
    ("remove collection", SPARE, None),
    ("move collection", COOL, 0),
]
CHANGES_ON_B = [
    ("add color", COOL, color(TB, "Deep", 0, 0.2, 0.5)),
    ("rename collection", COOL, "Cool blues"),
    ("remove color", COOL, T0 + 201),
    ("add collection", TB, ("Import B1", [color(TB + 1, "B cyan", 0, 1, 1), color(TB + 2, "B pink", 1, 0.5, 0.7)])),
    ("add collection", TB + 1, ("Import B2", [color(TB + 3, "B olive", 0.5, 0.5, 0)])),
    ("rename color", WARM, (T0 + 103, "Dune")),
    ("rename color", COOL, (T0 + 202, "Sky B")),  # later than A's "Sky A": wins
    ("add color", SPARE, color(TB + 4, "Slate")),  # A deleted the collection: it goes all the same
    ("move collection", WARM, 2),
]

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


def state(path, who):
    """collection → (title, {colour → name}) of the library at `path`; nothing may be held twice."""
    with open(path, "rb") as f:
        library = plistlib.load(f)
    result = {}
    for c in library["contents"]:
        colors = {k["RZColorID"]: k["RZName"] for k in c["RZColors"]}
        if c["RZCreationDate"] in result or len(colors) != len(c["RZColors"]):
            raise Failure(f"{who} holds collection {c['RZTitle']!r} or one of its colours twice")
        result[c["RZCreationDate"]] = (c["RZTitle"], colors)
    return result


def scenario(order, root):
    folder = os.path.join(root, "shared")
    os.makedirs(folder)
    homes = {name: os.path.join(root, name) for name in ("computer-a", "computer-b")}
    for (name, home), changes, now in zip(homes.items(), (CHANGES_ON_A, CHANGES_ON_B), (TA, TB)):
        os.makedirs(home)
        library = copy.deepcopy(START)
        edit(library, now, changes)
        with open(os.path.join(home, "Vellico Library.vlb"), "wb") as f:
            plistlib.dump(library, f)

    def sync(name):
        home, library = homes[name], os.path.join(homes[name], "Vellico Library.vlb")
        env = dict(os.environ, HOME=home, VELLICO_MACHINE_ID=name, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local/share"), XDG_STATE_HOME=os.path.join(home, ".local/state"))
        result = subprocess.run([os.environ["VELLICO_CLI"], "sync", "--folder", folder, "--library", library],
                                env=env, capture_output=True, text=True, timeout=60)
        if result.returncode != 0:
            raise Failure(f"sync on {name} failed ({result.returncode}): {result.stderr}")
        return state(library, name)

    def describe(held):
        return "".join(f"\n  {cid} {title!r}: {colors}" for cid, (title, colors) in sorted(held.items()))

    first, second = sorted(homes, reverse=order == "b-first")
    # The second computer's first pass sees both changes, the first's second pass
    # too; further passes change nothing.
    for step, name in enumerate((first, second, first, second, first)):
        held = sync(name)
        if step > 0 and held != EXPECTED:
            raise Failure(f"{order}, pass {step + 1}: {name} holds{describe(held)}\ninstead of{describe(EXPECTED)}")
    libraries = sorted(name for name in os.listdir(folder) if name.endswith(".vlb"))
    if len(libraries) != 2:
        raise Failure(f"{order}: the folder holds {libraries}")
    for name in libraries:
        if state(os.path.join(folder, name), name).keys() != EXPECTED.keys():
            raise Failure(f"{order}: {name} holds other collections than {sorted(EXPECTED)}")


def main():
    if "VELLICO_CLI" not in os.environ:
        print("VELLICO_CLI is not set", file=sys.stderr)
        return 2
    for order in ("a-first", "b-first"):
        with tempfile.TemporaryDirectory(prefix="vellico-two-computers-") as root:
            try:
                scenario(order, root)
            except Failure as failure:
                print(f"FAIL {failure}", file=sys.stderr)
                return 1
        print(f"PASS {order}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
