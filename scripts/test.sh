#!/usr/bin/env bash
# Builds bounce and runs every test, installing what they need: the code-quality gates,
# the unit and end-to-end tests in the release build with warnings as errors, the latter
# also on weston's Xwayland, the same under AddressSanitizer and UndefinedBehaviorSanitizer,
# a short memory soak, the Debian package's test, the arm64 and armhf builds' tests under
# qemu, the web build's test in headless Chromium and Firefox, and the Windows build's under
# Wine. Naming parts runs only those, in the same order; each part's time is printed.
# Usage: scripts/test.sh [gates|ci|asan|weston|soak|package|arm64|armhf|web|windows ...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
all=(gates ci asan weston soak package arm64 armhf web windows)
selected=" ${*:-${all[*]}} "
for name in $selected; do
    [[ " ${all[*]} " == *" $name "* ]] || fail "no part named $name; the parts: ${all[*]}"
done

scripts/deps.sh test
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

# part NAME TITLE COMMAND...: runs the command when the part is selected.
part() {
    local name=$1 title=$2 start=$SECONDS
    shift 2
    [[ "$selected" == *" $name "* ]] || return 0
    echo "== $title"
    "$@"
    echo "== $name: passed in $((SECONDS - start)) s"
}
on_weston() {
    configure_build ci e2e_tests
    BOUNCE_DISPLAY_SERVER=weston build/ci/tests/e2e/e2e_tests --gtest_brief=1
}
soak() {
    configure_build ci bounce
    scripts/soak.sh 90 build/ci/bounce
}

part gates "code-quality gates" scripts/check.sh
part ci "ci build and tests" cmake --workflow --preset ci
part asan "asan build and tests" cmake --workflow --preset asan
part weston "end-to-end tests on Wayland: weston's Xwayland" on_weston
part soak "memory soak" soak
part package "Debian package" scripts/package-test.sh
part arm64 "arm64: unit, end-to-end and package tests under qemu" scripts/arch-test.sh arm64
part armhf "armhf: unit, end-to-end and package tests under qemu" scripts/arch-test.sh armhf
part web "web build in the browser" scripts/web-test.sh
part windows "Windows build under Wine" scripts/windows-test.sh
