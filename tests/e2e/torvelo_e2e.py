#!/usr/bin/env python3
# The real torvelo on a private Xvfb: torvelo_e2e.py full|window|start PROGRAM OUT_DIR
# No window manager runs: boxes are found by name and focused by hand, and full
# screen is told from a window by _MOTIF_WM_HINTS. Keys are levels read once a
# frame, so a key is held until its effect shows.
import contextlib, os, re, signal, subprocess, sys, tempfile, time  # noqa: E401

TITLE, GAME_CLASS, TIMER = "Torvelo by Pelmaz", '("torvelo" "torvelo")', (590, 25, 790, 60)  # the timer's box
# Front-face sticker centres in play, 800x600: columns left to right, each
# top to bottom; then the top face's middle column, front row to back row.
FRONT = [
    [(410, 305), (390, 435), (370, 535)],
    [(535, 285), (500, 405), (470, 510)],
    [(635, 265), (590, 370), (560, 455)],
]
TOP_MIDDLE, SIDES = [(500, 195), (420, 150), (370, 105)], FRONT[0] + FRONT[2]  # and the columns Up leaves


def wait_for(what, probe, timeout):  # probe()'s first true result; fails at the deadline unless what is None
    deadline = time.monotonic() + timeout
    while not (got := probe()) and time.monotonic() < deadline:
        time.sleep(0.05)
    assert got or what is None, f"timed out after {timeout} s waiting for {what}"
    return got


def run(*args, timeout=20, env=None, check=False):  # env None: ours, whose DISPLAY is the X in use
    # Output through a file: a wineserver the command starts would hold a pipe open.
    with tempfile.TemporaryFile() as out:
        status = subprocess.run(
            ["timeout", "-k", "5", str(timeout), *args],
            stdout=out,
            stderr=subprocess.STDOUT,
            env=env,
            timeout=timeout + 20,
        ).returncode
        text = os.pread(out.fileno(), 1 << 20, 0).decode(errors="replace")
    assert status == 0 or not check, f"{' '.join(args)}: status {status}\n{text}"
    return text


# ---- pictures: 800x600 PPM, a 15-byte header then rgb rows ----
def pixel(s, x, y):
    return tuple(s[15 + (y * 800 + x) * 3 : 18 + (y * 800 + x) * 3])


def region(s, x0, y0, x1, y1):
    return b"".join(s[15 + (y * 800 + x0) * 3 : 15 + (y * 800 + x1) * 3] for y in range(y0, y1))


def cube(s):
    return region(s, 150, 80, 700, 580)  # clear of the timer, credit and counter


def count(s, x0, y0, x1, y1, test):
    return sum(test(pixel(s, x, y)) for y in range(y0, y1, 2) for x in range(x0, x1, 2))


def text_blue(p):
    return p[2] >= 250 and min(p[0], p[1]) <= 190  # title, timer, menu: (cos, sin, 1), never white


def title_shown(s):
    return (
        count(s, 220, 30, 560, 110, text_blue) > 150
        and count(s, 250, 200, 550, 400, lambda p: max(p) > 40) > 5000
    )


def playing(s):
    return count(s, *TIMER, text_blue) > 40 and not title_shown(s)


def stickers(s, points, scale=1.0):
    return [pixel(s, int(x * scale), int(y * scale)) for x, y in points]


def save_png(s, path):
    subprocess.run(["timeout", "30", "/usr/bin/convert", "ppm:-", path], input=s, check=True, timeout=40)


def skip(reason):  # exit status 77, CTest's skip; a failure under scripts/test.sh, which builds everything
    required = os.environ.get("TORVELO_REQUIRE_ARTEFACTS") == "1"
    sys.exit(print(f"{'failed' if required else 'skipped'}: {reason}", flush=True) or (1 if required else 77))


def built(path):  # path, when it was built after the last change to the sources; otherwise a skip
    top = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    files = run("git", "-C", top, "ls-files", "src", "packaging", "cmake", "CMakeLists.txt").split()
    newest = max(os.path.getmtime(os.path.join(top, f)) for f in files)
    os.path.exists(path) or skip(f"no {path} (scripts/test.sh builds it)")
    os.path.getmtime(path) >= newest or skip(
        f"{path} is older than the sources (scripts/test.sh builds it anew)"
    )
    return path


