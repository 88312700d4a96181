#!/usr/bin/env bash
# One entry point for developers and CI:
#   ./dev.sh run      install what is missing, build, open the window
#   ./dev.sh test     install what is missing, build every preset, run every test headless
#   ./dev.sh check    the fast loop: build the Linux preset, run the unit tests
set -euo pipefail
cd "$(dirname "$0")"

# Installs the Debian packages of tools/packages.txt that are missing.
install_missing() {
  local missing=()
  while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done < tools/packages.txt
  ((${#missing[@]})) || return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  ((EUID == 0)) || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  cmake --preset "$1" >/dev/null
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
  install_missing
  build linux
  if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found. To run the window on a virtual one: xvfb-run -a build/linux/app/qt/sorbel" >&2
    exit 1
  fi
  exec build/linux/app/qt/sorbel
}

cmd_check() {
  install_missing
  build linux
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

cmd_test() {
  install_missing
  local preset wine_log=build/win64-ctest.log
  for preset in win64 linux win32; do step build "$preset"; done
  # The wine tests wait on the programs they drive and need little CPU:
  # they run beside the rest, in a process group of their own that goes
  # with this script, and their report comes at the end.
  setsid ctest --preset win64 -j "$(nproc)" >"$wine_log" 2>&1 &
  wine_pid=$!
  trap '[[ -z ${wine_pid:-} ]] || kill -- -"$wine_pid" 2>/dev/null || true' EXIT
  step ctest --preset linux -j "$(nproc)"
  step ctest --test-dir build/win32 --output-on-failure
  step build asan
  step ctest --preset asan -j "$(nproc)"
  step tools/memcheck.sh 500
  step exactness
  step fuzz/run.sh 1000000 # bounded: about a minute for the four targets
  echo "== ctest --preset win64 (ran alongside)"
  local status=0
  wait "$wine_pid" || status=$?
  cat "$wine_log"
  return "$status"
}

case "${1:-}" in
  run) cmd_run ;;
  test) cmd_test ;;
  check) cmd_check ;;
  *) sed -n '2,5p' "$0" >&2; exit 2 ;;
esac
