#!/usr/bin/env bash
# Writes the packages into dist/: the .deb (Linux, Qt), the zip and the
# installer of the 32-bit Sorbel.exe, the page for any browser, the window's
# screenshot for the AppStream listing, and SHA256SUMS over them.
#   ./release.sh             builds every preset and runs every test first (./dev.sh test)
#   ./release.sh --no-tests  builds what dist/ needs of the linux, win32 and web presets, no tests: the same dist/
#   ./release.sh --check     builds the commit twice, here and in a fresh clone, and compares them
#   ./release.sh --check-second DIR   only the fresh clone's build, in DIR; then
#   SORBEL_CHECK_SECOND=DIR ./release.sh --check   compares this checkout's with it
#   SORBEL_SCREENSHOT_URL=https://.../frmXRD.png ./release.sh
# lists the screenshot in the metainfo once it is published at that address.
# The packages are the same bytes wherever and whenever they are built from
# one commit: every time in them is the commit's (SOURCE_DATE_EPOCH).
set -euo pipefail
cd "$(dirname "$0")"
# CPack writes the modes it finds on disk into the .deb (its folders, the
# ar members): those of umask 022, whatever the caller's.
umask 022
export LC_ALL=C.UTF-8 # one order of SHA256SUMS; makensis needs UTF-8 (it crashes under C)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

usage() {
  sed -n '5,9p' "$0" >&2
  exit 2
}

# HEAD in a fresh clone in $1 (a folder of another name and length than
# this one), built with --no-tests under another umask and time zone, which
# must not matter. Its log goes to $2.
build_second() {
  local dir=$1 log=$2
  git clone -q --no-checkout . "$dir"
  git -C "$dir" checkout -q --detach "$(git rev-parse HEAD)"
  (cd "$dir" && umask 077 && TZ=Asia/Shanghai ./release.sh --no-tests) >"$log" 2>&1 ||
    { tail -n 40 "$log" >&2; echo "release.sh --check: the second build failed" >&2; return 1; }
}

# Builds HEAD twice, in two folders, and compares the two dist/ byte for
# byte. The first build is this checkout's own when it holds no uncommitted
# changes (its build folders are mostly up to date, which saves a whole
# build), else a clone. The second may have been built before, alongside
# other work (SORBEL_CHECK_SECOND, from --check-second): it must be HEAD's.
check() {
  local head start=$SECONDS
  head=$(git rev-parse HEAD)
  # Global: the EXIT trap reads them.
  tmp=$(mktemp -d "${TMPDIR:-/tmp}/sorbel-check.XXXXXX") second=${SORBEL_CHECK_SECOND:-}
  # SORBEL_CHECK_KEEP=1 keeps the clones, to look closer at a difference.
  if [[ -n "${SORBEL_CHECK_KEEP:-}" ]]; then
    echo "release.sh --check: keeping $tmp ${second:+and $second}" >&2
  else
    trap 'rm -rf "$tmp" ${second:+"$second"}' EXIT
  fi
  local dirs=("$PWD" "$tmp/second-build/sorbel-$head")
  if [[ -n $second ]]; then
    dirs[1]=$(cd "$second" && pwd)/sorbel-$head
    if [[ ! -f ${dirs[1]}/dist/SHA256SUMS || $(git -C "${dirs[1]}" rev-parse HEAD) != "$head" ]]; then
      echo "release.sh --check: $second holds no finished build of $head" >&2
      return 1
    fi
  fi
  if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
    echo "release.sh --check: uncommitted changes are left out: it checks $head in two clones" >&2
    dirs[0]="$tmp/a/sorbel"
    git clone -q --no-checkout . "${dirs[0]}"
    git -C "${dirs[0]}" checkout -q --detach "$head"
  fi
  echo "== release.sh --check: building $head in ${dirs[0]} and ${dirs[1]}"
  # One after the other: each build uses both cores.
  (cd "${dirs[0]}" && umask 022 && TZ=UTC ./release.sh --no-tests) >"$tmp/a.log" 2>&1 ||
    { tail -n 40 "$tmp/a.log" >&2; echo "release.sh --check: the first build failed" >&2; return 1; }
  [[ -n $second ]] || build_second "${dirs[1]}" "$tmp/b.log"

  local one=${dirs[0]}/dist two=${dirs[1]}/dist f status=0
  if ! diff -u "$one/SHA256SUMS" "$two/SHA256SUMS"; then
    status=1
  fi
  # Every file of either dist/, SHA256SUMS last; the first difference is named.
  while read -r f; do
    if [[ ! -f "$one/$f" || ! -f "$two/$f" ]]; then
      echo "release.sh --check: $f is in one build only" >&2
      status=1
      break
    fi
    if ! cmp "$one/$f" "$two/$f" >&2; then
      echo "release.sh --check: $f differs between the two builds" >&2
      status=1
      break
    fi
  done < <(
    (cd "$one" && find . -type f ! -name SHA256SUMS -printf '%P\n'; cd "$two" && find . -type f ! -name SHA256SUMS -printf '%P\n') | sort -u
    echo SHA256SUMS)
  # Equal bytes from two folders already rule out their names; say so plainly.
  if grep -rlaF -e "$tmp" -e "${dirs[0]}/build" -e "${dirs[1]}" "$one" "$two" >&2; then
    echo "release.sh --check: the files above hold the folder they were built in" >&2
    status=1
  fi
  if ((status)); then
    echo "release.sh --check: FAILED after $((SECONDS - start)) s" >&2
    return 1
  fi
  echo "release.sh --check: the two builds agree ($((SECONDS - start)) s):"
  sed 's/^/  /' "$one/SHA256SUMS"
}

