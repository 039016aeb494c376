#!/usr/bin/env bash
# Builds and runs the loading and saving benchmark against a private MariaDB server, then
# the timings of the IPO page's line lists and of the lines page, which need no database and
# run offscreen, and of a spreadsheet import; last the round trips of a save on that server
# and on a node of a private three-node cluster.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build/release"
dbdir=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-benchdb.XXXXXX")
clusterdir=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-benchcluster.XXXXXX")
trap '"$root/scripts/mariadb.sh" stop "$dbdir"; "$root/scripts/cluster.sh" stop "$clusterdir"; rm -rf "$dbdir" "$clusterdir"' EXIT INT TERM
"$root/scripts/mariadb.sh" start "$dbdir" tarvex_bench >/dev/null
# shellcheck disable=SC1091
. "$dbdir/env"
"$root/build/release/bench/bench_config"
QT_QPA_PLATFORM=offscreen "$root/build/release/bench/bench_ipo"
QT_QPA_PLATFORM=offscreen "$root/build/release/bench/bench_lines"
QT_QPA_PLATFORM=offscreen "$root/build/release/bench/bench_pageedits"
"$root/build/release/bench/bench_csv"
"$root/build/release/bench/bench_save_trips"
"$root/scripts/cluster.sh" start "$clusterdir" >/dev/null
(
  # shellcheck disable=SC1091
  . "$clusterdir/env"
  read -r port _ <<<"$TARVEX_CLUSTER_PORTS"
  TARVEX_DB_DSN=tarvex_node1 TARVEX_DB_PORT=$port "$root/build/release/bench/bench_save_trips"
)
