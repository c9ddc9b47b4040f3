#!/usr/bin/env bash
# Frame rate of bounce against the reference program, side by side in one run: under Xvfb
# (1280x1024x24) the two run alternately, each for a few seconds, with a preloaded
# counter of their buffer swaps. Prints each run, the medians and their ratios: frame rate,
# peak resident memory (/usr/bin/time) and time from start to first frame.
# With "windows" as the third argument the two are the Windows builds (build/windows-test,
# after scripts/windows-test.sh has built them), run under Wine and openbox; their frames
# are counted by Mesa's own HUD, invisible, on the Linux side of Wine's OpenGL, which gives
# no time to the first frame.
# Usage: bench/framerate.sh [pairs (7)] [seconds per run (5)] [linux|windows]
# XVFB_PIN and PROGRAM_PIN, e.g. "taskset -c 1" and "taskset -c 0", pin the two to cores.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
pairs=${1:-7}
seconds=${2:-5}
platform=${3:-linux}

work=$(mktemp -d)
if [ "$platform" = windows ]; then
    build=build/windows-test
    # Each program beside freeglut's DLL, as in the zip.
    for program in bounce bench/bounce_reference; do
        mkdir -p "$work/$program"
        cp "$build/$program.exe" build/windows-deps/bin/libfreeglut.dll "$work/$program/"
    done
    bounce=$work/bounce/bounce.exe
    reference=$work/bench/bounce_reference/bounce_reference.exe
    launcher=windows/wine.sh
else
    scripts/deps.sh bench
    configure_build bench bounce bounce_reference frame_counter
    build=build/bench
    bounce=$build/bounce
    reference=$build/bench/bounce_reference
    launcher=
fi
counter=$PWD/build/bench/bench/libframe_counter.so

# shellcheck disable=SC2086 # the pin is a command and its arguments
start_xvfb ${XVFB_PIN:-}
wm=
if [ "$platform" = windows ]; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine}
fi
# Wine's server and services outlive the programs; they end before the X server does.
trap '[ -z "$wm" ] || wineserver -k 2>/dev/null || true; kill $XVFB_PID $wm 2>/dev/null
      rm -rf "$work"' EXIT

# One run: prints "frames fps first-frame-ms peak-rss-KiB".
run() {
    local program=$1 out=$work/out time=$work/time
    rm -rf "$out" "$time"
    if [ "$platform" = windows ]; then
        mkdir "$out"
        GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=0.5 GALLIUM_HUD_DUMP_DIR=$out \
            /usr/bin/time -f %M -o "$time" ${PROGRAM_PIN:-} $launcher "$program" &
    else
        BENCH_OUT=$out BENCH_START_NS=$(date +%s%N) LD_PRELOAD=$counter \
            /usr/bin/time -f %M -o "$time" ${PROGRAM_PIN:-} "$program" &
    fi
    local timer=$!
    sleep "$seconds"
    pkill -TERM -P "$timer"
    wait "$timer" || true
    if [ "$platform" = windows ]; then
        # The HUD's rate every half second; the rate leaves the first second out, as the
        # counter does.
        awk '{frames += $1 / 2} NR > 2 {sum += $1; n++}
             END {printf "%d %.1f -", frames, n ? sum / n : 0}' "$out/fps"
        echo " $(tail -n 1 "$time")"
    else
        echo "$(cat "$out") $(tail -n 1 "$time")"
    fi
}

printf '%-10s %8s %10s %14s %10s\n' program frames fps first-frame-ms peak-KiB
# Pairs alternate their order (A B, B A, ...), so that a drift of the machine's speed
# over the run weighs on both programs alike.
for ((pair = 1; pair <= pairs; ++pair)); do
    order="bounce reference"
    ((pair % 2)) || order="reference bounce"
    for name in $order; do
        program=$bounce
        [ "$name" = reference ] && program=$reference
        result=$(run "$program")
        echo "$name $result" >>"$work/results"
        printf '%-10s %8s %10s %14s %10s\n' "$name" $result
    done
done

median() { # column of the results for one program
    awk -v name="$1" -v col="$2" '$1 == name {print $col}' "$work/results" | sort -g |
        awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
echo
for column in "3 frame rate (fps)" "4 start to first frame (ms)" "5 peak resident memory (KiB)"; do
    read -r col label <<<"$column"
    [ "$platform" = windows ] && [ "$col" = 4 ] && continue
    a=$(median bounce "$col")
    b=$(median reference "$col")
    printf '%-30s bounce %10s  reference %10s  ratio %s\n' "median $label:" "$a" "$b" \
        "$(awk -v a="$a" -v b="$b" 'BEGIN {printf "%.3f", a / b}')"
done
