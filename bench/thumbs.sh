#!/usr/bin/env bash
# Folder thumbnails: Lumora's 40 x 40 thumbnails (mode 2, the folder view's default) against
# libvips' vipsthumbnail and ImageMagick on the same files in the same run.
#
# The set: every photo of the shared test folder copied eight times under new names (32 photos
# for the four shared phone photos). Each tool writes one PNG per photo:
#   lumora         lumora-batch thumb --mode 2 --size 40x40 IN OUT.png   (40 x 40, photo centred on white)
#   vipsthumbnail  vipsthumbnail -s 40 IN -o OUT.png                     (fitted inside 40 x 40)
#   ImageMagick    convert -define jpeg:size=80x80 IN -thumbnail 40x40 OUT.png
# All three decode the JPEG at a reduced scale; the peers do not pad to the box, which costs
# Lumora a little more, not less.
#
# Two forms, each compared like with like:
#   per file  one process per photo, for every tool (start-up counts 32 times);
#   batch     one process for the whole folder: lumora-batch thumb --out-dir with --jobs 1 and
#             with --jobs N (N = cores), vipsthumbnail given all the files (it works through them
#             one after another), ImageMagick's mogrify given all the files.
# The tools alternate, round after round; the script prints each round, then the medians: the
# time per thumbnail (wall time of the whole folder / 32), the ratio of Lumora to the faster
# peer of the same form, the peak memory (/usr/bin/time %M: the largest process of the per-file
# form, the one process of the batch form) and the CPU use of the batch runs (200 % = two cores
# busy for the whole run).
#
# Usage: bench/thumbs.sh [PHOTO_FOLDER]   (default: ../shared/testdata/photos); ROUNDS=5 for more.
# LUMORA_BATCH, CONVERT, MOGRIFY and VIPSTHUMBNAIL choose other programs.
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-../shared/testdata/photos}
rounds=${ROUNDS:-3}
copies=${COPIES:-8}
batch=${LUMORA_BATCH:-${LUMORA_BUILD_DIR:-build}/src/cli/lumora-batch}
convert=${CONVERT:-convert}
mogrify=${MOGRIFY:-mogrify}
vipsthumbnail=${VIPSTHUMBNAIL:-vipsthumbnail}
cores=$(nproc)
[ -x "$batch" ] || scripts/build.sh >/dev/null
for tool in "$convert" "$mogrify" "$vipsthumbnail" /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
for i in $(seq 1 "$copies"); do
  for photo in "$photos"/*.jpg; do
    cp "$photo" "$work/in/$(basename "$photo" .jpg)-copy$i.jpg"
  done
done
count=$(find "$work/in" -name "*.jpg" | wc -l)

# The command line of one thumbnail of photo $2 into $3 with tool $1, in the array `cmd`.
per_file_command() {
  case $1 in
    lumora) cmd=("$batch" thumb --mode 2 --size 40x40 "$2" "$3") ;;
    vips) cmd=("$vipsthumbnail" -s 40 "$2" -o "$3") ;;
    magick) cmd=("$convert" -define jpeg:size=80x80 "$2" -thumbnail 40x40 "$3") ;;
  esac
}

# The command line of the whole folder in one process with tool $1 into folder $2, in `cmd`.
batch_command() {
  case $1 in
    lumora1) cmd=("$batch" thumb --mode 2 --size 40x40 --jobs 1 --out-dir "$2" "$work"/in/*.jpg) ;;
    lumoraN) cmd=("$batch" thumb --mode 2 --size 40x40 --jobs "$cores" --out-dir "$2" "$work"/in/*.jpg) ;;
    vips) cmd=("$vipsthumbnail" -s 40 -o "$2/%s.png" "$work"/in/*.jpg) ;;
    magick) cmd=("$mogrify" -path "$2" -format png -define jpeg:size=80x80 -thumbnail 40x40 "$work"/in/*.jpg) ;;
  esac
}

# Per-file form; prints "ms_per_thumbnail peak_kib".
run_per_file() {
  local tool=$1 out="$work/out-$1" mem="$work/$1.mem" start end cmd
  rm -rf "$out" && mkdir -p "$out"
  : > "$mem"
  start=$(date +%s.%N)
  for f in "$work"/in/*.jpg; do
    per_file_command "$tool" "$f" "$out/$(basename "$f" .jpg).png"
    /usr/bin/time -a -o "$mem" -f %M "${cmd[@]}"
  done
  end=$(date +%s.%N)
  check "$out" "$tool"
  echo "$(awk -v a="$start" -v b="$end" -v n="$count" 'BEGIN {print (b - a) * 1000 / n}') $(sort -n "$mem" | tail -1)"
}

# Batch form; prints "ms_per_thumbnail peak_kib cpu_percent".
run_batch() {
  local tool=$1 out="$work/out-$1" stats="$work/$1.stats" cmd
  rm -rf "$out" && mkdir -p "$out"
  batch_command "$tool" "$out"
  /usr/bin/time -o "$stats" -f '%e %M %P' "${cmd[@]}"
  check "$out" "$tool"
  awk -v n="$count" '{sub("%", "", $3); print $1 * 1000 / n, $2, $3}' "$stats"
}

# Every photo must have its thumbnail; Lumora's are exactly the box.
check() {
  local n
  n=$(find "$1" -name "*.png" | wc -l)
  [ "$n" -eq "$count" ] || { echo "$2 wrote $n of $count thumbnails" >&2; exit 1; }
  case $2 in lumora*)
    [ "$(identify -format %wx%h "$(find "$1" -name "*.png" | head -1)")" = 40x40 ] || { echo "$2: not 40x40" >&2; exit 1; } ;;
  esac
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

echo "photos: $count ($copies copies of each photo in $photos), rounds: $rounds, cores: $cores"
echo "times are wall time of the whole folder / $count, in ms per thumbnail; peaks in MiB"
echo "per file: every tool starts once per photo. batch: every tool starts once for the folder;"
echo "  lumora-jN renders N photos at once, vipsthumbnail and mogrify work through the list one"
echo "  photo after another (threading inside a photo only), as those programs do"
printf '%-6s | %-29s | %-40s\n' "" "per file: one process each" "batch: one process for the folder"
printf '%-6s | %9s %9s %9s | %9s %9s %9s %9s\n' round lumora vips magick lumora-j1 "lumora-j$cores" vips magick
: > "$work/results"
for r in $(seq 1 "$rounds"); do
  read -r pl pl_m < <(run_per_file lumora)
  read -r pv pv_m < <(run_per_file vips)
  read -r pm pm_m < <(run_per_file magick)
  read -r b1 b1_m b1_c < <(run_batch lumora1)
  read -r bn bn_m bn_c < <(run_batch lumoraN)
  read -r bv bv_m bv_c < <(run_batch vips)
  read -r bm bm_m bm_c < <(run_batch magick)
  echo "$pl $pv $pm $b1 $bn $bv $bm $pl_m $pv_m $pm_m $b1_m $bn_m $bv_m $bm_m $b1_c $bn_c $bv_c $bm_c" >> "$work/results"
  printf '%-6s | %9.1f %9.1f %9.1f | %9.1f %9.1f %9.1f %9.1f\n' "$r" "$pl" "$pv" "$pm" "$b1" "$bn" "$bv" "$bm"
done

col() { cut -d' ' -f"$1" "$work/results" | median; }
pl=$(col 1); pv=$(col 2); pm=$(col 3); b1=$(col 4); bn=$(col 5); bv=$(col 6); bm=$(col 7)
awk -v pl="$pl" -v pv="$pv" -v pm="$pm" -v b1="$b1" -v bn="$bn" -v bv="$bv" -v bm="$bm" -v cores="$cores" 'BEGIN {
  pf = pv < pm ? pv : pm; bf = bv < bm ? bv : bm
  printf "median per thumbnail, per file: lumora %.1f ms, vipsthumbnail %.1f ms, ImageMagick convert %.1f ms; lumora / faster peer %.2f\n", pl, pv, pm, pl / pf
  printf "median per thumbnail, batch:    lumora --jobs 1 %.1f ms, --jobs %d %.1f ms, vipsthumbnail %.1f ms, mogrify %.1f ms; lumora --jobs %d / faster peer %.2f (--jobs 1: %.2f)\n", b1, cores, bn, bv, bm, cores, bn / bf, b1 / bf
}'
awk -v a="$(col 8)" -v b="$(col 9)" -v c="$(col 10)" -v d="$(col 11)" -v e="$(col 12)" -v f="$(col 13)" -v g="$(col 14)" -v cores="$cores" 'BEGIN {
  printf "median peak memory, per file (largest process): lumora %.1f MiB, vipsthumbnail %.1f MiB, convert %.1f MiB\n", a / 1024, b / 1024, c / 1024
  printf "median peak memory, batch (whole folder): lumora --jobs 1 %.1f MiB, --jobs %d %.1f MiB, vipsthumbnail %.1f MiB, mogrify %.1f MiB\n", d / 1024, cores, e / 1024, f / 1024, g / 1024
}'
echo "median CPU use, batch: lumora --jobs 1 $(col 15) %, --jobs $cores $(col 16) %, vipsthumbnail $(col 17) %, mogrify $(col 18) %"
