#!/usr/bin/env bash
# Starts the program under a private X server at 96 dpi and saves a picture of
# each page of the main window, for comparing with the design geometry.
#   scripts/screenshot.sh [output folder]      (default: build/screenshots)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/build/screenshots}
"$here/scripts/build.sh" debug >/dev/null
command -v import >/dev/null || {
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends imagemagick >/dev/null
}
mkdir -p "$out"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$program" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$here/build/bin/tapwrenz" >/dev/null 2>&1 &
program=$!
window=$(xdotool search --sync --onlyvisible --pid "$program" | head -n 1)
sleep 1
xdotool getwindowgeometry "$window"
read -r x y w h < <(xdotool getwindowgeometry --shell "$window" |
  awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}')
import -window root -crop "${w}x${h}+${x}+${y}" "$out/morse-code-page.png"
# The "Settings" tab: 140 px wide tabs start 4 px in, just under the menu bar.
menu=$((h - 481))
xdotool mousemove $((x + 4 + 140 + 70)) $((y + menu + 2 + 10)) click 1
sleep 0.5
import -window root -crop "${w}x${h}+${x}+${y}" "$out/settings-page.png"
echo "saved $out/morse-code-page.png and $out/settings-page.png"
