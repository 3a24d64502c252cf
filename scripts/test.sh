#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test, in three rounds:
#   1. the normal build (build/) and the whole test suite;
#   2. the whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/), where any memory error, undefined behaviour or leak fails the test;
#   3. every fuzz target for about a minute (build-fuzz/, scripts/fuzz.sh).
# BILVOX_FUZZ_SECONDS changes the time of each fuzz target (0 skips the round).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

start=$(date +%s)
round() { echo "==== $1 (after $(( $(date +%s) - start )) s)"; }

round "build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

round "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
(
  # The test list is read from the test program while building, so the options hold for both.
  export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBILVOX_SANITIZE=ON \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g"
  cmake --build build-asan
  QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2
)

seconds=${BILVOX_FUZZ_SECONDS:-60}
if [ "$seconds" != 0 ]; then
  round "fuzz targets, $seconds s each"
  scripts/fuzz.sh "$seconds"
fi
round "done"
