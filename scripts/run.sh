#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENGINE_TESTS=OFF -DENGINE_BENCH=OFF
cmake --build build/release --target game
cd build/release/bin
exec ./game "$@"
