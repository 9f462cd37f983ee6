#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [debug|release|sanitize] [cmake options...]   (default: debug)
# The debug tree leaves the benchmarks out (they are measured in the release
# tree); -DTAPWRENZ_BUILD_BENCH=ON builds them there too.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-debug}
shift || true
case "$kind" in
  debug)    dir=build;          args=(-DCMAKE_BUILD_TYPE=Debug -DTAPWRENZ_BUILD_BENCH=OFF) ;;
  release)  dir=build-release;  args=(-DCMAKE_BUILD_TYPE=Release -DTAPWRENZ_BUILD_TESTS=OFF -DTAPWRENZ_BUILD_BENCH=ON) ;;
  sanitize) dir=build-sanitize; args=(-DCMAKE_BUILD_TYPE=Debug -DTAPWRENZ_SANITIZE=ON -DTAPWRENZ_BUILD_BENCH=OFF) ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
args+=("$@")  # the caller's options come last and win

extras=()
for a in "${args[@]}"; do
  case "$a" in
    -DTAPWRENZ_BUILD_BENCH=ON) extras=(bench) ;;
    -DTAPWRENZ_BUILD_BENCH=OFF) extras=() ;;
  esac
done
"$here/scripts/setup-debian.sh" "${extras[@]}"
cmake -S "$here" -B "$here/$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$here/$dir" --parallel "$(nproc)"
