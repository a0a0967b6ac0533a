#!/usr/bin/env python3
# The Windows program under Wine: wine_story.py setup|play|cleanup BUILD_DIR WORK_DIR.
# setup: the exe's headers, resources and zip, a fresh prefix, a silent
# install; play: the installed game, full screen and in a window; cleanup: a
# silent uninstall.
import os
import re
import shutil
import sys
import zipfile

sys.path[0] += "/../e2e"
from torvelo_e2e import *

step, build, work = sys.argv[1:]
# no Mono or Gecko prompts
os.environ.update(WINEPREFIX=work + "/prefix", WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
GAME = work + "/prefix/drive_c/Program Files/Torvelo/"
LINK = work + "/prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvelo/Torvelo.lnk"
DESKTOP = "Default - Wine desktop"
# Wine ignores fontconfig's aliases; a virtual desktop needs no window manager
# for keys to arrive, and takes the display-mode switch.
SETTINGS = r"""REGEDIT4
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"
[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"
"Times New Roman"="Liberation Serif"
"Comic Sans MS"="Comic Neue"
"""


def traces():
    # The installed exe, its Start-menu shortcut and its uninstall entry, once
    # every Wine program has ended and the registry is on disk.
    run("wineserver -w")
    registry = open(work + "/prefix/system.reg").read()
    return [os.path.exists(GAME + "torvelo.exe"), os.path.exists(LINK), r"Uninstall\\Torvelo]" in registry]


def setup():
    exe = built(build + "/src/win32/torvelo.exe")
    version = re.search(r'PACKAGE_VERSION "(.*)"', open(build + "/CPackConfig.cmake").read())[1]
    # DLL characteristics, icon and version resources, version strings
    texts = run("x86_64-w64-mingw32-objdump -p", exe) + run("strings -el", exe)
    expect(texts, "DYNAMIC_BASE", "HIGH_ENTROPY_VA", "NX_COMPAT", "ID: 0x00000e,", "ID: 0x000010,")
    expect(texts, "ProductName\nTorvelo\n", f"ProductVersion\n{version}\n", f"FileVersion\n{version}\n")
    name = f"{build}/torvelo-{version}-win64"
    expect(zipfile.ZipFile(built(name + ".zip")).namelist(), f"torvelo-{version}-win64/torvelo.exe")
    shutil.rmtree(work + "/prefix", ignore_errors=True)
    os.makedirs(work, exist_ok=True)
    with open(work + "/settings.reg", "w") as reg:
        reg.write(SETTINGS)
    run("wineboot -i")
    run("wine regedit /S", reg.name)
    # the registry reaches the disk when the server ends
    run("wineserver -w")
    run("wine", built(name + ".exe"), "/S")
    # the exe, its shortcut, its uninstall entry
    found = traces()
    assert all(found), found


def play():
    # Yes: full screen, then F1 to a framed window on the desktop, and play.
    answer("fullscreen?", "Return")
    wait_for(
        "full screen",
        lambda: find(DESKTOP)[1:] == find(TITLE)[1:] == [0, 0, 800, 600],
    )
    wait_for("the title in full screen", lambda: shot(title_shown))
    hold("F1", lambda: find(DESKTOP)[1:] == [0, 0, 1024, 768], "the desktop back")
    wid, x, y, width, height = find(TITLE)
    assert [x, y] == [0, 0] and width > 800 and height > 600, [x, y, width, height]
    # the client area within the frame, which is as wide left, right and below
    border = (width - 800) // 2
    corner = border, height - 600 - border
    hold("1", lambda: shot(playing, corner), "play")
    ends("Escape")


def cleanup():
    run("wine", GAME + "Uninstall.exe", "/S")
    found = traces()
    assert not any(found), found


if not shutil.which("wine"):
    skip("no Wine")
if step != "setup" and not os.path.exists(GAME + "torvelo.exe"):
    skip("nothing installed: see wine.setup")
command = ["wine", GAME + "torvelo.exe"] if step == "play" else []
try:
    run_story("1024x768", globals()[step], command)
finally:
    run("wineserver -k", check=False)
