#!/usr/bin/env python3
"""Install and package tests.

usage:
  install_checks.py tree BUILD_DIR WORK_DIR
      `cmake --install` into a staging folder; the desktop entry, icon,
      metainfo and binary must agree with each other and pass both validators.
  install_checks.py build SOURCE_DIR BUILD_DIR
      Builds the program with the release preset and packs its .deb.
  install_checks.py lint BUILD_DIR OTHER_BUILD_DIR
      lintian and hardening-check find nothing to report, and the .deb of a
      second build, in another folder, is the same byte for byte.
  install_checks.py deb BUILD_DIR WORK_DIR E2E_SCRIPT
      Checks the .deb's dependencies, installs it with dpkg, starts the
      installed program under Xvfb to its title screen and ends it with Escape
      (the e2e script's escape_ends scenario), then removes the package, also
      when a step failed. Needs root.

Exit status 77 is a skip (CTest SKIP_RETURN_CODE), with the reason printed.
"""
import configparser
import os
import re
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

SKIP = 77
APP_ID = "org.example.Torvelo"
DESKTOP = f"usr/share/applications/{APP_ID}.desktop"
METAINFO = f"usr/share/metainfo/{APP_ID}.metainfo.xml"
ICON_DIR = "usr/share/icons/hicolor/256x256/apps"
BINARY = "usr/games/torvelo"
# What the package must name, and what it must never: build-only packages.
RUNTIME_PACKAGES = {"libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "libgl1", "libglu1-mesa",
                    "fonts-liberation", "fonts-comic-neue"}


class Failure(Exception):
    pass


def log(text):
    print(text, flush=True)


def run(*args, timeout=600, env=None, cwd=None):
    """Runs a command, echoing it; its output is returned, a failure raised."""
    log("$ " + " ".join(args))
    done = subprocess.run(args, capture_output=True, text=True, timeout=timeout, env=env, cwd=cwd)
    if done.returncode != 0:
        raise Failure(f"{args[0]} exited with {done.returncode}:\n{done.stdout}{done.stderr}")
    return done.stdout + done.stderr


def need_tools(*tools):
    missing = [t for t in tools if shutil.which(t) is None]
    if missing:
        log(f"skipped: {' '.join(missing)} not installed (scripts/install-deps.sh --test installs them)")
        sys.exit(SKIP)


def png_size(path):
    """(width, height, colour type) from the PNG header."""
    with open(path, "rb") as f:
        head = f.read(26)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise Failure(f"{path} is not a PNG")
    width, height = struct.unpack(">II", head[16:24])
    return width, height, head[25]


def validate(desktop, metainfo):
    out = run("desktop-file-validate", desktop)
    if re.search(r"\b(error|warning):", out):
        raise Failure(f"desktop-file-validate complained:\n{out}")
    out = run("appstreamcli", "validate", "--no-net", metainfo)
    if re.search(r"^[EW]:", out, re.MULTILINE):
        raise Failure(f"appstreamcli validate complained:\n{out}")


def check_tree(root):
    """The installed files agree with each other: the entry starts the
    installed binary and names the installed icon; the metainfo launches the
    entry and provides the binary."""
    for path in (BINARY, DESKTOP, METAINFO):
        if not os.path.isfile(os.path.join(root, path)):
            raise Failure(f"{path} was not installed")
    if not os.access(os.path.join(root, BINARY), os.X_OK):
        raise Failure(f"{BINARY} is not executable")

    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(root, DESKTOP), encoding="utf-8")
    section = entry["Desktop Entry"]
    checks = [
        (section.get("Name") == "Torvelo", "Name is not Torvelo"),
        (section.get("Exec") == os.path.basename(BINARY), f"Exec={section.get('Exec')} is not the installed binary"),
        ("Game" in section.get("Categories", "").split(";") and "LogicGame" in section.get("Categories", "").split(";"),
         "Categories lack Game;LogicGame;"),
    ]
    for ok, text in checks:
        if not ok:
            raise Failure(text)
    icon = os.path.join(root, ICON_DIR, section.get("Icon", "") + ".png")
    if not os.path.isfile(icon):
        raise Failure(f"Icon={section.get('Icon')} has no file at {ICON_DIR}")
    width, height, colour_type = png_size(icon)
    if (width, height) != (256, 256) or colour_type != 6:
        raise Failure(f"the icon is {width}x{height}, colour type {colour_type}; wanted 256x256 RGBA")

    component = ElementTree.parse(os.path.join(root, METAINFO)).getroot()
    if component.findtext("id") != APP_ID:
        raise Failure(f"metainfo id {component.findtext('id')} is not {APP_ID}")
    if component.findtext("launchable") != os.path.basename(DESKTOP):
        raise Failure("metainfo launchable does not name the installed desktop entry")
    if component.findtext("provides/binary") != section.get("Exec"):
        raise Failure("metainfo does not provide the binary the entry starts")
    validate(os.path.join(root, DESKTOP), os.path.join(root, METAINFO))


def tree(build_dir, work_dir):
    need_tools("desktop-file-validate", "appstreamcli")
    stage = os.path.join(work_dir, "stage")
    shutil.rmtree(stage, ignore_errors=True)
    run("cmake", "--install", build_dir, "--prefix", "/usr", env=dict(os.environ, DESTDIR=stage))
    check_tree(stage)
    log("install tree: passed")


