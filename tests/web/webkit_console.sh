#!/bin/sh
# A normal load of the page in WebKit (its MiniBrowser, on a virtual X
# server) says nothing in the console, which WebDriver does not show: the
# first line there must be the one a copy of the page writes once it is
# ready for input.
#   webkit_console.sh <sorbel.html>
set -u
page=$1
browser=/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser
for need in "$browser" /usr/bin/xvfb-run; do
  [ -x "$need" ] || { echo "SKIPPED: no $need"; exit 0; }
done
[ -f "$page" ] || { echo "SKIPPED: $page is not built (cmake --build --preset web)"; exit 0; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
sed 's/dataset.ready="1"/&;console.log("sorbel-ready")/' "$page" > "$dir/page.html"
grep -q 'console.log("sorbel-ready")' "$dir/page.html" || { echo "FAILED: no ready mark"; exit 1; }
HOME=$dir XDG_RUNTIME_DIR=$dir NO_AT_BRIDGE=1 timeout 60 xvfb-run -a "$browser" \
  --enable-write-console-messages-to-stdout=true "file://$dir/page.html" > "$dir/console" 2>&1 &
run=$!
i=0
while [ $i -lt 600 ] && ! grep -q "CONSOLE.*sorbel-ready" "$dir/console"; do
  sleep 0.1
  i=$((i + 1))
done
kill "$run" 2>/dev/null
wait "$run"
said=$(grep "CONSOLE" "$dir/console")
echo "$said"
case "$said" in
  "") echo "FAILED: the page never said it was ready"; exit 1 ;;
  *"CONSOLE LOG sorbel-ready")
    [ "$(echo "$said" | wc -l)" -eq 1 ] || { echo "FAILED: the console holds more"; exit 1; }
    echo "PASSED: nothing before the ready mark" ;;
  *) echo "FAILED: the console holds more"; exit 1 ;;
esac
