#!/usr/bin/env bash
# Soak: bounce animates under Xvfb for a while (150 s by default) and its resident memory is
# read every second. Freed memory is never handed back to the system and Mesa's software
# driver draws on the program's own thread, so resident memory only rises, to the most ever
# in use: it settles within the first minute, and past a warm-up of 60 s it must grow by no
# more than 128 KiB, which a leak of a few bytes a frame exceeds many times over.
# Usage: scripts/soak.sh [seconds (150)] [path/to/bounce]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
seconds=${1:-150}
bounce=${2:-build/release/bounce}
warmup=60
bound=128
[ "$seconds" -gt "$warmup" ] || fail "a soak must last longer than its warm-up of $warmup s"
scripts/deps.sh e2e
[ -x "$bounce" ] || configure_build release bounce

start_xvfb
# Without these, blocks of about 1 MiB that llvmpipe's threads take and give back come and go
# from resident memory, which then wanders by a MiB or two either way.
GLIBC_TUNABLES=glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=4294967295 \
    LP_NUM_THREADS=0 "$bounce" &
app=$!
trap 'kill $app $XVFB_PID 2>/dev/null; wait 2>/dev/null' EXIT

rss() { awk '/^VmRSS/ {print $2}' "/proc/$app/status" || fail "bounce ended"; }
for ((elapsed = 1; elapsed <= seconds; ++elapsed)); do
    sleep 1
    now=$(rss)
    [ "$elapsed" -ne 1 ] || first=$now
    [ "$elapsed" -ne "$warmup" ] || warm=$now
    ((elapsed % 10)) || echo "after $elapsed s: $now KiB"
done
echo "resident memory after 1 s: $first KiB; after the warm-up of $warmup s: $warm KiB;" \
    "after $seconds s: $now KiB"
growth=$((now - warm))
[ "$growth" -le "$bound" ] ||
    fail "resident memory grew by $growth KiB after the warm-up (at most $bound KiB)"
echo "soak passed: $growth KiB of growth in $((seconds - warmup)) s after the warm-up"
