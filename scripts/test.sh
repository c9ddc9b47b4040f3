#!/usr/bin/env bash
# Builds bounce and runs every test, installing what they need: the code-quality gates,
# the unit and end-to-end tests in the release build with warnings as errors, the latter
# also on weston's Xwayland, the same under AddressSanitizer and UndefinedBehaviorSanitizer,
# a short memory soak, the Debian package's test, the arm64 and armhf builds' tests under
# qemu, the web build's test in headless Chromium and Firefox, and the Windows build's under
# Wine. Naming parts runs only those, in the same order.
# Usage: scripts/test.sh [gates|ci|asan|weston|soak|package|arm64|armhf|web|windows ...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
all=(gates ci asan weston soak package arm64 armhf web windows)
selected=" ${*:-${all[*]}} "
for part in $selected; do
    [[ " ${all[*]} " == *" $part "* ]] || fail "no part named $part; the parts: ${all[*]}"
done
wanted() { [[ "$selected" == *" $1 "* ]]; }

scripts/deps.sh test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

if wanted gates; then
    scripts/check.sh
fi

for preset in ci asan; do
    if wanted $preset; then
        echo "== $preset build and tests"
        cmake --workflow --preset "$preset"
    fi
done

if wanted weston; then
    echo "== end-to-end tests on Wayland: weston's Xwayland"
    configure_build ci e2e_tests
    BOUNCE_DISPLAY_SERVER=weston build/ci/tests/e2e/e2e_tests --gtest_brief=1
fi

if wanted soak; then
    echo "== memory soak"
    configure_build ci bounce
    scripts/soak.sh 90 build/ci/bounce
fi

if wanted package; then
    echo "== Debian package"
    scripts/package-test.sh
fi

for arch in arm64 armhf; do
    if wanted $arch; then
        echo "== $arch: unit, end-to-end and package tests under qemu"
        scripts/arch-test.sh $arch
    fi
done

if wanted web; then
    echo "== web build in the browser"
    scripts/web-test.sh
fi

if wanted windows; then
    echo "== Windows build under Wine"
    scripts/windows-test.sh
fi
