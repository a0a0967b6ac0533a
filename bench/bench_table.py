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
            row(
                f"`scrambleCube(150)`, N = {n}",
                f"{ours:.1f} µs",
                f"{name} ({other['how']}, the same {other['moves']} turns): {other['us']:.1f} µs",
                f"{ratio:.1f}× faster",
                target,
                verdict,
            )

    clear = frames["BM_ClearOnly"]
    row("Frame, clear only (OSMesa 800×600)", f"{clear:.0f} µs", "", "1×")
    for kind, label in (("TitleFrame", "Title frame"), ("PlayFrame", "Play frame")):
        for n in (3, 4):
            t = frames[f"BM_{kind}/{n}"]
            row(f"{label}, N = {n}", f"{t:.0f} µs", "clear-only frame", f"{t / clear:.1f}×")

    game = 100.0 * share["game_self"] / share["total"]
    with_libc = 100.0 * share["game_with_libc"] / share["total"]
    row(
        "Game's own code in a title frame, N = 4 (callgrind, self cost)",
        f"{game:.3f} % of {share['total'] / share['frames'] / 1e6:.1f} M instructions per frame",
        f"with the C library and libm it calls: {with_libc:.3f} %",
        "",
        "≤ 2 %",
        goal(game <= 2.0),
    )

    def listed(values, unit, scale=1.0):
        return (
            ", ".join(f"{v / scale:.0f}" if unit == "ms" else f"{v / scale:.1f}" for v in values) + f" {unit}"
        )

    game_first, bare_first = (statistics.median(startup[f"{p}_first_frame_ms"]) for p in ("game", "bare"))
    failed = startup.get("failed_starts", [])
    row(
        f"First frame after the start-up answer (real program, Xvfb, median of {len(startup['game_first_frame_ms'])})",
        f"{game_first:.0f} ms",
        f"bare SDL2 + GL window, from its start: {bare_first:.0f} ms (game runs: "
        f"{listed(startup['game_first_frame_ms'], 'ms')}; bare: {listed(startup['bare_first_frame_ms'], 'ms')})"
        + (f"; {len(failed)} more start(s) failed: {failed[0]}" if failed else ""),
        f"{game_first / bare_first:.2f}×",
        "≤ 1.5×",
        goal(game_first <= 1.5 * bare_first),
    )
    game_peak, bare_peak = (statistics.median(startup[f"{p}_peak_rss_kb"]) / 1024.0 for p in ("game", "bare"))
    row(
        "Peak RSS of the real program (median of the runs)",
        f"{game_peak:.1f} MB",
        f"bare SDL2 + GL window: {bare_peak:.1f} MB (game runs: {listed(startup['game_peak_rss_kb'], 'MB', 1024)}; "
        f"bare: {listed(startup['bare_peak_rss_kb'], 'MB', 1024)})",
        f"{game_peak / bare_peak:.2f}×",
        "≤ 1.15×",
        goal(game_peak <= 1.15 * bare_peak),
    )

    print(f"Torvelo benchmarks, {time.strftime('%Y-%m-%d')}, on {machine()}")
    print(
        "(medians; scramble and frames in one process each, libraries in node "
        f"{libraries.get('node', '?')}; translation checked at {', '.join(str(c['points']) for c in libraries['checks'])} "
        "points for N = 3, 4)"
    )
    print()
    print("| Measure | Figure | Compared with | Ratio | Goal | |")
    print("|---|---|---|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
