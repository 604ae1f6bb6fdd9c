#!/usr/bin/env bash
# Builds Lumora and opens its window on the bundled sample photos. Without a display it says how
# to see the window on a virtual one and runs the headless demo instead: the bundled sample Task
# Basket applied to the sample photos by lumora-batch.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
build_dir=${LUMORA_BUILD_DIR:-build}
samples=resources/samples

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening Lumora on $samples"
  exec "$build_dir/src/app/lumora" "$samples"
fi

cat <<MESSAGE
No display found, so Lumora's window cannot open here. To see it on a virtual display:
  xvfb-run -a -s "-screen 0 1280x800x24" $build_dir/src/app/lumora $samples
(xvfb-run comes with scripts/install-deps.sh). Running the headless demo instead.

MESSAGE
batch="$build_dir/src/cli/lumora-batch"
tasks=$samples/sample.tbf
out=out/samples
mkdir -p "$out"
echo "Task Basket $tasks:"
"$batch" tasks "$tasks" | cut -f1-4 | sed 's/^/  /'
for photo in "$samples"/*.jpg; do
  name=$(basename "$photo" .jpg)
  "$batch" apply --tasks "$tasks" "$photo" "$out/$name.jpg"
  echo "  $photo -> $out/$name.jpg"
done
echo "Results are in $(pwd)/$out"
