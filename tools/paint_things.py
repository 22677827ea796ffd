"""Painters of the ward's things: beds and their parts, cabinets, furniture, carried items, lamps,
gauges, puffs, captions, germs and the laboratory pieces."""

import math

from paint_common import INK, Canvas, colour, heart_points, rgba, shade, star_points

BED_STYLES = {"metal": ("grey", None), "wood": ("wood", None), "modern": ("sky", None), "modern2": ("teal", None),
              "motor": ("dark", "motor"), "motor2": ("navy", "motor"), "deluxe": ("gold", "deluxe"),
              "deluxe2": ("purple", "deluxe"), "canopy": ("wine", "canopy")}


# Where the game prints a bed's number on each style's rail.
RAIL_NUMBER = {"metal": (63, 76), "wood": (63, 76), "modern": (61, 77), "modern2": (61, 77), "motor": (61, 75),
               "motor2": (61, 75), "deluxe": (62, 74), "deluxe2": (62, 74), "canopy": (57, 67)}


def paint_bed(w, h, index, count, p):
    """A ward bed seen from the foot end and above: frame, front rail, pillow, blanket, highlight.
    Blanket and pillow are pale because the game tints them with the bed's colour."""
    c = Canvas(w, h)
    fs = p.get("_fs", "FRAMESET1")
    part = p.get("part", "frame")
    frame_name, extra = BED_STYLES.get(p.get("style", "metal"), ("grey", None))
    fc = colour(frame_name)
    broken = fs == "BROKEN"
    if part == "frame":
        if extra == "canopy":
            for x in (12, 138):
                c.rect(x - 3, 0, x + 3, 30, fill=shade(fc, 0.8), width=1.2)
            c.rect(8, 0, 142, 8, fill=colour("pink"), width=1.2, r=3)
        c.rect(12, 4, 138, 30, fill=fc, width=1.8, r=8)
        c.rect(20, 10, 130, 24, fill=shade(fc, 1.35), outline=None, r=5)
        c.rect(10, 22, 140, 100, fill=shade(fc, 0.85), width=1.8, r=6)
        c.rect(16, 24, 134, 96, fill=(236, 238, 244), width=1.2, r=5)
        # The canopy bed stands on short legs: its picture ends 8 px higher (its work spot does).
        foot = 104 if extra == "canopy" else 112
        for x in (14, 132):
            c.rect(x, 96, x + 6, foot, fill=shade(fc, 0.7), width=1.2)
        if extra == "motor":
            c.rect(116, 70, 138, 90, fill=colour("grey"), width=1.2, r=2)
            c.circle(127, 80, 3, fill=colour("green") if not broken else colour("red"), width=1)
        if extra == "deluxe":
            for x in (30, 75, 120):
                c.poly(star_points(x, 17, 5, 2.2), fill=colour("yellow"), width=0.8)
        if broken:
            paint_broken_bed(c)
    elif part == "rail":
        # The foot rail carries the plate the game prints the bed's number on, so the plate sits
        # where that style's number goes (the bed font is 15 high, two digits 18 wide). A broken
        # rail sags, but the plate stays under the number.
        nx, ny = RAIL_NUMBER.get(p.get("style", "metal"), (63, 76))
        tilt = (4 if index == 0 else 1) if broken else 0
        top = ny - 8
        bar = 96 if p.get("style") == "canopy" else 104
        worn = int(fs[4:]) if fs.startswith("WORN") else 0
        if worn == 3:
            # Cracked through beside the plate: the right half already sags a little.
            c.rect(8, top, 100, top + 7, fill=fc, width=1.6, r=3)
            c.poly([(104, top), (142, top + 3), (142, top + 10), (104, top + 7)], fill=fc, width=1.6)
        elif broken:
            # Snapped in two beside the plate: the right half hangs from its post.
            c.rect(8, top + tilt, 100, top + 7 + tilt, fill=fc, width=1.6, r=3)
            c.poly([(106, top + 2), (142, top + 16 + tilt), (140, top + 23 + tilt), (104, top + 9)], fill=fc, width=1.6)
        else:
            c.rect(8, top + tilt, 142, top + 7 + tilt, fill=fc, width=1.6, r=3)
        for x in range(20, 140, 16):
            c.line([(x, top + 4 + tilt), (x, bar + 4)], fill=shade(fc, 0.7), width=2.5)
        c.rect(8, bar, 142, bar + 7, fill=fc, width=1.6, r=3)
        c.rect(nx - 6, ny - 3, nx + 22, ny + 17, fill=(250, 250, 250), width=1.2, r=3)
        # The number and the chain's "x2" beside it are the game's words: captions keep off them.
        c.words.append((nx - 6, ny - 3, 104, ny + 26))
        if worn:
            paint_rail_wear(c, worn, top, bar)
        if broken:
            # A big warning sign on the rail, in front of the patient, rising above the rail so
            # it shows over the blanket. It blinks, and the bed blinks red around it.
            big = 24 if index == 0 else 20
            cx, cy = 32, (top + bar) / 2
            c.poly([(cx, cy - big), (cx + big * 1.15, cy + big * 0.8), (cx - big * 1.15, cy + big * 0.8)],
                   fill=colour("yellow"), outline=colour("red"), width=4)
            c.text(cx, cy + 3, "!", int(big * 1.2), fill=INK, stroke=None)
    elif part == "pillow":
        if fs == "ROZHAZENE":
            c.poly([(34, 8), (100, 2), (112, 22), (46, 30)], fill=(238, 238, 238), width=1.5)
            c.line([(60, 10), (70, 22)], fill=(180, 180, 190), width=1.2)
        else:
            dent = 5 if fs == "OBSAZENE" else 0
            c.rect(38, 2, 112, 30, fill=(240, 240, 240), width=1.5, r=10)
            if dent:
                c.ellipse(58, 8, 92, 24, fill=(214, 214, 220), outline=None)
    elif part in ("blanket", "blanketskin"):
        skin = part == "blanketskin"
        pale = (236, 236, 240)
        if fs == "ROZHAZENE":
            pts = [(22, 10), (90, 2), (134, 20), (128, 50), (60, 44), (16, 38)]
            if not skin:
                c.poly(pts, fill=pale, width=1.6)
                for a, b in (((40, 14), (56, 34)), ((80, 10), (96, 38)), ((108, 20), (118, 44))):
                    c.line([a, b], fill=(180, 180, 192), width=1.5)
            else:
                c.line([(22, 12), (90, 4), (132, 21)], fill=(255, 255, 255), width=3)
        else:
            top = 6 if fs == "OBSAZENE" else 0
            bump = fs == "OBSAZENE"
            if not skin:
                c.rect(14, 0 + top, 136, 48, fill=pale, width=1.6, r=6)
                c.rect(14, 0 + top, 136, 10 + top, fill=(250, 250, 250), width=1.3, r=5)
                if bump:
                    c.arc(40, 14, 110, 44, 200, 340, fill=(180, 180, 192), width=1.6)
            else:
                # Stitched border of the turned-down sheet: not tinted by the bed's colour.
                for x in range(20, 132, 8):
                    c.line([(x, 4 + top), (x + 4, 4 + top)], fill=colour("navy"), width=1.3)
    elif part == "aura":
        a = 150 if index == 0 else 90
        glow = colour("yellow") if not broken else colour("red")
        c.rect(4, 0, 146, 118, fill=None, outline=rgba(glow, a), width=5, r=12)
    return c.done()


