#!/usr/bin/env bash
# Installs the Debian packages Quorvel needs to build, test and run. Does nothing when all are present.
set -euo pipefail
pkgs=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-5compat-dev libgl-dev
  libsqlite3-dev sqlite3
  fonts-arphic-uming fonts-arphic-ukai fonts-liberation fonts-dejavu-core
  xvfb xauth x11-apps imagemagick poppler-utils
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
