#!/usr/bin/env bash
# Takes the picture the metainfo shows software centres: the built game's map
# in its 640 x 480 window, from a fresh start. Publish BUILD/screenshots/map.png
# at the metainfo's screenshot address. Needs a display (tools/with-display.sh
# gives one). Usage: BUILD=DIR screenshot.sh
set -euo pipefail

build=$(cd "${BUILD:-build}" && pwd)
out=$build/screenshots/map.png
work=$(mktemp -d)
game=
trap '[ -z "$game" ] || kill "$game" 2>/dev/null; rm -rf "$work"' EXIT

# A working directory of its own: no one's progress shows, none is written.
(cd "$work" && exec "$build/tilemarch") >"$work/log" 2>&1 &
game=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$game" --name '^Tilemarch$' | tail -n 1)
# The map's pictures are loaded in the first updates; the cursor ring settles after.
sleep 3
mkdir -p "${out%/*}"
import -window "$window" "$out"
echo "$out"
