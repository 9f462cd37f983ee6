#!/usr/bin/env bash
# The contrast of every text of both pages, the chart and About
# (tests/ui/dark_palette_test.cpp) under a real dark desktop theme on a private
# X server: GNOME's Adwaita in its dark variant, through Qt's GTK platform
# theme (package qt6-gtk-platformtheme).
#   tests/x11/dark_palette_check.sh <test_ui binary> [work folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests=$1
work=${2:-$(mktemp -d)}
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$here/x11_session.sh"
xvfb=
trap 'kill $xvfb 2>/dev/null || true' EXIT
start_x_server

# Without the platform theme the palette stays light, which the test refuses.
QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark TAPWRENZ_DARK_DESKTOP=1 SDL_AUDIODRIVER=dummy \
  "$tests" --gtest_filter='Palettes/Readable_Texts.*/desktop' >"$work/test.log" 2>&1 || {
  cat "$work/test.log" >&2
  fail "a text does not read under the dark GTK theme (or qt6-gtk-platformtheme is missing)"
}
echo "ok: every text reads under the dark GTK theme"
