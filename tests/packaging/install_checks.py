#!/usr/bin/env python3
# The .deb scripts/test.sh packed: install_checks.py deb_checks|deb_install RELEASE OTHER_RELEASE.
# deb_checks: lintian and hardening-check find nothing, a second build's .deb
# is the same byte for byte, its files agree and pass the validators.
# deb_install: dpkg -i, the installed game starts and ends, dpkg -r (always).
import glob
import os
import re
import sys
import tempfile

sys.path[0] += "/../e2e"
from torvelo_e2e import *

step, release, other = sys.argv[1:]
RUNTIME = "libsdl2-2.0-0 libfreetype6 libfontconfig1 libgl1 libglu1-mesa fonts-liberation fonts-comic-neue"


def package(build):
    return built(min(glob.glob(build + "/*.deb"), default=build + "/*.deb"))


def deb_checks(deb, tree):
    run("cmp", deb, package(other))
    # It fails unless it finds PIE, the stack protector, fortified functions,
    # read-only relocations, immediate binding and control flow integrity.
    run("hardening-check", release + "/torvelo")
    run("lintian --fail-on error,warning", deb)
    run("dpkg-deb -x", deb, tree)
    desktop = tree + "/usr/share/applications/org.example.Torvelo.desktop"
    warnings = run("desktop-file-validate", desktop)
    assert "warning:" not in warnings, warnings
    expect(open(desktop).read(), "\nExec=torvelo\n", "\nIcon=org.example.Torvelo\n")
    assert os.access(tree + "/usr/games/torvelo", os.X_OK)
    expect(
        run("file", tree + "/usr/share/icons/hicolor/256x256/apps/org.example.Torvelo.png"),
        "PNG image data, 256 x 256",
    )
    metainfo = tree + "/usr/share/metainfo/org.example.Torvelo.metainfo.xml"
    # Its warnings fail it too.
    run("appstreamcli validate --no-net", metainfo)
    expect(open(metainfo).read(), ">org.example.Torvelo.desktop</launchable>", "<binary>torvelo</binary>")
    depends = run("dpkg-deb -f", deb, "Depends")
    # every runtime package, no -dev one
    assert set(RUNTIME.split()) <= set(re.findall(r"[\w.+-]+", depends)), depends
    assert "-dev" not in depends, depends


def deb_install(deb, tree):
    if os.geteuid() != 0:
        skip("dpkg -i needs root")
    if os.path.exists("/usr/games/torvelo"):
        skip("a torvelo is installed already; left alone")
    try:
        run("dpkg -i", deb)
        run_story("1024x768", start, ["/usr/games/torvelo"])
    finally:
        # also after a half-done dpkg -i
        run("dpkg -r torvelo")
    assert not os.path.exists("/usr/games/torvelo")


with tempfile.TemporaryDirectory() as tree:
    globals()[step](package(release), tree)
