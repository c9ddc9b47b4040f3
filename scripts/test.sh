#!/usr/bin/env bash
# Builds bounce and runs every test, installing what they need: the code-quality gates,
# the unit and end-to-end tests in the release build with warnings as errors, the latter
# also on weston's Xwayland, the same under AddressSanitizer and UndefinedBehaviorSanitizer,
# a short memory soak, the Debian package's test, the arm64 build's tests under qemu, the web
# build's test in headless Chromium and Firefox, and the Windows build's under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

scripts/check.sh

for preset in ci asan; do
    echo "== $preset build and tests"
    cmake --workflow --preset "$preset"
done

echo "== end-to-end tests on Wayland: weston's Xwayland"
BOUNCE_DISPLAY_SERVER=weston build/ci/tests/e2e/e2e_tests --gtest_brief=1

echo "== memory soak"
scripts/soak.sh 90 build/ci/bounce

echo "== Debian package"
scripts/package-test.sh

echo "== arm64: unit, end-to-end and package tests under qemu"
scripts/arch-test.sh arm64

echo "== web build in the browser"
scripts/web-test.sh

echo "== Windows build under Wine"
scripts/windows-test.sh
