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
# Twice as many tests as cores: the transfer tests mostly wait on emulated lines.
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(( $(nproc) * 2 ))" --timeout 300)
# The report through a real print queue (a private CUPS server; skipped without root).
./scripts/test-cups.sh build/test
./scripts/build.sh fuzz
./scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
