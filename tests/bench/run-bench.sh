#!/usr/bin/env bash
# Builds the program and the benchmarks natively and for Windows in their own trees, runs them
# (the Windows ones under Wine), checks the executable, prints one table and writes it with the
# machine description to docs/performance.md. Logs stay in build/bench-results.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
native="$repo/build/bench-native"
win="$repo/build/bench-win"
results="$repo/build/bench-results"
out="$repo/docs/performance.md"
# Other work on the machine moves every number here; the report shows how much there was.
load_start=$(cut -d' ' -f1-3 /proc/loadavg)
rm -rf "$results"
mkdir -p "$results/data" "$results/app" "$results/minimal"

# Runs a step with its output in a log, shown only when the step fails.
step() {
  local name="$1" log="$results/$2"
  shift 2
  echo "== $name"
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "bench: '$name' failed (log: ${log#"$repo/"})" >&2
    exit 1
  fi
}

build() {
  local dir="$1"
  shift
  cmake -S "$repo" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DADAGIO_TESTS=OFF -DADAGIO_BENCH=ON "$@" &&
    cmake --build "$dir" -j"${JOBS:-2}"
}

# Nine repetitions of each benchmark, interleaved at random, in a folder of its own.
run_data() (
  cd "$results/data"
  "$native/tests/bench/data_bench" --benchmark_repetitions=9 --benchmark_min_time=0.1 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
)

# The program folders and the rows file are given relative to the current folder.
run_ui() (
  cp "$win/app/Adagiomill.exe" "$repo/modules/miscellaneous.adg" "$results/app/"
  cp "$win/tests/bench/MinimalDialog.exe" "$results/minimal/"
  cd "$results"
  ADAGIO_BUILD="$win" "$repo/tools/with-wine.sh" "$repo/tools/wine-run.sh" \
    "$win/tests/bench/ui_bench.exe" app minimal ui.tsv
)

# Its size, and that it imports only DLLs that every Windows has, so it runs as one file.
exe_rows() {
  local exe="$win/app/Adagiomill.exe" dlls foreign
  local system='(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|msvcrt'
  system+='|ucrtbase|shlwapi|shcore|version|winmm|ws2_32|uxtheme|imm32|rpcrt4|psapi|secur32'
  system+='|crypt32|bcrypt|ntdll|dwmapi|winspool)\.dll|api-ms-win-.*'
  printf 'Adagiomill.exe size\tMB\t%s\tlimit\t1500000\t<1500000\t\n' "$(stat -c %s "$exe")"
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr -d '\r')
  foreign=$(grep -vixE "$system" <<<"$dlls" | paste -sd' ') || true
  printf 'Adagiomill.exe imports\t\t%d DLLs%s\t-\t\tsystem DLLs only\t%s\n' "$(wc -l <<<"$dlls")" \
    "${foreign:+; not system: $foreign}" "$([ -z "$foreign" ] && echo holds || echo FAILS)"
}

# Columns in: name, unit (s, B, MB or none for text), measured, reference label, reference,
# budget ("<=R" on the ratio, "<V" on the measured value, or text with the verdict next to it).
# Columns out: as the table shows them.
format_rows() {
  awk -F'\t' -v OFS='\t' '
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
      print $1, $3 == "" ? "not measured" : show($3, $2), $5 == "" ? $4 : $4 " " show($5, $2), ratio, budget, verdict
    }'
}

markdown() {
  sed 's/\t/ | /g; s/^/| /; s/$/ |/'
}

budgets_line() {
  awk -F'\t' '$6 == "holds" { held++ } $6 == "FAILS" { failed++; names = names (names ? "; " : "") $1 }
    END { printf "%d of %d budgets hold.", held, held + failed; if (failed) printf " Failing: %s.", names; print "" }'
}

step "Build, native" build-native.log build "$native"
step "Build, Windows" build-win.log build "$win" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake"
step "Data core against plain stdio (Google Benchmark)" data_bench.log run_data
step "The program under Wine against a minimal dialog" ui_bench.log run_ui
exe_rows >"$results/exe.tsv"
rows=$(cat "$results/data/rows.tsv" "$results/ui.tsv" "$results/exe.tsv" | format_rows)
table=$(
  echo "| Benchmark | Measured | Limit / reference | Ratio | Budget | Verdict |"
  echo '|---|---:|---|---:|---|---|'
  markdown <<<"$rows"
  echo
  budgets_line <<<"$rows"
)
printf '\n%s\n' "$table"
cat >"$out" <<EOF
# Performance

Written by \`make bench\`, which builds and runs the benchmarks and checks the budgets.
Timings are medians of repeated runs; every ratio compares two things measured in the same run.

## Results

$table

## Machine

| | |
|---|---|
| CPU | $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1) |
| Cores | $(nproc) |
| Memory | $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) |
| OS | $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r) |
| Wine | $(wine --version 2>/dev/null | head -n 1) |
| Compilers | $(g++ --version | head -n 1); $(x86_64-w64-mingw32-g++-posix --version | head -n 1) |
| Load average (1, 5, 15 min), start / end | $load_start / $(cut -d' ' -f1-3 /proc/loadavg) |
| Commit | $(git -C "$repo" rev-parse --short HEAD) |
| Date | $(date -u '+%Y-%m-%d %H:%M UTC') |

$(cat "$here/performance-notes.md")
EOF
echo "Written to ${out#"$repo/"}"
