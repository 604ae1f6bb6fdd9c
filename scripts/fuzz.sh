#!/usr/bin/env bash
# Fuzzes one of Lumora's file parsers with libFuzzer.
#   scripts/fuzz.sh NAME [SECONDS]     NAME: a harness of tests/fuzz (tbf, ...); default 600 s
# Builds the harnesses with clang and sanitizers in build-fuzz/, starts from the seed inputs in
# tests/fuzz/corpus/NAME and leaves new inputs in build-fuzz/corpus/NAME. A crash, a hang (10 s)
# or an allocation above 512 MiB stops the run and leaves the input in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: scripts/fuzz.sh NAME [SECONDS]}
seconds=${2:-600}
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DLUMORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build-fuzz --target "fuzz_$name"
mkdir -p "build-fuzz/corpus/$name" build-fuzz/artifacts
seeds="tests/fuzz/corpus/$name"
[ -d "$seeds" ] || seeds=""
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
# Harnesses write every input to a temporary file; in memory that is many times faster.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
"build-fuzz/tests/fuzz/fuzz_$name" "build-fuzz/corpus/$name" $seeds \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -artifact_prefix=build-fuzz/artifacts/"$name"- -print_final_stats=1
