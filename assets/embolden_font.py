# Derives the drill's face from Wine's Tahoma Bold, whose strokes are drawn no
# heavier than its regular face: the outlines grow by 126 units of 2048 while
# every advance width stays as it was, so each caption keeps its place. Only the
# printable ASCII characters are kept: the drill shows no others.
#   fontforge -lang=py -script embolden_font.py <tahomabd.ttf> <out.ttf>
import sys

import fontforge

source, target = sys.argv[1:3]
font = fontforge.open(source)
for glyph in list(font.glyphs()):
    if glyph.glyphname != ".notdef" and not 0x20 <= glyph.unicode <= 0x7E:
        font.removeGlyph(glyph)
font.is_quadratic = False  # emboldening works on cubic outlines
widths = {glyph.glyphname: glyph.width for glyph in font.glyphs()}
font.selection.all()
font.changeWeight(126, "LCG", 0, 0, "squish")
for glyph in font.glyphs():
    glyph.transform((1, 0, 0, 1, (widths[glyph.glyphname] - glyph.width) / 2, 0))
    glyph.width = widths[glyph.glyphname]
font.fontname = "VendaroTahomaBold"
font.fullname = "Tahoma Bold (heavier, for Vendaro)"
font.appendSFNTName("English (US)", "UniqueID", "Vendaro Tahoma Bold")
font.generate(target)
