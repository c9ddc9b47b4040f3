#!/usr/bin/env bash
# The browser test: builds the web page and the native trajectory it is held to, installs
# the pinned test tools (tests/web/package-lock.json) and runs them in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh webtest
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
cmake --preset ci >/dev/null
cmake --build --preset ci --target bounce_trajectory >/dev/null
cd tests/web
npm ci --no-audit --no-fund --loglevel=error
BOUNCE_WEB=$PWD/../../build/web BOUNCE_TRAJECTORY=$PWD/../../build/ci/tests/bounce_trajectory \
    node --test
