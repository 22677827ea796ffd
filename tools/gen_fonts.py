#!/usr/bin/env python3
"""Renders the six bitmap-font pictures from DejaVu and writes their glyph tables.

Each font is one picture of glyph rectangles laid in rows, plus a table of records
(character, x1, y1, x2, y2, advance, height) in a fixed record order. The first record and the
space record of every table are fixed values the game relies on; the generator pins those
rectangles and packs the other glyphs around them, in record order, row by row.

Usage: gen_fonts.py --out DIR [--tables FILE.cpp] [--sheet FILE.png]
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tobgen  # noqa: E402

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
PRINTABLE = "".join(chr(c) for c in range(33, 127))
DIGITS = "0123456789"
UPPER = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
LOWER = "abcdefghijklmnopqrstuvwxyz"
# The Latin-1 letters and signs, for the player names the game draws: the no-break space draws as
# a space and the soft hyphen as nothing, so neither has a glyph.
LATIN1 = "".join(chr(c) for c in range(0xA1, 0x100) if c != 0xAD)


def hand_order(first, last):
    """A record order that starts with `first` and ends with `last`: digits, letters, then
    punctuation, with the two ends moved into place."""
    body = DIGITS + UPPER + LOWER + "".join(c for c in PRINTABLE if not c.isalnum())
    body = body.replace(first, "").replace(last, "")
    return first + body + last


# The bed font's "1" keeps the fixed 5 px cell of its record: DejaVu's one squeezed into it loses
# its flag and foot and reads as "!" on the score, so it is drawn here by pixel, face only, one
# string per row of the cell (the outline follows from the stroke). Its face spans the rows of
# the other digits' faces.
BED_ONE = ("     ", "     ",
           "  #  ",
           " ##  ",
           "# #  ",
           "  #  ",
           "  #  ",
           "  #  ",
           "  #  ",
           "  #  ",
           "  #  ",
           "  #  ",
           " ### ",
           "     ", "     ")

# advance: "w" = rectangle width (x2 - x1 + 1); "w-1" = x2 - x1 (the rectangle is one column
# wider than the pen step). heights: "h-1" = y2 - y1, "h" = y2 - y1 + 1.
FONTS = [
    dict(table="bigFontTable", file="font1big.png", ttf="DejaVuSans-Bold.ttf", size=23,
         stroke=2, fill="white", outline=(34, 30, 52), track=0,
         order=PRINTABLE, advance="w-1", heights="h-1",
         width=512, row_y0=0, row_pitch=32, cell_h=32, baseline=24,
         first=("!", 0, 0, 12, 31, 12, 31), space=(284, 96, 291, 127, 7, 31)),
    dict(table="smallFontTable", file="font1small.png", ttf="DejaVuSans-Bold.ttf", size=18,
         stroke=1, fill="white", outline=(34, 30, 52), track=0,
         order=PRINTABLE, advance="w-1", heights="h-1",
         width=512, row_y0=0, row_pitch=36, cell_h=36, baseline=25,
         first=("!", 0, 0, 6, 35, 6, 35), space=(173, 72, 184, 107, 11, 35)),
    dict(table="small2FontTable", file="smallfont.tga", ttf="DejaVuSansCondensed-Bold.ttf", size=10,
         stroke=0, fill="white", shadow=(20, 20, 30, 150), track=1,
         order=hand_order("6", "="), advance="w", heights="h",
         width=256, row_y0=7, row_pitch=12, cell_h=11, baseline=8,
         first=("6", 195, 7, 201, 17, 7, 11), space=(0, 0, 0, 0, 4, 10)),
    dict(table="bedFontTable", file="bedfont.png", ttf="DejaVuSansCondensed-Bold.ttf", size=15,
         stroke=1, fill="white", outline=(40, 36, 60), track=0, squeeze=0.8, fit_first=True,
         order="1234567890", advance="w", heights="h",
         width=256, row_y0=11, row_pitch=16, cell_h=15, baseline=13,
         first=("1", 8, 11, 12, 25, 5, 15), space=(224, 88, 229, 109, 5, 21), drawn={"1": BED_ONE}),
    # Captions, dish values and credits tint this font: a white face shows each tint as it is.
    # Captions set it 4 px tighter than its advances: the tracking keeps a narrow letter (the i
    # of "Fits") from vanishing under its neighbours' outlines.
    dict(table="bonusFontTable", file="bonusfont.png", ttf="DejaVuSans-Bold.ttf", size=14,
         stroke=1, fill=((255, 255, 255), (214, 214, 224)), outline=(40, 32, 36), track=3,
         order=hand_order("!", "z"), advance="w", heights="h",
         width=512, row_y0=9, row_pitch=20, cell_h=19, baseline=15,
         first=("!", 8, 9, 14, 27, 7, 19), space=(430, 48, 436, 71, 14, 23)),
    # The player names are drawn with this font, so it also holds LATIN1, after the space.
    dict(table="gameFontTable", file="gamefont.tga", ttf="DejaVuSans-Bold.ttf", size=12,
         stroke=0, fill="white", track=1,
         order=hand_order("#", "?"), extra=LATIN1, advance="w", heights="h",
         width=256, row_y0=5, row_pitch=15, cell_h=14, baseline=10,
         first=("#", 21, 5, 31, 14, 11, 10), space=(0, 0, 0, 0, 8, 26)),
]


class Glyph:
    def __init__(self, ch, img, lsb, adv):
        self.ch = ch
        self.img = img  # RGBA, cell height tall, cropped to the ink
        self.lsb = lsb  # ink's left edge relative to the pen (negative: it overhangs)
        self.adv = adv


def drawn_glyph(spec, ch, rows):
    """A glyph drawn by pixel: the face where a row has "#", ringed by the font's outline."""
    if len(rows) != spec["cell_h"] or len(set(len(r) for r in rows)) != 1:
        raise SystemExit("font %s: the drawn %r needs %d rows of one width" % (spec["file"], ch, spec["cell_h"]))
    w, h = len(rows[0]), len(rows)
    face = Image.new("L", (w, h), 0)
    for y, row in enumerate(rows):
        for x, dot in enumerate(row):
            if dot == "#":
                face.putpixel((x, y), 255)
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    s = spec["stroke"]
    if s:
        ring = face.filter(ImageFilter.MaxFilter(2 * s + 1))
        img.paste(Image.new("RGBA", (w, h), spec["outline"] + (255,)), (0, 0), ring)
    img.paste(Image.new("RGBA", (w, h), spec["fill"]), (0, 0), face)
    return Glyph(ch, img, 0, w)


