#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Non-interactive and idempotent:
# packages that are already installed are skipped, and apt is not touched when nothing is missing.
set -euo pipefail

packages=(
  cmake g++
  qtbase5-dev libqt5sql5-sqlite
  libqwt-qt5-dev
  libfftw3-dev
  libgsl-dev
  xvfb
  fonts-wqy-microhei   # the desktop program's Chinese labels in screenshots and under Xvfb
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup-deps: all packages present"
  exit 0
fi

echo "setup-deps: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
