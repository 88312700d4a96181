#!/usr/bin/env bash
# Usage: check_startup.sh OBJDUMP NM Sorbel.exe — the program must enter through
# its start-up check, and the check must use no SSE register, so that it can
# run, and speak, on a processor without SSE2.
set -euo pipefail
objdump=$1 nm=$2 exe=$3
symbols=$("$nm" "$exe")
address() { awk -v name="$1" '$3 == name { print $1 }' <<<"$symbols" | head -n1; }

entry=$("$objdump" -f "$exe" | awk '/^start address/ { print $3 }')
startup=_sorbelStartup
[[ -n $(address "$startup") ]] || startup=sorbelStartup
startup_at=$(address "$startup")
if [[ -z $startup_at || $((16#$startup_at)) -ne $((entry)) ]]; then
  echo "FAIL: the entry point $entry is not $startup (${startup_at:-absent})"; exit 1
fi
echo "ok    the entry point $entry is $startup"

# The check and every function of the program it calls, up to the runtime's
# own entry; the system's functions (stdcall stubs, name@bytes) are the system's.
status=0 todo=("$startup") done=" "
while ((${#todo[@]})); do
  name=${todo[0]} todo=("${todo[@]:1}")
  [[ $done == *" $name "* ]] && continue
  done+="$name "
  code=$("$objdump" -d --no-show-raw-insn --disassemble="$name" "$exe" | grep -P '^\s+[0-9a-f]+:\t' || true)
  if [[ -z $code ]]; then
    echo "FAIL: no code found for $name"; status=1; continue
  fi
  if grep -q xmm <<<"$code"; then
    echo "FAIL: $name uses SSE registers:"; grep xmm <<<"$code"; status=1
  else
    echo "ok    $name: $(wc -l <<<"$code") instructions, none on an SSE register"
  fi
  todo+=($(grep -oP '\tcall\s+[0-9a-f]+ <\K[^>+]+(?=>)' <<<"$code" | grep -v -e '^_\?WinMainCRTStartup$' -e '@[0-9]\+$' || true))
done
exit $status
