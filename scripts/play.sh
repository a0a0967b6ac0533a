#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
if [ -x build/release/torvelo ]; then
  exec build/release/torvelo
fi
echo "play.sh: the game program is not built yet; the cube model library is." >&2
