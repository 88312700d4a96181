#!/usr/bin/env bash
# Start-up of Sorbel against a minimal Qt 6 program (one window titled
# "Sorbel" with one Chinese label), on a private Xvfb server: the time from
# starting the program to its window being mapped, and its resident memory
# then. Runs alternate between the two; the medians are reported.
#   bench/startup/run.sh [RUNS]     (default 15)
set -euo pipefail
cd "$(dirname "$0")/../.."
# On a private X server.
[[ -n ${SORBEL_ON_XVFB:-} ]] || SORBEL_ON_XVFB=1 exec tools/with-xvfb.sh bench/startup/run.sh "$@"
runs=${1:-15}
build=build/linux

cmake --preset linux >/dev/null
cmake --build --preset linux --target sorbel minimal_qt startup_probe >/dev/null

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

probe() { "$build/bench/startup/startup_probe" Sorbel "$1"; }
programs=("$build/app/qt/sorbel" "$build/bench/startup/minimal_qt")
for p in "${programs[@]}"; do probe "$p" >/dev/null; done  # warm the caches
for i in $(seq "$runs"); do
  for p in "${programs[@]}"; do echo "$(basename "$p") $(probe "$p")"; done
done >"$tmp/runs"

awk -v runs="$runs" '
  function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t }
    return n % 2 ? a[(n+1)/2] : (a[n/2] + a[n/2+1]) / 2
  }
  { n[$1]++; ms[$1, n[$1]] = $2; kb[$1, n[$1]] = $3 }
  END {
    for (p in n) {
      for (i = 1; i <= n[p]; i++) { m[i] = ms[p, i]; k[i] = kb[p, i] }
      t[p] = median(m, n[p]); r[p] = median(k, n[p])
    }
    printf "%-12s %14s %16s   (median of %d runs)\n", "program", "time to map", "resident memory", runs
    printf "%-12s %11.1f ms %12d KiB\n", "sorbel", t["sorbel"], r["sorbel"]
    printf "%-12s %11.1f ms %12d KiB\n", "minimal_qt", t["minimal_qt"], r["minimal_qt"]
    printf "%-12s %13.3fx %15.3fx   (goal: 1.1x, 1.15x)\n", "ratio", t["sorbel"] / t["minimal_qt"], r["sorbel"] / r["minimal_qt"]
  }' "$tmp/runs"
