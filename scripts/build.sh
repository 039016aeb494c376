#!/usr/bin/env bash
# Configures and builds into the folder given (default build/release).
#   scripts/build.sh [FOLDER] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
shift || true
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WERROR=ON "$@" >/dev/null
cmake --build "$build"
