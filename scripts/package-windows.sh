#!/usr/bin/env bash
# Builds the Windows program (release) with Qt for Windows from the cache
# (scripts/setup-windows-qt.sh) and makes the portable folder and its zip:
#   build-windows-release/tapwrenz-<version>-win64.zip
# The folder holds the program, its DLLs and Qt plugins, the tones, the readme
# and the catalog; it runs from wherever it is unpacked.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$here/build-windows-release
qt=$("$here/scripts/setup-windows-qt.sh" | tail -1)
source "$here/scripts/wine-prefix.sh"

cmake -S "$here" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAPWRENZ_BUILD_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" -DTAPWRENZ_WINDOWS_QT="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$out" --parallel "$(nproc)" --target tapwrenz default_tones >&2

version=$("$wine" "$out/bin/tapwrenz.exe" --version | tr -d '\r' | sed -n 's/^Tapwren v//p')
[ -n "$version" ] || { echo "package-windows.sh: no version from the program" >&2; exit 1; }
name=tapwrenz-$version-win64
rm -rf "${out:?}/$name" "$out/$name.zip"
cmake --install "$out" --prefix "$out/$name" --strip >/dev/null
# Stored in a fixed order with no extra fields, so that the same files make
# the same zip.
(cd "$out" && find "$name" -type f | LC_ALL=C sort | zip -qX9 "$name.zip" -@)
echo "package-windows.sh: $(du -h "$out/$name.zip" | cut -f1) $(ls "$out/$name" | wc -l) entries" >&2
echo "$out/$name.zip"
