#!/usr/bin/env bash
# Runs many seeded fault schedules against the emulated panel (the suite runs only a few):
#   scripts/fault-seeds.sh [FIRST] [COUNT] [JOBS]     default: seeds 1..2000, 4 at a time
# Needs the test build (scripts/build.sh test). Runs them in chunks of 25, JOBS chunks at once
# (a schedule mostly waits on the emulated line, so several share a core), and prints a count
# as chunks end; a failing chunk is printed with its faults (run a seed alone with COUNT 1).
set -euo pipefail
cd "$(dirname "$0")/.."
first=${1:-1}
count=${2:-2000}
jobs=${3:-4}
binary=build/test/tests/panel/tests_panel
test -x "$binary" || { echo "build the tests first: scripts/build.sh test" >&2; exit 2; }
logs=build/test/fault-seeds
rm -rf "$logs" && mkdir -p "$logs"
run_chunk() {
  local seed=$1 n=$2 log="$logs/$1.log"
  if ZOL_FAULT_SEEDS="$seed:$n" QT_QPA_PLATFORM=offscreen "$binary" --gtest_filter='FaultSeeds.*' \
       > "$log" 2>&1; then
    echo "fault seeds $seed..$((seed + n - 1)): passed"
  else
    grep -E 'seed [0-9]+:|Failure|differs|lost|logged' "$log" | head -20
    echo "fault seeds $seed..$((seed + n - 1)): FAILED ($log)"
    return 1
  fi
}
export -f run_chunk
export binary logs
for ((seed = first; seed < first + count; seed += 25)); do
  echo "$seed $(( first + count - seed < 25 ? first + count - seed : 25 ))"
done | xargs -P "$jobs" -L 1 bash -c 'run_chunk "$0" "$1"' && status=0 || status=1
echo "fault seeds $first..$((first + count - 1)): $([ $status = 0 ] && echo "all passed" || echo "some FAILED, see $logs")"
exit $status
