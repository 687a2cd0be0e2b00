#!/usr/bin/env bash
# The built tools on real input: the modules we ship, the broken fixtures, and Debian's
# fortune files converted and checked.
# Usage: run-tools.sh EMULATOR ADGCHECK FORTUNE2ADG WORKDIR (EMULATOR may be empty)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
emulator=$1 adgcheck=$2 fortune2adg=$3 work=$4
fortunes=/usr/share/games/fortunes
passed=0 failed=0

run() { ${emulator:+"$emulator"} "$@"; }
check() {
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
exits() { local want=$1; shift; run "$@" >"$work/out.txt" 2>"$work/err.txt"; [ $? -eq "$want" ]; }
says() { tr -d '\r' <"$work/out.txt" | grep -qF -- "$1"; }
tells() { tr -d '\r' <"$work/err.txt" | grep -qF -- "$1"; }
prints() { [ "$(tr -d '\r' <"$work/out.txt")" = "$1" ]; }

rm -rf "$work" && mkdir -p "$work"
check "adgcheck --help" exits 0 "$adgcheck" --help
check "fortune2adg --help" exits 0 "$fortune2adg" --help
check "adgcheck without a file" exits 2 "$adgcheck"

for module in "$repo"/modules/*.adg; do
  name=$(basename "$module")
  check "$name is clean" exits 0 "$adgcheck" "$module"
  check "$name has nothing to report" says "$name: $(sed -n 2p "$module" | tr -d '\r') quotes in ASCII, 0 errors, 0 warnings"
done

fixtures="$here/fixtures"
check "a fixture with errors" exits 1 "$adgcheck" "$fixtures/over-long-fields.adg"
check "its first message" says "over-long-fields.adg:2: error: the module declares 3 quotes"
check "warnings alone pass" exits 0 "$adgcheck" "$fixtures/stray-bytes.adg"
check "an unreadable file" exits 2 "$adgcheck" "$fixtures/clean-layouts.adg" "$work/missing.adg"
check "the last quote shown" exits 0 "$adgcheck" --show 4 "$fixtures/clean-layouts.adg"
check "its fields" prints $'[quote]\n%Begins with a percent sign after its own separator\n[attribution]\nPercent'
check "a UTF-8 module" exits 0 "$adgcheck" "$fixtures/utf8-clean.adg"
check "its encoding" says "utf8-clean.adg: 2 quotes in UTF-8, 0 errors, 0 warnings"
check "a Windows-1252 field shown" exits 0 "$adgcheck" --show 2 "$fixtures/utf8-cut-and-mixed.adg"
check "in UTF-8" prints $'[quote]\nCaf\xC3\xA9 cr\xC3\xA8me\n[attribution]\nAnon'

check "a Shift-JIS module read in code page 932" exits 0 "$adgcheck" --codepage 932 "$fixtures/shift-jis.adg"
check "its encoding" says "shift-jis.adg: 2 quotes in code page 932, 0 errors, 0 warnings"
check "a \"~\" in a character and one after it" exits 0 "$adgcheck" --codepage=932 --show 2 "$fixtures/shift-jis.adg"
check "shown as Windows shows them" prints $'[quote]\n\xE6\x9C\x9F\n\xC3\x97\n[attribution]\n '
check "a code page no converter has" exits 2 "$adgcheck" --codepage 99 "$fixtures/shift-jis.adg"

printf '\xC3\x97 \xE3\x81\x82\n-- \xE6\x9C\x9F\n%%\ncaf\xC3\xA9\n' >"$work/times"
check "cookies into code page 932" exits 0 "$fortune2adg" --encoding cp932 "$work/times"
check "a \"~\" as a character's second byte" bash -c "cmp -s '$work/out.txt' <(printf 'Times\r\n1\r\n%%\r\n\x81\x7E \x82\xA0\r\n\x8A\xFA\r\n%%\r\n')"
check "what code page 932 lacks, counted" tells "skipped 1 cookie: 1 with characters the code page lacks"
cp "$work/out.txt" "$work/times-932.adg"
check "the module passes adgcheck in code page 932" exits 0 "$adgcheck" --codepage 932 "$work/times-932.adg"
check "an encoding no converter has" exits 2 "$fortune2adg" --encoding windows-99 "$work/times"

for name in fortunes literature riddles; do
  [ -f "$fortunes/$name" ] || { echo "FAILED: $fortunes/$name missing (fortunes-min)"; failed=$((failed + 1)); continue; }
  for encoding in utf-8 cp1252; do
    module="$work/$name-$encoding.adg"
    check "$name converted to $encoding" exits 0 "$fortune2adg" --encoding "$encoding" "$fortunes/$name"
    cp "$work/out.txt" "$module"
    sed "s/^/  $encoding: /" "$work/err.txt" | tr -d '\r'
    check "$name-$encoding.adg passes adgcheck" exits 0 "$adgcheck" "$module"
    check "$name-$encoding.adg has nothing to report" says "0 errors, 0 warnings"
  done
done
check "the title given" exits 0 "$fortune2adg" --title "Literary Lines" --max 5 "$fortunes/literature"
check "its header" bash -c "head -c 22 '$work/out.txt' | cmp -s - <(printf 'Literary Lines\r\n5\r\n%%\r\n')"

echo "cli tools: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