def render_glyph(spec, font, ch):
    """Renders one glyph onto a transparent strip of the font's cell height, cropped
    horizontally to its ink, and returns it with its natural pen advance in pixels. A glyph
    reaching above the cell (an accented capital) is pressed down into it above the baseline."""
    if ch in spec.get("drawn", {}):
        return drawn_glyph(spec, ch, spec["drawn"][ch])
    s = spec["stroke"]
    pad = 8 + s
    cell_h = spec["cell_h"]
    room = 8
    h = cell_h + room
    w = int(font.getlength(ch)) + 2 * pad + 8
    strip = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    origin = (pad, spec["baseline"] + room)
    fill = spec["fill"]
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).text(origin, ch, font=font, fill=255, anchor="ls")
    if s:
        ring = Image.new("L", (w, h), 0)
        ImageDraw.Draw(ring).text(origin, ch, font=font, fill=255, anchor="ls",
                                  stroke_width=s, stroke_fill=255)
        strip.paste(Image.new("RGBA", (w, h), spec["outline"] + (255,)), (0, 0), ring)
    if "shadow" in spec:
        sh = Image.new("L", (w, h), 0)
        ImageDraw.Draw(sh).text((origin[0] + 1, origin[1] + 1), ch, font=font, fill=255,
                                anchor="ls")
        strip.paste(Image.new("RGBA", (w, h), spec["shadow"]), (0, 0), sh)
    if isinstance(fill, tuple) and isinstance(fill[0], tuple):
        top, bottom = fill
        grad = Image.new("RGBA", (1, h))
        for y in range(h):
            t = min(max(y - room, 0), cell_h - 1) / max(1, cell_h - 1)
            grad.putpixel((0, y), tuple(int(round(top[i] + (bottom[i] - top[i]) * t))
                                        for i in range(3)) + (255,))
        face = grad.resize((w, h))
    else:
        face = Image.new("RGBA", (w, h), fill)
    strip.paste(face, (0, 0), mask)
    ink_top = strip.getbbox()[1] if strip.getbbox() else room
    if ink_top < room:
        above = strip.crop((0, ink_top, w, origin[1])).resize((w, spec["baseline"]), Image.LANCZOS)
        strip.paste(Image.new("RGBA", (w, origin[1]), (0, 0, 0, 0)), (0, 0))
        strip.paste(above, (0, room))
    strip = strip.crop((0, room, w, h))
    h = cell_h
    box = strip.getbbox()
    if box is None:
        raise SystemExit("font %s: glyph %r renders empty" % (spec["file"], ch))
    l, _, r, _ = box
    ink = strip.crop((l, 0, r, h))
    adv = font.getlength(ch) + s
    if spec.get("squeeze"):
        nw = max(1, int(round(ink.width * spec["squeeze"])))
        ink = ink.resize((nw, h), Image.LANCZOS)
        adv *= spec["squeeze"]
    lsb = l - (pad - s)
    if spec.get("squeeze"):
        lsb = int(round(lsb * spec["squeeze"]))
    return Glyph(ch, ink, lsb, adv)


