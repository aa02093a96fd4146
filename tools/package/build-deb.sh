#!/usr/bin/env bash
# Builds the Debian package with dpkg-buildpackage in a copy of the source tree
# (which so gets none of the package build's by-products) and leaves in BUILD
#   tilemarch_VERSION_ARCH.deb, its -dbgsym package, .buildinfo and .changes.
# DEB_BUILD_OPTIONS is honoured (nocheck skips the suites); JOBS sets its
# parallel= unless that names one. Usage: build-deb.sh BUILD [JOBS]
set -euo pipefail

source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
mkdir -p "$1"
build=$(cd "$1" && pwd)
jobs=${2:-$(nproc)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What a clone would hold, with the working tree's changes; outside a git
# checkout, everything but build directories.
mkdir "$work/tilemarch"
if git -C "$source" rev-parse --git-dir >/dev/null 2>&1; then
  git -C "$source" ls-files -z --cached --others --exclude-standard --deduplicate
else
  (cd "$source" && find . -path './build*' -prune -o -path './obj-*' -prune -o -type f -print0)
fi | (cd "$source" && while IFS= read -r -d '' file; do
  [ -e "$file" ] && printf '%s\0' "$file"
done) | (cd "$source" && xargs -0 -r cp -P --parents -t "$work/tilemarch" --)

case " ${DEB_BUILD_OPTIONS:-} " in
*" parallel="*) ;;
*) export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$jobs" ;;
esac
log=$build/package-build.log
(cd "$work/tilemarch" && dpkg-buildpackage -us -uc -b) >"$log" 2>&1 || {
  tail -n 60 "$log" >&2
  echo "build-deb: dpkg-buildpackage failed; its whole log is $log" >&2
  exit 1
}
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
for file in "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes; do
  mv -f "$file" "$build/"
done
echo "$build/tilemarch_${version}_${arch}.deb"
