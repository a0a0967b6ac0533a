#!/usr/bin/env bash
# The long runs, beyond what scripts/test.sh has time for: key fuzzing of
# whole frames across the run clock's wrap and the view spin in the dev build
# (sanitizers on). Settings: SOAK_EVENTS (1000000 a run), SOAK_SPINS (100000000).
set -euo pipefail
cd "$(dirname "$0")/.." && scripts/install-deps.sh --test
cmake --preset dev && cmake --build --preset dev --target hardening_tests
SOAK_EVENTS=${SOAK_EVENTS:-1000000} SOAK_SPINS=${SOAK_SPINS:-100000000} LP_NUM_THREADS=0 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 build/dev/tests/hardening_tests
