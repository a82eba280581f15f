# Fresh Debian 12 roots for CI, sourced by .ci/run.
#
# Every root starts as a copy of one pristine `debootstrap --variant=minbase bookworm`
# tarball kept outside the clone. Nothing but root_base writes that tarball, and it writes
# it whole or not at all, so no root ever inherits packages of an earlier run. Only the
# downloaded .deb files are shared, through an apt archive folder bound into each root.
#
# A root has the host's proc, sys, dev, dev/pts and dev/shm bound into it (pseudo-terminals
# and shared memory for the serial and window tests). They are unmounted, and whatever
# still runs inside the root is ended, before the root is deleted: deleting a root with
# /dev still bound would delete the host's device files.

ci_cache=${KESTREL_CI_CACHE:-/var/cache/kestrel-ci}
root_base_tar=$ci_cache/bookworm-minbase.tar
root_apt_archives=$ci_cache/apt-archives
root_mirror=${KESTREL_CI_MIRROR:-http://deb.debian.org/debian}
roots_made=()

# Makes the pristine base tarball when it is missing or over a week old.
root_base() {
  if [[ -s $root_base_tar ]] && [[ -z $(find "$root_base_tar" -mtime +7) ]]; then
    echo "base root: $root_base_tar ($(date -r "$root_base_tar" +%F))"
    return
  fi
  command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  mkdir -p "$ci_cache"
  local staging
  staging=$(mktemp -d "$ci_cache/debootstrap.XXXXXX")
  echo "base root: debootstrap --variant=minbase bookworm"
  if ! debootstrap --variant=minbase bookworm "$staging" "$root_mirror" >"$staging.log" 2>&1; then
    tail -n 20 "$staging.log" >&2
    rm -rf --one-file-system "$staging" "$staging.log"
    return 1
  fi
  tar -C "$staging" -cf "$root_base_tar.tmp" .
  mv -f "$root_base_tar.tmp" "$root_base_tar"
  rm -rf --one-file-system "$staging" "$staging.log"
}

# Unpacks a fresh root from the base into a new folder, named in the variable given.
root_new() { # variable
  local root
  root=$(mktemp -d /var/tmp/kestrel-root.XXXXXX)
  roots_made+=("$root")
  printf -v "$1" '%s' "$root"
  tar -C "$root" -xpf "$root_base_tar"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mkdir -p "$root_apt_archives/partial"
  local mountpoint
  mount -t proc proc "$root/proc"
  for mountpoint in sys dev dev/pts dev/shm; do
    mount --bind "/$mountpoint" "$root/$mountpoint"
  done
  mount --bind "$root_apt_archives" "$root/var/cache/apt/archives"
}

# Runs a command line as root inside a root, with a clean environment.
root_run() { # root command-line
  chroot "$1" /usr/bin/env -i HOME=/root TERM=dumb CI=true \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -c "$2"
}

# Mount points under a folder, deepest first.
root_mounts() {
  awk -v root="$1" '$5 == root || index($5, root "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}

# Ends what runs inside a root, unmounts it and deletes it. Refuses to delete while
# anything is still mounted under it.
root_release() {
  local root=$1 pid mountpoint
  [[ -d $root ]] || return 0
  for pid in /proc/[0-9]*; do
    [[ $(readlink "$pid/root" 2>/dev/null) == "$root" ]] && kill -KILL "${pid#/proc/}" 2>/dev/null
  done
  sleep 0.2
  while read -r mountpoint; do
    umount "$mountpoint" 2>/dev/null || umount -l "$mountpoint"
  done < <(root_mounts "$root")
  if [[ -n $(root_mounts "$root") ]]; then
    echo "still mounted under $root, not deleting it:" >&2
    root_mounts "$root" >&2
    return 1
  fi
  rm -rf --one-file-system "$root"
}

roots_release() {
  local root status=0
  for root in "${roots_made[@]}"; do root_release "$root" || status=1; done
  roots_made=()
  return $status
}
