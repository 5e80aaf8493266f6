#!/bin/sh
# Builds the audio-thread test with ThreadSanitizer in its own build tree and
# runs it for a few seconds against SDL's real audio thread (dummy driver).
# Fails on any data race report. Usage: scripts/tsan-audio.sh [seconds]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VORN_TSAN_BUILD:-$root/build-tsan}
seconds=${1:-4}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$build" --target audio_thread_test -- -j2 >/dev/null

SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VORN_AUDIO_SECONDS=$seconds \
TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1" \
  "$build/tests/sound/audio_thread_test"
