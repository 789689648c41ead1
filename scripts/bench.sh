#!/usr/bin/env bash
# Builds the optimised tree and runs every benchmark. Each benchmark measures its baseline in
# the same run and prints its figures as ratios against it.
#   scripts/bench.sh            all benchmarks
#   scripts/bench.sh logwriter  only bench_logwriter
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh --release

status=0
for bench in build-release/bench/bench_*; do
    [ -f "$bench" ] && [ -x "$bench" ] || continue
    name=$(basename "$bench")
    if [ $# -gt 0 ] && [ "$name" != "bench_$1" ]; then
        continue
    fi
    echo "== $name"
    "$bench" || status=1
done
exit $status
