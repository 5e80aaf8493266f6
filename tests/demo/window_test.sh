#!/bin/sh
# The real show in a real window under Xvfb, driven by xdotool: keys held for
# a few frames (a press and release within one frame is not seen), a
# screenshot of the window, and each exit key ending it with status 0. Then,
# without a launcher, the window's close button, which the show ignores, and
# Ctrl-C (SIGINT) and SIGTERM, which end it by the signal itself.
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
# On any exit: a show still running is killed (SIGKILL: under wine a SIGTERM
# need not end the program), then the X server.
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
    # A shell starts background jobs with SIGINT ignored: the show gets it back.
    SDL_AUDIODRIVER=dummy env --default-signal=INT,TERM ${launcher:+"$launcher"} "$program" &
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

[ -z "$launcher" ] || exit 0

# Presses the window's close button as a window manager does: a WM_DELETE_WINDOW
# message (Xvfb runs no window manager to send it).
close_window() {
  python3 - "$1" <<'PYTHON'
import ctypes, ctypes.util, sys
x = ctypes.CDLL(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]
display = x.XOpenDisplay(None)
window = int(sys.argv[1])
event = ClientMessage(type=33, window=window, format=32,
                      message_type=x.XInternAtom(display, b"WM_PROTOCOLS", 0))
event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
ok = x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x.XCloseDisplay(display)
sys.exit(0 if ok else 1)
PYTHON
}

ms() { echo $(( $(date +%s%N) / 1000000 )); }

for run in "INT 130" "TERM 143"; do
  set -- $run
  window=""
  start_show
  screenshot
  close_window "$window" || fail "cannot send the close message"
  sleep 1
  kill -0 "$demo" 2>/dev/null || fail "the close button ended the show"
  sent=$(ms)
  kill -s "$1" "$demo"
  wait_exit 50 || fail "still running 5 s after SIG$1"
  took=$(( $(ms) - sent ))
  [ "$status" -eq "$2" ] || fail "exit status $status after SIG$1, not $2"
  # The frame ends at once; SDL's shutdown takes up to half a second (sdl12-compat).
  [ "$took" -lt 2000 ] || fail "SIG$1 took $took ms, more than 2 s"
  echo "window test: the close button left the show running; SIG$1 ended it in $took ms with status $status"
done
