#!/usr/bin/env bash
# Builds from scratch and runs every test twice: a plain build, then one with AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer. Usage: scripts/test.sh [--plain-only|--sanitize-only]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
passes=(plain sanitize)
case "${1:-}" in
  --plain-only) passes=(plain) ;;
  --sanitize-only) passes=(sanitize) ;;
esac
for pass in "${passes[@]}"; do
  dir=build/test-$pass
  opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIZ_WERROR=ON)
  [ "$pass" = sanitize ] && opts+=(-DVIZ_SANITIZE=ON)
  echo "== $pass build in $dir"
  rm -rf "$dir"
  cmake -S . -B "$dir" "${opts[@]}" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== $pass tests"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs"
done
echo "== all tests passed"
