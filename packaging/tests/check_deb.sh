#!/usr/bin/env bash
# Builds the .deb from a finished Linux build, checks its control fields,
# contents and licence, installs it with dpkg into a scratch root against a
# copy of this machine's package database (so its dependencies and file conflicts are
# checked for real without touching the system), starts the installed program
# on a virtual X server, and removes the package again.
#   check_deb.sh BUILD_DIR APP_ID VERSION LICENSE
set -euo pipefail
build=$1 id=$2 version=$3 license=$4
src=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
app_pid=
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log"
  fail "cpack"
}
debs=("$tmp"/out/*.deb)
((${#debs[@]} == 1)) || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[[ $(basename "$deb") == "sorbel_${version}_${arch}.deb" ]] || fail "file name $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == sorbel ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture: $(field Architecture)"
[[ $(field Section) == science ]] || fail "Section: $(field Section)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[[ -n $(field Description) ]] || fail "no Description"
depends=$(field Depends)
# From dpkg-shlibdeps: the Qt and C libraries the program is linked with.
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-noto-cjk; do
  [[ "$depends" =~ (^|[ ,|])"$lib"([ ,]|$) ]] || fail "Depends lacks $lib: $depends"
done

expected=(
  ./usr/bin/sorbel
  "./usr/share/applications/$id.desktop"
  "./usr/share/metainfo/$id.metainfo.xml"
  "./usr/share/icons/hicolor/32x32/apps/$id.png"
  "./usr/share/icons/hicolor/48x48/apps/$id.png"
  "./usr/share/icons/hicolor/256x256/apps/$id.png"
  ./usr/share/doc/sorbel/copyright
)
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$tmp/files"
printf '%s\n' "${expected[@]}" | sort >"$tmp/expected"
# An SVG icon is the one file that may come on top.
grep -v "^./usr/share/icons/hicolor/scalable/apps/$id.svg$" "$tmp/files" >"$tmp/files.core" || true
diff -u "$tmp/expected" "$tmp/files.core" || fail "contents differ (- expected, + in the package)"

# Debian's machine-readable form; the text under "License:" is LICENSE's
# permission notice, each line indented by one space and an empty one " .".
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/sorbel/copyright)
[[ $(head -n 1 <<<"$copyright") == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
  fail "copyright: not in Debian's machine-readable format"
holder=$(sed -n 's/^Copyright (c) //p' "$license")
grep -qxF "Copyright: $holder" <<<"$copyright" || fail "copyright: no 'Copyright: $holder'"
sed -n '/^License: Expat$/,$p' <<<"$copyright" | tail -n +2 | sed 's/^ \.$//; s/^ //' >"$tmp/notice"
sed -n '/^Permission /,$p' "$license" | diff -u - "$tmp/notice" || fail "copyright: the Expat text is not LICENSE's"
metainfo=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/metainfo/$id.metainfo.xml")
grep -qF "<project_license>MIT</project_license>" <<<"$metainfo" || fail "metainfo: no <project_license>MIT</project_license>"

# Install against a copy of the real database, triggers left pending there.
root=$tmp/root admin=$tmp/admin
mkdir -p "$root"
cp -a /var/lib/dpkg "$admin"
dpkg_scratch() { dpkg --force-not-root --instdir="$root" --admindir="$admin" --no-triggers "$@"; }
dpkg_scratch -i "$deb" >"$tmp/dpkg.log" 2>&1 || {
  cat "$tmp/dpkg.log"
  fail "dpkg -i"
}
[[ $(dpkg-query --admindir="$admin" -W -f='${Status} ${Version}' sorbel) == "install ok installed $version" ]] ||
  fail "not recorded as installed"
[[ -x "$root/usr/bin/sorbel" ]] || fail "program not installed"
objdump -h "$root/usr/bin/sorbel" | grep -q '\.debug_' && fail "program not stripped"
for size in 32 48 256; do
  # Width and height are the two big-endian words at byte 16 of a PNG.
  python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24)
sys.exit(d[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", d[16:24]) != (int(sys.argv[2]),) * 2)' \
    "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" "$size" || fail "icon ${size}x${size} is not a PNG of that size"
done

# The installed program on a virtual display: its window must appear and the
# program must still be running two seconds later. Its start is waited for
# while it runs, for up to two minutes: far beyond what a busy machine needs.
"$src/tools/with-xvfb.sh" bash -c '
  "$1" & pid=$!
  for _ in $(seq 1200); do
    xwininfo -root -tree | grep -q "\"Sorbel\": (" && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  xwininfo -root -tree | grep "\"Sorbel\": (" || { echo "no window named Sorbel" >&2; kill $pid; exit 1; }
  sleep 2
  kill -0 $pid || { echo "program ended by itself" >&2; exit 1; }
  kill $pid
  wait $pid || true
' run "$root/usr/bin/sorbel" || fail "the installed program did not show its window"

dpkg_scratch -r sorbel >"$tmp/dpkg.log" 2>&1 || {
  cat "$tmp/dpkg.log"
  fail "dpkg -r"
}
left=$(find "$root" ! -type d)
[[ -z "$left" ]] || fail "left after removal: $left"
echo "OK: $(basename "$deb") builds, installs, starts and removes"
