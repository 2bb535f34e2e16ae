#!/usr/bin/env bash
# Runs a command with a throwaway PostgreSQL cluster on a free loopback port, when PostgreSQL
# is installed; exports PED_TEST_PG_URL for the tests. Without PostgreSQL the command runs alone.
set -euo pipefail

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
  echo "PostgreSQL is not installed: PostgreSQL tests are skipped."
  exec "$@"
fi

dir=$(mktemp -d /tmp/pedtest-pg.XXXXXX)
as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  # initdb refuses to run as root.
  chown postgres: "$dir"
  as_owner=(runuser -u postgres --)
fi
cleanup() {
  "${as_owner[@]}" "$bindir/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap cleanup EXIT

"${as_owner[@]}" "$bindir/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
started=""
for port in $(shuf -i 20000-40000 -n 20); do
  if "${as_owner[@]}" "$bindir/pg_ctl" -D "$dir/data" -l "$dir/log" -w -t 30 \
       -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c max_connections=100" start >/dev/null 2>&1; then
    started=$port
    break
  fi
done
if [ -z "$started" ]; then
  echo "Could not start a throwaway PostgreSQL cluster:" >&2
  cat "$dir/log" >&2 || true
  exit 1
fi
"$bindir/psql" -h 127.0.0.1 -p "$started" -U postgres -qc "CREATE DATABASE pedtest" >/dev/null
export PED_TEST_PG_URL="postgresql://postgres@127.0.0.1:$started/pedtest"
echo "Throwaway PostgreSQL cluster on 127.0.0.1:$started"
"$@"
