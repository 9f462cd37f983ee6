#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# and with each named extra what one more kind of run needs:
#   scripts/setup-debian.sh [bench] [fuzz] [format] [package] [clean-root]
#     bench   Google Benchmark, for the benchmarks (the release build)
#     fuzz    clang and its sanitizer runtimes, for scripts/fuzz.sh
#     format  clang-format, for CI's formatting check
#     package the Debian packaging tools and the checks of the package (scripts/package.sh)
#     clean-root  mmdebstrap, for the package's check on a clean Debian root
# Does nothing when they are all there already, so it is cheap to run every time.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsdl2-dev libgif-dev libfontconfig-dev
  libgtest-dev libgmock-dev
  fonts-liberation
  libxcb1-dev
  xvfb xauth xdotool x11-utils xclip openbox wmctrl
  weston qt6-wayland qt6-gtk-platformtheme
)
for extra in "$@"; do
  case "$extra" in
    bench) packages+=(libbenchmark-dev) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    format) packages+=(clang-format) ;;
    package) packages+=(dpkg-dev lintian desktop-file-utils appstream man-db) ;;
    clean-root) packages+=(mmdebstrap) ;;
    *) echo "unknown extra: $extra (bench, fuzz, format, package or clean-root)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
