#!/usr/bin/env bash
# Runs a command as a client of a headless weston of its own (its own
# runtime folder and socket), then stops the compositor.
#   tests/wayland/under_weston.sh <command> [arguments]
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=tapwrenz-test \
  --idle-time=0 --no-config >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/tapwrenz-test" ] && break
  kill -0 "$weston_pid" 2>/dev/null || { cat "$runtime/weston.log" >&2; exit 1; }
  sleep 0.05
done
[ -S "$runtime/tapwrenz-test" ] || { echo "weston did not start" >&2; exit 1; }
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=tapwrenz-test QT_QPA_PLATFORM=wayland "$@"
