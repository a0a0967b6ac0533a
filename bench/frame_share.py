#!/usr/bin/env python3
"""The game's own share of a frame's instructions, from a callgrind profile
of bench/frame_profile (collected inside profiledFrames only).

usage: frame_share.py CALLGRIND_OUT PROGRAM FRAMES

Our code is what is linked into PROGRAM (the game's libraries; the tool's
own loop is a few instructions). Prints JSON: the total instructions, the
self cost of our functions, and that plus what the C library and libm cost
when our functions call them (formatting, string length, cos/sin/tan) --
everything but the GL library and the driver. Also the largest of our
functions, by self cost.
"""
import json
import os
import re
import sys

NAMED = re.compile(r"^(ob|fl|fi|fe|fn|cob|cfi|cfl|cfn)=(?:\((\d+)\))?\s*(.*)$")
LIBC = re.compile(r"/lib(c|m)[.-]")


def parse(path, program):
    names = {}
    program = os.path.realpath(program)
    ob = fn = cob = None
    in_call = False
    total = 0
    self_cost = {}
    ours_calls_libc = 0
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            m = NAMED.match(line)
            if m:
                kind, ident, name = m.groups()
                table = (
                    "ob"
                    if kind in ("ob", "cob")
                    else "fl"
                    if kind in ("fl", "fi", "fe", "cfi", "cfl")
                    else "fn"
                )
                if ident is not None and name:
                    names[(table, ident)] = name
                value = names.get((table, ident), name) if ident is not None else name
                if kind == "ob":
                    ob = value
                elif kind == "fn":
                    fn = (ob, value)
                    cob = None
                elif kind == "cob":
                    cob = value
                continue
            if line.startswith("calls="):
                in_call = True
                continue
            if line.startswith("totals:") or line.startswith("summary:"):
                total = max(total, int(line.split()[1]))
                continue
            if not line or not (line[0].isdigit() or line[0] in "+-*"):
                continue
            parts = line.split()
            if len(parts) < 2:
                continue
            cost = int(parts[1])
            if in_call:
                # The inclusive cost of the call just named.
                in_call = False
                callee_ob = cob if cob is not None else ob
                if (
                    fn
                    and os.path.realpath(fn[0]) == program
                    and fn[1] != "(below main)"
                    and LIBC.search(callee_ob or "")
                ):
                    ours_calls_libc += cost
                cob = None
                continue
            self_cost[fn] = self_cost.get(fn, 0) + cost
    if total == 0:
        total = sum(self_cost.values())
    ours = {k: v for k, v in self_cost.items() if k and os.path.realpath(k[0]) == program}
    return total, ours, ours_calls_libc


def main():
    total, ours, libc = parse(sys.argv[1], sys.argv[2])
    game_self = sum(ours.values())
    top = sorted(ours.items(), key=lambda kv: -kv[1])[:5]
    print(
        json.dumps(
            {
                "frames": int(sys.argv[3]),
                "total": total,
                "game_self": game_self,
                "game_with_libc": game_self + libc,
                "top": [[name, cost] for (_, name), cost in top],
            }
        )
    )


if __name__ == "__main__":
    main()
