#!/usr/bin/env bash
# Usage: no_x87.sh OBJDUMP LIBRARY — fails if LIBRARY computes on the x87 unit.
set -euo pipefail
hits=$("$1" -d "$2" | grep -E $'\t''f(add|sub|mul|div|sqrt|sin|cos|prem|scale|patan|ptan|yl2x|2xm1|rndint|chs|abs)[a-z]*( |$)' || true)
if [[ -n "$hits" ]]; then
  echo "x87 arithmetic found:"; echo "$hits"; exit 1
fi
echo "no x87 arithmetic in $(basename "$2"); SSE2 instructions: $("$1" -d "$2" | grep -cE 'sd |pd ')"
