#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DTILNORA_BUILD_TESTS=OFF -DTILNORA_BUILD_BENCH=OFF >/dev/null
cmake --build build-run -j"$(nproc)"
exec build-run/game/tilnora
