#!/usr/bin/env bash
# The test `bundle`: the Windows bundle as a person runs it. It is unpacked
# into a fresh Wine prefix whose drive Z: (the host's root) is taken away, so
# that nothing of the build machine can be reached, and RUNTESTS.EXE runs from
# Wine's cmd: first without /disposable, which must change nothing in the
# prefix and exit 2, then with it, when every suite must pass as under CTest
# (or be skipped as a whole for a reason this machine gives), and every
# skipped test must say why.
# Usage: run-bundle.sh SHIPPED_BUILD_DIR BUILD_DIR
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
tree=$(cd "$2" && pwd)
if [ "$(cd "$1" && pwd)" != "$tree" ]; then
    echo "skipped: the bundle is made of the i686 build's suites, which a test build for x86_64 does not build; scripts/bundle makes it on any bench"
    exit 77
fi
root="$tree/bundle-test"
prefix="$root/prefix"
bundle="$prefix/drive_c/nmzav-windows-tests"
fail() { echo "FAILED: $*"; exit 1; }

rm -rf "$root"
mkdir -p "$root"
make_bundle "$tree" "$root/nmzav-windows-tests.zip" || fail "making the bundle"
echo "Bundle: $(du -k "$root/nmzav-windows-tests.zip" | cut -f1) KiB"
make_template_prefix "$tree/acceptance" || fail "making the template prefix"
copy_prefix "$tree/acceptance/template" "$prefix"
rm "$prefix/dosdevices/z:" || fail "taking drive Z: away"
unzip -q "$root/nmzav-windows-tests.zip" -d "$prefix/drive_c" || fail "unpacking the bundle"
wine_environment "$prefix"
# Wine's working folder for the programs: one it can name without drive Z:.
cd "$prefix/drive_c" || fail "entering the prefix"

# The prefix as files, links and registry. Wine rewrites its registry files
# with new time stamps whenever it saves them: their keys and values count.
snapshot() {
    wineserver -w
    (cd "$prefix" && find . \( -type f ! -name '*.reg' -printf 'f %p %s %T@\n' \) \
        -o \( -type l -printf 'l %p %l\n' \) -o \( -type d -printf 'd %p\n' \) | sort)
    for hive in "$prefix"/*.reg; do
        echo "== $(basename "$hive")"
        sed -E '/^#time=/d; s/^(\[.*\]) [0-9]+$/\1/' "$hive"
    done
}

# Runs RUNTESTS.EXE with the arguments given from cmd, as a person would;
# its console output goes to the file given first.
run_runner() {
    local out=$1
    shift
    "$wine64" cmd /c "cd /d C:\\nmzav-windows-tests && RUNTESTS.EXE $*" </dev/null >"$out" 2>&1
}

# Wine's own first start without Z: first: it registers the fonts again under
# their new paths once a 32-bit program loads gdi32.
"$wine64" cmd /c exit </dev/null >/dev/null 2>&1
wineserver -w
"$wine64" 'C:\windows\syswow64\reg.exe' query 'HKCU\Software' </dev/null >/dev/null 2>&1
snapshot >"$root/before.txt"
run_runner "$root/safe.txt"
status=$?
snapshot >"$root/after.txt"
cat "$root/safe.txt"
[ "$status" -eq 2 ] || fail "RUNTESTS without /disposable: exit code $status, not 2"
diff "$root/before.txt" "$root/after.txt" || fail "RUNTESTS without /disposable changed the prefix"
grep -q "^Nothing was run" "$root/safe.txt" || fail "RUNTESTS without /disposable did not say that nothing ran"

wineserver -p
started=$(date +%s)
run_runner "$root/console.txt" /disposable
status=$?
echo "RUNTESTS /disposable took $(($(date +%s) - started)) s, exit code $status"
wineserver -k
report="$bundle/report.txt"
[ -f "$report" ] || fail "no report.txt beside RUNTESTS.EXE"
tr -d '\r' <"$report" >"$root/report.txt"
cat "$root/report.txt"
[ ! -e "$prefix/dosdevices/z:" ] || fail "drive Z: came back during the run"
grep -q "^  Wine: yes" "$root/report.txt" || fail "the report does not say that this is Wine"
[ "$status" -eq 0 ] || fail "RUNTESTS /disposable: exit code $status"
tail -n 1 "$root/report.txt" | grep -Eq '^[0-9]+ passed, 0 failed, [0-9]+ skipped$' ||
    fail "the report's last line is not 'N passed, 0 failed, N skipped'"
while IFS=$'\t' read -r kind name _; do
    case "$kind" in
    unit) grep -q "^$name: passed, " "$root/report.txt" || fail "the unit suite $name did not pass" ;;
    acceptance) grep -Eq "^$name: (passed, |skipped$)" "$root/report.txt" ||
        fail "the acceptance run $name neither passed nor was skipped" ;;
    esac
done <"$bundle/tests/SUITES.TXT"
if grep -E '^  skipped ' "$root/report.txt" | grep -Ev '^  skipped [^:]+: .{8,}' ||
    grep -q 'no reason given' "$root/report.txt"; then
    fail "a skipped test gives no reason"
fi
rm -rf "$prefix"
echo "The bundle ran as under CTest; without /disposable it changed nothing."
