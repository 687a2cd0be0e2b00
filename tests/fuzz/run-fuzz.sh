#!/usr/bin/env bash
# Replays the seed and regression inputs through the fuzz targets, or fuzzes each target
# for a while; one summary line per run. What a fuzz run finds is copied into
# tests/fuzz/regressions/<target>/ and fails the run.
#   run-fuzz.sh <build dir> replay <target>...
#   run-fuzz.sh <build dir> fuzz <seconds> <target>...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mode=$2
shift 2
[ "$mode" = fuzz ] && seconds=$1 && shift

# The targets change into a private directory below TMPDIR, so every path they get is absolute.
run() {
  export TMPDIR=$build/fuzz-tmp/$target
  rm -rf "$TMPDIR" "$artifacts" && mkdir -p "$TMPDIR" "$artifacts" "$build/logs"
  "$build/tests/fuzz/${target}_fuzz" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$@" </dev/null >"$log" 2>&1
}

replay() {
  local inputs
  mapfile -d '' inputs < <(find "$here/corpus/$target" "$here/regressions/$target" -type f \
    ! -name '.*' -print0 2>/dev/null)
  run "${inputs[@]}" && echo "replay $target: ${#inputs[@]} inputs clean"
}

# Modules may be large, the other inputs stay small.
fuzz() {
  local corpus=$build/corpus/$target dict=$here/module.dict max_len=8192
  [ "$target" = quote_display ] && max_len=65536
  [ "$target" = settings ] && dict=$here/settings.dict max_len=4096
  mkdir -p "$corpus" && cp -n "$here/corpus/$target"/* "$corpus/"
  run -max_total_time="$seconds" -max_len="$max_len" -dict="$dict" "$corpus" || return 1
  local runs stats
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  stats=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE '(cov|ft|corp): [^ ]+' | tr '\n' ' ')
  echo "fuzz $target: $runs runs in ${seconds}s, ${stats}- clean"
}

failed=0
for target in "$@"; do
  log=$build/logs/$target-$mode.log artifacts=$build/artifacts/$target
  if [ "$mode" = replay ]; then replay; else fuzz; fi && continue
  failed=1
  grep -E 'ERROR|SUMMARY|check failed|runtime error' "$log" | head -n 5
  if [ "$mode" = fuzz ]; then
    mkdir -p "$here/regressions/$target" && cp -v "$artifacts"/* "$here/regressions/$target/"
  fi
  echo "$mode $target: FAILED (log: $log)"
done
exit "$failed"
