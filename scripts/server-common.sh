# Shared by scripts/mariadb.sh and scripts/cluster.sh: sourced, not run.

# Stops the server whose pid is in file $1, if it runs; the file goes.
stop_pidfile() {
  local pidfile=$1
  [ -f "$pidfile" ] || return 0
  local pid
  pid=$(cat "$pidfile")
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 200); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile"
}

port_in_use() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

find_driver() {
  local so
  for so in /usr/lib/x86_64-linux-gnu/odbc/libmaodbc.so /usr/lib/*/odbc/libmaodbc.so /usr/lib/odbc/libmaodbc.so; do
    [ -f "$so" ] && { echo "$so"; return; }
  done
  echo "MariaDB Connector/ODBC (libmaodbc.so) is not installed" >&2
  exit 1
}
