#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of its own and runs the whole test suite there (`make
# check-sanitizers`). Any report fails the run: undefined behaviour is fatal,
# and so is a leak not proven to lie inside a system library (see lsan.supp).
#   tools/check-sanitizers.sh BUILD_DIR JOBS
set -euo pipefail
build=$1 jobs=$2
cd "$(dirname "$0")/.."
here=$PWD
start=$SECONDS

# -O1 and line tables only keep the build and the suite fast enough for CI;
# the benchmarks and fuzz targets are left out (the fuzz targets carry their
# own sanitizers in the normal build).
flags="-O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# The build runs tools (the content converter), so the options apply to it too.
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$here/tools/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Sanitize "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DSENTRIVO_FUZZ=OFF
cmake --build "$build" -j "$jobs"
built=$SECONDS
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
echo "check-sanitizers: build $((built - start)) s, tests $((SECONDS - built)) s"
