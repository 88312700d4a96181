#!/usr/bin/env bash
# Start-up of the page in headless Chromium against a minimal page: the
# medians of the first contentful paint and of the window ready for input,
# with the CPU as it is and 4 times slower.
#   bench/web/run.sh [PAGE] [LOADS]   (default build/web/app/web/sorbel.html, 10)
set -euo pipefail
cd "$(dirname "$0")/../.."
page=${1:-build/web/app/web/sorbel.html}
loads=${2:-10}
cmake --preset linux >/dev/null
cmake --build --preset linux --target web_startup >/dev/null
echo "load: $(uptime | sed 's/.*load average: //')"
build/linux/bench/web/web_startup "$page" "$loads"
echo "load: $(uptime | sed 's/.*load average: //')"
