#!/bin/sh
# Checks the four deliverables in DIST without running them: their formats,
# that the Windows programs import only Windows' own DLLs, that each
# full-screen program differs from its windowed one in the flag word only,
# and the Windows zip's contents.
# Usage: check_binaries.sh DIST
set -eu
dist=$1
failed=0
fail() { echo "check-binaries: $*" >&2; failed=1; }

for p in demo-linux-window demo-linux-fullscreen; do
  file -b "$dist/$p" | grep -q '^ELF 32-bit LSB .*Intel 80386' || fail "$p: not a 32-bit x86 ELF: $(file -b "$dist/$p")"
done
for p in demo-win32-window.exe demo-win32-fullscreen.exe; do
  file -b "$dist/$p" | grep -q '^PE32 executable (GUI) Intel 80386' || fail "$p: not a PE32 x86 GUI program: $(file -b "$dist/$p")"
  # Windows' own DLLs only: no SDL, C++ runtime or thread library beside the program.
  dlls=$(objdump -p "$dist/$p" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  [ -n "$dlls" ] || fail "$p: no imports found"
  for d in $dlls; do
    case $d in
      kernel32.dll|user32.dll|gdi32.dll|winmm.dll|msvcrt.dll|advapi32.dll|shell32.dll|ole32.dll|dxguid.dll|ddraw.dll|dsound.dll) ;;
      *) fail "$p imports $d, which Windows does not ship" ;;
    esac
  done
  echo "check-binaries: $p imports $(echo $dlls)"
done

# window and full screen: stripped of symbols and debug data, the two programs
# must be the same bytes except the flag word's top byte (0x10 vs 0x90).
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
flag_diff() {  # flag_diff <strip> <windowed> <full screen> <low byte>
  strip=$1 window=$2 full=$3 low=$4
  "$strip" --strip-all -R .note.gnu.build-id -o "$tmp/w" "$dist/$window"
  "$strip" --strip-all -R .note.gnu.build-id -o "$tmp/f" "$dist/$full"
  case $window in *.exe)
    # The PE header's checksum covers the whole file: blank it in both.
    for c in "$tmp/w" "$tmp/f"; do
      pe=$(od -A n -t u4 -j 60 -N 4 "$c" | tr -d ' ')
      dd if=/dev/zero of="$c" bs=1 seek=$((pe + 88)) count=4 conv=notrunc 2>/dev/null
    done ;;
  esac
  diffs=$(cmp -l "$tmp/w" "$tmp/f" || true)
  count=$(printf '%s\n' "$diffs" | grep -c . || true)
  # cmp -l prints offset and both bytes in octal: 0x10 is 20, 0x90 is 220.
  if [ "$count" -ne 1 ] || [ "$(printf '%s' "$diffs" | awk '{print $2, $3}')" != "20 220" ]; then
    fail "$window and $full differ in more than the flag word: $count bytes"
    return
  fi
  offset=$(printf '%s' "$diffs" | awk '{print $1}')
  # The three bytes before the top byte are the rest of the word: low byte first.
  word=$(od -A n -t x1 -j $((offset - 4)) -N 4 "$tmp/w" | tr -d ' ')
  [ "$word" = "${low}000010" ] || fail "$window: the differing byte is not in the flag word ($word)"
  echo "check-binaries: $window and $full differ in one byte: flag word 0x100000$low vs 0x900000$low"
}
flag_diff strip demo-linux-window demo-linux-fullscreen 05
flag_diff i686-w64-mingw32-strip demo-win32-window.exe demo-win32-fullscreen.exe 01

# The Windows zip: one folder with both programs (the same bytes as the
# deliverables), README.txt and LICENSE.txt with Windows line ends.
zip=$dist/vorndemo-win32.zip
if [ ! -f "$zip" ]; then
  fail "no vorndemo-win32.zip"
else
  entries=$(unzip -Z1 "$zip" | tr '\n' ' ')
  want="vorndemo-win32/ vorndemo-win32/vorndemo.exe vorndemo-win32/vorndemo-fullscreen.exe vorndemo-win32/README.txt vorndemo-win32/LICENSE.txt "
  [ "$entries" = "$want" ] || fail "vorndemo-win32.zip holds $entries"
  unzip -p "$zip" vorndemo-win32/vorndemo.exe | cmp -s - "$dist/demo-win32-window.exe" ||
    fail "vorndemo-win32.zip: vorndemo.exe is not demo-win32-window.exe"
  unzip -p "$zip" vorndemo-win32/vorndemo-fullscreen.exe | cmp -s - "$dist/demo-win32-fullscreen.exe" ||
    fail "vorndemo-win32.zip: vorndemo-fullscreen.exe is not demo-win32-fullscreen.exe"
  for t in README.txt LICENSE.txt; do
    lines=$(unzip -p "$zip" "vorndemo-win32/$t" | wc -l)
    crlf=$(unzip -p "$zip" "vorndemo-win32/$t" | grep -c "$(printf '\r')\$" || true)
    [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "vorndemo-win32.zip: $t is empty or not in Windows line ends"
  done
  unzip -p "$zip" vorndemo-win32/README.txt | grep -q "Escape" || fail "vorndemo-win32.zip: README.txt names no exit key"
  echo "check-binaries: vorndemo-win32.zip holds $entries"
fi
exit $failed
