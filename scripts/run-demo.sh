#!/usr/bin/env bash
# Runs the demo from a build's bin folder: a fresh SQLite demo database in a temp folder, a
# token for the demo operator (who may change the branch), pedserver on a free loopback port,
# and pedhost on the Qt platform with the screen "PED01000" open. The server stops when the host
# exits. Usage: scripts/run-demo.sh BIN_DIR
set -euo pipefail

bin=$(cd "${1:?usage: run-demo.sh BIN_DIR}" && pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat <<'TEXT'
There is no display for the host's window. Run the demo under a virtual display:
    xvfb-run -a ./scripts/demo.sh
or without any window at all (nothing is shown, the host runs until it is stopped):
    QT_QPA_PLATFORM=offscreen ./scripts/demo.sh
TEXT
  exit 0
fi

work=$(mktemp -d /tmp/pedemo.XXXXXX)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The database URL and the token reach the programs through the environment, never argv.
export PEDSERVER_DB="sqlite:$work/demo.db"
"$bin/pedserver" init >/dev/null
"$bin/pedserver" seed --demo >/dev/null
token=$("$bin/pedserver" token --operator DEMO)

"$bin/pedserver" serve --listen 127.0.0.1:0 >"$work/serve.out" 2>"$work/serve.log" &
server_pid=$!
address=""
for _ in $(seq 1 100); do
  address=$(sed -n '1s/^listening //p' "$work/serve.out")
  [ -n "$address" ] && break
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$address" ]; then
  echo "pedserver did not start:" >&2
  cat "$work/serve.log" >&2
  exit 1
fi
echo "pedserver listening on $address (database $work/demo.db, log $work/serve.log)"

# The host has no database: its lookups go through the server too.
PEDHOST_TOKEN="$token" "$bin/pedhost" --platform qt --server "$address" \
  --operator DEMO --branch 0001 --open PED01000
