#!/usr/bin/env bash
# Responsiveness of the window (bench/browse-bench.cpp) on a virtual display, against
# vipsthumbnail making the same thumbnails.
#
# The set: every photo of the shared test folder linked eighty times under new names (320 photos
# for the four shared phone photos: the 32-photo set ten times over). Per round:
#   - Lumora selects the folder in its tree, as a click does, in the thumbnail view (40 x 40)
#     and reports the time from the click (its 200 ms settle delay included) to the first
#     thumbnail, to the last, and the longest stall of the GUI thread while listing; then it runs
#     the batch conversion of 32 of the photos from its dialog and reports the longest stall while
#     the batch runs;
#   - vipsthumbnail -s 40 makes the same 320 thumbnails in one process.
# Prints each round, the medians, and the ratio of Lumora's listing to vipsthumbnail.
#
# Usage: bench/browse.sh [PHOTO_FOLDER]   (default: ../shared/testdata/photos); ROUNDS=5 for more.
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-../shared/testdata/photos}
rounds=${ROUNDS:-3}
copies=${COPIES:-80}
build_dir=${LUMORA_BUILD_DIR:-build}
for tool in xvfb-run vipsthumbnail; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -f "$build_dir/build.ninja" ] || scripts/build.sh >/dev/null
cmake --build "$build_dir" --target lumora-browse-bench >/dev/null
bench="$build_dir/bench/lumora-browse-bench"

work=$(mktemp -d)
trap 'rm -rf "$work" /tmp/lumora-browse-bench-out' EXIT
mkdir -p "$work/photos" "$work/thumbs" "$work/home"
for i in $(seq 1 "$copies"); do
  for photo in "$photos"/*.jpg; do
    ln -s "$(realpath "$photo")" "$work/photos/$(basename "$photo" .jpg)-$(printf %03d "$i").jpg"
  done
done
count=$(ls "$work/photos" | wc -l)
echo "folder of $count photos, $(nproc) cores, $rounds rounds"

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
: > "$work/lumora.txt"; : > "$work/vips.txt"
for round in $(seq 1 "$rounds"); do
  rm -rf "$work/home"/* /tmp/lumora-browse-bench-out
  line=$(LUMORA_HOME="$work/home" xvfb-run -a -s "-screen 0 1280x800x24" "$bench" "$work/photos" 2>/dev/null | tail -1)
  echo "$line" >> "$work/lumora.txt"
  rm -f "$work/thumbs"/*
  start=$(date +%s.%N)
  vipsthumbnail -s 40 -o "$work/thumbs/%s.jpg" "$work/photos"/*.jpg
  end=$(date +%s.%N)
  vips_ms=$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.0f", (e - s) * 1000}')
  echo "$vips_ms" >> "$work/vips.txt"
  echo "round $round: lumora $line | vipsthumbnail ${vips_ms} ms"
done

field() { awk -v k="$1" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}' "$work/lumora.txt" | median; }
first=$(field first); last=$(field last); lstall=$(field listing_stall)
batch=$(field batch); bstall=$(field batch_stall); vips=$(median < "$work/vips.txt")
echo
echo "medians: first thumbnail ${first} ms (target 300), all ${last} ms, vipsthumbnail ${vips} ms"
echo "         longest GUI stall: listing ${lstall} ms, batch ${bstall} ms (target 100); batch of 32 took ${batch} ms"
echo "ratio all-thumbnails / vipsthumbnail: $(awk -v a="$last" -v b="$vips" 'BEGIN {printf "%.2f", a / b}') (target 1.3)"
