#!/usr/bin/env bash
# Runs a command with an X display and a window manager for the windowed tests.
# An existing DISPLAY is used as it is; otherwise a private Xvfb server with
# openbox is started for the command and stopped after it.
set -u
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi

tmp=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.05
done
if [ ! -s "$tmp/display" ]; then
  echo "with-display: Xvfb did not start; windowed tests will skip" >&2
  kill "$xvfb" 2>/dev/null
  "$@"
  exit $?
fi
export DISPLAY=":$(cat "$tmp/display")"
openbox >"$tmp/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 1 100); do
  wmctrl -m >/dev/null 2>&1 && break
  sleep 0.05
done

"$@"
status=$?
kill "$wm" "$xvfb" 2>/dev/null
wait "$wm" "$xvfb" 2>/dev/null
rm -rf "$tmp"
exit $status
