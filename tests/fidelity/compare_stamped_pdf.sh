#!/usr/bin/env bash
# Stamps the transcripts' drawing with StampedPdf (signatures through SignPdf.dll, then the
# watermark) and holds the result to the Linux build's (stamped/linux.pdf): the same words at the
# same places (pdftotext -bbox, within 0.5 pt), the same embedded faces (pdffonts, the subset tag
# aside), and pages that pdftoppm renders alike: at 50 dpi in grey, at most 0.1% of the pixels
# differ by more than 24 levels (the watermark alone changes some 2% by more than that).
# On a difference the new PDF is left in FOLDER for review; after a meant change, the Linux one is
# copied over stamped/linux.pdf by hand.
# Usage: compare_stamped_pdf.sh PROGRAM INPUT REFERENCE FOLDER [EMULATOR]
set -euo pipefail
program=$1 input=$2 reference=$3 folder=$4 emulator=${5:-}
rm -rf "$folder"
mkdir -p "$folder"
stamped=$folder/stamped.pdf
fail() { echo "FAILED: $*"; echo "the stamped PDF: $stamped"; exit 1; }

if [ -n "$emulator" ]; then
  $emulator "$program" "Z:$input" "Z:$stamped" || fail "StampedPdf under $emulator"
else
  "$program" "$input" "$stamped" || fail "StampedPdf"
fi

# Words with their boxes, page by page.
words() {
  pdftotext -bbox "$1" - | awk '
    /<page / { page++ }
    /<word / { match($0, />[^<]*</); text = substr($0, RSTART + 1, RLENGTH - 2)
               gsub(/[^0-9. ]/, " ", $0); split($0, n, " +")
               printf "%d %s %s %s %s %s\n", page, n[2], n[3], n[4], n[5], text }'
}
words "$reference" >"$folder/reference-words.txt"
words "$stamped" >"$folder/stamped-words.txt"
[ -s "$folder/reference-words.txt" ] || fail "the reference has no words"
paste -d'\n' "$folder/reference-words.txt" "$folder/stamped-words.txt" | awk '
  NR % 2 == 1 { split($0, a, " "); ref = $0; next }
  { split($0, b, " ")
    if (a[1] != b[1] || a[6] != b[6]) { print "word differs: " ref " / " $0; bad = 1; next }
    for (i = 2; i <= 5; i++) { d = a[i] - b[i]; if (d > 0.5 || d < -0.5) { print "word moved: " ref " / " $0; bad = 1; next } } }
  END { exit bad }' || fail "the words or their places differ"
[ "$(wc -l <"$folder/reference-words.txt")" = "$(wc -l <"$folder/stamped-words.txt")" ] || fail "not the same number of words"

# The tag is spelt out letter by letter: mawk has no interval expressions ({6}).
faces() { pdffonts "$1" | tail -n +3 | awk '{ sub(/^[A-Z][A-Z][A-Z][A-Z][A-Z][A-Z]\+/, "", $1); print $1, $2, $3 }' | sort; }
[ "$(faces "$reference")" = "$(faces "$stamped")" ] ||
  fail "other faces: $(faces "$stamped" | tr '\n' ';') instead of $(faces "$reference" | tr '\n' ';')"

pdftoppm -r 50 -gray "$reference" "$folder/reference"
pdftoppm -r 50 -gray "$stamped" "$folder/stamped"
pages=0
for page in "$folder"/reference-*.pgm; do
  pages=$((pages + 1))
  other=$folder/stamped-${page##*/reference-}
  [ -f "$other" ] || fail "no page ${page##*/reference-}"
  [ "$(head -c 20 "$page" | head -n 2)" = "$(head -c 20 "$other" | head -n 2)" ] || fail "the page sizes differ"
  size=$(stat -c %s "$page")
  differing=$(cmp -l "$page" "$other" | awk '
    function value(octal,   v, i) { v = 0; for (i = 1; i <= length(octal); i++) v = v * 8 + substr(octal, i, 1); return v }
    { d = value($2) - value($3); if (d > 24 || d < -24) n++ } END { print n + 0 }') || true
  [ $((differing * 1000)) -le "$size" ] || fail "page ${page##*/reference-}: $differing of $size pixels differ"
  echo "page ${page##*/reference-}: $differing of $size pixels differ"
done
[ "$(ls "$folder"/stamped-*.pgm | wc -l)" = "$pages" ] || fail "not the same number of pages"
echo "the stamped PDF matches the Linux build's: $(wc -l <"$folder/stamped-words.txt") words, $(faces "$stamped" | wc -l) faces, $pages page(s)"
