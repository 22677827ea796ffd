#!/usr/bin/env python3
"""Draws the sprite pictures and writes data/gfx/sprites.xml.

Two catalogues describe the sprites: sprites.csv gives one row per frameset (for the few odd
ones), sprite_catalogue.csv one row per sprite whose framesets come from a layout of
sprite_layouts.csv. A sprite's framesets are stacked in its picture, top to bottom, and each
frameset's frames run left to right; the XML gives every frame its place in the picture, its
delay and its boxes. Painters (here and in paint_*.py) draw one frame each; they get the
frameset's name as the parameter "_fs".

Usage: gen_sprites.py --catalogue tools/sprites.csv [--layouts L --sprites S] --out DIR
       [--xml NAME] [--only NAME...]
"""

import argparse
import multiprocessing
import math
import os
import sys
from xml.sax.saxutils import quoteattr

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tobgen  # noqa: E402
import paint_people  # noqa: E402
import paint_things  # noqa: E402
import paint_ui  # noqa: E402
from paint_common import star_points, words_box  # noqa: E402

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


def paint_star(w, h, index, count, p):
    img = _canvas(w, h)
    d = ImageDraw.Draw(img)
    star = star_points(w / 2, h / 2 + 0.8, w * 0.46, w * 0.2)
    if p.get("fill") == "full":
        d.polygon(_pts(star), fill=(255, 205, 40, 255), outline=(150, 90, 10, 255), width=int(1.5 * SS))
        d.polygon(_pts(star_points(w / 2 - 1.5, h / 2 - 0.5, w * 0.16, w * 0.07)), fill=(255, 250, 200, 255))
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
        d.polygon(_pts(star_points(w / 2, h / 2, r, r * 0.45, turn=-90 + 18 * index)), fill=colour + (255,))
    else:
        d.polygon(_pts(star_points(w / 2, h / 2, r, r * 0.22, points=4, turn=45 * index)), fill=colour + (255,))
        d.ellipse(_pts([(w / 2 - r * 0.3, h / 2 - r * 0.3), (w / 2 + r * 0.3, h / 2 + r * 0.3)]), fill=colour + (255,))
    return _done(img)


PAINTERS = {"blank": paint_blank, "cursor": paint_cursor, "star": paint_star, "sparkle": paint_sparkle}
for _module in (paint_people, paint_things, paint_ui):
    PAINTERS.update(_module.PAINTERS)

XML_FLAGS = ("lowKvalita", "smooth", "holdInMemory")


def ints(text, n, what, row, size=None):
    if size and text == "full":
        return [0, 0, size[0], size[1]]
    parts = [t.strip() for t in text.split(",")]
    if len(parts) != n:
        raise SystemExit("row %s: %s needs %d numbers" % (row, what, n))
    return [int(v) for v in parts]


def painter_of(draw, where):
    draw = draw.split()
    if not draw or draw[0] not in PAINTERS:
        raise SystemExit("%s: unknown painter '%s'" % (where, " ".join(draw)))
    params = tobgen.parse_params(" ".join(draw[1:]))
    for key in ("text", "title", "label"):
        if key in params:
            params[key] = params[key].replace("_", " ")  # blanks separate parameters
    return draw[0], params


class Sprites:
    """The sprites of both catalogues, in catalogue order, with their pictures' names unique."""

    def __init__(self):
        self.list = []  # [name, picture, xml flags, [framesets]]
        self.by_name = {}
        self.pictures = set()

    def add(self, name, picture, flags, where):
        if name in self.by_name:
            raise SystemExit("%s: sprite %s is defined twice" % (where, name))
        if picture != picture.lower():
            raise SystemExit("%s: picture names are lower case" % where)
        if picture in self.pictures:
            raise SystemExit("%s: %s already belongs to another sprite" % (where, picture))
        self.pictures.add(picture)
        self.by_name[name] = [name, picture, [f for f in flags if f in XML_FLAGS], []]
        self.list.append(self.by_name[name])
        return self.by_name[name]


def load_rows(path, sprites):
    """sprites.csv: one row per frameset."""
    last = None
    for n, r in enumerate(tobgen.read_catalogue(path), start=1):
        where = "sprites.csv row %d" % n
        name = r["sprite"]
        if name != last:
            sp = sprites.add(name, r["picture"], r["flags"].split(), where)
        last = name
        w, h = (int(v) for v in r["size"].lower().split("x"))
        painter, params = painter_of(r["draw"], where)
        sp[3].append(dict(
            name=r["frameset"], frames=int(r["frames"]), w=w, h=h, delay=int(r["delay"]),
            box=ints(r["box"], 4, "box", where, (w, h)),
            action=ints(r["action"], 4, "action", where, (w, h)) if r["action"] else None,
            sortY=r["sortY"], repeat=r["repeat"], painter=painter, params=params))


def load_layouts(path):
    layouts = {}
    for n, r in enumerate(tobgen.read_catalogue(path), start=1):
        layouts.setdefault(r["layout"], []).append(dict(name=r["frameset"], frames=int(r["frames"]),
                                                        delay=int(r["delay"]), repeat=r["repeat"],
                                                        widen=int(r.get("widen") or 0), sortY=r.get("sortY", "")))
    return layouts


