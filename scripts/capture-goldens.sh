#!/bin/sh
# Regenerates the golden checksums of the show (tests/capture/golden/) from
# tests/capture/scenarios.txt with vorndemo-capture. Run it only after an
# intended change of the picture or the sound, and say in the commit why the
# goldens changed.
#   scripts/capture-goldens.sh [path/to/vorndemo-capture]   (default: build/tools/vorndemo-capture)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/tools/vorndemo-capture}
scenarios=$root/tests/capture/scenarios.txt
golden=$root/tests/capture/golden
[ -x "$tool" ] || { echo "capture-goldens: no tool at $tool (build the vorndemo-capture target)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grep -v '^#' "$scenarios" | grep -v '^[[:space:]]*$' | while read -r name args; do
  # shellcheck disable=SC2086 # the arguments are split on purpose
  "$tool" --out "$work/$name" --format none --quiet $args > /dev/null
  cp "$work/$name/checksums.txt" "$golden/$name.txt"
  echo "capture-goldens: $name: $(grep -c picture "$golden/$name.txt") pictures, $(grep -c audio "$golden/$name.txt") frames of sound"
done
