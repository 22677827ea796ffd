#!/usr/bin/env python3
"""Writes the level files of every difficulty from the templates in tools/levels, the shared
tile definitions from tiles.csv, and the pictures they name (tile set and backgrounds).

For each difficulty folder (easy, medium, hard) under data/maps: levellist.xml (the names of
the campaign table, campaign.csv, in its order, a working day marked with its number; see
campaign.py) and, for every level the table lists and every template in tools/levels, listed or
not, NAME_defs.xml, NAME_map.xml, NAME_entities.xml and the optional texts NAME_intro.txt,
NAME_outro.txt, NAME_introentity.txt, NAME_entitydesc.txt. A template value written "a | b | c"
gives the easy, medium and hard values.

Template sections: [defs] key = value (attributes of the definition's level element);
[patients] NAME count=N [forced]; [map] background = PICTURE, painter = PAINTER; [grid] 19
rows of 25 tile chars (tiles.csv); [entities] lines
    entity NAME X Y [deadder]
    adder X Y [bY=N] NAME[#BED] ...      (#BED: the bed's number)
    deadder X Y [bY=N] NAME ...
    generator X Y INTERVAL START NAME ...
and [intro], [outro], [introentity], [entitydesc] texts.

Usage: gen_levels.py --levels tools/levels --tiles tools/tiles.csv --campaign tools/campaign.csv
                     --maps DIR --gfx DIR
"""

import argparse
import math
import os
import random
import sys
from xml.sax.saxutils import quoteattr

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tobgen  # noqa: E402
import campaign  # noqa: E402

DIFFICULTIES = ("easy", "medium", "hard")
COLS, ROWS, TILE = 25, 19, 32
TEXTS = ("intro", "outro", "introentity", "entitydesc")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"


class LevelError(SystemExit):
    pass


def read_template(path):
    sections = {}
    current = None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if line.startswith("[") and line.strip().endswith("]"):
                current = line.strip()[1:-1]
                sections.setdefault(current, [])
                continue
            if current is None:
                continue
            sections[current].append(line)
    for key in list(sections):
        if key not in TEXTS:
            # Comments and blank lines, except in texts ('#' is a grid's wall; grids keep theirs).
            sections[key] = [ln for ln in sections[key] if ln.strip() and (key == "grid" or not ln.lstrip().startswith("#"))]
    return sections


def pairs(lines, where):
    out = []
    for ln in lines:
        if "=" not in ln:
            raise LevelError("%s: '%s' is not key = value" % (where, ln))
        k, v = ln.split("=", 1)
        out.append((k.strip(), v.strip()))
    return out


def by_difficulty(value, d):
    parts = [p.strip() for p in value.split("|")]
    if len(parts) == 1:
        return parts[0]
    if len(parts) != 3:
        raise LevelError("value '%s' needs one part or three (easy | medium | hard)" % value)
    return parts[DIFFICULTIES.index(d)]


def read_tiles(path):
    tiles = []
    for r in tobgen.read_catalogue(path):
        tiles.append(dict(id=int(r["id"]), char=r["char"], name=r["name"], walkable=int(r["walkable"]),
                          special=int(r["special"]), colour=r["colour"]))
    return tiles


def grid_of(lines, tiles, where):
    chars = {t["char"]: t for t in tiles}
    if len(lines) != ROWS:
        raise LevelError("%s: the grid needs %d rows, not %d" % (where, ROWS, len(lines)))
    grid = []
    for r, ln in enumerate(lines):
        if len(ln) != COLS:
            raise LevelError("%s: grid row %d needs %d cells, not %d" % (where, r, COLS, len(ln)))
        for ch in ln:
            if ch not in chars:
                raise LevelError("%s: grid row %d: unknown tile '%s'" % (where, r, ch))
        grid.append([chars[ch] for ch in ln])
    return grid