def paint_rail_wear(c, stage, top, bar):
    """A worn rail: rust that spreads and pale cracks that open, stage by stage, in colours that
    read on every frame colour. Stage 3 is cracked through (the caller splits the top bar)."""
    rust, dark_rust, pale = colour("orange"), (150, 70, 30), (255, 246, 214)
    spots = [(26, top + 3, 7), (122, top + 4, 8), (88, bar + 3, 8)]
    if stage >= 2:
        spots += [(60, top + 3, 9), (30, bar + 3, 10), (130, bar + 3, 7), (100, top + 3, 7)]
    if stage >= 3:
        spots += [(14, top + 4, 6), (46, bar + 3, 9), (112, bar + 4, 9), (78, top + 2, 6)]
    for x, y, r in spots:
        c.ellipse(x - r, y - 4, x + r, y + 4, fill=rust, outline=dark_rust, width=1)
    c.line([(118, top - 1), (113, top + 4), (119, top + 8)], fill=pale, width=3)
    if stage >= 2:
        c.line([(40, top - 1), (45, top + 3), (39, top + 8)], fill=pale, width=3)
        c.line([(117, top + 8), (122, (top + bar) / 2), (115, bar)], fill=pale, width=3)
    if stage >= 3:
        c.line([(100, top - 2), (105, top + 4), (100, top + 10)], fill=pale, width=4)
        c.line([(52, top + 8), (47, (top + bar) / 2), (54, bar)], fill=pale, width=3)
        c.circle(136, bar - 5, 3, fill=(200, 200, 210), width=1)


def paint_broken_bed(c):
    """What a worn-out bed shows: the headboard split, cracks along the frame and the right foot
    leg snapped off and lying beside it, all in heavy black strokes."""
    c.line([(96, 4), (90, 12), (99, 19), (92, 30)], fill=INK, width=3.5)
    c.line([(16, 40), (24, 52), (18, 62), (26, 76)], fill=INK, width=2.5)
    c.line([(134, 34), (126, 48), (134, 60), (127, 72)], fill=INK, width=2.5)
    c.rect(131, 96, 140, 102, fill=(236, 238, 244), outline=None)
    c.poly([(126, 108), (146, 103), (147, 107), (127, 112)], fill=(120, 120, 130), width=1.4)


def _banana(c, cx, cy, length, turn=0.0, outline=1.4):
    """A yellow banana bent like a smile, `length` long, turned by `turn` degrees, with brown ends."""
    a = math.radians(turn)

    def at(x, y):
        return (cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a))

    n, half, bend, thick = 12, length / 2, length * 0.3, length * 0.27
    top = [at(-half + length * k / n, bend * math.sin(math.pi * k / n) - bend * 0.5 - thick * math.sin(math.pi * k / n))
           for k in range(n + 1)]
    bottom = [at(-half + length * k / n, bend * math.sin(math.pi * k / n) - bend * 0.5) for k in range(n, -1, -1)]
    c.poly(top + bottom, fill=colour("yellow"), width=outline)
    c.line([at(-half + length * k / n, bend * math.sin(math.pi * k / n) - bend * 0.5 - thick * 0.45 * math.sin(math.pi * k / n))
            for k in range(2, n - 1)], fill=shade(colour("yellow"), 0.75), width=1)
    stem = at(half - 1, -bend * 0.5 - 1)
    c.line([stem, at(half + length * 0.1, -bend * 0.5 - length * 0.12)], fill=colour("brown"), width=2.2)
    c.circle(*at(-half + 1, -bend * 0.5 - 1), 1.3, fill=INK, outline=None)


def _bottle(c, x, y, col, s=1.0):
    c.rect(x - 4 * s, y - 6 * s, x + 4 * s, y + 8 * s, fill=col, width=1.1, r=2)
    c.rect(x - 2 * s, y - 10 * s, x + 2 * s, y - 6 * s, fill=(240, 240, 240), width=1)


