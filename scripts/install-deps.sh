#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Vellico
# need, and only those that are missing. Safe to run again and again: when
# everything is present it touches nothing and asks for no password.
# Packages are installed without the ones they only recommend, so every
# package the build and the tests use is named below (checked on a minimal
# Debian 12 root made with debootstrap --variant=minbase).
#
#   install-deps.sh                      everything
#   install-deps.sh --without-desktops   all but what only the KDE and GNOME
#                                        desktop tests run (nothing builds with it)
#   install-deps.sh --desktops           only that: scripts/test.sh installs it
#                                        while the build runs
set -euo pipefail

part=${1:-all}
case $part in
  all | --without-desktops | --desktops) ;;
  *)
    echo "install-deps: unknown option $part (--without-desktops or --desktops)" >&2
    exit 2
    ;;
esac

packages=(
  # tool chain
  build-essential cmake pkg-config python3
  git                        # scripts/test.sh lists the files to check with git ls-files
  ccache                     # rebuilds of unchanged sources come from its cache
  clang                      # sanitizer and fuzzing builds
  libclang-rt-14-dev         # clang's libFuzzer and sanitizer runtimes (clang only recommends them)
  clang-format               # the formatting check of scripts/test.sh
  # libraries
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools             # lupdate and lrelease: the translations in translations/
  qt6-translations-l10n      # Qt's own dialogs in the user's language
  libplist-dev
  liblcms2-dev               # colour management of imported colour lists
  libgtest-dev libgmock-dev libbenchmark-dev
  libxcb1-dev libxcb-keysyms1-dev libxcb-xinput-dev libxcb-xkb-dev libxkbcommon-x11-dev
  # what Qt's xcb platform plugin loads at run time
  qt6-qpa-plugins libxcb-cursor0
  # the desktop tests: a virtual display, a window manager that speaks EWMH,
  # a real tray, synthetic input, the clipboard and screenshots
  xvfb xauth openbox trayer xdotool xclip imagemagick x11-utils
  fonts-ipafont-gothic       # Japanese glyphs: the translated window is measured with real text
  qt6ct                      # the dark palette of scripts/make-screenshots.sh's window-dark.png
  locales                    # the de_DE sources from which the decimal-comma tests build their locale
  python3-xlib               # benchmarks/shell_timing.py
  # the accessibility test: the accessibility bus and its registry, read through pyatspi
  at-spi2-core python3-pyatspi
  # Wayland: libwayland-client and wayland-scanner for the screencopy capture
  # and the virtual pointer, and the protocol files (xdg-output)
  libwayland-dev wayland-protocols
  # the Wayland desktop tests: headless sway, input, screenshots, a private bus,
  # the clipboard, Qt on Wayland
  sway xwayland wtype grim wl-clipboard waybar dbus qt6-wayland qt6-wayland-dev
  # ... and the desktop portal with its wlroots and GTK backends and PipeWire
  xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk pipewire wireplumber
  libglib2.0-bin python3-gi  # tests/wayland/portal_screenshot.py, gdbus
  # two X11 monitors of different scale: Xorg's dummy driver split by xrandr
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  # the icons drawn from their SVG at build time; the Debian package and its test:
  # dpkg-shlibdeps (dpkg-dev), lintian, the AppStream and desktop-entry
  # validators, the manual pages rendered as man does, bash-completion's folder
  librsvg2-bin dpkg-dev fakeroot lintian appstream desktop-file-utils man-db groff-base bash-completion
)

# KWin's fake-input protocol, built into the KDE tests' input tool (tests/wayland/kinput.c).
packages+=(plasma-wayland-protocols)
# What only the KDE Plasma and GNOME desktop tests run; nothing is built with it.
# KDE (tests/wayland/kde_session.py): headless KWin (kglobalaccel runs inside
# it), kscreen-doctor for the outputs' scale, kded for the tray watcher, and
# KDE's portal with the QML its dialogs load (plasma-workspace is unpacked
# below, not installed).
desktop_packages=(
  kwin-wayland libkf5screen-bin kded5
  xdg-desktop-portal-kde qtwayland5 qml-module-qtquick-controls2 qml-module-qtquick-layouts
  qml-module-org-kde-kirigami2
  # the GNOME desktop tests (tests/wayland/gnome_session.py): headless GNOME Shell with
  # GNOME's portal backend, logind mocked on a private system bus, the shell's
  # screenshots read through GdkPixbuf
  gnome-shell xdg-desktop-portal-gnome python3-dbusmock gir1.2-gdkpixbuf-2.0
)
case $part in
  all) packages+=("${desktop_packages[@]}") ;;
  --desktops) packages=("${desktop_packages[@]}") ;;
esac

# plasma-workspace's dialog QML and its StatusNotifierWatcher kded module, for the
# KDE Plasma tests: the package unpacked into a folder of its own, without the two
# hundred packages it would install with it.
plasma_workspace=/var/cache/vellico-tests/plasma-workspace
unpack_plasma_workspace() {
  [[ -d $plasma_workspace/usr ]] && return 0
  local folder
  folder=$(mktemp -d)
  chmod 755 "$folder"
  (cd "$folder" && "${as_root[@]}" apt-get download plasma-workspace) &&
    "${as_root[@]}" mkdir -p "$plasma_workspace.part" &&
    "${as_root[@]}" dpkg -x "$folder"/plasma-workspace_*.deb "$plasma_workspace.part" &&
    "${as_root[@]}" mv "$plasma_workspace.part" "$plasma_workspace"
  local status=$?
  "${as_root[@]}" rm -rf "$folder" "$plasma_workspace.part"
  return $status
}

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done
# Node.js runs another program's ASE reader for the export test (ase-util, fetched
# from the npm registry by the test itself, as its lock file names it). Any Node.js
# will do: one from outside Debian conflicts with Debian's package, so only a
# machine without node gets it. npm is not needed.
if [[ $part != --desktops ]] && ! command -v node >/dev/null 2>&1; then
  missing+=(nodejs)
fi
# plasma-workspace goes with the desktops.
[[ $part == --without-desktops ]] && unpack_plasma_workspace() { :; }

if ((${#missing[@]} == 0)) && { [[ $part == --without-desktops ]] || [[ -d $plasma_workspace/usr ]]; }; then
  echo "install-deps: all ${#packages[@]} packages are present."
  exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: need root (or sudo) to install: ${missing[*]} (and to unpack $plasma_workspace)" >&2
  exit 1
fi
if ((${#missing[@]} == 0)); then
  unpack_plasma_workspace
  exit $?
fi
echo "install-deps: installing ${missing[*]}"

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y --no-install-recommends "${missing[@]}"
unpack_plasma_workspace
