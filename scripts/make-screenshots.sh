#!/usr/bin/env bash
# Takes the pictures of the real window (in the default and a dark palette), the
# loupe and the organiser that the AppStream entry will point to
# (resources/screenshots/), with the desktop tests' harness on a virtual
# display. Needs a build with the programs:
#   bash scripts/make-screenshots.sh [BUILD_DIR]     (default build-test)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
VELLICO_BINARY=$PWD/$build/src/vellico VELLICO_CLI=$PWD/$build/src/cli/vellico-cli \
  python3 tests/e2e/screenshots.py resources/screenshots
