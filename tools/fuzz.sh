#!/usr/bin/env bash
# Runs one fuzz target for as long as asked: tools/fuzz.sh TARGET SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 2 ] || { echo "usage: tools/fuzz.sh TARGET SECONDS   (targets: those listed in build/fuzz/fuzz_targets.txt after a fuzz build)" >&2; exit 2; }
target="$1"; seconds="$2"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target"
corpus="build/fuzz/corpus/$target"
mkdir -p "$corpus"
for seeds in "fuzz/corpus/$target" "fuzz/corpus/${target%_fuzz}"; do
  [ -d "$seeds" ] && cp -rn "$seeds/." "$corpus/"
done
exec "build/fuzz/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 "$corpus"
