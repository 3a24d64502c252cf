#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Bilvox needs.
# Safe to run again; does nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev qt6-translations-l10n
  libjpeg62-turbo-dev libcurl4-openssl-dev libexpat1-dev libxml2-dev libxml2-utils
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fontconfig
  poppler-utils desktop-file-utils
  xvfb xauth
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
