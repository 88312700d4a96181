#!/usr/bin/env bash
# Runs the window driver under wine64 on an X server and wine prefix of its
# own, and leaves neither running afterwards.
#   run-under-xvfb.sh <wine-run> <driver.exe> <Sorbel.exe> <screenshot dir> <prefix> [driver arguments]
set -euo pipefail
wine_run=$1 driver=$2 exe=$3 shots=$4
export WINEPREFIX=$5 WINEDEBUG=-all
shift 5
mkdir -p "$shots" "$WINEPREFIX"

# Xvfb picks a free display itself and tells us which.
display_file=$(mktemp) xvfb_log=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>"$xvfb_log" &
xvfb_pid=$!
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -f "$display_file" "$xvfb_log"
}
trap cleanup EXIT
trap 'exit 143' TERM INT
# A first start on a fresh, busy machine reads everything from disk and
# can take many seconds: wait for as long as the server lives.
for _ in $(seq 1200); do
  [[ -s $display_file ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [[ ! -s $display_file ]]; then
  echo "Xvfb did not start; it said:" >&2
  cat "$xvfb_log" >&2
  exit 1
fi
export DISPLAY=:$(head -n1 "$display_file")

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