def xml_defs(level, d):
    lines = ["<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<leveldef>"]
    attrs = "".join(" %s=%s" % (k, quoteattr(by_difficulty(v, d))) for k, v in level["defs"])
    lines.append("  <level%s/>" % attrs)
    for ln in level["patients"]:
        words = ln.split()
        attrs = " name=%s" % quoteattr(words[0])
        for w in words[1:]:
            if w == "forced":
                attrs += ' forced="1"'
            elif w.startswith("count="):
                attrs += ' count="%d"' % int(by_difficulty(w[6:], d))
            else:
                raise LevelError("%s: patient option '%s'" % (level["name"], w))
        lines.append("  <pacient%s/>" % attrs)
    lines.append("</leveldef>")
    return "\n".join(lines) + "\n"


def xml_map(level):
    grid = level["grid"]
    bg = dict(level["map"]).get("background")
    head = "<map name=%s%s>" % (quoteattr(level["name"]), (" background=%s" % quoteattr(bg)) if bg else "")
    lines = ["<?xml version=\"1.0\" encoding=\"UTF-8\"?>", head, '  <layer name="walk" bgtiles="1">']
    for r in range(ROWS):
        for c in range(COLS):
            if grid[r][c]["id"] != 1:
                lines.append('    <tile id="%d" x="%d" y="%d"/>' % (grid[r][c]["id"], c, r))
    lines += ["  </layer>", "</map>"]
    return "\n".join(lines) + "\n"


def xml_entities(level):
    where = level["name"]
    groups = {"deadder": [], "entity": [], "generator": [], "adder": []}
    for ln in level["entities"]:
        w = ln.split()
        kind = w[0]
        try:
            if kind == "entity":
                attrs = "name=%s x=\"%d\" y=\"%d\"" % (quoteattr(w[1]), int(w[2]), int(w[3]))
                if len(w) > 4 and w[4] == "deadder":
                    attrs += ' deadder="1"'
                groups["entity"].append("  <entity %s/>" % attrs)
            elif kind in ("adder", "deadder"):
                x, y, rest = int(w[1]), int(w[2]), w[3:]
                by = ""
                if rest and rest[0].startswith("bY="):
                    by = ' bY="%d"' % int(rest[0][3:])
                    rest = rest[1:]
                body = []
                for name in rest:
                    name, _, bed = name.partition("#")
                    extra = ' postelcislo="%d"' % int(bed) if bed and kind == "adder" else ""
                    body.append("    <%sentity name=%s%s/>" % (kind, quoteattr(name), extra))
                groups[kind].append("\n".join(['  <%s x="%d" y="%d"%s>' % (kind, x, y, by)] + body + ["  </%s>" % kind]))
            elif kind == "generator":
                x, y, interval, start = (int(v) for v in w[1:5])
                body = ["    <generatorentity name=%s/>" % quoteattr(n) for n in w[5:]]
                groups["generator"].append("\n".join(
                    ['  <generator x="%d" y="%d" interval="%d" start="%d">' % (x, y, interval, start)] + body +
                    ["  </generator>"]))
            else:
                raise LevelError("%s: unknown entities line '%s'" % (where, ln))
        except (IndexError, ValueError):
            raise LevelError("%s: bad entities line '%s'" % (where, ln))
    lines = ["<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<mapEntities>"]
    for kind in ("deadder", "entity", "generator", "adder"):
        lines += groups[kind]
    lines.append("</mapEntities>")
    return "\n".join(lines) + "\n"


def entity_names(level):
    """Every prototype name the level places or asks for."""
    names = []
    for ln in level["entities"]:
        w = ln.split()
        if w[0] == "entity":
            names.append(w[1])
        elif w[0] in ("adder", "deadder"):
            names += [n.partition("#")[0] for n in w[3:] if not n.startswith("bY=")] + [w[0].upper()]
        elif w[0] == "generator":
            names += w[5:]
    names += [ln.split()[0] for ln in level["patients"]]
    return names


# --- pictures ------------------------------------------------------------------------------------
def hexrgb(s):
    return tuple(int(s[i:i + 2], 16) for i in (1, 3, 5))


