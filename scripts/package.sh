#!/usr/bin/env bash
# Builds Lumora's Debian package, build/lumora_VERSION_ARCH.deb, with CPack: the install rules of
# the build (programs in /usr/bin, the decoder helper in /usr/libexec/lumora, the desktop entry,
# metainfo, icons, manual pages and help under /usr/share), stripped, with the library packages
# it needs worked out by dpkg-shlibdeps. Then lintian checks it (errors fail the script).
# Install it with `apt install ./build/lumora_*.deb`, remove it with `apt remove lumora`.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${LUMORA_BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir" --parallel "$(nproc)" --target lumora lumora-batch lumora-decoder lumora-install-files lumora-changelog
(cd "$build_dir" && cpack -G DEB)
deb=$(ls -t "$build_dir"/lumora_*.deb | head -n 1)
lintian --fail-on error "$deb"
echo "$deb"
