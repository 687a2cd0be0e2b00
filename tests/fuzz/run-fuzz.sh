#!/usr/bin/env bash
# Replays the seed and regression inputs through the fuzz targets, or fuzzes each target
# for a while; one summary line per run. A crash, timeout or leak found while fuzzing is
# copied into tests/fuzz/regressions/<target>/ and fails the run.
#   run-fuzz.sh <build dir> replay <target>...
#   run-fuzz.sh <build dir> fuzz <seconds> <target>...
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mode=$2
shift 2
seconds=0
if [ "$mode" = fuzz ]; then
  seconds=$1
  shift
fi

# Modules may be large, the other inputs stay small.
max_len() {
  case $1 in
    quote_display) echo 65536 ;;
    line_reader) echo 8192 ;;
    *) echo 4096 ;;
  esac
}

dictionary() {
  case $1 in
    settings) echo "$here/settings.dict" ;;
    *) echo "$here/module.dict" ;;
  esac
}

# The targets change into a private directory, so every path they get is absolute.
prepare() {
  local target=$1
  export TMPDIR="$build/fuzz-tmp/$target"
  rm -rf "$TMPDIR" "$build/artifacts/$target"
  mkdir -p "$TMPDIR" "$build/artifacts/$target" "$build/logs"
}

replay() {
  local target=$1 log="$build/logs/$target-replay.log"
  local inputs=()
  prepare "$target"
  for dir in "$here/corpus/$target" "$here/regressions/$target"; do
    [ -d "$dir" ] && while IFS= read -r -d '' f; do inputs+=("$f"); done \
      < <(find "$dir" -type f ! -name '.*' -print0)
  done
  if "$build/tests/fuzz/${target}_fuzz" -timeout=10 -artifact_prefix="$build/artifacts/$target/" \
      "${inputs[@]}" </dev/null >"$log" 2>&1; then
    echo "replay $target: ${#inputs[@]} inputs clean"
    return 0
  fi
  tail -n 30 "$log"
  echo "replay $target: FAILED (log: $log)"
  return 1
}

# Keeps what libFuzzer left behind, under the name it gave.
keep_artifacts() {
  local target=$1 dest="$here/regressions/$target"
  mkdir -p "$dest"
  for f in "$build/artifacts/$target"/*; do
    [ -f "$f" ] && cp "$f" "$dest/" && echo "  kept $dest/$(basename "$f")"
  done
}

fuzz() {
  local target=$1 log="$build/logs/$target-fuzz.log" corpus="$build/corpus/$target"
  prepare "$target"
  mkdir -p "$corpus"
  cp -n "$here/corpus/$target"/* "$corpus/" 2>/dev/null
  local status=0
  "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len="$(max_len "$target")" \
    -timeout=10 -dict="$(dictionary "$target")" -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target/" "$corpus" </dev/null >"$log" 2>&1 || status=$?
  local runs stats
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  stats=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE '(cov|ft|corp): [^ ]+' | tr '\n' ' ')
  if [ "$status" -eq 0 ]; then
    echo "fuzz $target: ${runs:-?} runs in ${seconds}s, ${stats}- clean"
    return 0
  fi
  grep -E 'ERROR|SUMMARY|check failed|runtime error' "$log" | head -n 5
  keep_artifacts "$target"
  echo "fuzz $target: FAILED after ${runs:-?} runs (log: $log)"
  return 1
}

failed=0
for target in "$@"; do
  if [ "$mode" = replay ]; then replay "$target"; else fuzz "$target"; fi || failed=1
done
exit "$failed"
