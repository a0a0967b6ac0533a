#!/usr/bin/env bash
# Installs what is missing, builds the release program and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The program alone, in a tree of its own: the tests need the test packages.
cmake --preset play
cmake --build --preset play --target torvelo
exec build/play/torvelo
