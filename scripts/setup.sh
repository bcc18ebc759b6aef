#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zerandi need, and the
# packages named as arguments. Quick when they are already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core
  xvfb xauth x11-apps xdotool imagemagick
  dpkg-dev scdoc librsvg2-bin desktop-file-utils
  cups printer-driver-cups-pdf poppler-utils
  ser2net mold
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
