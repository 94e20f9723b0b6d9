#!/usr/bin/env bash
# Runs every libFuzzer harness of build/fuzz, all at once, for a short fixed time from its
# committed seed corpus (tests/fuzz/corpus/<name>). A finding fails the run and names its
# reproducer; replay one with: build/fuzz/tests/fuzz/<name> <reproducer>.
#   scripts/fuzz.sh [SECONDS] [NAME...]
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
bin=build/fuzz/tests/fuzz
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  names=(fuzz_config fuzz_rtf fuzz_packets fuzz_emulator fuzz_transfer)
fi
if [ ! -x "$bin/${names[0]}" ]; then
  echo "fuzz: no harnesses in $bin (libFuzzer missing?); skipped"
  exit 0
fi

findings=build/fuzz/findings
cap=$((seconds + 30))
interrupted=72
mkdir -p "$findings"
# All harnesses run at once: the transfer harness mostly waits on emulated lines.
run_one() {
  local name=$1 work="build/fuzz/corpus/$1" log="build/fuzz/$1.log" limit=30
  mkdir -p "$work"
  # A transfer input runs whole operations (up to a minute each on a faulty line); the other
  # harnesses handle one buffer.
  [ "$name" = fuzz_transfer ] && limit=200
  # New inputs go to the work corpus; the committed seeds are only read. libFuzzer looks at
  # the clock only between inputs, so one slow transfer input could stretch the run by minutes:
  # an input still running $cap seconds in is interrupted (libFuzzer then exits with
  # $interrupted), which ends the run as if its time were up.
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    timeout --preserve-status -k 10 -s INT "$cap" \
    "$bin/$name" -max_total_time="$seconds" -timeout="$limit" -rss_limit_mb=2048 -print_final_stats=0 \
    -artifact_prefix="$findings/$name-" "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1
}
pids=()
for name in "${names[@]}"; do
  run_one "$name" &
  pids+=($!)
done
failed=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  log="build/fuzz/$name.log"
  wait "${pids[$i]}"
  status=$?
  if [ $status -eq $interrupted ]; then
    echo "fuzz: $name clean; stopped mid-input at ${cap}s"
  elif [ $status -ne 0 ]; then
    failed=1
    echo "fuzz: $name FOUND A FAULT (exit $status); log: $log"
    grep -E "^(==[0-9]+==ERROR|SUMMARY|fuzz check failed|.*runtime error)" "$log" | head -5
    for r in "$findings/$name"-*; do
      [ -e "$r" ] && echo "fuzz: reproducer: $r"
    done
  else
    echo "fuzz: $name clean after ${seconds}s ($(grep -Eo '#[0-9]+' "$log" | tail -1 | tr -d '#') runs)"
  fi
done
exit $failed
