#!/usr/bin/env bash
# Builds everything and runs every test (unit, integration, end-to-end), on SQLite and,
# when PostgreSQL is installed, on a throwaway PostgreSQL cluster as well.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh test
cmake --preset dev
cmake --build --preset dev
# Each libFuzzer target for a few seconds (clang build in build/fuzz; scripts/fuzz.sh runs longer),
# before the test suite so that the suite's summary closes the output.
scripts/fuzz.sh 5
scripts/with-postgres.sh ctest --preset dev
