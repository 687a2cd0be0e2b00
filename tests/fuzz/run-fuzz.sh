#!/usr/bin/env bash
# Replays the seed and regression inputs through the fuzz targets, runs each target for a
# fixed number of runs from a fixed seed, or fuzzes each one for a while with a random seed;
# one summary line per run. What a run finds is copied into tests/fuzz/regressions/<target>/
# and fails the run.
#   run-fuzz.sh <build dir> replay <target>...
#   run-fuzz.sh <build dir> check <seed> <target>:<runs>...
#   run-fuzz.sh <build dir> fuzz <seconds> <target>...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
mode=$2
shift 2
[ "$mode" = fuzz ] && seconds=$1 && shift
[ "$mode" = check ] && seed=$1 && shift

# The targets change into a private directory below TMPDIR, so every path they get is absolute.
run() {
  export TMPDIR=$build/fuzz-tmp/$target
  rm -rf "$TMPDIR" "$artifacts" && mkdir -p "$TMPDIR" "$artifacts" "$build/logs"
  "$build/tests/fuzz/${target}_fuzz" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$@" </dev/null >"$log" 2>&1
}

inputs() {
  find "$here/corpus/$target" "$here/regressions/$target" -type f ! -name '.*' 2>/dev/null |
    LC_ALL=C sort
}

replay() {
  local list
  mapfile -t list < <(inputs)
  run "${list[@]}" && echo "replay $target: ${#list[@]} inputs clean"
}

# Modules may be large, the other inputs stay small.
limits() {
  local dict=$here/module.dict max_len=8192
  [ "$target" = quote_display ] && max_len=65536
  [ "$target" = settings ] && dict=$here/settings.dict max_len=4096
  echo "-max_len=$max_len" "-dict=$dict"
}

stats() {
  grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE '(cov|ft|corp): [^ ]+' | tr '\n' ' '
}

# The same commit gives the same result anywhere: a fresh corpus from the seeds and
# regressions in name order, and no mutation taken from compared values, which hold
# addresses that differ from run to run.
check() {
  local runs=${target#*:} corpus
  target=${target%%:*} log=$build/logs/$target-check.log artifacts=$build/artifacts/$target
  corpus=$build/check-corpus/$target
  rm -rf "$corpus" && mkdir -p "$corpus"
  inputs | paste -sd, >"$build/check-corpus/$target.list"
  run -seed="$seed" -runs="$runs" -use_cmp=0 -reload=0 $(limits) \
    -seed_inputs=@"$build/check-corpus/$target.list" "$corpus" || return 1
  echo "fuzz $target: $runs runs from seed $seed, $(stats)- clean"
}

fuzz() {
  local corpus=$build/corpus/$target
  mkdir -p "$corpus" && cp -n "$here/corpus/$target"/* "$corpus/"
  run -max_total_time="$seconds" $(limits) "$corpus" || return 1
  local runs chosen
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  chosen=$(sed -n 's/^INFO: Seed: *//p' "$log")
  echo "fuzz $target: $runs runs in ${seconds}s from seed $chosen, $(stats)- clean"
}

failed=0
for target in "$@"; do
  log=$build/logs/$target-$mode.log artifacts=$build/artifacts/$target
  "$mode" && continue
  failed=1
  grep -E 'ERROR|SUMMARY|check failed|runtime error' "$log" | head -n 5
  [ "$mode" = replay ] || { mkdir -p "$here/regressions/$target" &&
    cp -v "$artifacts"/* "$here/regressions/$target/"; }
  echo "$mode $target: FAILED (log: $log)"
done
exit "$failed"
