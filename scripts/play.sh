#!/usr/bin/env bash
# Installs what is missing, builds the release program and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The program alone: the tests and benchmarks need the test packages.
cmake --preset release -DTORVELO_TESTS=OFF -DTORVELO_BENCH=OFF
cmake --build --preset release --target torvelo
exec build/release/torvelo
