#!/usr/bin/env bash
# Builds and runs every benchmark program: tools/bench.sh [benchmark filter]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native
for program in build/native/bench/*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" ${1:+--benchmark_filter="$1"}
done
