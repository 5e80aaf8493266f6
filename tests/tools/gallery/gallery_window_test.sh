#!/bin/sh
# The effect gallery in a real window under Xvfb, driven by xdotool: every
# scene is shown, named in the window's caption ("VORNDEMO gallery: NAME"),
# photographed twice (it must be drawn and moving, and differ from the scene
# before), Space goes on, after the last the first comes back, and Escape
# ends the program with status 0.
# Usage: gallery_window_test.sh <vorndemo-gallery program> <folder for screenshots>
set -u
program=$1
shots=$2
mkdir -p "$shots"
rm -f "$shots"/*.png

for tool in Xvfb xdotool import identify convert compare; do
  command -v $tool >/dev/null 2>&1 || { echo "gallery test: $tool is missing"; exit 1; }
done

display=$(( 500 + $$ % 400 ))
Xvfb ":$display" -screen 0 640x480x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
log="$shots/gallery.log"
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$display"
for i in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "gallery test: $*"; kill -9 "$gallery" 2>/dev/null; exit 1; }

hold() {  # hold a key for about three frames
  xdotool keydown --window "$window" "$1" 2>/dev/null; sleep 0.12
  xdotool keyup --window "$window" "$1" 2>/dev/null; sleep 0.08
}

shoot() {  # shoot <file>: a 256 x 256 screenshot of the window
  import -window "$window" "$1" || fail "no screenshot $1"
  size=$(identify -format '%wx%h' "$1")
  [ "$size" = 256x256 ] || fail "$1 is $size, not 256x256"
}

# Number of pixels that differ between two pictures.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

SDL_AUDIODRIVER=dummy "$program" >"$log" &
gallery=$!
window=$(xdotool search --sync --onlyvisible --name '^VORNDEMO gallery: ' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no window captioned VORNDEMO gallery: ..."
sleep 0.5
scenes=$(sed -n 's/^gallery: scene 1 of \([0-9]*\):.*/\1/p' "$log")
[ -n "$scenes" ] || fail "no first scene announced"

previous=""
for n in $(seq "$scenes"); do
  grep -q "^gallery: scene $n of $scenes: " "$log" || fail "scene $n not announced"
  sleep 0.3
  name=$(sed -n "s/^gallery: scene $n of $scenes: //p" "$log" | head -n 1)
  caption=$(xdotool getwindowname "$window" 2>/dev/null)
  [ "$caption" = "VORNDEMO gallery: $name" ] || fail "scene $n: the caption is \"$caption\""
  shoot "$shots/scene-$n-a.png"
  sleep 0.3
  shoot "$shots/scene-$n-b.png"
  lit=$(convert "$shots/scene-$n-b.png" -colorspace Gray -threshold 0 -format '%[fx:int(mean*w*h)]' info:)
  [ "$lit" -gt 500 ] || fail "scene $n shows only $lit lit pixels"
  moved=$(differing "$shots/scene-$n-a.png" "$shots/scene-$n-b.png")
  [ "$moved" -gt 50 ] || fail "scene $n does not move ($moved pixels changed)"
  if [ -n "$previous" ]; then
    changed=$(differing "$previous" "$shots/scene-$n-b.png")
    [ "$changed" -gt 1000 ] || fail "scene $n looks like the one before ($changed pixels differ)"
  fi
  previous="$shots/scene-$n-b.png"
  echo "gallery test: scene $n: $name, $lit lit, $moved moved"
  kill -0 "$gallery" 2>/dev/null || fail "the gallery ended in scene $n"
  hold space
done
sleep 0.3
[ "$(grep -c '^gallery: scene 1 of ' "$log")" -eq 2 ] || fail "Space after the last scene did not return to the first"

hold Escape
for i in $(seq 50); do
  kill -0 "$gallery" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$gallery" 2>/dev/null && fail "still running 5 s after Escape"
wait "$gallery"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Escape"
echo "gallery test: $scenes scenes shown, Escape ended the gallery with status 0"
