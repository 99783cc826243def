#!/usr/bin/env bash
# Kills the download walk of the demo's top assembly (PDFs ticked) at a random moment, many times,
# and counts what each killed run left in the target folder: PDFs under their final names that are
# damaged, unsigned or without the watermark, and temporary files (ours, "*.tmp", and the module's
# signing job, "*.pdf.ini"). A measurement, not a test.
# A PDF equal to the one a whole walk writes (but for the trailer's random /ID) is whole; only the
# others are examined, so a run costs about what the walk costs.
# Usage: scripts/kill-walk.sh [RUNS] [BUILD]   (defaults: 120, build/dev)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-120}
build=${2:-build/dev}
plm=$build/bin/plmclient
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$plm" --db "$work/plm" --create-demo small >/dev/null
top=$(sqlite3 "$work/plm/plm.db" "SELECT MIN(OBJ_ID) FROM T_Part WHERE OBJ_ID NOT IN
  (SELECT roleB_id FROM T_ObjectLink WHERE RELATION_CLASS_ID = 6001)")
walk() {
  exec "$plm" --db "$work/plm" --command PrdTreeOutputLightFile --select "Part:$top" --quiet \
    --do "expand *" --do "filter PDF" --do "press 下载" --do "folder $work/out" --do "messagebox ok"
}
# "HASH NAME" per PDF of the folder, the trailer's /ID left out.
fingerprints() {
  python3 - "$1" <<'PY'
import hashlib, os, re, sys
for name in sorted(os.listdir(sys.argv[1])):
    if name.endswith('.pdf'):
        data = open(os.path.join(sys.argv[1], name), 'rb').read()
        print(hashlib.sha256(re.sub(rb'/ID \[<[0-9a-f]*><[0-9a-f]*>\]', b'', data)).hexdigest(), name)
PY
}
# The signer's name on a line of its own (the title block's own text has "张" and "工" too).
signed() {
  local n
  n=$(pdftotext "$1" - 2>/dev/null | grep -cx '张工' || true)
  [ "${n:-0}" -gt 0 ]
}
# The watermark is drawn as outlines, marked as a pagination artifact.
watermarked() {
  local n
  n=$(qpdf --qdf --object-streams=disable "$1" - 2>/dev/null | grep -ac '/Subtype /Watermark' || true)
  [ "${n:-0}" -gt 0 ]
}

# One whole run: how long it takes, and what a whole PDF is.
rm -rf "$work/out"
start=$(date +%s%N)
(walk) >/dev/null 2>&1 || true
total_ms=$(( ($(date +%s%N) - start) / 1000000 ))
declare -A whole signed_when_whole
while read -r hash name; do whole[$name]=$hash; done < <(fingerprints "$work/out")
marked=0
for pdf in "$work"/out/*.pdf; do
  signed "$pdf" && signed_when_whole[$(basename "$pdf")]=1
  watermarked "$pdf" && marked=$((marked + 1))
done
echo "whole walk: ${total_ms} ms, $(ls "$work/out" | wc -l) files, ${#signed_when_whole[@]} signed PDFs, $marked watermarked"

bad_runs=0 damaged=0 unsigned=0 unmarked=0 other=0 temporary=0 jobs=0 pdfs=0
for ((i = 1; i <= runs; i++)); do
  rm -rf "$work/out"
  (walk) >/dev/null 2>&1 &
  pid=$!
  sleep "$(awk -v ms=$((RANDOM * total_ms / 32768)) 'BEGIN { printf "%.3f", ms / 1000 }')"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  bad=0
  [ -d "$work/out" ] || mkdir -p "$work/out"
  while read -r hash name; do
    pdfs=$((pdfs + 1))
    [ "$hash" = "${whole[$name]:-}" ] && continue
    f=$work/out/$name
    bad=1
    if ! qpdf --check "$f" >/dev/null 2>&1; then
      damaged=$((damaged + 1))
      [ -n "${KILL_WALK_KEEP:-}" ] && cp "$f" "$KILL_WALK_KEEP/$i-$name"
      continue
    fi
    known=0
    if [[ -n ${signed_when_whole[$name]:-} ]] && ! signed "$f"; then unsigned=$((unsigned + 1)); known=1; fi
    if ! watermarked "$f"; then unmarked=$((unmarked + 1)); known=1; fi
    [ $known = 1 ] || other=$((other + 1))
  done < <(fingerprints "$work/out")
  for f in "$work"/out/*.tmp "$work"/out/*.ini; do
    [ -e "$f" ] || continue
    bad=1
    case $f in *.ini) jobs=$((jobs + 1)) ;; *) temporary=$((temporary + 1)) ;; esac
  done
  bad_runs=$((bad_runs + bad))
  echo "run $i: $bad_runs of $i left something not whole; PDFs $pdfs, damaged $damaged, unsigned $unsigned," \
    "unwatermarked $unmarked, other $other, temporary $temporary, job files $jobs"
done
echo "killed runs: $runs; runs leaving a PDF that is not whole under its final name, or a temporary file: $bad_runs"
echo "PDFs left: $pdfs; damaged: $damaged; unsigned: $unsigned; without the watermark: $unmarked;" \
  "different otherwise: $other; temporary files: $temporary; signing job files: $jobs"
