#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
# Safe to run again: with everything present it changes nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-pdf-dev libqt6opengl6-dev qt6-image-formats-plugins qt6-translations-l10n
  libmuparser-dev libgtest-dev libgmock-dev libbenchmark-dev
  libeigen3-dev libhwy-dev libspng-dev libpng-dev libjpeg-dev libtiff-dev
  xvfb xauth help2man poppler-utils shared-mime-info fonts-dejavu-core
  python3-markdown
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
