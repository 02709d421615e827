#!/usr/bin/env bash
# Installs the Debian packages that the build, the game, the content tools and the tests need.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libirrlicht-dev libgl-dev libglx-dev libxxf86vm-dev libx11-dev
  zlib1g-dev libpng-dev libjpeg-dev
  libvorbis-dev libogg-dev libopenal-dev libopenal1
  libfreetype-dev fonts-dejavu-core librsvg2-bin
  libtinyxml2-dev
  xvfb xauth libgl1-mesa-dri xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
