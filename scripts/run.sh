#!/usr/bin/env bash
# Builds bounce (installing what the build needs) and runs it; arguments go to the toolkit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake --preset app >/dev/null
cmake --build --preset app -j"$(nproc)" >/dev/null
exec build/app/bounce "$@"
