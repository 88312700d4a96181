#!/usr/bin/env bash
# The Qt window's tests under valgrind's memcheck, headless: any invalid
# access, use of an undefined value or definite leak fails the run.
#   tools/memcheck.sh [monkey events, default 500]
# Uses the linux preset's build (built here if out of date); logs go to
# build/linux/memcheck/. A suppressions file tools/valgrind.supp is used if
# present; it may only hold faults inside system libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
events="${1:-500}"

# Configured already, it is left as it is: dev.sh runs other tests of that
# build alongside.
[[ -f build/linux/build.ninja ]] || cmake --preset linux >/dev/null
cmake --build --preset linux --target qt_window_tests qt_monkey

logs=build/linux/memcheck
mkdir -p "$logs"
# memcheck's own verdict gets an exit code of its own, so that it is never
# confused with a test of the program failing.
memcheck_error=99
options=(--tool=memcheck --leak-check=full --errors-for-leak-kinds=definite
  --error-exitcode=$memcheck_error --num-callers=40 --track-origins=yes)
[[ -f tools/valgrind.supp ]] && options+=(--suppressions=tools/valgrind.supp)
export QT_QPA_PLATFORM=offscreen

# What went wrong, from the program's output and valgrind's log, for a CI
# log that is all one has.
explain() {
  grep -hE "^(FAIL|QFATAL)|Loc: |Actual|Expected|failure|not active" "$2" |
    head -n 20 | sed 's/^/  /' || true
  grep -hE "terminating with|unhandled instruction|signal [0-9]+" "$1" |
    sed 's/^==[0-9]*== */  /' || true
}

# name, then the command line. A memory error fails at once; a program
# that fails for another reason (the run is some 30 times slower than
# usual) is run once more and fails only if it fails again.
check() {
  local name=$1 log="$logs/$1.log" out="$logs/$1.out" rc
  shift
  for attempt in 1 2; do
    rc=0
    valgrind "${options[@]}" --log-file="$log" "$@" >"$out" 2>&1 || rc=$?
    ((rc == 0)) && { echo "memcheck $name: passed"; break; }
    explain "$log" "$out"
    if ((rc == memcheck_error || attempt == 2)); then
      echo "memcheck $name: FAILED (exit $rc; see $log and $out)"
      grep -hE "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost" "$log" | sed 's/^==[0-9]*== */  /'
      return 1
    fi
    echo "memcheck $name: the program failed (exit $rc) without a memory error; once more"
  done
  grep -hE "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost" "$log" | sed 's/^==[0-9]*== */  /'
}

# Side by side; each report is printed whole once all are done.
# Two seeds of the monkey: the second one ends the program and opens a fresh
# window, so the window's destruction is checked too.
runs=("qt_window build/linux/tests/qt/qt_window_tests"
  "qt_monkey build/linux/tests/qt/qt_monkey --events $events"
  "qt_monkey_restart build/linux/tests/qt/qt_monkey --events $events --seed 11")
pids=()
for run in "${runs[@]}"; do
  read -ra words <<<"$run"
  check "${words[@]}" >"$logs/${words[0]}.report" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!runs[@]}"; do
  wait "${pids[$i]}" || failed=1
  read -ra words <<<"${runs[$i]}"
  cat "$logs/${words[0]}.report"
done
exit "$failed"
