#!/usr/bin/env bash
# One photo, one process: what start-up costs lumora-batch thumb against ImageMagick's convert and
# libvips' vipsthumbnail, and how much of it is only loading libvips' shared libraries.
#
# Each command makes the 40 x 40 thumbnail of one photo (as bench/thumbs.sh, per-file form);
# "vips-link" is an empty program linked with libvips and nothing else, started and ended without
# doing anything: the least any program that links libvips pays before its first statement (the
# dynamic loader maps and relocates libvips and the hundred libraries it needs). "vips-init" also
# starts libvips as vipsthumbnail does.
#
# Times are CPU time (user + system, perf stat's task-clock) of one process, averaged over RUNS
# runs; the commands alternate, round after round, and the script prints the medians of the
# rounds and the ratio of each to ImageMagick. CPU time rather than wall time: on a busy machine
# the wall time of a 20 ms process is mostly waiting for a processor.
#
# Usage: bench/startup.sh [PHOTO]   (default: ../shared/testdata/photos/street.jpg); ROUNDS=5, RUNS=20.
set -euo pipefail
cd "$(dirname "$0")/.."
photo=${1:-../shared/testdata/photos/street.jpg}
rounds=${ROUNDS:-5}
runs=${RUNS:-20}
batch=${LUMORA_BATCH:-${LUMORA_BUILD_DIR:-build}/src/cli/lumora-batch}
[ -x "$batch" ] || scripts/build.sh >/dev/null
for tool in perf gcc pkg-config convert vipsthumbnail; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#include <vips/vips.h>\nint main(int argc, char** argv) { return argc > 1 ? VIPS_INIT(argv[0]) : 0; }\n' > "$work/empty.c"
gcc -O2 "$work/empty.c" -o "$work/vips-link" $(pkg-config --cflags --libs vips)

command_of() {
  case $1 in
    lumora) cmd=("$batch" thumb --mode 2 --size 40x40 "$photo" "$work/lumora.png") ;;
    magick) cmd=(convert -define jpeg:size=80x80 "$photo" -thumbnail 40x40 "$work/magick.png") ;;
    vipsthumbnail) cmd=(vipsthumbnail -s 40 "$photo" -o "$work/vips.png") ;;
    vips-link) cmd=("$work/vips-link") ;;
    vips-init) cmd=("$work/vips-link" init) ;;
  esac
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

tools=(lumora magick vipsthumbnail vips-link vips-init)
echo "photo: $photo, rounds: $rounds, runs per round: $runs; CPU ms per process"
printf '%-6s' round; for t in "${tools[@]}"; do printf ' %13s' "$t"; done; echo
for r in $(seq 1 "$rounds"); do
  printf '%-6s' "$r"
  for t in "${tools[@]}"; do
    command_of "$t"
    ms=$(perf stat -x, -e task-clock -r "$runs" "${cmd[@]}" 2>&1 >/dev/null | awk -F, '/task-clock/ {print $1}')
    echo "$ms" >> "$work/$t.ms"
    printf ' %13.1f' "$ms"
  done
  echo
done
m=$(median < "$work/magick.ms")
for t in "${tools[@]}"; do
  awk -v t="$t" -v v="$(median < "$work/$t.ms")" -v m="$m" 'BEGIN { printf "%-14s %6.1f ms  (%.2f x ImageMagick)\n", t, v, v / m }'
done
