#!/usr/bin/env bash
# Cross-builds the libraries bounce needs on Windows into a prefix: freeglut, from the upstream
# tarball Debian's archive serves (checked against its known checksum), and with "googletest"
# also GoogleTest, from Debian's googletest package. What the prefix already holds is kept.
# Usage: windows/libraries.sh PREFIX [googletest]   (after scripts/deps.sh windows)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib.sh"
mkdir -p "$1"
prefix=$(cd "$1" && pwd)
toolchain=$here/toolchain.cmake
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

freeglut_tarball=freeglut_3.4.0.orig.tar.gz
freeglut_sha256=3c0bcb915d9b180a97edaebd011b7a1de54583a838644dcd42bb0ea0c6f3eaec

# Builds the CMake project in $1 for Windows and installs it into the prefix; the rest of the
# arguments are its options. Libraries carry no timestamp and no symbols, as they ship.
build() {
    local source=$1
    shift
    cmake -S "$source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_SHARED_LINKER_FLAGS="-Wl,--no-insert-timestamp -s" "$@" >"$work/log" 2>&1 &&
        cmake --build "$work/build" -j"$(nproc)" >>"$work/log" 2>&1 &&
        cmake --install "$work/build" >>"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
    rm -rf "$work/build"
}

# freeglut's upstream tarball, by its own name in the pool of the archive the machine installs
# from, which keeps it for every release that ships freeglut 3.4.0; apt's downloader fetches
# it through the machine's own apt configuration and checks it.
fetch_freeglut() {
    local uri
    uri=$(mirror)
    /usr/lib/apt/apt-helper -o APT::Sandbox::User="$(id -un)" download-file \
        "${uri%/}/pool/main/f/freeglut/$freeglut_tarball" "$work/$freeglut_tarball" \
        "SHA256:$freeglut_sha256" >/dev/null ||
        fail "$freeglut_tarball: not served, or not with the expected checksum"
}

if [ ! -f "$prefix/share/doc/freeglut/COPYING" ]; then
    echo "== freeglut for Windows" >&2
    fetch_freeglut
    tar -xzf "$work/$freeglut_tarball" -C "$work"
    build "$work/freeglut-3.4.0" -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=OFF
    install -D -m 644 "$work/freeglut-3.4.0/COPYING" "$prefix/share/doc/freeglut/COPYING"
fi

# GoogleTest uses Windows' own threads, so that the tests need no MinGW threads DLL.
if [ "${2:-}" = googletest ] && [ ! -d "$prefix/lib/cmake/GTest" ]; then
    echo "== GoogleTest for Windows" >&2
    build /usr/src/googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON \
        -DCMAKE_CXX_FLAGS="-static-libgcc -static-libstdc++"
fi
