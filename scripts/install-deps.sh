#!/usr/bin/env bash
# Installs every Debian package that Lumora's build, tests, benchmarks and resource generators use.
# Non-interactive and idempotent: packages already present are left as they are.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build ccache pkg-config
  # libraries
  libvips-dev qt6-base-dev libpango1.0-dev libcairo2-dev libexiv2-dev
  # the window brings itself to the front on X11 (a hand-over from a second copy), and screen
  # capture asks the window manager to show the desktop
  libxcb1-dev
  # printing: CUPS and its client library; the print tests run their own scheduler with a
  # cups-pdf queue and read its PDFs with poppler
  cups cups-client libcups2-dev printer-driver-cups-pdf
  # the engine's file writers: palette quantisation, TIFF, palette PNG (PDF goes through cairo)
  libimagequant-dev libtiff-dev libpng-dev
  # the loader's other roads: FreeImage, DevIL, OpenJPEG, Windows and enhanced metafiles
  libfreeimage-dev libdevil-dev libopenjp2-7-dev libwmf-dev libemf2svg-dev librsvg2-dev
  # scanning: SANE, opened at run time; its test backend gives the acquisition tests real scans
  libsane1 libsane-dev sane-utils
  # tests and their independent oracles
  libgtest-dev libgmock-dev imagemagick libvips-tools libimage-exiftool-perl exiv2 libopenjp2-tools
  poppler-utils libtiff-tools
  # the web album tests open the generated pages in a headless browser
  chromium
  # fonts the text renderer and the tests rely on
  fonts-dejavu-core fontconfig
  # benchmarks (peak memory through GNU time; GraphicsMagick as a peer); the window on a virtual
  # display (the run command without a desktop, the browsing benchmark, screenshots)
  time graphicsmagick xvfb xauth
  # resource generators (sample photos, frame/shadow/mask galleries)
  python3 python3-pil python3-numpy
  # installing and packaging: the desktop files' validators, the Debian package's tools (the icon
  # is rendered by vips from libvips-tools)
  desktop-file-utils appstream dpkg-dev fakeroot lintian groff
  # fuzzing harnesses (scripts/fuzz.sh)
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: installed ${missing[*]}"
