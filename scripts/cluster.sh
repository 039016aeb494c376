#!/usr/bin/env bash
# A private three-node MariaDB Galera cluster on 127.0.0.1, reached through unixODBC.
#
#   scripts/cluster.sh start DIR   node1 bootstraps the cluster, node2 and node3 join it by state
#                                  transfer (rsync); each node has its own ports, socket and data
#                                  folder under DIR. DIR/odbc.ini names one data source per node
#                                  (tarvex_node1 to tarvex_node3), DIR/env the exports that point a
#                                  program at them, with the same account as scripts/mariadb.sh.
#   scripts/cluster.sh stop DIR    stops the nodes started in DIR
#
# Run as root, the servers run as the mysql user, and so does the rsync daemon of a state
# transfer: DIR and every folder above it must be readable by that user.
set -euo pipefail
# shellcheck source=scripts/server-common.sh
. "$(dirname "$0")/server-common.sh"

cmd=${1:?start or stop}
dir=$(mkdir -p "${2:?folder}" && cd "$2" && pwd)

db_user=tarvex
db_pass='tarvex;pw'
db_name=tarvex
provider=/usr/lib/galera/libgalera_smm.so

run_as=()
server_user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  server_user=mysql
  run_as=(runuser -u mysql --)
fi

node_dir() { echo "$dir/node$1"; }

stop_node() { stop_pidfile "$(node_dir "$1")/mariadb.pid"; }

stop_all() {
  # The last to leave first, so that the cluster never waits for a node already gone.
  for n in 3 2 1; do stop_node "$n"; done
}

free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 20000))
    port_in_use "$port" || { echo "$port"; return; }
  done
}

sql() {
  mariadb --no-defaults --socket="$(node_dir "$1")/mariadb.sock" -uroot "${@:2}"
}

# Starts node $1 with the cluster address $2; extra mariadbd options follow.
start_node() {
  local n=$1 address=$2
  shift 2
  local home
  home=$(node_dir "$n")
  "${run_as[@]}" mariadbd --no-defaults --datadir="$home/data" --socket="$home/mariadb.sock" \
    --pid-file="$home/mariadb.pid" --port="${sql_port[$n]}" --bind-address=127.0.0.1 --user="$server_user" \
    --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci --skip-name-resolve \
    --innodb-buffer-pool-size=64M --innodb-flush-log-at-trx-commit=0 --log-error="$home/mariadb.err" \
    --binlog-format=ROW --default-storage-engine=InnoDB --innodb-autoinc-lock-mode=2 \
    --wsrep-on=ON --wsrep-provider="$provider" --wsrep-cluster-name=tarvex \
    --wsrep-cluster-address="$address" --wsrep-node-name="node$n" \
    --wsrep-node-address="127.0.0.1:${galera_port[$n]}" \
    --wsrep-provider-options="base_port=${galera_port[$n]};ist.recv_addr=127.0.0.1:${ist_port[$n]};gcache.size=32M" \
    --wsrep-sst-method=rsync --wsrep-sst-receive-address="127.0.0.1:${sst_port[$n]}" \
    "$@" </dev/null >>"$home/mariadb.out" 2>&1 &
  local pid=$!
  # A joiner takes its state first, so it is given longer.
  for _ in $(seq 1 900); do
    if [ "$(sql "$n" -N -e "SHOW STATUS LIKE 'wsrep_ready'" 2>/dev/null | cut -f2)" = ON ]; then return 0; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "node$n did not start; see $home/mariadb.err" >&2
  tail -n 30 "$home/mariadb.err" >&2 || true
  stop_all
  exit 1
}

start_cluster() {
  stop_all
  chmod 755 "$dir"
  declare -g -A sql_port galera_port ist_port sst_port
  local members=""
  for n in 1 2 3; do
    sql_port[$n]=$(free_port)
    galera_port[$n]=$(free_port)
    ist_port[$n]=$(free_port)
    sst_port[$n]=$(free_port)
    members+="${members:+,}127.0.0.1:${galera_port[$n]}"
    local home
    home=$(node_dir "$n")
    rm -rf "$home"
    mkdir -p "$home/data"
    [ ${#run_as[@]} -eq 0 ] || chown -R mysql:mysql "$home"
  done

  # Only the first node is installed: the others take everything from it by state transfer.
  mariadb-install-db --no-defaults --datadir="$(node_dir 1)/data" --user="$server_user" \
    --auth-root-authentication-method=socket --skip-test-db >"$dir/install.log" 2>&1 ||
    { cat "$dir/install.log" >&2; exit 1; }
  start_node 1 "gcomm://" --wsrep-new-cluster
  sql 1 <<SQL
CREATE DATABASE $db_name CHARACTER SET utf8mb4;
CREATE USER '$db_user'@'127.0.0.1' IDENTIFIED BY '$db_pass';
CREATE USER '$db_user'@'localhost' IDENTIFIED BY '$db_pass';
GRANT ALL PRIVILEGES ON *.* TO '$db_user'@'127.0.0.1' WITH GRANT OPTION;
GRANT ALL PRIVILEGES ON *.* TO '$db_user'@'localhost' WITH GRANT OPTION;
FLUSH PRIVILEGES;
SQL
  start_node 2 "gcomm://$members"
  start_node 3 "gcomm://$members"

  local driver
  driver=$(find_driver)
  : >"$dir/odbc.ini"
  for n in 1 2 3; do
    cat >>"$dir/odbc.ini" <<INI
[tarvex_node$n]
Description = Tarvex private Galera cluster, node $n
Driver      = $driver
SERVER      = 127.0.0.1
PORT        = ${sql_port[$n]}
DATABASE    = $db_name
CHARSET     = utf8mb4

INI
  done
  cat >"$dir/env" <<ENV
export ODBCINI='$dir/odbc.ini'
export TARVEX_CLUSTER_DSNS='tarvex_node1 tarvex_node2 tarvex_node3'
export TARVEX_CLUSTER_SOCKETS='$(node_dir 1)/mariadb.sock $(node_dir 2)/mariadb.sock $(node_dir 3)/mariadb.sock'
export TARVEX_CLUSTER_PORTS='${sql_port[1]} ${sql_port[2]} ${sql_port[3]}'
export TARVEX_DB_USER='$db_user'
export TARVEX_DB_PASS='$db_pass'
export TARVEX_DB_NAME='$db_name'
ENV
  echo "Galera cluster of 3 nodes on 127.0.0.1:${sql_port[1]},${sql_port[2]},${sql_port[3]} (DSNs in $dir/odbc.ini)"
}

case "$cmd" in
  start) start_cluster ;;
  stop) stop_all ;;
  *) echo "usage: $0 start DIR | stop DIR" >&2; exit 2 ;;
esac
