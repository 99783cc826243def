#!/usr/bin/env bash
# Makes the demo client folder and holds every file in it (database, vault, configuration) to
# files.sha256, the Linux build's, byte for byte: the Windows build is held to the same list.
# After a meant change to the demo, the Linux folder's list replaces files.sha256 by hand:
#   (cd FOLDER/plm && find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum) > tests/demo/files.sha256
# Usage: same_demo_files.sh CLIENT LIST FOLDER [EMULATOR]
set -euo pipefail
client=$1 list=$2 folder=$3 emulator=${4:-}
rm -rf "$folder"
mkdir -p "$folder"
if [ -n "$emulator" ]; then
  db="Z:$folder/plm"
  $emulator "$client" --db "${db//\//\\}" --create-demo >"$folder/create.log" 2>&1 || { cat "$folder/create.log"; exit 1; }
else
  "$client" --db "$folder/plm" --create-demo >"$folder/create.log" 2>&1 || { cat "$folder/create.log"; exit 1; }
fi
cd "$folder/plm"
find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum >"$folder/files.sha256"
if ! diff -u "$list" "$folder/files.sha256"; then
  echo "FAILED: the demo's files differ from $list (this build's list: $folder/files.sha256)"
  exit 1
fi
echo "$(wc -l <"$list") files as listed"
