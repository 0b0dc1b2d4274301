#!/usr/bin/env bash
# The project file's type as a desktop sees it: the shared-mime-info
# package of the source folder $1 compiled by update-mime-database ($2)
# must give *.zolt and the "zolt-project" contents that type, and the
# desktop entry must open files of it, passing the file to the program.
set -euo pipefail
resources=$1/resources
update=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

type=application/x-zolt-project
mkdir -p "$work/mime/packages"
cp "$resources/zolt-mime.xml" "$work/mime/packages/zolt.xml"
XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" "$update" "$work/mime" >"$work/update.log" 2>&1 || fail "update-mime-database: $(cat "$work/update.log")"
[ ! -s "$work/update.log" ] || fail "update-mime-database complains: $(cat "$work/update.log")"
grep -qx "50:$type:\*.zolt" "$work/mime/globs2" || fail "no *.zolt glob: $(cat "$work/mime/globs2")"
grep -q "zolt-project" "$work/mime/magic" || fail "no magic for the contents"
grep -qx "$type application/json" "$work/mime/subclasses" || fail "not a kind of JSON"

desktop=$resources/zolt.desktop
grep -qx "Exec=zolt %f" "$desktop" || fail "the desktop entry does not pass the file"
grep -qx "MimeType=$type;" "$desktop" || fail "the desktop entry does not open $type"
echo "OK"
