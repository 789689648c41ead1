#!/usr/bin/env bash
# Configures (once) and builds incrementally.
#   scripts/build.sh              build/        optimised with debug info
#   scripts/build.sh --sanitize   build-asan/   AddressSanitizer and UndefinedBehaviorSanitizer
#   scripts/build.sh --release    build-release/ for benchmarks
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "${1:-}" in
    --sanitize) build_dir=build-asan; options=(-DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZE=ON) ;;
    --release) build_dir=build-release; options=(-DCMAKE_BUILD_TYPE=Release) ;;
    "") ;;
    *) echo "usage: $0 [--sanitize|--release]" >&2; exit 2 ;;
esac

if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${options[@]}" >/dev/null
fi
# --quiet keeps compiler diagnostics and drops the progress lines.
cmake --build "$build_dir" -- --quiet
