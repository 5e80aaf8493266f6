#!/bin/sh
# The README's pictures: scripts/make-pictures.sh makes them again from the
# capture tool into a fresh folder, and they must be the committed ones byte
# for byte (a change of the show or of the script that leaves them stale
# fails here). Every picture the README shows exists; every animation is
# 256 x 256, about three seconds long and within 400 KiB.
# Usage: pictures_test.sh <vorndemo-capture program> <source tree>
set -u
tool=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "pictures test: $*"; failed=1; }

"$root/scripts/make-pictures.sh" "$tool" "$work" > "$work.log" 2>&1 || { cat "$work.log"; rm -f "$work.log"; exit 1; }
rm -f "$work.log"
for made in "$work"/*; do
  name=$(basename "$made")
  cmp -s "$made" "$root/docs/pictures/$name" ||
    fail "docs/pictures/$name is not what scripts/make-pictures.sh makes now (run it and commit the result)"
done

for name in $(sed -n 's/.*](docs\/pictures\/\([^)]*\)).*/\1/p' "$root/README.md"); do
  picture=$root/docs/pictures/$name
  [ -f "$picture" ] || { fail "the README shows docs/pictures/$name, which does not exist"; continue; }
  case $name in *.gif) ;; *) continue ;; esac
  size=$(wc -c < "$picture")
  frames=$(identify -format '%w %h %T\n' "$picture")
  count=$(echo "$frames" | wc -l)
  hundredths=$(echo "$frames" | awk '{ t += $3 } END { print t }')
  sizes=$(echo "$frames" | awk '{ print $1 "x" $2 }' | sort -u | tr '\n' ' ')
  [ "$size" -le 409600 ] || fail "$name has $size bytes, more than 400 KiB"
  [ "$count" -ge 10 ] || fail "$name has only $count frames"
  [ "$hundredths" -ge 280 ] && [ "$hundredths" -le 320 ] || fail "$name lasts $hundredths hundredths of a second, not about 3 s"
  [ "$sizes" = "256x256 " ] || fail "$name has frames of $sizes"
  echo "pictures test: $name: $count frames, $hundredths hundredths of a second, $size bytes"
done
[ "$failed" -eq 0 ] && echo "pictures test: the README's pictures are the script's and within their limits"
exit "$failed"
