#!/bin/bash
# zolt-calc saving through symbolic links: the file a link names is written,
# with its mode and group, and the link stays a link; in a sticky folder
# that everybody may write, only links of our own or of the folder's owner
# are followed, as the kernel's fs.protected_symlinks has it.
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

# Links of nobody's in sticky folders, owned by root and by nobody.
if [ "$(id -u)" -eq 0 ]; then
    mkdir -m 1777 "$work/shared" "$work/nobodys"
    chown 65534 "$work/nobodys"
    chmod 755 "$work"
    # owner of the folder | owner of the link | followed
    while read -r folder owner followed; do
        rm -f "$work/$folder/link.dat"
        ln -s ../secret "$work/$folder/link.dat"
        chown -h "$owner" "$work/$folder/link.dat"
        printf 'secret' >"$work/secret"
        chmod 600 "$work/secret"
        "$calc" B=0.7 --save "$work/$folder/link.dat" 2>"$work/err"
        code=$?
        if [ "$followed" = yes ]; then
            check "$folder, link of $owner: followed" cmp -s "$work/secret" "$work/ref/expected.dat"
        else
            check "$folder, link of $owner: exit 3" [ "$code" -eq 3 ]
            check "$folder, link of $owner: reason" grep -q "permesso negato" "$work/err"
            check "$folder, link of $owner: the file it names is untouched" \
                [ "$(cat "$work/secret")" = secret ]
        fi
        check "$folder, link of $owner: still a link" [ -L "$work/$folder/link.dat" ]
    done <<'EOF'
shared 65534 no
shared 0 yes
nobodys 65534 yes
EOF
fi
exit $failed
