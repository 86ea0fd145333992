#!/usr/bin/env bash
# Builds the game and its benchmarks in Release and runs every benchmark under a virtual X
# display, printing their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTILNORA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)"
export TILNORA_GAME_DIR=$PWD/build-bench/game
for b in $(find build-bench/bench -maxdepth 2 -type f -name 'bench_*' -perm -u+x | sort); do
    echo "== $(basename "$b")"
    xvfb-run -a -s "-screen 0 1024x768x24" "$b"
done
