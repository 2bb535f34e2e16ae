#!/usr/bin/env bash
# Builds, creates a fresh SQLite demo database, starts pedserver on a free loopback port and
# opens pedhost on the order-cancellation screen; the server stops when the host exits.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh demo
cmake --preset dev
cmake --build --preset dev
bin=build/dev/bin
if [ ! -x "$bin/pedserver" ] || [ ! -x "$bin/pedhost" ]; then
  echo "The demo needs pedserver and pedhost, which this build does not have yet."
  exit 0
fi
exec scripts/run-demo.sh "$bin"
