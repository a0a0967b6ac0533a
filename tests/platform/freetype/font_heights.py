#!/usr/bin/python3
# Prints, for each (fontconfig pattern, GDI height) pair of its arguments, the
# pixel height an 'H' of that font should have: the file fontconfig matches,
# its OS/2 Windows ascent + descent as the cell of a positive height, a
# negative height as the em, and the outline's own extent of 'H'.
import subprocess
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.ttLib import TTFont

args = sys.argv[1:]
for pattern, height in zip(args[::2], map(int, args[1::2])):
    path = subprocess.run(["timeout", "20", "fc-match", "-f", "%{file}", pattern],
                          check=True, capture_output=True, text=True).stdout
    font = TTFont(path)
    os2, units = font["OS/2"], font["head"].unitsPerEm
    em = height * units / (os2.usWinAscent + os2.usWinDescent) if height > 0 else -height
    glyphs = font.getGlyphSet()
    pen = BoundsPen(glyphs)
    glyphs[font.getBestCmap()[ord("H")]].draw(pen)
    print(f"{(pen.bounds[3] - pen.bounds[1]) * em / units:.2f} {path}")
