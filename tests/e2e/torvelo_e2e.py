#!/usr/bin/env python3
# The real torvelo on a private Xvfb: torvelo_e2e.py PROGRAM OUT_DIR full|window|start|switches N
# No window manager runs: boxes are found by name and focused by hand, and full
# screen is told from a window by _MOTIF_WM_HINTS. Keys are levels read once a
# frame, so a key is held until its effect shows.
import contextlib, os, re, signal, subprocess, sys, tempfile, time  # noqa: E401

TITLE, GAME_CLASS = "Torvelo by Pelmaz", '("torvelo" "torvelo")'
# Front-face sticker centres in play, 800x600: columns left to right, each
# top to bottom; then the top face's middle column, front row to back row.
FRONT = [[(410, 305), (390, 435), (370, 535)], [(535, 285), (500, 405), (470, 510)], [(635, 265), (590, 370), (560, 455)]]
TOP_MIDDLE = [(500, 195), (420, 150), (370, 105)]
CUBE_AREA = (150, 80, 700, 580)  # clear of the timer, credit and counter


def wait_for(what, probe, timeout):  # probe()'s first true result; fails at the deadline unless what is None
    deadline = time.monotonic() + timeout
    while not (got := probe()) and time.monotonic() < deadline:
        time.sleep(0.05)
    assert got or what is None, f"timed out after {timeout} s waiting for {what}"
    return got


# ---- pictures: (width, height, rgb bytes) ----
def pixel(shot, x, y): return tuple(shot[2][(y * shot[0] + x) * 3:(y * shot[0] + x) * 3 + 3])
def region(s, x0, y0, x1, y1): return b"".join(s[2][(y * s[0] + x0) * 3:(y * s[0] + x1) * 3] for y in range(y0, y1))
def count(s, x0, y0, x1, y1, test): return sum(test(pixel(s, x, y)) for y in range(y0, y1, 2) for x in range(x0, x1, 2))
def text_blue(p): return p[2] >= 250 and min(p[0], p[1]) <= 190  # title, timer, menu: (cos, sin, 1), never white
def title_shown(s): return count(s, 220, 30, 560, 110, text_blue) > 150 and count(
    s, 250, 200, 550, 400, lambda p: max(p) > 40) > 5000
def playing(s): return count(s, 590, 25, 790, 60, text_blue) > 40 and not title_shown(s)
def stickers(shot, points, scale=1.0): return [pixel(shot, int(x * scale), int(y * scale)) for x, y in points]


def save_png(shot, path):
    subprocess.run(["/usr/bin/convert", "ppm:-", "-crop", "800x600+0+0", "+repage", path], check=True, timeout=30,
                   input=b"P6\n%d %d\n255\n" % shot[:2] + shot[2])


