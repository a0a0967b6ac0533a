#!/usr/bin/env python3
"""Mode-switch soak: the real torvelo on an 800 x 600 Xvfb, where full
screen is granted without a question, switched with F1 between full screen
and a window SWITCHES times. Each switch waits for the old window to go and
the new one to draw the title screen. The resident memory (VmRSS) may grow
by at most 5 MB from the 5th switch to the last; afterwards the game still
starts on "1", turns on an arrow key and ends on Escape with status 0.

usage: mode_switch_soak.py TORVELO OUTPUT_DIR SWITCHES

The X server, window lookup, key holding and screenshots are those of the
end-to-end tests (tests/e2e/torvelo_e2e.py).
"""
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing left behind in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import torvelo_e2e as e2e  # noqa: E402

GROWTH_LIMIT_KB = 5 * 1024
FIRST_MEASURED = 5


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise e2e.Failure("no VmRSS for the game")


def switch(game, wid):
    """F1 until the window goes; then the new window's title screen."""
    game.hold("F1", lambda: not e2e.is_viewable(game.display, wid), "F1 to tear the window down")
    new = e2e.expect_game_window(game)
    e2e.wait_for("the title screen after F1", lambda: e2e.title_shown(game.shot()), 60)
    return new


def soak(game, out_dir, switches):
    e2e.answer_box(game.display, "fullscreen?", "Return")
    wid = e2e.expect_game_window(game)
    e2e.wait_for("the title screen", lambda: e2e.title_shown(game.shot()), 60)

    pid = game.process.pid
    started = time.monotonic()
    measured = None
    for n in range(1, switches + 1):
        wid = switch(game, wid)
        rss = resident_kb(pid)
        # Odd switches leave full screen, even ones go back to it.
        full = not e2e.asks_for_frame(game.display, wid)
        e2e.expect(full == (n % 2 == 0), f"switch {n} gave {'full screen' if full else 'a window'}")
        if n == FIRST_MEASURED:
            measured = rss
        e2e.log(f"switch {n:2d}: {'full screen' if full else 'window     '} VmRSS {rss} kB")
    took = time.monotonic() - started
    growth = rss - measured
    e2e.log(f"{switches} switches in {took:.1f} s ({took / switches:.2f} s each); VmRSS {measured} kB at "
            f"switch {FIRST_MEASURED}, {rss} kB at switch {switches}: grew {growth} kB (limit {GROWTH_LIMIT_KB})")
    e2e.expect(growth <= GROWTH_LIMIT_KB, f"resident memory grew by {growth} kB over the switches")

    # Still a game: "1" starts play, Left turns the whole cube, Escape ends.
    e2e.wait_for("the title screen", lambda: e2e.title_shown(game.shot()), 30)
    game.hold("1", lambda: e2e.timer_shown(game.shot()) and not e2e.title_shown(game.shot()),
              "play to start on 1")
    cube_area = (150, 80, 700, 580)
    before = e2e.region(game.shot(), *cube_area)
    game.hold("Left", lambda: e2e.region(game.shot(), *cube_area) != before, "the cube to turn on Left")
    e2e.save_png(game.shot(), os.path.join(out_dir, "after_switches.png"))
    e2e.run(game.display, "xdotool", "keydown", "Escape")
    try:
        e2e.expect_ends_with_zero(game)
    finally:
        e2e.run(game.display, "xdotool", "keyup", "Escape")


def main():
    binary, out_dir, switches = sys.argv[1], sys.argv[2], int(sys.argv[3])
    if switches < FIRST_MEASURED:
        print(f"at least {FIRST_MEASURED} switches, please", file=sys.stderr)
        return 2
    os.makedirs(out_dir, exist_ok=True)
    # A sanitizer build keeps freed memory aside (256 MB by default) to catch
    # late uses, and filling that would read as growth. A 1 MB quarantine is
    # full after the first switch and still catches a use right after a free.
    os.environ["ASAN_OPTIONS"] = os.environ.get("ASAN_OPTIONS", "detect_leaks=1:abort_on_error=1") + \
        ":quarantine_size_mb=1"
    game = None
    try:
        game = e2e.Game(binary, out_dir, "mode_switch_soak", "800x600x24")
        soak(game, out_dir, switches)
        e2e.log("mode_switch_soak: passed")
        return 0
    except (e2e.Failure, OSError, subprocess.TimeoutExpired) as failure:
        e2e.report_failure(game, out_dir, "mode_switch_soak", failure)
        return 1
    finally:
        e2e.end_game(game)


if __name__ == "__main__":
    sys.exit(main())
