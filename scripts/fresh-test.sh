#!/usr/bin/env bash
# Runs the README's test command as a new user would, before a release (CI does not run it):
# in a fresh minimal Debian of this machine's release with git added, made by debootstrap,
# on a clone of this repository's HEAD, as root, with a bare environment: no caches of any
# kind, no LANG, no D-Bus session, no XDG_RUNTIME_DIR. Only the machine's own certificate
# authorities come along, which its network may need to reach the npm registry. Each run gets
# a new system; prints each run's time. Usage: scripts/fresh-test.sh [runs (1)] (as root or
# through sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh fresh

work=$(mktemp -d)
root=$work/root
# What the run left running in the system goes before the system does.
leave_root() {
    local process
    for process in /proc/[0-9]*; do
        [ "$(as_root readlink "$process/root" 2>/dev/null)" != "$root" ] ||
            as_root kill -KILL "${process#/proc/}" 2>/dev/null || true
    done
    as_root umount -R "$root/dev" "$root/sys" "$root/proc" 2>/dev/null || true
    as_root rm -rf --one-file-system "$root"
}
trap 'leave_root; rm -rf "$work"' EXIT

for ((run = 1; run <= ${1:-1}; ++run)); do
    echo "== run $run: a fresh Debian"
    make_debian "$root" "" git,ca-certificates
    as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
    as_root cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
    as_root chroot "$root" update-ca-certificates >/dev/null
    as_root mount -t proc proc "$root/proc"
    as_root mount -t sysfs sysfs "$root/sys"
    as_root mount --rbind /dev "$root/dev"
    as_root mount --make-rslave "$root/dev"
    as_root git clone -q "$PWD" "$root/root/bounce"
    start=$SECONDS
    as_root chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin CI=true \
        ${NODE_EXTRA_CA_CERTS:+NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt} \
        bash -c 'cd /root/bounce && bash .ci/run' >"$work/run$run.log" 2>&1 ||
        { tail -n 40 "$work/run$run.log" >&2; fail "run $run after $((SECONDS - start)) s"; }
    echo "run $run passed in $((SECONDS - start)) s"
    leave_root
done
