#!/usr/bin/env python3
"""Whole-program tests: the real torvelo binary on its own Xvfb server,
driven with real X key events (xdotool), checked with xwininfo, xprop and
screenshots (ImageMagick's import).

usage: torvelo_e2e.py TORVELO OUTPUT_DIR SCENARIO

There is no window manager on the test server, so: message boxes are found
by name in the window tree and focused by hand before a key is sent; the
close request is the WM_DELETE_WINDOW client message a window manager would
send, sent here through libX11 with ctypes; every window lies at 0,0 with
no frame drawn, so full screen is told from a window by what it asks of a
window manager (_MOTIF_WM_HINTS: no decorations) and by covering the screen.

The game reads keys as levels once per frame and handles every pending
message before a frame, so a key is held down until its effect shows (a
press and release within one frame would never be seen), then released.
"""
import ctypes
import os
import re
import signal
import subprocess
import sys
import time

IMPORT = "/usr/bin/import"  # another `import`/`convert` may come first on PATH
CONVERT = "/usr/bin/convert"
GAME_CLASS = '("torvelo" "torvelo")'
TITLE = "Torvelo by Pelmaz"

# Sticker centres of the front face in play (fixed view), 800 x 600 window:
# columns left to right, each top to bottom.
FRONT_COLUMNS = [
    [(410, 305), (390, 435), (370, 535)],
    [(535, 285), (500, 405), (470, 510)],
    [(635, 265), (590, 370), (560, 455)],
]
# The middle column of the top face, front row to back row.
TOP_MIDDLE = [(500, 195), (420, 150), (370, 105)]


class Failure(Exception):
    pass


def log(text):
    print(text, flush=True)


def wait_for(what, predicate, timeout):
    """Polls predicate until it returns something true; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.05)


def run(display, *args, timeout=20):
    env = dict(os.environ, DISPLAY=display)
    done = subprocess.run(args, env=env, capture_output=True, timeout=timeout)
    return done.returncode, done.stdout


# ---- the X server ----

def start_xvfb(size):
    """Starts Xvfb on a display number it picks itself (-displayfd), so that
    parallel runs never share a server. Keys do not repeat: a key is held
    until its effect shows, which with a sanitizer build on a software
    renderer can outlast the usual repeat delay and turn the cube twice."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-noreset", "-nolisten", "tcp",
         "-ardelay", "60000"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 30
    os.set_blocking(read_end, False)
    while not number.endswith(b"\n"):
        if time.monotonic() > deadline or server.poll() is not None:
            os.close(read_end)
            stop(server)
            raise Failure("Xvfb did not start")
        try:
            chunk = os.read(read_end, 16)
        except BlockingIOError:
            chunk = b""
        if chunk:
            number += chunk
        else:
            time.sleep(0.05)
    os.close(read_end)
    return server, ":" + number.decode().strip()


def stop(process):
    """Ends a process we started, and its process group (a message box may
    have left a child behind)."""
    if process is None:
        return
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            pass
        try:
            process.wait(timeout=5)
            return
        except subprocess.TimeoutExpired:
            continue


# ---- windows ----

WINDOW_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "(.*)": (\(.*?\))\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)')


def windows(display):
    """(id, name, class, width, height) of every named window."""
    code, out = run(display, "xwininfo", "-root", "-tree")
    if code != 0:
        return []
    found = []
    for line in out.decode(errors="replace").splitlines():
        m = WINDOW_LINE.match(line)
        if m:
            found.append((m.group(1), m.group(2), m.group(3), int(m.group(4)), int(m.group(5))))
    return found


def find_window(display, name, game, timeout=60):
    """A mapped window with this name: the game's own (its class is torvelo)
    or a message box (no class)."""
    def look():
        for wid, wname, wclass, _, _ in windows(display):
            if wname == name and (wclass == GAME_CLASS) == game and is_viewable(display, wid):
                return wid
        return None
    return wait_for(f'{"window" if game else "message box"} "{name}"', look, timeout)


def is_viewable(display, wid):
    code, out = run(display, "xwininfo", "-id", wid)
    return code == 0 and b"Map State: IsViewable" in out


def geometry(display, wid):
    code, out = run(display, "xwininfo", "-id", wid)
    if code != 0:
        raise Failure(f"xwininfo -id {wid} failed")
    text = out.decode()
    def field(label):
        return int(re.search(label + r":\s+(-?\d+)", text).group(1))
    return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))


def properties(display, wid):
    code, out = run(display, "xprop", "-id", wid)
    return out.decode(errors="replace") if code == 0 else ""


