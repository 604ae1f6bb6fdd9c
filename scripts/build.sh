#!/usr/bin/env bash
# Configures and builds Lumora into build/ (Ninja, optimised with debug info, ccache when present).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${LUMORA_BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir" --parallel "$(nproc)"
