#!/usr/bin/env bash
# Tests bounce for another architecture (arm64 or armhf) on this machine, through Debian's
# multiarch and qemu's user-mode emulation, with Mesa's software renderer of that
# architecture: the unit tests cross-built and run under qemu, the end-to-end tests on the
# cross-built program, and the package's test, in a clean system of that architecture.
# Usage: scripts/arch-test.sh ARCH (as root or through sudo, for the packages it installs)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
arch=$1
scripts/deps.sh "$arch-test"
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}

echo "== $arch unit tests under qemu"
cmake --workflow --preset "$arch-test" | grep -v -E '^\[ *[0-9]+%\]|^ +Start '

echo "== $arch end-to-end tests under qemu"
configure_build "$arch"
configure_build ci e2e_tests
emulator=$(sed -n 's/^set(BOUNCE_EMULATOR \(.*\))$/\1/p' "cmake/toolchains/$arch.cmake")
BOUNCE_LAUNCHER=$emulator BOUNCE_EXECUTABLE=$PWD/build/$arch/bounce \
    build/ci/tests/e2e/e2e_tests --gtest_brief=1

echo "== $arch package"
scripts/package-test.sh "$arch"