build() {
  cmake --preset "$1" "${@:2}" >/dev/null
  cmake --build --preset "$1"
}

url=()
[[ -z "${SORBEL_SCREENSHOT_URL:-}" ]] || url=(-DSORBEL_SCREENSHOT_URL="$SORBEL_SCREENSHOT_URL")
case "${1:-}" in
  "")
    ./dev.sh test
    ((${#url[@]} == 0)) || build linux "${url[@]}"
    ;;
  --no-tests)
    # The program, and the test that takes its screenshot; nothing else.
    cmake --preset linux -DSORBEL_TESTS=ON "${url[@]}" >/dev/null
    cmake --build --preset linux --target sorbel qt_window_tests
    # The screenshot is the one test that makes a shipped file.
    rm -f build/linux/screenshots/frmXRD.png
    QT_QPA_PLATFORM=offscreen build/linux/tests/qt/qt_window_tests \
      --gtest_filter='*.WindowOpensInItsStartingState' >build/linux/screenshot.log 2>&1 ||
      { cat build/linux/screenshot.log >&2; exit 1; }
    cmake --preset win32 >/dev/null
    cmake --preset web >/dev/null
    cmake --build --preset web --target sorbel_page
    ;;
  --check)
    check
    exit
    ;;
  --check-second)
    [[ -n ${2:-} && ! -e $2 ]] || usage
    mkdir -p "$2"
    build_second "$2/sorbel-$(git rev-parse HEAD)" "$2/build.log"
    exit
    ;;
  *) usage ;;
esac
cmake --build --preset win32 --target windows_packages

# Written by CMake from project(VERSION ...); both builds come from one source.
version=$(<build/linux/version.txt)
for other in win32 web; do
  [[ -n "$version" && "$version" == "$(<build/$other/version.txt)" ]] ||
    { echo "release.sh: build/linux and build/$other disagree on the version (configure both again)" >&2; exit 1; }
done

rm -rf dist
mkdir -p dist/screenshots
cpack --config build/linux/CPackConfig.cmake -B build/linux/cpack >build/linux/cpack.log 2>&1 ||
  { cat build/linux/cpack.log >&2; exit 1; }
cp "build/linux/cpack/sorbel_${version}_$(dpkg --print-architecture).deb" dist/
cp "build/win32/packaging/Sorbel-$version-win32.zip" "build/win32/packaging/Sorbel-$version-win32-setup.exe" dist/
cp build/web/app/web/sorbel.html "dist/Sorbel-$version.html"
cp build/linux/screenshots/frmXRD.png dist/screenshots/
(cd dist && find . -type f ! -name SHA256SUMS -printf '%P\n' | sort | xargs sha256sum >SHA256SUMS)

echo "Sorbel $version, written to dist/:"
(cd dist && find . -type f -printf '  %-40P %10s bytes\n' | sort)
