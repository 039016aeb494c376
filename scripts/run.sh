#!/usr/bin/env bash
# Installs what is missing, builds, starts a private MariaDB with a sample configuration
# in a folder of the user's, and starts the tool against it with a demo profile. The
# user's own settings and data sources are not touched. The server stops with the tool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: the tool is a desktop program and needs a graphical session (DISPLAY or WAYLAND_DISPLAY)." >&2
  exit 1
fi

"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build/release"

demo=${TARVEX_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/tarvex-demo}
trap '"$root/scripts/mariadb.sh" stop "$demo/db"' EXIT INT TERM
"$root/scripts/demo-database.sh" "$demo"
# shellcheck disable=SC1091
. "$demo/db/env"

"$root/build/release/app/tarvex" "$@"
