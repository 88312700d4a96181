#!/usr/bin/env bash
# tools/install.sh against a stand-in apt (fake-apt): a broken package index
# is a warning, a package apt refuses stops the install with its reason, and
# a wine32 that cannot be had turns into a skip of the 32-bit runs.
set -u
here=$(cd "$(dirname "$0")" && pwd)
install=$here/../../tools/install.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for cmd in apt-get dpkg dpkg-query sudo; do ln -s "$here/fake-apt" "$work/$cmd"; done
printf 'alpha\n# a comment\n\nbeta\n' >"$work/list.txt"
failures=0

# update (ok|fail), refused package, installed before, i386 check, arguments,
# then what must hold: exit status, apt-get calls, text on stdout and stderr.
check() {
  local name=$1 update=$2 refuse=$3 before=$4 i386=$5 args=$6 status=$7 calls=$8 out=$9 err=${10}
  export FAKE_ROOT=$work/$name FAKE_UPDATE=$update FAKE_REFUSE=$refuse
  mkdir -p "$FAKE_ROOT/installed"
  touch "$FAKE_ROOT/calls"
  for p in $before; do touch "$FAKE_ROOT/installed/$p"; done
  local got_out got_err got_status got_calls
  got_out=$(PATH=$work:$PATH SORBEL_APT_RETRY_PAUSE=0 SORBEL_I386_CHECK=$i386 \
    "$install" $args 2>"$FAKE_ROOT/err")
  got_status=$?
  got_err=$(<"$FAKE_ROOT/err")
  got_calls=$(grep -c . "$FAKE_ROOT/calls")
  local bad=()
  [[ "$got_status" == "$status" ]] || bad+=("exit $got_status, not $status")
  [[ "$got_calls" == "$calls" ]] || bad+=("$got_calls apt-get calls, not $calls")
  [[ "$got_out" =~ $out ]] || bad+=("stdout \"$got_out\" lacks /$out/")
  [[ "$got_err" =~ $err ]] || bad+=("stderr \"$got_err\" lacks /$err/")
  if ((${#bad[@]})); then
    ((failures += 1))
    printf 'FAIL %s: %s\n' "$name" "${bad[@]}"
  else
    echo "ok   $name"
  fi
}

t=true f=false L=$work/list.txt
#     name            update refuse      before  i386 args      status calls stdout stderr
check nothing-missing fail   ""          "alpha beta" $t "$L"       0 0 "^$" "^$"
check index-broken    fail   ""          ""      $t "$L"            0 3 "Installing: alpha beta" "WARNING: apt-get update failed.*binary-i386/Packages.xz"
check refused         ok     beta        ""      $t "$L"            1 4 "" "ERROR: cannot install beta: beta : Depends: libfoo:i386 \(= 1.2\).*held broken packages\.$"
check wine32-refused  fail   wine32:i386 ""      $t --wine32        0 3 "^wine32:i386 cannot be installed: .*held broken packages\.$" "SKIPPED: the 32-bit runs"
check wine32-ok       ok     ""          ""      $t --wine32        0 2 "^$" "Installing: wine32:i386$"
check wine32-there    fail   ""          wine32:i386 $t --wine32    0 0 "^$" "^$"
check no-32-bit       ok     ""          ""      $f --wine32        0 0 "^this machine does not run 32-bit programs$" "SKIPPED"
exit $((failures > 0))
