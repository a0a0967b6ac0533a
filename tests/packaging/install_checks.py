#!/usr/bin/env python3
# The .deb scripts/test.sh packed: install_checks.py deb_checks|deb_install RELEASE OTHER_RELEASE WORK_DIR
# deb_checks: lintian and hardening-check find nothing, a second build's .deb is the
# same byte for byte, its files agree and pass the validators.
# deb_install: dpkg -i, the installed game starts and ends, dpkg -r (always).
import glob, os, re, shutil, subprocess, sys, xml.etree.ElementTree as ET  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import torvelo_e2e as e2e  # noqa: E402

mode, release, other, work = sys.argv[1:5]
RUNTIME = set(
    "libsdl2-2.0-0 libfreetype6 libfontconfig1 libgl1 libglu1-mesa fonts-liberation fonts-comic-neue".split()
)
HARDENING = {
    "Position Independent Executable",
    "Stack protected",
    "Fortify Source functions",
    "Read-only relocations",
    "Immediate binding",
    "Control flow integrity",
}


def run(*args, timeout=100):
    return e2e.run(*args, timeout=timeout, check=True)  # its output and errors


def package(build):
    return (
        e2e.built(debs[0])
        if len(debs := glob.glob(f"{build}/*.deb")) == 1
        else e2e.skip(f"no one .deb in {build}")
    )


def checks(deb):
    # lintian, hardening-check, desktop-file-validate and appstreamcli: scripts/install-deps.sh --test
    shutil.rmtree(root := os.path.join(work, "tree"), ignore_errors=True)
    os.makedirs(root)  # dpkg-deb makes the last folder only
    run("dpkg-deb", "-x", deb, root)
    desktop, metainfo = (
        f"{root}/usr/share/{d}/org.example.Torvelo.{e}"
        for d, e in (("applications", "desktop"), ("metainfo", "metainfo.xml"))
    )
    hardened = set(
        re.findall(r"^ (.*): yes", run("hardening-check", os.path.join(release, "torvelo"), timeout=60), re.M)
    )
    problems = [line for line in run("lintian", deb).splitlines() if re.match(r"[EW]: ", line)]
    problems += re.findall(r".*\b(?:error|warning):.*", run("desktop-file-validate", desktop))
    problems += re.findall(r"^[EW]:.*", run("appstreamcli", "validate", "--no-net", metainfo), re.MULTILINE)
    exec_name, icon = (
        re.search(rf"^{key}=(.*)", open(desktop).read(), re.MULTILINE)[1] for key in ("Exec", "Icon")
    )
    size = open(f"{root}/usr/share/icons/hicolor/256x256/apps/{icon}.png", "rb").read(24)[16:24]
    depends = {d.split()[0] for d in run("dpkg-deb", "-f", deb, "Depends").split(",") if d.strip()}
    problems += [
        text
        for ok, text in (
            (
                subprocess.run(["timeout", "60", "cmp", deb, package(other)], timeout=80).returncode == 0,
                f"{deb} differs from {other}'s",
            ),
            (HARDENING <= hardened, f"hardening-check lacks {sorted(HARDENING - hardened)}"),
            (os.access(f"{root}/usr/games/{exec_name}", os.X_OK), f"Exec={exec_name} is not in /usr/games"),
            (size == bytes([0, 0, 1, 0, 0, 0, 1, 0]), f"icon {icon}.png is not 256x256"),
            (
                ET.parse(metainfo).findtext("launchable") == os.path.basename(desktop),
                "metainfo launchable is not the entry",
            ),
            (
                ET.parse(metainfo).findtext("provides/binary") == exec_name,
                "metainfo does not provide the Exec binary",
            ),
            (RUNTIME <= depends, f"Depends lacks {sorted(RUNTIME - depends)}"),
            (
                not any(p.endswith("-dev") for p in depends),
                f"Depends names a build-only -dev package: {depends}",
            ),
        )
        if not ok
    ]
    assert not problems, "\n".join(problems)


def install(deb):
    os.geteuid() == 0 or e2e.skip("dpkg -i needs root")
    os.path.exists("/usr/games/torvelo") and e2e.skip("a torvelo is installed already; left alone")
    try:
        run("dpkg", "-i", deb)
        print(run(sys.executable, e2e.__file__, "start", "/usr/games/torvelo", f"{work}/e2e", timeout=90))
    finally:
        run("dpkg", "-r", "torvelo")  # also after a half-done dpkg -i; a no-op when nothing is installed
        assert not os.path.exists("/usr/games/torvelo"), "dpkg -r left /usr/games/torvelo behind"


{"deb_checks": checks, "deb_install": install}[mode](
    package(release)
)  # a failure ends in a traceback, status 1
print(f"packaging {mode}: passed")