def paint_cabinet(w, h, index, count, p):
    """A medicine cabinet: hung on the wall over the pharmacy counter (part=wall), or a chest at the
    counter's end (part=chest). The counter itself is part of the ward's background."""
    c = Canvas(w, h)
    fs = p.get("_fs", "EMPTY")
    col = colour(p.get("colour", "white"))
    busy = fs == "FRAMESET1"
    if p.get("part") == "chest":
        c.rect(2, 14, w - 6, 44, fill=col, width=2, r=3)
        c.poly([(4, 2), (w - 8, 2), (w - 4, 14), (0, 14)], fill=(212, 172, 118), width=1.6)
        c.rect(8, 18, w - 12, 28, fill=colour("red"), width=1.2, r=2)
        c.text((w - 4) / 2, 23, p.get("label", "MEDS"), 7, fill=(255, 255, 255), fit=w - 24)
        for x in (10, (w - 4) / 2 + 2):
            c.rect(x, 31, x + (w - 4) / 2 - 14, 41, fill=shade(col, 1.15), width=1.1, r=1)
            c.rect(x + 10, 35, x + 20, 37, fill=colour("grey"), outline=None)
        if busy:
            _bottle(c, w - 18, 2, colour("sky"), 0.7)
            _progress(c, 6, 47, w - 12, index, count)
        return c.done()
    c.rect(4, 2, w - 4, h - 4, fill=col, width=2, r=4)
    c.rect(4, 2, w - 4, 14, fill=colour("red"), width=1.6, r=3)
    c.text(w / 2, 8, p.get("label", "MEDS"), 8, fill=(255, 255, 255), fit=w - 16)
    for x0 in (9, w / 2 + 1):
        x1 = x0 + w / 2 - 10
        c.rect(x0, 17, x1, h - 8, fill=(210, 236, 250), width=1.3)
        for k, y in enumerate((29, 42)):
            c.line([(x0, y + 6), (x1, y + 6)], fill=shade(col, 0.7), width=1.2)
            for j in range(3):
                cols = ("red", "blue", "green", "gold", "purple")
                _bottle(c, x0 + 6 + j * (x1 - x0 - 12) / 2, y, colour(cols[(j + k + int(x0)) % 5]), 0.6)
    c.circle(w / 2, (17 + h - 8) / 2, 2, fill=colour("gold"), width=0.8)
    if busy:
        # Something brewing: a bubble rising in the flask at the side, and how far it has come.
        c.circle(w - 10, h - 14 - 3 * (index % 2), 2.5, fill=colour("sky"), width=1)
        _progress(c, 12, 16, w - 24, index, count)
    return c.done()


def _progress(c, x, y, length, index, count):
    """A progress bar: frame `index` of `count` shows it filled to (index + 1) / count."""
    c.rect(x, y, x + length, y + 7, fill=(40, 44, 56), width=1.2, r=2)
    c.rect(x + 1.5, y + 1.5, x + 1.5 + (length - 3) * (index + 1) / count, y + 5.5, fill=colour("green"), outline=None, r=1)


def paint_glow(w, h, index, count, p):
    c = Canvas(w, h)
    a = 170 if index == 0 else 100
    c.rect(2, 2, w - 2, h - 2, fill=None, outline=rgba(colour("yellow"), a), width=4, r=10)
    return c.done()


