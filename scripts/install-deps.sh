#!/usr/bin/env bash
# Installs the Debian packages the editor, its tools and its tests need (only the missing ones).
# Usage: scripts/install-deps.sh [extra package ...]
set -euo pipefail

packages=(build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libpng-dev fonts-dejavu-core
  libgtest-dev libx11-dev libxtst-dev xvfb xauth xdotool
  git help2man "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
