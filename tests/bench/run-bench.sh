#!/usr/bin/env bash
# Builds and runs the benchmarks natively and under Wine in their own trees, checks the executable,
# prints one table and writes it to docs/performance.md. Logs stay in build/bench-results.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
win="$repo/build/bench-win"
results="$repo/build/bench-results"
# Other work on the machine moves every number here; the report shows how much there was.
load_start=$(cut -d' ' -f1-3 /proc/loadavg)
rm -rf "$results"
mkdir -p "$results/data" "$results/app" "$results/minimal"

# Usage: step TITLE LOG COMMAND...; the log is shown only when the command fails.
step() {
  echo "== $1"
  "${@:3}" >"$results/$2" 2>&1 ||
    { tail -n 40 "$results/$2"; echo "bench: '$1' failed (log: build/bench-results/$2)" >&2; exit 1; }
}

build() {
  cmake -S "$repo" -B "$1" -DCMAKE_BUILD_TYPE=Release -DADAGIO_TESTS=OFF -DADAGIO_BENCH=ON "${@:2}" &&
    cmake --build "$1" -j"${JOBS:-2}"
}

# The data core's rows, with each benchmark's median CPU time per iteration in its place: CPU
# time, the kernel's share included, leaves out the waits for a core that other work held.
data_rows() {
  printf '%s\ts\t%s\t%s\t%s\t%s\t\n' \
    "Quote display, index 0 of 999" display/0 "fread up to its end:" fread/0 "" \
    "Quote display, index 500 of 999" display/500 "fread up to its end:" fread/500 "" \
    "Quote display, index 998 of 999" display/998 "fread up to its end:" fread/998 "<=2" \
    "LoadSettings (index.txt, module title)" LoadSettings "fread of the same bytes:" fread/settings "" \
    "SaveSettings (index.txt)" SaveSettings "fwrite of the same bytes:" fwrite/settings "" |
    awk -v OFS='\t' 'FNR == NR { gsub(/"/, "", $1); if (sub(/_median$/, "", $1)) t[$1] = $4 / 1e9; next }
      { $3 = t[$3]; $5 = t[$5]; print }' FS=, "$results/data/medians.csv" FS='\t' -
}

# Sizes as the downloads carry the executables, stripped; and that the program imports only
# DLLs that every Windows has, so it runs as one file.
exe_rows() {
  local exe="$win/app/Adagiomill.exe" dlls foreign tool larger=0 name
  local system='(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|msvcrt'
  system+='|ucrtbase|shlwapi|shcore|version|winmm|ws2_32|uxtheme|imm32|rpcrt4|psapi|secur32'
  system+='|crypt32|bcrypt|ntdll|dwmapi|winspool)\.dll|api-ms-win-.*'
  x86_64-w64-mingw32-strip -o "$results/stripped.exe" "$exe"
  printf 'Adagiomill.exe size\tB\t%s\tlimit\t235520\t<=1\t\n' "$(stat -c %s "$results/stripped.exe")"
  for tool in "$win"/cli/adgcheck.exe "$win"/cli/fortune2adg.exe; do
    x86_64-w64-mingw32-strip -o "$results/stripped.exe" "$tool"
    if [ "$(stat -c %s "$results/stripped.exe")" -gt "$larger" ]; then
      larger=$(stat -c %s "$results/stripped.exe") name=$(basename "$tool")
    fi
  done
  printf '%s size, the larger tool\tB\t%s\tlimit\t307200\t<=1\t\n' "$name" "$larger"
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr -d '\r')
  foreign=$(grep -vixE "$system" <<<"$dlls" | paste -sd' ') || true
  printf 'Adagiomill.exe imports\t\t%d DLLs%s\t-\t\tsystem DLLs only\t%s\n' "$(wc -l <<<"$dlls")" \
    "${foreign:+; not system: $foreign}" "$([ -z "$foreign" ] && echo holds || echo FAILS)"
}

