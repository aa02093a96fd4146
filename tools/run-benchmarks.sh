#!/usr/bin/env bash
# Runs every benchmark executable of a build directory and prints medians of
# repeated runs, then measures the game as a player runs it (start-up, draw
# calls, memory and CPU beside the floor of its stack and beside Debian's
# sgt-pattern) and prints one table of all the figures with the machine.
# Windowed measurements get a private X display when there is none.
set -u
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TILEMARCH_BENCH_X:-}" ] && ! xdpyinfo >/dev/null 2>&1; then
  TILEMARCH_BENCH_X=1 exec bash "$here/with-display.sh" bash "$0" "$@"
fi
echo "machine: $(uname -m), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  name=$(basename "$b")
  echo "== $name"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true --benchmark_out="$out/$name.json" --benchmark_out_format=json 2>&1 |
    grep -E 'median|^-|Benchmark' || status=1
done
python3 "$here/measure-game.py" "$build" "$out"/*.json || status=1
exit $status
