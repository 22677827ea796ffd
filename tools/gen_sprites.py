#!/usr/bin/env python3
"""Draws the sprite pictures listed in tools/sprites.csv and writes data/gfx/sprites.xml.

Each catalogue row is one frameset. A sprite's framesets are stacked in its picture, top to
bottom, and each frameset's frames run left to right; the XML gives every frame its place in
the picture, its delay and its boxes. Painters below draw one frame each.

Usage: gen_sprites.py --catalogue tools/sprites.csv --out DIR [--xml NAME]
"""

import argparse
import math
import os
import sys
from xml.sax.saxutils import quoteattr

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tobgen  # noqa: E402

SS = 4  # painters draw at four times the size, then scale down
INK = (30, 30, 50, 255)


def _canvas(w, h):
    return Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))


def _done(img):
    return img.resize((img.width // SS, img.height // SS), Image.LANCZOS)


def _pts(points):
    return [(x * SS, y * SS) for x, y in points]


def paint_blank(w, h, index, count, p):
    return Image.new("RGBA", (w, h), (0, 0, 0, 0))


def paint_cursor(w, h, index, count, p):
    """A pointer with its hot spot at the top-left corner; frame 1 of a two-frame set is the
    pressed look (a little smaller and darker)."""
    img = _canvas(w, h)
    d = ImageDraw.Draw(img)
    pressed = count == 2 and index == 1
    shape = p.get("shape", "arrow")
    k = 0.9 if pressed else 1.0
    fill = (235, 235, 245, 255) if pressed else (255, 255, 255, 255)
    if p.get("glow") == "pulse":
        r = 8 + 4 * math.sin(2 * math.pi * index / count)
        d.ellipse(_pts([(2 - r, 2 - r), (2 + r, 2 + r)]), fill=(255, 230, 120, 110))
    if shape == "arrow":
        poly = [(1, 1), (1, 27), (8, 21), (13, 32), (18, 30), (13, 19), (22, 19)]
        poly = [(x * k + 1, y * k + 1) for x, y in poly]
        d.polygon(_pts([(x + 1.5, y + 1.5) for x, y in poly]), fill=(0, 0, 0, 90))
        d.polygon(_pts(poly), fill=fill, outline=INK, width=2 * SS)
    else:
        # A gloved hand: the index finger points at the hot spot (point) or the hand is
        # closed around what it holds (grab).
        ox, oy = 2, 2
        if shape == "point":
            d.rounded_rectangle(_pts([(ox, oy), (ox + 7 * k, oy + 18 * k)]), 3 * SS, fill=fill, outline=INK, width=2 * SS)
            for i in range(3):  # the curled fingers
                x = ox + 6 * k + i * 5.5 * k
                d.ellipse(_pts([(x, oy + 10 * k), (x + 6.5 * k, oy + 19 * k)]), fill=fill, outline=INK, width=2 * SS)
            palm = [(ox - 1, oy + 14 * k), (ox + 23 * k, oy + 31 * k)]
        else:
            palm = [(ox, oy + 4), (ox + 24 * k, oy + 26 * k)]
            for i in range(4):
                x = ox + 1 + i * 5.5 * k
                d.ellipse(_pts([(x, oy), (x + 6 * k, oy + 9 * k)]), fill=fill, outline=INK, width=2 * SS)
        d.rounded_rectangle(_pts(palm), 6 * SS, fill=fill, outline=INK, width=2 * SS)
        # Thumb across the front of the palm.
        ty = palm[0][1] + 5 * k
        d.rounded_rectangle(_pts([(palm[0][0] - 2, ty), (palm[0][0] + 11 * k, ty + 6 * k)]), 3 * SS,
                            fill=fill, outline=INK, width=2 * SS)
        d.line(_pts([(palm[0][0] + 3, palm[1][1] - 5), (palm[1][0] - 3, palm[1][1] - 5)]), fill=(180, 180, 200, 255), width=SS)
    return _done(img)


def _star(cx, cy, r_out, r_in, points=5, turn=-90):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(turn + 180 * i / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def paint_star(w, h, index, count, p):
    img = _canvas(w, h)
    d = ImageDraw.Draw(img)
    star = _star(w / 2, h / 2 + 0.8, w * 0.46, w * 0.2)
    if p.get("fill") == "full":
        d.polygon(_pts(star), fill=(255, 205, 40, 255), outline=(150, 90, 10, 255), width=int(1.5 * SS))
        d.polygon(_pts(_star(w / 2 - 1.5, h / 2 - 0.5, w * 0.16, w * 0.07)), fill=(255, 250, 200, 255))
    else:
        d.polygon(_pts(star), fill=(90, 90, 110, 150), outline=(60, 60, 80, 255), width=int(1.5 * SS))
    return _done(img)


def paint_sparkle(w, h, index, count, p):
    img = _canvas(w, h)
    d = ImageDraw.Draw(img)
    colour = {"white": (255, 255, 255), "red": (255, 70, 70), "gold": (255, 210, 60)}[p.get("colour", "white")]
    t = 0.6 + 0.4 * math.cos(2 * math.pi * index / count)
    r = w / 2 * t
    if p.get("shape") == "star":
        d.polygon(_pts(_star(w / 2, h / 2, r, r * 0.45, turn=-90 + 18 * index)), fill=colour + (255,))
    else:
        d.polygon(_pts(_star(w / 2, h / 2, r, r * 0.22, points=4, turn=45 * index)), fill=colour + (255,))
        d.ellipse(_pts([(w / 2 - r * 0.3, h / 2 - r * 0.3), (w / 2 + r * 0.3, h / 2 + r * 0.3)]), fill=colour + (255,))
    return _done(img)


PAINTERS = {"blank": paint_blank, "cursor": paint_cursor, "star": paint_star, "sparkle": paint_sparkle}


def ints(text, n, what, row):
    parts = [t.strip() for t in text.split(",")]
    if len(parts) != n:
        raise SystemExit("sprites.csv row %d: %s needs %d numbers" % (row, what, n))
    return [int(v) for v in parts]


def load(path):
    sprites = []  # [name, picture, flags, [framesets]]
    by_name = {}
    for n, r in enumerate(tobgen.read_catalogue(path), start=1):
        name = r["sprite"]
        if name not in by_name:
            if r["picture"] != r["picture"].lower():
                raise SystemExit("sprites.csv row %d: picture names are lower case" % n)
            if any(sp[1] == r["picture"] for sp in sprites):
                raise SystemExit("sprites.csv row %d: %s already belongs to another sprite" % (n, r["picture"]))
            by_name[name] = [name, r["picture"], r["flags"].split(), []]
            sprites.append(by_name[name])
        elif sprites[-1][0] != name:
            raise SystemExit("sprites.csv row %d: the framesets of %s must be together" % (n, name))
        w, h = (int(v) for v in r["size"].lower().split("x"))
        draw = r["draw"].split()
        if not draw or draw[0] not in PAINTERS:
            raise SystemExit("sprites.csv row %d: unknown painter '%s'" % (n, r["draw"]))
        by_name[name][3].append(dict(
            name=r["frameset"], frames=int(r["frames"]), w=w, h=h, delay=int(r["delay"]),
            box=ints(r["box"], 4, "box", n), action=ints(r["action"], 4, "action", n) if r["action"] else None,
            sortY=r["sortY"], repeat=r["repeat"], painter=draw[0], params=tobgen.parse_params(" ".join(draw[1:]))))
    return sprites


def build(sprites, out_dir):
    xml = ['<?xml version="1.0" encoding="UTF-8"?>', "<kolekce>"]
    for name, picture, flags, framesets in sprites:
        width = max(fs["w"] * fs["frames"] for fs in framesets)
        height = sum(fs["h"] for fs in framesets)
        pic = Image.new("RGBA", (width, height), (0, 0, 0, 0))
        attrs = " ".join("%s=\"1\"" % f for f in flags)
        xml.append("  <sprite name=%s src=%s%s>" % (quoteattr(name), quoteattr(picture), (" " + attrs) if attrs else ""))
        y = 0
        for fs in framesets:
            rep = "" if fs["repeat"] == "" else " repeatAnimation=\"%s\"" % fs["repeat"]
            xml.append("    <frameset name=%s%s>" % (quoteattr(fs["name"]), rep))
            for i in range(fs["frames"]):
                frame = PAINTERS[fs["painter"]](fs["w"], fs["h"], i, fs["frames"], fs["params"])
                x = i * fs["w"]
                pic.alpha_composite(frame, (x, y))
                bx, by, bw, bh = fs["box"]
                line = ('      <frameB name="FRAME%d" x="%d" y="%d" w="%d" h="%d" delay="%d" '
                        'bX="%d" bY="%d" bW="%d" bH="%d"' % (i + 1, x, y, fs["w"], fs["h"], fs["delay"], bx, by, bw, bh))
                if fs["action"]:
                    line += ' aX="%d" aY="%d" aW="%d" aH="%d"' % tuple(fs["action"])
                if fs["sortY"]:
                    line += ' sortY="%d"' % int(fs["sortY"])
                xml.append(line + "/>")
            xml.append("    </frameset>")
            y += fs["h"]
        xml.append("  </sprite>")
        tobgen.save_image(pic, os.path.join(out_dir, picture))
    xml.append("</kolekce>")
    return "\n".join(xml) + "\n"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--catalogue", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--xml", default="sprites.xml")
    args = ap.parse_args()
    sprites = load(args.catalogue)
    tobgen.write_if_changed(os.path.join(args.out, args.xml), build(sprites, args.out))


if __name__ == "__main__":
    main()
