#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
#   scripts/test.sh             normal build
#   scripts/test.sh sanitize    the same suite under AddressSanitizer + UBSan
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-debug}
"$here/scripts/build.sh" "$kind"
case "$kind" in debug) dir=build ;; sanitize) dir=build-sanitize ;; *) echo "no tests in $kind" >&2; exit 2 ;; esac
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir "$here/$dir" --output-on-failure --parallel "$(nproc)"
