#!/usr/bin/env bash
# One entry point for developers and CI:
#   ./dev.sh run      install what is missing, build, open the window
#   ./dev.sh test     install what is missing, build every preset, run every test headless
#   ./dev.sh check    the fast loop: build the Linux preset, run the unit tests
set -euo pipefail
cd "$(dirname "$0")"

# The Debian packages each command needs, one list per purpose.
install_window_packages() { tools/install.sh tools/packages/window.txt; }
install_test_packages() { tools/install.sh tools/packages/{window,unit,test}.txt; }

build() {
  cmake --preset "$1" "${@:2}" >/dev/null
  cmake --build --preset "$1"
}
build_fuzz() {
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz --target fuzz_all
}

cmd_run() {
  install_window_packages
  cmake --preset linux -DSORBEL_TESTS=OFF >/dev/null
  cmake --build --preset linux --target sorbel
  if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found. To run the window on a virtual one: xvfb-run -a build/linux/app/qt/sorbel" >&2
    exit 1
  fi
  exec build/linux/app/qt/sorbel
}

cmd_check() {
  install_test_packages
  build linux -DSORBEL_TESTS=ON
  ctest --preset linux -L unit -j "$(nproc)"
}

# The unit tests with both compilers at both ends of the optimisation range:
# every digit must come out the same. g++ at -O0 is the asan build and g++
# at -O2 the linux one; these are the other corners. The unit tests that do
# not depend on the compiler or its options (scripts; whether calc/ builds
# alone, for each compiler once) run in the linux and asan builds already.
exactness() {
  local cxx=$1 opt=$2 dir="build/exact-$1$2" same="cmake_version|check_exe_verdicts|install_script|jobs_script"
  [[ $cxx$opt == clang++-O0 ]] || same+="|calc_stands_alone"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="$opt" -DSORBEL_QT=OFF -DPython3_EXECUTABLE=/usr/bin/python3 >/dev/null
  cmake --build "$dir" --target calc_tests ui_tests window_fake_tests
  ctest --test-dir "$dir" --output-on-failure -L unit -E "^($same)\$" -j "$(nproc)"
}

# The shipped Sorbel.exe is 32-bit. Where this machine runs 32-bit code and
# wine32 can be installed, wine32 runs its tests; elsewhere they are neither
# built nor run (a minute of two cores for programs nothing runs), and the
# run ends with a SKIPPED line that says why.
wine32_reason=build/logs/wine32-reason.txt
install_wine32() { install_list --wine32 >"$wine32_reason"; }
build_win32_tests() {
  [[ ! -s $wine32_reason ]] || { echo "SKIPPED: $(<"$wine32_reason")"; return 0; }
  build win32-tests
}
ctest_win32_tests() {
  [[ ! -s $wine32_reason ]] || { echo "SKIPPED: $(<"$wine32_reason")"; return 0; }
  ctest --preset win32-tests -j "$(nproc)"
}

# One list after the other: apt's package lists are updated once.
install_list() { SORBEL_APT_UPDATED=$PWD/build/logs/apt-updated tools/install.sh "$@"; }

# The install steps of these package lists, of those that have one.
installs_of() {
  local list
  for list; do [[ ! -v job_state["install $list.txt"] ]] || echo "install $list.txt"; done
}

# Every preset built and tested, the packages' checks, memcheck, fuzzing and
# the exactness builds, as steps that run side by side (tools/jobs.sh), each
# once what it needs is there. The package lists are installed one after
# the other, so that builds start while the rest installs.
cmd_test() {
  source tools/jobs.sh
  rm -rf build/logs build/release-second
  mkdir -p build/logs
  # A list with a package missing is installed after the one before it (apt
  # installs one list at a time); the steps that need it wait for it.
  local list previous=()
  for list in unit window test web windows wine32; do
    if [[ $list == wine32 ]]; then
      job "install wine32" 0 "${previous[@]}" -- install_wine32
      previous=("install wine32")
    elif [[ -n $(tools/install.sh --missing "tools/packages/$list.txt") ]]; then
      job "install $list.txt" 0 "${previous[@]}" -- install_list "tools/packages/$list.txt"
      previous=("install $list.txt")
    fi
  done
  local unit linux windows web
  mapfile -t unit < <(installs_of unit)
  mapfile -t linux < <(installs_of unit window test)
  mapfile -t windows < <(installs_of unit window test windows)
  mapfile -t web < <(installs_of unit window test web)
  # First the builds whose tests take long but mostly wait (browsers, wine).
  job "build linux" build "${linux[@]}" -- build linux -DSORBEL_TESTS=ON
  job "build web" build "${web[@]}" -- build web
  job "build win64" build "${windows[@]}" -- build win64
  # Each wine test on an X server and wine prefix of its own.
  job "ctest win64" 0 "build win64" "${linux[@]}" -- ctest --preset win64 -j "$(nproc)"
  job "ctest web in browsers" 1 "build linux" "build web" -- ctest --preset linux -L web -j "$(nproc)"
  job "ctest linux" 1 "build linux" -- ctest --preset linux -LE web -j "$(nproc)"
  job "ctest web" 1 "build web" -- ctest --preset web -j "$(nproc)"
  # win32 is the shipped Sorbel.exe; win32-tests drives it (see CMakePresets.json).
  job "build win32" build "${windows[@]}" -- build win32
  job "ctest win32" 0 "build win32" -- ctest --preset win32 -j "$(nproc)"
  job "build win32-tests" build "build win32" "install wine32" -- build_win32_tests
  job "ctest win32-tests" 0 "build win32-tests" -- ctest_win32_tests
  # The packages of this commit, built twice in two folders, are the same
  # bytes: the second build in a clone of its own, now; the first is this
  # checkout's, once nothing else uses its build folders.
  job "release: second build" build "${linux[@]}" "${windows[@]}" "${web[@]}" -- \
    ./release.sh --check-second build/release-second
  job "build asan" build "${linux[@]}" -- build asan
  job "ctest asan" 1 "build asan" -- ctest --preset asan -j "$(nproc)"
  # After the Qt tests: both write the window's screenshots.
  job "memcheck" 1 "ctest linux" -- tools/memcheck.sh 500
  local corner
  for corner in g++:-O3 clang++:-O0 clang++:-O3; do
    job "exactness ${corner/:/ }" build "${unit[@]}" -- exactness "${corner%%:*}" "${corner##*:}"
  done
  job "build fuzz" build "${unit[@]}" -- build_fuzz
  job "fuzz" 1 "build fuzz" -- fuzz/run.sh 300000 # bounded: under a minute for the four targets
  job "release.sh --check" 1 "release: second build" memcheck "ctest web in browsers" \
    "ctest win32" "ctest win32-tests" "ctest web" -- \
    env SORBEL_CHECK_SECOND=build/release-second ./release.sh --check
  local status=0
  run_jobs || status=$?
  [[ ! -s $wine32_reason ]] ||
    echo "SKIPPED: the 32-bit tests of the shipped Sorbel.exe, not built: $(<"$wine32_reason")" >&2
  return "$status"
}

case "${1:-}" in
  run) cmd_run ;;
  test) cmd_test ;;
  check) cmd_check ;;
  *) sed -n '2,5p' "$0" >&2; exit 2 ;;
esac
