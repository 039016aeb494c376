#!/usr/bin/env bash
# Checks every C++ file of the project against the committed .clang-format and names those
# that differ. Exit 1 when one does; scripts/check-format.sh --fix formats them in place.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
fix=0
[ "${1:-}" = "--fix" ] && fix=1

differing=()
while IFS= read -r -d '' file; do
  if ! clang-format --style=file "$file" | cmp -s - "$file"; then
    differing+=("$file")
  fi
done < <(git ls-files -z -- '*.cpp' '*.h')

if [ "${#differing[@]}" -eq 0 ]; then
  echo "formatting: every file follows .clang-format"
  exit 0
fi
if [ "$fix" = 1 ]; then
  clang-format --style=file -i "${differing[@]}"
  printf 'formatted: %s\n' "${differing[@]}"
  exit 0
fi
echo "formatting: these files differ from .clang-format (scripts/check-format.sh --fix formats them):"
printf '  %s\n' "${differing[@]}"
exit 1
