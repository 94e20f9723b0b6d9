#!/usr/bin/env bash
# Configures and builds one of the two configurations:
#   release  the program as engineers run it (build/release)
#   test     the test suite with AddressSanitizer and UndefinedBehaviorSanitizer (build/test)
set -euo pipefail
cd "$(dirname "$0")/.."

config=${1:-release}
case "$config" in
  release) args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF) ;;
  test)    args=(-DCMAKE_BUILD_TYPE=Debug -DZOL_SANITIZE=ON -DZOL_BUILD_TESTS=ON) ;;
  bench)   args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF -DZOL_BUILD_BENCH=ON) ;;
  *) echo "usage: $0 [release|test|bench]" >&2; exit 2 ;;
esac

dir="build/$config"
cmake -S . -B "$dir" -G Ninja "${args[@]}"
cmake --build "$dir" --parallel "$(nproc)"
