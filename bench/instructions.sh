#!/usr/bin/env bash
# Instructions per frame of bounce and of the reference program, counted by callgrind
# inside the toolkit's redraw (the display callback, Mesa's drawing and the buffer swap):
# repeatable where wall-clock frame rates are noisy. Mesa draws on the program's own thread
# here so that all of a frame's work is counted.
# Usage: bench/instructions.sh [seconds per program under valgrind (25)]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
seconds=${1:-25}

scripts/deps.sh bench
configure_build bench bounce bounce_reference frame_counter
build=$PWD/build/bench

work=$(mktemp -d)
start_xvfb
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT

declare -A perFrame
for name in bounce reference; do
    program=$build/bounce
    [ "$name" = reference ] && program=$build/bench/bounce_reference
    LP_NUM_THREADS=0 BENCH_OUT="$work/frames" BENCH_START_NS=$(date +%s%N) \
        LD_PRELOAD="$build/bench/libframe_counter.so" timeout -s TERM "$seconds" \
        valgrind --tool=callgrind --callgrind-out-file="$work/callgrind" \
        --toggle-collect=fghRedrawWindow "$program" >/dev/null 2>&1 || true
    instructions=$(callgrind_annotate "$work/callgrind" 2>/dev/null |
        awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
    frames=$(cut -d' ' -f1 "$work/frames")
    perFrame[$name]=$((instructions / frames))
    printf '%-10s %14s instructions in %5s frames: %10s per frame\n' \
        "$name" "$instructions" "$frames" "${perFrame[$name]}"
done
awk -v a="${perFrame[bounce]}" -v b="${perFrame[reference]}" \
    'BEGIN {printf "bounce / reference, instructions per frame: %.3f\n", a / b}'
