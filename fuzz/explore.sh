#!/usr/bin/env bash
# Explores with each fuzz target for a time budget (`make fuzz`).
#   fuzz/explore.sh BUILD_DIR SECONDS TARGET...
# The growing working corpus stays in BUILD_DIR/fuzz-corpus/<target>; an input
# that makes a target fail is written to fuzz/regressions/<target>/, for the
# developer to fix and commit so that `make test` replays it from then on.
set -u
# Inputs may grow past a megabyte: the readers are linear, and a large entry
# or table is what users have.
max_len=${FUZZ_MAX_LEN:-1200000}
build=$1 seconds=$2
shift 2
cd "$(dirname "$0")/.."
found=0
for target in "$@"; do
    fuzzer=$build/fuzz-build/fuzz_$target
    if [ ! -x "$fuzzer" ]; then
        echo "$fuzzer is missing (is clang installed?)" >&2
        exit 1
    fi
    work=$build/fuzz-corpus/$target
    finds=fuzz/regressions/$target
    mkdir -p "$work" "$finds"
    echo "== fuzz_$target for ${seconds}s"
    if ! "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
            -artifact_prefix="$finds/" "$work" "fuzz/corpus/$target" "$finds"; then
        found=1
        echo "== fuzz_$target found a fault: the input is in $finds/" >&2
    fi
done
exit $found
