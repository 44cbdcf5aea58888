#!/usr/bin/python3
"""Makes the emulated device's Tahoma from Wine's.

The device draws its dialogs in its own Tahoma; Wine's Tahoma of the same height is about 7 %
wider at the device's sizes, so texts laid out for the device do not fit. The copy made here
is Wine's font narrowed to the device's widths (same family name, so dialogs asking for
"Tahoma" get it). Its hinting is dropped, as it was made for the original outlines.

    device-font.py SOURCE.ttf TARGET.ttf WIDTH [--outlines-only]
"""
import sys

from fontTools.ttLib import TTFont


def narrow(source, target, WIDTH, outlines_only=False):
    font = TTFont(source)
    glyphs = font["glyf"]
    for name in font.getGlyphOrder():
        glyph = glyphs[name]
        if glyph.isComposite():
            for component in glyph.components:
                component.x = round(component.x * WIDTH)
        elif glyph.numberOfContours > 0:
            glyph.coordinates.scale((WIDTH, 1))
            glyph.coordinates.toInt()
        if hasattr(glyph, "program"):
            glyph.program.fromBytecode(b"")
    for name, (advance, bearing) in font["hmtx"].metrics.items():
        font["hmtx"].metrics[name] = (round(advance * WIDTH), round(bearing * WIDTH))
    for table in ("fpgm", "prep", "cvt ", "hdmx", "LTSH", "VDMX", "kern", "GPOS"):
        if table in font:
            del font[table]
    if outlines_only:
        # Wine draws a size that has an embedded bitmap from that bitmap, at Wine's own widths,
        # while it measures the narrowed outlines: the text would be laid out narrower than drawn.
        for table in ("EBDT", "EBLC", "BDF "):
            if table in font:
                del font[table]
    font["OS/2"].xAvgCharWidth = round(font["OS/2"].xAvgCharWidth * WIDTH)
    font["hhea"].advanceWidthMax = round(font["hhea"].advanceWidthMax * WIDTH)
    font["head"].xMin = round(font["head"].xMin * WIDTH)
    font["head"].xMax = round(font["head"].xMax * WIDTH)
    font.save(target)


if __name__ == "__main__":
    narrow(sys.argv[1], sys.argv[2], float(sys.argv[3]), "--outlines-only" in sys.argv[4:])
