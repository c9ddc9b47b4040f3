#!/usr/bin/env bash
# Builds bounce (installing what the build needs) and runs it; arguments go to the toolkit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake --preset release -DBOUNCE_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release -j"$(nproc)" >/dev/null
exec build/release/bounce "$@"
