#!/usr/bin/env bash
# Installs the Debian packages Orvalis needs to build, run and test, when they are missing.
set -euo pipefail
# qt6-translations-l10n: Qt's own dialogs and buttons in Bulgarian. libsqlite3-dev: the long
# readings step through SQLite's own library.
packages=(build-essential cmake ninja-build qt6-base-dev libqt6sql6-sqlite libsqlite3-dev qt6-translations-l10n fonts-dejavu-core
          xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