def load_sprites(path, layouts, sprites):
    """sprite_catalogue.csv: one row per sprite, its framesets from its layout."""
    for n, r in enumerate(tobgen.read_catalogue(path), start=1):
        where = "sprite_catalogue.csv row %d (%s)" % (n, r["sprite"])
        if r["layout"] not in layouts:
            raise SystemExit("%s: unknown layout %s" % (where, r["layout"]))
        flags = r["flags"].split()
        picture = r["sprite"].lower() + (".jpg" if "jpg" in flags else ".png")
        sp = sprites.add(r["sprite"], picture, flags, where)
        w, h = (int(v) for v in r["size"].lower().split("x"))
        painter, params = painter_of(r["draw"], where)
        box = ints(r["box"], 4, "box", where, (w, h))
        action = ints(r["action"], 4, "action", where, (w, h)) if r["action"] else None
        for fs in layouts[r["layout"]]:
            # A frameset widened to the left keeps the sprite's picture, boxes and place at its right.
            k = fs["widen"]
            shift = (lambda b: [b[0] + k] + list(b[1:])) if k else (lambda b: b)
            sp[3].append(dict(fs, w=w + k, h=h, box=shift(box), action=action and shift(action),
                              sortY=fs["sortY"] or r["sortY"], painter=painter,
                              params=dict(params, _widen=str(k)) if k else params))


MAX_TEXTURE = 2048


def build_one(sprite, out_dir):
    """Paints one sprite's picture and returns its XML lines."""
    name, picture, flags, framesets = sprite
    # Framesets stack downwards and start a new column where a texture's height would run out.
    column = max(fs["w"] * fs["frames"] for fs in framesets)
    places, cx, cy, height = [], 0, 0, 0
    for fs in framesets:
        if cy + fs["h"] > MAX_TEXTURE and cy > 0:
            cx, cy = cx + column, 0
        places.append((cx, cy))
        cy += fs["h"]
        height = max(height, cy)
    width = cx + column
    pic = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    attrs = " ".join("%s=\"1\"" % f for f in flags)
    xml = ["  <sprite name=%s src=%s%s>" % (quoteattr(name), quoteattr(picture), (" " + attrs) if attrs else "")]
    for fs, (x0, y) in zip(framesets, places):
        rep = "" if fs["repeat"] == "" else " repeatAnimation=\"%s\"" % fs["repeat"]
        xml.append("    <frameset name=%s%s>" % (quoteattr(fs["name"]), rep))
        params = dict(fs["params"], _fs=fs["name"], _sprite=name)
        for i in range(fs["frames"]):
            frame = PAINTERS[fs["painter"]](fs["w"], fs["h"], i, fs["frames"], params)
            x = x0 + i * fs["w"]
            pic.alpha_composite(frame, (x, y))
            bx, by, bw, bh = fs["box"]
            line = ('      <frameB name="FRAME%d" x="%d" y="%d" w="%d" h="%d" delay="%d" '
                    'bX="%d" bY="%d" bW="%d" bH="%d"' % (i + 1, x, y, fs["w"], fs["h"], fs["delay"], bx, by, bw, bh))
            if fs["action"]:
                line += ' aX="%d" aY="%d" aW="%d" aH="%d"' % tuple(fs["action"])
            if fs["sortY"]:
                line += ' sortY="%d"' % int(fs["sortY"])
            words = words_box(frame, fs["w"], fs["h"])
            if words:
                line += ' wX="%d" wY="%d" wW="%d" wH="%d"' % words
            xml.append(line + "/>")
        xml.append("    </frameset>")
    xml.append("  </sprite>")
    # optimize=True would cost most of the run for a few per cent of size.
    tobgen.save_image(pic, os.path.join(out_dir, picture), optimize=False)
    return xml


def _build_job(job):
    return build_one(*job)


def build(sprites, out_dir, jobs=None):
    # The biggest pictures first, so no worker is left with a long one at the end.
    order = sorted(range(len(sprites)), key=lambda i: -sum(fs["w"] * fs["h"] * fs["frames"] for fs in sprites[i][3]))
    work = [(sprites[i], out_dir) for i in order]
    if jobs == 1 or len(work) < 8:
        done = [_build_job(j) for j in work]
    else:
        with multiprocessing.Pool(jobs or os.cpu_count()) as pool:
            done = pool.map(_build_job, work, chunksize=1)
    parts = [None] * len(sprites)
    for i, xml in zip(order, done):
        parts[i] = xml
    xml = ['<?xml version="1.0" encoding="UTF-8"?>', "<kolekce>"]
    for p in parts:
        xml.extend(p)
    xml.append("</kolekce>")
    return "\n".join(xml) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--catalogue", required=True)
    ap.add_argument("--layouts", default=os.path.join(here, "sprite_layouts.csv"))
    ap.add_argument("--sprites", default=os.path.join(here, "sprite_catalogue.csv"))
    ap.add_argument("--out", required=True)
    ap.add_argument("--xml", default="sprites.xml")
    ap.add_argument("--only", nargs="*", help="paint just these sprites (no XML is written)")
    ap.add_argument("--jobs", type=int, default=None)
    args = ap.parse_args()
    sprites = Sprites()
    load_rows(args.catalogue, sprites)
    load_sprites(args.sprites, load_layouts(args.layouts), sprites)
    if args.only:
        for name in args.only:
            build_one(sprites.by_name[name], args.out)
        return
    tobgen.write_if_changed(os.path.join(args.out, args.xml), build(sprites.list, args.out, args.jobs))


if __name__ == "__main__":
    main()
