#!/usr/bin/env bash
# A private MariaDB server in a folder of its own, reached through unixODBC.
#
#   scripts/mariadb.sh start DIR DSN   data directory under DIR, a free port on 127.0.0.1,
#                                      database and account "tarvex", DSN written to DIR/odbc.ini;
#                                      DIR/env holds the exports that point a program at it
#   scripts/mariadb.sh stop DIR        stops the server started in DIR
#
# A DIR that already holds a data directory is reused as it is.
set -euo pipefail
# shellcheck source=scripts/server-common.sh
. "$(dirname "$0")/server-common.sh"

cmd=${1:?start or stop}
dir=$(mkdir -p "${2:?folder}" && cd "$2" && pwd)
data="$dir/data"
sock="$dir/mariadb.sock"
pidfile="$dir/mariadb.pid"

db_user=tarvex
db_pass='tarvex;pw'   # holds a ';' on purpose: the connection string must carry it
db_name=tarvex

stop_server() { stop_pidfile "$pidfile"; }

sql() {
  mariadb --no-defaults --socket="$sock" -uroot "$@"
}

start_server() {
  stop_server
  local fresh=0
  if [ ! -d "$data/mysql" ]; then
    rm -rf "$data"
    mariadb-install-db --no-defaults --datadir="$data" --user="$(id -un)" \
      --auth-root-authentication-method=socket --skip-test-db >"$dir/install.log" 2>&1 ||
      { cat "$dir/install.log" >&2; exit 1; }
    fresh=1
  fi

  local port started=0
  for _ in $(seq 1 20); do
    port=$((20000 + RANDOM % 20000))
    port_in_use "$port" && continue
    # A private server that nothing depends on after it stops: commits need not wait for the disk.
    mariadbd --no-defaults --datadir="$data" --socket="$sock" --pid-file="$pidfile" \
      --port="$port" --bind-address=127.0.0.1 --user="$(id -un)" \
      --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
      --skip-name-resolve --innodb-buffer-pool-size=64M --innodb-flush-log-at-trx-commit=0 \
      --log-error="$dir/mariadb.err" &
    local pid=$!
    for _ in $(seq 1 300); do
      if sql -e 'SELECT 1' >/dev/null 2>&1; then started=1; break; fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    [ "$started" = 1 ] && break
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ "$started" != 1 ]; then
    echo "MariaDB did not start; see $dir/mariadb.err" >&2
    tail -n 20 "$dir/mariadb.err" >&2 || true
    exit 1
  fi

  if [ "$fresh" = 1 ]; then
    # The account may name another definer (CREATE DEFINER=`root`@`%`), as an
    # administrator's account can; that definer has to exist for the procedure to run.
    sql <<SQL
CREATE DATABASE $db_name CHARACTER SET utf8mb4;
CREATE USER '$db_user'@'127.0.0.1' IDENTIFIED BY '$db_pass';
CREATE USER '$db_user'@'localhost' IDENTIFIED BY '$db_pass';
GRANT ALL PRIVILEGES ON *.* TO '$db_user'@'127.0.0.1' WITH GRANT OPTION;
GRANT ALL PRIVILEGES ON *.* TO '$db_user'@'localhost' WITH GRANT OPTION;
CREATE USER IF NOT EXISTS 'root'@'%' IDENTIFIED BY 'root-$RANDOM$RANDOM';
GRANT ALL PRIVILEGES ON *.* TO 'root'@'%';
FLUSH PRIVILEGES;
SQL
  fi

  local driver
  driver=$(find_driver)
  cat >"$dir/odbc.ini" <<INI
[$DSN_NAME]
Description = Tarvex private MariaDB
Driver      = $driver
SERVER      = 127.0.0.1
PORT        = $port
DATABASE    = $db_name
CHARSET     = utf8mb4

# Data sources that name another character set, as sites running the middleware with GBK do.
[${DSN_NAME}_gbk]
Description = Tarvex private MariaDB, GBK
Driver      = $driver
SERVER      = 127.0.0.1
PORT        = $port
DATABASE    = $db_name
CHARSET     = gbk

[${DSN_NAME}_latin1]
Description = Tarvex private MariaDB, latin1
Driver      = $driver
SERVER      = 127.0.0.1
PORT        = $port
DATABASE    = $db_name
CHARSET     = latin1

[${DSN_NAME}_unreachable]
Description = A server that is not there
Driver      = $driver
SERVER      = 127.0.0.1
PORT        = 1
DATABASE    = $db_name
CHARSET     = utf8mb4

# A data source with statements of its own for the start of every session, as sites have.
[${DSN_NAME}_initstmt]
Description = Tarvex private MariaDB, with its own first statement
Driver      = $driver
SERVER      = 127.0.0.1
PORT        = $port
DATABASE    = $db_name
CHARSET     = utf8mb4
INITSTMT    = SET @site_init = 'site'
INI
  cat >"$dir/env" <<ENV
export ODBCINI='$dir/odbc.ini'
export TARVEX_DB_DSN='$DSN_NAME'
export TARVEX_DB_UNREACHABLE_DSN='${DSN_NAME}_unreachable'
export TARVEX_DB_USER='$db_user'
export TARVEX_DB_PASS='$db_pass'
export TARVEX_DB_NAME='$db_name'
export TARVEX_DB_PORT='$port'
export TARVEX_DB_SOCKET='$sock'
export TARVEX_DB_PIDFILE='$pidfile'
ENV
  echo "MariaDB listening on 127.0.0.1:$port (DSN $DSN_NAME in $dir/odbc.ini)"
}

case "$cmd" in
  start) DSN_NAME=${3:?DSN name}; start_server ;;
  stop) stop_server ;;
  *) echo "usage: $0 start DIR DSN | stop DIR" >&2; exit 2 ;;
esac