def paint_furniture(w, h, index, count, p):
    c = Canvas(w, h)
    shape = p.get("shape")
    col = colour(p.get("colour", "wood"))
    label = p.get("label", "")
    t = 2 * math.pi * index / max(1, count)
    if shape == "chair":
        c.rect(14, 4, w - 14, 40, fill=col, width=1.8, r=6)
        c.rect(8, 36, w - 8, 52, fill=shade(col, 1.2), width=1.8, r=4)
        for x in (12, w - 16):
            c.rect(x, 50, x + 4, h - 4, fill=colour("grey"), width=1)
        c.rect(w / 2 - 3, 52, w / 2 + 3, h - 10, fill=colour("grey"), width=1)
    elif shape == "trolley":
        c.rect(6, 18, w - 6, 70, fill=col, width=1.8, r=4)
        c.rect(10, 6, w - 10, 24, fill=(250, 250, 250), width=1.4, r=6)
        c.rect(6, 70, w - 6, 76, fill=colour("grey"), width=1.2)
        for x in (14, w - 14):
            c.circle(x, h - 14, 7, fill=colour("dark"), width=1.3)
        if label:
            c.text(w / 2, 46, label, 10, fill=(255, 255, 255), fit=w - 16)
    elif shape == "cupboard":
        c.rect(6, 6, w - 6, h - 8, fill=col, width=1.8, r=4)
        c.line([(w / 2, 10), (w / 2, h - 12)], fill=INK, width=1.4)
        for x in (w / 2 - 6, w / 2 + 6):
            c.circle(x, h / 2, 2.5, fill=colour("gold"), width=1)
        if label:
            c.rect(12, 14, w - 12, 32, fill=(250, 250, 240), width=1.2, r=3)
            c.text(w / 2, 23, label, 10, fill=colour("red"), stroke=None, fit=w - 28)
    elif shape == "machine":
        c.rect(4, 4, w - 4, h - 6, fill=col, width=2, r=6)
        c.rect(10, 12, w - 10, 40, fill=(250, 250, 250), width=1.4, r=3)
        c.text(w / 2, 26, label or "DRINK", 11, fill=colour("red"), stroke=None, fit=w - 24)
        c.rect(16, 64, w - 16, 106, fill=colour("dark"), width=1.4, r=3)
        for k in range(3):
            c.circle(w - 16, 48 + k * 7, 2.5, fill=colour(("red", "gold", "green")[k]), width=0.8)
    elif shape == "tree":
        # A low tree: its crown keeps clear of what stands behind its pot.
        c.rect(w / 2 - 8, h - 40, w / 2 + 8, h - 10, fill=colour("brown"), width=1.6)
        c.rect(w / 2 - 24, h - 14, w / 2 + 24, h - 2, fill=colour("rust"), width=1.6, r=3)
        for (x, y, r) in ((w / 2, 58, 26), (w / 2 - 22, 72, 20), (w / 2 + 22, 72, 20)):
            c.circle(x, y, r, fill=col, width=1.6)
        for (x, y) in ((w / 2 - 8, 52), (w / 2 + 16, 68), (w / 2 - 22, 74)):
            for t in (-35, 0, 35):
                _banana(c, x + t / 10, y, 12, t + 90, outline=1)
    elif shape == "toybox":
        c.rect(4, 20, w - 4, h - 4, fill=col, width=1.8, r=4)
        c.rect(2, 14, w - 2, 26, fill=shade(col, 1.25), width=1.6, r=3)
        c.circle(26, 12, 9, fill=colour("yellow"), width=1.3)
        c.rect(52, 2, 70, 16, fill=colour("sky"), width=1.3)
        c.text(w / 2, 46, label, 12, fill=(255, 255, 255))
    elif shape == "bookcase":
        # A low, wide bookcase in the frame's lower part, in front of its reading spot.
        top = h - 112
        c.rect(4, top, w - 4, h - 4, fill=col, width=2, r=4)
        for k in range(2):
            y = top + 10 + k * 50
            c.rect(12, y, w - 12, y + 40, fill=shade(col, 0.6), width=1.2)
            x = 16
            j = 0
            while x < w - 20:
                bw = 8 + (j * 5) % 7
                c.rect(x, y + 8 + (j % 3) * 2, x + bw, y + 40, fill=colour(("red", "blue", "green", "gold", "purple")[(j + k) % 5]),
                       width=1)
                x += bw + 1
                j += 1
    elif shape == "alarm":
        # The siren box; its bulb hangs up left on the wall (the ward's background), where the
        # lamp's red light shows.
        c.line([(0, 2), (12, 8)], fill=colour("dark"), width=3)
        c.rect(8, 6, w - 6, h - 8, fill=colour("grey"), width=1.6, r=5)
        mx = (8 + w - 6) / 2
        c.poly([(mx, 11), (mx + 11, 30), (mx - 11, 30)], fill=colour("yellow"), width=1.4)
        c.text(mx, 23, "!", 11, fill=INK, stroke=None)
        for k in range(2):
            c.line([(14, 34 + k * 4), (w - 12, 34 + k * 4)], fill=colour("dark"), width=1.4)
    elif shape == "spraystand":
        # Its left edge, where its click box begins, stays right of the visiting parents' row. The
        # spray rests in a slot on its face, at (8, 23) as the stand carries it; taken, the slot
        # shows dark with a dashed rim and a question mark, which the spray covers whole.
        c.rect(6, 8, w - 2, h - 4, fill=(238, 240, 242), width=1.8, r=4)
        c.rect(7, 9, w - 3, 15, fill=col, outline=None, r=2)
        c.rect(11, 26, 27, 58, fill=(44, 48, 60), outline=None, r=3)
        for y in range(28, 55, 5):
            for x in (12.5, 25.5):
                c.line([(x, y), (x, y + 2.5)], fill=(235, 235, 235), width=1.2)
        for x in range(14, 25, 5):
            for y in (27.5, 56.5):
                c.line([(x, y), (x + 2.5, y)], fill=(235, 235, 235), width=1.2)
        c.text(19, 36, "?", 12, fill=(235, 235, 235), stroke=None)
        c.circle(38, 32, 6, fill=col, width=1.2)
        c.text(38, 32, "+", 10, fill=(255, 255, 255), stroke=None)
        c.rect(7, 64, w - 3, 74, fill=col, outline=None)
        c.text((6 + w - 2) / 2, 69, label, 8, fill=(255, 255, 255), fit=w - 12)
    elif shape == "stickstand":
        c.rect(4, h - 16, w - 4, h - 4, fill=col, width=1.4, r=2)
        c.line([(w / 2, h - 16), (w / 2, 6)], fill=colour("wood"), width=4)
        c.circle(w / 2, 6, 4, fill=colour("gold"), width=1)
    elif shape == "plant":
        c.rect(12, h - 26, w - 12, h - 4, fill=colour("rust"), width=1.6, r=3)
        sway = 2.5 * math.cos(t)
        for k in range(5):
            a = math.radians(-150 + k * 30)
            x1, y1 = w / 2 + math.cos(a) * 26 + sway, h - 30 + math.sin(a) * 40
            c.line([(w / 2, h - 26), (x1, y1)], fill=col, width=5)
    elif shape == "balcony":
        c.rect(0, h - 30, w, h - 20, fill=colour("stone"), width=1.6)
        for x in range(6, w, 14):
            c.rect(x, h - 60, x + 6, h - 30, fill=colour("stone"), width=1.1)
        c.rect(0, h - 64, w, h - 56, fill=colour("stone"), width=1.4)
    elif shape == "peephole":
        c.circle(w / 2, h / 2, w / 2 - 3, fill=col, width=2)
        c.circle(w / 2, h / 2, w / 2 - 10, fill=(20, 20, 30), width=1.4)
        if index in (1, 2):
            c.circle(w / 2 - 4 + 4 * index - 4, h / 2, 5, fill=(255, 255, 255), width=1)
            c.circle(w / 2 - 4 + 4 * index - 4, h / 2, 2, fill=INK, outline=None)
    elif shape == "trapdoor":
        c.rect(4, 4, w - 4, h - 4, fill=col, width=2, r=3)
        for y in range(14, h - 8, 12):
            c.line([(6, y), (w - 6, y)], fill=shade(col, 0.7), width=1.3)
        c.circle(w - 14, h / 2, 4, fill=colour("grey"), width=1)
    elif shape == "desk":
        fs = p.get("_fs", "FRAMESET1")
        x0 = float(p.get("x0", "0"))  # the desk fills the frame from x0 on
        mid = (x0 + w) / 2
        if fs in ("RIGHT", "LEFT") or p.get("_fs") == "FRAMESET1" and count > 1:
            # A clerk behind the counter, turning to the side the frameset names.
            hx = mid + (10 if fs == "RIGHT" else -10 if fs == "LEFT" else 0) + 3 * math.sin(t)
            c.rect(hx - 12, 22, hx + 12, 52, fill=colour("pink"), width=1.4, r=5)
            c.circle(hx, 16, 10, fill=(250, 214, 184), width=1.4)
            c.ellipse(hx - 10, 5, hx + 10, 14, fill=colour("brown"), outline=None)
        c.rect(x0 + 4, 40, w - 4, h - 6, fill=col, width=2, r=4)
        c.rect(x0 + 2, 36, w - 2, 46, fill=shade(col, 1.3), width=1.6, r=3)
        c.text(mid, 66, label, 12, fill=(255, 255, 255))
    elif shape == "sofa":
        seats = int(p.get("seats", "5"))
        c.rect(4, 24, w - 4, 62, fill=col, width=1.8, r=10)
        c.rect(0, 52, w, 84, fill=shade(col, 1.15), width=1.8, r=8)
        for k in range(1, seats):
            x = k * (w / seats)
            c.line([(x, 56), (x, 82)], fill=shade(col, 0.7), width=1.4)
        for x in (8, w - 8):
            c.rect(x - 3, 84, x + 3, h - 2, fill=colour("dark"), width=1)
    elif shape == "tv":
        c.rect(10, 50, w - 10, h - 4, fill=colour("wood"), width=1.6, r=3)
        c.rect(6, 6, w - 6, 56, fill=colour("dark"), width=2, r=4)
        c.rect(12, 12, w - 12, 50, fill=colour(("sky", "lime", "pink", "gold")[index % 4]), width=1.2)
        c.circle(w / 2 + 10 * math.sin(t), 30, 6, fill=(255, 255, 255), width=1)
    elif shape == "aquarium":
        c.rect(10, 56, w - 10, h - 4, fill=colour("wood"), width=1.6, r=3)
        c.rect(4, 8, w - 4, 60, fill=shade(col, 1.1), width=2, r=3)
        for k in range(2):
            fx = 20 + ((index * 12 + k * 40) % (w - 40))
            c.ellipse(fx, 24 + k * 16, fx + 14, 32 + k * 16, fill=colour(("orange", "gold")[k]), width=1)
        c.circle(w - 20, 50 - 8 * index % 40, 2.5, fill=(255, 255, 255), width=0.8)
    elif shape == "painting":
        c.rect(10, 10, w - 10, h - 20, fill=col, width=2)
        c.rect(18, 18, w - 18, h - 28, fill=colour("sky"), width=1)
        c.poly([(18, h - 28), (44, 36), (62, 54), (76, h - 28)], fill=colour("green"), width=1)
        c.circle(w - 30, 32, 6, fill=colour("yellow"), outline=None)
    elif shape == "rug":
        c.ellipse(4, 4, w - 4, h - 4, fill=col, width=1.8)
        c.ellipse(20, 12, w - 20, h - 12, fill=None, outline=colour("gold"), width=2)
    elif shape == "podium":
        c.rect(4, 30, w - 4, h - 4, fill=col, width=2, r=6)
        c.rect(0, 24, w, 36, fill=shade(col, 1.3), width=1.6, r=4)
        # Five lamps spread over the front, the outer ones a lamp's width in from its ends.
        for k in range(5):
            x = 20 + k * (w - 40) / 4
            on = (k + index) % 2 == 0
            c.circle(x, 56, 6, fill=colour("yellow") if on else colour("grey"), width=1.2)
        c.text(w / 2, 14, label, 14, fill=colour("gold"))
    return c.done()


