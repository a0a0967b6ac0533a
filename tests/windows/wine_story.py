#!/usr/bin/env python3
# The Windows program under Wine, from its installer: wine_story.py setup|no|yes|cleanup BUILD_DIR WORK_DIR
# setup: the exe's headers, resources and zip, a fresh prefix, a silent install;
# no / yes: the installed game answered No or Yes; cleanup: a silent uninstall.
import os, re, shutil, subprocess, sys, zipfile  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from torvelo_e2e import TITLE, run_story, wait_for, title_shown, playing  # noqa: E402

mode, build, work = sys.argv[1:4]
prefix = os.path.join(work, "prefix")
ENV = dict({k: v for k, v in os.environ.items() if k != "DISPLAY"}, WINEPREFIX=prefix, WINEDEBUG="-all",
           WINEDLLOVERRIDES="mscoree,mshtml=")  # no Mono or Gecko prompts
INSTALLED = os.path.join(prefix, "drive_c/Program Files/Torvelo")
SHORTCUT = os.path.join(prefix, "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvelo/Torvelo.lnk")
DESKTOP = "Default - Wine desktop"
# Wine ignores fontconfig's aliases; the virtual desktop needs no window
# manager for keys to arrive and takes the display-mode switch.
SETTINGS = {r"Fonts\Replacements": {"Courier New": "Liberation Mono", "Times New Roman": "Liberation Serif",
                                    "Comic Sans MS": "Comic Neue"},
            "Explorer": {"Desktop": "Default"}, r"Explorer\Desktops": {"Default": "1024x768"}}


def skip(reason): return sys.exit(print(f"skipped: {reason}") or 77)  # exit status 77: CTest's skip


def traces(x):  # the installed exe, its Start-menu shortcut and uninstall entry
    return [os.path.exists(INSTALLED + "/torvelo.exe"), os.path.exists(SHORTCUT), "Uninstall.exe" in x.run(
        "wine", "reg", "query", r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvelo", "/v",
        "UninstallString", timeout=30, env=ENV)]


def setup(x):
    version = re.search(r'CPACK_PACKAGE_VERSION "(.*)"', open(os.path.join(build, "CPackConfig.cmake")).read())[1]
    exe, installer, portable = (os.path.join(build, p) for p in (
        "src/platform/win32/torvelo.exe", f"torvelo-{version}-win64.exe", f"torvelo-{version}-win64.zip"))
    all(map(os.path.exists, (exe, installer, portable))) or skip(f"no {installer}, exe or zip (scripts/test.sh)")
    headers, texts = x.run("x86_64-w64-mingw32-objdump", "-p", exe, check=True), x.run("strings", "-el", exe)
    for wanted in ("DYNAMIC_BASE", "HIGH_ENTROPY_VA", "NX_COMPAT", "Entry: ID: 0x00000e,", "Entry: ID: 0x000010,"):
        assert wanted in headers, f"{exe}: no {wanted} (DLL characteristics, icon, version) in its headers"
    for field, value in (("ProductName", "Torvelo"), ("ProductVersion", version), ("FileVersion", version)):
        assert f"\n{field}\n{value}\n" in texts, f"{exe}: no {field} {value}"
    assert any(n.endswith("torvelo.exe") for n in zipfile.ZipFile(portable).namelist()), "no torvelo.exe in the zip"
    shutil.rmtree(prefix, ignore_errors=True)
    with open(os.path.join(work, "settings.reg"), "w") as reg:
        reg.write("REGEDIT4\n" + "".join(f"[HKEY_CURRENT_USER\\Software\\Wine\\{key}]\n" + "".join(
            f'"{name}"="{value}"\n' for name, value in values.items()) for key, values in SETTINGS.items()))
    x.run("wineboot", "-i", timeout=80, env=ENV, check=True)
    x.run("wine", "regedit", "/S", reg.name, timeout=60, env=ENV, check=True)
    x.run("wineserver", "-w", timeout=60, env=ENV)  # the registry reaches the disk when the server ends
    user = open(os.path.join(prefix, "user.reg")).read()
    assert all(f'"{n}"="{v}"' in user for values in SETTINGS.values() for n, v in values.items()), "settings missing"
    x.run("wine", installer, "/S", timeout=60, env=dict(ENV, DISPLAY=x.display), check=True)
    wait_for("the installed exe, Start-menu shortcut and uninstall entry", lambda: all(traces(x)), 30)


def story(x, yes):
    def frame(name): return x.find(name)[3:]  # x, y, width, height
    x.start(["wine", INSTALLED + "/torvelo.exe"], ENV)
    x.answer("fullscreen?", "Return" if yes else "n")
    if yes:
        wait_for("an 800x600 display filled by the game", lambda: frame(DESKTOP) == frame(TITLE) == (0, 0, 800, 600), 60)
        wait_for("the title screen in full screen", lambda: x.seen(title_shown), 60)
        x.hold("F1", lambda: frame(DESKTOP) == (0, 0, 1024, 768), "the desktop back on F1", 60)
    left, top, width, height = frame(TITLE)
    assert (left, top) == (0, 0) and width > 800 and height > 600, f"no framed window at 0,0: {width}x{height}"
    assert frame(DESKTOP) == (0, 0, 1024, 768), "the desktop is not at 1024x768"
    corner = ((width - 800) // 2, height - 600 - (width - 800) // 2)  # equal frame left, right and bottom
    wait_for("the title screen", lambda: x.seen(title_shown, corner), 60)
    if not yes:
        x.hold("1", lambda: x.seen(playing, corner), "play on 1")
    x.ends("Escape")


def cleanup(x):
    x.run("wine", INSTALLED + "/Uninstall.exe", "/S", timeout=60, env=dict(ENV, DISPLAY=x.display), check=True)
    # The uninstaller goes on from a copy of itself.
    wait_for("the uninstall", lambda: not any(traces(x)), 60)


shutil.which("wine") or skip("Wine (wine, wine64) is not installed")
mode == "setup" or os.path.exists(INSTALLED + "/torvelo.exe") or skip("nothing installed: see wine.setup")
try:
    run_story(work, "wine." + mode, "1024x768x24", {"setup": setup, "no": lambda x: story(x, False),
                                                    "yes": lambda x: story(x, True), "cleanup": cleanup}[mode])
finally:
    subprocess.run(["timeout", "-k", "5", "30", "wineserver", "-k"], env=ENV, timeout=50)
