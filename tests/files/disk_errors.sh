#!/bin/bash
# zolt-calc on a small tmpfs of its own (in a private mount namespace),
# full and then read-only, and on a folder it may not write: every save
# fails with exit 3 and its reason, and leaves the old file whole, whether
# it replaces the file or writes in place (a file with a second hard link).
# Skipped (77) where no tmpfs may be mounted.
# Usage: disk_errors.sh ZOLT_CALC
set -u
calc=$1
if [ "${2:-}" != inside ]; then
    unshare -m true 2>/dev/null || { echo "no mount namespace here"; exit 77; }
    exec unshare -m bash "$0" "$calc" inside
fi
work=$(mktemp -d) || exit 1
trap 'umount "$work/disk" 2>/dev/null; rm -rf "$work"' EXIT
disk=$work/disk
mkdir "$disk"
mount -t tmpfs -o size=256k,mode=0755 tmpfs "$disk" 2>/dev/null || { echo "cannot mount a tmpfs"; exit 77; }
failed=0
check() { # what, condition...
    local what=$1
    shift
    if ! "$@"; then
        echo "FAILED: $what"
        failed=1
    fi
}

# saves the CSV of a sweep (some 200 KB) into $1; checks exit 3, the reason
# on standard error, and that $1 still holds "old contents".
refused_save() { # file, reason, what
    "$calc" --sweep B=0.1:99.9:2000 --csv "$1" 2>"$work/err"
    check "$3: exit $? is 3" [ $? -eq 3 ]
    check "$3: reason given ($(cat "$work/err"))" grep -qF "($1: $2)" "$work/err"
    check "$3: the old file is whole" [ "$(cat "$1")" = "old contents" ]
}

echo "old contents" >"$disk/replaced.csv"
echo "old contents" >"$disk/linked.csv"
ln "$disk/linked.csv" "$disk/second-name.csv"
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
refused_save "$disk/replaced.csv" "spazio esaurito sul dispositivo" "full disk, replaced"
refused_save "$disk/linked.csv" "spazio esaurito sul dispositivo" "full disk, in place"
check "full disk: nothing left behind" [ -z "$(find "$disk" -name '.zolt-*')" ]

rm "$disk/filler"
"$calc" --sweep B=0.1:99.9:2000 --csv "$disk/linked.csv"
check "room again: the save in place works" cmp -s "$disk/linked.csv" "$disk/second-name.csv"
check "room again: the save in place wrote the CSV" grep -q '^B,' "$disk/linked.csv"
echo "old contents" >"$disk/linked.csv"

mount -o remount,ro "$disk"
refused_save "$disk/replaced.csv" "file system in sola lettura" "read-only, replaced"
refused_save "$disk/linked.csv" "file system in sola lettura" "read-only, in place"
"$calc" --save "$disk/new.dat" 2>"$work/err"
check "read-only, new file: reason given" grep -qF "file system in sola lettura" "$work/err"

# A folder of root's that nobody may write.
if [ "$(id -u)" -eq 0 ] && setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
    mkdir "$work/root-only"
    chmod 755 "$work" "$work/root-only"
    setpriv --reuid=65534 --regid=65534 --clear-groups \
        "$calc" --save "$work/root-only/p.dat" 2>"$work/err"
    check "no permission: exit 3" [ $? -eq 3 ]
    check "no permission: reason given" grep -qF "(p.dat: permesso negato)" \
        <(sed "s|$work/root-only/||" "$work/err")
fi
exit $failed
