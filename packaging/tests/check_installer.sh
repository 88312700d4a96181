#!/usr/bin/env bash
# Runs the (64-bit) installer silently under wine64 in a fresh prefix of its
# own, checks the program, its licence, the Start-menu shortcut and the
# Add/Remove Programs entry, then runs the uninstaller silently and checks
# that all of it is gone.
#   check_installer.sh SETUP_EXE PACKED_EXE VERSION PUBLISHER LICENSE_TXT
set -euo pipefail
setup=$1 packed=$2 version=$3 publisher=$4 license=$5
tmp=$(mktemp -d)
export WINEPREFIX=$tmp/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Waits until every process of this prefix has ended (the uninstaller hands
# over to a copy of itself in the temporary folder and returns at once).
run() {
  "$wine" "$@"
  "$wineserver" -w
}

"$wine" wineboot -i >/dev/null 2>&1
"$wineserver" -w
drive=$WINEPREFIX/drive_c
dir="$drive/Program Files/Sorbel"
lnk="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorbel.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorbel'
value() { "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v { $1 = $2 = ""; sub(/^ +/, ""); print }'; }

cp "$setup" "$drive/setup.exe"
run 'C:\setup.exe' /S
cmp "$packed" "$dir/Sorbel.exe" || fail "Sorbel.exe not installed as packed"
cmp "$license" "$dir/LICENSE.txt" || fail "LICENSE.txt not installed beside Sorbel.exe"
[[ -f "$dir/uninstall.exe" ]] || fail "no uninstaller written"
[[ -f "$lnk" ]] || fail "no Start-menu shortcut"
[[ $(value DisplayName) == Sorbel ]] || fail "DisplayName: '$(value DisplayName)'"
[[ $(value DisplayVersion) == "$version" ]] || fail "DisplayVersion: '$(value DisplayVersion)'"
[[ $(value Publisher) == "$publisher" ]] || fail "Publisher: '$(value Publisher)'"
[[ $(value UninstallString) == '"C:\Program Files\Sorbel\uninstall.exe"' ]] ||
  fail "UninstallString: '$(value UninstallString)'"

# A file of the user's in the folder must survive, and keep the folder.
echo mine >"$dir/notes.txt"
run 'C:\Program Files\Sorbel\uninstall.exe' /S
[[ ! -e "$dir/Sorbel.exe" && ! -e "$dir/LICENSE.txt" && ! -e "$dir/uninstall.exe" ]] ||
  fail "program files left after uninstalling"
[[ -f "$dir/notes.txt" ]] || fail "the uninstaller deleted a file it did not install"
[[ ! -e "$lnk" ]] || fail "shortcut left after uninstalling"
"$wine" reg query "$key" >/dev/null 2>&1 && fail "Add/Remove Programs entry left after uninstalling"
rm "$dir/notes.txt"

# With the folder empty, a second round leaves nothing at all.
run 'C:\setup.exe' /S
run 'C:\Program Files\Sorbel\uninstall.exe' /S
[[ ! -e "$dir" ]] || fail "the empty installation folder was left"
echo "OK: $(basename "$setup") installs and uninstalls silently"