def asks_for_frame(display, wid):
    """True or False as _MOTIF_WM_HINTS asks for decorations or none."""
    m = re.search(r"_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = (0x[0-9a-f]+), (0x[0-9a-f]+), (0x[0-9a-f]+)",
                  properties(display, wid))
    if not m or not int(m.group(1), 16) & 2:
        raise Failure("the window states nothing about its frame")
    return int(m.group(3), 16) != 0


def answer_box(display, name, key):
    """Focuses the message box (no window manager does it) and answers."""
    box = find_window(display, name, game=False)
    run(display, "xdotool", "windowfocus", box)
    run(display, "xdotool", "key", key)
    wait_for(f'message box "{name}" to close', lambda: not is_viewable(display, box), 20)
    return time.monotonic()


def xlib():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


def intern_frame_atom(display):
    """SDL states "no frame" in _MOTIF_WM_HINTS only when that atom already
    exists, which a window manager would have made; make it here."""
    x11 = xlib()
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        raise Failure("cannot open " + display)
    x11.XInternAtom(connection, b"_MOTIF_WM_HINTS", 0)
    x11.XCloseDisplay(connection)


def send_close_request(display, wid):
    """WM_DELETE_WINDOW, as a window manager sends for the close box."""
    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class XEvent(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    x11 = xlib()
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        raise Failure("cannot open " + display)
    event = XEvent()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = int(wid, 16)
    event.xclient.message_type = x11.XInternAtom(connection, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x11.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
    sent = x11.XSendEvent(connection, int(wid, 16), 0, 0, ctypes.byref(event))
    x11.XFlush(connection)
    x11.XCloseDisplay(connection)
    if not sent:
        raise Failure("XSendEvent failed")


# ---- pictures ----

def screenshot(display):
    """The root window as (width, height, rgb bytes)."""
    code, out = run(display, IMPORT, "-window", "root", "-depth", "8", "ppm:-")
    if code != 0:
        raise Failure("import failed")
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", out)
    return int(m.group(1)), int(m.group(2)), out[m.end():]


def save_png(shot, path):
    width, height, rgb = shot
    header = b"P6\n%d %d\n255\n" % (width, height)
    subprocess.run([CONVERT, "ppm:-", "-crop", "800x600+0+0", "+repage", path], input=header + rgb,
                   check=True, timeout=30)


def pixel(shot, x, y):
    width, _, rgb = shot
    i = (y * width + x) * 3
    return rgb[i], rgb[i + 1], rgb[i + 2]


def count(shot, left, top, right, bottom, test):
    return sum(1 for y in range(top, bottom, 2) for x in range(left, right, 2) if test(pixel(shot, x, y)))


def text_blue(p):
    """The title, timer and first menu line are (cos, sin, 1): full blue,
    never white (cos and sin are never both above 0.71)."""
    return p[2] >= 250 and min(p[0], p[1]) <= 190


def title_shown(shot):
    return count(shot, 220, 30, 560, 110, text_blue) > 150


def timer_shown(shot):
    return count(shot, 590, 25, 790, 60, text_blue) > 40


def cube_shown(shot):
    return count(shot, 250, 200, 550, 400, lambda p: max(p) > 40) > 5000


def stickers(shot, points, scale=1.0):
    return [pixel(shot, int(x * scale), int(y * scale)) for x, y in points]


def region(shot, left, top, right, bottom):
    width, _, rgb = shot
    return b"".join(rgb[(y * width + left) * 3:(y * width + right) * 3] for y in range(top, bottom))


# ---- the game ----

def sanitizer_environment(binary):
    """The environment for a sanitizer build, so that its reports end the
    run with a non-zero status. Mesa unloads its software driver when SDL
    closes the display, and what the driver still pointed to would then look
    leaked from an unknown place: preloading it (after the ASan runtime,
    which must come first) keeps it mapped to the end."""
    env = dict(os.environ)
    env.setdefault("ASAN_OPTIONS", "detect_leaks=1:abort_on_error=1")
    env.setdefault("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1")
    env.setdefault("LSAN_OPTIONS", "suppressions=" + os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "lsan.supp") + ":print_suppressions=0")
    linked = subprocess.run(["ldd", binary], capture_output=True, text=True, timeout=30).stdout
    asan = re.search(r"libasan\.so\S* => (\S+)", linked)
    driver = "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"
    if asan and os.path.exists(driver):
        env["LD_PRELOAD"] = asan.group(1) + ":" + driver
    return env


class Game:
    def __init__(self, binary, out_dir, name, size):
        self.name = name
        self.server, self.display = start_xvfb(size)
        intern_frame_atom(self.display)
        self.err_path = os.path.join(out_dir, name + ".stderr.txt")
        err = open(self.err_path, "wb")
        self.process = subprocess.Popen([binary], env=dict(sanitizer_environment(binary), DISPLAY=self.display),
                                        stdout=err, stderr=err, start_new_session=True)
        err.close()

    def hold(self, key, effect, what, timeout=10):
        """Holds key down until effect() is true, then lets it go."""
        run(self.display, "xdotool", "keydown", key)
        try:
            return wait_for(what, effect, timeout)
        finally:
            run(self.display, "xdotool", "keyup", key)

    def shot(self):
        return screenshot(self.display)

    def exit_status(self, timeout=60):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"torvelo did not end within {timeout} s")

    def end(self):
        stop(self.process)
        stop(self.server)