class X:  # a private Xvfb and one program on it, as run_story makes them
    def viewable(self, wid):
        return "IsViewable" in run("xwininfo", "-id", wid)

    def find(self, name, game=None):
        # (id, x, y, width, height) of a mapped window by name, or None;
        # game=True/False: the game's own window or another (a box).
        for m in re.finditer(
            r'^\s*(0x\w+) "(.*)": (\(.*?\))\s+(\d+)x(\d+)\S+\s+\+(-?\d+)\+(-?\d+)',
            run("xwininfo", "-root", "-tree"),
            re.MULTILINE,
        ):
            if m[2] == name and game in (None, m[3] == GAME_CLASS) and self.viewable(m[1]):
                return m[1], int(m[6]), int(m[7]), int(m[4]), int(m[5])

    def answer(self, name, key):  # a box may show before it takes keys: pressed until it goes
        box = wait_for(f'the box "{name}"', lambda: self.find(name, game=False), 60)[0]
        wait_for(
            f'"{name}" to take {key}',
            lambda: run("xdotool", "windowfocus", box, "key", key) is None
            or wait_for(None, lambda: not self.viewable(box), 3),
            30,
        )

    def hold(self, key, effect, what, timeout=20):  # effect()'s first true result, the key down until then
        run("xdotool", "keydown", key)
        try:
            return wait_for(what, effect, timeout)
        finally:
            run("xdotool", "keyup", key)

    def shot(
        self, test=bool, corner=(0, 0)
    ):  # the 800x600 area whose top-left is corner, if test passes on it
        out = subprocess.run(
            [
                "timeout",
                "-k",
                "5",
                "30",
                "/usr/bin/import",
                "-window",
                "root",
                "-crop",
                "800x600+%d+%d" % corner,
                "-depth",
                "8",
                "ppm:-",
            ],
            capture_output=True,
            timeout=40,
        ).stdout
        assert out.startswith(b"P6\n800 600\n255\n"), f"no 800x600 picture from import: {out[:30]}"
        return out if test(out) else None

    def ends(self, key):
        self.hold(key, lambda: self.process.poll() is not None, f"an end on {key}", 60)
        assert self.process.returncode == 0, f"exit status {self.process.returncode} after {key}"


def run_story(out_dir, name, size, story, command=(), env=None):  # story(x) on a fresh X running command
    x, started = X(), time.monotonic()
    x.out, x.process = out_dir, None
    os.makedirs(out_dir, exist_ok=True)
    # Xvfb on a free display (-displayfd), our DISPLAY from then on. Keys do
    # not repeat: a held key may outlast a repeat delay.
    with tempfile.NamedTemporaryFile() as f:  # where Xvfb writes its display number
        args = f"-displayfd {f.fileno()} -screen 0 {size}x24 -noreset -nolisten tcp -ardelay 60000".split()
        x.server = subprocess.Popen(["Xvfb", *args], pass_fds=(f.fileno(),), start_new_session=True)
        x.display = os.environ["DISPLAY"] = ":" + wait_for(None, lambda: open(f.name).read().strip(), 30)
    # SDL states "no frame" only when a window manager made this atom.
    run("xprop", "-root", "-f", "_MOTIF_WM_HINTS", "32c", "-set", "_MOTIF_WM_HINTS", "0")
    try:
        assert x.display != ":", "Xvfb did not start"
        # The program's output goes to the test's.
        x.process = command and subprocess.Popen(
            command, env=dict(env, DISPLAY=x.display), start_new_session=True
        )
        story(x)
    except BaseException:  # the screen as it was, for the failure's reader; a failure ends in its traceback
        with contextlib.suppress(Exception):
            save_png(x.shot(), os.path.join(out_dir, name + ".failure.png"))
        raise
    finally:
        for process in filter(None, (x.process, x.server)):  # with their process groups
            with contextlib.suppress(ProcessLookupError):
                os.killpg(process.pid, signal.SIGKILL)
            process.wait(timeout=10)
    print(f"{name}: passed after {time.monotonic() - started:.1f} s")


