#!/usr/bin/env bash
# Usage: stands_alone.sh CXX CALC_DIR — compiles each file of calc/ where no
# other folder of the project can be found: calc/ must need only itself and
# the standard library.
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
ln -s "$(cd "$2" && pwd)" "$root/calc"
failed=0
for f in "$root"/calc/*.h "$root"/calc/*.cpp; do
  echo | "$1" -std=c++20 -fsyntax-only -I "$root" -x c++ -include "$f" - ||
    { echo "needs more than calc/: ${f#"$root"/}"; failed=1; }
done
((failed == 0)) && echo "calc/ builds on its own: $(ls "$root"/calc/*.h "$root"/calc/*.cpp | wc -l) files"
exit "$failed"
