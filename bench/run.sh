#!/usr/bin/env bash
# Builds and runs the loading and saving benchmark against a private MariaDB server, then
# the timings of the IPO page's line lists and of the lines page, which need no database and
# run offscreen, and of a spreadsheet import.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build/release"
dbdir=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-benchdb.XXXXXX")
trap '"$root/scripts/mariadb.sh" stop "$dbdir"; rm -rf "$dbdir"' EXIT INT TERM
"$root/scripts/mariadb.sh" start "$dbdir" tarvex_bench >/dev/null
# shellcheck disable=SC1091
. "$dbdir/env"
"$root/build/release/bench/bench_config"
QT_QPA_PLATFORM=offscreen "$root/build/release/bench/bench_ipo"
QT_QPA_PLATFORM=offscreen "$root/build/release/bench/bench_lines"
"$root/build/release/bench/bench_csv"
