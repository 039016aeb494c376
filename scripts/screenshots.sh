#!/usr/bin/env bash
# Starts the program offscreen against a private demo database and saves pictures of the
# data source dialog and of the main window on each group into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build/release"
cmake --build "$root/build/release" --target tarvex_screenshots

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-shots.XXXXXX")
trap '"$root/scripts/mariadb.sh" stop "$work/db"; rm -rf "$work"' EXIT INT TERM
"$root/scripts/demo-database.sh" "$work" >/dev/null
# shellcheck disable=SC1091
. "$work/db/env"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
# The backups the demo's saves make stay with the demo.
export XDG_DATA_HOME="$work/data"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$root/docs"
"$root/build/release/scripts/screenshots/tarvex_screenshots" "$root/docs"
echo "Pictures saved in $root/docs"
