#!/usr/bin/env bash
# Installs what is missing, builds the release preset's tree (the program
# that ships, hardened, with the benchmarks beside it) and prints one table
# of performance figures, every row measured in this run: the scramble
# against two cube libraries from npm, frames on software GL, the game's own
# share of a frame's instructions, and the real program's start-up time and
# peak memory under Xvfb against a bare SDL2 + GL window. Results and the
# table land in build/release/bench/results.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test --bench

build=build/release
results=$build/bench/results
npm_dir=build/bench-npm
mkdir -p "$results" "$npm_dir"

cmake --preset release > "$results/configure.log"
cmake --build --preset release --target torvelo cube_bench frame_bench frame_profile model_moves first_swap \
  bare_window > "$results/build.log"

# The two libraries, pinned, in a folder of their own (git-ignored).
if [ ! -f "$npm_dir/node_modules/cubing/package.json" ] || [ ! -f "$npm_dir/node_modules/cubejs/package.json" ]; then
  [ -f "$npm_dir/package.json" ] || echo '{"private": true}' > "$npm_dir/package.json"
  (cd "$npm_dir" && npm install --no-audit --no-fund --loglevel=error cubing@0.63.4 cubejs@1.3.2)
fi
cp bench/model_compare.mjs "$npm_dir/"

echo "bench: the scramble's moves, and the libraries on them (translation checked first)"
"$build/bench/model_moves" 3 1 150 > "$results/moves3.json"
"$build/bench/model_moves" 4 1 150 > "$results/moves4.json"
node "$npm_dir/model_compare.mjs" "$results/moves3.json" "$results/moves4.json" > "$results/libraries.json" \
  2> >(grep -v EBADENGINE >&2)

echo "bench: scrambleCube(150)"
"$build/bench/cube_bench" --benchmark_filter='Scramble150' --benchmark_repetitions=15 \
  --benchmark_report_aggregates_only=true --benchmark_format=json > "$results/cube.json"

echo "bench: frames on OSMesa"
"$build/bench/frame_bench" --benchmark_filter='ClearOnly|TitleFrame|PlayFrame' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=json > "$results/frames.json"

echo "bench: a title frame's instructions under callgrind (about a minute)"
frames=10
LP_NUM_THREADS=0 valgrind --tool=callgrind --toggle-collect=profiledFrames \
  --callgrind-out-file="$results/title4.callgrind" "$build/bench/frame_profile" "$frames" \
  > "$results/callgrind.log" 2>&1
python3 bench/frame_share.py "$results/title4.callgrind" "$build/bench/frame_profile" "$frames" \
  > "$results/share.json"

echo "bench: the real program and a bare SDL2 + GL window under Xvfb, five starts each"
python3 bench/startup_probe.py "$build/torvelo" "$build/bench/bare_window" "$build/bench/libfirst_swap.so" 5 \
  > "$results/startup.json"

echo
python3 bench/bench_table.py "$results" | tee "$results/table.md"
