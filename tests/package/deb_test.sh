#!/usr/bin/env bash
# Builds the .deb of the build folder $1 with cpack ($2), unpacks it and
# runs the zolt-calc inside, also writing a PDF through its document
# module; checks the package's contents, its dependencies and that man
# finds its pages.
set -euo pipefail
build=$1
cpack=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && "$cpack" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  exit 1
}
deb=$(ls "$work"/out/zolt_*.deb)
echo "package: $(basename "$deb")"

fail() { echo "FAIL: $*"; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

dpkg-deb -x "$deb" "$work/root"
for file in usr/bin/zolt usr/bin/zolt-calc usr/lib/zolt/modules/zolt-document.so \
            usr/share/applications/zolt.desktop usr/share/metainfo/org.example.zolt.metainfo.xml \
            usr/share/bash-completion/completions/zolt-calc \
            usr/share/icons/hicolor/scalable/apps/zolt.svg usr/share/doc/zolt/guida/index.html \
            usr/share/zolt/project.schema.json usr/share/zolt/examples/tre-strati-con-falda.zolt; do
  [ -e "$work/root/$file" ] || fail "missing $file"
done
grep -qx 'Categories=Science;Engineering;' "$work/root/usr/share/applications/zolt.desktop" ||
  fail "the desktop entry's categories: $(grep Categories "$work/root/usr/share/applications/zolt.desktop")"

# man finds each page in Italian under the C locale and under it_IT.
for page in zolt zolt-calc; do
  for locale in C:man1 it_IT.UTF-8:it/man1; do
    found=$(env -i PATH=/usr/bin:/bin LC_ALL=${locale%%:*} MANPATH="$work/root/usr/share/man" man -w "$page") ||
      fail "man -w $page under ${locale%%:*}"
    [ "$found" = "$work/root/usr/share/man/${locale#*:}/$page.1.gz" ] ||
      fail "man finds $found for $page under ${locale%%:*}"
  done
done

# The project file's type, for a double click on a .zolt file.
[ -e "$work/root/usr/share/mime/packages/zolt.xml" ] || fail "missing the MIME type of .zolt"

out=$("$work/root/usr/bin/zolt-calc" B=2 L=3 phi=30)
grep -q "Capacit.* portante    479775 Kg" <<<"$out" || fail "unexpected zolt-calc output: $out"

# The unpacked zolt-calc finds its document module relative to itself
# (../lib/zolt/modules) and writes the full report without a display.
env -i PATH=/usr/bin:/bin "$work/root/usr/bin/zolt-calc" --pdf "$work/r.pdf" B=2 L=3 phi=30 \
  >/dev/null 2>"$work/err" || fail "zolt-calc --pdf: $(cat "$work/err")"
text=$(pdftotext "$work/r.pdf" -)
grep -q "Pagina 1 di" <<<"$text" || fail "the unpacked zolt-calc's PDF: $text"
grep -q "479775" <<<"$text" || fail "the unpacked zolt-calc's PDF lacks the load"
echo "OK"
