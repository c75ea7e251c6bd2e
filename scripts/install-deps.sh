#!/usr/bin/env bash
# Installs, by Debian package name, whatever the build and the tests need and
# this machine lacks. Safe to run again: it only acts on missing packages.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest clang-format
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils
  fonts-wqy-zenhei fonts-liberation2
  imagemagick
  zip unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# No recommends: Wine would otherwise pull in 32-bit and desktop extras.
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
