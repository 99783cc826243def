#!/usr/bin/env bash
# A PostgreSQL server of our own for the tests: a cluster in a folder, on a loopback port.
#   pg_server.sh start DIR   makes the cluster (first time), starts it, writes DIR/env with
#                            VIZ_TEST_PG (owner), VIZ_TEST_PG_READER (a role that may only read)
#                            and VIZ_TEST_PG_DIR; prints the same lines
#   pg_server.sh stop DIR    stops it at once (open connections are cut)
#   pg_server.sh status DIR  exit 0 while it runs
# initdb refuses root: as root the cluster belongs to the "postgres" user (made when missing).
set -euo pipefail
cmd=${1:?start|stop|status DIR}
dir=$(realpath -m "${2:?DIR}")
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/pg_ctl" ] || bin=$(dirname "$(command -v pg_ctl)")

as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$cmd" in
start)
  mkdir -p "$dir"
  if [ "$(id -u)" = 0 ]; then
    id postgres >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin postgres
    chown postgres "$dir"
  fi
  if [ ! -f "$dir/data/PG_VERSION" ]; then
    port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
    echo "$port" >"$dir/port"
    as_owner bash -c "echo viz >'$dir/pw' && '$bin/initdb' -D '$dir/data' -U viz --pwfile='$dir/pw' \
      --auth-local=trust --auth-host=scram-sha-256 -E UTF8 --no-locale >'$dir/initdb.log'"
  fi
  port=$(cat "$dir/port")
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
    -o "-p $port -k '$dir' -c listen_addresses=127.0.0.1 -c fsync=off -c full_page_writes=off" start >/dev/null
  as_owner "$bin/psql" -h "$dir" -p "$port" -U viz -d postgres -qAt -v ON_ERROR_STOP=1 >/dev/null <<SQL
SELECT 'CREATE DATABASE plm' WHERE NOT EXISTS (SELECT 1 FROM pg_database WHERE datname = 'plm') \gexec
DO \$\$ BEGIN
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'plm_reader') THEN
    CREATE ROLE plm_reader LOGIN PASSWORD 'reader';
  END IF;
END \$\$;
SQL
  {
    echo "VIZ_TEST_PG='host=127.0.0.1 port=$port dbname=plm user=viz password=viz'"
    echo "VIZ_TEST_PG_READER='host=127.0.0.1 port=$port dbname=plm user=plm_reader password=reader'"
    echo "VIZ_TEST_PG_DIR='$dir'"
  } >"$dir/env"
  cat "$dir/env"
  ;;
stop)
  [ -f "$dir/data/postmaster.pid" ] || exit 0
  as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
  ;;
status)
  as_owner "$bin/pg_ctl" -D "$dir/data" status >/dev/null
  ;;
*)
  echo "usage: $0 start|stop|status DIR" >&2
  exit 1
  ;;
esac
