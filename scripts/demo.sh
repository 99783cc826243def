#!/usr/bin/env bash
# The main job: builds the client, the module and the plug-ins, creates the demo PLM database
# (SQLite, embedded: no server), runs the product-tree command on the top assembly with a scripted
# user who ticks PDF and DWG and downloads into a folder, then says what landed where; prints the
# tree's PDFs as one book; verifies a delivered PDF's mark (current), and again against a copy of
# the database where its drawing has a new revision (superseded).
# Usage: scripts/demo.sh [FOLDER]   (default: ./demo)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
demo=${1:-$root/demo}
mkdir -p "$demo"; demo=$(cd "$demo" && pwd)

if [ "$(id -u)" = 0 ]; then scripts/deps.sh; fi
echo "== building (build/main)"
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/main --target plmclient -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
plm=build/main/bin/plmclient

echo "== creating the demo PLM database in $demo/plm"
"$plm" --db "$demo/plm" --create-demo small
# The top assembly: the one part that is nobody's sub-assembly.
top=$(sqlite3 "$demo/plm/plm.db" "SELECT MIN(OBJ_ID) FROM T_Part WHERE OBJ_ID NOT IN
  (SELECT roleB_id FROM T_ObjectLink WHERE RELATION_CLASS_ID = 6001)")
rm -rf "$demo/out"

echo "== product tree command on Part:$top; the user ticks PDF and DWG and downloads into $demo/out"
set +e
"$plm" --db "$demo/plm" --command PrdTreeOutputLightFile --select "Part:$top" \
  --do "expand *" --do "filter PDF" --do "filter DWG" --do "snapshot $demo/manager.svg" \
  --do "press 下载" --do "folder $demo/out" --do "messagebox ok" \
  --transcript "$demo/transcript.txt" --manifest "$demo/manifest.json" --summary
status=$?
set -e

echo
echo "== the PDFs of the tree as one book: the print settings name a book file, the user prints"
rm -f "$demo/book.pdf"
"$plm" --db "$demo/plm" --print-book "$demo/book.pdf" --command PrdTreeOutputLightFile --select "Part:$top" \
  --do "expand *" --do "filter PDF" --do "press 打印" --quiet | grep '^\[print_job\]' || true

# Each delivered PDF carries a verification mark (a QR code at its lower-left corner and XMP).
pdf="$demo/out/GR200-00-00装配图.pdf"
echo
echo "== is the delivered copy current? plmclient --verify"
"$plm" --db "$demo/plm" --verify "$pdf" || true
echo "== a new revision of its drawing, released today, in a copy of the database; the same copy again"
rm -rf "$demo/plm-next"; mkdir -p "$demo/plm-next"; cp "$demo/plm/plm.db" "$demo/plm-next/"
sqlite3 "$demo/plm-next/plm.db" <<SQL
CREATE TEMP TABLE d AS SELECT m.roleA_id AS doc FROM T_LightFile l
  JOIN T_drawingItrfile f ON f.roleB_id = l.OBJ_ID JOIN TI_drawingRevcmp3220 r ON r.roleB_id = f.roleA_id
  JOIN TI_drawingMascmp1002 m ON m.roleB_id = r.roleA_id AND m.CURRENT_REVISION <> 0
  WHERE l.name = 'GR200-00-00装配图.pdf';
UPDATE TI_drawingMascmp1002 SET CURRENT_REVISION = 0 WHERE roleA_id = (SELECT doc FROM d);
INSERT INTO TI_drawingMascmp1002 (OBJ_ID, roleA_id, roleB_id, ROLEB_CLASS_ID, CURRENT_ITERATION, CURRENT_REVISION, QUALIFICATION_ID)
  SELECT 990001, doc, 990002, 0, 0, 1, 0 FROM d;
INSERT INTO T_Signature (OBJ_ID, creationdate, DocWfState, WfTemplate, UserID)
  VALUES (990003, strftime('%Y-%m-%d %H:%M:00', 'now', 'localtime'), '批准', '图纸', NULL);
INSERT INTO T_DocumentSignature (OBJ_ID, roleA_id, ROLEA_CLASS_ID, roleB_id, Rev_id)
  SELECT 990004, doc, (SELECT CLASS_ID FROM T_Class WHERE NAME = 'Drawing'), 990003, 990002 FROM d;
SQL
set +e
"$plm" --db "$demo/plm-next" --verify "$pdf"
echo "(exit status $?: 0 current, 10 superseded, 11 changed since, 12 withdrawn or unknown, 13 no mark)"
set -e

picture="$demo/manager.svg"
if command -v rsvg-convert >/dev/null; then
  rsvg-convert "$demo/manager.svg" -o "$demo/manager.png" && picture="$demo/manager.png"
fi
cat <<TXT

The manager dialog as the user saw it: $picture
The whole transcript: $demo/transcript.txt
Every file delivered or refused, with its document, SHA-256, signatures and watermark: $demo/manifest.json
Exit status $status (plmclient --help explains each)
The tree's PDFs as one book (contents page, one bookmark per file): $demo/book.pdf
Look at the files:
  pdftotext "$demo/out/<file>.pdf" -      # the signer names and the watermark text
  pdftoppm -r 60 -png "$demo/out/<file>.pdf" /tmp/page   # a picture of each page
Run it again yourself: $plm --help
TXT
exit $status