def paint_item(w, h, index, count, p):
    c = Canvas(w, h)
    if p.get("_fs") == "INVISIBLE":
        return c.done()
    shape = p.get("shape")
    col = colour(p.get("colour", "red"))
    if shape == "paper":
        # The middle stays blank for the bed's number, which the game writes there.
        c.rect(3, 2, w - 3, h - 2, fill=(250, 250, 246), width=1.4, r=2)
        c.line([(7, 10), (w - 7, 10)], fill=colour("sky"), width=1.2)
        c.line([(7, 23), (w - 7, 23)], fill=colour("sky"), width=1.2)
        c.text(w / 2 - 4, 6, "Rx", 6, fill=colour("red"), stroke=None)
    elif shape == "bottle":
        # The bottle fills the frame's top left 20 x 35. The game writes its number 23 px down,
        # its digits 8 px tall, so the label spans 21 to 32, left of where her hand holds it (the
        # frame's middle). The rest of the frame only widens the box the player's feet meet on
        # the floor in front of it.
        bw, bh = 20, 35
        c.rect(3, 6, bw - 3, bh - 1, fill=col, width=1.5, r=3)
        c.rect(6, 1, bw - 6, 7, fill=(240, 240, 240), width=1.3, r=1)
        c.rect(4, 21, bw - 4, 32, fill=(250, 250, 250), outline=None)
        c.words.append((4, 21, bw - 4, 32))
    elif shape == "cup":
        c.poly([(3, 6), (w - 3, 6), (w - 5, h - 2), (5, h - 2)], fill=(250, 250, 250), width=1.5)
        c.rect(4, 8, w - 4, 14, fill=col, outline=None)
        c.line([(w / 2 + 2, 8), (w / 2 + 6, 0)], fill=colour("red"), width=1.8)
    elif shape == "linen":
        # A crumpled bundle of used sheets: a lumpy edge, folds, a corner hanging loose and a stain.
        c.poly([(3, 12), (6, 5), (12, 7), (17, 2), (23, 6), (29, 5), (30, 13), (28, 20), (20, 22), (13, 20),
                (6, 21), (2, 17)], fill=(236, 236, 228), width=1.5)
        c.poly([(22, 16), (31, 19), (27, 23), (20, 21)], fill=(222, 222, 212), width=1.3)
        for fold in (((8, 9), (12, 14), (10, 18)), ((16, 6), (18, 12), (15, 17)), ((24, 9), (22, 14))):
            c.line(list(fold), fill=(160, 160, 150), width=1.2)
        c.ellipse(11, 13, 17, 17, fill=(196, 178, 120), outline=None)
        # The ward's sheets have a stitched blue hem, as on the beds.
        for x in range(5, 26, 5):
            c.line([(x, 19.5 - x * 0.05), (x + 2.5, 19.4 - x * 0.05)], fill=colour("navy"), width=1.2)
    elif shape == "banana":
        _banana(c, w / 2 - 1, h / 2 + 2, h - 8, -60)
    elif shape == "teddy":
        c.circle(w / 2, 17, 9, fill=col, width=1.4)
        c.circle(w / 2, 9, 7, fill=col, width=1.4)
        for sx in (-1, 1):
            c.circle(w / 2 + sx * 6, 3.5, 3, fill=col, width=1)
        c.circle(w / 2, 10, 2.2, fill=colour("cream"), outline=None)
    elif shape == "book":
        c.rect(3, 3, w - 3, h - 3, fill=col, width=1.5, r=2)
        c.rect(6, 3, 9, h - 3, fill=shade(col, 0.7), outline=None)
        c.rect(11, 9, w - 6, 14, fill=(250, 240, 200), outline=None)
    elif shape == "spray":
        # Big and boldly rimmed for the ward's scale: in her raised hand it stands clear of her
        # white coat, nozzle and mist pointing away from her.
        c.rect(2, 9, w - 2, h - 1, fill=col, width=2.2, r=3)
        c.rect(4.5, 11, 6.5, h - 4, fill=shade(col, 1.3), outline=None)
        c.rect(5, 2, w - 7, 10, fill=(232, 232, 236), width=1.8, r=1)
        c.rect(w - 8, 3, w - 3, 7, fill=colour("red"), width=1.2)
        c.rect(5, 16, w - 4, 29, fill=(255, 255, 255), width=1.2, r=2)
        c.text(w / 2 + 0.5, 22.5, "+", 13, fill=colour("red"), stroke=None)
    elif shape == "stick":
        c.line([(w / 2, 4), (w / 2, h - 2)], fill=colour("wood"), width=4)
        c.circle(w / 2, 5, 4, fill=colour("gold"), width=1)
    return c.done()


