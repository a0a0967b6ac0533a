#!/usr/bin/env bash
# Installs the Debian packages Torvelo needs; only what dpkg says is missing.
#   scripts/install-deps.sh          what building and running the game needs
#   scripts/install-deps.sh --test   that plus everything the test suite uses
#   scripts/install-deps.sh --bench  that plus Node.js, where there is none
set -euo pipefail

game_pkgs=(
  cmake ninja-build g++ pkg-config
  libgl-dev libglu1-mesa-dev libsdl2-dev libfreetype-dev libfontconfig-dev
  fonts-liberation fonts-comic-neue
)
test_pkgs=(
  googletest libgtest-dev libbenchmark-dev libosmesa6-dev
  xvfb xdotool x11-utils xfonts-base imagemagick python3
  g++-mingw-w64-x86-64-posix wine wine64
  appstream desktop-file-utils time valgrind
  lintian devscripts dpkg-dev nsis
  clang clang-format black
)

want=("${game_pkgs[@]}")
for option in "$@"; do
  case "$option" in
    --test) want+=("${test_pkgs[@]}") ;;
    # The comparison libraries run on whatever Node.js the machine has.
    --bench) command -v node > /dev/null && command -v npm > /dev/null || want+=(nodejs npm) ;;
  esac
done

missing=()
for p in "${want[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: nothing missing"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
