#!/usr/bin/env bash
# Runs many seeded fault schedules against the emulated panel (the suite runs only a few):
#   scripts/fault-seeds.sh [FIRST] [COUNT]     default: seeds 1..2000
# Needs the test build (scripts/build.sh test). Prints the number of schedules that passed;
# a failing seed is printed with its faults and can be run again on its own with COUNT 1.
set -euo pipefail
cd "$(dirname "$0")/.."
first=${1:-1}
count=${2:-2000}
test -x build/test/tests/panel/tests_panel || { echo "build the tests first: scripts/build.sh test" >&2; exit 2; }
ZOL_FAULT_SEEDS="$first:$count" QT_QPA_PLATFORM=offscreen \
  build/test/tests/panel/tests_panel --gtest_filter='FaultSeeds.*'