def package_of(library_path):
    """The package that owns a library, whichever of its names (merged /usr,
    symlinks) dpkg recorded."""
    candidates = []
    for path in (library_path, os.path.realpath(library_path)):
        candidates += [path, path[len("/usr"):] if path.startswith("/usr/") else "/usr" + path]
    for path in candidates:
        done = subprocess.run(["dpkg-query", "-S", path], capture_output=True, text=True, timeout=60)
        if done.returncode == 0:
            return done.stdout.split(":")[0]
    raise Failure(f"no package owns {library_path}")


def check_depends(deb, binary):
    """Depends names the runtime packages, no -dev package, and a package for
    every library the binary links directly."""
    depends = {d.strip().split(" ")[0] for d in run("dpkg-deb", "-f", deb, "Depends").split(",") if d.strip()}
    log(f"Depends: {', '.join(sorted(depends))}")
    dev = sorted(d for d in depends if d.endswith("-dev"))
    if dev:
        raise Failure(f"build-only packages in Depends: {dev}")
    missing = sorted(RUNTIME_PACKAGES - depends)
    if missing:
        raise Failure(f"Depends lacks {missing}")
    needed = re.findall(r"\(NEEDED\)\s+Shared library: \[(.+?)\]", run("readelf", "-d", binary))
    resolved = dict(re.findall(r"^\s*(\S+) => (/\S+)", run("ldd", binary), re.MULTILINE))
    for library in needed:
        if library not in resolved:
            raise Failure(f"ldd does not resolve {library}")
        owner = package_of(resolved[library])
        if owner not in depends:
            raise Failure(f"{library} comes from {owner}, which Depends does not name")
        log(f"  {library}: {owner}")


def package_in(build):
    debs = [os.path.join(build, f) for f in os.listdir(build) if f.endswith(".deb")]
    if len(debs) != 1:
        raise Failure(f"{len(debs)} .deb files in {build}")
    return debs[0]


def build_release(source_dir, build):
    need_tools("cpack", "dpkg-deb")
    run("cmake", "--preset", "release", "-B", build, "-DTORVELO_BENCH=OFF", cwd=source_dir, timeout=110)
    run("cmake", "--build", build, "--target", "torvelo", "-j2", timeout=110)
    for old in os.listdir(build):
        if old.endswith(".deb"):
            os.remove(os.path.join(build, old))
    run("cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", build, cwd=build,
        timeout=60)
    log(f"package: {package_in(build)}")


def lint(build, other_build):
    """lintian on the package, hardening-check on the program: any error or
    warning, or any hardening feature not found, fails."""
    need_tools("lintian", "hardening-check", "cmp")
    package = package_in(build)
    complaints = [line for line in run("lintian", package, timeout=100).splitlines()
                  if re.match(r"[EW]: ", line)]
    hardening = run("hardening-check", os.path.join(build, "torvelo"), timeout=60)
    log(hardening)
    for feature in ("Position Independent Executable", "Stack protected", "Fortify Source functions",
                    "Read-only relocations", "Immediate binding", "Control flow integrity"):
        if not re.search(rf"^ {feature}: yes", hardening, re.MULTILINE):
            complaints.append(f"hardening-check: {feature} not found")
    if subprocess.run(["cmp", package, package_in(other_build)], timeout=60).returncode != 0:
        complaints.append(f"{package} differs from the one built in {other_build}")
    if complaints:
        raise Failure("\n".join(complaints))
    log("lintian, hardening-check and a second build: passed")


def deb(build, work_dir, e2e_script):
    if os.geteuid() != 0:
        log("skipped: installing a .deb with dpkg needs root (CI runs as root)")
        return SKIP
    need_tools("dpkg-deb", "readelf", "Xvfb", "xdotool", "desktop-file-validate", "appstreamcli")
    state = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "torvelo"], capture_output=True, text=True).stdout
    if "installed" in state.split():
        log("skipped: a torvelo package is installed already; this test leaves it alone")
        return SKIP

    package = package_in(build)
    check_depends(package, os.path.join(build, "torvelo"))

    try:
        run("dpkg", "-i", package, timeout=100)
        listed = set(run("dpkg", "-L", "torvelo").split())
        for path in ("/" + BINARY, "/" + DESKTOP, "/" + METAINFO, f"/{ICON_DIR}/{APP_ID}.png",
                     "/usr/share/man/man6/torvelo.6.gz", "/usr/share/doc/torvelo/copyright"):
            if path not in listed:
                raise Failure(f"dpkg -L torvelo does not list {path}")
        check_tree("/")
        # The installed program, to its title screen and ended with Escape.
        run(sys.executable, e2e_script, "/" + BINARY, os.path.join(work_dir, "e2e"), "escape_ends", timeout=90)
    finally:
        # Also after a half-done dpkg -i (unpacked, not configured).
        state = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "torvelo"], capture_output=True,
                               text=True).stdout.split()
        if state and state[-1] != "not-installed":
            run("dpkg", "-r", "torvelo", timeout=100)
        if os.path.exists("/" + BINARY):
            raise Failure(f"dpkg -r left /{BINARY} behind")
    log("deb package: passed")
    return 0


def main():
    try:
        if sys.argv[1] == "tree":
            tree(sys.argv[2], sys.argv[3])
            return 0
        if sys.argv[1] in ("build", "lint"):
            {"build": build_release, "lint": lint}[sys.argv[1]](sys.argv[2], sys.argv[3])
            return 0
        if sys.argv[1] == "deb":
            return deb(sys.argv[2], sys.argv[3], sys.argv[4])
        log(f"unknown check {sys.argv[1]}")
        return 2
    except (Failure, subprocess.TimeoutExpired) as failure:
        log(f"FAILED: {failure}")
        return 1


if __name__ == "__main__":
    sys.exit(main())
