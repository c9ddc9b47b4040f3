#!/usr/bin/env bash
# The browser test: builds the web page and the native trajectory it is held to, installs
# the pinned test tools (tests/web/package-lock.json) and runs every case in headless
# Chromium, then in headless Firefox, timing each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh webtest
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
# The native side needs neither the X11 headers nor the end-to-end tests.
cmake -S . -B build/web-native -DCMAKE_BUILD_TYPE=Release -DBOUNCE_BUILD_E2E=OFF >/dev/null
cmake --build build/web-native --target bounce_trajectory >/dev/null
cd tests/web
npm ci --no-audit --no-fund --loglevel=error
export BOUNCE_WEB=$PWD/../../build/web
export BOUNCE_TRAJECTORY=$PWD/../../build/web-native/tests/bounce_trajectory
for browser in chromium firefox; do
    echo "== browser test in $browser"
    start=$SECONDS
    BOUNCE_BROWSER=$browser node --test
    echo "$browser: $((SECONDS - start)) s"
done
