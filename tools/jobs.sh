# shellcheck shell=bash
# Runs dev.sh test's steps side by side, as far as the cores and the steps'
# order allow; sourced by dev.sh.
#   job NAME CPUS [NEED...] -- COMMAND...   a step; earlier ones start first
#   run_jobs                                runs them; fails if any failed or could not run
# CPUS is how many processors the step keeps busy (0 for one that mostly
# waits on wine or a browser): such steps start while the sum stays within
# the cores. CPUS "build" marks a build: builds run two at a time, niced, on
# what the other steps leave, so that the tests beside them keep the
# processor time their timeouts expect; the elder build comes first, the
# younger fills its gaps (configuring, linking). A step runs in a process group of
# its own; its output goes to build/logs/ and is printed whole when it ends,
# so that steps never interleave in the log. A table of the steps' times
# closes the run, also after a failure.
jobs_builds=${SORBEL_JOBS_BUILDS:-2} # builds at once
jobs_cores=$(nproc)

declare -A job_cmd=() job_needs=() job_cpus=() job_state=() job_start=() job_secs=() job_pid=()
job_names=()
jobs_started_at=

job() {
  local name=$1 needs=()
  job_names+=("$name")
  job_cpus[$name]=$2
  shift 2
  while [[ $1 != -- ]]; do
    [[ -v job_state[$1] ]] || { echo "jobs.sh: $name needs $1, declared after it or not at all" >&2; return 1; }
    needs+=("$1")
    shift
  done
  shift
  job_needs[$name]=$(printf '%s\t' "${needs[@]}")
  job_cmd[$name]=$(printf '%q ' "$@")
  job_state[$name]=waiting
}

jobs_now() { echo "${EPOCHREALTIME/[.,]/}"; } # microseconds
jobs_log() { echo "build/logs/${1//[^A-Za-z0-9_.-]/_}.log"; }

# waiting -> running -> ok | FAILED, or "not run" when a step it needs did not pass.
jobs_start() {
  local name=$1 log niceness=5
  log=$(jobs_log "$name")
  jobs_held
  ((held_builds == 0)) || niceness=10
  echo "== $name: started at $(jobs_elapsed) s"
  job_start[$name]=$(jobs_now)
  job_state[$name]=running
  set -m # a process group of its own, to end it with all it started
  (
    set +e
    [[ ${job_cpus[$name]} != build ]] || renice -n "$niceness" "$BASHPID" >/dev/null
    (set -e; eval "${job_cmd[$name]}")
    status=$?
    times >"$log.cpu" # the processor time of all it ran
    exit "$status"
  ) </dev/null >"$log" 2>&1 &
  set +m
  job_pid[$name]=$!
}

jobs_elapsed() { echo $((($(jobs_now) - jobs_started_at) / 1000000)); }

jobs_finish() {
  local name=$1 status=$2 secs
  secs=$((($(jobs_now) - job_start[$name]) / 1000000))
  job_secs[$name]=$secs
  if ((status == 0)); then job_state[$name]=ok; else job_state[$name]=FAILED; fi
  # The younger build is the elder now (raising a priority takes root).
  jobs_held
  [[ ${job_cpus[$name]} != build || -z $held_build ]] ||
    renice -n 5 -g "${job_pid[$held_build]}" >/dev/null 2>&1 || true
  echo "== $name (output)"
  cat "$(jobs_log "$name")"
  if ((status == 0)); then echo "== $name: $secs s"; else echo "== $name: $secs s, FAILED (exit $status)"; fi
}

# Whether a waiting step may start now: 0 yes, 1 not yet, 2 never.
jobs_ready() {
  local name=$1 need needs
  IFS=$'\t' read -ra needs <<<"${job_needs[$name]}"
  for need in "${needs[@]}"; do
    case ${job_state[$need]} in
      ok) ;;
      FAILED | "not run") return 2 ;;
      *) return 1 ;;
    esac
  done
  jobs_held
  if [[ ${job_cpus[$name]} == build ]]; then
    ((held_builds < jobs_builds))
  else # alone, a step may always start, whatever it asks for
    ((held_cpus == 0 || held_cpus + job_cpus[$name] <= jobs_cores))
  fi
}

