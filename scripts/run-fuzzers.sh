#!/bin/sh
# Runs each fuzzer of a QUARNO_FUZZ build for the given number of seconds,
# starting from its seed corpus; new inputs go to fuzz/work/<name>.
set -e
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-300}
for fuzzer in "$BUILD"/fuzz/Fuzz*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    mkdir -p "fuzz/work/$name" "fuzz/artifacts/$name"
    echo "== $name for ${SECONDS_EACH}s"
    "$fuzzer" -max_total_time="$SECONDS_EACH" -artifact_prefix="fuzz/artifacts/$name/" \
        "fuzz/work/$name" "fuzz/corpus/$name"
done
