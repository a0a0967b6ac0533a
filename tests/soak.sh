#!/usr/bin/env bash
# The long runs, beyond what scripts/test.sh has time for: key fuzzing of
# whole frames across the run clock's wrap and the view spin in the dev build
# (sanitizers on), then display-mode switches of the release program on an
# 800x600 Xvfb, its resident memory measured (the program's own figures, not
# the sanitizers'). Settings: SOAK_EVENTS (1000000 a run), SOAK_SPINS
# (100000000), SOAK_SWITCHES (50).
set -uo pipefail
cd "$(dirname "$0")/.." && scripts/install-deps.sh --test || exit 1
cmake --preset dev && cmake --build --preset dev --target hardening_tests || exit 1
cmake --preset release && cmake --build --preset release --target torvelo || exit 1
SOAK_EVENTS=${SOAK_EVENTS:-1000000} SOAK_SPINS=${SOAK_SPINS:-100000000} LP_NUM_THREADS=0 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 build/dev/tests/hardening_tests
status=$?
python3 tests/e2e/torvelo_e2e.py build/release/torvelo build/release/soak switches "${SOAK_SWITCHES:-50}" || status=1
echo "soak: $([ $status -eq 0 ] && echo passed || echo FAILED)"
exit $status
