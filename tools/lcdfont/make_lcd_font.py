#!/usr/bin/python3
"""Builds the LCD font "LCD Kyr" (TrueType) from its glyph table.

Usage: make_lcd_font.py [GLYPH_TABLE [OUTPUT_TTF]]
Defaults: resources/fonts/lcd_glyphs.txt -> resources/fonts/lcd_kyr.ttf of this checkout.

Each dot of the 5 x 8 matrix becomes a square; the cell is 6 dots wide (5 dot columns and
one column of space). The output depends on the table only (fixed time stamps, fixed table
order), so a rebuilt font compares equal byte for byte with the committed one.

Needs fontTools (Debian: python3-fonttools).
"""

import os
import re
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

FAMILY = "LCD Kyr"
STYLE = "Regular"
VERSION = "1.000"

COLUMNS = 5
ROWS = 8
BASE_ROW = 6  # the last row above the base line; row 7 holds descenders
PITCH = 128  # font units from one dot to the next
DOT = 112  # edge of one dot; the rest of the pitch is the gap between dots
UNITS_PER_EM = 1024
LEFT = PITCH // 2  # half a column of space on either side of the five dot columns
ADVANCE = (COLUMNS + 1) * PITCH
ASCENT = (BASE_ROW + 1) * PITCH + PITCH  # top row plus one row of line spacing
DESCENT = (ROWS - BASE_ROW - 1) * PITCH + PITCH  # descender row plus one row of spacing

# 2000-01-01 00:00:00 UTC in seconds since 1904-01-01 (the epoch of the head table).
FIXED_TIMESTAMP = 3029529600

FIRST_CODE = 0x20
LAST_CODE = 0xFF
UNDEFINED_BYTES = (0x81, 0x8D, 0x8F, 0x90, 0x9D)

HEADER_RE = re.compile(r"^0x([0-9A-Fa-f]{2})\s+U\+([0-9A-Fa-f]{4,6})(?:\s|$)")
ROW_RE = re.compile(r"^[#.]{%d}$" % COLUMNS)


class TableError(Exception):
    pass


def windows1252_char(code):
    """Unicode code point of a Windows-1252 byte; undefined bytes keep their own number."""
    if code in UNDEFINED_BYTES:
        return code
    return ord(bytes([code]).decode("cp1252"))


def read_table(path):
    """Returns {code: (unicode, [8 row strings])} for every code of the table."""
    glyphs = {}
    current = None
    with open(path, encoding="utf-8") as table:
        for number, raw in enumerate(table, 1):
            line = raw.rstrip("\n").rstrip()
            where = "%s:%d" % (path, number)
            if not line or line.startswith(";"):
                continue
            header = HEADER_RE.match(line)
            if header:
                if current is not None and len(current[2]) != ROWS:
                    raise TableError("%s: glyph 0x%02X has %d rows, not %d"
                                     % (where, current[0], len(current[2]), ROWS))
                code = int(header.group(1), 16)
                unicode = int(header.group(2), 16)
                if code in glyphs:
                    raise TableError("%s: code 0x%02X appears twice" % (where, code))
                if not FIRST_CODE <= code <= LAST_CODE:
                    raise TableError("%s: code 0x%02X outside 0x20..0xFF" % (where, code))
                if unicode != windows1252_char(code):
                    raise TableError("%s: code 0x%02X is U+%04X in Windows-1252, not U+%04X"
                                     % (where, code, windows1252_char(code), unicode))
                current = (code, unicode, [])
                glyphs[code] = current
                continue
            if current is None:
                raise TableError("%s: dot row before the first code line" % where)
            if not ROW_RE.match(line):
                raise TableError("%s: a row is %d characters of '#' or '.': %r" % (where, COLUMNS, line))
            if len(current[2]) == ROWS:
                raise TableError("%s: glyph 0x%02X has more than %d rows" % (where, current[0], ROWS))
            current[2].append(line)
    if current is not None and len(current[2]) != ROWS:
        raise TableError("%s: glyph 0x%02X has %d rows, not %d" % (path, current[0], len(current[2]), ROWS))
    missing = [code for code in range(FIRST_CODE, LAST_CODE + 1) if code not in glyphs]
    if missing:
        raise TableError("%s: no glyph for %s" % (path, ", ".join("0x%02X" % c for c in missing)))
    return {code: (unicode, rows) for code, unicode, rows in glyphs.values()}


