#!/usr/bin/env bash
# The main job: builds the client, the module and the plug-ins, creates the demo PLM database
# (SQLite, embedded: no server), runs the product-tree command on the top assembly with a scripted
# user who ticks PDF and DWG and downloads into a folder, then says what landed where.
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

picture="$demo/manager.svg"
if command -v rsvg-convert >/dev/null; then
  rsvg-convert "$demo/manager.svg" -o "$demo/manager.png" && picture="$demo/manager.png"
fi
cat <<TXT

The manager dialog as the user saw it: $picture
The whole transcript: $demo/transcript.txt
Every file delivered or refused, with its document, SHA-256, signatures and watermark: $demo/manifest.json
Exit status $status (plmclient --help explains each)
Look at the files:
  pdftotext "$demo/out/<file>.pdf" -      # the signer names and the watermark text
  pdftoppm -r 60 -png "$demo/out/<file>.pdf" /tmp/page   # a picture of each page
Run it again yourself: $plm --help
TXT
exit $status
