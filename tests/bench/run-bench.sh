#!/usr/bin/env bash
# Builds the benchmarks natively and for Windows, runs them (the Windows ones under Wine),
# prints one table and writes it to docs/performance.md. Logs stay in build/bench-results.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
native="$repo/build/bench-native"
win="$repo/build/bench-win"
results="$repo/build/bench-results"
jobs="${JOBS:-2}"
mkdir -p "$results"
# Other work on the machine moves every number here; the report shows how much there was.
BENCH_LOAD_START=$(cut -d' ' -f1-3 /proc/loadavg)
export BENCH_LOAD_START
rm -f "$results"/*.tsv

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
    cmake --build "$dir" -j"$jobs"
}

step "Build, native" build-native.log build "$native"
step "Build, Windows" build-win.log build "$win" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake"
step "Data core against plain stdio (Google Benchmark, 9 interleaved repetitions)" data_bench.log \
  "$native/tests/bench/data_bench" --rows="$results/1-data.tsv"
step "The program under Wine against a minimal dialog" ui_bench.log \
  env ADAGIO_BUILD="$win" "$repo/tools/with-wine.sh" "$repo/tools/wine-run.sh" \
  "$win/tests/bench/ui_bench.exe" "$results/2-ui.tsv"
step "The executable" exe.log sh -c '"$1" "$2" >"$3"' - "$here/exe-budget.sh" \
  "$win/app/Adagiomill.exe" "$results/3-exe.tsv"
echo
"$here/report.sh" "$repo/docs/performance.md" "$results"/*.tsv
