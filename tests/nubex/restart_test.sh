#!/usr/bin/env bash
# Runs PostgresRestart (shared_catalog_tests.cpp) against a PostgreSQL server of its own: a fresh
# cluster on a free loopback port, which the test stops and starts while two processes store
# into it; the shared test server is never touched. The cluster is removed afterwards. Skips
# (status 77) when PostgreSQL is not installed.
#   restart_test.sh NUBEX_TESTS_PROGRAM
set -euo pipefail
tests_program=$1

pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$pg_bin" ]; then
  echo "restart_test: PostgreSQL is not installed; skipped"
  exit 77
fi
data_dir=$(mktemp -d /tmp/mundor-pg-restart-XXXXXX)
run_as=()
if [ "$(id -u)" -eq 0 ]; then
  id postgres >/dev/null 2>&1 || useradd -r -m postgres
  chown postgres "$data_dir"
  run_as=(runuser -u postgres --)
fi
pg_ctl() { "${run_as[@]}" "$pg_bin/pg_ctl" -D "$data_dir" "$@"; }
cleanup() {
  pg_ctl stop -m immediate >/dev/null 2>&1 || true
  rm -rf "$data_dir"
}
trap cleanup EXIT

"${run_as[@]}" "$pg_bin/initdb" -D "$data_dir" -U postgres -A trust >/dev/null
# A port no other server of this machine answers on (parallel builds run this test too).
for port in $(shuf -i 56000-56999 -n 20); do
  "$pg_bin/pg_isready" -q -h 127.0.0.1 -p "$port" && continue
  options="-p $port -k $data_dir -c listen_addresses=127.0.0.1"
  if pg_ctl -l "$data_dir/server.log" -w -o "$options" start >/dev/null; then
    break
  fi
  port=
done
[ -n "${port:-}" ] || { echo "restart_test: no free port for the server"; exit 1; }

export MUNDOR_TEST_BACKEND=postgresql
export MUNDOR_PG_CONNINFO="host=127.0.0.1 port=$port user=postgres dbname=postgres"
export MUNDOR_PG_RESTART_COMMAND="${run_as[*]} $pg_bin/pg_ctl -D $data_dir -l $data_dir/server.log -w -m fast -o '$options' restart >/dev/null"
"$tests_program" --gtest_filter='PostgresRestart.*'
