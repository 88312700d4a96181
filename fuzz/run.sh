#!/usr/bin/env bash
# Runs each fuzz target for a fixed number of executions on a scratch copy of
# its seeds, so that the committed corpus never grows. Crash inputs are kept
# in build/fuzz/artifacts. Exits non-zero if any target fails.
#   fuzz/run.sh [runs]     (FUZZ_BIN_DIR=dir: use the targets there, no build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
runs=${1:-2000000}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
bin=${FUZZ_BIN_DIR:-}
if [[ -z $bin ]]; then
  cd "$root"
  if ! { [[ -f build/fuzz/build.ninja ]] || cmake --preset fuzz; } >"$scratch/build.log" 2>&1 ||
    ! cmake --build build/fuzz --target fuzz_all >>"$scratch/build.log" 2>&1; then
    cat "$scratch/build.log" >&2
    exit 1
  fi
  bin=$root/build/fuzz/fuzz
fi
artifacts=$root/build/fuzz/artifacts
mkdir -p "$artifacts"

# target, longest input: the numbers' bit patterns, and texts long enough
# for a digit beyond the 800 that parse keeps.
targets=(fuzz_parse:2048 fuzz_format_roundtrip:8 fuzz_formula:12 fuzz_key_filter:6)
status=0
printf '%-24s %12s %10s  %s\n' target executions exec/s result
for entry in "${targets[@]}"; do
  target=${entry%%:*} max_len=${entry##*:}
  cp -r "$here/corpus/$target" "$scratch/$target"
  log=$scratch/$target.log
  result=ok
  options=(-runs="$runs" -max_len="$max_len" -len_control=0 -print_final_stats=1
    -artifact_prefix="$artifacts/$target-")
  [[ -f $here/$target.dict ]] && options+=(-dict="$here/$target.dict")
  start=$(date +%s.%N)
  if ! "$bin/$target" "${options[@]}" "$scratch/$target" >"$log" 2>&1; then
    result=FAILED
    status=1
  fi
  seconds=$(echo "$(date +%s.%N) - $start" | bc)
  # libFuzzer's own exec/s is whole seconds only; this is over the whole run.
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  printf '%-24s %12s %10.0f  %s (%.1f s)\n' "$target" "${executions:-?}" \
    "$(echo "${executions:-0} / $seconds" | bc -l)" "$result" "$seconds"
  if [[ $result != ok ]]; then
    grep -v '^#\|^INFO\|NEW_FUNC\|^    #' "$log" | head -30 >&2
  fi
done
exit $status