# ---- the stories ----
def game_window(x, framed, old=None, answer=None):
    # The window after F1 on old, or at the start; answer: the key for the question asked first.
    old and x.hold("F1", lambda: not x.viewable(old), "F1 to take the window down")
    answer and x.answer(TITLE if old else "fullscreen?", answer)
    wid, *geometry = wait_for("the game window", lambda: x.find(TITLE, game=True), 60)
    assert geometry == [0, 0, 800, 600], f"window at {geometry}, wanted 800x600 at 0,0"
    m = re.search(r"_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = (0x\w+), 0x\w+, (0x\w+)", run("xprop", "-id", wid))
    # Flag 2: the hints state the frame; then no frame (0) means full screen.
    assert (
        m and int(m[1], 16) & 2 and (int(m[2], 16) != 0) == framed
    ), f"framed={framed} wanted, got {m and m[0]}"
    return wait_for("the title screen", lambda: x.shot(title_shown), 60) and wid


def full_story(x):  # 800x600 screen: full screen, a resizable window, play, and back
    wid = game_window(x, framed=False, answer="Return")
    # The frame counter's first interval holds the start-up: the picture
    # waits until it has measured frames alone, and for the credit's pulse.
    time.sleep(1.5)
    save_png(
        wait_for(
            "the credit line",
            lambda: x.shot(
                lambda s: title_shown(s) and count(s, 5, 580, 400, 598, lambda p: min(p) > 100) > 50
            ),
            15,
        ),
        os.path.join(x.out, "title.png"),
    )
    wid = game_window(x, True, wid)
    sizes = dict(re.findall(r"(min|max)imum size: (\d+ by \d+)", run("xprop", "-id", wid, "WM_NORMAL_HINTS")))
    assert "max" not in sizes or sizes.get("min") not in (
        None,
        sizes["max"],
    ), f"no resizing nor maximising: {sizes}"
    play = x.hold("1", lambda: x.shot(playing), "play on 1")
    before = wait_for(
        "the timer to run", lambda: x.shot(lambda s: region(s, *TIMER) != region(play, *TIMER)), 10
    )
    x.hold("s", lambda: cube(x.shot()) != cube(before), "the selection marker")
    x.hold("Up", lambda: stickers(x.shot(), TOP_MIDDLE) != stickers(before, TOP_MIDDLE), "the turn on Up")
    # Steady: two shots 0.15 s apart agree. Up brings the front middle column alone to the top.
    save_png(
        after := wait_for(
            "the turn to end",
            lambda: (lambda a, b: b if cube(a) == cube(b) else None)(x.shot(), time.sleep(0.15) or x.shot()),
            15,
        ),
        os.path.join(x.out, "play.png"),
    )
    assert stickers(after, SIDES + TOP_MIDDLE) == stickers(
        before, SIDES + FRONT[1][::-1]
    ), "Up turned the wrong layer"
    for size, scale in (("400 300", 0.5), ("800 600", 1.0)):  # the window's size events reach the viewport
        run("xdotool", "windowsize", wid, *size.split())
        wait_for(
            f"the picture at {size}", lambda: stickers(x.shot(), SIDES, scale) == stickers(after, SIDES), 20
        )
    x.hold("Delete", lambda: x.shot(title_shown), "the title on Delete")
    game_window(x, False, wid)
    x.ends("Escape")


def window_story(x, quick=False):  # 1024x768 screen: No gives a window; F1 asks, and Yes keeps a window
    wid = game_window(x, framed=True, answer="Escape")
    quick or game_window(x, True, wid, answer="Return")
    x.ends("Escape" if quick else "alt+F4")


if __name__ == "__main__":  # STORY PROGRAM OUT_DIR
    name, program, out_dir = sys.argv[1:]
    story = {"full": full_story, "window": window_story, "start": lambda x: window_story(x, quick=True)}[name]
    # Sanitizer reports end a run with a non-zero status. Mesa unloads its software
    # driver when SDL closes the display and what it pointed to would look leaked:
    # preloading it (after the ASan runtime) keeps it mapped.
    env = {
        "ASAN_OPTIONS": "detect_leaks=1:abort_on_error=1",
        "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
        "LSAN_OPTIONS": f"suppressions={sys.path[0]}/../lsan.supp:print_suppressions=0",
        **os.environ,
    }
    asan = re.search(r"libasan\.so\S* => (\S+)", run("ldd", program, timeout=30))
    if asan and os.path.exists(driver := "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"):
        env["LD_PRELOAD"] = f"{asan[1]}:{driver}"
    run_story(out_dir, name, "800x600" if name == "full" else "1024x768", story, [program], env)
