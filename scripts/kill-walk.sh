#!/usr/bin/env bash
# Kills the download walk of the demo's top assembly (PDFs ticked) at a random moment, many times,
# and counts what each killed run left in the target folder: PDFs under their final names that are
# damaged, unsigned or without the watermark, and temporary files. A measurement, not a test.
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
mark=$(date +%F) # the watermark's date

# One whole run: how long it takes, and which PDFs carry a signature when complete.
rm -rf "$work/out"
start=$(date +%s%N)
(walk) >/dev/null 2>&1 || true
total_ms=$(( ($(date +%s%N) - start) / 1000000 ))
declare -A signed_when_whole
for pdf in "$work"/out/*.pdf; do
  text=$(pdftotext "$pdf" - 2>/dev/null | tr -d ' \n')
  [[ $text == *张工* ]] && signed_when_whole[$(basename "$pdf")]=1
done
echo "whole walk: ${total_ms} ms, $(ls "$work/out" | wc -l) files, ${#signed_when_whole[@]} signed PDFs"

bad_runs=0 damaged=0 unsigned=0 unmarked=0 temporary=0 pdfs=0
for ((i = 1; i <= runs; i++)); do
  rm -rf "$work/out"
  (walk) >/dev/null 2>&1 &
  pid=$!
  sleep "$(awk -v ms=$((RANDOM * total_ms / 32768)) 'BEGIN { printf "%.3f", ms / 1000 }')"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  bad=0
  for f in "$work"/out/*; do
    [ -e "$f" ] || continue
    name=$(basename "$f")
    case $name in
      *.pdf)
        pdfs=$((pdfs + 1))
        if ! qpdf --check "$f" >/dev/null 2>&1; then damaged=$((damaged + 1)); bad=1; continue; fi
        text=$(pdftotext "$f" - 2>/dev/null | tr -d ' \n')
        if [[ -n ${signed_when_whole[$name]:-} && $text != *张工* ]]; then unsigned=$((unsigned + 1)); bad=1; fi
        if [[ $text != *"$mark"* ]]; then unmarked=$((unmarked + 1)); bad=1; fi ;;
      *.ini|*.tmp) temporary=$((temporary + 1)); bad=1 ;;
    esac
  done
  bad_runs=$((bad_runs + bad))
  echo "run $i: $bad_runs of $i left something not whole; PDFs $pdfs, damaged $damaged, unsigned $unsigned, unwatermarked $unmarked, temporary $temporary"
done
echo "killed runs: $runs; runs leaving a PDF that is not whole under its final name, or a temporary file: $bad_runs"
echo "PDFs left: $pdfs; damaged: $damaged; unsigned: $unsigned; without the watermark: $unmarked; temporary files: $temporary"
