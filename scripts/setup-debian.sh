#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Does nothing when they are all there already, so it is cheap to run every time.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsdl2-dev libgif-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation
  xvfb xauth xdotool x11-utils xclip openbox wmctrl
  dpkg-dev lintian desktop-file-utils appstream man-db
)

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
