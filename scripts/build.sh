#!/usr/bin/env bash
# Configures and builds one configuration:
#   release  the program as engineers run it (build/release)
#   test     the test suite with AddressSanitizer and UndefinedBehaviorSanitizer (build/test)
#   bench    the benchmarks (build/bench)
#   package  the release build, packed as a Debian package into build/package
set -euo pipefail
cd "$(dirname "$0")/.."

config=${1:-release}
case "$config" in
  release) args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF) ;;
  test)    args=(-DCMAKE_BUILD_TYPE=Debug -DZOL_SANITIZE=ON -DZOL_BUILD_TESTS=ON) ;;
  bench)   args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF -DZOL_BUILD_BENCH=ON) ;;
  package) args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF) ;;
  *) echo "usage: $0 [release|test|bench|package]" >&2; exit 2 ;;
esac

# The package is made from the release build, so a built release is not compiled twice.
dir="build/$config"
[ "$config" = package ] && dir="build/release"
cmake -S . -B "$dir" -G Ninja "${args[@]}"
cmake --build "$dir" --parallel "$(nproc)"

if [ "$config" = package ]; then
  rm -f build/package/*.deb
  cpack --config "$dir/CPackConfig.cmake" -G DEB -B "$PWD/build/package"
  ls -l build/package/*.deb
fi
