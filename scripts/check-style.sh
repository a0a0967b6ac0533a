#!/usr/bin/env bash
# Fails when a source file is not as its formatter lays it out (clang-format
# with the root .clang-format for C and C++, black with pyproject.toml for
# Python) or, given a configured tree, when clang finds a comma operator in
# any file that tree compiles.
#   scripts/check-style.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.c' '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
git ls-files '*.py' | xargs black --check --quiet
[ $# -eq 0 ] && exit 0
# The tree's own compile commands, checked by clang for -Wcomma alone.
python3 - "$1/compile_commands.json" <<'PY'
import json, shlex, subprocess, sys

failed = 0
for entry in json.load(open(sys.argv[1])):
    words = shlex.split(entry["command"])[1:]
    out = words.index("-o")
    words = [w for w in words[:out] + words[out + 2 :] if w != "-Werror"]
    check = ["clang++" if entry["file"].endswith((".cpp", ".h")) else "clang"] + words
    check += ["-fsyntax-only", "-Wno-everything", "-Wcomma", "-Werror=comma"]
    result = subprocess.run(check, cwd=entry["directory"], capture_output=True, text=True, timeout=120)
    failed += result.returncode != 0
    sys.stderr.write(result.stderr)
sys.exit(1 if failed else 0)
PY
