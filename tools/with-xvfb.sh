#!/usr/bin/env bash
# Runs a command on an X server of its own and leaves none running after:
# the one way the tests and benchmarks get a display.
#   tools/with-xvfb.sh COMMAND [ARG...]
# Xvfb picks a free display itself and says which once it is ready; a first
# start on a busy machine reads everything from disk, so it is waited for
# for as long as it lives.
set -uo pipefail
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
cleanup() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP
while [[ ! -s $dir/display ]] && kill -0 "$xvfb" 2>/dev/null; do sleep 0.05; done
if [[ ! -s $dir/display ]]; then
  echo "Xvfb did not start; it said:" >&2
  cat "$dir/log" >&2
  exit 1
fi
DISPLAY=:$(head -n1 "$dir/display")
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
"$@"