class X:
    # A private Xvfb (-displayfd: a free display) and one program on it. Keys
    # do not repeat: a held key may outlast a repeat delay.
    def __init__(self, out_dir, size):
        self.out, self.process = out_dir, None
        os.makedirs(out_dir, exist_ok=True)
        with tempfile.TemporaryFile() as number:
            args = f"-displayfd {number.fileno()} -screen 0 {size} -noreset -nolisten tcp -ardelay 60000".split()
            self.server = subprocess.Popen(["Xvfb", *args], pass_fds=(number.fileno(),), start_new_session=True)
            self.display = ":" + wait_for(None, lambda: os.pread(number.fileno(), 16, 0).strip(), 30).decode()
        # SDL states "no frame" only when a window manager made this atom.
        self.run("xprop", "-root", "-f", "_MOTIF_WM_HINTS", "32c", "-set", "_MOTIF_WM_HINTS", "0")

    def run(self, *args, timeout=20, env=None, check=False):
        # Output through a file: a wineserver the command starts would hold a pipe open.
        with tempfile.TemporaryFile() as out:
            status = subprocess.run(["timeout", "-k", "5", str(timeout), *args], stdout=out, stderr=subprocess.STDOUT,
                                    env=env or dict(os.environ, DISPLAY=self.display), timeout=timeout + 20).returncode
            text = os.pread(out.fileno(), 1 << 20, 0).decode(errors="replace")
        assert status == 0 or not check, f"{' '.join(args)}: status {status}\n{text}"
        return text

    def start(self, command, env):  # its output goes to the test's
        self.process = subprocess.Popen(command, env=dict(env, DISPLAY=self.display), start_new_session=True)
        return self

    def viewable(self, wid): return "IsViewable" in self.run("xwininfo", "-id", wid)

    def find(self, name, game=None, timeout=60):
        # (id, name, class, x, y, width, height) of a mapped window by name;
        # game=True/False: the game's own window or another (a box).
        def look():
            for m in re.finditer(r'^\s*(0x\w+) "(.*)": (\(.*?\))\s+(\d+)x(\d+)\S+\s+\+(-?\d+)\+(-?\d+)',
                                 self.run("xwininfo", "-root", "-tree"), re.MULTILINE):
                if m[2] == name and game in (None, m[3] == GAME_CLASS) and self.viewable(m[1]):
                    return m[1], m[2], m[3], int(m[6]), int(m[7]), int(m[4]), int(m[5])
        return wait_for(f'window "{name}"', look, timeout)

    def answer(self, name, key):  # a box may show before it takes keys: pressed until it goes
        box = self.find(name, game=False)[0]
        wait_for(f'"{name}" to take {key}', lambda: self.run("xdotool", "windowfocus", box, "key", key) is None or
                 wait_for(None, lambda: not self.viewable(box), 3), 30)

    def hold(self, key, effect, what, timeout=20):
        self.run("xdotool", "keydown", key)
        got = wait_for(what, effect, timeout)
        self.run("xdotool", "keyup", key)
        return got

    def shot(self, corner=(0, 0)):  # the screen, or the 800x600 client area whose top-left is corner
        out = subprocess.run(["/usr/bin/import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                             env=dict(os.environ, DISPLAY=self.display), timeout=30).stdout
        m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", out)
        assert m, "import failed"
        shot = int(m[1]), int(m[2]), out[m.end():]
        return shot if corner == (0, 0) else (800, 600, region(shot, *corner, corner[0] + 800, corner[1] + 600))

    def seen(self, test, corner=(0, 0)): return (lambda s: s if test(s) else None)(self.shot(corner))

    def ends(self, key):
        self.hold(key, lambda: self.process.poll() is not None, f"an end on {key}", 60)
        assert self.process.returncode == 0, f"exit status {self.process.returncode} after {key}"


def run_story(out_dir, name, size, story):  # story(x) on a fresh X; a failure ends in its traceback
    x, started = X(out_dir, size), time.monotonic()
    try:
        assert x.display != ":", "Xvfb did not start"
        story(x)
    except BaseException:  # the screen as it was, for the failure's reader
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
    if old:
        x.hold("F1", lambda: not x.viewable(old), "F1 to take the window down")
    if answer:
        x.answer(TITLE if old else "fullscreen?", answer)
    wid, _, _, *geometry = x.find(TITLE, game=True)
    assert geometry == [0, 0, 800, 600], f"window at {geometry}, wanted 800x600 at 0,0"
    m = re.search(r"_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = (0x\w+), 0x\w+, (0x\w+)", x.run("xprop", "-id", wid))
    assert m and int(m[1], 16) & 2, "the window states nothing about its frame"
    assert (int(m[2], 16) != 0) == framed, "a framed window wanted" if framed else "full screen wanted, got a frame"
    wait_for("the title screen", lambda: x.seen(title_shown), 60)
    return wid


def full_story(x):  # 800x600 screen: full screen, a resizable window, play, and back
    wid = game_window(x, framed=False, answer="Return")
    # The frame counter's first interval holds the start-up: the picture
    # waits until it has measured frames alone, and for the credit's pulse.
    time.sleep(1.5)
    save_png(wait_for("the credit line", lambda: x.seen(lambda s: title_shown(s) and count(
        s, 5, 580, 400, 598, lambda p: min(p) > 100) > 50), 15), os.path.join(x.out, "title.png"))
    wid = game_window(x, True, wid)
    hints = x.run("xprop", "-id", wid, "WM_NORMAL_HINTS")
    low, high = (re.search(f"{k} size: (\\d+ by \\d+)", hints) for k in ("minimum", "maximum"))
    assert not high or (low and high[1] != low[1]), f"the window cannot be resized or maximised:\n{hints}"
    play = x.hold("1", lambda: x.seen(playing), "play on 1")
    wait_for("the timer to run", lambda: region(x.shot(), 590, 25, 790, 60) != region(play, 590, 25, 790, 60), 10)
    before = x.shot()
    x.hold("s", lambda: region(x.shot(), *CUBE_AREA) != region(before, *CUBE_AREA), "the selection marker")
    x.hold("Up", lambda: stickers(x.shot(), TOP_MIDDLE) != stickers(before, TOP_MIDDLE), "the turn on Up")
    after = wait_for("the turn to end", lambda: (lambda a, b: b if region(a, *CUBE_AREA) == region(
        b, *CUBE_AREA) else None)(x.shot(), time.sleep(0.15) or x.shot()), 15)
    save_png(after, os.path.join(x.out, "play.png"))
    assert [stickers(after, c) for c in (FRONT[0], FRONT[2], TOP_MIDDLE)] == [stickers(before, c) for c in (
        FRONT[0], FRONT[2], FRONT[1][::-1])], "Up did not bring the front middle column alone to the top"
    side = FRONT[0] + FRONT[2]
    for size, scale in (("400 300", 0.5), ("800 600", 1.0)):
        x.run("xdotool", "windowsize", wid, *size.split())
        wait_for(f"the picture at {size}", lambda: stickers(x.shot(), side, scale) == stickers(after, side), 20)
    x.hold("Delete", lambda: x.seen(title_shown), "the title on Delete")
    game_window(x, False, wid)
    x.ends("Escape")


def window_story(x, quick=False):  # 1024x768 screen: No gives a window; F1 asks, and Yes keeps a window
    wid = game_window(x, framed=True, answer="Escape")
    if not quick:
        game_window(x, True, wid, answer="Return")
    x.ends("Escape" if quick else "alt+F4")


def switches(x, n):  # n F1 switches; resident memory may grow 5 MB at most from the 5th
    wid, rss = game_window(x, framed=False, answer="Return"), []
    for i in range(1, n + 1):
        wid = game_window(x, i % 2 == 1, wid)
        rss.append(int(re.search(r"VmRSS:\s+(\d+)", open(f"/proc/{x.process.pid}/status").read())[1]))
        print(f"switch {i}: VmRSS {rss[-1]} kB", flush=True)
    assert n >= 5 and rss[-1] - rss[4] <= 5 * 1024, f"VmRSS grew {rss[-1] - rss[min(4, n - 1)]} kB from switch 5"
    x.ends("Escape")


def main(program, out_dir, name, *n):
    story, size = {"full": (full_story, "800x600x24"), "window": (window_story, "1024x768x24"),
                   "start": (lambda x: window_story(x, quick=True), "1024x768x24"),
                   "switches": (lambda x: switches(x, int(n[0])), "800x600x24")}[name]
    # Sanitizer reports end a run with a non-zero status; a sanitizer build keeps
    # freed memory aside, which would read as growth. Mesa unloads its software
    # driver when SDL closes the display and what it pointed to would look leaked:
    # preloading it (after the ASan runtime) keeps it mapped.
    here = os.path.dirname(os.path.abspath(__file__))
    env = {"ASAN_OPTIONS": "detect_leaks=1:abort_on_error=1", "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1",
           "LSAN_OPTIONS": f"suppressions={here}/../lsan.supp:print_suppressions=0", **os.environ}
    env["ASAN_OPTIONS"] += ":quarantine_size_mb=1" if name == "switches" else ""
    asan = re.search(r"libasan\.so\S* => (\S+)", subprocess.run(["ldd", program], capture_output=True, text=True,
                                                                 timeout=30).stdout)
    if asan and os.path.exists(driver := "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"):
        env["LD_PRELOAD"] = f"{asan[1]}:{driver}"
    run_story(out_dir, name, size, lambda x: story(x.start([program], env)))


if __name__ == "__main__":
    main(*sys.argv[1:])
