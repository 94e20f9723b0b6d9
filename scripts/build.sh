#!/usr/bin/env bash
# Configures and builds one configuration:
#   release  the program as engineers run it (build/release)
#   test     the test suite with AddressSanitizer and UndefinedBehaviorSanitizer (build/test)
#   bench    the benchmarks (build/bench)
#   fuzz     the libFuzzer harnesses, with clang (build/fuzz; skipped without libFuzzer)
#   package  the release build, packed as a Debian package into build/package
set -euo pipefail
cd "$(dirname "$0")/.."

config=${1:-release}
case "$config" in
  release) args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF) ;;
  # Line tables are all a sanitizer report needs, and they cost far less to build than full
  # debug information.
  test)    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DZOL_SANITIZE=ON -DZOL_BUILD_TESTS=ON) ;;
  bench)   args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF -DZOL_BUILD_BENCH=ON) ;;
  # Warnings stay warnings here: clang warns about things GCC (the project's compiler) does not.
  fuzz)    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOL_SANITIZE=ON -DZOL_BUILD_TESTS=OFF
                 -DZOL_BUILD_FUZZ=ON -DZOL_WERROR=OFF -DCMAKE_CXX_COMPILER=clang++) ;;
  package) args=(-DCMAKE_BUILD_TYPE=Release -DZOL_SANITIZE=OFF -DZOL_BUILD_TESTS=OFF) ;;
  *) echo "usage: $0 [release|test|bench|fuzz|package]" >&2; exit 2 ;;
esac

if [ "$config" = fuzz ] && ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed; the fuzz harnesses are skipped"
  exit 0
fi

# The package is made from the release build, so a built release is not compiled twice.
dir="build/$config"
[ "$config" = package ] && dir="build/release"
if command -v ccache >/dev/null; then
  args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${args[@]}"
if [ "$config" = fuzz ]; then
  # Only the harnesses and the libraries under them; nothing when libFuzzer is missing.
  if grep -q '^ZOL_HAVE_LIBFUZZER:INTERNAL=1' "$dir/CMakeCache.txt"; then
    cmake --build "$dir" --parallel "$(nproc)" --target fuzzers
  fi
else
  cmake --build "$dir" --parallel "$(nproc)"
fi

if [ "$config" = package ]; then
  rm -f build/package/*.deb
  cpack --config "$dir/CPackConfig.cmake" -G DEB -B "$PWD/build/package"
  ls -l build/package/*.deb
fi
