#!/usr/bin/env bash
# Screenshots of the window on a 1280 x 800 virtual display: the sample folder opened, a photo
# previewed, the Task Basket, a filled Image Basket, the batch dialog and a running batch; then
# edit mode: every task's options on a previewed photo and a composed Task Basket.
# Usage: scripts/screenshots.sh [PHOTO_FOLDER] [OUT_FOLDER]   (defaults: resources/samples, out/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-resources/samples}
out=${2:-out/screenshots}
build_dir=${LUMORA_BUILD_DIR:-build}
[ -f "$build_dir/build.ninja" ] || scripts/build.sh >/dev/null
cmake --build "$build_dir" --target lumora-window-tour lumora-edit-tour >/dev/null
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$out"
# SANE's test backend as the scanner of the acquire window.
mkdir -p "$home/sane" && echo test >"$home/sane/dll.conf" && echo 'test-picture "Color pattern"' >"$home/sane/test.conf"
LUMORA_HOME="$home" SANE_CONFIG_DIR="$home/sane" xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build_dir/tools/lumora-window-tour" "$photos" "$out" resources/samples/sample.tbf
rm -rf "$home"/*
LUMORA_HOME="$home" xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build_dir/tools/lumora-edit-tour" "$photos" "$out" resources/gallery/masks/mask0.png