def rect_width(spec, g):
    """Width of the glyph's rectangle: its pen advance (plus tracking) but never narrower
    than its ink, so no glyph is cut."""
    w = max(int(round(g.adv)) + spec["track"], max(0, g.lsb) + g.img.width + spec["track"])
    return w + (1 if spec["advance"] == "w-1" else 0)


class Packer:
    """Places rectangles in rows, left to right, around pinned rectangles."""

    def __init__(self, spec):
        self.spec = spec
        self.rows = []  # per row: [cursor, list of (x1, x2) occupied]
        self.pins = []

    def pin(self, x1, y1, x2, y2):
        self.pins.append((x1, y1, x2, y2))

    def _row(self, r):
        while len(self.rows) <= r:
            top = self.spec["row_y0"] + len(self.rows) * self.spec["row_pitch"]
            bottom = top + self.spec["cell_h"] - 1
            busy = [(p[0], p[2]) for p in self.pins if p[1] <= bottom and p[3] >= top]
            self.rows.append([0, busy])
        return self.rows[r]

    def place(self, w):
        r = 0
        while True:
            row = self._row(r)
            x = row[0]
            moved = True
            while moved:
                moved = False
                for a, b in row[1]:
                    if x <= b and x + w - 1 >= a:
                        x = b + 1
                        moved = True
            if x + w <= self.spec["width"]:
                row[0] = x + w
                return x, self.spec["row_y0"] + r * self.spec["row_pitch"]
            r += 1


