#!/usr/bin/env bash
# Installs the Debian packages that a task needs, when they are missing.
# Usage: scripts/deps.sh build|package|e2e|test|bench|web|webtest|windows|windowstest|fresh
#                        |ARCH-test (ARCH: arm64 or armhf, through multiarch)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

build=(cmake make g++ pkg-config binutils libgl-dev libglut-dev libgtest-dev)
package=(dpkg-dev debhelper pbuilder debootstrap git)
e2e=(xvfb openbox libx11-dev libxtst-dev zlib1g-dev time)
test=("${e2e[@]}" clang-format clang-tidy cppcheck desktop-file-utils appstream lintian blhc
      devscripts autopkgtest piuparts weston xwayland)
bench=(libbenchmark-dev valgrind)
web=(cmake make emscripten)
webtest=(chromium firefox-esr)
windows=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 icoutils zip dpkg-dev)
windowstest=(wine wine64 googletest unzip)
# Another architecture: its cross compiler and libraries, and for its tests GoogleTest, Mesa's
# drivers and qemu to run them.
declare -A triplet=([arm64]=aarch64-linux-gnu [armhf]=arm-linux-gnueabihf)
task=${1:-build}
arch=${task%-test}
if [ -n "${triplet[$arch]:-}" ]; then
    cross=("g++-${triplet[$arch]}" "libglut-dev:$arch" "libgl-dev:$arch")
    crosstest=("libgtest-dev:$arch" "libgl1-mesa-dri:$arch" qemu-user-static binfmt-support)
fi

case "$task" in
    build) wanted=("${build[@]}") ;;
    package) wanted=("${build[@]}" "${package[@]}") ;;
    e2e) wanted=("${build[@]}" "${e2e[@]}") ;;
    fresh) wanted=(debootstrap git) ;;
    test) wanted=("${build[@]}" "${package[@]}" "${test[@]}") ;;
    bench) wanted=("${build[@]}" "${package[@]}" "${test[@]}" "${bench[@]}") ;;
    web) wanted=("${web[@]}") ;;
    webtest) wanted=("${build[@]}" "${web[@]}" "${webtest[@]}") ;;
    windows) wanted=("${windows[@]}") ;;
    windowstest) wanted=("${build[@]}" "${e2e[@]}" "${windows[@]}" "${windowstest[@]}") ;;
    arm64-test | armhf-test) wanted=("${build[@]}" "${e2e[@]}" "${cross[@]}" "${crosstest[@]}") ;;
    *) echo "usage: $0 build|package|e2e|test|bench|web|webtest|windows|windowstest|fresh|ARCH-test" >&2
       exit 2 ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for package in "${wanted[@]}"; do
    installed "$package" || missing+=("$package")
done
# Node.js and npm may come from elsewhere than Debian; Debian's are only wanted without them.
case "$task" in
    web) command -v node >/dev/null || missing+=(nodejs) ;;
    webtest) command -v npm >/dev/null || missing+=(nodejs npm) ;;
esac
[ ${#missing[@]} -gt 0 ] || exit 0
[ -z "${triplet[$arch]:-}" ] || dpkg --print-foreign-architectures | grep -qx "$arch" ||
    as_root dpkg --add-architecture "$arch"
as_root apt-get update -qq
echo "Installing: ${missing[*]}"
# Recommended packages are left out: none is needed here, and some are large.
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
