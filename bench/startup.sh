#!/usr/bin/env bash
# Start-up time and memory of the window beside a bare Qt Widgets main window,
# measured in the same run on a private X server, with no window manager or,
# with --wm, under openbox:
#   bench/startup.sh [--wm] [build dir] [runs]   (default: build-release, 10)
# Prints, for each, exec to mapped window and resident memory 1 s after the
# exec (medians, min, max), and the ratios pair by pair. The program runs from
# a copy of its folder, so no settings file of the build tree changes its start.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
wm=
if [ "${1:-}" = --wm ]; then wm=openbox; shift; fi
build=$(cd "${1:-$here/build-release}" && pwd)
runs=${2:-10}
work=$(mktemp -d)
xvfb=
wm_pid=
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/bin"
cp "$build/bin/tapwrenz" "$build"/bin/*.wav "$build"/bin/*.txt "$work/bin/"

Xvfb -displayfd 3 -screen 0 1600x1000x24 -dpi 96 -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "the X server did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display") QT_QPA_PLATFORM=xcb
if [ -n "$wm" ]; then
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  # Ready once it owns the screen's window-manager selection.
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
fi

"$build/bin/startup_measure" -n "$runs" "$work/bin/tapwrenz" "$build/bin/bare_window"
