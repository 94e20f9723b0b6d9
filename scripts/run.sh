#!/usr/bin/env bash
# Installs what is needed, builds the release configuration and starts zoltools.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh release
exec ./build/release/src/app/zoltools "$@"
