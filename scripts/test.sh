#!/usr/bin/env bash
# Builds from scratch and runs every test twice: a plain build, then one with AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer. Each build's tests run on the embedded SQLite
# database, then once more on a PostgreSQL server of our own (a cluster in a temporary folder on
# a loopback port, stopped at the end): every fixture then lives in a schema of that server.
# Usage: scripts/test.sh [--plain-only|--sanitize-only]
# Without PostgreSQL installed the server runs are left out, with a warning (an error when
# VIZ_REQUIRE_PG=1, as in CI).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
passes=(plain sanitize)
case "${1:-}" in
  --plain-only) passes=(plain) ;;
  --sanitize-only) passes=(sanitize) ;;
esac

pg_dir=""
stop_server() {
  if [ -n "$pg_dir" ]; then
    tests/postgres/pg_server.sh stop "$pg_dir" || true
    rm -rf "$pg_dir"
  fi
}
trap stop_server EXIT
if ls /usr/lib/postgresql/*/bin/initdb >/dev/null 2>&1 || command -v initdb >/dev/null; then
  pg_dir=$(mktemp -d /tmp/viz-pg-XXXXXX)
  chmod 755 "$pg_dir"
  echo "== PostgreSQL server in $pg_dir"
  tests/postgres/pg_server.sh start "$pg_dir" >/dev/null
elif [ "${VIZ_REQUIRE_PG:-0}" = 1 ]; then
  echo "PostgreSQL is not installed (scripts/deps.sh installs it)" >&2
  exit 1
else
  echo "== warning: PostgreSQL is not installed; the tests run on SQLite only" >&2
fi

for pass in "${passes[@]}"; do
  dir=build/test-$pass
  opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIZ_WERROR=ON)
  [ "$pass" = sanitize ] && opts+=(-DVIZ_SANITIZE=ON)
  echo "== $pass build in $dir"
  rm -rf "$dir"
  cmake -S . -B "$dir" "${opts[@]}" >/dev/null
  cmake --build "$dir" -j"$jobs"
  # intercept_tls_get_addr=0: GCC 12's LeakSanitizer reads the thread-local block of a library that
  # the process opened at run time (GnuTLS under the delay-loaded libpq) with glibc 2.36 as a range
  # of 64 GB and crashes at exit. Nothing of ours keeps a heap block only in such a block.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  echo "== $pass tests on SQLite"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs" -E '^postgres\.'
  if [ -n "$pg_dir" ]; then
    echo "== $pass tests on PostgreSQL"
    (
      set -a
      . "$pg_dir/env"
      set +a
      # The terminal session tests look their ids up in plm.db themselves: SQLite only. The load
      # test measures the server, not our memory handling: plain pass only.
      skip='^interactive\.'
      [ "$pass" = sanitize ] && skip='^(interactive\.|postgres\.load$)'
      ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs" -E "$skip"
    )
  fi
done
echo "== all tests passed"
