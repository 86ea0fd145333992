#!/usr/bin/env bash
# Builds the game and its benchmarks in Release and runs each under a virtual X display; each
# prints its figures with their targets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTILNORA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)"
export TILNORA_GAME_DIR=$PWD/build-bench/game
for b in build-bench/bench/bench_*; do
    [[ -f $b && -x $b ]] || continue
    echo "== $(basename "$b")"
    xvfb-run -a -s "-screen 0 1024x768x24" "$b"
done