def font(size, bold=True):
    return ImageFont.truetype(os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"), size)


def tileset(tiles):
    img = Image.new("RGB", (256, 64), (0, 0, 0))
    d = ImageDraw.Draw(img)
    for k, t in enumerate(tiles):
        x, y = (k % 8) * TILE, (k // 8) * TILE
        col = hexrgb(t["colour"])
        d.rectangle([x, y, x + TILE - 1, y + TILE - 1], fill=col, outline=tuple(int(c * 0.7) for c in col))
        d.text((x + 16, y + 16), t["char"], fill=(30, 30, 40), font=font(14), anchor="mm")
    return img


def xml_tiles(tiles, picture):
    lines = ["<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<tiledef src=%s>" % quoteattr(picture)]
    for k, t in enumerate(tiles):
        lines.append('  <tileSprite name="%s" x="%d" y="%d"/>' % (t["name"], (k % 8) * TILE, (k // 8) * TILE))
    for t in tiles:
        lines.append('  <tile name="%s" id="%d" walkable="%d" special="%d" tileSprite="%s"/>' % (
            t["name"], t["id"], t["walkable"], t["special"], t["name"]))
    lines.append("</tiledef>")
    return "\n".join(lines) + "\n"


def paint_room(d, grid, rnd, floor=((222, 232, 236), (204, 218, 226))):
    """Floor, carpet, walls, windows and doors of a room, cell by cell from the grid."""
    for r in range(ROWS):
        for c in range(COLS):
            t = grid[r][c]["name"]
            x, y = c * TILE, r * TILE
            # A fixture is floor that something painted over it stands on (the pharmacy counter).
            if t in ("floor", "door", "fixture"):
                d.rectangle([x, y, x + 31, y + 31], fill=floor[(r + c) % 2])
            elif t == "carpet":
                d.rectangle([x, y, x + 31, y + 31], fill=(176, 100, 116))
                d.rectangle([x + 3, y + 3, x + 28, y + 28], outline=(206, 150, 120))
            elif t == "grass":
                d.rectangle([x, y, x + 31, y + 31], fill=(124, 188, 92))
            elif t == "water":
                d.rectangle([x, y, x + 31, y + 31], fill=(76, 140, 208))
    # Walls: a pale upper wall with a darker skirting where it meets the floor.
    for r in range(ROWS):
        for c in range(COLS):
            t = grid[r][c]["name"]
            x, y = c * TILE, r * TILE
            if t in ("wall", "window"):
                d.rectangle([x, y, x + 31, y + 31], fill=(150, 186, 206))
                below = grid[r + 1][c]["name"] if r + 1 < ROWS else "wall"
                if below not in ("wall", "window"):
                    d.rectangle([x, y + 20, x + 31, y + 31], fill=(96, 128, 150))
                    d.line([x, y + 20, x + 31, y + 20], fill=(240, 240, 240), width=2)
    for r in range(ROWS):
        c = 0
        while c < COLS:
            if grid[r][c]["name"] == "window":
                c0 = c
                while c < COLS and grid[r][c]["name"] == "window":
                    c += 1
                x0, x1 = c0 * TILE + 6, c * TILE - 6
                d.rectangle([x0 - 4, r * TILE + 4, x1 + 4, (r + 2) * TILE + 6], fill=(236, 236, 236), outline=(90, 90, 100), width=2)
                d.rectangle([x0, r * TILE + 8, x1, (r + 2) * TILE + 2], fill=(150, 210, 245))
                for k in range(3):
                    cx = x0 + 20 + k * (x1 - x0 - 40) / 2
                    d.ellipse([cx - 14, r * TILE + 30 + 6 * (k % 2), cx + 14, r * TILE + 44 + 6 * (k % 2)], fill=(250, 250, 255))
                d.line([(x0 + x1) / 2, r * TILE + 8, (x0 + x1) / 2, (r + 2) * TILE + 2], fill=(236, 236, 236), width=4)
            else:
                c += 1
    for r in range(ROWS):
        if grid[r][0]["name"] == "door" and (r == 0 or grid[r - 1][0]["name"] != "door"):
            d.rectangle([0, r * TILE - 6, 10, r * TILE + 2 * TILE + 4], fill=(200, 144, 88), outline=(90, 60, 40), width=2)


def paint_ward(grid, level):
    img = Image.new("RGB", (800, 600), (200, 200, 200))
    d = ImageDraw.Draw(img)
    rnd = random.Random(tobgen.seed_of("ward", level["name"]))
    paint_room(d, grid, rnd)
    # A picture, a clock and a red cross on the wall, floor marks leading from the door.
    d.rectangle([112, 20, 184, 64], fill=(250, 246, 230), outline=(90, 70, 50), width=3)
    d.polygon([(120, 58), (142, 32), (160, 50), (172, 40), (176, 58)], fill=(110, 170, 90))
    cx, cy = campaign.WALL_CLOCK
    d.ellipse([cx - 22, cy - 22, cx + 22, cy + 22], fill=(250, 250, 250), outline=(60, 60, 70), width=3)
    d.line([cx, cy, cx, cy - 14], fill=(40, 40, 50), width=3)
    d.line([cx, cy, cx + 11, cy + 4], fill=(40, 40, 50), width=3)
    d.rectangle([250, 24, 282, 56], fill=(255, 255, 255), outline=(200, 60, 60), width=2)
    d.rectangle([262, 28, 270, 52], fill=(220, 60, 60))
    d.rectangle([254, 36, 278, 44], fill=(220, 60, 60))
    for k in range(10):
        d.ellipse([40 + k * 30, 490, 52 + k * 30, 496], fill=(160, 190, 210))
    paint_counter(d)
    paint_alarm_socket(d)
    return img


def paint_counter(d):
    """The pharmacy counter along the back wall: every cabinet lays its medicines out on its top,
    and the player picks them up standing on the floor in front of it."""
    x0, top, x1, front, base = campaign.COUNTER
    d.rectangle([x0, front, x1, base], fill=(244, 244, 238), outline=(70, 70, 84), width=2)
    for k in range(4):
        px = x0 + 6 + k * (x1 - x0 - 12) / 4
        d.rectangle([px + 2, front + 4, px + (x1 - x0 - 12) / 4 - 2, base - 4], outline=(170, 176, 190), width=2)
        d.ellipse([px + 8, front + 9, px + 12, front + 13], fill=(150, 154, 164))
    d.polygon([(x0 + 6, top), (x1 - 6, top), (x1, front), (x0, front)], fill=(212, 172, 118), outline=(70, 60, 50))
    d.line([x0, front, x1, front], fill=(150, 110, 70), width=3)


def paint_alarm_socket(d):
    """The alarm lamp's bulb holder: the lamp's red light pulses on it, up left of the lamp."""
    lx, ly = campaign.ALARM_LIGHT
    d.line([lx + 7, ly + 14, lx + 24, ly + 22], fill=(70, 72, 84), width=3)
    d.rectangle([lx - 4, ly + 10, lx + 18, ly + 17], fill=(150, 154, 164), outline=(60, 60, 70), width=1)
    d.chord([lx - 1, ly - 1, lx + 15, ly + 21], 180, 360, fill=(130, 40, 44), outline=(60, 60, 70), width=2)
    d.ellipse([lx + 3, ly + 2, lx + 6, ly + 5], fill=(200, 120, 120))


def paint_menu(grid, level):
    img = Image.new("RGB", (800, 600))
    d = ImageDraw.Draw(img, "RGBA")
    for y in range(600):
        t = y / 600
        d.line([0, y, 800, y], fill=(int(90 + 110 * t), int(150 + 80 * t), int(230 + 15 * t)))
    d.ellipse([640, 40, 740, 140], fill=(255, 230, 120))
    rnd = random.Random(tobgen.seed_of("menu", level["name"]))
    for k in range(6):
        x, y = rnd.uniform(0, 760), rnd.uniform(210, 330)
        for dx, dy, r in ((0, 10, 22), (24, 0, 28), (52, 10, 22)):
            d.ellipse([x + dx - r, y + dy - r, x + dx + r, y + dy + r], fill=(255, 255, 255, 220))
    d.ellipse([-200, 440, 1000, 900], fill=(96, 160, 80))
    # The hospital on a hill under the title.
    d.ellipse([120, 430, 680, 760], fill=(118, 182, 96))
    d.line([(400, 470), (380, 530), (420, 600)], fill=(220, 200, 150), width=26, joint="curve")
    d.rectangle([280, 300, 520, 470], fill=(250, 248, 240), outline=(60, 60, 70), width=3)
    d.polygon([(260, 305), (400, 230), (540, 305)], fill=(220, 70, 70), outline=(60, 60, 70))
    d.rectangle([380, 250, 420, 290], fill=(255, 255, 255), outline=(60, 60, 70), width=2)
    d.rectangle([395, 256, 405, 284], fill=(220, 60, 60))
    d.rectangle([386, 265, 414, 275], fill=(220, 60, 60))
    for row in range(2):
        for k in range(4):
            x = 300 + k * 56
            d.rectangle([x, 320 + row * 50, x + 32, 350 + row * 50], fill=(150, 210, 245), outline=(60, 60, 70), width=2)
    d.rectangle([384, 420, 416, 470], fill=(200, 144, 88), outline=(60, 60, 70), width=2)
    # The clipboards stand from y 53 (the players' list) and y 140 (the menu, the hero choice and
    # the options) down: the title and its line stay in the band above them.
    f = font(40)
    d.text((267, 28), "TOBRULANT", font=f, fill=(20, 20, 40, 160), anchor="mm")
    d.text((265, 26), "TOBRULANT", font=f, fill=(255, 224, 90), anchor="mm", stroke_width=3, stroke_fill=(120, 30, 40))
    d.text((420, 31), "a day on the ward", font=font(20, False), fill=(255, 255, 255), anchor="lm",
           stroke_width=2, stroke_fill=(30, 40, 70))
    return img


def paint_worldmap(grid, level):
    img = Image.new("RGB", (800, 600), (76, 140, 208))
    d = ImageDraw.Draw(img)
    rnd = random.Random(tobgen.seed_of("worldmap"))
    for k in range(60):
        x, y = rnd.uniform(0, 800), rnd.uniform(0, 600)
        d.arc([x, y, x + 30, y + 10], 200, 340, fill=(150, 200, 240), width=2)
    pts = [(400 + math.cos(a) * (300 + 40 * math.sin(3 * a) + 20 * math.cos(7 * a)),
            310 + math.sin(a) * (230 + 30 * math.cos(5 * a))) for a in [2 * math.pi * i / 90 for i in range(90)]]
    d.polygon(pts, fill=(236, 220, 160))
    inner = [((x - 400) * 0.93 + 400, (y - 310) * 0.9 + 310) for x, y in pts]
    d.polygon(inner, fill=(124, 188, 92))
    d.line([(400, 80), (420, 200), (380, 330), (430, 450), (410, 560)], fill=(90, 160, 220), width=14, joint="curve")
    for k in range(14):
        x, y = rnd.uniform(180, 620), rnd.uniform(140, 480)
        d.polygon([(x, y - 18), (x - 12, y + 6), (x + 12, y + 6)], fill=(60, 130, 70))
    road = [(150, 420), (260, 360), (330, 400), (470, 300), (560, 330), (640, 220)]
    d.line(road, fill=(200, 170, 110), width=10, joint="curve")
    for x, y in road:
        d.ellipse([x - 9, y - 9, x + 9, y + 9], fill=(250, 240, 200), outline=(120, 90, 50), width=3)
    d.rectangle([0, 0, 800, 40], fill=(40, 80, 110))
    d.text((400, 20), "THE WORLD MAP", font=font(20), fill=(255, 255, 255), anchor="mm")
    paint_day_stops(d, level.get("lab_days", ()))
    return img


def paint_day_stops(d, lab_days):
    """Every working day's stop, numbered, where its finished-day tick lands (campaign.ICONS):
    the number stands up left of the tick. Day 1, the Tutorial, is done on every map and the
    record keeps no tick for it, so its stop carries a painted one. A day a laboratory follows has
    a flask beside its stop, on a short path of its own."""
    f = font(11)
    for day in lab_days:
        x, y = campaign.ICONS[day - 1]
        place = lab_badge_place(day - 1)
        d.line([(x + 20, y + 20), place], fill=(200, 170, 110), width=6)
        paint_flask(d, *place)
    for k, (x, y) in enumerate(campaign.ICONS):
        d.ellipse([x + 6, y + 6, x + 34, y + 34], fill=(250, 240, 200), outline=(120, 90, 50), width=2)
        if k == 0:
            d.ellipse([x + 2, y + 2, x + 38, y + 38], fill=(60, 170, 90), outline=(30, 60, 40), width=2)
            d.line([(x + 11, y + 21), (x + 18, y + 28), (x + 30, y + 13)], fill=(255, 255, 255), width=5)
        d.ellipse([x - 8, y - 8, x + 12, y + 12], fill=(40, 80, 110), outline=(255, 255, 255), width=2)
        d.text((x + 2, y + 2), str(k + 1), font=f, fill=(255, 255, 255), anchor="mm")


def lab_badge_place(k):
    """Beside stop k, clear of its number and tick and as far as can be from the other stops."""
    x, y = campaign.ICONS[k]
    others = [(ox + 20, oy + 20) for j, (ox, oy) in enumerate(campaign.ICONS) if j != k]
    others += [(ox + 2, oy + 2) for ox, oy in campaign.ICONS]
    around = [(x + 20 + dx, y + 20 + dy) for dx, dy in ((0, 34), (34, 0), (0, -34), (-34, 0), (24, 24), (-24, 24), (24, -24))]
    return max(around, key=lambda c: min(math.hypot(c[0] - ox, c[1] - oy) for ox, oy in others))


def paint_flask(d, cx, cy):
    """The laboratory's mark: a flask of purple liquid on a small white disc."""
    d.ellipse([cx - 13, cy - 13, cx + 13, cy + 13], fill=(250, 246, 255), outline=(110, 60, 150), width=2)
    body = [(cx - 3, cy - 8), (cx + 3, cy - 8), (cx + 3, cy - 2), (cx + 8, cy + 8), (cx - 8, cy + 8), (cx - 3, cy - 2)]
    d.polygon(body, fill=(215, 235, 250), outline=(40, 50, 70))
    d.polygon([(cx - 5, cy + 3), (cx + 5, cy + 3), (cx + 7, cy + 7), (cx - 7, cy + 7)], fill=(160, 80, 200))
    d.line([(cx - 5, cy - 9), (cx + 5, cy - 9)], fill=(40, 50, 70), width=2)


def paint_lab(grid, level):
    img = Image.new("RGB", (800, 600), (220, 228, 236))
    d = ImageDraw.Draw(img)
    for r in range(6, 19):
        for c in range(25):
            d.rectangle([c * 32, r * 32, c * 32 + 31, r * 32 + 31], fill=(240, 244, 248) if (r + c) % 2 else (214, 222, 232))
    d.rectangle([0, 0, 800, 192], fill=(170, 200, 196))
    # The dishes stand on a plain tray at the left (the dish set's column, x 150 to 300); the
    # shelves keep to the right, behind the band the pieces drift through.
    d.rounded_rectangle([120, 70, 348, 440], 14, fill=(236, 240, 244), outline=(90, 100, 110), width=3)
    d.text((234, 86), "SAMPLES", font=font(16), fill=(60, 90, 120), anchor="mm")
    for x in range(420, 800, 190):
        d.rectangle([x, 40, x + 150, 150], fill=(120, 90, 60), outline=(70, 50, 30), width=3)
        for k in range(3):
            y = 60 + k * 30
            d.line([x + 6, y + 20, x + 144, y + 20], fill=(70, 50, 30), width=3)
            for j in range(6):
                col = [(220, 70, 70), (70, 120, 220), (80, 180, 90), (240, 200, 60)][(j + k) % 4]
                d.rectangle([x + 12 + j * 22, y, x + 24 + j * 22, y + 19], fill=col, outline=(40, 40, 40))
    d.rectangle([60, 420, 740, 470], fill=(250, 250, 250), outline=(90, 100, 110), width=3)
    d.rectangle([60, 470, 740, 540], fill=(150, 170, 190), outline=(90, 100, 110), width=3)
    d.text((400, 214), "LABORATORY", font=font(24), fill=(60, 90, 120), anchor="mm")
    return img


def paint_victory(grid, level):
    img = Image.new("RGB", (800, 600), (40, 30, 80))
    d = ImageDraw.Draw(img)
    for y in range(600):
        t = y / 600.0
        d.line([(0, y), (800, y)], fill=(int(40 + 120 * t), int(30 + 60 * t), int(80 + 40 * t)))
    for cx in (160, 640):
        d.polygon([(cx - 20, 0), (cx + 20, 0), (cx + 170, 520), (cx - 170, 520)], fill=(120, 100, 150))
    d.rectangle([0, 500, 800, 600], fill=(130, 40, 50))
    d.rectangle([0, 500, 800, 512], fill=(220, 180, 80))
    d.text((470, 420), "Every day on the ward is done.", font=font(22), fill=(255, 255, 255), anchor="mm",
           stroke_width=2, stroke_fill=(60, 30, 60))
    d.text((470, 456), "Thank you, doctor!", font=font(22), fill=(255, 224, 90), anchor="mm",
           stroke_width=2, stroke_fill=(60, 30, 60))
    return img



def paint_comic(grid, level):
    """A comic page: three panels of the ward's story with their captions (the page's "COMIC"
    entity adds only the hint to click on)."""
    img = Image.new("RGB", (800, 600), (250, 246, 232))
    d = ImageDraw.Draw(img)
    rnd = random.Random(tobgen.seed_of("comic", level["name"]))
    panels = [(20, 20, 390, 280), (410, 20, 780, 280), (20, 300, 780, 560)]
    palette = [(170, 210, 240), (240, 210, 170), (200, 236, 200), (236, 200, 226), (250, 236, 170)]
    skins = [(250, 214, 184), (226, 180, 140), (176, 124, 90)]
    clothes = [(255, 255, 255), (240, 150, 180), (120, 180, 240), (150, 210, 120), (250, 200, 90)]
    ink = (40, 36, 48)
    for k, ((x0, y0, x1, y1), caption) in enumerate(zip(panels, level["captions"])):
        d.rectangle([x0, y0, x1, y1], fill=rnd.choice(palette), outline=ink, width=4)
        d.rectangle([x0 + 4, y1 - 60, x1 - 4, y1 - 4], fill=(222, 232, 236))
        people = 2 + rnd.randrange(3) if k < 2 else 4 + rnd.randrange(3)
        for j in range(people):
            px = x0 + (j + 1) * (x1 - x0) / (people + 1)
            py = y1 - 70 - rnd.randrange(20)
            d.rounded_rectangle([px - 26, py - 50, px + 26, py + 30], 10, fill=rnd.choice(clothes), outline=ink, width=3)
            d.ellipse([px - 22, py - 96, px + 22, py - 52], fill=rnd.choice(skins), outline=ink, width=3)
            d.arc([px - 10, py - 80, px + 10, py - 62], 20, 160, fill=ink, width=2)
            if j == 0:
                # The doctor: a stethoscope and a head mirror.
                d.arc([px - 16, py - 50, px + 16, py - 20], 0, 180, fill=(60, 60, 70), width=3)
                d.ellipse([px - 8, py - 100, px + 8, py - 88], fill=(220, 220, 230), outline=ink, width=2)
        d.rounded_rectangle([x0 + 14, y0 + 14, x1 - 14, y0 + 64], 14, fill=(255, 255, 255), outline=ink, width=2)
        size = 22
        while size > 12 and d.textlength(caption, font=font(size)) > x1 - x0 - 44:
            size -= 1
        d.text(((x0 + x1) / 2, y0 + 39), caption, font=font(size), fill=ink, anchor="mm")
    d.text((30, 580), level.get("title", ""), font=font(16), fill=(90, 80, 100), anchor="lm")
    return img

PAINTERS = {"ward": paint_ward, "comic": paint_comic, "menu": paint_menu, "worldmap": paint_worldmap, "lab": paint_lab,
            "victory": paint_victory}
# Backgrounds made for screens whose levels come later.
EXTRA_PICTURES = (("bg_worldmap.jpg", "worldmap"), ("bg_lab.jpg", "lab"))


def template_level(folder, tiles, name):
    sec = read_template(os.path.join(folder, name + ".level"))
    where = name + ".level"
    level = dict(name=name, defs=pairs(sec.get("defs", []), where), map=pairs(sec.get("map", []), where),
                 patients=sec.get("patients", []), entities=sec.get("entities", []),
                 grid=grid_of(sec.get("grid", []), tiles, where),
                 texts={k: "\n".join(sec[k]).strip("\n") for k in TEXTS if k in sec})
    if "tiledef" not in dict(level["defs"]):
        raise LevelError("%s: [defs] needs tiledef" % where)
    return level


def load_levels(folder, tiles, campaign_path):
    """The campaign's levels in list order (templates and the levels the campaign table
    describes), then every other template by name. Unlisted levels get their files but stay out
    of the level list: screens the progression never reaches, loaded by name (the showcase of
    every visual effect, the test days)."""
    listed = campaign.load(campaign_path, lambda name: template_level(folder, tiles, name),
                           lambda rows, where: grid_of(rows, tiles, where))
    names = [lv["name"] for lv in listed]
    if len(set(names)) != len(names):
        raise LevelError("campaign.csv: a name twice in the list")
    unlisted = sorted(f[:-len(".level")] for f in os.listdir(folder)
                      if f.endswith(".level") and f[:-len(".level")] not in names)
    for lv in listed:
        lv["listed"] = True
    return listed + [dict(template_level(folder, tiles, name), listed=False) for name in unlisted]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--levels", required=True)
    ap.add_argument("--tiles", required=True)
    ap.add_argument("--campaign", required=True, help="the level list and the levels it describes")
    ap.add_argument("--maps", required=True, help="data/maps")
    ap.add_argument("--gfx", required=True, help="data/gfx")
    ap.add_argument("--names", help="also write every prototype name the levels use to this file")
    args = ap.parse_args()
    tiles = read_tiles(args.tiles)
    levels = load_levels(args.levels, tiles, args.campaign)
    tobgen.write_if_changed(os.path.join(args.maps, "tiles.xml"), xml_tiles(tiles, "tiles.png"))
    tobgen.save_image(tileset(tiles), os.path.join(args.gfx, "tiles.png"))
    for d in DIFFICULTIES:
        folder = os.path.join(args.maps, d)
        # A working day carries its number: the map's stops are found by it.
        lst = "".join('<level name=%s%s/>\n' % (quoteattr(lv["name"]), ' day="%d"' % lv["day"] if "day" in lv else "")
                      for lv in levels if lv["listed"])
        tobgen.write_if_changed(os.path.join(folder, "levellist.xml"), '<?xml version="1.0" encoding="UTF-8"?>\n' + lst)
        for lv in levels:
            base = os.path.join(folder, lv["name"])
            tobgen.write_if_changed(base + "_defs.xml", xml_defs(lv, d))
            tobgen.write_if_changed(base + "_map.xml", xml_map(lv))
            tobgen.write_if_changed(base + "_entities.xml", xml_entities(lv))
            for k, text in lv["texts"].items():
                tobgen.write_if_changed(base + "_%s.txt" % k, text)
    done = set()
    for lv in levels:
        m = dict(lv["map"])
        if "background" in m and m["background"] not in done:
            painter = PAINTERS[m.get("painter", "ward")]
            tobgen.save_image(painter(lv["grid"], lv), os.path.join(args.gfx, m["background"]))
            done.add(m["background"])
    for picture, painter in EXTRA_PICTURES:
        if picture not in done:
            tobgen.save_image(PAINTERS[painter](None, dict(name=picture)), os.path.join(args.gfx, picture))
    if args.names:
        names = sorted({n for lv in levels for n in entity_names(lv)})
        tobgen.write_if_changed(args.names, "\n".join(names) + "\n")


if __name__ == "__main__":
    main()
