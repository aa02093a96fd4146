#!/usr/bin/env bash
# Builds the package twice from two clean clones of HEAD that differ in what a
# build must not depend on: the directory (and its depth), the umask, the time
# zone, the locale and the time of day of the build. The .deb files must be the
# same bytes; when they are not, diffoscope says where. The suites are skipped
# (nocheck): they change no installed byte. Usage: check-reproducible.sh [JOBS]
set -euo pipefail

source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=${1:-$(nproc)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -n "$(git -C "$source" status --porcelain --untracked-files=no)" ]; then
  echo "check-reproducible: uncommitted changes are not in the clones" >&2
fi

# build NAME DIRECTORY UMASK TZ LOCALE: one clone, one package build.
build() {
  local name=$1 dir=$work/$2
  mkdir -p "$dir"
  git clone -q --no-local "$source" "$dir/tilemarch"
  (
    cd "$dir/tilemarch"
    umask "$3"
    export TZ=$4 LC_ALL=$5 DEB_BUILD_OPTIONS="nocheck parallel=$jobs"
    dpkg-buildpackage -us -uc -b >"$work/$name.log" 2>&1
  ) || {
    tail -n 40 "$work/$name.log" >&2
    echo "check-reproducible: build $name failed" >&2
    exit 1
  }
  mkdir -p "$work/out-$name"
  mv "$dir"/*.deb "$work/out-$name/"
}

build first a 022 UTC C.UTF-8
build second deeper/elsewhere/tree 002 Pacific/Kiritimati C

status=0
for deb in "$work"/out-first/*.deb; do
  other=$work/out-second/$(basename "$deb")
  if [ ! -e "$other" ]; then
    echo "$(basename "$deb"): only the first build made it" >&2
    status=1
  elif ! cmp -s "$deb" "$other"; then
    echo "$(basename "$deb"): differs" >&2
    diffoscope --text - "$deb" "$other" | head -n 200 >&2 || true
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "identical"
exit "$status"
