#!/usr/bin/env bash
# The long runs, beyond what scripts/test.sh has time for: key fuzzing of
# whole frames across the run clock's wrap and the view spin in the dev build
# (sanitizers on), then display-mode switches of the release program on an
# 800x600 Xvfb, its resident memory measured (the program's own figures, not
# the sanitizers'). Settings: SOAK_EVENTS (1000000), SOAK_SPINS (100000000),
# SOAK_SWITCHES (50), SOAK_SEED (1).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake --preset dev && cmake --build --preset dev --target hardening_soak
cmake --preset release && cmake --build --preset release --target torvelo
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
status=0
build/dev/tests/hardening/hardening_soak "${SOAK_EVENTS:-1000000}" "${SOAK_SPINS:-100000000}" "${SOAK_SEED:-1}" ||
  status=1
python3 tests/e2e/torvelo_e2e.py build/release/torvelo build/release/soak switches "${SOAK_SWITCHES:-50}" || status=1
echo "soak: $([ $status -eq 0 ] && echo passed || echo FAILED)"
exit $status
