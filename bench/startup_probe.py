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
import json
import os
import re
import subprocess
import sys
import tempfile
import time

# The X server and waiting helpers are the whole-program tests'.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import torvelo_e2e as e2e  # noqa: E402
from torvelo_e2e import Failure, stop, wait_for  # noqa: E402

BOX_NAME = "fullscreen?"
GAME_NAME = "Torvelo by Pelmaz"
WINDOW_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "(.*)": ')


class FailedStart(e2e.Failure):
    """The program showed an error box instead of starting: counted, and the
    run is made again."""


def x_run(display, *args):
    return subprocess.run(args, env=dict(os.environ, DISPLAY=display), capture_output=True, timeout=20)


def find_window(display, name):
    done = x_run(display, "xwininfo", "-root", "-tree")
    for line in done.stdout.decode(errors="replace").splitlines():
        m = WINDOW_LINE.match(line)
        if m and m.group(2) == name:
            info = x_run(display, "xwininfo", "-id", m.group(1)).stdout
            if b"Map State: IsViewable" in info:
                return m.group(1)
    return None


def one_run(binary, shim, workdir, index):
    server, display = e2e.start_xvfb("1024x768x24")
    game = None
    try:
        err_path = os.path.join(workdir, f"run{index}.stderr")
        time_path = os.path.join(workdir, f"run{index}.time")
        swap_path = os.path.join(workdir, f"run{index}.swap")
        env = dict(os.environ, DISPLAY=display, LD_PRELOAD=shim, TORVELO_FIRST_SWAP=swap_path)
        with open(err_path, "wb") as err:
            game = subprocess.Popen(["/usr/bin/time", "-v", "-o", time_path, binary],
                                    env=env, stdout=subprocess.DEVNULL,
                                    stderr=err, start_new_session=True)
        box = wait_for("the start-up question", lambda: find_window(display, BOX_NAME), 60)
        # No window manager: focus the box by hand, then No (Escape); a key
        # sent before the focus has landed is lost, so again until it closes.
        for attempt in range(5):
            x_run(display, "xdotool", "windowfocus", box)
            answered = time.monotonic()
            x_run(display, "xdotool", "key", "Escape")
            try:
                wait_for("the question to close", lambda: find_window(display, BOX_NAME) is None, 3)
                break
            except Failure:
                if attempt == 4:
                    raise

        def reported():
            if not os.path.exists(swap_path):
                return None
            with open(swap_path) as swap:
                text = swap.read().strip()
            return round((float(text) - answered) * 1000) if text else None
        try:
            first_frame = wait_for("the first presented frame", reported, 30)
        except Failure:
            if find_window(display, "ERROR"):
                raise FailedStart("an ERROR box instead of the game window")
            raise
        wid = wait_for("the game window", lambda: find_window(display, GAME_NAME), 60)

        time.sleep(2.0)
        x_run(display, "xdotool", "windowfocus", wid)
        # Keys are read as levels once per frame: hold Escape until the end.
        x_run(display, "xdotool", "keydown", "Escape")
        try:
            status = game.wait(timeout=30)
        finally:
            x_run(display, "xdotool", "keyup", "Escape")
        with open(time_path) as t:
            report = t.read()
        m = re.search(r"Exit status: (\d+)", report)
        if status != 0 or not m or m.group(1) != "0":
            raise Failure(f"torvelo ended with status {status} ({err_path})")
        rss = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", report).group(1))
        return first_frame, rss
    finally:
        stop(game)
        stop(server)


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
        except (Failure, subprocess.TimeoutExpired) as failure:
            print(f"startup_probe: {failure}", file=sys.stderr)
            for name in sorted(os.listdir(workdir)):
                with open(os.path.join(workdir, name), errors="replace") as f:
                    print(f"--- {name} ---\n{f.read()[-2000:]}", file=sys.stderr)
            return 1
    print(json.dumps({"first_frame_ms": firsts, "peak_rss_kb": rss, "failed_starts": failed}))
    return 0


if __name__ == "__main__":
    sys.exit(main())
