#!/usr/bin/env bash
# zolt-calc's documents end to end: the program $1 writes the full report
# as PDF and ODF text in a bare environment (no display, no home), prints
# nothing but its own output, links no Qt itself, and without its document
# module refuses --pdf while every other run still works. The same inputs
# and date (SOURCE_DATE_EPOCH) give the same bytes in any time zone, and no
# runtime folder stays behind in the temporary folder.
set -euo pipefail
calc=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Outputs are taken whole before grep -q looks at them: under pipefail a
# grep that stops early would fail the writer of the pipe.

if ldd "$calc" | grep -qi 'libqt'; then
  fail "zolt-calc links Qt: $(ldd "$calc" | grep -i libqt)"
fi

# A Terzaghi strip worked by hand: 535033 Kg.
bare=(env -i PATH=/usr/bin:/bin)
start=$(date +%s%N)
"${bare[@]}" "$calc" --method terzaghi --pdf "$work/r.pdf" --odt "$work/r.odt" B=2 L=3 phi=30 \
  >"$work/out" 2>"$work/err" || fail "exit $? ($(cat "$work/err"))"
end=$(date +%s%N)
echo "zolt-calc --pdf --odt: $(( (end - start) / 1000000 )) ms"
[ -s "$work/err" ] && fail "standard error: $(cat "$work/err")"
grep -q "Capacit.* portante    535033 Kg" "$work/out" || fail "report: $(cat "$work/out")"

text=$(pdftotext -layout "$work/r.pdf" -)
for expected in "ZOLT 6.0 – Relazione di calcolo" "progetto senza nome" "Pagina 1 di" \
                "Capacità portante (carico limite)" "535033 Kg" "5246.88 kN" "Metodo di Terzaghi"; do
  grep -qF "$expected" <<<"$text" || fail "PDF lacks '$expected'"
done
pdffonts "$work/r.pdf" | tail -n +3 | awk '$(NF-4) != "yes" { bad = 1 } END { exit bad }' ||
  fail "a font is not embedded: $(pdffonts "$work/r.pdf")"
content=$(unzip -p "$work/r.odt" content.xml)
grep -q "535033" <<<"$content" || fail "ODT lacks the ultimate load"

# Made again elsewhere on the globe, the same day: the same bytes.
mkdir "$work/tmp"
for zone in UTC0 JST-9; do
  "${bare[@]}" TMPDIR="$work/tmp" SOURCE_DATE_EPOCH=1700000000 TZ=$zone \
    "$calc" --pdf "$work/$zone.pdf" --odt "$work/$zone.odt" B=2 L=3 >/dev/null
done
cmp -s "$work/UTC0.pdf" "$work/JST-9.pdf" || fail "the same PDF differs: $(cmp "$work/UTC0.pdf" "$work/JST-9.pdf")"
cmp -s "$work/UTC0.odt" "$work/JST-9.odt" || fail "the same ODT differs: $(cmp "$work/UTC0.odt" "$work/JST-9.odt")"
grep -qF "2023-11-14" <<<"$(pdftotext "$work/UTC0.pdf" -)" || fail "the PDF lacks the date of SOURCE_DATE_EPOCH"
left=$(ls -A "$work/tmp")
[ -z "$left" ] || fail "left in the temporary folder: $left"

# The project's file name, without its folders, heads every page.
"$calc" --save "$work/plinto nord.dat" B=2 L=3 phi=30 >/dev/null
"$calc" --pdf "$work/p.pdf" "$work/plinto nord.dat" >/dev/null
header=$(pdftotext "$work/p.pdf" -)
grep -q "plinto nord.dat – " <<<"$header" || fail "header lacks the project's name"

# A project: its title heads the pages, its profile and water table are
# among the inputs, the comparison runs on its ground.
example=$(dirname "$0")/../../resources/examples/tre-strati-con-falda.zolt
"$calc" --pdf "$work/tre.pdf" "$example" >/dev/null
project=$(pdftotext -layout "$work/tre.pdf" -)
for expected in "Plinto su tre strati con falda – " "Committente: Committente di esempio" \
                "Stratigrafia e falda" "Argilla limosa" "Falda a zw = 2.00 m" \
                "Condizione non drenata (tensioni totali)" "7. Cedimenti" "Metodo edometrico" \
                "s = 4.537 cm ≤ samm = 5.00 cm" "8. Note"; do
  grep -qF "$expected" <<<"$project" || fail "the project's PDF lacks '$expected'"
done
# The settlement's table row of the clay, as zolt-calc --settlement gives it.
grep -qE "Argilla limosa +1\.50 +4\.50 +4\.269 +42\.69" <<<"$project" ||
  fail "the project's PDF lacks the settlement of the clay"

# A project with actions and the seismic site: the verification checks
# every combination, a CSV's given combinations in their place too.
seismic=$(dirname "$0")/../../resources/examples/plinto-sismico-con-azioni.zolt
"$calc" --verify ntc2018 --pdf "$work/sisma.pdf" "$seismic" >/dev/null
actions=$(pdftotext -layout "$work/sisma.pdf" -)
for expected in "Azioni caratteristiche" "Verifica delle combinazioni" "kh = 0.0576" \
                "Combinazione determinante 13: SLV 1: E + G1 + G2 + 0.3 Uffici"; do
  grep -qF "$expected" <<<"$actions" || fail "the actions' PDF lacks '$expected'"
done
printf 'name;type;N;TB;TL;MB;ML\nDa CSV;ULS;500;10;0;0;0\n' >"$work/c.csv"
"$calc" --verify ntc2018 --combinations-csv "$work/c.csv" --units kN --pdf "$work/csv.pdf" \
  "$seismic" >/dev/null
given=$(pdftotext -layout "$work/csv.pdf" -)
for expected in "Combinazioni date" "Da CSV" "50986"; do
  grep -qF "$expected" <<<"$given" || fail "the given combinations' PDF lacks '$expected'"
done

# Refused inputs write no document.
set +e
"$calc" --pdf "$work/no.pdf" phi=0 c=0 >/dev/null 2>&1
code=$?
set -e
[ "$code" -eq 2 ] || fail "refused inputs: exit $code"
[ -e "$work/no.pdf" ] && fail "a refused run wrote its document"

# Alone, without the module beside it: --pdf is refused, the rest works.
mkdir "$work/alone"
cp "$calc" "$work/alone/"
set +e
"$work/alone/zolt-calc" --pdf "$work/alone.pdf" B=2 L=3 phi=30 >/dev/null 2>"$work/err"
code=$?
set -e
[ "$code" -eq 3 ] || fail "without the module: exit $code"
grep -q "modulo dei documenti non disponibile" "$work/err" || fail "no reason given: $(cat "$work/err")"
[ -e "$work/alone.pdf" ] && fail "wrote a document without the module"
plain=$("$work/alone/zolt-calc" B=2 L=3 phi=30)
grep -q "479775 Kg" <<<"$plain" || fail "plain run without the module"
echo OK
