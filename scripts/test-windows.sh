#!/usr/bin/env bash
# Cross-builds everything that is not a window for 64-bit Windows and runs its
# tests under Wine, in a throw-away Wine prefix with no sound or graphics.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$here/build-windows

packages=(g++-mingw-w64-x86-64-posix wine64 cmake ninja-build googletest)
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

cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

wine_home=$(mktemp -d)
export WINEPREFIX=$wine_home/prefix HOME=$wine_home WINEDEBUG=-all
# No menu entries, no .NET or browser engine, and no desktop process: without
# a graphics driver the desktop only stalls the first sound call.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;explorer.exe=d"
unset DISPLAY
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$wine_home"' EXIT

# A server that stays up between the test programs, started before anything
# else: a server started by wineboot ends a few seconds after its last client,
# and a test program that connects just then fails ("Connection reset by
# peer"). Then one start of the prefix's services, and no sound or graphics
# driver.
mkdir -p "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1

ctest --test-dir "$dir" --output-on-failure
