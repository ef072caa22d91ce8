#!/usr/bin/env python3
"""The desktop program under a locale whose decimal separator is a comma.

    locale_e2e.py            with VELLICO_BINARY and VELLICO_CLI set

Start-up, a sync pass at launch, the save and the pass at quit all run with
LC_ALL and LANG set to de_DE.UTF-8 (built with localedef into a temporary
folder when the machine has none); afterwards the library and this computer's
file in the shared folder are read with plistlib and every number must be as
it was written. Exits 77 (skipped) when no such locale can be had.
"""

import os
import plistlib
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vellico_e2e as e2e  # noqa: E402

LOCALE = "de_DE.UTF-8"
SKIPPED = 77


def comma_locale_environment(folder):
    """LC_ALL, LANG and, for a locale built here, LOCPATH; None when impossible."""
    def has_comma(env):
        probe = subprocess.run([sys.executable, "-c", "import locale; locale.setlocale(locale.LC_ALL, '');"
                                "print(locale.localeconv()['decimal_point'])"],
                               env=env, capture_output=True, text=True)
        return probe.returncode == 0 and probe.stdout.strip() == ","

    env = {"LC_ALL": LOCALE, "LANG": LOCALE}
    if has_comma({**os.environ, **env}):
        return env
    built = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", os.path.join(folder, LOCALE)],
                           capture_output=True, text=True)
    env["LOCPATH"] = folder
    if has_comma({**os.environ, **env}):
        return env
    print(f"SKIP: no {LOCALE} locale and localedef could not build one: {built.stderr.strip()}")
    return None


def check_numbers(path, titles):
    """Every collection of `path` carries the colours of e2e.COLLECTION, number for number."""
    with open(path, "rb") as library:
        root = plistlib.load(library)
    collections = {c["RZTitle"]: c for c in root["contents"]}
    if sorted(collections) != sorted(titles):
        raise e2e.Failure(f"{path} holds {sorted(collections)}, not {sorted(titles)}")
    for title, collection in collections.items():
        for written, expected in zip(collection["RZColors"], e2e.COLLECTION["RZColors"], strict=True):
            for key, value in expected.items():
                if written.get(key) != value:
                    raise e2e.Failure(f"{path}, {title}, colour {expected['RZColorID']}: "
                                      f"{key} is {written.get(key)!r}, was {value!r}")


def main():
    if "VELLICO_BINARY" not in os.environ or "VELLICO_CLI" not in os.environ:
        print("VELLICO_BINARY and VELLICO_CLI must be set", file=sys.stderr)
        return 2
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))
    with tempfile.TemporaryDirectory(prefix="vellico-locale-") as locales:
        env = comma_locale_environment(locales)
        if env is None:
            return SKIPPED
        # Every process started from here on, the program and the other computer's
        # vellico-cli alike, runs under the locale.
        os.environ.update(env)
        with e2e.Session("comma-decimal-locale") as session:
            try:
                run(session)
            except e2e.Failure as failure:
                print(f"FAIL comma-decimal-locale: {failure}", file=sys.stderr)
                print(f"--- vellico's output ---\n{session.output()}", file=sys.stderr)
                return 1
    print("PASS comma-decimal-locale")
    return 0


def run(session):
    folder = os.path.join(session.home, "Shared")
    os.makedirs(folder)
    e2e.write_library(session.library_path())
    session.write_settings(VQSynchronizeWithiCloud="true", VQSyncFolderPath=folder)
    laptop_library = os.path.join(session.home, "laptop.vlb")
    e2e.write_laptop_library(laptop_library, ["Laptop one"])
    e2e.laptop_sync(session, laptop_library, folder)
    laptop_files = [name for name in os.listdir(folder) if name.endswith(".vlb")]

    session.start_vellico(VELLICO_MACHINE_ID="desk")
    e2e.wait_for_icon(session)

    def own_file():
        names = [name for name in os.listdir(folder) if name.endswith(".vlb") and name not in laptop_files]
        return os.path.join(folder, names[0]) if len(names) == 1 else None

    desk_file = e2e.wait_until("this computer's file in the shared folder", own_file)
    everything = [e2e.COLLECTION["RZTitle"], "Laptop one"]
    e2e.wait_until("the laptop's collection in this computer's file",
                   lambda: sorted(e2e.collection_titles(desk_file)) == sorted(everything))
    session.quit()
    for path in (session.library_path(), desk_file):
        check_numbers(path, everything)
    # The other computer reads this computer's file under the locale as well.
    e2e.laptop_sync(session, laptop_library, folder)
    check_numbers(laptop_library, everything)


if __name__ == "__main__":
    sys.exit(main())
