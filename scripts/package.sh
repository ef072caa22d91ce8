#!/usr/bin/env bash
# Builds the Debian package of Vellico, vellico_VERSION_ARCH.deb, from this
# checkout: installs what is missing, makes a Release build of its own in
# build-package/ (afresh, with Debian's hardening flags, without the tests)
# and runs cpack there. Prints the package's path last.
#   bash scripts/package.sh
#   sudo apt install ./build-package/vellico_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=build-package
rm -rf "$build"
# Debian's compiler and linker flags (fortified sources, read-only relocations,
# immediate binding); CMake reads CFLAGS, CXXFLAGS and LDFLAGS, not CPPFLAGS.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELLICO_BUILD_TESTS=OFF
cmake --build "$build" -j"${VELLICO_JOBS:-2}"
(cd "$build" && cpack -G DEB)
ls "$PWD/$build"/vellico_*.deb
