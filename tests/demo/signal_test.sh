#!/bin/sh
# The real show, headless (SDL's dummy drivers), ended by Ctrl-C (SIGINT) and
# SIGTERM: at the end of the running frame, by the signal itself, so the
# shell sees 128 + its number; a signal the show was started with ignored
# stays ignored. Usage: signal_test.sh <vorndemo program>
set -u
program=$1
demo=""
trap '[ -n "$demo" ] && kill -9 "$demo" 2>/dev/null' EXIT

fail() { echo "signal test: $*"; exit 1; }
ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Starts the show with the given env options for its signals (a shell starts
# background jobs with SIGINT ignored: they reset it).
start_show() {
  env "$@" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$program" &
  demo=$!
}

# Sends signal $1 and waits for the end (5 s at most); sets status and took (ms).
stop_show() {
  sent=$(ms)
  kill -s "$1" "$demo"
  for i in $(seq 250); do
    kill -0 "$demo" 2>/dev/null || break
    sleep 0.02
  done
  kill -0 "$demo" 2>/dev/null && fail "still running 5 s after SIG$1"
  wait "$demo"
  status=$?
  took=$(( $(ms) - sent ))
  demo=""
}

# signal, seconds after the start, expected status. 0.2 s is during start-up,
# which ends at the first frame. The show stops at the end of its frame; SDL's
# shutdown then takes up to half a second (on sdl12-compat): 2 s at most.
for run in "INT 3 130" "TERM 3 143" "TERM 0.2 143"; do
  set -- $run
  start_show --default-signal=INT,TERM
  sleep "$2"
  kill -0 "$demo" 2>/dev/null || fail "the show ended on its own"
  stop_show "$1"
  [ "$status" -eq "$3" ] || fail "SIG$1 after $2 s: status $status, not $3"
  echo "signal test: SIG$1 after $2 s ended the show in $took ms with status $status"
  [ "$2" != 3 ] || [ "$took" -lt 2000 ] || fail "SIG$1 took $took ms, more than 2 s"
done

# nohup and trap '' INT start a program with the signal ignored: it stays so.
start_show --ignore-signal=INT --default-signal=TERM
sleep 2
kill -s INT "$demo"
sleep 1
kill -0 "$demo" 2>/dev/null || fail "SIGINT, ignored at the start, ended the show"
stop_show TERM
[ "$status" -eq 143 ] || fail "SIGTERM after an ignored SIGINT: status $status, not 143"
echo "signal test: SIGINT ignored from the start stayed ignored; SIGTERM ended the show"
