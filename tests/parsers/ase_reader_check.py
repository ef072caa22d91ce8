#!/usr/bin/env python3
"""An ASE reader that is not ours reads what `vellico-cli export --format ase` writes.

The reader is the npm package ase-util with the packages it uses, each fetched
from the npm registry at the version the lock file in ase-reader/ names and
checked against the lock's sha512, into a folder of the build (ASE_READER_DIR).
Only Node.js runs it; npm is not needed. A library
made with vellico-cli (a palette with names in several scripts, and an .ase
with CMYK, RGB and an unnamed colour) is exported; every collection must come
back as one group with its title, and every colour in order with its name, its
model (RGB as RGB, CMYK as CMYK) and its components as 32-bit floats.
Exit status 77 (skipped) when Node.js is not installed.
"""

import base64
import hashlib
import io
import json
import os
import shutil
import struct
import subprocess
import sys
import tarfile
import tempfile
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
CLI = os.environ["VELLICO_CLI"]
READER = os.environ["ASE_READER_DIR"]


def tarball_url(name, version):
    """Where the registry keeps a package's tarball (a scope is not part of the file's name)."""
    registry = os.environ.get("npm_config_registry", "https://registry.npmjs.org").rstrip("/")
    return "%s/%s/-/%s-%s.tgz" % (registry, name, name.rsplit("/", 1)[-1], version)


def unpack(data, folder):
    """A package's tarball into FOLDER: its single top folder dropped, nothing outside FOLDER."""
    with tarfile.open(fileobj=io.BytesIO(data), mode="r:gz") as archive:
        for member in archive.getmembers():
            parts = member.name.split("/", 1)
            if len(parts) < 2 or not (member.isfile() or member.isdir()):
                continue
            target = os.path.normpath(os.path.join(folder, parts[1]))
            if not target.startswith(folder + os.sep):
                raise RuntimeError("%s leaves the package's folder" % member.name)
            if member.isdir():
                os.makedirs(target, exist_ok=True)
                continue
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as out:
                out.write(archive.extractfile(member).read())
            os.chmod(target, 0o755 if member.mode & 0o111 else 0o644)


def install_reader():
    """Every package of the lock file, unless those installed come from the same lock."""
    os.makedirs(READER, exist_ok=True)
    lock = os.path.join(HERE, "ase-reader", "package-lock.json")
    installed = os.path.join(READER, "installed-lock.json")
    if os.path.exists(installed) and open(installed, "rb").read() == open(lock, "rb").read():
        return
    for name in ("package.json", "package-lock.json", "read.js"):
        shutil.copy(os.path.join(HERE, "ase-reader", name), READER)
    modules = os.path.join(READER, "node_modules")
    shutil.rmtree(modules, ignore_errors=True)
    for path, entry in json.load(open(lock, encoding="utf-8"))["packages"].items():
        if not path:
            continue  # the reader itself
        name = path.rsplit("node_modules/", 1)[-1]
        with urllib.request.urlopen(tarball_url(name, entry["version"]), timeout=60) as response:
            data = response.read()
        algorithm, digest = entry["integrity"].split("-", 1)
        if algorithm != "sha512" or base64.b64encode(hashlib.sha512(data).digest()).decode() != digest:
            raise RuntimeError("%s %s does not match the lock's %s" % (name, entry["version"], algorithm))
        unpack(data, os.path.join(READER, path))
    shutil.copy(lock, installed)


def ase_file(blocks):
    return b"ASEF" + struct.pack(">HHI", 1, 0, len(blocks)) + b"".join(blocks)


def ase_block(kind, body):
    return struct.pack(">HI", kind, len(body)) + body


def ase_name(text):
    encoded = (text + "\0").encode("utf-16-be")
    return struct.pack(">H", len(encoded) // 2) + encoded


def ase_color(name, model, values):
    return ase_block(1, ase_name(name) + model + struct.pack(">%df" % len(values), *values) + struct.pack(">H", 2))


def cli(*args):
    result = subprocess.run([CLI, *args], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("vellico-cli %s failed: %s" % (" ".join(args), result.stderr))
    return result.stdout


def as_float32(value):
    return struct.unpack(">f", struct.pack(">f", value))[0]


def main():
    if shutil.which("node") is None:
        print("SKIP: Node.js is not installed, so the other ASE reader (ase-util) cannot run")
        return 77
    install_reader()
    with tempfile.TemporaryDirectory() as work:
        library = os.path.join(work, "lib.vlb")
        palette = os.path.join(work, "Scripts.gpl")
        with open(palette, "w", encoding="utf-8") as out:
            out.write("GIMP Palette\nName: Scripts\n#\n255 0 0\tRed\n 10 200 30\tZażółć gęślą\n"
                      "1 2 3\tチェリー 🎨\n128 128 128\n")
        inks = os.path.join(work, "inks.ase")
        with open(inks, "wb") as out:
            out.write(ase_file([ase_block(0xC001, ase_name("Inks")), ase_color("Cyan", b"CMYK", [1, 0, 0, 0]),
                                ase_color("Deep", b"CMYK", [0.1, 0.5, 0.25, 0.75]),
                                ase_color("", b"RGB ", [0.2, 0.4, 0.6]), ase_block(0xC002, b"")]))
        cli("import", palette, "--into", library)
        cli("import", inks, "--into", library)
        exported = os.path.join(work, "out.ase")
        cli("export", "--format", "ase", "--library", library, "--output", exported)
        expected = json.loads(cli("export", "--format", "json", "--library", library, "--output", "-"))

        read = subprocess.run(["node", os.path.join(READER, "read.js"), exported], cwd=READER,
                              capture_output=True, text=True, check=True)
        groups = json.loads(read.stdout)
        failures = []
        if [g.get("type") for g in groups] != ["group"] * len(expected):
            failures.append("expected %d groups, read %r" % (len(expected), [g.get("type") for g in groups]))
        for collection, group in zip(expected, groups):
            if group["name"] != collection["title"]:
                failures.append("group %r for collection %r" % (group["name"], collection["title"]))
            entries = group.get("entries", [])
            if len(entries) != len(collection["colors"]):
                failures.append("%s: %d colours read of %d" % (collection["title"], len(entries),
                                                                 len(collection["colors"])))
            for color, entry in zip(collection["colors"], entries):
                keys = "cmyk" if color["space"] == "CMYK" else "rgb"
                got = (entry["name"], entry["color"]["model"], [entry["color"][k] for k in keys])
                want = (color["name"] or "", color["space"],
                        [as_float32(v) for v in color["components"][:len(keys)]])
                if got != want:
                    failures.append("%s: read %r, wrote %r" % (collection["title"], got, want))
                elif keys == "rgb" and "#" + entry["color"]["hex"].upper() != color["hex"]:
                    failures.append("%s: hex %s, ours %s" % (color["name"], entry["color"]["hex"], color["hex"]))
        if failures:
            print("\n".join(failures))
            return 1
        print("ase-util read %d groups and %d colours as written" %
              (len(groups), sum(len(c["colors"]) for c in expected)))
        return 0


if __name__ == "__main__":
    sys.exit(main())
