#!/usr/bin/env bash
# Starts a private PostgreSQL server for the tests (loopback only, trust auth, its own folder)
# unless one is already answering; prints the connection string the tests read from
# MUNDOR_PG_CONNINFO. Safe to run twice.
set -euo pipefail

pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$pg_bin" ]; then
  echo "start-postgres: PostgreSQL is not installed; its tests will be skipped" >&2
  exit 0
fi
data_dir=${MUNDOR_PG_DIR:-/tmp/mundor-pg}
port=${MUNDOR_PG_PORT:-55432}
run_as=()
if [ "$(id -u)" -eq 0 ]; then
  id postgres >/dev/null 2>&1 || useradd -r -m postgres
  mkdir -p "$data_dir" && chown postgres "$data_dir"
  run_as=(runuser -u postgres --)
fi

if "$pg_bin/pg_isready" -q -h 127.0.0.1 -p "$port"; then
  echo "start-postgres: already running on port $port"
  exit 0
fi
if [ ! -f "$data_dir/PG_VERSION" ]; then
  "${run_as[@]}" "$pg_bin/initdb" -D "$data_dir" -U postgres -A trust >/dev/null
fi
"${run_as[@]}" "$pg_bin/pg_ctl" -D "$data_dir" -l "$data_dir/server.log" -w \
  -o "-p $port -k /tmp -c listen_addresses=127.0.0.1" start >/dev/null
echo "start-postgres: running on 127.0.0.1:$port (host=127.0.0.1 port=$port user=postgres)"
