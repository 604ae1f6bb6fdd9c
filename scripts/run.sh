#!/usr/bin/env bash
# Builds Lumora and applies the bundled sample Task Basket to the bundled sample photos.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
build_dir=${LUMORA_BUILD_DIR:-build}
batch="$build_dir/src/cli/lumora-batch"
tasks=resources/samples/sample.tbf
out=out/samples
mkdir -p "$out"

echo "Task Basket $tasks:"
"$batch" tasks "$tasks" | cut -f1-4 | sed 's/^/  /'
for photo in resources/samples/*.jpg; do
  name=$(basename "$photo" .jpg)
  "$batch" apply --tasks "$tasks" "$photo" "$out/$name.jpg"
  echo "  $photo -> $out/$name.jpg"
done
echo "Results are in $(pwd)/$out"
