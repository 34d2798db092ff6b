#!/usr/bin/env bash
# Runs a test executable of the shipped 32-bit build in the test prefix, from a
# test build for x86_64: natively or under whatever emulator is registered for
# 32-bit programs; where they cannot run at all it reports itself skipped (77),
# with the reason. Usage: run-i686.sh EXE [ARGS...]
source "$(dirname "$0")/../../scripts/lib.sh"
refusal=$(i686_refusal)
if [ -n "$refusal" ]; then
    echo "skipped: 32-bit x86 programs do not run on this machine ($refusal), and no emulator is registered for them (scripts/test registers qemu-i386 10 or later where it can be had)"
    exit 77
fi
echo "Running $1 ($(file -b "$1" | cut -d, -f1))"
"$wine64" "$@"
status=$?
[ "$status" -eq 0 ] || echo "exit status $status"
exit $status
