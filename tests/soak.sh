#!/usr/bin/env bash
# The long runs, beyond what scripts/test.sh has time for: the key fuzzing of
# whole frames across the run clock's wrap again and again, a new seed each
# time, and the view spin over more frames; through ctest, so with the dev
# test preset's sanitizer settings and each run within its time limit.
# Settings: SOAK_RUNS (100), SOAK_SPINS (30000000 a run).
set -euo pipefail
cd "$(dirname "$0")/.." && scripts/install-deps.sh --test
cmake --preset dev && cmake --build --preset dev --target game_tests
for seed in $(seq "${SOAK_RUNS:-100}"); do
  SOAK_SEED=$seed SOAK_SPINS=${SOAK_SPINS:-30000000} ctest --preset dev -R '^(KeyFuzz|LongRuns)[.]'
done
