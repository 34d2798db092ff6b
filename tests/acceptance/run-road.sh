#!/usr/bin/env bash
# The road of one installation with the shipped 32-bit NMZAV.EXE and the 32-bit
# driver: install with the defaults, the Options dialog, the uninstall from
# the Programs list's command. It runs natively or under whatever emulator is
# registered for 32-bit programs; where they cannot run at all it reports
# itself skipped (77), with the reason.
# Usage: run-road.sh I686_BUILD_DIR
source "$(dirname "$0")/../../scripts/lib.sh"
refusal=$(i686_refusal)
if [ -n "$refusal" ]; then
    echo "skipped: 32-bit x86 programs do not run on this machine ($refusal), and no emulator is registered for them (scripts/test registers qemu-i386 10 or later where it can be had)"
    exit 77
fi
exec "$(dirname "$0")/run-fresh.sh" "$1" Acceptance.DISABLED_Walkthrough road
