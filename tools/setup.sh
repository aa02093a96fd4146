#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, and nothing
# that is already there. Safe to run on every `make`.
# The build's own list is debian/control's Build-Depends (apt-get build-dep);
# only what the tests, benchmarks and packaging checks use beyond it is here.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

extras=(
  libbenchmark-dev libx11-dev
  xvfb xauth xdotool openbox wmctrl imagemagick x11-apps x11-utils
  sox vorbis-tools python3 desktop-file-utils sgt-puzzles appstream
  clang libclang-rt-14-dev
  lintian devscripts autopkgtest diffoscope-minimal
)

missing=()
for p in dpkg-dev "${extras[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
build_deps_missing=0
if [ ${#missing[@]} -gt 0 ] && [ "${missing[0]}" = dpkg-dev ]; then
  build_deps_missing=1
elif ! dpkg-checkbuilddeps >/dev/null 2>&1; then
  build_deps_missing=1
fi
[ ${#missing[@]} -eq 0 ] && [ $build_deps_missing = 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [ $build_deps_missing = 1 ]; then
  echo "Installing the build dependencies of debian/control"
  $sudo apt-get build-dep -y -q --no-install-recommends ./
fi
