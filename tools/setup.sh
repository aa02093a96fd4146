#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, and nothing
# that is already there. Safe to run on every `make`.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libglfw3-dev libgl-dev libopenal-dev libstb-dev libvorbis-dev
  fonts-dejavu-core
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool openbox wmctrl imagemagick x11-apps x11-utils
  sox vorbis-tools python3 desktop-file-utils
  libx11-dev sgt-puzzles
  dpkg-dev appstream
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
