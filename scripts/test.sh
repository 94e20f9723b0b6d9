#!/usr/bin/env bash
# Checks that no POSIX-only header is included outside a Unix-only block (Windows builds),
# installs what is needed, builds the sanitized test configuration and runs the whole suite,
# prints the report through a private CUPS queue, then builds the fuzz harnesses and runs
# each for a short fixed time (FUZZ_SECONDS, 10).
set -euo pipefail
cd "$(dirname "$0")/.."
python3 ./scripts/check-posix-headers.py
./scripts/install-deps.sh
./scripts/build.sh test
# The fuzz harnesses build at low priority while the suite runs: its transfer tests mostly
# wait on emulated lines.
mkdir -p build
nice -n 19 ./scripts/build.sh fuzz >build/fuzz-build.log 2>&1 &
fuzz_build=$!
trap 'kill "$fuzz_build" 2>/dev/null || true' EXIT
# Twice as many tests as cores, for the same reason.
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(( $(nproc) * 2 ))" --timeout 300)
# The report through a real print queue (a private CUPS server; skipped without root).
./scripts/test-cups.sh build/test
wait "$fuzz_build" || { cat build/fuzz-build.log; exit 1; }
trap - EXIT
tail -n 3 build/fuzz-build.log
./scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
