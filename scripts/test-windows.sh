#!/usr/bin/env bash
# Cross-builds the whole program for 64-bit Windows, with Qt for Windows from
# the cache that scripts/setup-windows-qt.sh makes (built first when missing),
# and runs its tests under Wine in a throw-away Wine prefix with no sound; the
# window tests draw offscreen. Then the end-to-end check of the program under
# Wine with a private X server (tests/install/windows_check.sh).
#
#   scripts/test-windows.sh            build, test, check
#   TAPWRENZ_WINDOWS_NO_QT=1 ...       only what is not a window, without Qt
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$here/build-windows

packages=(g++-mingw-w64-x86-64-posix wine64 cmake ninja-build googletest xvfb xauth xdotool
          x11-utils fonts-dejavu-core fonts-liberation)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

qt_options=(-DTAPWRENZ_WINDOWS_QT=)
if [ -z "${TAPWRENZ_WINDOWS_NO_QT:-}" ]; then
  qt=$("$here/scripts/setup-windows-qt.sh" | tail -1)
  qt_options=(-DTAPWRENZ_WINDOWS_QT="$qt" -DQT_HOST_PATH=/usr
              -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
fi

# The Wine prefix comes first: the build runs its generators (the tones, the
# logo) under Wine too.
source "$here/scripts/wine-prefix.sh"

cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" "${qt_options[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

ctest --test-dir "$dir" --output-on-failure

if [ -z "${TAPWRENZ_WINDOWS_NO_QT:-}" ]; then
  "$wineserver" -k >/dev/null 2>&1 || true
  DISPLAY=$wine_display bash "$here/tests/install/windows_check.sh" "$dir"
fi
