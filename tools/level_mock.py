#!/usr/bin/env python3
"""Draws a still of a level as the game would first show it, from the generated data: the
background, then every placed entity's starting frame in drawing order (y plus the frame's sort
offset), carried parts with their carriers (bed parts, a patient's head and arm, the player's
hands, shoes and stethoscope). Boxes and the walk grid on request. For looking at the data, not
a copy of the game's drawing.

Usage: level_mock.py --data BUILD/data --level NAME [--difficulty medium] --out FILE [--boxes]
"""

import argparse
import os
import xml.etree.ElementTree as ET

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
KIND = {"PACIENT1": "WOMAN", "PACIENT3": "WOMAN", "PACIENT10": "WOMAN", "PACIENT12": "WOMAN", "PACIENT13": "BWOMAN",
        "PACIENTSTAROSTA": "WOMAN", "BLAZEN2": "WOMAN", "BLAZEN4": "WOMAN"}


class Sprites:
    def __init__(self, data):
        self.data = data
        self.root = {s.get("name"): s for s in ET.parse(os.path.join(data, "gfx", "sprites.xml")).getroot()}
        self.pics = {}

    def frame(self, sprite, frameset, index=0):
        s = self.root[sprite]
        fss = s.findall("frameset")
        fs = next((f for f in fss if f.get("name") == frameset), fss[0])
        f = fs.findall("frameB")[index]
        a = {k: int(v) for k, v in f.attrib.items() if k != "name"}
        src = s.get("src")
        if src not in self.pics:
            self.pics[src] = Image.open(os.path.join(self.data, "gfx", src)).convert("RGBA")
        return self.pics[src].crop((a["x"], a["y"], a["x"] + a["w"], a["y"] + a["h"])), a


def prototypes():
    table = {}
    for ln in open(os.path.join(HERE, "prototype_sprites.txt")):
        if ln.startswith("#") or not ln.strip():
            continue
        _, name, _, cls, sprite, fs = ln.split()[:6]
        table[name] = (sprite, fs, int(cls))
    return table


def layers(name, protos):
    """The sprites drawn for one placed entity, with offsets: [(sprite, frameset, dx, dy)]."""
    sprite, fs, cls = protos[name]
    if name == "PLAYER":
        return [("PLAYER1", "DOWN", 0, 0), ("SHOES1", "DOWN", 0, 0), ("STETO1", "DOWN", 0, 0),
                ("PLAYER1LEFTDOWN", "DOWN", 0, 0), ("PLAYER1RIGHTDOWN", "DOWN", 0, 0)]
    if cls == 15:
        kind = "DITE" if name.startswith("DITE") else KIND.get(name, "MAN")
        head = protos.get(name + "HLAVA", (name + "HLAVA",))[0]
        return [(sprite, fs, 0, 0), (kind + "PYZAMO_SKIN", fs, 0, 0), (kind + "PYZAMORUKA", fs, 0, 0),
                (kind + "PYZAMORUKA_SKIN", fs, 0, 0), (head, fs, 0, 0), ("SRDICKA", "FRAMESET4", 48, 26)]
    if cls == 13:
        aura = name + "AURA" if name + "AURA" in protos else None
        out = [(sprite, fs, 0, 0), (protos[name + "POLSTAR"][0], fs, 0, 10), (protos[name + "PRIKRYVKA"][0], fs, 0, 50),
               (protos[name + "DOLNIMRIZ"][0], fs, 0, 0)]
        return out
    return [(sprite, fs, 0, 0)]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--data", required=True)
    ap.add_argument("--level", required=True)
    ap.add_argument("--difficulty", default="medium")
    ap.add_argument("--out", required=True)
    ap.add_argument("--boxes", action="store_true")
    args = ap.parse_args()
    sp = Sprites(args.data)
    protos = prototypes()
    folder = os.path.join(args.data, "maps", args.difficulty)
    mp = ET.parse(os.path.join(folder, args.level + "_map.xml")).getroot()
    bg = mp.get("background")
    canvas = Image.new("RGBA", (800, 600), (0, 0, 0, 255))
    if bg:
        canvas.alpha_composite(Image.open(os.path.join(args.data, "gfx", bg)).convert("RGBA").resize((800, 600)))
    ents = ET.parse(os.path.join(folder, args.level + "_entities.xml")).getroot()
    placed = []
    for e in ents.findall("entity"):
        placed.append((e.get("name"), int(e.get("x")), int(e.get("y"))))
    for a in ents.findall("adder") + ents.findall("deadder"):
        for c in list(a):
            placed.append((c.get("name"), int(a.get("x")), int(a.get("y"))))
    draws = []
    for name, x, y in placed:
        if name == "KURZOR":
            continue
        ls = layers(name, protos)
        _, first = sp.frame(ls[0][0], ls[0][1])
        sort = first.get("sortY", first["bY"])
        draws.append((protos[name][2] >= 0 and y + sort, name, x, y, ls, first))
    draws.sort(key=lambda d: d[0])
    d = ImageDraw.Draw(canvas)
    for _, name, x, y, ls, first in draws:
        for sprite, fs, dx, dy in ls:
            img, a = sp.frame(sprite, fs)
            canvas.alpha_composite(img, (max(0, x + dx), max(0, y + dy)) if x + dx >= 0 and y + dy >= 0 else (0, 0))
        if args.boxes:
            d.rectangle([x + first["bX"], y + first["bY"], x + first["bX"] + first["bW"], y + first["bY"] + first["bH"]],
                        outline=(255, 0, 0))
            if first.get("aW"):
                d.rectangle([x + first["aX"], y + first["aY"], x + first["aX"] + first["aW"], y + first["aY"] + first["aH"]],
                            outline=(0, 140, 255))
    for name, x, y in placed:
        if name == "KURZOR":
            img, _ = sp.frame("KURZOR", "NEUTRAL")
            canvas.alpha_composite(img, (x, y))
    if args.boxes:
        for t in mp.iter("tile"):
            if t.get("id") != "1":
                cx, cy = int(t.get("x")) * 32, int(t.get("y")) * 32
                d.rectangle([cx, cy, cx + 31, cy + 31], outline=(255, 255, 0))
    canvas.convert("RGB").save(args.out)


if __name__ == "__main__":
    main()
