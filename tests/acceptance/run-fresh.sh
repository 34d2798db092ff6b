#!/usr/bin/env bash
# Runs acceptance runs in a fresh Wine prefix of their own, copied from a
# pristine template prefix (made once per build), on the current DISPLAY.
# Usage: run-fresh.sh BUILD_DIR GTEST_FILTER [NAME]
# Pictures (failures; every page when NMZAV_WALKTHROUGH=1) go to
# BUILD_DIR/acceptance/pictures as PNG.
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
tree=$(cd "$1" && pwd)
filter=$2
name=${3:-$2}
root="$tree/acceptance"
template="$root/template"
prefix="$root/prefix-$name"
pictures="${NMZAV_PICTURES_DIR:-$root/pictures}"
mkdir -p "$root" "$pictures"

make_template_prefix "$root" || exit 1
copy_prefix "$template" "$prefix"

wine_environment "$prefix"
# NMZAV_LOCALE=ja_JP (say): the run's Wine processes use that locale's code
# pages, made here when the system has not got the locale.
if [ -n "${NMZAV_LOCALE:-}" ]; then
    export LOCPATH="$root/locales" LC_ALL="$NMZAV_LOCALE.UTF-8"
    mkdir -p "$LOCPATH"
    [ -d "$LOCPATH/$LC_ALL" ] || run_step "making the locale $LC_ALL" \
        localedef -i "$NMZAV_LOCALE" -f UTF-8 "$LOCPATH/$LC_ALL" || exit 1
fi
wineserver -p
"$wine64" cmd /c exit </dev/null >/dev/null 2>&1
export NMZAV_EXE=$("$wine64" winepath.exe -w "$tree/NMZAV.EXE" 2>/dev/null)
export NMZAV_PICTURES=$("$wine64" winepath.exe -w "$pictures" 2>/dev/null)
echo "Driving $tree/NMZAV.EXE ($(file -b "$tree/NMZAV.EXE" | cut -d, -f1))"
"$wine64" "$tree/tests/acceptance.exe" --gtest_filter="$filter" --gtest_also_run_disabled_tests
status=$?
wineserver -k
for bmp in "$pictures"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
[ "$status" -eq 0 ] && rm -rf "$prefix"
exit $status