def expect(condition, text):
    if not condition:
        raise Failure(text)


def expect_game_window(game):
    wid = find_window(game.display, TITLE, game=True)
    x, y, w, h = geometry(game.display, wid)
    expect((x, y, w, h) == (0, 0, 800, 600), f"window at {x},{y} size {w}x{h}, wanted 800x600 at 0,0")
    return wid


def expect_ends_with_zero(game):
    status = game.exit_status()
    expect(status == 0, f"exit status {status}, wanted 0 (stderr in {game.err_path})")


# ---- scenarios ----

def windowed_play(game, out_dir):
    """No at start; title, play, a column turn, resizing, Delete, F1 with
    the French question, and the close request."""
    answered = answer_box(game.display, "fullscreen?", "Escape")
    wid = expect_game_window(game)
    expect(asks_for_frame(game.display, wid), "windowed mode asked, got a window without a frame")

    title = wait_for("the title screen", lambda: (lambda s: s if cube_shown(s) and title_shown(s) else None)(
        game.shot()), 60)
    log(f"start-up: first title frame seen {time.monotonic() - answered:.2f} s after the answer")
    save_png(title, os.path.join(out_dir, "title.png"))

    play = game.hold("1", lambda: (lambda s: s if timer_shown(s) and not title_shown(s) else None)(game.shot()),
                     "play to start on 1")
    later = wait_for("the timer to run", lambda: (lambda s: s if region(s, 590, 25, 790, 60) != region(
        play, 590, 25, 790, 60) else None)(game.shot()), 10)
    expect(timer_shown(later), "the timer went away")

    # S selects the middle column (its marker shows), Up turns it.
    before = game.shot()
    cube_area = (150, 80, 700, 580)  # clear of the timer, credit and counter
    game.hold("s", lambda: region(game.shot(), *cube_area) != region(before, *cube_area), "the selection marker")
    front_before = [stickers(before, column) for column in FRONT_COLUMNS]
    game.hold("Up", lambda: stickers(game.shot(), TOP_MIDDLE) != stickers(before, TOP_MIDDLE), "the turn")

    def settled():
        first = game.shot()
        time.sleep(0.15)
        second = game.shot()
        return second if region(first, *cube_area) == region(second, *cube_area) else None
    after = wait_for("the turn to end", settled, 15)
    save_png(after, os.path.join(out_dir, "play.png"))
    expect(stickers(after, FRONT_COLUMNS[0]) == front_before[0], "the left column moved")
    expect(stickers(after, FRONT_COLUMNS[2]) == front_before[2], "the right column moved")
    expect(stickers(after, TOP_MIDDLE) == list(reversed(front_before[1])),
           "the top of the middle column does not show the front's old middle column")

    # Each resize reaches the viewport: at 400 x 300 the same picture, halved.
    points = FRONT_COLUMNS[0] + FRONT_COLUMNS[2]
    full = stickers(after, points)
    run(game.display, "xdotool", "windowsize", wid, "400", "300")
    wait_for("the picture to follow a 400x300 window",
             lambda: geometry(game.display, wid)[2:] == (400, 300) and stickers(game.shot(), points, 0.5) == full,
             15)
    run(game.display, "xdotool", "windowsize", wid, "800", "600")
    wait_for("the picture to follow the 800x600 window again",
             lambda: stickers(game.shot(), points) == full, 15)

    game.hold("Delete", lambda: title_shown(game.shot()), "Delete to bring the title back")

    # F1 asks for full screen, which a 1024 x 768 screen cannot give: the
    # question comes, and Yes keeps a window.
    game.hold("F1", lambda: not is_viewable(game.display, wid), "F1 to tear the window down")
    answer_box(game.display, TITLE, "Return")
    wid = expect_game_window(game)
    expect(asks_for_frame(game.display, wid), "Yes to the question must give a framed window")
    wait_for("the title screen after F1", lambda: title_shown(game.shot()), 30)

    send_close_request(game.display, wid)
    expect_ends_with_zero(game)


