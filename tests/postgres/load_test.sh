#!/usr/bin/env bash
# Load on one server over the loopback address: CLIENTS client processes at once download the
# same COUNT light files of the large demo, each into a folder of its own, as the read-only role.
# Every file must arrive whole (its SHA-256), no client may fail, and every PLM table must read
# the same afterwards (a checksum of COPY ... TO STDOUT of each). Prints the files per second and
# the most connections the server had. Needs the test server (VIZ_TEST_PG, VIZ_TEST_PG_READER).
# Usage: load_test.sh BIN_DIR [CLIENTS] [COUNT]
set -euo pipefail
bin=${1:?BIN_DIR}
clients=${2:-16}
count=${3:-200}
if [ -z "${VIZ_TEST_PG:-}" ] || [ -z "${VIZ_TEST_PG_READER:-}" ]; then
  echo "no PostgreSQL server (VIZ_TEST_PG, VIZ_TEST_PG_READER); scripts/test.sh starts one"
  exit 77
fi
psql=$(ls /usr/lib/postgresql/*/bin/psql 2>/dev/null | sort -V | tail -1)
[ -x "$psql" ] || psql=$(command -v psql)
work=$(mktemp -d /tmp/viz-load-XXXXXX)
trap 'rm -rf "$work"' EXIT

"$bin/plmclient" --db "$work/master" --create-demo large >/dev/null
schema=$(grep -o 'search_path=[a-z0-9_]*' "$work/master/plm.server" | cut -d= -f2)
[ -n "$schema" ] || { echo "no schema in plm.server"; exit 1; }
[ ! -e "$work/master/vault" ] || { echo "a client folder on a server has a vault/ folder"; exit 1; }
reader=$(echo "$VIZ_TEST_PG_READER" | grep -o 'user=[^ ]*' | cut -d= -f2)

owner_sql() { "$psql" "$VIZ_TEST_PG" -qAt -v ON_ERROR_STOP=1 -c "$1"; }
tables_sum() {
  local sums=""
  for t in $(owner_sql "SELECT tablename FROM pg_tables WHERE schemaname = '$schema' ORDER BY 1"); do
    sums+="$t $(owner_sql "COPY (SELECT * FROM $schema.$t ORDER BY 1) TO STDOUT" | sha256sum | cut -c1-64)"$'\n'
  done
  echo "$sums"
}
before=$(tables_sum)

for i in $(seq 1 "$clients"); do
  mkdir -p "$work/c$i"
  cp "$work/master/plm.server" "$work/c$i/"
done
( while :; do
    owner_sql "SELECT count(*) FROM pg_stat_activity WHERE usename = '$reader'" 2>/dev/null || true
    sleep 0.1
  done ) >"$work/connections" &
sampler=$!
start=$(date +%s.%N)
pids=()
for i in $(seq 1 "$clients"); do
  "$bin/vault_load_client" "$work/c$i" "$work/c$i/out" "$count" >"$work/c$i.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || { failed=1; echo "client $((i + 1)) failed:"; cat "$work/c$((i + 1)).log"; }
done
end=$(date +%s.%N)
kill "$sampler" 2>/dev/null || true
wait "$sampler" 2>/dev/null || true
peak=$(sort -n "$work/connections" | tail -1)

files=$(cat "$work"/c*.log | awk '/^files/ { n += $2 } END { print n + 0 }')
after=$(tables_sum)
awk -v n="$files" -v c="$clients" -v s="$start" -v e="$end" -v p="$peak" 'BEGIN {
  printf "%d clients, %d files in %.1f s: %.0f files/s; the server had at most %d connections of the read-only role\n", c, n, e - s, n / (e - s), p }'
[ "$failed" = 0 ] || exit 1
[ "$files" = $((clients * count)) ] || { echo "expected $((clients * count)) files"; exit 1; }
for i in $(seq 1 "$clients"); do
  [ ! -e "$work/c$i/vault" ] || { echo "client $i made a vault/ folder"; exit 1; }
  [ -z "$(ls "$work/c$i/out" | grep -v '^[0-9]*$' || true)" ] || { echo "client $i left other files"; exit 1; }
done
[ "$before" = "$after" ] || { echo "the PLM tables changed"; diff <(echo "$before") <(echo "$after"); exit 1; }
echo "every file whole, the PLM tables unchanged"
