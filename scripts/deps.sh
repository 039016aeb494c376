#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, where missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev
  unixodbc unixodbc-dev odbc-mariadb
  mariadb-server mariadb-client galera-4 rsync
  fonts-noto-cjk qt6-translations-l10n
  qtkeychain-qt6-dev libsecret-1-0 gnome-keyring dbus
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# The server is started privately by our own scripts; keep the package from starting one.
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
