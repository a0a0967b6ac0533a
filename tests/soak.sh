#!/usr/bin/env bash
# The long runs, beyond what scripts/test.sh has time for: key fuzzing of
# whole frames across the run clock's wrap and the view spin, in the dev
# build with the dev test preset's sanitizer settings. Settings: SOAK_EVENTS
# (1000000 a run), SOAK_SPINS (100000000).
set -euo pipefail
cd "$(dirname "$0")/.." && scripts/install-deps.sh --test
cmake --preset dev && cmake --build --preset dev --target key_fuzz_tests
# The environment `ctest --preset dev` gives, without its 120 s limit.
eval "$(python3 -c '
import json, shlex, sys
for preset in json.load(open("CMakePresets.json"))["testPresets"]:
    for name, value in preset["environment"].items() if preset["name"] == "dev" else ():
        print("export " + name + "=" + shlex.quote(value.replace("${sourceDir}", sys.argv[1])))
' "$PWD")"
SOAK_EVENTS=${SOAK_EVENTS:-1000000} SOAK_SPINS=${SOAK_SPINS:-100000000} LP_NUM_THREADS=0 build/dev/tests/key_fuzz_tests
