#!/bin/sh
# Runs a command in a D-Bus session of its own, with a GNOME keyring daemon unlocked by a test
# password and its keyrings in a temporary folder: the desktop keyring of the tests.
#   tests/with-keyring.sh COMMAND [ARGUMENTS...]
set -eu
home=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-keyring.XXXXXX")
trap 'rm -rf "$home"' EXIT INT TERM
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" TARVEX_TEST_PRIVATE_BUS=1
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
status=0
dbus-run-session -- sh -c '
  printf %s tarvex-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null || exit 3
  exec "$@"' sh "$@" || status=$?
exit "$status"
