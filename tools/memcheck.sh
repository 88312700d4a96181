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

cmake --preset linux >/dev/null
cmake --build --preset linux --target qt_tests qt_monkey

logs=build/linux/memcheck
mkdir -p "$logs"
options=(--tool=memcheck --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=1
  --num-callers=40 --track-origins=yes)
[[ -f tools/valgrind.supp ]] && options+=(--suppressions=tools/valgrind.supp)
export QT_QPA_PLATFORM=offscreen

failed=0
# name, then the command line
check() {
  local name=$1 log="$logs/$1.log"
  shift
  if valgrind "${options[@]}" --log-file="$log" "$@" >"$logs/$name.out" 2>&1; then
    echo "memcheck $name: passed"
  else
    echo "memcheck $name: FAILED (see $log and $logs/$name.out)"
    failed=1
  fi
  grep -hE "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost" "$log" | sed 's/^==[0-9]*== */  /'
}

check qt_tests build/linux/tests/qt/qt_tests
# Two seeds: the second one ends the program and opens a fresh window, so
# the window's destruction is checked too.
check qt_monkey build/linux/tests/monkey/qt_monkey --events "$events"
check qt_monkey_restart build/linux/tests/monkey/qt_monkey --events "$events" --seed 11
exit "$failed"
