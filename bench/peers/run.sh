#!/bin/sh
# Runs the peers' harness and our measurements on the same corpus files, then
# prints the side-by-side table. The harness is copied to a scratch folder first:
# it writes its results beside itself.
#
# Environment: PEERS_DIR (the harness; default ../shared/peers beside the
# repository), BUILD_DIR (default build), BENCH_PEERS_DIR (scratch folder),
# RUNS (default 3), SKIP_PEERS=1 (reuse the peers' results of the last run).
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
PEERS_DIR=${PEERS_DIR:-$ROOT/../shared/peers}
BUILD_DIR=$(cd "${BUILD_DIR:-$ROOT/build}" && pwd)
WORK=${BENCH_PEERS_DIR:-${TMPDIR:-/tmp}/quarno-bench-peers}
RUNS=${RUNS:-3}

if [ ! -f "$PEERS_DIR/run_all.sh" ]; then
    echo "bench-peers: no peers harness in $PEERS_DIR (set PEERS_DIR)" >&2
    exit 1
fi
mkdir -p "$WORK"
if [ -z "${SKIP_PEERS:-}" ] || [ ! -f "$WORK/peers/results.txt" ]; then
    rm -rf "$WORK/peers"
    cp -r "$PEERS_DIR" "$WORK/peers"
    # The peer lexers' keyword list is read from the texts beside the harness.
    for text in "$PEERS_DIR"/../*.md; do [ -f "$text" ] && cp "$text" "$WORK/"; done
    (cd "$WORK/peers" && PEERS_BUILD="$WORK/build" RUNS="$RUNS" RUNS_BIG="$RUNS" \
        SIZES="1 10 50" ./run_all.sh)
fi

# Our start-up probe runs under its own Xvfb, as the peers' does.
d=130
while [ -e "/tmp/.X${d}-lock" ] && [ "$d" -lt 160 ]; do d=$((d + 1)); done
Xvfb ":$d" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
for _ in $(seq 50); do DISPLAY=":$d" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=":$d" python3 "$ROOT/bench/peers/ours.py" "$BUILD_DIR" "$WORK/build/corpus" "$RUNS" \
    "$WORK/peers" > "$WORK/ours.txt"
kill "$XVFB_PID" 2>/dev/null || true
trap - EXIT

python3 "$ROOT/bench/peers/table.py" "$WORK/peers/results.txt" "$WORK/ours.txt" | tee "$WORK/table.md"
