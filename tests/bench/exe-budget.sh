#!/usr/bin/env bash
# Rows for the executable's budgets: its size, and that it imports system DLLs only, so it
# runs as one file. Usage: exe-budget.sh EXE > rows.tsv
set -euo pipefail
exe="$1"
limit_bytes=1500000
objdump=x86_64-w64-mingw32-objdump

# DLLs that every Windows installation has; anything else would have to ship beside the program.
system_dlls="kernel32 user32 gdi32 advapi32 shell32 ole32 oleaut32 comdlg32 comctl32 msvcrt
  ucrtbase shlwapi shcore version winmm ws2_32 uxtheme imm32 rpcrt4 psapi secur32 crypt32 bcrypt
  ntdll dwmapi winspool"
system_dlls=" $(echo $system_dlls) "

bytes=$(stat -c %s "$exe")
awk -v b="$bytes" -v l="$limit_bytes" 'BEGIN {
  printf "Adagiomill.exe size\t%.2f MB (%d bytes)\tlimit %.2f MB\t%.2fx\t< %.1f MB\t%s\n",
    b / 1e6, b, l / 1e6, b / l, l / 1e6, (b < l ? "holds" : "FAILS")
}'

dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r')
foreign=
for dll in $dlls; do
  base=$(echo "${dll%.*}" | tr 'A-Z' 'a-z')
  case "$base" in api-ms-win-*) continue ;; esac
  [[ "$system_dlls" == *" $base "* ]] || foreign+="$dll "
done
echo "Imports:" $dlls >&2
count=$(echo $dlls | wc -w)
if [ -z "$foreign" ]; then
  verdict=holds found="$count system DLLs"
else
  verdict=FAILS found="$count DLLs; not system: ${foreign% }"
fi
printf 'Adagiomill.exe imports\t%s\t-\t-\tsystem DLLs only\t%s\n' "$found" "$verdict"
