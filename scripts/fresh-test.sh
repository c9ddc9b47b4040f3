#!/usr/bin/env bash
# Runs the README's test command as a new user would: in a fresh minimal Debian (12 or 13)
# with git added, made by debootstrap, on a clone of this repository's HEAD, with a bare
# environment: no caches of any kind, no LANG, no D-Bus session, no XDG_RUNTIME_DIR. It runs
# as root, or as an ordinary user with passwordless sudo in a system that looks installed
# (its host name in /etc/hosts), through a login shell. Only the machine's own certificate
# authorities come along, which its network may need to reach the npm registry. Each run gets
# a new system; prints each run's time. The parts named go to scripts/test.sh (all by default).
# Usage: scripts/fresh-test.sh [-r 12|13] [-u root|sudo] [-n runs] [part...]
#        (as root or through sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
. /etc/os-release
release=$VERSION_ID user=root runs=1
while getopts r:u:n: option; do
    case "$option" in
        r) release=$OPTARG ;;
        u) user=$OPTARG ;;
        n) runs=$OPTARG ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[[ "$user" =~ ^(root|sudo)$ ]] || fail "-u takes root or sudo, not $user"
packages=git,ca-certificates
[ "$user" = root ] || packages+=,sudo
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

in_root() { as_root chroot "$root" "$@"; }
for ((run = 1; run <= runs; ++run)); do
    echo "== run $run: a fresh Debian $release, the test command run by $user"
    make_debian "$root" "" "$packages" "$release"
    as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
    as_root cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
    in_root update-ca-certificates >/dev/null 2>&1
    as_root mount -t proc proc "$root/proc"
    as_root mount -t sysfs sysfs "$root/sys"
    as_root mount --rbind /dev "$root/dev"
    as_root mount --make-rslave "$root/dev"
    command="cd ~/bounce && scripts/test.sh $*"
    [ -z "${NODE_EXTRA_CA_CERTS:-}" ] ||
        command="export NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt; $command"
    account=root home=/root
    run_test=(/usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin bash -c "$command")
    if [ "$user" = sudo ]; then
        account=desktop home=/home/desktop
        hostname | as_root tee "$root/etc/hostname" >/dev/null
        echo "127.0.1.1 $(hostname)" | as_root tee -a "$root/etc/hosts" >/dev/null
        in_root useradd --create-home --shell /bin/bash "$account"
        echo "$account ALL=(ALL) NOPASSWD: ALL" |
            as_root tee "$root/etc/sudoers.d/$account" >/dev/null
        run_test=(/usr/bin/env -i /usr/sbin/runuser --login "$account" --command "$command")
    fi
    as_root git clone -q "$PWD" "$root$home/bounce"
    in_root chown -R "$account:" "$home/bounce"
    start=$SECONDS
    in_root "${run_test[@]}" >"$work/run$run.log" 2>&1 ||
        { tail -n 40 "$work/run$run.log" >&2; fail "run $run after $((SECONDS - start)) s"; }
    grep -E '^== [a-z0-9]+: passed in' "$work/run$run.log"
    echo "run $run passed in $((SECONDS - start)) s"
    leave_root
done
