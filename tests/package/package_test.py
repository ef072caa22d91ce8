#!/usr/bin/env python3
"""The Debian package as a user gets it.

Builds the package from this build folder with cpack, installs it with
`dpkg --root` into an empty root and checks it there: every file the desktop
entry, the AppStream entry and the package's own metadata name is where they
say; the installed vellico-cli and vellico answer --help; the AppStream and
desktop files validate; the manual pages render without warnings; lintian
finds no error, and each of its warnings is explained in the README.

An empty root with --force-depends rather than a debootstrap chroot: the root
holds only the package, so every path is checked as installed, while the
binaries run on this machine's libraries. Whether the computed dependencies
can be met is asked of this machine's dpkg (--dry-run), which has them all.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

BUILD = os.environ["VELLICO_BUILD_DIR"]
SOURCE = os.environ["VELLICO_SOURCE_DIR"]
APP_ID = os.environ["VELLICO_APP_ID"]
failures = []


def fail(message):
    failures.append(message)
    print(f"FAIL: {message}", flush=True)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def build_package(out):
    result = run([os.environ.get("CPACK", "cpack"), "-G", "DEB", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", out])
    if result.returncode != 0:
        sys.exit(f"cpack failed:\n{result.stdout}\n{result.stderr}")
    debs = [name for name in os.listdir(out) if name.endswith(".deb")]
    if len(debs) != 1:
        sys.exit(f"cpack made {debs}, not one package")
    return os.path.join(out, debs[0])


def install(deb, root):
    for folder in ("var/lib/dpkg/info", "var/lib/dpkg/updates", "var/lib/dpkg/triggers"):
        os.makedirs(os.path.join(root, folder))
    for name in ("status", "available"):
        open(os.path.join(root, "var/lib/dpkg", name), "w").close()
    result = run(["dpkg", f"--root={root}", "--force-depends", "--force-not-root", "--log=/dev/null", "-i", deb])
    if result.returncode != 0:
        sys.exit(f"dpkg --root failed:\n{result.stdout}\n{result.stderr}")
    listed = run(["dpkg", f"--root={root}", "-L", "vellico"]).stdout.split()
    return {path for path in listed if os.path.isfile(root + path)}


def check_fields(deb):
    fields = {}
    for name in ("Package", "Version", "Architecture", "Section", "Depends", "Description", "Installed-Size"):
        fields[name] = run(["dpkg-deb", "-f", deb, name]).stdout.strip()
    print("control fields:", fields, sep="\n", flush=True)
    version = re.search(r"project\(Vellico VERSION ([0-9.]+)", open(os.path.join(SOURCE, "CMakeLists.txt")).read())
    expected = {
        "Package": "vellico",
        "Version": version.group(1),
        "Architecture": run(["dpkg", "--print-architecture"]).stdout.strip(),
        "Section": "graphics",
    }
    for name, value in expected.items():
        if fields[name] != value:
            fail(f"{name} is {fields[name]!r}, not {value!r}")
    # dpkg-shlibdeps computed them: the Qt and C++ libraries the binaries link.
    for library in ("libqt6core6", "libqt6widgets6", "libc6", "libstdc++6", "libplist"):
        if library not in fields["Depends"]:
            fail(f"Depends lacks {library}: {fields['Depends']}")
    if os.geteuid() == 0:
        result = run(["dpkg", "--dry-run", "-i", deb])
        if result.returncode != 0:
            fail(f"this machine cannot meet the dependencies:\n{result.stdout}{result.stderr}")


def desktop_value(path, key):
    group = None
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if line.startswith("["):
            group = line
        elif group == "[Desktop Entry]" and line.startswith(key + "="):
            return line.split("=", 1)[1]
    return None


def check_layout(root, files):
    def expect(path, why):
        if path not in files:
            fail(f"{path} is missing ({why})")

    desktop = f"/usr/share/applications/{APP_ID}.desktop"
    metainfo = f"/usr/share/metainfo/{APP_ID}.metainfo.xml"
    expect(desktop, "the desktop entry named by the id")
    expect(metainfo, "the AppStream entry named by the id")
    expect("/usr/share/doc/vellico/copyright", "Debian policy")
    expect("/usr/share/doc/vellico/changelog.gz", "Debian policy")
    completions = run(["pkg-config", "--variable=completionsdir", "bash-completion"]).stdout.strip()
    expect(os.path.join(completions or "/usr/share/bash-completion/completions", "vellico-cli"),
           "where bash-completion looks")
    if desktop not in files or metainfo not in files:
        return

    # The desktop entry: its program and its icon at every size and as SVG.
    program = desktop_value(root + desktop, "Exec").split()[0]
    expect(os.path.join("/usr/bin", program), "the desktop entry's Exec")
    icon = desktop_value(root + desktop, "Icon")
    if icon != APP_ID:
        fail(f"the desktop entry's icon is {icon}, not the id")
    for size in (16, 22, 24, 32, 48, 64, 128, 256, 512):
        png = f"/usr/share/icons/hicolor/{size}x{size}/apps/{icon}.png"
        expect(png, "the hicolor icon")
        if png in files:
            header = open(root + png, "rb").read(24)
            width, height = int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")
            if (width, height) != (size, size):
                fail(f"{png} is {width}x{height}")
    expect(f"/usr/share/icons/hicolor/scalable/apps/{icon}.svg", "the scalable icon")
    for name in (f"{APP_ID}-symbolic", f"{APP_ID}-highlighted-symbolic"):
        expect(f"/usr/share/icons/hicolor/symbolic/apps/{name}.svg", "the tray icon for themes")

    # The AppStream entry: its id, launchable, icon and the binaries it provides.
    component = ElementTree.parse(root + metainfo).getroot()
    if component.findtext("id") != APP_ID:
        fail(f"the AppStream id is {component.findtext('id')}")
    launchable = component.findtext("launchable")
    expect(f"/usr/share/applications/{launchable}", "the AppStream launchable")
    for binary in component.iter("binary"):
        expect(f"/usr/bin/{binary.text}", "the AppStream provides")
        expect(f"/usr/share/man/man1/{binary.text}.1.gz", "a manual page for each program")
    if {binary.text for binary in component.iter("binary")} != {"vellico", "vellico-cli"}:
        fail("the AppStream entry does not provide both programs")


def check_programs(root):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=tempfile.mkdtemp())
    for program in ("vellico-cli", "vellico"):
        result = run([root + "/usr/bin/" + program, "--help"], env=environment, timeout=60)
        if result.returncode != 0 or not result.stdout.startswith(f"Usage: {program} "):
            fail(f"the installed {program} --help answered {result.returncode}:\n{result.stdout}{result.stderr}")
    result = run([root + "/usr/bin/vellico-cli", "format", "#20C040", "--template", "4"], env=environment)
    if result.stdout != "rgb(32, 192, 64)\n":
        fail(f"the installed vellico-cli formats #20C040 as {result.stdout!r}")


def check_validators(root):
    metainfo = f"{root}/usr/share/metainfo/{APP_ID}.metainfo.xml"
    result = run(["appstreamcli", "validate", "--no-net", "--pedantic", metainfo])
    print(result.stdout, result.stderr, sep="", flush=True)
    if re.search(r"^E: ", result.stdout, re.M) or "Validation failed" in result.stdout:
        fail("appstreamcli finds errors in the AppStream entry")
    result = run(["desktop-file-validate", f"{root}/usr/share/applications/{APP_ID}.desktop"])
    if result.returncode != 0 or result.stdout.strip():
        fail(f"desktop-file-validate:\n{result.stdout}{result.stderr}")
    for page in ("vellico", "vellico-cli"):
        # As lintian renders them, in a UTF-8 locale at 80 columns.
        result = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z",
                      f"{root}/usr/share/man/man1/{page}.1.gz"],
                     env=dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80"))
        if result.returncode != 0 or result.stderr.strip():
            fail(f"man -l {page}.1.gz warns:\n{result.stderr}")


def check_lintian(deb):
    result = run(["lintian", "--tag-display-limit", "0", "--display-info", deb])
    print("lintian:", result.stdout or "(nothing)", result.stderr, sep="\n", flush=True)
    tags = re.findall(r"^([EWI]): vellico[^:]*: (\S+)", result.stdout, re.M)
    errors = sorted({tag for kind, tag in tags if kind == "E"})
    if errors or result.returncode not in (0, 2) and not tags:
        fail(f"lintian errors: {errors or result.returncode}")
    readme = open(os.path.join(SOURCE, "README.md"), encoding="utf-8").read()
    for tag in sorted({tag for kind, tag in tags if kind == "W"}):
        if f"`{tag}`" not in readme:
            fail(f"lintian warns {tag}, which the README's packaging section does not explain")


def main():
    missing = [tool for tool in ("dpkg-shlibdeps", "lintian", "appstreamcli", "desktop-file-validate", "man",
                                 "pkg-config") if not shutil.which(tool)]
    if missing:
        sys.exit(f"missing {', '.join(missing)}: scripts/install-deps.sh installs them")
    work = tempfile.mkdtemp(prefix="vellico-package-")
    try:
        deb = build_package(os.path.join(work, "out"))
        print(f"package: {os.path.basename(deb)}, {os.path.getsize(deb)} bytes", flush=True)
        check_fields(deb)
        root = os.path.join(work, "root")
        files = install(deb, root)
        check_layout(root, files)
        check_programs(root)
        check_validators(root)
        check_lintian(deb)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        sys.exit(f"{len(failures)} check(s) failed")
    print("the package is complete")


main()
