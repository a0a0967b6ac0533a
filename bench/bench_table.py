#!/usr/bin/env python3
"""The one table of scripts/bench.sh, from the results of a single run.

usage: bench_table.py RESULTS_DIR

Reads, from RESULTS_DIR: cube.json and frames.json (Google Benchmark, with
repetitions: medians), libraries.json (bench/model_compare.mjs),
share.json (bench/frame_share.py), startup.json (bench/startup_probe.py).
Prints a Markdown table and the machine it ran on.
"""
import json
import os
import platform
import statistics
import sys
import time


def load(results, name):
    with open(os.path.join(results, name)) as f:
        return json.load(f)


def medians(benchmark_json):
    """name -> median real time in microseconds."""
    out = {}
    for b in benchmark_json["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[b["time_unit"]]
            out[b["run_name"]] = b["real_time"] * scale
    return out


def machine():
    model = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return f"{os.cpu_count()} cores, {model}, {platform.system()} {platform.release()}"


def goal(met):
    return "met" if met else "**missed**"


def main():
    results = sys.argv[1]
    cube = medians(load(results, "cube.json"))
    frames = medians(load(results, "frames.json"))
    libraries = load(results, "libraries.json")
    share = load(results, "share.json")
    startup = load(results, "startup.json")

    rows = []

    def row(what, figure, against="", ratio="", target="", verdict=""):
        rows.append((what, figure, against, ratio, target, verdict))

    lib = {(r["n"], r["library"]): r for r in libraries["rows"]}
    for n in (3, 4):
        ours = cube[f"BM_Scramble150/{n}"]
        for name in ("cubing", "cubejs"):
            other = lib.get((n, name))
            if other is None:
                continue
            ratio = other["us"] / ours
            target, verdict = ("≥ 5×", goal(ratio >= 5)) if (n, name) == (4, "cubing") else ("", "")
            row(f"`scrambleCube(150)`, N = {n}", f"{ours:.1f} µs",
                f"{name} ({other['how']}, the same {other['moves']} turns): {other['us']:.1f} µs",
                f"{ratio:.1f}× faster", target, verdict)

    clear = frames["BM_ClearOnly"]
    row("Frame, clear only (OSMesa 800×600)", f"{clear:.0f} µs", "", "1×")
    for kind, label in (("TitleFrame", "Title frame"), ("PlayFrame", "Play frame")):
        for n in (3, 4):
            t = frames[f"BM_{kind}/{n}"]
            row(f"{label}, N = {n}", f"{t:.0f} µs", "clear-only frame", f"{t / clear:.1f}×")

    game = 100.0 * share["game_self"] / share["total"]
    with_libc = 100.0 * share["game_with_libc"] / share["total"]
    row("Game's own code in a title frame, N = 4 (callgrind, self cost)",
        f"{game:.3f} % of {share['total'] / share['frames'] / 1e6:.1f} M instructions per frame",
        f"with the C library and libm it calls: {with_libc:.3f} %", "", "≤ 2 %", goal(game <= 2.0))

    first = statistics.median(startup["first_frame_ms"])
    row(f"First frame after the start-up answer (real program, Xvfb, median of {len(startup['first_frame_ms'])})",
        f"{first:.0f} ms", f"runs: {', '.join(str(v) for v in startup['first_frame_ms'])} ms"
        + (f"; {len(startup['failed_starts'])} more start(s) failed: {startup['failed_starts'][0]}"
           if startup.get("failed_starts") else ""),
        "", "≤ 300 ms",
        goal(first <= 300))
    peak = max(startup["peak_rss_kb"]) / 1024.0
    row("Peak RSS of the real program (largest of the runs)", f"{peak:.1f} MB",
        f"runs: {', '.join(f'{v / 1024:.1f}' for v in startup['peak_rss_kb'])} MB", "", "≤ 60 MB", goal(peak <= 60))

    print(f"Torvelo benchmarks, {time.strftime('%Y-%m-%d')}, on {machine()}")
    print("(medians; scramble and frames in one process each, libraries in node "
          f"{libraries.get('node', '?')}; translation checked at {', '.join(str(c['points']) for c in libraries['checks'])} "
          "points for N = 3, 4)")
    print()
    print("| Measure | Figure | Compared with | Ratio | Goal | |")
    print("|---|---|---|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
