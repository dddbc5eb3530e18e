#!/usr/bin/env bash
# Installs the Debian packages the drill and its tests need; does nothing when
# they are all present, so it is safe to run before every build.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  fonts-wine
  xvfb xauth x11-utils xdotool imagemagick
  dpkg-dev desktop-file-utils appstream binutils-mingw-w64-x86-64 libxcb1-dev
  libx11-dev libxtst-dev libxfixes-dev xfwm4 dbus-daemon xclip valgrind
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
