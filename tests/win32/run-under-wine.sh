#!/usr/bin/env bash
# Runs the window driver under wine in a wine prefix of its own, on the
# display it is given (tools/with-xvfb.sh), and leaves no wine running.
#   run-under-wine.sh <wine-run> <driver.exe> <Sorbel.exe> <screenshot dir> <prefix> [driver arguments]
set -euo pipefail
wine_run=$1 driver=$2 exe=$3 shots=$4
export WINEPREFIX=$5 WINEDEBUG=-all
shift 5
mkdir -p "$shots"

cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null || true; }
trap cleanup EXIT
trap 'exit 143' TERM INT
# A fresh prefix when asked (the flakiness runs), as a new machine has.
[[ -z ${SORBEL_FRESH_PREFIX:-} ]] || rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"

# A new prefix takes its first start here, not inside the driver's timeouts.
"$wine_run" wineboot -i >/dev/null 2>&1
# A virtual desktop: there is no window manager, and inside its own desktop
# Wine activates windows and moves the focus at once, not on X events.
"$wine_run" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
"$wine_run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
# Wine's message box font has no Chinese; link it to the CJK font that
# fontconfig has, as a Chinese Windows links its UI fonts to SimSun.
"$wine_run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
  /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f >/dev/null 2>&1
# The kind of desktop is settled when its first window opens, which the
# first start may already have done: begin afresh so that the settings hold.
# Without the virtual desktop every closed message box waits 2 s for a
# window manager that is not there.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w

to_windows() { "$wine_run" winepath -w "$1" 2>/dev/null; }
# Further arguments that name files are given as Windows paths too.
args=()
for arg in "$@"; do
  if [[ -f $arg ]]; then args+=("$(to_windows "$arg")"); else args+=("$arg"); fi
done
"$wine_run" "$driver" "$(to_windows "$exe")" "$(to_windows "$shots")" "${args[@]}"
