#!/usr/bin/env bash
# Writing one EXIF attribute into a folder of photos in place: lumora-batch exif set against
# exiftool and exiv2, each one process for the whole folder, on the same files in the same run.
#
# The set: every photo of the shared test folder copied eight times under new names (32 photos
# for the four shared phone photos), copied afresh before each tool's turn. The edit: Artist set
# to "Jane Doe" (Lumora also sets Software, as every edit of its own does). exiftool is told to
# overwrite the originals, as Lumora and exiv2 do.
#
# The tools alternate, round after round; the script prints each round, the median wall times
# and the ratios of Lumora to each peer.
#
# Usage: bench/metadata.sh [PHOTO_FOLDER]   (default: ../shared/testdata/photos); ROUNDS=7 for more.
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-../shared/testdata/photos}
rounds=${ROUNDS:-5}
copies=${COPIES:-8}
batch=${LUMORA_BUILD_DIR:-build}/src/cli/lumora-batch
[ -x "$batch" ] || scripts/build.sh >/dev/null
for tool in exiftool exiv2; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/originals"
for i in $(seq 1 "$copies"); do
  for photo in "$photos"/*.jpg; do
    cp "$photo" "$work/originals/$(basename "$photo" .jpg)-copy$i.jpg"
  done
done
chmod u+w "$work"/originals/*.jpg
count=$(ls "$work/originals" | wc -l)

# Copies the set afresh and times one tool over it; prints the wall seconds.
run_set() {
  local tool=$1 set="$work/set"
  rm -rf "$set"
  cp -r "$work/originals" "$set"
  sync
  local start end
  start=$(date +%s.%N)
  case "$tool" in
    lumora) "$batch" exif set Artist "Jane Doe" "$set"/*.jpg ;;
    exiftool) exiftool -q -q -overwrite_original -Artist="Jane Doe" "$set"/*.jpg ;;
    exiv2) exiv2 -M"set Exif.Image.Artist Jane Doe" "$set"/*.jpg ;;
  esac
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A times
for round in $(seq 1 "$rounds"); do
  line="round $round:"
  for tool in lumora exiftool exiv2; do
    t=$(run_set "$tool")
    times[$tool]+="$t "
    line+=" $tool ${t}s"
  done
  echo "$line"
done
echo "$count photos, median wall seconds:"
for tool in lumora exiftool exiv2; do
  m=$(echo "${times[$tool]}" | tr ' ' '\n' | grep . | median)
  printf '  %-9s %s\n' "$tool" "$m"
  declare "median_$tool=$m"
done
printf 'lumora / exiftool = %.2f, lumora / exiv2 = %.2f\n' \
  "$(echo "$median_lumora / $median_exiftool" | bc -l)" "$(echo "$median_lumora / $median_exiv2" | bc -l)"
