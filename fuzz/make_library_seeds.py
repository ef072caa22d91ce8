#!/usr/bin/env python3
"""Writes the shared-object seeds into fuzz/corpus/library/.

plistlib's binary writer stores an equal string, and the same list object,
once and refers to it wherever it occurs: the shape that libplist expands
into a copy per reference.

- shared-colours.bplist: a small library whose one colour dictionary is
  referred to 50 times; it is read.
- regression-one-string-shared-87000-times.bplist: 13 KB that would expand
  to more than 1 GB (290 references to one list of 300 references to one
  13,000-character string); it is refused by the byte budget alone.
"""
import os
import plistlib
import sys


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "library")
    os.makedirs(folder, exist_ok=True)
    color = {"RZColorSpace": 0, "RZComponent1": 0.25, "RZComponent2": 0.5, "RZComponent3": 0.75,
             "RZComponent4": 0.0, "RZColorID": 1700000001, "RZModificationDate": 1700000000, "RZName": "Shared"}
    library = {"DBVersion": "0.3", "RZRemovedCollectionIDs": [], "contents": [
        {"RZTitle": "Fifty of one", "RZCreationDate": 1700000000, "RZModificationDate": 1700000000,
         "RZRemovedIDs": [], "RZColors": [color] * 50}]}
    inner = ["x" * 13000] * 300
    seeds = {
        "shared-colours.bplist": library,
        "regression-one-string-shared-87000-times.bplist": [inner] * 290,
    }
    for name, value in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(plistlib.dumps(value, fmt=plistlib.FMT_BINARY, sort_keys=True))
    return 0


if __name__ == "__main__":
    sys.exit(main())
