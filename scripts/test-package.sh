#!/usr/bin/env bash
# Builds the Debian package and checks it: its contents, its menu entry, lintian, and an
# install with apt into a scratch Debian 12 root (made once with debootstrap, kept in
# build/package/root), where `tarvex --help` must run and the menu entry's command must
# start the window. Needs root and Debian's mirror; takes a few minutes the first time.
#   scripts/test-package.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$("$root/scripts/package.sh" | tail -1)
work="$root/build/package"
fail() { echo "FAIL: $*" >&2; exit 1; }

tools=()
for tool in lintian:lintian desktop-file-validate:desktop-file-utils debootstrap:debootstrap; do
  command -v "${tool%%:*}" >/dev/null || tools+=("${tool#*:}")
done
if [ ${#tools[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${tools[@]}" >/dev/null
fi

echo "== contents of $(basename "$deb")"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(./usr/bin/tarvex ./usr/share/applications/tarvex.desktop ./usr/share/man/man1/tarvex.1.gz
          ./usr/share/doc/tarvex/copyright ./usr/share/doc/tarvex/changelog.gz)
for size in 16 24 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/tarvex.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$contents" || fail "$file is not in the package"
done
control=$(dpkg-deb -f "$deb")
for field in "Depends: .*libqt6widgets6" "Depends: .*libodbc2" "Recommends: .*odbc-mariadb" \
             "Recommends: .*tdsodbc" "Recommends: .*qt6-translations-l10n"; do
  grep -q "^$field" <<<"$control" || fail "the control file lacks $field"
done

echo "== menu entry"
extracted=$(mktemp -d)
trap 'rm -rf "$extracted"' EXIT
dpkg-deb -x "$deb" "$extracted"
desktop-file-validate "$extracted/usr/share/applications/tarvex.desktop"
for key in "Name=" "Name\[zh_CN\]=" "Comment=" "Icon=tarvex" "Categories=" "Exec=tarvex"; do
  grep -q "^$key" "$extracted/usr/share/applications/tarvex.desktop" || fail "the menu entry lacks $key"
done
man -l "$extracted/usr/share/man/man1/tarvex.1.gz" >/dev/null 2>&1 || fail "the manual page does not format"

echo "== lintian"
lintian --fail-on error,warning "$deb"

echo "== install into a scratch Debian 12 root"
scratch="$work/root"
if [ ! -x "$scratch/usr/bin/apt-get" ]; then
  rm -rf "$scratch"
  debootstrap --variant=minbase bookworm "$scratch" http://deb.debian.org/debian >/dev/null
fi
mount -t proc proc "$scratch/proc"
trap 'umount "$scratch/proc"; rm -rf "$extracted"' EXIT
cp "$deb" "$scratch/tmp/"
in_root() { chroot "$scratch" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -qq
in_root apt-get remove -y -qq tarvex >/dev/null 2>&1 || true
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
in_root tarvex --help | grep -q "import-csv" || fail "tarvex --help does not run in the scratch root"
# The menu entry's command starts the window: offscreen it waits at the data source dialog.
command_line=$(sed -n 's/^Exec=//p' "$scratch/usr/share/applications/tarvex.desktop")
set +e
in_root mkdir -p -m 700 /run/tarvex-test
in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/run/tarvex-test timeout 10 $command_line >"$work/window.log" 2>&1
status=$?
set -e
[ "$status" -eq 124 ] || { cat "$work/window.log"; fail "the menu entry's command ended ($status) instead of waiting in its window"; }
! grep -qi "could not\|cannot\|error" "$work/window.log" || { cat "$work/window.log"; fail "the window reported a problem"; }
echo "package checked: $deb"
