#!/usr/bin/env bash
# Runs every benchmark executable of a build directory and prints medians of
# repeated runs, with the machine they ran on.
set -u
build=${1:-build}
echo "machine: $(uname -m), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
status=0
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true 2>&1 | grep -E 'median|^-|Benchmark' || status=1
done
exit $status
