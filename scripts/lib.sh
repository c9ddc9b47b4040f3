# The helpers the scripts share; sourced from the project's folder, after set -euo pipefail.

fail() { echo "FAILED: $*" >&2; exit 1; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# configure_build PRESET [TARGET...]: configures and builds a preset, quietly.
configure_build() {
    local preset=$1 targets=()
    shift
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" "${targets[@]}" >/dev/null
}

# project_version BUILD-FOLDER: the project's version, as that build configured it.
project_version() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"; }

# Exports SOURCE_DATE_EPOCH, the time every timestamp of a release takes: the commit's time,
# unless it is already set.
source_date() {
    [ -n "${SOURCE_DATE_EPOCH:-}" ] ||
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || dpkg-parsechangelog -STimestamp)
    export SOURCE_DATE_EPOCH
}

# reproducible FILE COMMAND...: runs the release command again in a copy of the tree on the
# other kind of filesystem (a tmpfs of its own where the project is on disk, disk where it is
# on tmpfs), and fails unless the file of FILE's name beside the path it prints last has the
# same bytes.
reproducible() {
    local file=$1 copy again
    shift
    copy=$(mktemp -d /var/tmp/bounce.XXXXXX)
    [ "$(stat -f -c %T .)" = tmpfs ] || as_root mount -t tmpfs tmpfs "$copy"
    as_root chown "$(id -u):$(id -g)" "$copy"
    tar --exclude=./build --exclude=./tests/web/node_modules -cf - . | tar -xf - -C "$copy"
    again=$(cd "$copy" && "$@" | tail -n 1)
    cmp "$file" "$(dirname "$again")/$(basename "$file")" ||
        fail "$(basename "$file") differs when built again in $copy"
    as_root umount "$copy" 2>/dev/null || true
    as_root rm -rf "$copy"
}

# mirror [SUITE]: the address this machine installs a suite of its Debian release from; by
# default the release's own suite, which must have one.
mirror() {
    local suite=${1:-$(. /etc/os-release && echo "$VERSION_CODENAME")} uri
    uri=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
        awk -v suite="$suite" '$2 == suite {print $1; exit}')
    [ -n "$uri" ] || [ $# -gt 0 ] || fail "no apt source for $suite"
    echo "$uri"
}

# codename RELEASE: the code name of a Debian release given by its number (12, 13) or name.
codename() {
    case "$1" in
        12 | bookworm) echo bookworm ;;
        13 | trixie) echo trixie ;;
        *) fail "Debian $1 is not one of the releases tested (12, 13)" ;;
    esac
}

# debian_sources [RELEASE]: the apt lines of a Debian release, this machine's by default (its
# main suite, updates and security suites), from the archives this machine installs from.
debian_sources() {
    local codename uri security
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    uri=$(mirror) security=$(mirror "$codename-security")
    codename=$(codename "${1:-$codename}")
    echo "deb $uri $codename main"
    echo "deb $uri $codename-updates main"
    [ -z "$security" ] || echo "deb $security $codename-security main"
}

# pbuilder_base RELEASE: pbuilder's clean base system of a release, which package.sh keeps.
pbuilder_base() { echo "/var/cache/pbuilder/bounce-$(codename "$1").tgz"; }

# make_debian FOLDER [ARCHITECTURE [PACKAGE,... [RELEASE]]]: a minimal Debian system in the
# folder, of this machine's release or another one, for its own architecture or another one
# (run through qemu), with the packages named.
make_debian() {
    local root=$1 arch=${2:-$(dpkg --print-architecture)} sources uri release
    sources=$(debian_sources ${4:+"$4"})
    read -r _ uri release _ <<<"$sources"
    as_root debootstrap --variant=minbase --arch="$arch" ${3:+--include="$3"} "$release" \
        "$root" "$uri" >/dev/null
    as_root tee "$root/etc/apt/sources.list" <<<"$sources" >/dev/null
}

# start_xvfb [PREFIX...]: starts Xvfb (1280x1024x24) on a free display number, through the
# prefix if one is given (e.g. taskset -c 1); sets DISPLAY and XVFB_PID.
start_xvfb() {
    local fifo number=
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    "$@" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r number <"$fifo" || true
    rm -f "$fifo"
    [ -n "$number" ] || fail "Xvfb did not start"
    export DISPLAY=":$number"
}
