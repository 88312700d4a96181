#!/usr/bin/env bash
# Start-up of Sorbel against a minimal Qt 6 program (one window titled
# "Sorbel" with one Chinese label), on a private Xvfb server: the time from
# starting the program to its window being mapped, and its resident memory
# then. Runs alternate between the two; the medians are reported.
#   bench/startup/run.sh [RUNS]     (default 15)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-15}
build=build/linux

cmake --preset linux >/dev/null
cmake --build --preset linux --target sorbel minimal_qt startup_probe >/dev/null

tmp=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [[ -s "$tmp/display" ]] && break; sleep 0.05; done
[[ -s "$tmp/display" ]] || { echo "Xvfb did not start:" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$tmp/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
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
