#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop and a user meet there: the
# desktop entry and metainfo pass their validators, the icons have their sizes, the manual pages
# render cleanly, the help covers every task kind and command, and lumora-batch runs from the
# prefix on its own decoder helper and keeps its files out of bin/.
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix share=$work/prefix/share
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
desktop-file-validate "$share/applications/org.lumora.Lumora.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share/metainfo/org.lumora.Lumora.metainfo.xml" || fail "metainfo"
for size in 16 22 24 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$share/icons/hicolor/${size}x$size/apps/org.lumora.Lumora.png" 2>&1) || true
  [ "$got" = "${size}x$size" ] || fail "icon ${size}x$size: $got"
done
for page in lumora lumora-batch; do
  warnings=$(zcat "$share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1) || fail "man page $page"
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

help=$share/lumora/help
for command in $("$prefix/bin/lumora-batch" --help | sed -n 's/^  \([a-z]\+\)\( .*\)\?$/\1/p' | sort -u); do
  grep -q "id=\"cmd-$command\"" "$help/command-line.html" || fail "no help for the command $command"
done
for kind in $(sed -n 's/.*KIND([0-9]\+, *[A-Za-z]\+, *"[^"]*", *"\([A-Za-z]\+\)".*/\1/p' \
                "$source/src/tasks/TaskKindTable.h" | tr 'A-Z' 'a-z'); do
  grep -q "id=\"task-$kind\"" "$help/tasks.html" || fail "no help for the task kind $kind"
done

# Run as a user would: no LUMORA_HOME, a home of its own.
unset LUMORA_HOME LUMORA_DECODER
export HOME=$work/home
mkdir -p "$HOME" "$work/photos"
version=$("$prefix/bin/lumora-batch" --version)
grep -qx "decoder helper: $prefix/libexec/lumora/lumora-decoder" <<<"$version" || fail "helper: $version"
grep -qx "libvips $(vips --version | sed 's/^vips-//')" <<<"$version" || fail "libvips version: $version"
grep -q "^OpenJPEG [0-9]" <<<"$version" || fail "the helper's libraries: $version"
convert -size 64x48 gradient:red-blue "$work/photos/photo.jpg"
"$prefix/bin/lumora-batch" convert --dest "$work/out" "$work/photos/photo.jpg" >/dev/null || fail "convert"
got=$(identify -format '%m %wx%h' "$work/out/photo.jpg" 2>&1) || true
[ "$got" = "JPEG 64x48" ] || fail "converted photo: $got"
"$prefix/bin/lumora-batch" settings dump >/dev/null 2>&1 || true
[ -d "$HOME/.local/share/lumora" ] || fail "the program folder is not ~/.local/share/lumora"
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "lumora lumora-batch " ] || fail "bin/ holds $(ls "$prefix/bin")"
exit $status
