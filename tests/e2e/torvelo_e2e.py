#!/usr/bin/env python3
# The real torvelo: torvelo_e2e.py play|start|nodisplay PROGRAM.
# The stories run it on a private Xvfb with real X key events; this module
# also lends its helpers to the Wine, package and start-up scripts. No window
# manager runs: boxes are found by name and focused by hand, and full screen is
# told from a window by _MOTIF_WM_HINTS. The game reads keys as levels once a
# frame, so a key is held down until its effect shows. The sanitizer settings
# come from the dev test preset, as for every test.
import os
import re
import subprocess
import sys
import tempfile
import time

TITLE = "Torvelo by Pelmaz"
game = keeper = None


def wait_for(what, probe, timeout=60):
    # probe()'s first true result; at the deadline a failure, unless what is None
    end = time.monotonic() + timeout
    got = probe()
    while not got and time.monotonic() < end:
        time.sleep(0.05)
        got = probe()
    assert got or what is None, "gave up waiting for " + what
    return got


def run(line, *args, check=True):
    # The output of the words of line, then args. Through a file: a wineserver
    # the command starts would hold a pipe open. Latin-1 keeps every byte.
    out = tempfile.TemporaryFile()
    done = subprocess.run(["timeout", "-k5", "90", *line.split(), *args], stdout=out, stderr=out)
    out.seek(0)
    text = out.read().decode("latin-1")
    assert done.returncode == 0 or not check, f"{done}\n{text}"
    return text


def expect(text, *wanted):
    for w in wanted:
        assert w in text, f"{w!r} not in:\n{text}"


def skip(reason):
    # CTest's skip; a failure under scripts/test.sh, which builds everything
    print(reason)
    sys.exit(1 if os.environ.get("TORVELO_REQUIRE_ARTEFACTS") == "1" else 77)


def built(path):
    # path, if built since the sources last changed (scripts/test.sh builds it)
    top = os.path.dirname(__file__) + "/../../"
    if not os.path.exists(path) or run("find", top + "src", top + "packaging", "-newer", path):
        skip(path + " is missing or older than the sources")
    return path


def blue(s, x0, y0, x1, y1):
    # Pixels of the title, timer and menu texts, (cos, sin, 1) and never white,
    # among every other one of every other row of an 800x600 PPM picture (a
    # 15-byte header, then RGB rows).
    rows = [15 + (y * 800 + x0) * 3 for y in range(y0, y1, 2)]
    return sum(
        s[i + 2] >= 250 and min(s[i : i + 2]) <= 190 for r in rows for i in range(r, r + (x1 - x0) * 3, 6)
    )


def title_shown(s):
    return blue(s, 220, 30, 560, 110) > 150


def playing(s):
    return blue(s, 590, 25, 790, 60) > 40 and not title_shown(s)


def shot(test=bool, corner=(0, 0)):
    # the 800x600 picture whose top-left is corner, if test passes on it
    s = run("import -window root -depth 8 -crop", "800x600+%d+%d" % corner, "ppm:-").encode("latin-1")
    if test(s):
        return s


def find(name):
    # [id, x, y, width, height] of the window of that name, once it shows
    def shown():
        info = run("xwininfo -name", name, check=False)
        if "IsViewable" in info:
            return re.findall(r"(?:id|Absolute.*|Width|Height): +(-?\w+)", info)

    wid, *geometry = wait_for(name, shown)
    return [wid, *map(int, geometry)]


def answer(name, key):
    # A box may show before it takes keys: the key again until the box is gone
    # and its name no longer printed.
    box = find(name)[0]
    press = f"xdotool windowfocus {box} key {key} sleep 1 getwindowname {box}"
    wait_for(f"{name} to take {key}", lambda: name not in run(press, check=False), 30)


def hold(key, effect, what):
    # effect()'s first true result, the key down until then
    run("xdotool keydown", key)
    got = wait_for(what + " on " + key, effect, 30)
    run("xdotool keyup", key)
    return got


def ends(key):
    hold(key, lambda: game.poll() is not None, "the end")
    assert game.returncode == 0, game.returncode