def build_font(spec):
    font = ImageFont.truetype(DEJAVU + spec["ttf"], spec["size"])
    fch, fx1, fy1, fx2, fy2, fadv, fh = spec["first"]
    sx1, sy1, sx2, sy2, sadv, sh = spec["space"]
    h_extra = 1 if spec["heights"] == "h" else 0
    a_extra = 1 if spec["advance"] == "w" else 0
    # The fixed records must obey the same rules as the generated ones.
    assert fadv == fx2 - fx1 + a_extra, spec["table"]
    assert fh == fy2 - fy1 + h_extra, spec["table"]
    assert spec["order"][0] == fch and len(set(spec["order"])) == len(spec["order"])

    packer = Packer(spec)
    packer.pin(fx1, fy1, fx2, fy2)
    if (sx1, sy1, sx2, sy2) != (0, 0, 0, 0):
        packer.pin(sx1, sy1, sx2, sy2)

    placed = []  # (glyph, x1, y1, x2, y2, advance, height)
    for ch in spec["order"] + spec.get("extra", ""):
        g = render_glyph(spec, font, ch)
        if ch == fch:
            w = fx2 - fx1 + 1
            room = w - (0 if a_extra else 1)
            if g.img.width > room:
                if not spec.get("fit_first"):
                    raise SystemExit("font %s: %r is %d px wide, its fixed cell %d"
                                     % (spec["file"], ch, g.img.width, w))
                g.img = g.img.resize((room, g.img.height), Image.LANCZOS)
            if fy2 - fy1 + 1 < spec["cell_h"]:
                # A shorter fixed cell keeps the top of the row; its glyph must fit.
                cut = g.img.crop((0, fy2 - fy1 + 1, g.img.width, spec["cell_h"]))
                if cut.getbbox():
                    raise SystemExit("font %s: %r does not fit its fixed cell" % (spec["file"], ch))
            placed.append((g, fx1, fy1, fx2, fy2, fadv, fh))
            continue
        w = rect_width(spec, g)
        x, y = packer.place(w)
        x2 = x + w - 1
        y2 = y + spec["cell_h"] - 1
        placed.append((g, x, y, x2, y2, x2 - x + a_extra, y2 - y + h_extra))

    bottom = max(max(p[4] for p in placed), sy2)
    height = 16
    while height <= bottom:
        height *= 2
    pic = Image.new("RGBA", (spec["width"], height), (0, 0, 0, 0))
    for g, x1, y1, x2, y2, adv, _ in placed:
        cell_w = x2 - x1 + 1 - (0 if a_extra else 1)
        if g.ch == fch:
            ox = x1 + max(0, (cell_w - g.img.width) // 2)
        else:
            ox = x1 + max(0, g.lsb)
        cell = g.img.crop((0, 0, g.img.width, y2 - y1 + 1))
        pic.alpha_composite(cell, (ox, y1))
    records = [(g.ch,) + tuple(p[1:]) for p in placed for g in [p[0]]]
    # The extra letters come after the space, so the ASCII records keep their order.
    extra = len(spec.get("extra", ""))
    records.insert(len(records) - extra, (" ", sx1, sy1, sx2, sy2, sadv, sh))
    check_font(spec, pic, records)
    return pic, records


def check_font(spec, pic, records):
    for ch, x1, y1, x2, y2, adv, h in records:
        assert 0 <= x1 <= x2 < min(512, pic.width) and 0 <= y1 <= y2 < min(512, pic.height), (spec["table"], ch)
    # Rectangles must not overlap, or a neighbour's ink would show inside a glyph.
    rects = sorted(records, key=lambda r: (r[2], r[1]))
    for i, a in enumerate(rects):
        for b in rects[i + 1:]:
            if a[1] <= b[3] and b[1] <= a[3] and a[2] <= b[4] and b[2] <= a[4]:
                if spec["advance"] == "w-1" and (a[3] == b[1] or b[3] == a[1]):
                    continue  # the extra column of these fonts may touch the next cell
                raise SystemExit("font %s: %r and %r overlap" % (spec["table"], a[0], b[0]))
    sp = next(r for r in records if r[0] == " ")
    if pic.crop((sp[1], sp[2], sp[3] + 1, sp[4] + 1)).getbbox():
        raise SystemExit("font %s: the space rectangle is not blank" % spec["table"])


def c_char(ch):
    if ord(ch) > 127:
        return "static_cast<signed char>(0x%02X)" % ord(ch)
    if ch == "'":
        return "'\\''"
    if ch == "\\":
        return "'\\\\'"
    return "'%s'" % ch


def tables_source(all_records):
    out = ['#include "engine/KFont.h"', "",
           "// Generated by tools/gen_fonts.py together with the font pictures; edit the generator,",
           "// not this file. Record: character, x1, y1, x2, y2, advance, height.", ""]
    for spec, records in all_records:
        out.append("KFont %s[] = {" % spec["table"])
        for r in records:
            out.append("    {%s, %d, %d, %d, %d, %d, %d}," % ((c_char(r[0]),) + tuple(r[1:])))
        out.append("    {0, 0, 0, 0, 0, 0, 0}};")
        out.append("")
    return "\n".join(out)


def contact_sheet(pics):
    w = max(p.width for _, p in pics) + 20
    h = sum(p.height + 30 for _, p in pics) + 10
    sheet = Image.new("RGBA", (w, h), (96, 120, 150, 255))
    d = ImageDraw.Draw(sheet)
    y = 10
    for name, p in pics:
        d.text((10, y), name, fill=(255, 255, 0, 255))
        sheet.alpha_composite(p, (10, y + 16))
        y += p.height + 30
    return sheet


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", required=True, help="folder for the font pictures (data/gfx)")
    ap.add_argument("--tables", help="C++ file to write the glyph tables into")
    ap.add_argument("--sheet", help="optional PNG showing every font picture")
    args = ap.parse_args()
    all_records = []
    pics = []
    for spec in FONTS:
        pic, records = build_font(spec)
        tobgen.save_image(pic, os.path.join(args.out, spec["file"]))
        all_records.append((spec, records))
        pics.append((spec["file"], pic))
    if args.tables:
        tobgen.write_if_changed(args.tables, tables_source(all_records))
    if args.sheet:
        tobgen.save_image(contact_sheet(pics), args.sheet)


if __name__ == "__main__":
    main()
