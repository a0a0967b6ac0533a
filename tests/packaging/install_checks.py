#!/usr/bin/env python3
"""The .deb scripts/test.sh packed. usage: install_checks.py checks|install RELEASE OTHER_RELEASE WORK_DIR
checks: lintian and hardening-check find nothing, a second build's .deb is the same byte for byte, its files
agree and pass the validators. install: dpkg -i, the installed game starts and ends, dpkg -r (always)."""
import configparser, os, re, shutil, subprocess, sys, xml.etree.ElementTree as ElementTree  # noqa: E401

mode, release, other, work = sys.argv[1:5]
APP = "org.example.Torvelo"
RUNTIME = {"libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "libgl1", "libglu1-mesa", "fonts-liberation",
           "fonts-comic-neue"}


def skip(reason):  # exit status 77: CTest's skip
    sys.exit(print(f"skipped: {reason}", flush=True) or 77)


def run(*args, timeout=100):
    done = subprocess.run(["timeout", "-k", "5", str(timeout), *args], capture_output=True, text=True)
    if done.returncode != 0:
        raise AssertionError(f"{' '.join(args)}: status {done.returncode}\n{done.stdout}{done.stderr}")
    return done.stdout + done.stderr


def package(build):
    debs = [f for f in os.listdir(build) if f.endswith(".deb")] if os.path.isdir(build) else []
    len(debs) == 1 or skip(f"no one .deb in {build} (scripts/test.sh packs it)")
    return os.path.join(build, debs[0])


def checks(deb):
    for tool in ("lintian", "hardening-check", "desktop-file-validate", "appstreamcli"):
        shutil.which(tool) or skip(f"no {tool} (scripts/install-deps.sh --test)")
    problems = [line for line in run("lintian", deb).splitlines() if re.match(r"[EW]: ", line)]
    hardening = run("hardening-check", os.path.join(release, "torvelo"), timeout=60)
    problems += [f"hardening-check: {f} missing" for f in ("Position Independent Executable", "Stack protected",
                 "Fortify Source functions", "Read-only relocations", "Immediate binding", "Control flow integrity")
                 if not re.search(rf"^ {f}: yes", hardening, re.MULTILINE)]
    if subprocess.run(["cmp", deb, package(other)], timeout=60).returncode != 0:
        problems.append(f"{deb} differs from {package(other)}")
    root = os.path.join(work, "tree")
    shutil.rmtree(root, ignore_errors=True)
    run("dpkg-deb", "-x", deb, root)
    desktop, metainfo = (f"{root}/usr/share/{d}/{APP}.{e}" for d, e in (("applications", "desktop"),
                                                                      ("metainfo", "metainfo.xml")))
    problems += re.findall(r".*\b(?:error|warning):.*", run("desktop-file-validate", desktop))
    problems += re.findall(r"^[EW]:.*", run("appstreamcli", "validate", "--no-net", metainfo), re.MULTILINE)
    entry = configparser.ConfigParser(interpolation=None)
    entry.read(desktop, encoding="utf-8")
    exec_name, icon = entry["Desktop Entry"]["Exec"], entry["Desktop Entry"]["Icon"]
    component = ElementTree.parse(metainfo).getroot()
    with open(f"{root}/usr/share/icons/hicolor/256x256/apps/{icon}.png", "rb") as png:
        size = png.read(24)[16:24]
    problems += [text for ok, text in (
        (os.access(f"{root}/usr/games/{exec_name}", os.X_OK), f"Exec={exec_name} is not in /usr/games"),
        (size == bytes([0, 0, 1, 0, 0, 0, 1, 0]), f"icon {icon}.png is not 256x256"),
        (component.findtext("launchable") == os.path.basename(desktop), "metainfo launchable is not the entry"),
        (component.findtext("provides/binary") == exec_name, "metainfo does not provide the Exec binary")) if not ok]
    depends = {d.split()[0] for d in run("dpkg-deb", "-f", deb, "Depends").split(",") if d.strip()}
    problems += [f"Depends lacks {p}" for p in sorted(RUNTIME - depends)]
    problems += [f"Depends names the build-only {p}" for p in sorted(depends) if p.endswith("-dev")]
    assert not problems, "\n".join(problems)


def installed():
    status = subprocess.run(["dpkg-query", "-W", "-f=${Status}", "torvelo"], capture_output=True, text=True,
                            timeout=60).stdout.split()
    return bool(status) and status[-1] != "not-installed"


def install(deb):
    os.geteuid() == 0 or skip("dpkg -i needs root")
    installed() and skip("a torvelo package is installed already; left alone")
    try:
        run("dpkg", "-i", deb)
        e2e = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e", "torvelo_e2e.py")
        print(run(sys.executable, e2e, "/usr/games/torvelo", os.path.join(work, "e2e"), "start", timeout=90))
    finally:
        if installed():  # also after a half-done dpkg -i
            run("dpkg", "-r", "torvelo")
        assert not os.path.exists("/usr/games/torvelo"), "dpkg -r left /usr/games/torvelo behind"


if __name__ == "__main__":
    try:
        {"checks": checks, "install": install}[mode](package(release))
    except (AssertionError, OSError, subprocess.SubprocessError) as failure:
        print(f"packaging {mode}: FAILED: {failure}", flush=True)
        sys.exit(1)
    print(f"packaging {mode}: passed")
