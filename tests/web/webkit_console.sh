#!/bin/sh
# A normal load of the page in WebKit (its MiniBrowser) says nothing in the
# console, which WebDriver does not show: the one line there must be what a
# copy of the page writes once it is ready. Run on a display of its own
# (tools/with-xvfb.sh).
#   webkit_console.sh <sorbel.html>
page=$1
browser=/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser
for need in "$browser" "$page"; do
  [ -e "$need" ] || { echo "SKIPPED: no $need"; exit 0; }
done
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
sed 's/dataset.ready="1"/&;console.log("sorbel-ready")/' "$page" > "$dir/page.html"
grep -q 'console.log("sorbel-ready")' "$dir/page.html" || { echo "FAILED: no ready mark"; exit 1; }
HOME=$dir XDG_RUNTIME_DIR=$dir NO_AT_BRIDGE=1 "$browser" \
  --enable-write-console-messages-to-stdout=true "file://$dir/page.html" > "$dir/console" 2>&1 &
run=$!
for i in $(seq 600); do
  grep -q "CONSOLE.*sorbel-ready" "$dir/console" && break
  sleep 0.1
done
kill "$run" 2>/dev/null
wait "$run" 2>/dev/null
said=$(grep "CONSOLE" "$dir/console")
echo "$said"
[ "$(echo "$said" | wc -l)" -eq 1 ] && echo "$said" | grep -q "CONSOLE LOG sorbel-ready$" ||
  { echo "FAILED: not the ready mark alone"; exit 1; }
echo "PASSED: nothing but the ready mark"
