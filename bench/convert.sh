#!/usr/bin/env bash
# The batch conversion of a folder: lumora-batch convert against ImageMagick's mogrify,
# GraphicsMagick's gm mogrify and a plain libvips pipeline (bench/vips-pipeline.cpp), each one
# process for the whole folder, on the same files in the same run.
#
# The set: every photo of the shared test folder copied eight times under new names (32 photos
# for the four shared phone photos). The edit: Scale 50 % then Sharpen 1 (a Task Basket for
# Lumora; for the peers a Lanczos resize to 50 % and the unsharp mask sigma 0.6, amount 0.4,
# threshold 0), written as JPEG quality 80. Lumora uses its default number of workers (one per
# core); the peers work through the files one after another as they do by themselves (libvips
# threads each image internally).
#
# Lumora decodes a JPEG already reduced when the Task Basket's first resampling scales it down (here
# by 2); "lumfull" is the same run with --full-decode. After the rounds the script prints how far
# the two runs' outputs are apart (ImageMagick's compare: the mean absolute difference averaged
# over the photos and the largest difference of any pixel, in levels of 0..255).
#
# Then memory: the same set ten times over (320 photos) through lumora-batch convert, its peak
# resident memory against the 32-photo run, to show it does not grow with the number of photos.
#
# The tools alternate, round after round; the script prints each round and the medians of the
# wall time and peak memory, and the ratios of Lumora to each peer.
#
# Usage: bench/convert.sh [PHOTO_FOLDER]   (default: ../shared/testdata/photos); ROUNDS=5 for more.
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-../shared/testdata/photos}
rounds=${ROUNDS:-3}
copies=${COPIES:-8}
batch=${LUMORA_BUILD_DIR:-build}/src/cli/lumora-batch
[ -x "$batch" ] || scripts/build.sh >/dev/null
for tool in mogrify gm /usr/bin/time g++ pkg-config; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -O2 -std=c++17 bench/vips-pipeline.cpp $(pkg-config --cflags --libs vips-cpp) -o "$work/vips-pipeline"
mkdir -p "$work/in" "$work/many"
for i in $(seq 1 "$copies"); do
  for photo in "$photos"/*.jpg; do
    cp "$photo" "$work/in/$(basename "$photo" .jpg)-copy$i.jpg"
  done
done
for i in $(seq 1 10); do
  for f in "$work"/in/*.jpg; do
    ln -s "$f" "$work/many/$(basename "$f" .jpg)-set$i.jpg"
  done
done
count=$(ls "$work/in" | wc -l)
printf '"3","resize","False","50"%s\r\n"7","sharpen","1"%s\r\n' \
  "$(printf ',""%.0s' $(seq 1 15))" "$(printf ',""%.0s' $(seq 1 16))" > "$work/tasks.tbf"

# Runs one tool over a folder into a fresh output folder; prints "wall_seconds peak_kib".
run_set() {
  local tool=$1 folder=$2 out="$work/out-$1"
  rm -rf "$out"
  mkdir -p "$out"
  local start end
  start=$(date +%s.%N)
  case "$tool" in
    lumora) /usr/bin/time -o "$work/mem" -f %M "$batch" convert --tasks "$work/tasks.tbf" --quality 80 \
              --overwrite --dest "$out" "$folder"/*.jpg > /dev/null ;;
    lumfull) /usr/bin/time -o "$work/mem" -f %M "$batch" convert --full-decode --tasks "$work/tasks.tbf" \
               --quality 80 --overwrite --dest "$out" "$folder"/*.jpg > /dev/null ;;
    magick) /usr/bin/time -o "$work/mem" -f %M mogrify -path "$out" -resize 50% -unsharp 0x0.6+0.4+0 \
              -quality 80 "$folder"/*.jpg ;;
    # gm puts each file's given path under the output folder, so it is given bare names.
    gm) (cd "$folder" && /usr/bin/time -o "$work/mem" -f %M gm mogrify -output-directory "$out" -resize 50% \
          -unsharp 0x0.6+0.4+0 -quality 80 *.jpg) ;;
    vips) /usr/bin/time -o "$work/mem" -f %M "$work/vips-pipeline" "$out" "$folder"/*.jpg ;;
  esac
  end=$(date +%s.%N)
  local written
  written=$(ls "$out" | wc -l)
  [ "$written" -eq "$(ls "$folder" | wc -l)" ] || { echo "$tool wrote $written files" >&2; exit 1; }
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN {print b - a}') $(tail -1 "$work/mem")"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

tools=(lumora lumfull magick gm vips)
echo "photos: $count ($copies copies of each photo in $photos), rounds: $rounds, cores: $(nproc)"
printf '%-6s' round; for t in "${tools[@]}"; do printf ' %10s %9s' "${t}_s" "${t}_MiB"; done; echo
for r in $(seq 1 "$rounds"); do
  printf '%-6s' "$r"
  for t in "${tools[@]}"; do
    read -r wall peak < <(run_set "$t" "$work/in")
    echo "$wall" >> "$work/$t.wall"
    echo "$peak" >> "$work/$t.peak"
    awk -v w="$wall" -v p="$peak" 'BEGIN {printf " %10.2f %9.1f", w, p / 1024}'
  done
  echo
done

lw=$(median < "$work/lumora.wall")
lp=$(median < "$work/lumora.peak")
for t in lumfull magick gm vips; do
  w=$(median < "$work/$t.wall")
  p=$(median < "$work/$t.peak")
  awk -v t="$t" -v lw="$lw" -v w="$w" -v lp="$lp" -v p="$p" 'BEGIN {
    printf "%-7s wall %6.2f s (lumora %6.2f s, ratio %.3f)  peak %6.1f MiB (lumora %6.1f MiB, ratio %.3f)\n",
      t, w, lw, lw / w, p / 1024, lp / 1024, lp / p }'
done

# compare prints "ABSOLUTE (NORMALISED)" on standard error and exits 1 when the pictures differ.
for f in "$work"/out-lumora/*.jpg; do
  mae=$(compare -metric MAE "$f" "$work/out-lumfull/$(basename "$f")" null: 2>&1 | sed 's/.*(\(.*\))/\1/') || true
  pae=$(compare -metric PAE "$f" "$work/out-lumfull/$(basename "$f")" null: 2>&1 | sed 's/.*(\(.*\))/\1/') || true
  echo "$mae $pae"
done | awk '{m += $1; if ($2 > p) p = $2} END {
  printf "reduced decoding against --full-decode: mean difference %.2f levels, largest %.0f levels (of 255)\n", m / NR * 255, p * 255 }'

read -r mwall mpeak < <(run_set lumora "$work/many")
awk -v w="$mwall" -v p="$mpeak" -v n="$(ls "$work/many" | wc -l)" -v lp="$lp" 'BEGIN {
  printf "lumora on %d photos: wall %.2f s, peak %.1f MiB (32 photos: %.1f MiB)\n", n, w, p / 1024, lp / 1024 }'