def keep():
    # A client of ours: a server left without clients resets, and its reset
    # puts the pointer in the middle. xprop writes once it is connected.
    global keeper
    log = tempfile.TemporaryFile()
    keeper = subprocess.Popen(["xprop", "-root", "-spy"], stdout=log)
    wait_for("xprop -spy", lambda: os.fstat(log.fileno()).st_size)


def run_story(size, story, command=()):
    # story() on a fresh Xvfb of that size, with command running on it
    global game
    game = None
    # Xvfb picks a free display and writes it once it takes clients. Keys do not repeat.
    file = tempfile.TemporaryFile()
    n = file.fileno()
    server = subprocess.Popen(
        f"Xvfb -displayfd {n} -screen 0 {size}x24 -nolisten tcp -ardelay 60000".split(), pass_fds=[n]
    )
    os.environ["DISPLAY"] = ":%d" % int(wait_for("Xvfb", lambda: os.pread(n, 9, 0)))
    try:
        keep()
        # SDL states "no frame" only where a window manager made this atom.
        run("xprop -root -f _MOTIF_WM_HINTS 32c -set _MOTIF_WM_HINTS 0")
        if command:
            game = subprocess.Popen(command)
        story()
    finally:
        for p in game, keeper, server:
            if p:
                p.kill()
                p.wait(9)


def game_window(framed, old=None, key=None):
    # The game window after F1 on old, or at the start, showing the title
    # screen; key: the answer to the start-up question.
    if old:
        hold("F1", lambda: "IsViewable" not in run("xwininfo -id", old, check=False), "the window down")
    if key:
        answer("fullscreen?", key)
    wid, *geometry = find(TITLE)
    assert geometry == [0, 0, 800, 600], geometry
    # The hints state the frame (flag 2), and no frame is full screen.
    expect(run("xprop _MOTIF_WM_HINTS -id", wid), "= 0x2, 0x0, 0x%d," % framed)
    wait_for("the title screen", lambda: shot(title_shown))
    return wid


def play():
    # No gives a framed window, F1 full screen and F1 again a window that can
    # be resized; play, the title again, Alt+F4. The pointer stays where the
    # player left it: across F1 the game is the server's only client and must
    # keep its connection, lest the server reset and move the pointer; ours
    # again before the end, so that what the pointer shows is the game's doing.
    wid = game_window(True, key="Escape")
    run("xdotool mousemove 100 100")
    keeper.kill()
    keeper.wait(9)
    wid = game_window(False, wid)
    expect(run("xdotool getmouselocation"), "x:100 y:100 ")
    keep()
    wid = game_window(True, wid)
    hints = run("xprop WM_NORMAL_HINTS -id", wid)
    assert "maximum size" not in hints, hints
    hold("1", lambda: shot(playing), "play")
    hold("Delete", lambda: shot(title_shown), "the title")
    ends("alt+F4")
    expect(run("xdotool getmouselocation"), "x:100 y:100 ")


def start():
    # A 1024x768 screen has no 800x600 mode: Yes to full screen, then Yes to
    # the window offered instead.
    answer("fullscreen?", "Return")
    answer(TITLE, "Return")
    game_window(True)
    ends("Escape")


if __name__ == "__main__":
    step, program = sys.argv[1:]
    # Mesa unloads its software driver when SDL closes the display, and what it
    # pointed to would look leaked: preloading it (after the ASan runtime) keeps it.
    preload = re.findall(r"/\S*libasan\S*", run("ldd", program)) + [
        "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"
    ]
    command = ["env", "LD_PRELOAD=" + ":".join(preload), program]
    if step == "nodisplay":
        unset = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR".split()
        done = subprocess.run(unset + command, capture_output=True, text=True)
        errors = "fullscreen?: Voulez vous activer le mode plein écran?\nERROR: Failed To Register The Window Class.\ntorvelo: no display to open: DISPLAY is not set\n"
        assert (done.returncode, done.stdout, done.stderr) == (1, "", errors), done
    else:
        # the story of that name
        run_story("800x600" if step == "play" else "1024x768", globals()[step], command)
