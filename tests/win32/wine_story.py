#!/usr/bin/env python3
# The Windows program under Wine, from its installer: wine_story.py setup|no|yes|cleanup BUILD_DIR WORK_DIR
# setup: the exe's headers, resources and zip, a fresh prefix, a silent install;
# no / yes: the installed game answered No or Yes; cleanup: a silent uninstall.
import atexit, os, re, shutil, sys, zipfile  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from torvelo_e2e import TITLE, built, run, run_story, skip, wait_for, title_shown, playing  # noqa: E402

(mode, build, work), prefix = sys.argv[1:4], os.path.join(sys.argv[3], "prefix")
ENV = dict(
    {k: v for k, v in os.environ.items() if k != "DISPLAY"},
    WINEPREFIX=prefix,
    WINEDEBUG="-all",
    WINEDLLOVERRIDES="mscoree,mshtml=",
)  # no Mono or Gecko prompts
INSTALLED = os.path.join(prefix, "drive_c/Program Files/Torvelo")
SHORTCUT = os.path.join(
    prefix, "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvelo/Torvelo.lnk"
)
# Wine ignores fontconfig's aliases; the virtual desktop needs no window
# manager for keys to arrive and takes the display-mode switch.
# Keys under HKEY_CURRENT_USER\Software\Wine, each with its lines of values.
SETTINGS = {
    "Explorer": '"Desktop"="Default"',
    r"Explorer\Desktops": '"Default"="1024x768"',
    r"Fonts\Replacements": '"Courier New"="Liberation Mono"\n"Times New Roman"="Liberation Serif"\n"Comic Sans MS"="Comic Neue"',
}


def traces():
    return [
        os.path.exists(INSTALLED + "/torvelo.exe"),
        os.path.exists(SHORTCUT),
        "Uninstall.exe"
        in run(
            "wine",
            "reg",
            "query",
            r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvelo",
            "/v",
            "UninstallString",
            timeout=30,
            env=ENV,
        ),
    ]  # the installed exe, its Start-menu shortcut and uninstall entry


def setup(x):
    config = os.path.join(build, "CPackConfig.cmake")
    version = (
        os.path.exists(config)
        and re.search(r'CPACK_PACKAGE_VERSION "(.*)"', open(config).read())[1]
        or skip(f"no {config} (scripts/test.sh configures the Windows build)")
    )
    exe, installer, portable = (
        built(os.path.join(build, p))
        for p in ("src/win32/torvelo.exe", f"torvelo-{version}-win64.exe", f"torvelo-{version}-win64.zip")
    )
    # Its headers (DLL characteristics, icon and version resources), then its version strings.
    texts = run("x86_64-w64-mingw32-objdump", "-p", exe, check=True) + run("strings", "-el", exe)
    for wanted in (
        "DYNAMIC_BASE",
        "HIGH_ENTROPY_VA",
        "NX_COMPAT",
        "Entry: ID: 0x00000e,",
        "Entry: ID: 0x000010,",
        "\nProductName\nTorvelo\n",
        f"\nProductVersion\n{version}\n",
        f"\nFileVersion\n{version}\n",
    ):
        assert wanted in texts, f"{exe}: no {wanted!r} in its headers or strings"
    assert any(
        n.endswith("torvelo.exe") for n in zipfile.ZipFile(portable).namelist()
    ), "no torvelo.exe in the zip"
    shutil.rmtree(prefix, ignore_errors=True)
    with open(os.path.join(work, "settings.reg"), "w") as reg:
        reg.write(
            "REGEDIT4\n"
            + "".join(f"[HKEY_CURRENT_USER\\Software\\Wine\\{k}]\n{v}\n" for k, v in SETTINGS.items())
        )
    run("wineboot", "-i", timeout=80, env=ENV, check=True)
    run("wine", "regedit", "/S", reg.name, timeout=60, env=ENV, check=True)
    run("wineserver", "-w", timeout=60, env=ENV)  # the registry reaches the disk when the server ends
    run("wine", installer, "/S", timeout=60, env=dict(ENV, DISPLAY=x.display), check=True)
    wait_for("the installed exe, Start-menu shortcut and uninstall entry", lambda: all(traces()), 30)


def story(x):  # the installed game, started by run_story, answered No or Yes
    # x, y, width and height of a window by name, of the Wine desktop by default
    def frame(name="Default - Wine desktop"):
        return wait_for(f'window "{name}"', lambda: x.find(name), 60)[1:]

    x.answer("fullscreen?", "Return" if mode == "yes" else "n")
    if mode == "yes":
        wait_for(
            "an 800x600 display filled by the game", lambda: frame() == frame(TITLE) == (0, 0, 800, 600), 60
        )
        wait_for("the title screen in full screen", lambda: x.shot(title_shown), 60)
        x.hold("F1", lambda: frame() == (0, 0, 1024, 768), "the desktop back on F1", 60)
    left, top, width, height = frame(TITLE)
    assert (
        (left, top) == (0, 0) and width > 800 and height > 600
    ), f"no framed window at 0,0: {width}x{height}"
    assert frame() == (0, 0, 1024, 768), "the desktop is not at 1024x768"
    corner = ((width - 800) // 2, height - 600 - (width - 800) // 2)  # equal frame left, right and bottom
    wait_for("the title screen", lambda: x.shot(title_shown, corner), 60)
    mode == "yes" or x.hold("1", lambda: x.shot(playing, corner), "play on 1")
    x.ends("Escape")


def cleanup(x):
    run("wine", INSTALLED + "/Uninstall.exe", "/S", timeout=60, env=dict(ENV, DISPLAY=x.display), check=True)
    # The uninstaller goes on from a copy of itself.
    wait_for("the uninstall", lambda: not any(traces()), 60)


shutil.which("wine") or skip("Wine (wine, wine64) is not installed")
mode == "setup" or os.path.exists(INSTALLED + "/torvelo.exe") or skip("nothing installed: see wine.setup")
atexit.register(run, "wineserver", "-k", timeout=30, env=ENV)  # whatever the story's end
run_story(
    work,
    "wine." + mode,
    "1024x768",
    {"setup": setup, "no": story, "yes": story, "cleanup": cleanup}[mode],
    ["wine", INSTALLED + "/torvelo.exe"] if mode in ("no", "yes") else (),
    ENV,
)
