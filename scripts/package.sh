#!/usr/bin/env bash
# Builds the Debian package build/package/tarvex_<version>_<arch>.deb: the program from a
# release build, its menu entry, icons and manual page. Prints the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/package"
"$root/scripts/deps.sh"
# Installing builds only what is installed, not the tests and benchmarks.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX_WERROR=ON \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" --target tarvex tarvex_documents
rm -f "$build"/tarvex_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tarvex_*.deb
