#!/usr/bin/env bash
# Applying a Task Basket to a folder of photos, one process per photo: Lumora against ImageMagick.
#
# The set: every photo of the shared test folder copied eight times under new names (32 photos
# for the four shared phone photos). The Task Basket: Scale 50 % then Sharpen 1, written as
# JPEG quality 80. ImageMagick runs the same operations: a Lanczos resize to 50 % and the same
# unsharp mask (sigma 0.6, amount 0.4, no threshold), quality 80. The two runs alternate, round
# after round, on the same files; the script prints each round and the medians, wall time of
# the whole folder and the peak memory of the largest single process.
#
# Usage: bench/apply.sh [PHOTO_FOLDER]   (default: ../shared/testdata/photos); ROUNDS=5 for more.
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-../shared/testdata/photos}
rounds=${ROUNDS:-3}
copies=${COPIES:-8}
batch=${LUMORA_BUILD_DIR:-build}/src/cli/lumora-batch
[ -x "$batch" ] || scripts/build.sh >/dev/null
command -v convert >/dev/null || { echo "ImageMagick's convert is missing (scripts/install-deps.sh)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/lumora" "$work/magick"
for i in $(seq 1 "$copies"); do
  for photo in "$photos"/*.jpg; do
    cp "$photo" "$work/in/$(basename "$photo" .jpg)-copy$i.jpg"
  done
done
count=$(ls "$work/in" | wc -l)
printf '"3","resize","False","50"%s\r\n"7","sharpen","1"%s\r\n' \
  "$(printf ',""%.0s' $(seq 1 15))" "$(printf ',""%.0s' $(seq 1 16))" > "$work/tasks.tbf"

# Runs one tool over the whole set; prints "wall_seconds peak_kib".
run_set() {
  local tool=$1 mem="$work/$1.mem"
  : > "$mem"
  local start end
  start=$(date +%s.%N)
  for f in "$work"/in/*.jpg; do
    local name
    name=$(basename "$f")
    if [ "$tool" = lumora ]; then
      /usr/bin/time -a -o "$mem" -f %M "$batch" apply --tasks "$work/tasks.tbf" --quality 80 "$f" "$work/lumora/$name"
    else
      /usr/bin/time -a -o "$mem" -f %M convert "$f" -resize 50% -unsharp 0x0.6+0.4+0 -quality 80 "$work/magick/$name"
    fi
  done
  end=$(date +%s.%N)
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN {print b - a}') $(sort -n "$mem" | tail -1)"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

echo "photos: $count ($copies copies of each photo in $photos), rounds: $rounds"
printf '%-6s %12s %12s %14s %14s\n' round lumora_s magick_s lumora_peakMiB magick_peakMiB
: > "$work/results"
for r in $(seq 1 "$rounds"); do
  read -r lw lm < <(run_set lumora)
  read -r mw mm < <(run_set magick)
  echo "$lw $mw $lm $mm" >> "$work/results"
  awk -v r="$r" -v lw="$lw" -v mw="$mw" -v lm="$lm" -v mm="$mm" \
    'BEGIN {printf "%-6s %12.2f %12.2f %14.1f %14.1f\n", r, lw, mw, lm / 1024, mm / 1024}'
done

lw=$(cut -d' ' -f1 "$work/results" | median)
mw=$(cut -d' ' -f2 "$work/results" | median)
lm=$(cut -d' ' -f3 "$work/results" | median)
mm=$(cut -d' ' -f4 "$work/results" | median)
awk -v lw="$lw" -v mw="$mw" -v lm="$lm" -v mm="$mm" 'BEGIN {
  printf "median wall: lumora %.2f s, ImageMagick %.2f s, ratio %.3f\n", lw, mw, lw / mw
  printf "median peak: lumora %.1f MiB, ImageMagick %.1f MiB, ratio %.3f\n", lm / 1024, mm / 1024, lm / mm
}'
# Both tools must have written every photo at half size.
for tool in lumora magick; do
  n=$(ls "$work/$tool" | wc -l)
  [ "$n" -eq "$count" ] || { echo "$tool wrote $n of $count photos" >&2; exit 1; }
done
