# Derives the drill's face from Wine's Tahoma Bold, whose strokes are drawn no
# heavier than its regular face: the outlines grow by 126 units of 2048 while
# every advance width stays as it was, so each caption keeps its place. Only the
# printable ASCII characters are kept: the drill shows no others.
#   fontforge -lang=py -script embolden_font.py <tahomabd.ttf> <out.ttf> [--windows]
# --windows makes the face for Vendaro.exe: a family name of its own, so that no
# Tahoma installed on the system stands in for it, and the line of text where
# Qt and the browsers put it. They take the face's typographic ascent, as it
# asks; Windows takes its "win" ascent, a quarter of an em taller, and would
# set every caption that much lower.
import sys

import fontforge

source, target = sys.argv[1:3]
for_windows = sys.argv[3:] == ["--windows"]
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
if for_windows:
    font.familyname = "Vendaro Tahoma"
    font.os2_winascent_add = font.os2_windescent_add = False
    font.os2_winascent = font.os2_typoascent
    font.os2_windescent = -font.os2_typodescent
font.fontname = "VendaroTahomaBold"
font.fullname = "Tahoma Bold (heavier, for Vendaro)"
font.appendSFNTName("English (US)", "UniqueID", "Vendaro Tahoma Bold")
font.generate(target)
