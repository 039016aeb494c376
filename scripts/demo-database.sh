#!/usr/bin/env bash
# The demo: a private MariaDB under DIR holding the sample configuration (loaded once, when
# the data directory is new), and a demo profile whose data source is that server.
#   scripts/demo-database.sh DIR    then  . DIR/db/env  (XDG_CONFIG_HOME = the demo profile)
#   scripts/mariadb.sh stop DIR/db  stops it
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
demo=$(mkdir -p "${1:?folder}" && cd "$1" && pwd)

"$root/scripts/mariadb.sh" start "$demo/db" tarvex_demo
# shellcheck disable=SC1091
. "$demo/db/env"
if [ ! -f "$demo/db/sample-loaded" ]; then
  mariadb --no-defaults --socket="$TARVEX_DB_SOCKET" -uroot "$TARVEX_DB_NAME" <"$root/scripts/demo-config.sql"
  touch "$demo/db/sample-loaded"
fi

# The profile is written anew each time: the server's port changes from run to run.
mkdir -p "$demo/config"
( umask 077
  printf '[Database]\nDSN=%s\nUSER=%s\nPASS="%s"\n' "$TARVEX_DB_DSN" "$TARVEX_DB_USER" "$TARVEX_DB_PASS" \
    >"$demo/config/Tarvex.ini" )
echo "export XDG_CONFIG_HOME='$demo/config'" >>"$demo/db/env"
