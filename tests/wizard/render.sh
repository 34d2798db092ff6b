#!/bin/sh
# Runs the dialog rendering of the wizard tests with the given Wine loader and
# converts the bitmaps to PNG files in the folder given as third argument.
set -e
wine=$1
tests_exe=$2
out=$3
rm -rf render "$out"
mkdir -p render "$out"
"$wine" "$tests_exe" --gtest_also_run_disabled_tests --gtest_filter='RenderDialogs.*' --gtest_brief=1
for bitmap in render/*.bmp; do
    convert "$bitmap" "$out/$(basename "$bitmap" .bmp).png"
done
ls "$out"
