#!/usr/bin/env bash
# The long runs, beyond what `scripts/test.sh` has time for:
#   1. key fuzzing of whole frames, 10^6 events by default, across the run
#      clock's wrap, then 10^8 frames of view spin: the dev build (ASan and
#      UBSan on);
#   2. 50 switches between full screen and a window of the real program on
#      an 800 x 600 Xvfb, resident memory measured: the release build, so
#      that the figures are the program's own and not the sanitizers';
#   3. libFuzzer over the key-fuzzing driver for a bounded time, when clang
#      and its fuzzer runtime are installed: a clang build of its own.
# Each part prints its figures; the script fails when one of them fails.
#
# Settings (environment): SOAK_EVENTS (1000000), SOAK_SPINS (100000000),
# SOAK_SWITCHES (50), SOAK_FUZZ_SECONDS (600), SOAK_SEED (1), and the build
# folders SOAK_DEV_DIR (build/dev), SOAK_RELEASE_DIR (build/release),
# SOAK_FUZZ_DIR (build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

events=${SOAK_EVENTS:-1000000}
spins=${SOAK_SPINS:-100000000}
switches=${SOAK_SWITCHES:-50}
fuzz_seconds=${SOAK_FUZZ_SECONDS:-600}
seed=${SOAK_SEED:-1}
dev=${SOAK_DEV_DIR:-build/dev}
release=${SOAK_RELEASE_DIR:-build/release}
fuzz=${SOAK_FUZZ_DIR:-build/fuzz}

scripts/install-deps.sh --test

# The dev test preset's sanitizer settings.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}

status=0

echo "== key fuzzing and view spin (dev build: $dev)"
cmake --preset dev -B "$dev"
cmake --build "$dev" --target hardening_soak -j2
"$dev/tests/hardening/hardening_soak" "$events" "$spins" "$seed" || status=1

echo "== $switches display-mode switches (release build: $release)"
cmake --preset release -B "$release"
cmake --build "$release" --target torvelo -j2
python3 tests/hardening/mode_switch_soak.py "$release/torvelo" "$release/soak" "$switches" || status=1

runtime=$(clang -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null || true)
if command -v clang++ > /dev/null && [ -f "$runtime" ]; then
  echo "== libFuzzer, $fuzz_seconds s (clang build: $fuzz)"
  CC=clang CXX=clang++ cmake -S . -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVELO_TESTS=ON \
    -DTORVELO_SANITIZE=ON -DTORVELO_FUZZER=ON -DTORVELO_BENCH=OFF \
    -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
  cmake --build "$fuzz" --target play_fuzzer -j2
  mkdir -p "$fuzz/corpus" "$fuzz/crashes"
  "$fuzz/tests/hardening/play_fuzzer" -max_total_time="$fuzz_seconds" -max_len=4096 -len_control=10 \
    -seed="$seed" -print_final_stats=1 -artifact_prefix="$fuzz/crashes/" "$fuzz/corpus" || status=1
else
  echo "== libFuzzer skipped: clang or its fuzzer runtime (libclang-rt-14-dev) is not installed"
fi

if [ "$status" -eq 0 ]; then echo "soak.sh: passed"; else echo "soak.sh: FAILED"; fi
exit "$status"
