#!/usr/bin/env bash
# Soak: bounce animates under Xvfb for a while (60 s by default); its resident memory at
# the end must be within 1 MiB of its value after the first second.
# Usage: scripts/soak.sh [seconds] [path/to/bounce]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bounce=${2:-build/release/bounce}
if [ ! -x "$bounce" ]; then
    scripts/deps.sh test
    cmake --preset release >/dev/null
    cmake --build --preset release -j"$(nproc)" --target bounce >/dev/null
fi

source scripts/xvfb.sh
start_xvfb
"$bounce" &
app=$!
trap 'kill $app $XVFB_PID 2>/dev/null; wait 2>/dev/null' EXIT

rss() { awk '/^VmRSS/ {print $2}' "/proc/$app/status"; }
sleep 1
first=$(rss)
for ((elapsed = 1; elapsed < seconds; elapsed += step)); do
    step=$((seconds - elapsed < 10 ? seconds - elapsed : 10))
    sleep "$step"
    echo "after $((elapsed + step)) s: $(rss) KiB"
done
last=$(rss)
growth=$((last - first))
echo "resident memory after 1 s: ${first} KiB; after ${seconds} s: ${last} KiB; growth ${growth} KiB"
if [ "${growth#-}" -gt 1024 ]; then
    echo "FAILED: more than 1 MiB of change" >&2
    exit 1
fi
echo "soak passed"