# Columns in: name, unit (s, B, MB or none for text), measured, reference label, reference,
# budget ("<=R" on the ratio, "<V" on the measured value, or text with the verdict next to it).
# Out: the table's rows in Markdown, then how many budgets hold.
format_rows() {
  awk -F'\t' -v OFS=' | ' '
    function digits(v, u) { return sprintf(v >= 100 ? "%.0f %s" : v >= 10 ? "%.1f %s" : "%.2f %s", v, u) }
    function show(v, u) {
      if (u == "s") return v >= 1 ? digits(v, "s") : v >= 1e-3 ? digits(v * 1e3, "ms") : digits(v * 1e6, "us")
      if (u == "B") return v >= 1048576 ? digits(v / 1048576, "MiB") : v >= 1024 ? digits(v / 1024, "KiB") : v " B"
      return u == "MB" ? sprintf("%.2f MB", v / 1e6) : v
    }
    {
      ok = $3 != "" && $5 > 0
      ratio = $2 != "" && ok ? sprintf("%.2fx", $3 / $5) : "-"
      budget = $6 == "" ? "-" : $6
      verdict = $7 != "" ? $7 : $6 == "" ? "-" : "FAILS"
      if ($6 ~ /^<=/) { limit = substr($6, 3); budget = sprintf("<= %.2fx", limit); if (ok && $3 / $5 <= limit) verdict = "holds" }
      else if ($6 ~ /^</) { limit = substr($6, 2); budget = "< " show(limit, $2); if ($3 != "" && $3 < limit) verdict = "holds" }
      print "| " $1, $3 == "" ? "not measured" : show($3, $2), $5 == "" ? $4 : $4 " " show($5, $2), ratio, budget, verdict " |"
      if (verdict == "holds") held++
      if (verdict == "FAILS") { failed++; names = names (names ? "; " : "") $1 }
    }
    END { printf "\n%d of %d budgets hold.", held, held + failed; if (failed) printf " Failing: %s.", names; print "" }'
}

step "Build, native" build-native.log build "$repo/build/bench-native"
step "Build, Windows" build-win.log build "$win" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake"
# Nine repetitions of each benchmark, interleaved at random, in a folder of their own.
step "Data core against plain stdio (Google Benchmark)" data_bench.log env -C "$results/data" \
  "$repo/build/bench-native/tests/bench/data_bench" --benchmark_repetitions=9 --benchmark_min_time=0.1 \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_out=medians.csv --benchmark_out_format=csv
cp "$win/app/Adagiomill.exe" "$repo/modules/miscellaneous.adg" "$results/app/"
cp "$win/tests/bench/MinimalDialog.exe" "$results/minimal/"
# The program folders and the rows file are given relative to the current folder.
step "The program under Wine against a minimal dialog" ui_bench.log env -C "$results" \
  ADAGIO_BUILD="$win" "$repo/tools/with-wine.sh" "$repo/tools/wine-run.sh" \
  "$win/tests/bench/ui_bench.exe" app minimal ui.tsv
table=$(
  echo "| Benchmark | Measured | Limit / reference | Ratio | Budget | Verdict |"
  echo '|---|---:|---|---:|---|---|'
  { data_rows && cat "$results/ui.tsv" && exe_rows; } | format_rows
)
cat >"$repo/docs/performance.md" <<EOF
# Performance

Written by \`make bench\`, which builds and runs the benchmarks and checks the budgets.
Timings are medians of repeated runs; every ratio compares two things measured in the same run.

## Results

$table

## Machine

| | |
|---|---|
| CPU, memory | $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores, $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) |
| OS | $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r) |
| Wine | $(wine --version 2>/dev/null | head -n 1) |
| Compilers | $(g++ --version | head -n 1); $(x86_64-w64-mingw32-g++-posix --version | head -n 1) |
| Load average (1, 5, 15 min), start / end | $load_start / $(cut -d' ' -f1-3 /proc/loadavg) |
| Commit | $(git -C "$repo" rev-parse --short HEAD) |
| Date | $(date -u '+%Y-%m-%d %H:%M UTC') |

$(cat "$repo/tests/bench/performance-notes.md")
EOF
printf '\n%s\n\nWritten to docs/performance.md\n' "$table"
