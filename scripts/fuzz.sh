#!/usr/bin/env bash
# Builds the libFuzzer targets (preset `fuzz`: clang-14, ASan, UBSan) and runs each for SECONDS
# (default 10) on a working copy of its seed corpus in build/fuzz/corpus/, which keeps growing
# from run to run. A crash stops with libFuzzer's report and the input saved as
# build/fuzz/crash-*; the script then exits non-zero.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
scripts/ensure-packages.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in rpc_request packet_codec client_answer remote_call; do
  corpus="build/fuzz/corpus/$target"
  mkdir -p "$corpus"
  cp -n fuzz/corpus/"$target"/* "$corpus"/
  echo "== fuzz_$target for ${seconds}s"
  # -rss_limit_mb: ASan's shadow memory counts; 4 GB leaves room without letting a leak run away.
  build/fuzz/bin/fuzz_"$target" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ "$corpus" 2>&1 | grep -E "^(stat::|#[0-9]+ +DONE|==[0-9]+==|SUMMARY|INFO: Seed)|Test unit written" || true
  if ls build/fuzz/crash-* build/fuzz/leak-* build/fuzz/timeout-* >/dev/null 2>&1; then
    echo "fuzz_$target: failure input kept in build/fuzz/" >&2
    exit 1
  fi
done
