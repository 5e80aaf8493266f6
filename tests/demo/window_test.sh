#!/bin/sh
# The real show in a real window under Xvfb, driven by xdotool: keys held for
# a few frames (a press and release within one frame is not seen), a
# screenshot of the window, and each exit key ending it with status 0.
# Usage: window_test.sh <vorndemo program> <folder for screenshots> [launcher]
#   launcher: a program that starts it, e.g. /usr/lib/wine/wine64 for the
#   Windows build (its exit status must be the program's; the caller sets up
#   the wine prefix and server).
set -u
program=$1
shots=$2
launcher=${3:-}
mkdir -p "$shots"

for tool in Xvfb xdotool import identify timeout; do
  command -v $tool >/dev/null 2>&1 || { echo "window test: $tool is missing"; exit 1; }
done

# Bounds, generous for wine, whose window may come seconds after the start.
window_wait=60     # seconds for the window to appear
drawn_wait=20      # half seconds for the window to show a drawn frame
exit_wait=100      # tenths of a second for the show to exit after its key

# A display number of our own, so parallel runs do not meet.
display=$(( 90 + $$ % 400 ))
Xvfb ":$display" -screen 0 640x480x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
demo=""
# On any exit: a show still running is killed (SIGKILL: SDL turns SIGTERM
# into a quit event that the show ignores), then the X server.
trap '[ -n "$demo" ] && kill -9 "$demo" 2>/dev/null; kill $xvfb 2>/dev/null; wait $xvfb' EXIT
export DISPLAY=":$display"
for i in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "window test: $*"; exit 1; }

hold() {  # hold a key for about three frames
  xdotool keydown --window "$window" "$1"; sleep 0.12; xdotool keyup --window "$window" "$1"; sleep 0.08
}

# Waits up to $1 tenths of a second for the show to exit; sets status.
wait_exit() {
  for i in $(seq "$1"); do
    if ! kill -0 "$demo" 2>/dev/null; then wait "$demo"; status=$?; demo=""; return 0; fi
    sleep 0.1
  done
  return 1
}

# Starts the show and waits for its window; sets demo and window. Under a
# launcher a start that ends before its window appears is tried again (twice
# at most): wine's first window after its prefix boots can fail to open
# ("Couldn't create window") while its desktop process is still starting.
start_show() {
  for attempt in 1 2 3; do
    SDL_AUDIODRIVER=dummy ${launcher:+"$launcher"} "$program" &
    demo=$!
    for i in $(seq $((window_wait * 5))); do
      window=$(xdotool search --onlyvisible --name '^VORNDEMO$' 2>/dev/null | head -n 1)
      [ -n "$window" ] && return 0
      kill -0 "$demo" 2>/dev/null || break
      sleep 0.2
    done
    [ -n "$window" ] && return 0
    kill -0 "$demo" 2>/dev/null && fail "no window captioned VORNDEMO within $window_wait s"
    wait "$demo"
    status=$?
    demo=""
    [ -n "$launcher" ] && [ "$attempt" -lt 3 ] || fail "the show ended with status $status before its window appeared"
    echo "window test: the show ended with status $status before its window appeared; starting it again"
    sleep 5
  done
}

# Screenshots the window until it shows more than 16 colours (the first
# frames may still be blank); sets colours.
screenshot() {
  for i in $(seq "$drawn_wait"); do
    sleep 0.5
    import -window "$window" "$shots/window.png" || fail "no screenshot"
    colours=$(identify -format '%k' "$shots/window.png")
    [ "$colours" -gt 16 ] && return 0
  done
  return 0
}

for exit_key in Escape q Q; do
  start=$(date +%s)
  window=""
  start_show
  # The keyboard focus, as a click would give it: wine passes keys on only
  # to a window that has it (Xvfb runs no window manager to give it).
  timeout 10 xdotool windowfocus --sync "$window" || fail "the window did not take the focus"
  sleep 0.5
  if [ "$exit_key" = Escape ]; then
    sleep 0.5
    screenshot
    size=$(identify -format '%wx%h' "$shots/window.png")
    [ "$size" = 256x256 ] || fail "screenshot is $size, not 256x256"
    [ "$colours" -gt 16 ] || fail "the window shows only $colours colours"
    hold space
    hold 8
  fi
  kill -0 "$demo" 2>/dev/null || fail "the show ended before $exit_key"
  # The exit key stays down until the show has ended (a press and release
  # within one long frame, a part's set-up or a slow start under wine, would
  # not be seen), then is released at the X server: xdotool sends to a
  # focused window through XTEST, so a key left down stays down for the next run.
  xdotool keydown --window "$window" "$exit_key"
  wait_exit "$exit_wait" || { xdotool keyup "$exit_key"; fail "still running $((exit_wait / 10)) s after $exit_key"; }
  xdotool keyup "$exit_key"
  [ "$status" -eq 0 ] || fail "exit status $status after $exit_key"
  echo "window test: $exit_key ended the show with status 0 ($(( $(date +%s) - start )) s)"
done