def paint_lamp(w, h, index, count, p):
    """A round bulb filling its frame, or, with at=x,y,size, a bulb of that size at that spot of a
    larger frame: a lamp whose carrier hangs it far from where its picture wants it."""
    c = Canvas(w, h)
    fs = p.get("_fs", "")
    col = p.get("colour") or ("green" if fs == "GREEN" else "red")
    x0, y0, d = (float(v) for v in p["at"].split(",")) if "at" in p else (0.0, 0.0, float(w))
    cx, cy = x0 + d / 2, y0 + d / 2
    bright = index == 0
    rgb = colour(col) if bright else shade(colour(col), 0.6)
    if bright:
        # A halo round the bulb: lit, it shines past its rim.
        c.circle(cx, cy, d / 2 - 0.3, fill=rgba(shade(rgb, 1.45), 170), outline=None)
    c.circle(cx, cy, d / 2 - 2.5, fill=rgb, width=1.4)
    if bright:
        c.circle(cx - d * 0.1, cy - d * 0.1, d * 0.11, fill=(255, 255, 255), outline=None)
    return c.done()


def paint_gauge(w, h, index, count, p):
    """The blood-pressure gauge: its column fills and turns from green to red by stage."""
    c = Canvas(w, h)
    stage = {"FRAMESET1": 0, "FRAMESET2": 1, "FRAMESET3": 2}.get(p.get("_fs"), 0)
    col = colour(("green", "orange", "red")[stage])
    if p.get("part") == "column":
        c.rect(1, 0, w - 1, h, fill=col, outline=None, r=3)
        if stage == 2 and index == 1:
            c.rect(1, 0, w - 1, h, fill=(255, 255, 255, 90), outline=None, r=3)
        return c.done()
    # A mercury blood-pressure meter on a foot: a scale case with its glass tube where the game
    # lays the column (x 19 to 33, 67 high), under the tube the housing where the game hangs the
    # red lamp (x 19 to 33, y 71 to 85), the cuff on its hose and the rubber bulb.
    c.rect(12, 88, 40, 95, fill=colour("dark"), width=1.2, r=2)
    c.rect(13, 0, 39, 90, fill=(250, 246, 232), width=1.8, r=4)
    c.rect(19, 2, 33, 68, fill=(222, 232, 242), width=1.2, r=3)
    c.rect(20, 3, 32, 14, fill=(246, 196, 190), outline=None)
    for k in range(11):
        y = 66 - k * 6.2
        long_tick = k % 2 == 0
        c.line([(14, y), (18 if long_tick else 16.5, y)], fill=INK, width=1)
        c.line([(38 if long_tick else 36.5, y), (34, y)], fill=INK, width=1)
    c.circle(26, 78, 7, fill=colour("dark"), width=1.2)
    c.circle(26, 78, 4.5, fill=shade(colour("red"), 0.45), width=1)
    cuff = shade(colour("navy"), 1.2)
    c.line([(10, 56), (14, 56)], fill=INK, width=1.6)
    c.rect(1, 30, 11, 62, fill=cuff, width=1.4, r=3)
    c.rect(2, 38, 10, 44, fill=shade(cuff, 1.4), outline=None)
    pump = 1 + index if stage >= 1 else 0
    c.line([(6, 62), (6, 72)], fill=INK, width=1.6)
    c.ellipse(6 - 4 - pump, 72, 6 + 4 + pump, 84 + pump, fill=colour("black"), width=1)
    return c.done()


def paint_puff(w, h, index, count, p):
    c = Canvas(w, h)
    red = p.get("_fs") == "RED"
    base = colour("lime") if red else colour(p.get("colour", "stone"))
    r = 7 + 3 * index
    a = 220 - 40 * index
    for (dx, dy) in ((-0.5, 0.2), (0.5, 0.2), (0, -0.4)):
        c.circle(w / 2 + dx * r, h / 2 + dy * r, r * 0.8, fill=rgba(base, a), outline=rgba(shade(base, 0.7), a), width=1)
    return c.done()


def paint_glyph(w, h, index, count, p):
    c = Canvas(w, h)
    size = h * (0.6 + 0.1 * index)
    c.text(w / 2, h / 2, p.get("text", "Z"), size, fill=colour(p.get("colour", "sky")), stroke=(255, 255, 255))
    return c.done()


def paint_heart(w, h, index, count, p):
    c = Canvas(w, h)
    r = min(w, h) / 2 - 1 - index
    c.poly(heart_points(w / 2, h / 2, r), fill=colour(p.get("colour", "red")), width=1.5)
    c.circle(w / 2 - r * 0.4, h / 2 - r * 0.35, r * 0.18, fill=(255, 255, 255), outline=None)
    return c.done()


def paint_caption(w, h, index, count, p):
    c = Canvas(w, h)
    col = colour(p.get("colour", "green"))
    if index == 1:
        col = shade(col, 1.35)
    # drop: the word stands that far below the frame's middle. The game grows a caption about its
    # middle while it rises, which pushes a dropped word down again: it grows where it was earned
    # instead of rising over the counter and the windows behind.
    drop = float(p.get("drop", "0"))
    line = h - 2 * drop
    size = line * (0.62 if index == 0 else 0.66)
    cy = h / 2 + drop + 1
    # A dark rim round the white one: the caption reads on the pale wall as on the dark floor,
    # and still reads once it has faded to half.
    c.text(w / 2, cy, p.get("text", ""), size, fill=INK, stroke=INK, stroke_w=line / 7, fit=w - 6)
    c.text(w / 2, cy, p.get("text", ""), size, fill=col, stroke=(255, 255, 255), stroke_w=line / 14, fit=w - 6)
    return c.done()


