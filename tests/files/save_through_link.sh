#!/bin/bash
# zolt-calc saving through symbolic links: the file a link names is written,
# with its mode and group, and the link stays a link.
# Usage: save_through_link.sh ZOLT_CALC
set -u
calc=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/ref" "$work/save" "$work/save/sub"
"$calc" B=0.7 --save "$work/ref/expected.dat" || exit 1
cd "$work/save" || exit 1
failed=0
check() { # what, condition...
    local what=$1
    shift
    if ! "$@"; then
        echo "FAILED: $what"
        failed=1
    fi
}

# A link beside its file, saved by a relative name.
printf 'old contents' >real.dat
chmod 640 real.dat
group=$(stat -c %g real.dat)
if [ "$(id -u)" -eq 0 ]; then
    chgrp 100 real.dat && group=100
fi
ln -s real.dat link.dat
"$calc" B=0.7 --save link.dat
check "save through link.dat exits 0" [ $? -eq 0 ]
check "link.dat is still a link" [ -L link.dat ]
check "link.dat still names real.dat" [ "$(readlink link.dat)" = real.dat ]
check "real.dat holds the new contents" cmp -s real.dat "$work/ref/expected.dat"
check "real.dat keeps its mode" [ "$(stat -c %a real.dat)" = 640 ]
check "real.dat keeps its group" [ "$(stat -c %g real.dat)" = "$group" ]

# A dangling link, in a folder of its own, creates the file it names there.
ln -s made.dat sub/dangling.dat
"$calc" B=0.7 --save sub/dangling.dat
check "save through a dangling link exits 0" [ $? -eq 0 ]
check "sub/dangling.dat is still a link" [ -L sub/dangling.dat ]
check "sub/made.dat holds the new contents" cmp -s sub/made.dat "$work/ref/expected.dat"

left=$(cd "$work/save" && find . | sort | tr '\n' ' ')
check "nothing else in the folder (found: $left)" \
    [ "$left" = ". ./link.dat ./real.dat ./sub ./sub/dangling.dat ./sub/made.dat " ]
exit $failed
