#!/usr/bin/env bash
# Installs the Debian packages the project needs and says plainly what it
# could not install.
#   tools/install.sh LIST...   the missing packages of these lists (tools/packages/*.txt)
#   tools/install.sh --wine32  wine32:i386, where this machine runs 32-bit programs; if it
#                              cannot be had, prints why on stdout (and a SKIPPED line on stderr)
#   tools/install.sh --missing LIST...   only prints the packages of these lists not installed
# A package index that does not load is only a warning: mirrors in the middle
# of a sync and extra sources that are down are common, and the indexes that
# did load usually hold everything.
set -uo pipefail
cd "$(dirname "$0")/.."

log=$(mktemp)
trap 'rm -f "$log"' EXIT

as_root() {
  if ((EUID == 0)); then "$@"; else sudo "$@"; fi
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# apt-get update, once more after a short pause; then a warning that names
# what failed, and the install goes on with the lists apt has.
# SORBEL_APT_UPDATED names a file that says the lists were updated already
# (dev.sh installs its lists one after another: one update is enough).
update_lists() {
  local attempt
  [[ -n ${SORBEL_APT_UPDATED:-} && -e $SORBEL_APT_UPDATED ]] && return 0
  [[ -z ${SORBEL_APT_UPDATED:-} ]] || touch "$SORBEL_APT_UPDATED"
  for attempt in 1 2; do
    as_root apt-get update -qq >"$log" 2>&1 && return 0
    ((attempt == 2)) || sleep "${SORBEL_APT_RETRY_PAUSE:-5}"
  done
  echo "WARNING: apt-get update failed; going on with the package lists apt has. apt said:" >&2
  grep -E '^(E|W|Err):' "$log" | sed 's/^/  /' >&2
}

apt_install() {
  # unsafe-io: no sync after each file unpacked (a power cut mid-install
  # means installing again either way).
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
    -o Dpkg::Options::=--force-unsafe-io "$@" >"$log" 2>&1
}

# apt's own reason, on one line: the unmet dependency and the error.
reason() {
  grep -E '^E:|: (Pre)?Depends:' "$log" | sed -E 's/^ +//' | head -n 3 | paste -sd ';' - |
    sed 's/;/; /g'
}

# The packages of these lists that are not installed, one a line.
missing_of() {
  local list pkg
  for list in "$@"; do
    while read -r pkg _; do
      [[ -z "$pkg" || "$pkg" == \#* ]] && continue
      installed "$pkg" || echo "$pkg"
    done <"$list"
  done
}

install_lists() {
  local pkg missing
  mapfile -t missing < <(missing_of "$@")
  ((${#missing[@]})) || return 0
  echo "Installing: ${missing[*]}"
  update_lists
  apt_install "${missing[@]}" && return 0
  # One at a time, to name the package that cannot be installed.
  for pkg in "${missing[@]}"; do
    if installed "$pkg" || apt_install "$pkg"; then continue; fi
    echo "ERROR: cannot install $pkg: $(reason)" >&2
    return 1
  done
}

skip_32bit() {
  echo "SKIPPED: the 32-bit runs of the shipped Sorbel.exe: $1" >&2
  echo "$1"
}

# The shipped Sorbel.exe is 32-bit: its tests run under wine32 where they can.
install_wine32() {
  local why
  if ! why=$("${SORBEL_I386_CHECK:-tools/i386.sh}" 2>&1); then
    skip_32bit "${why:-this machine does not run 32-bit programs}"
    return 0
  fi
  installed wine32:i386 && return 0
  echo "Installing: wine32:i386" >&2
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  update_lists
  apt_install wine32:i386 || skip_32bit "wine32:i386 cannot be installed: $(reason)"
}

case "${1:-}" in
  --wine32) install_wine32 ;;
  --missing) missing_of "${@:2}" ;;
  "" | -*) sed -n '4,8p' "$0" >&2; exit 2 ;;
  *) install_lists "$@" ;;
esac
