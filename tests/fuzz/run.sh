#!/usr/bin/env bash
# Runs fuzz targets for SECONDS each from their seed corpus (regression inputs
# included) and prints the runs each made. A crashing input is kept in
# BUILD/fuzz-artifacts. Usage: run.sh BUILD SECONDS [NAME...] (default: all).
set -uo pipefail
build=$1 seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || set -- $(ls "$here/seeds")
mkdir -p "$build/fuzz-artifacts"
failed=0
for name; do
  work=$(mktemp -d)
  # New inputs go to a scratch corpus; the seed folder is only read. A missing
  # target (make fuzz-build) fails like a fault.
  if "$build/fuzz_$name" -max_total_time="$seconds" -timeout=10 -close_fd_mask=1 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-artifacts/$name-" "$work" "$here/seeds/$name" >"$work.log" 2>&1; then
    echo "$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$work.log") runs in $seconds s, no fault"
  else
    echo "$name: FAULT" && tail -n 40 "$work.log"
    failed=1
  fi
  rm -rf "$work" "$work.log"
done
exit $failed
