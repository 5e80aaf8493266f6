#!/bin/sh
# Makes the README's pictures with vorndemo-capture: one frame of each of the
# five parts, one typewriter screen and one frame with the frame-rate readout,
# as PNG files in docs/pictures/.
#   scripts/make-pictures.sh [path/to/vorndemo-capture]   (default: build/tools/vorndemo-capture)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/tools/vorndemo-capture}
pictures=$root/docs/pictures
[ -x "$tool" ] || { echo "make-pictures: no tool at $tool (build the vorndemo-capture target)" >&2; exit 1; }
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

picture typewriter transition 70
picture swarm swarm 300
picture helix helix 300
picture sineline sineline 250
picture rain rain 300
picture kaleidoscope kaleidoscope 250
picture readout swarm 200 swarm+1:8
