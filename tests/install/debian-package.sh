#!/usr/bin/env bash
# Builds the Debian package from the build folder as scripts/package.sh does and checks that it
# holds the programs, the helper, the desktop files, icons, manual pages and help, that its
# library dependencies were found, and that lintian reports no error.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/lumora_*.deb)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in usr/bin/lumora usr/bin/lumora-batch usr/libexec/lumora/lumora-decoder \
            usr/share/applications/org.lumora.Lumora.desktop usr/share/metainfo/org.lumora.Lumora.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/org.lumora.Lumora.svg \
            usr/share/icons/hicolor/48x48/apps/org.lumora.Lumora.png usr/share/man/man1/lumora.1.gz \
            usr/share/man/man1/lumora-batch.1.gz usr/share/lumora/help/index.html usr/share/doc/lumora/copyright; do
  grep -qx "\./$file" <<<"$listing" || fail "the package lacks /$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libvips42 libexiv2 libqt6widgets6 libfreeimage3; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" || fail "lintian reports errors"
exit $status
