#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh" debug
exec "$here/build/bin/tapwrenz" "$@"
