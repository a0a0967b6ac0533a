#!/usr/bin/env bash
# Installs what is missing, builds every tree the tests use and runs them:
# the dev preset (sanitizers on), the release preset and its .deb, a second
# release build of the same tree whose .deb must match it byte for byte, and
# the Windows installer and zip where mingw-w64, Wine and NSIS are installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake --preset dev && cmake --build --preset dev
cmake --preset release && cmake --build --preset release
cpack -G DEB --config build/release/CPackConfig.cmake -B build/release
cmake --preset release -B build/release-again -DTORVELO_TESTS=OFF -DTORVELO_BENCH=OFF
cmake --build build/release-again -j2
cpack -G DEB --config build/release-again/CPackConfig.cmake -B build/release-again
if type -P x86_64-w64-mingw32-g++-posix wine makensis >/dev/null; then
  cmake --preset windows && cmake --build --preset windows
  cpack --config build/windows/CPackConfig.cmake -B build/windows
fi
ctest --preset dev
