#!/usr/bin/env bash
# Builds Lumora and runs its whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build_dir=${LUMORA_BUILD_DIR:-build}
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" --timeout 300