def escape_ends(game, out_dir):
    """No at start, then Escape ends the program with status 0."""
    answer_box(game.display, "fullscreen?", "Escape")
    expect_game_window(game)
    wait_for("the title screen", lambda: title_shown(game.shot()), 60)
    run(game.display, "xdotool", "keydown", "Escape")
    try:
        expect_ends_with_zero(game)
    finally:
        run(game.display, "xdotool", "keyup", "Escape")


def alt_f4_ends(game, out_dir):
    """Alt+F4 closes the window (the default handling of the system key)."""
    answer_box(game.display, "fullscreen?", "Escape")
    expect_game_window(game)
    wait_for("the title screen", lambda: title_shown(game.shot()), 60)
    run(game.display, "xdotool", "key", "alt+F4")
    expect_ends_with_zero(game)


def fullscreen_refused(game, out_dir):
    """Yes at start on a 1024 x 768 screen: no exact 800 x 600 mode, so the
    question; Yes gives a window. Then F1 asks again; No gives the closing
    message, and the program ends with status 0."""
    answer_box(game.display, "fullscreen?", "Return")
    answer_box(game.display, TITLE, "Return")
    wid = expect_game_window(game)
    expect(asks_for_frame(game.display, wid), "Yes to the question must give a framed window")
    wait_for("the title screen", lambda: title_shown(game.shot()), 60)
    game.hold("F1", lambda: not is_viewable(game.display, wid), "F1 to tear the window down")
    answer_box(game.display, TITLE, "Escape")
    answer_box(game.display, "ERROR", "Return")
    expect_ends_with_zero(game)


def fullscreen_800x600(game, out_dir):
    """Yes at start on an 800 x 600 screen: full screen, covering the screen
    without a frame; F1 back to a window and again to full screen (no
    question either way); Escape ends with status 0."""
    answer_box(game.display, "fullscreen?", "Return")
    wid = expect_game_window(game)
    expect(not asks_for_frame(game.display, wid), "Yes on an 800x600 screen must give full screen, no frame")
    wait_for("the title screen", lambda: title_shown(game.shot()), 60)

    game.hold("F1", lambda: not is_viewable(game.display, wid), "F1 to tear the window down")
    wid = expect_game_window(game)
    expect(asks_for_frame(game.display, wid), "F1 from full screen must give a framed window")
    wait_for("the title screen in a window", lambda: title_shown(game.shot()), 30)

    game.hold("F1", lambda: not is_viewable(game.display, wid), "F1 to tear the window down")
    wid = expect_game_window(game)
    expect(not asks_for_frame(game.display, wid), "F1 from a window must give full screen again")
    wait_for("the title screen in full screen", lambda: title_shown(game.shot()), 30)

    run(game.display, "xdotool", "keydown", "Escape")
    try:
        expect_ends_with_zero(game)
    finally:
        run(game.display, "xdotool", "keyup", "Escape")


def report_failure(game, out_dir, name, failure):
    """Says what failed and keeps the screen as it was then."""
    log(f"{name}: FAILED: {failure}")
    if game is None:
        return
    path = os.path.join(out_dir, name + ".failure.png")
    try:
        save_png(game.shot(), path)
        log(f"screen at the failure: {path}")
    except Exception:
        pass


def end_game(game):
    """Ends the game and its server, and shows what the game wrote to stderr."""
    if game is None:
        return
    game.end()
    with open(game.err_path, "rb") as err:
        text = err.read().decode(errors="replace").strip()
    if text:
        log(f"--- torvelo stderr ---\n{text}")


SCENARIOS = {
    "windowed_play": (windowed_play, "1024x768x24"),
    "escape_ends": (escape_ends, "1024x768x24"),
    "alt_f4_ends": (alt_f4_ends, "1024x768x24"),
    "fullscreen_refused": (fullscreen_refused, "1024x768x24"),
    "fullscreen_800x600": (fullscreen_800x600, "800x600x24"),
}


def main():
    binary, out_dir, name = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(out_dir, exist_ok=True)
    scenario, size = SCENARIOS[name]
    game = None
    try:
        game = Game(binary, out_dir, name, size)
        scenario(game, out_dir)
        log(f"{name}: passed")
        return 0
    except (Failure, OSError, subprocess.TimeoutExpired) as failure:
        report_failure(game, out_dir, name, failure)
        return 1
    finally:
        end_game(game)


if __name__ == "__main__":
    sys.exit(main())