def dot_glyph(rows):
    """A TrueType glyph with one square contour per dot that is on."""
    pen = TTGlyphPen(None)
    inset = (PITCH - DOT) // 2
    for r, row in enumerate(rows):
        top = (BASE_ROW + 1 - r) * PITCH - inset
        bottom = top - DOT
        for c, dot in enumerate(row):
            if dot != "#":
                continue
            left = LEFT + c * PITCH + inset
            right = left + DOT
            # Clockwise, as TrueType wants outer contours.
            pen.moveTo((left, bottom))
            pen.lineTo((left, top))
            pen.lineTo((right, top))
            pen.lineTo((right, bottom))
            pen.closePath()
    return pen.glyph()


def box_glyph():
    """.notdef: an outlined cell."""
    rows = ["#####"] + ["#...#"] * 5 + ["#####", "....."]
    return dot_glyph(rows)


def build_font(glyphs):
    order = [".notdef"] + ["lcd%02X" % code for code in sorted(glyphs)]
    outlines = {".notdef": box_glyph()}
    cmap = {}
    for code, (unicode, rows) in sorted(glyphs.items()):
        name = "lcd%02X" % code
        outlines[name] = dot_glyph(rows)
        cmap[unicode] = name
    # The C1 code points U+0080..U+009F (text read as Latin-1) show the same shapes
    # as the Windows-1252 characters of those bytes.
    for code in range(0x80, 0xA0):
        cmap.setdefault(code, "lcd%02X" % code)

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    metrics = {}
    glyf = fb.font["glyf"]
    for name in order:
        glyph = glyf[name]
        metrics[name] = (ADVANCE, getattr(glyph, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    fb.setupNameTable({
        "copyright": "LCD Kyr dot-matrix font of the KRT-6 configurator",
        "familyName": FAMILY,
        "styleName": STYLE,
        "uniqueFontIdentifier": "%s %s %s" % (FAMILY, STYLE, VERSION),
        "fullName": FAMILY,
        "version": "Version " + VERSION,
        "psName": FAMILY.replace(" ", "") + "-" + STYLE,
    })
    fb.setupOS2(
        version=4,
        xAvgCharWidth=ADVANCE,
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,
        sTypoAscender=ASCENT,
        sTypoDescender=-DESCENT,
        sTypoLineGap=0,
        usWinAscent=ASCENT,
        usWinDescent=DESCENT,
        sxHeight=5 * PITCH,
        sCapHeight=7 * PITCH,
        fsSelection=0x40 | 0x80,  # REGULAR, USE_TYPO_METRICS
        achVendID="NONE",
        ulCodePageRange1=1,  # Latin 1
        ulCodePageRange2=0,
        panose=_panose(),
    )
    fb.setupPost(isFixedPitch=1, underlinePosition=-PITCH, underlineThickness=DOT // 2)
    fb.setupHead(unitsPerEm=UNITS_PER_EM, created=FIXED_TIMESTAMP, modified=FIXED_TIMESTAMP,
                 fontRevision=float(VERSION))
    fb.setupMaxp()
    return fb.font


def _panose():
    from fontTools.ttLib.tables.O_S_2f_2 import Panose
    panose = Panose()
    for field in ("bFamilyType", "bSerifStyle", "bWeight", "bProportion", "bContrast", "bStrokeVariation",
                  "bArmStyle", "bLetterForm", "bMidline", "bXHeight"):
        setattr(panose, field, 0)
    panose.bFamilyType = 2  # Latin text
    panose.bWeight = 5  # book
    panose.bProportion = 9  # monospaced
    return panose


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    top = os.path.normpath(os.path.join(here, "..", ".."))
    table = argv[1] if len(argv) > 1 else os.path.join(top, "resources", "fonts", "lcd_glyphs.txt")
    output = argv[2] if len(argv) > 2 else os.path.join(top, "resources", "fonts", "lcd_kyr.ttf")
    try:
        glyphs = read_table(table)
    except (OSError, TableError) as error:
        print("make_lcd_font: %s" % error, file=sys.stderr)
        return 1
    font = build_font(glyphs)
    # Recalculating the time stamp would put the current time into the head table.
    font.recalcTimestamp = False
    out_dir = os.path.dirname(os.path.abspath(output))
    os.makedirs(out_dir, exist_ok=True)
    font.save(output, reorderTables=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
