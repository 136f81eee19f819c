#!/bin/sh
# Runs each fuzzer of a QUARNO_FUZZ build (or only those named after the
# seconds) for the given number of seconds, one at a time on one core,
# starting from its seed corpus; new inputs go to fuzz/work/<name>, crashing
# inputs to fuzz/artifacts/<name>. Prints one line per fuzzer for the table
# in fuzz/README.md: date, CPU seconds, executions, coverage, findings.
set -e
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-300}
shift 2 2>/dev/null || shift $#
NAMES="$*"
if [ -z "$NAMES" ]; then
    for fuzzer in "$BUILD"/fuzz/Fuzz*; do
        [ -x "$fuzzer" ] && NAMES="$NAMES $(basename "$fuzzer")"
    done
fi
for name in $NAMES; do
    fuzzer="$BUILD/fuzz/$name"
    mkdir -p "fuzz/work/$name" "fuzz/artifacts/$name"
    log="fuzz/work/$name.log"
    echo "== $name for ${SECONDS_EACH}s"
    # The shipped language scripts seed the script compiler as they stand.
    seeds="fuzz/corpus/$name"
    [ "$name" = FuzzScriptCompiler ] && seeds="$seeds data/languages"
    status=0
    # shellcheck disable=SC2086 # seeds are folder names without blanks
    # The tally counts CPU seconds (user and system, from GNU time): on a
    # busy machine the wall-clock limit buys less fuzzing than it says.
    /usr/bin/time -f "%U %S" -o "$log.cpu" \
        "$fuzzer" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="fuzz/artifacts/$name/" "fuzz/work/$name" $seeds \
        > "$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    seconds=$(awk 'END { printf "%d", $1 + $2 }' "$log.cpu")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    found=$(find "fuzz/artifacts/$name" -type f | wc -l)
    echo "$name | $(date -u +%Y-%m-%d) | $seconds | ${runs:-?} | ${cov:-?} | $found (exit $status)"
done
