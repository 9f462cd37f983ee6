#!/usr/bin/env bash
# Builds Qt (qtbase: Core, Gui, Widgets, Test and the windows and offscreen
# platform plugins) and giflib for 64-bit Windows from Debian's own source
# packages, with the project's mingw-w64 toolchain, into a cache outside the
# checkout. A finished cache carries a stamp of its versions and options and is
# reused as it is. Prints the prefix as its last line.
#
# Qt is built as shared libraries: one build serves the program and every test
# program (a static Qt would be linked into each of them), and the portable
# folder carries the DLLs once. giflib is a static library, as on Linux it is a
# single small dependency.
#
#   scripts/setup-windows-qt.sh            build when missing, print the prefix
#   TAPWRENZ_WIN_QT_PREFIX=dir ...         use another cache folder
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

qt_version=6.4.2
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/tapwrenz
prefix=${TAPWRENZ_WIN_QT_PREFIX:-$cache_root/qt-$qt_version-mingw64}
toolchain=$here/cmake/mingw-w64-x86_64.cmake
jobs=${TAPWRENZ_JOBS:-$(nproc)}

# Everything the cache depends on. A change here rebuilds the cache.
qt_features=(
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_pkg_config=OFF
  # No GPU paths: the window paints with the raster engine.
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_opengl_dynamic=OFF
  -DFEATURE_vulkan=OFF
  # Debian's tarball has no wintab source; direct2d needs it.
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF
  -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_openssl=OFF -DFEATURE_glib=OFF
  # Qt's bundled third-party code, nothing from the build machine.
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF
)
stamp_text="qt-base $qt_version giflib 5.2.1 shared; toolchain $(sha256sum "$toolchain" | cut -c1-16); ${qt_features[*]}; direct2d guard"
stamp=$prefix/tapwrenz-stamp.txt

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
  echo "Windows Qt: cached in $prefix" >&2
  echo "$prefix"
  exit 0
fi

say() { echo "[setup-windows-qt $(date -u +%H:%M:%S)] $*" >&2; }

packages=(g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools xz-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  say "installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The host Qt provides moc, rcc and uic, so the sources must be the same
# version, from the same package.
host_qt=$(dpkg-query -W -f='${source:Version}' libqt6core6)
case $host_qt in
  "$qt_version"+*) ;;
  *) echo "setup-windows-qt: the host Qt is $host_qt, not $qt_version" >&2; exit 1 ;;
esac
host_gif=$(dpkg-query -W -f='${source:Version}' libgif7 2>/dev/null || true)

work=$cache_root/work
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/sources.list.d" "$work/src"

# A private apt configuration: the archive entries the machine already uses,
# as source entries, with their own lists and cache. The system's sources and
# package lists stay as they are.
say "source entries from the machine's Debian archive entries"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
       /URIs:[^\n]*debian/ && /Types:[^\n]*deb/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
    "$f" >"$work/apt/sources.list.d/$(basename "$f")"
done
grep -hE '^deb[[:space:]].*debian' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
  sed 's/^deb[[:space:]]/deb-src /' >"$work/apt/sources.list" || true
apt_opts=(
  -o "Dir::Etc::SourceList=$work/apt/sources.list"
  -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
  -o "Dir::State::Lists=$work/apt/lists"
  -o "Dir::Cache=$work/apt/cache"
  -o "Debug::NoLocking=1"
)
# The private folders are not the sandbox user's to write.
[ "$(id -u)" -ne 0 ] || apt_opts+=(-o "APT::Sandbox::User=root")
apt-get "${apt_opts[@]}" update -qq
cd "$work/src"
say "fetching the source packages qt6-base $host_qt and giflib"
apt-get "${apt_opts[@]}" source -qq --download-only "qt6-base=$host_qt" >/dev/null
if [ -n "$host_gif" ]; then
  apt-get "${apt_opts[@]}" source -qq --download-only "giflib=$host_gif" >/dev/null ||
    apt-get "${apt_opts[@]}" source -qq --download-only giflib >/dev/null
else
  apt-get "${apt_opts[@]}" source -qq --download-only giflib >/dev/null
fi
say "unpacking"
dpkg-source --no-check -x qt6-base_*.dsc qtbase >/dev/null
dpkg-source --no-check -x giflib_*.dsc giflib >/dev/null

# With direct2d off, Qt 6.4 still creates the DirectWrite font database, whose
# code is only compiled with direct2d: guard the call the same way.
integration=qtbase/src/plugins/platforms/windows/qwindowsintegration.cpp
if grep -q '^#if QT_CONFIG(directwrite3)$' "$integration"; then
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' "$integration"
else
  echo "setup-windows-qt: the DirectWrite guard in $integration was not found" >&2
  exit 1
fi

rm -rf "$prefix"
mkdir -p "$prefix"

say "giflib: building"
gif=$work/src/giflib
mkdir -p "$prefix/include" "$prefix/lib"
(
  cd "$gif"
  objs=()
  for c in dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c openbsd-reallocarray.c; do
    x86_64-w64-mingw32-gcc-posix -O2 -c "$c" -o "${c%.c}.o"
    objs+=("${c%.c}.o")
  done
  x86_64-w64-mingw32-ar rcs "$prefix/lib/libgif.a" "${objs[@]}"
  cp gif_lib.h "$prefix/include/"
)

say "qtbase: configuring"
build=$work/qt-build
nice -n 19 cmake -S "$work/src/qtbase" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${qt_features[@]}" >"$work/configure.log" 2>&1 ||
  { tail -40 "$work/configure.log" >&2; exit 1; }
say "qtbase: building with $jobs jobs at the lowest priority (about 25 minutes on two cores)"
# Ninja's status line every 50 steps keeps the log short but alive.
nice -n 19 cmake --build "$build" --parallel "$jobs" 2>&1 |
  awk '/^\[[0-9]+\/[0-9]+\]/ { split($1, a, /[\[\/\]]/); if (a[2] % 50 == 0 || a[2] == a[3]) { print "  " $1; fflush() } next }
       /error|Error|FAILED/ { print; fflush() }' >&2
[ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
say "qtbase: installing"
nice -n 19 cmake --install "$build" >/dev/null
find "$prefix" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

echo "$stamp_text" >"$stamp"
rm -rf "$work"
say "done: $(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
