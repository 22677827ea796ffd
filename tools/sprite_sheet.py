#!/usr/bin/env python3
"""Draws contact sheets of data/gfx/sprites.xml for a look at the sprites: one cell per sprite
with every frameset's frames, boxes optional, on a ward-coloured floor.

Usage: sprite_sheet.py --data BUILD/data --out sheet.png [--match TEXT] [--boxes] [--scale S]
       [--width W]
"""

import argparse
import os
import xml.etree.ElementTree as ET

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def read(path):
    root = ET.parse(path).getroot()
    for s in root.findall("sprite"):
        fss = []
        for fs in s.findall("frameset"):
            frames = [{k: (int(v) if k not in ("name",) else v) for k, v in f.attrib.items()} for f in fs.findall("frameB")]
            fss.append((fs.get("name"), frames))
        yield s.get("name"), s.get("src"), fss


def cell(name, pic, fss, boxes, scale, font):
    rows = []
    for fsname, frames in fss:
        imgs = [pic.crop((f["x"], f["y"], f["x"] + f["w"], f["y"] + f["h"])) for f in frames[:8]]
        if boxes:
            for im, f in zip(imgs, frames):
                d = ImageDraw.Draw(im)
                d.rectangle([f["bX"], f["bY"], f["bX"] + max(0, f["bW"] - 1), f["bY"] + max(0, f["bH"] - 1)], outline=(255, 0, 0, 255))
                if f.get("aW"):
                    d.rectangle([f["aX"], f["aY"], f["aX"] + f["aW"] - 1, f["aY"] + f["aH"] - 1], outline=(0, 160, 255, 255))
        rows.append((fsname, imgs))
    fw = max(sum(im.width + 2 for im in imgs) for _, imgs in rows)
    fh = sum(max(im.height for im in imgs) + 12 for _, imgs in rows)
    w, h = int(max(fw, 120) * scale) + 8, int(fh * scale) + 22
    out = Image.new("RGBA", (w, h), (214, 206, 186, 255))
    d = ImageDraw.Draw(out)
    d.text((4, 2), name, fill=(0, 0, 0), font=font)
    y = 18
    for fsname, imgs in rows:
        d.text((4, y), fsname, fill=(60, 60, 120), font=font)
        y += 11
        x = 4
        for im in imgs:
            im2 = im.resize((max(1, int(im.width * scale)), max(1, int(im.height * scale))), Image.LANCZOS)
            out.alpha_composite(im2, (x, y))
            x += im2.width + 2
        y += int(max(im.height for im in imgs) * scale) + 1
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--data", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--match", nargs="*", default=[])
    ap.add_argument("--boxes", action="store_true")
    ap.add_argument("--scale", type=float, default=1.0)
    ap.add_argument("--width", type=int, default=1600)
    ap.add_argument("--first", action="store_true", help="only each sprite's first frameset")
    args = ap.parse_args()
    font = ImageFont.truetype(FONT, 10)
    cells = []
    for name, src, fss in read(os.path.join(args.data, "gfx", "sprites.xml")):
        if args.match and not any(m in name for m in args.match):
            continue
        pic = Image.open(os.path.join(args.data, "gfx", src)).convert("RGBA")
        cells.append(cell(name, pic, fss[:1] if args.first else fss, args.boxes, args.scale, font))
    # Shelf packing.
    x = y = shelf = 0
    places = []
    for c in cells:
        if x + c.width > args.width and x > 0:
            x, y, shelf = 0, y + shelf + 4, 0
        places.append((x, y))
        x += c.width + 4
        shelf = max(shelf, c.height)
    sheet = Image.new("RGB", (args.width, y + shelf + 4), (120, 120, 120))
    for c, (px, py) in zip(cells, places):
        sheet.paste(c, (px, py), c)
    sheet.save(args.out)
    print("%d sprites, %dx%d" % (len(cells), sheet.width, sheet.height))


if __name__ == "__main__":
    main()
