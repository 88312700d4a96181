#!/usr/bin/env bash
# tools/jobs.sh, dev.sh test's runner, on steps that only record when they
# ran: what a step needs comes first, a failure stops only what needs it,
# the processors and build slots are kept to, each step's output stays in
# one piece, and an interrupted run ends its steps and still prints the table.
# shellcheck disable=SC2317 # the helpers are called through expect's eval
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
expect() { # what, then a command that must succeed
  if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; ((failures += 1)); fi
}

cat >steps.sh <<EOF
set -euo pipefail
source "$here/../../tools/jobs.sh"
# Writes "name start end" to times.txt, its output in two lines.
step() { local t=\${EPOCHREALTIME/[.,]/}; echo "\$1 one"; sleep "\$2"; echo "\$1 two"
  echo "\$1 \$t \${EPOCHREALTIME/[.,]/}" >>times.txt; return "\${3:-0}"; }
n=\$(nproc)
job a "\$n" -- step a 0.3
job b "\$n" -- step b 0.3
job c 0 a -- step c 0.1 1
job d 0 c -- step d 0.1
job e 0 a b -- step e 0.1
job b1 build -- step b1 2
job b2 build -- step b2 2
job b3 build -- step b3 0.1
job long 0 -- step long \${LONG:-0.1}
run_jobs
EOF
# Whether two steps' times overlap; whether the first ended before the second began.
overlap() { awk -v x="$1" -v y="$2" '$1==x{s=$2;e=$3} $1==y{t=$2;f=$3} END{exit !(s<f && t<e)}' times.txt; }
before() { awk -v x="$1" -v y="$2" '$1==x{e=$3} $1==y{t=$2} END{exit !(e<=t)}' times.txt; }

bash steps.sh >out.txt 2>&1
# shellcheck disable=SC2034 # read by expect
status=$?
expect "a failure fails the run" '((status != 0))'
expect "needs come first" 'before a c && before a e && before b e'
expect "a step that needs a failed one does not run" \
  '! grep -q "^d " times.txt && grep -q "^d .*not run$" out.txt'
expect "the others run on" 'grep -q "^e .* ok$" out.txt && grep -q "^c .* FAILED$" out.txt'
expect "steps keep within the processors" '! overlap a b'
expect "two builds at once, not three" 'overlap b1 b2 && { before b1 b3 || before b2 b3; }'
expect "each step's output in one piece" 'grep -A2 "^== a (output)" out.txt | tail -n2 | tr "\n" " " | grep -qx "a one a two "'

rm -rf times.txt build
LONG=37.25 bash steps.sh >out.txt 2>&1 &
# Once the long step runs: announced is not yet started.
for _ in $(seq 300); do grep -qs "^long one" build/logs/long.log && break; sleep 0.1; done
kill -TERM $!
wait $!
expect "an interrupted run ends its steps" '! pgrep -f "sleep 37.25" >/dev/null'
expect "and prints the table" 'grep -q "^long .* stopped$" out.txt && grep -q "^wall time" out.txt'
exit $((failures > 0))
