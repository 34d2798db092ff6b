#!/usr/bin/env bash
# The road of one installation with the shipped 32-bit NMZAV.EXE and the 32-bit
# driver: install with the defaults, the Options dialog, the uninstall from
# the Programs list's command. It runs natively or under whatever emulator is
# registered for 32-bit programs; where they cannot run at all it reports
# itself skipped (77), with the reason.
# Usage: run-road.sh I686_BUILD_DIR
build=$1
if ! refusal=$(timeout 60 bash -c '"$1" --version' sh /usr/lib/wine/wine 2>&1); then
    refusal=$(tail -n 1 <<<"$refusal")
    echo "skipped: 32-bit x86 programs do not run on this machine (/usr/lib/wine/wine: ${refusal##*: }), and no emulator is registered for them (scripts/test registers qemu-i386 10 or later where it can be had)"
    exit 77
fi
exec "$(dirname "$0")/run-fresh.sh" "$build" Acceptance.DISABLED_Walkthrough road
