#!/usr/bin/env python3
"""Plants each fault of this folder in turn and says whether the test suite catches it.

usage: faults/run.py [--every] [PATCH...]      (every faults/*.patch by default)

Each patch is one small, realistic fault in src/. For each: the patch is applied to this
checkout, the dev tree is rebuilt and the suite runs (ctest --preset dev, stopping at the first
failure); a fault in src/win32/ also rebuilds the Windows installer and runs the Wine tests, the
only ones that run that code. Then the patch is taken out again. Prints one line a fault and
caught / total at the end. With --every the suite runs whole for each fault and the line names
every test that failed, not only the first. Not part of CI: a whole run takes an hour or more.
src/ must have no uncommitted change when it starts.
"""
import glob
import os
import re
import subprocess
import sys
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def sh(*args, timeout=1800, env=None):
    """Status and output of a command run under timeout in the checkout."""
    command = ["timeout", "-k", "10", str(timeout), *args]
    result = subprocess.run(command, cwd=TOP, capture_output=True, text=True, env=env, timeout=timeout + 60)
    return result.returncode, result.stdout + result.stderr


def verdict(patch, every):
    windows = "src/win32/" in open(patch).read()
    status, out = sh("cmake", "--build", "--preset", "dev")
    if status != 0:
        return "does not build", out
    if windows:
        for step in (
            ["cmake", "--build", "--preset", "windows"],
            ["cpack", "--config", "build/windows/CPackConfig.cmake", "-B", "build/windows"],
        ):
            status, out = sh(*step)
            if status != 0:
                return "does not build", out
        tests = ["-R", "^wine[.]"]
    else:
        tests = ["-E", "^(wine|packaging)[.]"]
    env = dict(os.environ, TORVELO_REQUIRE_ARTEFACTS="1")
    stop = [] if every else ["--stop-on-failure"]
    status, out = sh("ctest", "--preset", "dev", *stop, *tests, env=env)
    return ("caught" if status != 0 else "MISSED"), out


def main():
    every = "--every" in sys.argv
    patches = [a for a in sys.argv[1:] if a != "--every"] or sorted(
        glob.glob(os.path.join(TOP, "faults", "*.patch"))
    )
    assert sh("git", "diff", "--quiet", "--", "src")[0] == 0, "src/ has uncommitted changes"
    sh("cmake", "--preset", "dev")
    caught = 0
    missed = []
    for patch in patches:
        name = os.path.basename(patch)
        started = time.monotonic()
        status, out = sh("git", "apply", patch)
        if status != 0:
            print(f"{name}: does not apply\n{out}", flush=True)
            missed.append(name)
            continue
        try:
            result, out = verdict(patch, every)
        finally:
            sh("git", "apply", "-R", patch)
        caught += result == "caught"
        if result != "caught":
            missed.append(name)
        failed = [
            line.split()[-2 if "(" in line else -1]
            for line in out.splitlines()
            if re.match(r"\s+\d+ - ", line)
        ]
        detail = ", ".join(failed) or next(
            (line.strip() for line in out.splitlines() if "error:" in line), ""
        )
        print(f"{name}: {result} ({time.monotonic() - started:.0f} s) {detail}", flush=True)
    sh("cmake", "--build", "--preset", "dev")
    print(f"caught {caught} / {len(patches)}; not caught: {', '.join(missed) or 'none'}")


if __name__ == "__main__":
    main()
