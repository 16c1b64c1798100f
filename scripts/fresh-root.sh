#!/usr/bin/env bash
# Runs a command on a copy of this checkout inside a brand-new minimal Debian 12
# root, so that nothing installed on the machine by hand can stand in for a
# missing install step.
#
#   bash scripts/fresh-root.sh bash scripts/test.sh     # what CI runs
#   bash scripts/fresh-root.sh -k bash scripts/run.sh   # keep the root afterwards
#
# The root comes from debootstrap (minbase) with the machine's own Debian
# package source and apt settings; a base root is made once and kept in
# /var/cache/velmora-root (about 200 MB, a minute), each run works on a copy of
# it. The checkout's tracked and untracked files (not build/) are copied to
# /work/velmora inside; the command runs there as root with a clean
# environment. Where no root can be made (not root, no package source,
# debootstrap failing), one line says why and the command runs here instead.
# The exit status is the command's.
set -euo pipefail

keep=0
if [ "${1:-}" = "-k" ]; then
    keep=1
    shift
fi
[ $# -ge 1 ] || {
    echo "usage: fresh-root.sh [-k] COMMAND..." >&2
    exit 2
}
checkout="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

on_host() {
    echo "fresh-root.sh: $1; running on this machine instead"
    shift
    cd "$checkout"
    exec "$@"
}

[ "$(id -u)" -eq 0 ] || on_host "a fresh root needs root" "$@"
source_uri=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
[ -n "$source_uri" ] || source_uri=$(awk '/^deb / { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
[ -n "$source_uri" ] || on_host "no Debian package source on this machine" "$@"
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null 2>&1 ||
        on_host "debootstrap could not be installed" "$@"
fi

base=/var/cache/velmora-root/bookworm
if [ ! -x "$base/bin/bash" ]; then
    echo "fresh-root.sh: making the base root from $source_uri (once)"
    rm -rf "$base.partial"
    mkdir -p "$(dirname "$base")"
    if ! debootstrap --variant=minbase bookworm "$base.partial" "$source_uri" >"$base.log" 2>&1; then
        tail -n 5 "$base.log" >&2
        on_host "debootstrap failed (log: $base.log)" "$@"
    fi
    mv "$base.partial" "$base"
fi

root=$(mktemp -d /var/tmp/velmora-root.XXXXXX)
mounts=(proc sys dev dev/pts dev/shm)
cleanup() {
    local m
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        m=${mounts[i]}
        umount -l "$root/$m" 2>/dev/null || true
    done
    if [ "$keep" -eq 1 ]; then
        echo "fresh-root.sh: the root is kept at $root"
    elif grep -q " $root/" /proc/mounts; then
        # Deleting through a mount would reach the machine's own /dev.
        echo "fresh-root.sh: something is still mounted under $root; left in place" >&2
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

cp -a "$base/." "$root/"
# The machine's way to its packages (source, proxy, settings) and to names.
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
cp -a /etc/apt/apt.conf.d/. "$root/etc/apt/apt.conf.d/" 2>/dev/null || true
if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null; then
    cp -a /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/"
    rm -f "$root/etc/apt/sources.list"
fi
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mkdir -p "$root/dev/shm"
mount -t tmpfs shm "$root/dev/shm"

mkdir -p "$root/work/velmora"
(cd "$checkout" && git ls-files -co --exclude-standard -z | grep -zv '^build/' |
    xargs -0 cp --parents -a -t "$root/work/velmora")

echo "fresh-root.sh: in a fresh Debian 12 root: $*"
set +e
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c 'cd /work/velmora && exec "$@"' fresh-root "$@"
status=$?
set -e
echo "fresh-root.sh: exit status $status"
exit "$status"
