#!/bin/sh
# Makes the README's pictures with vorndemo-capture: three seconds of each of
# the five parts and of a typewriter screen as animated GIFs, one still frame
# with the frame-rate readout as PNG, and the still of the kaleidoscope that
# scripts/make-icons.sh makes the icons from, in docs/pictures/ (or FOLDER).
# The animations keep the show's pixels as they are (256 x 256, scale 1),
# in 64 colours; each stays within 400 KiB by showing every frame of the show
# or, where the part is too busy for that, every second, third, ... frame
# for as many frame periods. Needs ImageMagick's convert (scripts/setup).
#   scripts/make-pictures.sh [path/to/vorndemo-capture [FOLDER]]
#   (default: build/tools/vorndemo-capture, docs/pictures)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/tools/vorndemo-capture}
pictures=${2:-$root/docs/pictures}
limit=409600   # bytes of one animation
seconds=3
[ -x "$tool" ] || { echo "make-pictures: no tool at $tool (build the vorndemo-capture target)" >&2; exit 1; }
command -v convert >/dev/null 2>&1 || { echo "make-pictures: ImageMagick's convert is missing (scripts/setup)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$pictures"

# One whole cycle without pictures tells where every part begins.
"$tool" --out "$work/plan" --cycles 1 --format none --quiet > /dev/null
start() {  # first frame of the first run of a part
  awk -v part="$1" '$3 == part && $4 == "audio" { print $2 + 0; exit }' "$work/plan/checksums.txt"
}

# picture NAME PART OFFSET [KEYS]: frame OFFSET of PART (1 is its first) as NAME.png.
picture() {
  name=$1 first=$(start "$2") offset=$3 keys=${4:+--keys $4}
  if [ -z "$first" ]; then
    echo "make-pictures: the show has no $2 frames yet: $name.png not made" >&2
    return 0
  fi
  frame=$((first + offset - 1))
  # shellcheck disable=SC2086 # keys is one option and its value, or nothing
  "$tool" --out "$work/$name" --frames "$frame" --format png --quiet $keys > /dev/null
  cp "$work/$name/$(printf 'frame-%05d.png' "$frame")" "$pictures/$name.png"
  echo "make-pictures: $name.png: vorndemo-capture --frames $frame --format png $keys"
}

# animation NAME PART OFFSET: three seconds at 25 frames per second from
# frame OFFSET of PART as NAME.gif.
animation() {
  name=$1 first=$(start "$2") offset=$3
  if [ -z "$first" ]; then
    echo "make-pictures: the show has no $2 frames yet: $name.gif not made" >&2
    return 0
  fi
  from=$((first + offset - 1))
  to=$((from + 25 * seconds - 1))
  "$tool" --out "$work/$name" --frames "$from-$to" --format png --quiet > /dev/null
  step=1
  while :; do
    # Every step-th frame, each held for step periods of 4 hundredths of a second.
    # shellcheck disable=SC2046 # one argument per frame file
    convert -delay $((4 * step)) -loop 0 \
      $(ls "$work/$name"/frame-*.png | awk -v step="$step" '(NR - 1) % step == 0') \
      +dither -colors 64 -layers Optimize "$work/$name.gif"
    size=$(wc -c < "$work/$name.gif")
    [ "$size" -le "$limit" ] && break
    step=$((step + 1))
    if [ "$step" -gt 6 ]; then
      echo "make-pictures: $name.gif stays over $limit bytes even with every 6th frame" >&2
      exit 1
    fi
  done
  cp "$work/$name.gif" "$pictures/$name.gif"
  echo "make-pictures: $name.gif: vorndemo-capture --frames $from-$to --format png, one frame in $step, $((size / 1024)) KB"
}

animation typewriter transition 1
animation swarm swarm 100
animation helix helix 100
animation sineline sineline 100
animation rain rain 100
animation kaleidoscope kaleidoscope 100
picture readout swarm 200 swarm+1:8
picture kaleidoscope kaleidoscope 250
