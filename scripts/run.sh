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
mkdir -p "$demo"
trap '"$root/scripts/mariadb.sh" stop "$demo/db"' EXIT INT TERM
"$root/scripts/mariadb.sh" start "$demo/db" tarvex_demo
# shellcheck disable=SC1091
. "$demo/db/env"

if [ ! -f "$demo/db/sample-loaded" ]; then
  mariadb --no-defaults --socket="$TARVEX_DB_SOCKET" -uroot "$TARVEX_DB_NAME" <"$root/scripts/demo-config.sql"
  touch "$demo/db/sample-loaded"
fi

# The demo profile: its own settings folder, holding the demo data source.
export XDG_CONFIG_HOME="$demo/config"
mkdir -p "$XDG_CONFIG_HOME"
settings="$XDG_CONFIG_HOME/Tarvex.ini"
( umask 077
  printf '[Database]\nDSN=%s\nUSER=%s\nPASS="%s"\n' "$TARVEX_DB_DSN" "$TARVEX_DB_USER" "$TARVEX_DB_PASS" >"$settings" )

"$root/build/release/app/tarvex" "$@"