# What the running steps hold: held_cpus, held_builds (and a build running,
# held_build), held_steps.
jobs_held() {
  local name
  held_cpus=0 held_builds=0 held_build="" held_steps=0
  for name in "${job_names[@]}"; do
    [[ ${job_state[$name]} == running ]] || continue
    held_steps=$((held_steps + 1))
    if [[ ${job_cpus[$name]} == build ]]; then
      held_builds=$((held_builds + 1)) held_build=$name
    else
      held_cpus=$((held_cpus + job_cpus[$name]))
    fi
  done
}

run_jobs() {
  local name pid status ready
  mkdir -p build/logs
  jobs_started_at=$(jobs_now)
  trap jobs_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  while :; do
    for name in "${job_names[@]}"; do
      [[ ${job_state[$name]} == waiting ]] || continue
      ready=0
      jobs_ready "$name" || ready=$?
      if ((ready == 2)); then
        job_state[$name]="not run"
        echo "== $name: not run (a step it needs did not pass)"
      elif ((ready == 0)); then
        jobs_start "$name"
      fi
    done
    jobs_held
    ((held_steps)) || break
    status=0
    wait -n -p pid || status=$?
    for name in "${job_names[@]}"; do
      [[ ${job_pid[$name]:-} == "$pid" && ${job_state[$name]} == running ]] && jobs_finish "$name" "$status"
    done
  done
  trap - EXIT
  jobs_summary
  for name in "${job_names[@]}"; do [[ ${job_state[$name]} == ok ]] || return 1; done
}

# Ends the steps still running (an interrupted or failed dev.sh), then the table.
jobs_stop() {
  local name
  for name in "${job_names[@]}"; do
    if [[ ${job_state[$name]} == running ]]; then
      kill -- -"${job_pid[$name]}" 2>/dev/null || true
      job_state[$name]=stopped
      job_secs[$name]=$((($(jobs_now) - job_start[$name]) / 1000000))
    fi
  done
  [[ -z $jobs_started_at ]] || jobs_summary
}

# Processor seconds (user and system) of a step's processes, from bash's times.
jobs_cpu() {
  [[ -f $1.cpu ]] || return 0
  sed -n 2p "$1.cpu" | tr 'ms' '  ' | awk '{ printf "%.0f", $1 * 60 + $2 + $3 * 60 + $4 }'
}

# One line per step, in the order they started: when, how long, how much
# processor time, how it ended.
jobs_summary() {
  local name total=0 cpu_total=0 cpu
  echo "== Summary: each step's time; steps overlap, so the wall time is the run's"
  printf '%-32s %7s %7s %7s  %s\n' step "start s" seconds "cpu s" result
  for name in "${job_names[@]}"; do
    cpu=$(jobs_cpu "$(jobs_log "$name")")
    printf '%s\t%-32s %7s %7s %7s  %s\n' "${job_start[$name]:-99999999999999999}" "$name" \
      "$([[ -n ${job_start[$name]:-} ]] && echo $(((job_start[$name] - jobs_started_at) / 1000000)))" \
      "${job_secs[$name]:-}" "$cpu" "${job_state[$name]}"
  done | sort -n | cut -f2-
  for name in "${job_names[@]}"; do
    cpu=$(jobs_cpu "$(jobs_log "$name")")
    total=$((total + ${job_secs[$name]:-0})) cpu_total=$((cpu_total + ${cpu:-0}))
  done
  printf '%-32s %7s %7s %7s\n' "sum of the steps" "" "$total" "$cpu_total"
  printf '%-32s %7s %7s\n' "wall time" "" "$(jobs_elapsed)"
}
