#!/usr/bin/env bash
# Start-up of the page in headless Chromium: the median time from navigation
# start to the window ready for input, for sorbel.html and a minimal page.
#   bench/web/run.sh [PAGE] [LOADS]   (default build/web/app/web/sorbel.html, 10)
set -euo pipefail
cd "$(dirname "$0")/../.."
page=${1:-build/web/app/web/sorbel.html}
loads=${2:-10}
cmake --preset linux >/dev/null
cmake --build --preset linux --target web_startup >/dev/null
exec build/linux/bench/web/web_startup "$page" "$loads"
