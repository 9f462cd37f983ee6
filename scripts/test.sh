#!/usr/bin/env bash
# Installs what is missing, builds, and runs the test suite headless.
#   scripts/test.sh                    every test but the long ones (under a minute)
#   scripts/test.sh --long             every test, the long ones too (the 50 MB paste,
#                                      the soak), and the benchmarks are built
#   scripts/test.sh sanitize [--long]  the same under AddressSanitizer + UBSan
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=debug long=
for arg in "$@"; do
  case "$arg" in
    --long) long=1 ;;
    debug | sanitize) kind=$arg ;;
    *) echo "usage: scripts/test.sh [debug|sanitize] [--long]" >&2; exit 2 ;;
  esac
done
case "$kind" in debug) dir=build ;; sanitize) dir=build-sanitize ;; esac
if [ -n "$long" ] && [ "$kind" = debug ]; then
  "$here/scripts/build.sh" "$kind" -DTAPWRENZ_BUILD_BENCH=ON
else
  "$here/scripts/build.sh" "$kind"
fi
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
select=(--label-exclude long)
[ -n "$long" ] && select=()
ctest --test-dir "$here/$dir" --output-on-failure --parallel "$(nproc)" "${select[@]}"
