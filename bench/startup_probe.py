#!/usr/bin/env python3
"""Start-up time and peak memory of the real program, against a bare SDL2 + GL program, on Xvfb.

usage: startup_probe.py TORVELO BARE_WINDOW FIRST_SWAP_LIBRARY [RUNS]

FIRST_SWAP_LIBRARY (bench/first_swap.c) is preloaded into both programs and
notes, inside each, the milliseconds from its start to its first presented
frame: for the game, from the moment it receives the answer to the start-up
question (No: a window); for BARE_WINDOW (bench/bare_window.c), from its
load. Each game run lets the title screen run for two seconds and ends with
Escape; the bare program presents for two seconds and ends by itself. Both run
under /usr/bin/time -v for the peak resident set size, one after the other
in each round. Prints one JSON object: the times and peaks of every run, and
the game's starts that failed (an error box instead of the game; each is made
again).
"""
import contextlib
import json
import os
import re
import sys
import tempfile
import time

# The X server and its helpers are the whole-program tests'.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import torvelo_e2e as e2e  # noqa: E402
from torvelo_e2e import wait_for  # noqa: E402


class FailedStart(Exception):
    """The game showed an error box instead of starting: counted, and made again."""


def one_run(program, shim, workdir, name):
    swap_path, time_path = (os.path.join(workdir, f"{name}.{kind}") for kind in ("swap", "time"))

    def reported():
        with contextlib.suppress(OSError, ValueError):
            return float(open(swap_path).read())

    def game():
        e2e.answer("fullscreen?", "Escape")
        if wait_for(None, reported, 30) is None:
            assert "ERROR" in e2e.run("xwininfo -root -tree"), "no presented frame within 30 s"
            raise FailedStart("an ERROR box instead of the game window")
        wid = e2e.find(e2e.TITLE)[0]
        time.sleep(2)
        e2e.run("xdotool windowfocus", wid)
        e2e.ends("Escape")

    def bare():
        wait_for("the bare program's end", lambda: e2e.game.poll() is not None, 30)

    # The X helpers report on stdout, which carries this probe's JSON.
    with contextlib.redirect_stdout(sys.stderr):
        e2e.run_story(
            "1024x768",
            bare if "bare" in name else game,
            [
                "env",
                "LD_PRELOAD=" + shim,
                "TORVELO_FIRST_SWAP=" + swap_path,
                "/usr/bin/time",
                "-v",
                "-o",
                time_path,
                program,
            ],
        )
    report = open(time_path).read()
    status = re.search(r"Exit status: (\d+)", report)
    assert status and status[1] == "0", f"{program} ended with status {status and status[1]}"
    peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", report)[1])
    return reported(), peak


def main():
    game, bare, shim = sys.argv[1], sys.argv[2], os.path.abspath(sys.argv[3])
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    out = {
        "game_first_frame_ms": [],
        "game_peak_rss_kb": [],
        "bare_first_frame_ms": [],
        "bare_peak_rss_kb": [],
        "failed_starts": [],
    }
    with tempfile.TemporaryDirectory(prefix="torvelo-startup-") as workdir:
        while len(out["game_first_frame_ms"]) < runs:
            round_ = len(out["game_first_frame_ms"]) + len(out["failed_starts"])
            try:
                first, peak = one_run(game, shim, workdir, f"game{round_}")
            except FailedStart as failure:
                out["failed_starts"].append(str(failure))
                assert len(out["failed_starts"]) <= runs, "too many failed starts"
                continue
            out["game_first_frame_ms"].append(first)
            out["game_peak_rss_kb"].append(peak)
            first, peak = one_run(bare, shim, workdir, f"bare{round_}")
            out["bare_first_frame_ms"].append(first)
            out["bare_peak_rss_kb"].append(peak)
    print(json.dumps(out))


if __name__ == "__main__":
    main()
