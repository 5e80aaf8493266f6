#!/bin/sh
# Makes the show's icon, data/icons/{48,128,256}/vorndemo.png, from one frame of
# the kaleidoscope part as vorndemo-capture writes it (docs/pictures/kaleidoscope.png,
# made by scripts/make-pictures.sh). Every icon pixel is one pixel of the frame
# (point sampling, no filtering), so the pixels stay sharp:
#   256: the frame itself; 128: every second pixel;
#   48: every fifth pixel of the frame's middle 240 x 240.
#   scripts/make-icons.sh [frame.png]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
frame=${1:-$root/docs/pictures/kaleidoscope.png}
icons=$root/data/icons
command -v convert >/dev/null || { echo "make-icons: needs ImageMagick's convert" >&2; exit 1; }
[ "$(identify -format '%wx%h' "$frame")" = 256x256 ] || { echo "make-icons: $frame is not a 256 x 256 frame" >&2; exit 1; }
# No time stamps or other metadata: the same frame gives the same bytes.
png() { convert "$frame" "$@" -strip -define png:exclude-chunks=date,time PNG24:"$out"; }
for size in 48 128 256; do
  mkdir -p "$icons/$size"
  out=$icons/$size/vorndemo.png
  case $size in
    256) png ;;
    128) png -sample 128x128 ;;
    48) png -gravity center -crop 240x240+0+0 +repage -sample 48x48 ;;
  esac
  echo "make-icons: $out ($(identify -format '%wx%h' "$out"))"
done
