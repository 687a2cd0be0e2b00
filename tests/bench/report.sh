#!/usr/bin/env bash
# Prints the benchmark rows as one table and writes them, with the machine they ran on and
# the notes on reading them, to the performance document.
# Usage: report.sh OUTPUT.md ROWS.tsv...
set -euo pipefail
out="$1"
shift
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
header=$'Benchmark\tMeasured\tLimit / reference\tRatio\tBudget\tVerdict'
rows=$(cat "$@")

print_table() {
  printf '%s\n%s\n' "$header" "$rows" | awk -F'\t' '
    { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } n = NR }
    END {
      for (r = 1; r <= n; r++) {
        line = ""
        for (i = 1; i <= 6; i++) line = line sprintf("%-" w[i] "s", cell[r, i]) (i < 6 ? "  " : "")
        sub(/ +$/, "", line); print line
        if (r == 1) { rule = ""; for (i = 1; i <= 6; i++) rule = rule sprintf("%" w[i] "s", "") (i < 6 ? "  " : ""); gsub(/ /, "-", rule); print rule }
      }
    }'
}

markdown_table() {
  printf '%s\n%s\n' "$header" "$rows" | awk -F'\t' '
    { line = "|"; for (i = 1; i <= 6; i++) line = line " " $i " |"; print line
      if (NR == 1) print "|---|---:|---|---:|---|---|" }'
}

budgets_line() {
  printf '%s\n' "$rows" | awk -F'\t' '
    $6 == "holds" { held++ } $6 == "FAILS" { failed++; names = names (names ? "; " : "") $1 }
    END { printf "%d of %d budgets hold.", held, held + failed; if (failed) printf " Failing: %s.", names; print "" }'
}

machine() {
  local cpu mem
  cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
  mem=$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
  echo "| CPU | ${cpu:-unknown} |"
  echo "| Cores | $(nproc) |"
  echo "| Memory | $mem |"
  echo "| OS | $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r) |"
  echo "| Wine | $(wine --version 2>/dev/null | head -n 1) |"
  echo "| Compilers | $(g++ --version | head -n 1); $(x86_64-w64-mingw32-g++-posix --version | head -n 1) |"
  echo "| Load average (1, 5, 15 min), start / end | ${BENCH_LOAD_START:-?} / $(cut -d' ' -f1-3 /proc/loadavg) |"
  echo "| Commit | $(git -C "$here" rev-parse --short HEAD 2>/dev/null || echo unknown) |"
  echo "| Date | $(date -u '+%Y-%m-%d %H:%M UTC') |"
}

print_table
echo
budgets_line

mkdir -p "$(dirname "$out")"
{
  echo "# Performance"
  echo
  echo "Written by \`make bench\`, which builds and runs the benchmarks and checks the budgets."
  echo "Timings are medians of repeated runs; every ratio compares two things measured in the same run."
  echo
  echo "## Results"
  echo
  markdown_table
  echo
  budgets_line
  echo
  echo "## Machine"
  echo
  echo "| | |"
  echo "|---|---|"
  machine
  echo
  cat "$here/performance-notes.md"
} >"$out"
echo "Written to ${out#"$PWD/"}"
