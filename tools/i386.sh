#!/usr/bin/env bash
# Whether this machine runs 32-bit x86 programs itself: some do, some refuse
# them ("Exec format error"), and through qemu-user wine32 fails. Builds a
# program of a few instructions that only exits, with the host's own gcc,
# and runs it.
#   tools/i386.sh     exit 0 if it ran, 1 if not (the reason on stderr)
set -u
if grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  echo "i386: 32-bit programs run here only through qemu-user, where wine32 fails" >&2
  exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '.globl _start\n_start:\n  movl $1, %%eax\n  xorl %%ebx, %%ebx\n  int $0x80\n' >"$tmp/exit.S"
if ! gcc -m32 -nostdlib -static -o "$tmp/exit" "$tmp/exit.S" 2>"$tmp/log"; then
  echo "i386: cannot build a 32-bit test program: $(head -n1 "$tmp/log")" >&2
  exit 1
fi
if ! "$tmp/exit" 2>"$tmp/log"; then
  echo "i386: this machine does not run 32-bit programs: $(head -n1 "$tmp/log")" >&2
  exit 1
fi
