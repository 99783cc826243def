#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang in build/fuzz, makes their seeds from the
# demo database, runs each harness for SECONDS (two at a time) and prints, per harness, the inputs
# run, the failures (a crash, a sanitizer report, a leak, a hang over 25 s or a broken property)
# and the line coverage of the code the harness is about, over everything it ran.
# Usage: scripts/fuzz.sh SECONDS [SEED]
# A SEED makes a run repeatable on a clean corpus (CI gives one, so that it fails only on what
# the same seed finds here too); without one each run explores anew.
# The demo is made by plmclient: $VIZ_PLMCLIENT when set, else build/main/bin/plmclient (built
# as scripts/demo.sh builds it when missing). The corpus grows in build/fuzz/corpus between runs;
# failing inputs land in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [SEED]}
seed=${2:-}
out=$root/build/fuzz
harnesses=(sign_pdf picture profile wide_format split_fields db_rows statement_shape)
declare -A sources=(
  [profile]="platform/linux-standin/src/core/Profile.cpp platform/linux-standin/src/core/IniDocument.cpp platform/linux-standin/src/core/RewriteFile.cpp"
  [wide_format]="platform/linux-standin/src/core/WideFormat.cpp platform/linux-standin/src/core/WideFormatApi.cpp"
  [split_fields]="VuverIverIzizerOzi/signing/StrTokenizer.cpp VuverIverIzizerOzi/signing/SplitFields.cpp"
  [db_rows]="client/runtime/src/db/SqliteDatabase.cpp client/runtime/src/db/DbValue.cpp"
  [statement_shape]="client/runtime/src/db/StatementShape.cpp client/runtime/src/db/SqliteDatabase.cpp"
  [picture]="common/pdfstamp/src/JpegTables.cpp common/pdfstamp/src/Picture.cpp common/pdfstamp/src/PlainBmp.cpp common/pdfstamp/src/StbImage.cpp"
  [sign_pdf]="plugins/SignPdf/SignPdf.cpp plugins/SignPdf/SignJob.cpp plugins/SignPdf/SignatureStamping.cpp $(ls common/pdfstamp/src/*.cpp | tr '\n' ' ')"
)

echo "== building the harnesses (clang, $out)"
cmake -S tests/fuzz -B "$out" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" -j"$(nproc 2>/dev/null || echo 2)" >/dev/null

plm=${VIZ_PLMCLIENT:-build/main/bin/plmclient}
if [ ! -x "$plm" ]; then
  echo "== building plmclient (build/main) for the demo database"
  cmake -S . -B build/main -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/main --target plmclient -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
  plm=build/main/bin/plmclient
fi
echo "== seeds from the demo database"
if ! made=$("$plm" --db "$out/demo" --create-demo small 2>&1); then
  echo "$made" >&2
  exit 1
fi
tests/fuzz/make_seeds.sh "$out/demo" "$out/seeds"
export VIZ_FUZZ_DATABASE="$out/demo/plm.db" # the statement shapes' harness runs on a copy
# The stamping code's cache (faces, subsets) stays in the build folder, out of the user's.
export XDG_CACHE_HOME=$out/cache

rm -rf "$out/logs" "$out/coverage"
mkdir -p "$out/logs" "$out/coverage"
run() {
  local name=$1
  mkdir -p "$out/corpus/$name" "$out/findings/$name"
  local dirs=("$out/corpus/$name" "$out/seeds/$name")
  [ -d "tests/fuzz/regressions/$name" ] && dirs+=("tests/fuzz/regressions/$name")
  local options=()
  [ -f "tests/fuzz/$name.dict" ] && options+=(-dict="tests/fuzz/$name.dict")
  [ -n "$seed" ] && options+=(-seed="$seed")
  # A bounded picture needs a few megabytes to decode; asking for much more is a finding.
  [ "$name" = picture ] && options+=(-malloc_limit_mb=64)
  local status=0
  LLVM_PROFILE_FILE="$out/coverage/$name.profraw" "$out/bin/fuzz_$name" -max_total_time="$seconds" \
    -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/findings/$name/" "${options[@]}" "${dirs[@]}" \
    >"$out/logs/$name.log" 2>&1 || status=$?
  echo "$status" >"$out/logs/$name.status"
}
echo "== running each harness for $seconds s, two at a time"
for name in "${harnesses[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
  run "$name" &
done
wait

failed=0
printf '%-14s %12s %9s %15s\n' harness runs failures "line coverage"
for name in "${harnesses[@]}"; do
  status=$(cat "$out/logs/$name.status")
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$out/logs/$name.log" | awk '{print $2}' | tail -1)
  coverage=n/a
  if [ -s "$out/coverage/$name.profraw" ]; then
    llvm-profdata merge -sparse "$out/coverage/$name.profraw" -o "$out/coverage/$name.profdata"
    # shellcheck disable=SC2086
    coverage=$(cd "$root" && llvm-cov report "$out/bin/fuzz_$name" -instr-profile="$out/coverage/$name.profdata" \
      ${sources[$name]} | awk '/^TOTAL/ {print $(NF-3)}')
  fi
  failures=0
  if [ "$status" != 0 ]; then
    failures=1
    failed=1
  fi
  printf '%-14s %12s %9s %15s\n' "$name" "${runs:-?}" "$failures" "$coverage"
done
if [ "$failed" != 0 ]; then
  echo "== a harness failed: see $out/logs and the inputs in $out/findings" >&2
  exit 1
fi
