#!/usr/bin/env python3
"""Draws a contact sheet of the generated data for a quick look: sample lines set with every
font exactly as the game sets them (glyph rectangles and advances of the compiled-in tables),
and thumbnails of the other pictures in data/gfx that no sprite uses (backgrounds, logo and
loading screens, the tile set; --all adds the sprite pictures, which sprite_sheet.py lays out
frame by frame).

Usage: contact_sheet.py --data BUILD/data --tables BUILD/generated/KFontTables.cpp --out sheet.png
"""

import argparse
import os
import re
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_fonts  # noqa: E402

SAMPLES = ["Ward 3: Dr. Quinn cured 12 patients (+$1,250)!",
           "Jinx & Vex? [0123456789] {a|b} ~ \"quoted\" <ok> @ 50% #7 'hm'"]


def read_tables(path):
    src = open(path, encoding="utf-8").read()
    tables = {}
    rec = re.compile(r"\{'(\\.|[^'\\])', (-?\d+), (-?\d+), (-?\d+), (-?\d+), (-?\d+), (-?\d+)\}")
    for name, body in re.findall(r"KFont (\w+)\[\] = \{(.*?)\};", src, re.S):
        rows = []
        for m in rec.finditer(body):
            ch = m.group(1)
            ch = ch[1:] if ch.startswith("\\") else ch
            rows.append((ch,) + tuple(int(m.group(i)) for i in range(2, 8)))
        tables[name] = rows
    return tables


def set_line(canvas, pic, table, text, x, y):
    """drawStringFromLeft with spacing 0: each glyph at the pen, the pen moving by advance."""
    glyphs = {r[0]: r for r in table}
    pen = float(x)
    for ch in text:
        r = glyphs.get(ch)
        if r is None:
            continue
        canvas.alpha_composite(pic.crop((r[1], r[2], r[3] + 1, r[4] + 1)), (int(pen), y))
        pen += r[5]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--data", required=True)
    ap.add_argument("--tables", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--all", action="store_true", help="also the sprite pictures (sprite_sheet.py shows them better)")
    args = ap.parse_args()
    gfx = os.path.join(args.data, "gfx")
    tables = read_tables(args.tables)

    font_rows = []
    for spec in gen_fonts.FONTS:
        table = tables[spec["table"]]
        pic = Image.open(os.path.join(gfx, spec["file"])).convert("RGBA")
        font_rows.append((spec, table, pic))

    skip = set(s["file"] for s in gen_fonts.FONTS)
    if not args.all and os.path.exists(os.path.join(gfx, "sprites.xml")):
        import xml.etree.ElementTree as ET
        skip |= {sp.get("src") for sp in ET.parse(os.path.join(gfx, "sprites.xml")).getroot().findall("sprite")}
    thumbs = []
    for name in sorted(os.listdir(gfx)):
        if name.endswith((".png", ".jpg", ".tga")) and name not in skip:
            im = Image.open(os.path.join(gfx, name)).convert("RGBA")
            im.thumbnail((260, 200))
            thumbs.append((name, im))

    width = 1000
    height = 20 + sum(2 * (t[0][6] + 6) + 40 for _, t, _ in font_rows) + 24
    height += ((len(thumbs) + 3) // 4) * 230
    sheet = Image.new("RGBA", (width, height), (70, 110, 100, 255))
    d = ImageDraw.Draw(sheet)
    y = 10
    for spec, table, pic in font_rows:
        d.text((10, y), "%s  (%s, line height %d)" % (spec["table"], spec["file"], table[0][6]),
               fill=(255, 255, 160, 255))
        y += 16
        for text in SAMPLES:
            band = Image.new("RGBA", (width - 20, table[0][6] + 4), (40, 60, 90, 255))
            sheet.alpha_composite(band, (10, y))
            set_line(sheet, pic, table, text, 14, y + 2)
            y += table[0][6] + 6
        y += 24
    x = 10
    for i, (name, im) in enumerate(thumbs):
        if i and i % 4 == 0:
            x = 10
            y += 230
        d.text((x, y), name, fill=(255, 255, 160, 255))
        checker = Image.new("RGBA", im.size, (200, 200, 200, 255))
        checker.alpha_composite(im)
        sheet.alpha_composite(checker, (x, y + 14))
        x += 245
    y += 230
    mock = loading_mock(gfx, tables, 0.6)
    if mock is not None:
        d.text((10, y), "loading screen at 60 %", fill=(255, 255, 160, 255))
        grown = Image.new("RGBA", (width, y + 16 + 300), (70, 110, 100, 255))
        grown.alpha_composite(sheet.crop((0, 0, width, min(sheet.height, grown.height))))
        sheet = grown
        sheet.alpha_composite(mock.resize((400, 300)), (10, y + 14))
    sheet.save(args.out)


def loading_mock(gfx, tables, fill):
    """The loading screen composed the way the game draws it."""
    try:
        bg = Image.open(os.path.join(gfx, "loading.jpg")).convert("RGBA")
        logo = Image.open(os.path.join(gfx, "loadinglogo.png")).convert("RGBA")
        logo_fill = Image.open(os.path.join(gfx, "loadinglogofill.png")).convert("RGBA")
        walker = Image.open(os.path.join(gfx, "characters.png")).convert("RGBA")
        game = Image.open(os.path.join(gfx, "gamefont.tga")).convert("RGBA")
    except OSError:
        return None
    screen = bg.copy()
    table = tables["gameFontTable"]
    width = sum(r[5] for r in table if r[0] in "LOADING")
    grey = Image.new("RGBA", game.size, (102, 102, 102, 255))
    grey.putalpha(game.getchannel("A"))
    for dx in (0, 1, 2):
        for dy in (529, 530, 531):
            set_line(screen, grey, table, "LOADING", int((800 - width) / 2) + dx, dy)
    set_line(screen, game, table, "LOADING", int((800 - width) / 2 + 1), 530)
    part = logo_fill.crop((0, 0, int(logo_fill.width * fill), logo_fill.height))
    screen.alpha_composite(part, (291, 1))
    screen.alpha_composite(logo, (260, 1))
    screen.alpha_composite(walker.crop((244, 0, 488, 329)), (294, 139))
    return screen


if __name__ == "__main__":
    main()
