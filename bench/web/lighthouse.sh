#!/usr/bin/env bash
# Lighthouse in its mobile setting (a mid-range phone on slow 4G, the CPU 4x
# slower, simulated) on the page and on a minimal page (one box, one button,
# bench/web/minimal.html), each served by a local static server: the median
# of RUNS runs of each score and metric. Lighthouse takes no file:// address.
# Headless Chromium (Debian's). A measurement, not a test: Lighthouse comes
# from npm, outside the repository:
#   mkdir -p ~/npm-tools && cd ~/npm-tools && npm i -E lighthouse@12.2.3
#   LIGHTHOUSE=~/npm-tools/node_modules/.bin/lighthouse bench/web/lighthouse.sh [PAGE] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
page=$(realpath "${1:-build/web/app/web/sorbel.html}")
runs=${2:-3}
lighthouse=${LIGHTHOUSE:-lighthouse}
export CHROME_PATH=${CHROME_PATH:-/usr/bin/chromium}
flags="--headless --no-sandbox --disable-gpu --disable-background-networking"
flags+=" --disable-component-update --disable-sync"

dir=$(mktemp -d)
cp "$page" "$dir/sorbel.html"
cp bench/web/minimal.html "$dir/minimal.html"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$dir" >/dev/null 2>&1 &
server=$!
trap 'kill $server; rm -rf "$dir"' EXIT
sleep 1

echo "load: $(uptime | sed 's/.*load average: //')"
for url in "http://127.0.0.1:$port/sorbel.html" "http://127.0.0.1:$port/minimal.html"; do
  for i in $(seq "$runs"); do
    "$lighthouse" "$url" --quiet --chrome-flags="$flags" --output=json \
      --output-path="$dir/run-$i.json" || true
  done
  node - "$url" "$dir" "$runs" <<'JS'
const [url, dir, runs] = process.argv.slice(2);
const reports = [];
for (let i = 1; i <= +runs; ++i) {
  try { reports.push(require(`${dir}/run-${i}.json`)); } catch (e) {}
}
const median = (values) => {
  const v = values.filter((x) => typeof x === 'number').sort((a, b) => a - b);
  return v.length ? v[(v.length - 1) >> 1] : NaN;
};
const score = (c) => Math.round(100 * median(reports.map((r) => r.categories[c]?.score)));
const metric = (a) => median(reports.map((r) => r.audits[a]?.numericValue));
console.log(`${url}: ${reports.length} runs, median: performance ${score('performance')}, ` +
  `accessibility ${score('accessibility')}, best practices ${score('best-practices')}; ` +
  `FCP ${metric('first-contentful-paint').toFixed(0)} ms, LCP ${metric('largest-contentful-paint').toFixed(0)} ms, ` +
  `TBT ${metric('total-blocking-time').toFixed(0)} ms, SI ${metric('speed-index').toFixed(0)} ms, ` +
  `CLS ${metric('cumulative-layout-shift').toFixed(3)}`);
for (const r of reports.slice(0, 1))
  for (const [id, a] of Object.entries(r.audits))
    if (a.score !== null && a.score < 1 && ['binary', 'numeric'].includes(a.scoreDisplayMode))
      console.log(`  below full marks: ${id} ${a.displayValue ?? ''}`);
JS
  rm -f "$dir"/run-*.json
done
echo "load: $(uptime | sed 's/.*load average: //')"
