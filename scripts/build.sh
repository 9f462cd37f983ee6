#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [debug|release|sanitize]   (default: debug)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-debug}
case "$kind" in
  debug)    dir=build;          args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  release)  dir=build-release;  args=(-DCMAKE_BUILD_TYPE=Release -DTAPWRENZ_BUILD_TESTS=OFF) ;;
  sanitize) dir=build-sanitize; args=(-DCMAKE_BUILD_TYPE=Debug -DTAPWRENZ_SANITIZE=ON -DTAPWRENZ_BUILD_BENCH=OFF) ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
"$here/scripts/setup-debian.sh"
cmake -S "$here" -B "$here/$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$here/$dir" --parallel "$(nproc)"
