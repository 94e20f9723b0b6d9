#!/usr/bin/env bash
# Runs many seeded fault schedules against the emulated panel (the suite runs only a few):
#   scripts/fault-seeds.sh [FIRST] [COUNT]     default: seeds 1..2000
# Needs the test build (scripts/build.sh test). Runs them in chunks of 25 and prints a running
# count; a failing seed is printed with its faults (run it alone with COUNT 1) and ends the run.
set -euo pipefail
cd "$(dirname "$0")/.."
first=${1:-1}
count=${2:-2000}
binary=build/test/tests/panel/tests_panel
test -x "$binary" || { echo "build the tests first: scripts/build.sh test" >&2; exit 2; }
passed=0
for ((seed = first; seed < first + count; seed += 25)); do
  n=$(( first + count - seed < 25 ? first + count - seed : 25 ))
  if ! ZOL_FAULT_SEEDS="$seed:$n" QT_QPA_PLATFORM=offscreen "$binary" --gtest_filter='FaultSeeds.*' \
       > "build/test/fault-seeds.log" 2>&1; then
    grep -E 'seed [0-9]+:|Failure|differs|lost|logged' build/test/fault-seeds.log | head -20
    echo "fault seeds: $passed passed, then seed range $seed.. failed (build/test/fault-seeds.log)"
    exit 1
  fi
  passed=$((passed + n))
  echo "fault seeds $first..$((seed + n - 1)): $passed passed"
done