def paint_bubble(w, h, index, count, p):
    c = Canvas(w, h)
    r = w / 2 - 2 - (3 - index) * 0.8
    c.circle(w / 2, h / 2, r, fill=(200, 230, 255, 110), outline=(120, 170, 220), width=1.3)
    c.circle(w / 2 - r * 0.35, h / 2 - r * 0.35, r * 0.22, fill=(255, 255, 255), outline=None)
    return c.done()


def paint_germ(w, h, index, count, p):
    c = Canvas(w, h)
    col = colour(p.get("colour", "green"))
    spikes = int(p.get("spikes", "8"))
    t = 2 * math.pi * index / max(1, count)
    cx, cy, r = w / 2, h / 2, w * 0.3
    for k in range(spikes):
        a = 2 * math.pi * k / spikes + t / spikes
        x1, y1 = cx + math.cos(a) * r * 1.55, cy + math.sin(a) * r * 1.55
        c.line([(cx, cy), (x1, y1)], fill=shade(col, 0.6), width=2)
        c.circle(x1, y1, 2.2, fill=shade(col, 0.6), outline=None)
    wob = 1 + 0.06 * math.sin(t)
    c.ellipse(cx - r * wob, cy - r / wob, cx + r * wob, cy + r / wob, fill=col, width=1.6)
    for sx in (-1, 1):
        c.circle(cx + sx * r * 0.38, cy - r * 0.15, r * 0.26, fill=(255, 255, 255), width=1)
        c.circle(cx + sx * r * 0.38 + 1, cy - r * 0.1, r * 0.11, fill=INK, outline=None)
    c.arc(cx - r * 0.45, cy + r * 0.05, cx + r * 0.45, cy + r * 0.6, 200, 340, fill=INK, width=1.4)
    return c.done()


def paint_arrow(w, h, index, count, p):
    c = Canvas(w, h)
    dy = 4 * math.sin(2 * math.pi * index / max(1, count))
    # The head is 24 px tall whatever the frame's height; a taller frame has a longer shaft.
    neck = h - 24 + dy
    # A slim head: pointing at a small thing, it leaves what is written on it in view.
    pts = [(w * 0.3, 2 + dy), (w * 0.7, 2 + dy), (w * 0.7, neck), (w - 8, neck), (w / 2, h - 3 + dy),
           (8, neck), (w * 0.3, neck)]
    c.poly(pts, fill=colour("gold"), width=2)
    return c.done()


def paint_magnet(w, h, index, count, p):
    c = Canvas(w, h)
    c.circle(w / 2, h / 2, w / 2 - 1.5, fill=colour("red"), width=1.4)
    c.circle(w / 2 - 2.5, h / 2 - 2.5, 2.5, fill=(255, 200, 200), outline=None)
    return c.done()


def paint_dial(w, h, index, count, p):
    """The difficulty dial: a glass face and a needle drawn pointing up from the centre (the game
    turns it)."""
    c = Canvas(w, h)
    if p.get("part") == "glass":
        c.circle(w / 2, h / 2, w / 2 - 2, fill=(250, 250, 244), width=2)
        for k in range(7):
            a = math.radians(-210 + k * 40)
            c.line([(w / 2 + math.cos(a) * 30, h / 2 + math.sin(a) * 30), (w / 2 + math.cos(a) * 36, h / 2 + math.sin(a) * 36)],
                   fill=INK, width=1.4)
        c.arc(8, 8, w - 8, h - 8, 150, 200, fill=colour("green"), width=4)
        c.arc(8, 8, w - 8, h - 8, 340, 30, fill=colour("red"), width=4)
        c.circle(w / 2, h / 2 + 18, 2, fill=None, outline=None)
    else:
        c.poly([(w / 2 - 3, h / 2), (w / 2, 10), (w / 2 + 3, h / 2)], fill=colour("red"), width=1)
        c.circle(w / 2, h / 2, 4, fill=colour("dark"), width=1)
    return c.done()


def paint_hearts(w, h, index, count, p):
    """The hearts bar over a patient: FRAMESETn shows n hearts of five, three over two, so that it
    stays clear of the next patient's face on the couch (seats are 55 px apart, the bar 48 px right
    of its patient). Each heart is about 8 px, bright red with a white rim on a near-black badge;
    an empty place is only a dim outline, so the full ones are counted at a glance. The badge keeps
    to the frame's 16 px: a seated patient's bar then ends at the gauge beside the chair."""
    c = Canvas(w, h)
    fs = p.get("_fs", "FRAMESET1")
    # FRAMESETnR: the same hearts on a red badge, blinking when the patient is about to be lost.
    danger = fs.endswith("R")
    digits = fs.rstrip("R")
    n = int(digits[-1]) if digits[-1].isdigit() else 1
    badge = (214, 20, 34, 250) if danger else (22, 24, 38, 235)
    c.rect(0.5, 0.5, w - 0.5, h - 0.5, fill=badge, outline=(255, 255, 255, 230), width=1.0, r=5)
    step = (w - 3) / 3
    r = 4.1
    places = [(1.5 + step * (k + 0.5), 5.0) for k in range(3)] + [(1.5 + step * (k + 1), 11.4) for k in range(2)]
    for k, (cx, cy) in enumerate(places):
        if k < n and danger:
            c.poly(heart_points(cx, cy, r), fill=(255, 250, 250), outline=(80, 0, 8), width=0.8)
        elif k < n:
            c.poly(heart_points(cx, cy, r), fill=(255, 52, 64), outline=(255, 236, 236), width=0.9)
        else:
            c.poly(heart_points(cx, cy, r - 1.2), fill=None, outline=(110, 112, 134), width=0.7)
    return c.done()


def paint_meter(w, h, index, count, p):
    c = Canvas(w, h)
    if p.get("outline") == "1":
        c.rect(1, 1, w - 1, h - 1, fill=(40, 40, 50, 160), width=1.4, r=3)
        return c.done()
    # The recovery bar: the game crops it from the right as the patient gets better.
    for k in range(w):
        t = k / max(1, w - 1)
        col = (int(230 * (1 - t) + 70 * t), int(70 * (1 - t) + 200 * t), 70)
        c.line([(k + 0.5, 1), (k + 0.5, h - 1)], fill=col, width=1.1)
    c.rect(0.5, 0.5, w - 0.5, h - 0.5, fill=None, width=1)
    return c.done()


