#!/usr/bin/env bash
# Installs what is missing, builds the dev preset (sanitizers on) and runs
# every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake --preset dev
cmake --build --preset dev
ctest --preset dev
