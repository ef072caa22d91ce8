#!/usr/bin/env bash
# Installs what is missing, builds Vellico (Release, in build/) and starts it.
# Arguments are passed on to the program. VELLICO_JOBS sets the build's
# parallelism (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=${VELLICO_JOBS:-2}
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$jobs" --target vellico vellico-cli

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  cat >&2 <<'MSG'
run.sh: built build/src/vellico, but there is no display to start it on.
Vellico lives in the system tray of a desktop session. Without one, try:
  Xvfb :99 & DISPLAY=:99 openbox & DISPLAY=:99 trayer --edge top --align right & DISPLAY=:99 build/src/vellico
MSG
  exit 1
fi

echo "run.sh: starting build/src/vellico (its icon is in the system tray; Quit is in its menu)"
exec build/src/vellico "$@"
