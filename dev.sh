#!/usr/bin/env bash
# One entry point for developers and CI:
#   ./dev.sh run      install what is missing, build, open the window
#   ./dev.sh test     install what is missing, build every preset, run every test headless
#   ./dev.sh check    the fast loop: build the Linux preset, run the unit tests
set -euo pipefail
cd "$(dirname "$0")"

# The Debian packages each command needs, one list per purpose.
install_window_packages() { tools/install.sh tools/packages/window.txt; }
install_test_packages() { tools/install.sh tools/packages/window.txt tools/packages/test.txt; }

build() {
  cmake --preset "$1" "${@:2}" >/dev/null
  cmake --build --preset "$1"
}

# Prints how long the step took, so that a slow step shows in CI's log.
step() {
  local start=$SECONDS
  echo "== $*"
  "$@"
  echo "== $*: $((SECONDS - start)) s"
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
# at -O2 the linux one; these are the other corners.
exactness() {
  local cxx_opt cxx opt dir
  for cxx_opt in g++:-O3 clang++:-O0 clang++:-O3; do
    cxx=${cxx_opt%%:*} opt=${cxx_opt##*:} dir="build/exact-$cxx$opt"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_CXX_FLAGS="$opt" -DSORBEL_QT=OFF >/dev/null
    cmake --build "$dir" --target calc_tests ui_tests window_fake_tests
    ctest --test-dir "$dir" --output-on-failure -L unit -j "$(nproc)"
  done
}

# The shipped Sorbel.exe is 32-bit. Where this machine runs 32-bit code and
# wine32 can be installed, wine32 runs its tests; elsewhere the win32-tests
# build reports them as skipped, with the reason (read by its toolchain file).
install_wine32() {
  SORBEL_WINE32_REASON=$(tools/install.sh --wine32)
  export SORBEL_WINE32_REASON
}

# The wine tests wait on the programs they drive and need little CPU: they
# run beside the rest, each set in a process group of its own that goes
# with this script, and report at the end.
background_pids=()
background_logs=()
in_background() {
  local log="build/$1-ctest.log"
  shift
  setsid "$@" >"$log" 2>&1 &
  background_pids+=($!)
  background_logs+=("$log")
}
stop_background() {
  local pid
  for pid in "${background_pids[@]}"; do kill -- -"$pid" 2>/dev/null || true; done
}
report_background() {
  local i status=0
  for i in "${!background_pids[@]}"; do
    wait "${background_pids[$i]}" || status=1
    echo "== ${background_logs[$i]} (ran alongside)"
    cat "${background_logs[$i]}"
  done
  return "$status"
}

cmd_test() {
  install_test_packages
  install_wine32
  local preset
  # win32 is the shipped Sorbel.exe; win32-tests drives it (see CMakePresets.json).
  # web makes the page that the linux build's browser tests load.
  for preset in win64 win32 win32-tests web; do step build "$preset"; done
  step build linux -DSORBEL_TESTS=ON
  trap stop_background EXIT
  in_background win64 ctest --preset win64 -j "$(nproc)"
  in_background win32-tests ctest --preset win32-tests -j "$(nproc)"
  # The page in the browsers: they wait on the page more than they compute.
  in_background web ctest --preset linux -L web -j "$(nproc)"
  step ctest --preset win32 -j "$(nproc)"
  step ctest --preset web -j "$(nproc)"
  step ctest --preset linux -LE web -j "$(nproc)"
  step build asan
  step ctest --preset asan -j "$(nproc)"
  step tools/memcheck.sh 500
  step exactness
  step fuzz/run.sh 300000 # bounded: under a minute for the four targets
  # The packages of this commit, built twice in two folders, are the same bytes.
  step ./release.sh --check
  report_background
  [[ -z "$SORBEL_WINE32_REASON" ]] ||
    echo "SKIPPED: the 32-bit runs of the shipped Sorbel.exe: $SORBEL_WINE32_REASON" >&2
}

case "${1:-}" in
  run) cmd_run ;;
  test) cmd_test ;;
  check) cmd_check ;;
  *) sed -n '2,5p' "$0" >&2; exit 2 ;;
esac
