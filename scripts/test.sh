#!/usr/bin/env bash
# Installs what is missing, checks the layout of every source file, builds
# every tree the tests use and runs them: the dev preset (sanitizers on), the
# release preset and its .deb, the play preset's .deb (a second build of the
# same program, which must match byte for byte), and the Windows installer
# and zip. The package and Wine tests fail here, rather than skip, when what
# they test was not built from these sources.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake --preset dev
scripts/check-style.sh build/dev
cmake --build --preset dev
cmake --preset release && cmake --build --preset release
cpack -G DEB --config build/release/CPackConfig.cmake -B build/release
cmake --preset play && cmake --build --preset play
cpack -G DEB --config build/play/CPackConfig.cmake -B build/play
cmake --preset windows && cmake --build --preset windows
cpack --config build/windows/CPackConfig.cmake -B build/windows
TORVELO_REQUIRE_ARTEFACTS=1 ctest --preset dev
