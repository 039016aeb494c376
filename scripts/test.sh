#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, starts a private MariaDB for the tests, runs the whole
# suite offscreen, then builds and runs it once more with AddressSanitizer and
# UndefinedBehaviorSanitizer. Stops the server however it ends.
#   scripts/test.sh            everything
#   scripts/test.sh --quick    the plain build only
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
quick=0
[ "${1:-}" = "--quick" ] && quick=1

"$root/scripts/deps.sh"
"$root/scripts/check-format.sh"

dbdir=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-testdb.XXXXXX")
cleanup() {
  "$root/scripts/mariadb.sh" stop "$dbdir" || true
  rm -rf "$dbdir"
}
trap cleanup EXIT INT TERM

"$root/scripts/build.sh" "$root/build/release"
if [ "$quick" = 0 ]; then
  "$root/scripts/build.sh" "$root/build/sanitize" -DTARVEX_SANITIZE=ON
fi

"$root/scripts/mariadb.sh" start "$dbdir" tarvex_test
# shellcheck disable=SC1091
. "$dbdir/env"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$dbdir/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

echo "== test suite"
ctest --test-dir "$root/build/release" --output-on-failure

if [ "$quick" = 0 ]; then
  echo "== test suite with AddressSanitizer and UndefinedBehaviorSanitizer"
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
  LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir "$root/build/sanitize" --output-on-failure
fi
