#!/usr/bin/env python3
"""Start-up time and peak memory of the real program on its own Xvfb.

usage: startup_probe.py TORVELO FIRST_SWAP_LIBRARY [RUNS]

The program is measured from outside: FIRST_SWAP_LIBRARY (bench/first_swap.c)
is preloaded into it and notes when the first drawn frame is presented; the
first-frame time runs from the key press that answered the question. Each
run answers No to the start-up question (a window), lets the title screen run
for two seconds and ends the program with Escape, under /usr/bin/time -v for
the peak resident set size. Prints one JSON object:
the first-frame times and peak RSS (kB) of every run, and the starts that
failed (an error box instead of the game; each is made again).
"""
import contextlib
import json
import os
import re
import subprocess
import sys
import tempfile
import time

# The X server and its helpers are the whole-program tests'.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import torvelo_e2e as e2e  # noqa: E402
from torvelo_e2e import wait_for  # noqa: E402


class Failure(Exception):
    """A run that went wrong: the probe stops and shows the run's files."""


class FailedStart(Failure):
    """The program showed an error box instead of starting: counted, and the
    run is made again."""


def one_run(binary, shim, workdir, index):
    swap_path = os.path.join(workdir, f"run{index}.swap")
    time_path = os.path.join(workdir, f"run{index}.time")
    measured = {}

    def story(x):
        box = wait_for("the start-up question", lambda: x.find("fullscreen?", game=False), 60)[0]
        # No window manager: focus the box by hand, then No (Escape); a key
        # sent before the focus has landed is lost, so again until it closes.
        for attempt in range(5):
            answered = time.monotonic()
            e2e.run("xdotool", "windowfocus", box, "key", "Escape")
            if wait_for(None, lambda: not x.viewable(box), 3):
                break
        else:
            raise Failure("the question did not close")

        def reported():
            if not os.path.exists(swap_path):
                return None
            with open(swap_path) as swap:
                text = swap.read().strip()
            return round((float(text) - answered) * 1000) if text else None
        measured["first_frame"] = wait_for(None, reported, 30)
        if measured["first_frame"] is None:
            if "ERROR" in e2e.run("xwininfo", "-root", "-tree"):
                raise FailedStart("an ERROR box instead of the game window")
            raise Failure("no presented frame within 30 s")
        wid = wait_for("the game window", lambda: x.find(e2e.TITLE, game=True), 30)[0]
        time.sleep(2.0)
        e2e.run("xdotool", "windowfocus", wid)
        x.ends("Escape")

    # The X helpers report on stdout, which carries this probe's JSON.
    with contextlib.redirect_stdout(sys.stderr):
        e2e.run_story(workdir, f"run{index}", "1024x768", story, ["/usr/bin/time", "-v", "-o", time_path, binary],
                      dict(os.environ, LD_PRELOAD=shim, TORVELO_FIRST_SWAP=swap_path))
    with open(time_path) as t:
        report = t.read()
    m = re.search(r"Exit status: (\d+)", report)
    if not m or m.group(1) != "0":
        raise Failure(f"torvelo ended with status {m.group(1) if m else '?'}")
    rss = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", report).group(1))
    return measured["first_frame"], rss


def main():
    binary, shim = sys.argv[1], os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    firsts, rss, failed = [], [], []
    with tempfile.TemporaryDirectory(prefix="torvelo-startup-") as workdir:
        try:
            attempt = 0
            while len(firsts) < runs:
                attempt += 1
                try:
                    first, peak = one_run(binary, shim, workdir, attempt)
                except FailedStart as failure:
                    failed.append(str(failure))
                    if len(failed) > runs:
                        raise
                    continue
                firsts.append(first)
                rss.append(peak)
        except (Failure, AssertionError, subprocess.TimeoutExpired) as failure:
            print(f"startup_probe: {failure}", file=sys.stderr)
            for name in sorted(os.listdir(workdir)):
                if name.endswith(".png"):
                    continue
                with open(os.path.join(workdir, name), errors="replace") as f:
                    print(f"--- {name} ---\n{f.read()[-2000:]}", file=sys.stderr)
            return 1
    print(json.dumps({"first_frame_ms": firsts, "peak_rss_kb": rss, "failed_starts": failed}))
    return 0


if __name__ == "__main__":
    sys.exit(main())
