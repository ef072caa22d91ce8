#!/usr/bin/env bash
# Runs the screencopy capture test against a real compositor: a headless sway
# with two outputs, HEADLESS-1 at scale 1 left of and above the origin and
# HEADLESS-2 at scale 2 right of it, 37 lower, both showing a solid #3366CC
# background. Sway refuses to run as root,
# so it runs as an unprivileged user (created when absent) with a private
# runtime folder; the test itself connects through the socket's full path.
#
#   tests/platform/wlr_capture_session.sh build-test/tests/platform/wlr_capture_tests [gtest arguments]
set -euo pipefail

test_binary=$(realpath "${1:?usage: $0 TEST_BINARY [ARGS...]}")
shift
user=vellico-wl
background='#3366CC'

if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP wlr_capture_session: run as root (sway runs as the unprivileged user $user)"
  exit 77
fi
id "$user" >/dev/null 2>&1 || useradd --system --create-home "$user"

runtime=$(mktemp -d /tmp/vellico-wlr-capture.XXXXXX)
chown "$user:" "$runtime"
chmod 0700 "$runtime"
sway_pid=
cleanup() {
  if [[ -n $sway_pid ]]; then
    kill "$sway_pid" 2>/dev/null || true
    wait "$sway_pid" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT

cat >"$runtime/sway.conf" <<CONF
output * bg $background solid_color
CONF
chown "$user:" "$runtime/sway.conf"

runuser -u "$user" -- env -i HOME="$runtime" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
  WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 WLR_HEADLESS_OUTPUTS=1 PATH=/usr/bin:/bin \
  sway -c "$runtime/sway.conf" >"$runtime/sway.log" 2>&1 &
sway_pid=$!

# sway names its sockets after its process; wait for both (bounded).
for _ in $(seq 100); do
  socket=$(find "$runtime" -maxdepth 1 -name 'wayland-*' -type s | head -n 1)
  ipc=$(find "$runtime" -maxdepth 1 -name 'sway-ipc.*.sock' -type s | head -n 1)
  [[ -n $socket && -n $ipc ]] && break
  kill -0 "$sway_pid" 2>/dev/null || { cat "$runtime/sway.log" >&2; exit 2; }
  sleep 0.1
done
if [[ -z ${socket:-} || -z ${ipc:-} ]]; then
  echo "wlr_capture_session: sway did not start" >&2
  cat "$runtime/sway.log" >&2
  exit 2
fi

swaymsg=(swaymsg -s "$ipc")
"${swaymsg[@]}" create_output >/dev/null
"${swaymsg[@]}" -- output HEADLESS-1 mode 640x480 position -640 -20 scale 1 >/dev/null
"${swaymsg[@]}" output HEADLESS-2 mode 400x300 position 0 37 scale 2 >/dev/null

env WAYLAND_DISPLAY="$socket" VELLICO_TEST_BACKGROUND="$background" \
  VELLICO_TEST_OUTPUTS="HEADLESS-1:640x480+-640+-20@1,HEADLESS-2:200x150+0+37@2" "$test_binary" "$@"
