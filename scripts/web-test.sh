#!/usr/bin/env bash
# The browser test: builds the web page and the native trajectory it is held to, installs
# the pinned test tools (tests/web/package-lock.json) and runs every case in headless
# Chromium, then in headless Firefox, timing each.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh webtest
configure_build web
configure_build web-native bounce_trajectory
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
