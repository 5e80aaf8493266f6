#!/bin/sh
# The real show in a real window under Xvfb, driven by xdotool: keys held for
# a few frames (a press and release within one frame is not seen), a
# screenshot of the window, and each exit key ending it with status 0.
# Usage: window_test.sh <vorndemo program> <folder for screenshots>
set -u
program=$1
shots=$2
mkdir -p "$shots"

for tool in Xvfb xdotool import identify; do
  command -v $tool >/dev/null 2>&1 || { echo "window test: $tool is missing"; exit 1; }
done

# A display number of our own, so parallel runs do not meet.
display=$(( 90 + $$ % 400 ))
Xvfb ":$display" -screen 0 640x480x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$display"
for i in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "window test: $*"; kill -9 "$demo" 2>/dev/null; exit 1; }

hold() {  # hold a key for about three frames
  xdotool keydown --window "$window" "$1"; sleep 0.12; xdotool keyup --window "$window" "$1"; sleep 0.08
}

# Waits up to $2 tenths of a second for the show to exit; sets status.
wait_exit() {
  for i in $(seq "$1"); do
    if ! kill -0 "$demo" 2>/dev/null; then wait "$demo"; status=$?; return 0; fi
    sleep 0.1
  done
  return 1
}

for exit_key in Escape q Q; do
  SDL_AUDIODRIVER=dummy "$program" &
  demo=$!
  window=$(xdotool search --sync --onlyvisible --name '^VORNDEMO$' 2>/dev/null | head -n 1)
  [ -n "$window" ] || fail "no window captioned VORNDEMO"
  sleep 0.5
  if [ "$exit_key" = Escape ]; then
    sleep 1
    import -window "$window" "$shots/window.png" || fail "no screenshot"
    size=$(identify -format '%wx%h' "$shots/window.png")
    [ "$size" = 256x256 ] || fail "screenshot is $size, not 256x256"
    colours=$(identify -format '%k' "$shots/window.png")
    [ "$colours" -gt 16 ] || fail "the window shows only $colours colours"
    hold space
    hold 8
  fi
  kill -0 "$demo" 2>/dev/null || fail "the show ended before $exit_key"
  hold "$exit_key"
  wait_exit 50 || fail "still running 5 s after $exit_key"
  [ "$status" -eq 0 ] || fail "exit status $status after $exit_key"
  echo "window test: $exit_key ended the show with status 0"
done