def paint_needle(w, h, index, count, p):
    c = Canvas(w, h)
    col = colour(p.get("colour", "red"))
    if p.get("round") == "1":
        c.poly([(w / 2 - 2.5, h / 2), (w / 2, 6), (w / 2 + 2.5, h / 2)], fill=col, width=1)
        c.circle(w / 2, h / 2, 3, fill=colour("dark"), outline=None)
    else:
        # The hand turns about the middle of its frame: it points up from there, with a short
        # tail below the hub.
        cx, cy = w / 2, h / 2
        c.poly([(cx - 2.6, cy), (cx, 2), (cx + 2.6, cy), (cx + 1.5, cy + 7), (cx - 1.5, cy + 7)], fill=col, width=1)
        c.circle(cx, cy, 3.2, fill=colour("dark"), outline=None)
    return c.done()


def paint_clock(w, h, index, count, p):
    c = Canvas(w, h)
    c.circle(w / 2, h / 2, w / 2 - 2, fill=(250, 250, 240), width=2.4)
    for k in range(12):
        a = 2 * math.pi * k / 12
        r0, r1 = (w / 2 - 9, w / 2 - 4)
        c.line([(w / 2 + math.cos(a) * r0, h / 2 + math.sin(a) * r0), (w / 2 + math.cos(a) * r1, h / 2 + math.sin(a) * r1)],
               fill=INK, width=1.6 if k % 3 == 0 else 1)
    return c.done()


def paint_dish(w, h, index, count, p):
    """A petri dish on its place card: the game lays the dish's template piece, three quarters of
    its size, about (17, 13) and writes the dish's value from x 80, y 10."""
    c = Canvas(w, h)
    c.rect(1, 1, w - 1, h - 12, fill=(250, 252, 254), outline=(90, 100, 110), width=1.4, r=8)
    c.ellipse(-1, -4, 37, 31, fill=(214, 232, 242), outline=INK, width=1.6)
    c.ellipse(3, 0, 33, 27, fill=(240, 248, 252), outline=(120, 150, 170), width=1.2)
    c.line([(40, 13), (74, 13)], fill=(150, 160, 170), width=1.4)
    c.poly([(74, 9), (80, 13), (74, 17)], fill=(150, 160, 170), outline=None)
    return c.done()


# Dice pips in a 3 x 3 grid (column, row), so the strand count reads from the pattern alone at any
# size and colour; 8 rings the middle.
DNA_PIPS = {0: [], 1: [(1, 1)], 2: [(0, 0), (2, 2)], 3: [(0, 0), (1, 1), (2, 2)], 4: [(0, 0), (2, 0), (0, 2), (2, 2)],
            5: [(0, 0), (2, 0), (1, 1), (0, 2), (2, 2)], 6: [(0, 0), (0, 1), (0, 2), (2, 0), (2, 1), (2, 2)],
            7: [(0, 0), (0, 1), (0, 2), (1, 1), (2, 0), (2, 1), (2, 2)],
            8: [(0, 0), (1, 0), (2, 0), (0, 1), (2, 1), (0, 2), (1, 2), (2, 2)]}


def paint_dna(w, h, index, count, p):
    """A DNA piece of n strands: n dice pips in a ringed tile. The game tints the piece with its
    colour and flashes it white over a dish, so the pips are light grey (the tint gives their
    colour, the flash only pales it) and the count is in their pattern, outlined in ink."""
    c = Canvas(w, h)
    n = int(p.get("strands", "1"))
    c.rect(3, 3, w - 3, h - 3, fill=None, outline=(70, 70, 90), width=2, r=9)
    for col, row in DNA_PIPS[n]:
        c.circle(w / 2 + (col - 1) * w / 3.6, h / 2 + (row - 1) * h / 3.6, w / 8.5, fill=(205, 205, 205), outline=INK, width=2)
    return c.done()


def paint_sign(w, h, index, count, p):
    c = Canvas(w, h)
    col = colour(p.get("colour", "sky"))
    if "card" in p:
        # A banner: the plate at the left, a card at the right that the game writes on.
        plate_w = int(p["card"])
        c.rect(plate_w + 2, 2, w - 2, h - 2, fill=(255, 252, 236), width=1.6, r=4)
        c.rect(2, 2, plate_w - 2, h - 2, fill=col, width=2, r=5)
        c.text(plate_w / 2, h / 2, p.get("text", ""), min(h * 0.6, 14), fill=(255, 255, 255), fit=plate_w - 10)
        return c.done()
    note = [ln for ln in p.get("label", "").split("|") if ln]
    plate = h if not note else 34
    if note:
        # A card under the plate says what still keeps the day open.
        c.rect(6, plate - 6, w - 6, h - 2, fill=(255, 252, 236), width=1.8, r=4)
        step = (h - plate - 6) / len(note)
        for k, ln in enumerate(note):
            c.text(w / 2, plate + 1 + step * (k + 0.5), ln, 9.5, fill=INK, stroke=None, fit=w - 18)
    c.rect(2, 2, w - 2, plate - 2, fill=col, width=2, r=6)
    c.rect(6, 6, w - 6, plate - 6, fill=None, outline=(255, 255, 255), width=1.4, r=4)
    c.text(w / 2, plate / 2, p.get("text", ""), min(plate * 0.42, 16), fill=(255, 255, 255), fit=w - 16)
    return c.done()


PAINTERS = {"bed": paint_bed, "cabinet": paint_cabinet, "glow": paint_glow, "furniture": paint_furniture,
            "item": paint_item, "lamp": paint_lamp, "gauge": paint_gauge, "puff": paint_puff, "glyph": paint_glyph,
            "heart": paint_heart, "caption": paint_caption, "bubble": paint_bubble, "germ": paint_germ,
            "arrow": paint_arrow, "magnet": paint_magnet, "dial": paint_dial, "hearts": paint_hearts,
            "meter": paint_meter, "needle": paint_needle, "clock": paint_clock, "dish": paint_dish, "dna": paint_dna,
            "sign": paint_sign}
