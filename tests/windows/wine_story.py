#!/usr/bin/env python3
"""The Windows program under Wine on a private Xvfb, from its installer.
usage: wine_story.py setup|no|yes|cleanup WINDOWS_BUILD_DIR WORK_DIR
setup: the exe's headers, resources and zip, a fresh prefix, a silent install;
no / yes: the installed game answered No or Yes; cleanup: a silent uninstall."""
import os, re, shutil, subprocess, sys, zipfile  # noqa: E401

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from torvelo_e2e import X, Failure, expect, wait_for, log, title_shown, playing  # noqa: E402

mode, build, work = sys.argv[1:4]
prefix = os.path.join(work, "prefix")
ENV = dict({k: v for k, v in os.environ.items() if k != "DISPLAY"}, WINEPREFIX=prefix, WINEDEBUG="-all",
           WINEDLLOVERRIDES="mscoree,mshtml=")  # no Mono or Gecko prompts
INSTALLED = os.path.join(prefix, "drive_c/Program Files/Torvelo")
SHORTCUT = os.path.join(prefix, "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvelo/Torvelo.lnk")
# Wine ignores fontconfig's aliases; the virtual desktop needs no window
# manager for keys to arrive and takes the display-mode switch.
SETTINGS = r"""REGEDIT4
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"
"Times New Roman"="Liberation Serif"
"Comic Sans MS"="Comic Neue"
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"
[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
"""


def skip(reason):  # exit status 77: CTest's skip
    sys.exit(log(f"skipped: {reason}") or 77)


def sh(*args, timeout=60, x=None):
    """A command under timeout, its output through a file (a wineserver it
    starts would hold a pipe open): (status, output)."""
    with open(os.path.join(work, mode + ".log"), "a+") as out:
        start, env = out.tell(), dict(ENV, DISPLAY=x.display) if x else ENV
        code = subprocess.run(["timeout", "-k", "5", str(timeout), *args], stdout=out, stderr=subprocess.STDOUT,
                              env=env, timeout=timeout + 20).returncode
        out.seek(start)
        return code, out.read()


def registered():
    return "Uninstall.exe" in sh("wine", "reg", "query", r"HKLM\Software\Microsoft\Windows\CurrentVersion"
                                 r"\Uninstall\Torvelo", "/v", "UninstallString", timeout=30)[1]


def setup(x):
    version = re.search(r'CPACK_PACKAGE_VERSION "(.*)"', open(os.path.join(build, "CPackConfig.cmake")).read())[1]
    exe, installer, portable = (os.path.join(build, p) for p in (
        "src/platform/win32/torvelo.exe", f"torvelo-{version}-win64.exe", f"torvelo-{version}-win64.zip"))
    for path in exe, installer, portable:
        os.path.exists(path) or skip(f"no {path} (scripts/test.sh builds it)")
    headers, texts = sh("x86_64-w64-mingw32-objdump", "-p", exe)[1], sh("strings", "-el", exe)[1]
    for wanted in ("DYNAMIC_BASE", "HIGH_ENTROPY_VA", "NX_COMPAT", "Entry: ID: 0x00000e,", "Entry: ID: 0x000010,"):
        expect(wanted in headers, f"{exe}: no {wanted} (DLL characteristics, icon, version) in its headers")
    for field, value in (("ProductName", "Torvelo"), ("ProductVersion", version), ("FileVersion", version)):
        expect(f"\n{field}\n{value}\n" in texts, f"{exe}: no {field} {value}")
    expect(any(n.endswith("torvelo.exe") for n in zipfile.ZipFile(portable).namelist()), "no torvelo.exe in the zip")

    shutil.rmtree(prefix, ignore_errors=True)
    expect(sh("wineboot", "-i", timeout=80)[0] == 0, "wineboot failed")
    with open(os.path.join(work, "settings.reg"), "w") as reg:
        reg.write(SETTINGS)
    expect(sh("wine", "regedit", "/S", reg.name)[0] == 0, "regedit failed")
    sh("wineserver", "-w", timeout=60)  # the registry reaches the disk when the server ends
    user = open(os.path.join(prefix, "user.reg")).read()
    expect('"Comic Sans MS"="Comic Neue"' in user and '"Default"="1024x768"' in user, "prefix settings missing")
    expect(sh("wine", installer, "/S", x=x)[0] == 0, "the silent install failed")
    wait_for("the installed exe, Start-menu shortcut and uninstall entry", lambda: os.path.exists(
        INSTALLED + "/torvelo.exe") and os.path.exists(SHORTCUT) and registered(), 30)


def frame(x, name): return x.find(name, game=None)[3:]  # x, y, width, height


def story(x, yes):
    x.start(["wine", INSTALLED + "/torvelo.exe"], ENV)
    x.answer("fullscreen?", "Return" if yes else "n")
    if yes:
        wait_for("an 800x600 display filled by the game", lambda: frame(x, "Default - Wine desktop") == frame(
            x, "Torvelo by Pelmaz") == (0, 0, 800, 600), 60)
        wait_for("the title screen in full screen", lambda: x.seen(title_shown), 60)
        x.hold("F1", lambda: frame(x, "Default - Wine desktop") == (0, 0, 1024, 768), "the desktop back on F1", 30)
    left, top, width, height = frame(x, "Torvelo by Pelmaz")
    expect((left, top) == (0, 0) and width > 800 and height > 600, f"no framed window at 0,0: {width}x{height}")
    expect(frame(x, "Default - Wine desktop") == (0, 0, 1024, 768), "the desktop is not at 1024x768")
    corner = ((width - 800) // 2, height - 600 - (width - 800) // 2)  # equal frame left, right and bottom
    wait_for("the title screen", lambda: x.seen(title_shown, corner), 60)
    if not yes:
        x.hold("1", lambda: x.seen(playing, corner), "play on 1")
    x.ends("Escape")


def cleanup(x):
    expect(sh("wine", INSTALLED + "/Uninstall.exe", "/S", x=x)[0] == 0, "the silent uninstall failed")
    # The uninstaller goes on from a copy of itself.
    wait_for("the uninstall", lambda: not os.path.exists(INSTALLED + "/torvelo.exe") and not os.path.exists(
        SHORTCUT) and not registered(), 60)


def main():
    shutil.which("wine") or skip("Wine (wine, wine64) is not installed")
    if mode != "setup" and not os.path.exists(INSTALLED + "/torvelo.exe"):
        skip("nothing installed: see wine.setup")
    x, failure = None, None
    try:
        x = X(work, mode, "1024x768x24")
        {"setup": setup, "no": lambda x: story(x, False), "yes": lambda x: story(x, True), "cleanup": cleanup}[mode](x)
    except (Failure, OSError, subprocess.SubprocessError) as caught:
        failure = caught
    finally:
        if x:
            x.close(failure)
        sh("wineserver", "-k", timeout=30)
    log(f"wine {mode}: {f'FAILED: {failure}' if failure else 'passed'}")
    return 1 if failure else 0


if __name__ == "__main__":
    sys.exit(main())
