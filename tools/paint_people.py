"""Painters of people: patients (body, head, pyjama arm and their skin overlays, which must line
up frame by frame), the player figure with its hands and overlays, staff and visitors, animals."""

import math

from PIL import Image

from paint_common import INK, SKINS, Canvas, colour, heart_points, rgba, shade, star_points

# Patients are laid out in a 72 x 112 frame: head centre (36, 22), shoulders at y 44, hips at
# y 80, feet at y 110. Children are the same figure shrunk towards the feet.
HEAD = (36, 22, 15)
SHOULDERS = ((22, 46), (50, 46))


class Space:
    """Maps the adult patient frame onto the canvas (children are shrunk towards the feet)."""

    def __init__(self, c, k=1.0, ox=0.0, oy=0.0, sx=1.0):
        self.c, self.k, self.ox, self.oy, self.sx = c, k, ox, oy, sx

    def p(self, x, y):
        return (self.ox + 36 * self.sx + (x - 36) * self.k * self.sx, self.oy + 111 - (111 - y) * self.k * self.sx)

    def r(self, v):
        return v * self.k * self.sx


def space_for(c, kind):
    return Space(c, 0.72) if kind == "child" else Space(c)


def skin_of(kind):
    return SKINS.get(kind, SKINS["man"])


def patient_pose(fs, i, n):
    """What the figure does in a frameset: legs, arms and the face."""
    # Two-frame sets swing between the extremes; longer ones run through the whole cycle.
    t = 2 * math.pi * i / max(1, n) + (math.pi / 2 if n == 2 else 0)
    p = dict(legs="stand", step=0.0, lying=False, arms="down", swing=0.0, slump=0.0, face="smile", eyes="dot")
    if fs == "LYING":
        p.update(lying=True, arms="rest", eyes="closed", face="smile")
    elif fs in ("RUNNING", "EXITING_GOOD", "EXITING_BAD"):
        p.update(legs="walk", step=math.sin(t), arms="swing", swing=math.sin(t))
        if fs == "RUNNING":
            p.update(eyes="wide", face="o")
        elif fs == "EXITING_GOOD":
            p.update(eyes="happy", face="grin")
        else:
            p.update(eyes="sad", face="frown", slump=2.0, swing=0.4 * math.sin(t), step=0.6 * math.sin(t))
    elif fs == "ILIKEYOU":
        p.update(arms="up", swing=0.3 * math.sin(t), eyes="heart", face="grin")
    elif fs in ("ILL1", "ILL1WAITING"):
        # The outbreak: green in the face, coughing into one hand, holding the tummy.
        p.update(arms="cough", eyes="squint", face="o" if i % 2 == 0 else "wavy", sick=True)
    elif fs.startswith("ILL"):
        p.update(arms="mouth" if fs.startswith("ILL2") else "down", eyes={"ILL2": "squint", "ILL3": "closed"}[fs[:4]],
                 face={"ILL2": "o", "ILL3": "flat"}[fs[:4]])
    elif fs == "GIVEMONEY":
        # Cured and paying: a big smile and a banknote waved high.
        p.update(arms="money", swing=math.sin(t), eyes="happy", face="grin", rosy=True)
    elif fs in ("PLAYGUITAR", "PLAYDRUM"):
        p.update(arms="strum" if fs == "PLAYGUITAR" else "drum", swing=math.sin(t), eyes="happy", face="grin")
    elif fs == "VERYGOOD":
        p.update(eyes="happy", face="grin")
    elif fs == "GOOD":
        p.update(eyes="dot", face="smile")
    elif fs == "BAD":
        p.update(eyes="flat", face="flat")
    elif fs == "VERYBAD":
        p.update(eyes="sad", face="frown")
    # Every second frame changes the face a little, so even the resting animations live.
    if i % 2 == 1:
        if p["eyes"] in ("dot", "flat"):
            p["eyes"] = "closed"
        elif p["eyes"] == "happy":
            p["face"] = "smile" if p["face"] == "grin" else "grin"
        elif p["eyes"] == "closed":
            p["snore"] = True
        elif p["eyes"] in ("heart", "wide", "squint", "sad"):
            p["pulse"] = True
    # Resting and waiting bodies breathe.
    if p["legs"] == "stand" and p["arms"] != "up":
        p["breath"] = 1.0 if i % 2 else 0.0
    elif p["arms"] == "up":
        p["breath"] = -1.5 if i % 2 else 0.0
    return p


def hand_points(p):
    """Where the two hands are (viewer's left, viewer's right) for a pose."""
    s = p["swing"]
    return {"down": ((16, 76), (56, 76)), "swing": ((16 + 6 * s, 74), (56 + 6 * s, 74)),
            "rest": ((27, 68), (45, 68)), "up": ((12, 20 + 4 * s), (60, 20 - 4 * s)),
            "mouth": ((16, 76), (40, 32)), "cough": ((30, 64), (38, 36)),
            "money": ((27, 68), (60, 28 + 3 * s)), "strum": ((30, 64 + 6 * s), (58, 45)),
            "drum": ((24, 52 - 8 * s), (48, 52 + 8 * s))}[p["arms"]]


def draw_legs(c, S, p, cloth, kind, shoes=INK):
    if p["lying"]:
        return
    woman = kind in ("woman", "bwoman")
    trousers = shade(cloth, 0.75)
    for side, sgn in ((-1, 1), (1, -1)):
        hip = S.p(36 + 7 * side, 78)
        off = 8 * p["step"] * sgn if p["legs"] == "walk" else 0
        foot = S.p(36 + 7 * side + off, 106)
        c.line([hip, foot], fill=INK, width=S.r(11))
        c.line([hip, foot], fill=trousers if not woman else shade(cloth, 0.55), width=S.r(8.5))
        fx, fy = foot
        c.ellipse(fx - S.r(7) + side * S.r(1), fy - S.r(3), fx + S.r(7) + side * S.r(1), fy + S.r(4), fill=shoes,
                  outline=INK, width=1)


def draw_torso(c, S, p, cloth_name, kind):
    cloth = colour(cloth_name, colour("teal"))
    if cloth_name == "pyjama":
        cloth = (236, 236, 240)
    elif cloth_name == "cowspots":
        cloth = (246, 246, 242)
    elif cloth_name == "bee":
        cloth = colour("yellow")
    elif cloth_name in ("shaman", "jester"):
        cloth = colour("red")
    elif cloth_name == "mayor":
        cloth = colour("purple")
    elif cloth_name == "napoleon":
        cloth = colour("navy")
    elif cloth_name == "nightgown":
        cloth = (200, 220, 250)
    elif cloth_name == "sick":
        cloth = (200, 226, 200)
    elif cloth_name == "overall":
        cloth = colour("blue")
    woman = kind in ("woman", "bwoman")
    sl = p["slump"] + p.get("breath", 0.0)
    if cloth_name == "nightgown" and not p["lying"]:
        # A long gown down to the ankles instead of trousers.
        c.poly([S.p(22, 44 + sl), S.p(50, 44 + sl), S.p(56, 100), S.p(16, 100)], fill=cloth, width=S.r(1.6))
        draw_legs(c, S, dict(p, step=p["step"] * 0.3), cloth, "man")
        c.poly([S.p(22, 44 + sl), S.p(50, 44 + sl), S.p(56, 100), S.p(16, 100)], fill=cloth, width=S.r(1.6))
        return cloth
    draw_legs(c, S, p, cloth, kind)
    bottom = 70 if p["lying"] else 82
    body = [S.p(21, 43 + sl), S.p(51, 43 + sl), S.p(53, bottom), S.p(19, bottom)]
    c.poly(body, fill=cloth, width=S.r(1.6))
    if woman and not p["lying"]:
        c.poly([S.p(20, 72), S.p(52, 72), S.p(58, 92), S.p(14, 92)], fill=shade(cloth, 0.85), width=S.r(1.6))
    # Pattern of the clothes: what tells the families apart at a glance.
    if cloth_name == "pyjama":
        for x in range(24, 52, 7):
            c.line([S.p(x, 45 + sl), S.p(x, bottom - 1)], fill=(170, 170, 186), width=S.r(2))
        if not p["lying"] and not woman:
            for side in (-1, 1):
                hip, foot = S.p(36 + 7 * side, 80), S.p(36 + 7 * side, 100)
                c.line([hip, foot], fill=(170, 170, 186), width=S.r(1.5))
    elif cloth_name == "cowspots":
        for (x, y, r) in ((28, 52, 4), (44, 60, 5), (31, 68, 3), (46, 49, 3)):
            a, b = S.p(x, y)
            c.circle(a, b, S.r(r), fill=colour("black"), outline=None)
    elif cloth_name == "bee":
        for y in (52, 62, 72):
            c.line([S.p(21, y), S.p(52, y)], fill=colour("black"), width=S.r(4))
    elif cloth_name in ("shaman", "jester"):
        pts = [S.p(21 + 5 * j, 58 + (4 if j % 2 else -4)) for j in range(7)]
        c.line(pts, fill=colour("yellow"), width=S.r(3))
        if cloth_name == "jester":
            c.poly([S.p(36, 43), S.p(51, 43), S.p(53, bottom), S.p(36, bottom)], fill=colour("green"), width=S.r(1.6))
    elif cloth_name == "mayor":
        c.line([S.p(24, 45), S.p(36, 58), S.p(48, 45)], fill=colour("gold"), width=S.r(3))
        a, b = S.p(36, 60)
        c.circle(a, b, S.r(4), fill=colour("gold"))
    elif cloth_name == "napoleon":
        for y in (50, 58, 66):
            a, b = S.p(36, y)
            c.circle(a, b, S.r(2), fill=colour("gold"), outline=None)
        c.line([S.p(22, 45), S.p(50, 45)], fill=colour("gold"), width=S.r(3))
    elif cloth_name == "overall":
        c.rect(*S.p(26, 52), *S.p(46, 66), fill=shade(cloth, 0.8), width=S.r(1.2))
    elif cloth_name == "sick":
        for (x, y) in ((28, 54), (44, 64), (34, 70)):
            a, b = S.p(x, y)
            c.circle(a, b, S.r(2.5), fill=(120, 170, 60), outline=None)
    else:
        # A collar and a button line for plain clothes.
        c.poly([S.p(30, 43 + sl), S.p(36, 51 + sl), S.p(42, 43 + sl)], fill=shade(cloth, 1.4), width=S.r(1.2))
    return cloth


def draw_neck(c, S, kind, p):
    a, b = S.p(31, 35 + p["slump"])
    e, f = S.p(41, 46 + p["slump"])
    c.rect(a, b, e, f, fill=skin_of(kind), width=S.r(1.2))


def draw_arms(c, S, p, sleeve):
    hands = hand_points(p)
    for sh, hd in zip(SHOULDERS, hands):
        sh = (sh[0], sh[1] + p["slump"])
        elbow = ((sh[0] + hd[0]) / 2 + (3 if sh[0] > 36 else -3), (sh[1] + hd[1]) / 2)
        pts = [S.p(*sh), S.p(*elbow), S.p(*hd)]
        c.line(pts, fill=INK, width=S.r(11))
        c.line(pts, fill=sleeve, width=S.r(8))


def draw_hands(c, S, p, kind):
    hands = hand_points(p)
    if p["arms"] == "money":
        # The banknote in the raised hand.
        a, b = S.p(*hands[1])
        tilt = S.r(3) * p["swing"]
        note = [(a - S.r(13), b - S.r(20) + tilt), (a + S.r(7), b - S.r(20) - tilt), (a + S.r(7), b - S.r(4) - tilt),
                (a - S.r(13), b - S.r(4) + tilt)]
        c.poly(note, fill=(120, 200, 110), width=S.r(1.4))
        c.text(a - S.r(3), b - S.r(12), "$", S.r(11), fill=(30, 110, 40), stroke=None)
    for hd in hands:
        a, b = S.p(*hd)
        c.circle(a, b, S.r(5), fill=skin_of(kind), width=S.r(1.3))


HAIR = {"blond": "blond", "black": "black", "brown": "brown", "red": "red", "grey": "grey", "ginger": "ginger",
        "rust": "rust"}


def draw_head(c, S, kind, hair_name, feature, p, i):
    hx, hy, hr = HEAD
    sick = feature == "sick"
    skin = SKINS["sick"] if sick else skin_of(kind)
    if p.get("sick"):
        skin = tuple(int(a * 0.55 + b * 0.45) for a, b in zip(skin, (150, 205, 100)))
    if feature == "tiny":
        hy, hr = 28, 10
    hair = colour(HAIR.get(hair_name, "brown"))
    cx, cy = S.p(hx, hy)
    r = S.r(hr) * (1.18 if kind == "child" else 1.0)
    if kind in ("woman", "bwoman") and feature not in ("bear", "nightcap"):
        # Long hair behind the head, down the sides to the shoulders (not under the chin).
        c.ellipse(cx - r * 1.2, cy - r * 1.08, cx + r * 1.2, cy + r * 0.85, fill=hair, width=1.4)
        for sx in (-1, 1):
            c.rect(min(cx + sx * r * 0.75, cx + sx * r * 1.2), cy, max(cx + sx * r * 0.75, cx + sx * r * 1.2),
                   cy + r * 1.35, fill=hair, width=1.4, r=r * 0.2)
    if feature == "bear":
        for sx in (-1, 1):
            c.circle(cx + sx * r * 0.8, cy - r * 0.85, r * 0.42, fill=colour("brown"), width=1.4)
    if feature == "catears":
        for sx in (-1, 1):
            c.poly([(cx + sx * r * 0.3, cy - r * 0.8), (cx + sx * r * 1.0, cy - r * 1.5), (cx + sx * r * 0.95, cy - r * 0.3)],
                   fill=colour("black"), width=1.4)
    if feature == "squirrel":
        c.ellipse(cx + r * 0.7, cy - r * 1.2, cx + r * 1.9, cy + r * 1.1, fill=colour("rust"), width=1.4)
    c.circle(cx, cy, r, fill=skin, width=1.6)
    # Hair on top.
    if kind == "bwoman":
        for k in range(-2, 3):
            c.circle(cx + k * r * 0.38, cy - r * 0.85, r * 0.38, fill=hair, outline=None)
    elif feature not in ("bear", "nightcap", "helmet", "bicorne", "greenhat", "mask", "goggles"):
        c.ellipse(cx - r * 0.95, cy - r * 1.08, cx + r * 0.95, cy - r * 0.15, fill=hair, outline=None)
    if feature == "bear":
        c.ellipse(cx - r * 1.02, cy - r * 1.05, cx + r * 1.02, cy - r * 0.2, fill=colour("brown"), outline=INK, width=1.2)
    draw_face(c, cx, cy, r, p, i, feature)
    draw_feature(c, cx, cy, r, feature, p, i)


def draw_face(c, cx, cy, r, p, i, feature):
    eyes, mouth = p["eyes"], p["face"]
    ex, ey = r * 0.38, cy - r * 0.05
    er = r * 0.13
    for sx in (-1, 1):
        x = cx + sx * ex
        if eyes == "dot" or eyes == "flat":
            c.circle(x, ey, er, fill=INK, outline=None)
            if eyes == "flat":
                c.line([(x - er * 2, ey - er * 2.2), (x + er * 2, ey - er * 2.2)], fill=INK, width=1.4)
        elif eyes == "closed":
            c.arc(x - er * 2, ey - er * 1.5, x + er * 2, ey + er * 1.5, 20, 160, fill=INK, width=1.5)
        elif eyes == "happy":
            c.arc(x - er * 2, ey - er * 1, x + er * 2, ey + er * 3, 200, 340, fill=INK, width=1.6)
        elif eyes == "sad":
            c.circle(x, ey + er * 0.5, er, fill=INK, outline=None)
            c.line([(x - sx * er * 2.4, ey - er * 3.2), (x + sx * er * 2.0, ey - er * 1.6)], fill=INK, width=1.4)
        elif eyes == "wide":
            c.circle(x, ey, er * 2.1, fill=(255, 255, 255), width=1.1)
            c.circle(x, ey, er * 0.9, fill=INK, outline=None)
        elif eyes == "squint":
            c.line([(x - er * 2, ey - er), (x + er * 2, ey + er * (1 if sx < 0 else -1))], fill=INK, width=1.5)
        elif eyes == "heart":
            c.poly(heart_points(x, ey, er * (3.8 if p.get("pulse") else 3.0)), fill=colour("red"), outline=None)
    my = cy + r * 0.45
    mw = r * 0.42
    if mouth == "smile":
        c.arc(cx - mw, my - mw * 0.8, cx + mw, my + mw * 0.5, 20, 160, fill=INK, width=1.5)
    elif mouth == "grin":
        c.ellipse(cx - mw, my - mw * 0.35, cx + mw, my + mw * 0.75, fill=(200, 60, 70), width=1.3)
        c.rect(cx - mw * 0.8, my - mw * 0.35, cx + mw * 0.8, my + mw * 0.05, fill=(255, 255, 255), outline=None)
    elif mouth == "flat":
        c.line([(cx - mw * 0.7, my), (cx + mw * 0.7, my)], fill=INK, width=1.5)
    elif mouth == "frown":
        c.arc(cx - mw, my, cx + mw, my + mw * 1.2, 200, 340, fill=INK, width=1.6)
    elif mouth == "o":
        c.ellipse(cx - mw * 0.35, my - mw * 0.3, cx + mw * 0.35, my + mw * 0.6, fill=(120, 40, 50), width=1.2)
    elif mouth == "wavy":
        pts = [(cx - mw + k * mw / 3, my + (1.2 if k % 2 else -1.2) * mw * 0.15) for k in range(7)]
        c.line(pts, fill=INK, width=1.4)
    # Extras that make illness and mood readable.
    if eyes == "sad" and mouth == "frown":
        ty = ey + r * (0.35 + 0.25 * (i % 2))
        c.ellipse(cx - ex - er, ty, cx - ex + er, ty + er * 3, fill=colour("sky"), outline=None)
    if mouth == "wavy":
        for sx in (-1, 1):
            c.circle(cx + sx * r * 0.55, cy + r * 0.25, r * 0.16, fill=(140, 200, 90), outline=None)
        c.line([(cx + r * 0.1, my), (cx + r * 0.75, my - r * 0.25)], fill=(250, 250, 250), width=2.2)
        c.circle(cx + r * 0.78, my - r * 0.27, r * 0.08, fill=colour("red"), outline=None)
    if eyes == "squint":
        c.circle(cx, cy + r * 0.12, r * 0.16, fill=colour("red"), outline=None)
        dy = r * 0.2 * (i % 2)
        c.ellipse(cx + r * 0.95, cy - r * 0.6 + dy, cx + r * 1.2, cy - r * 0.2 + dy, fill=colour("sky"), outline=None)
    if p.get("sick"):
        # Queasy lines over the head and a cough cloud at the mouth.
        for k in (-1, 0, 1):
            x = cx + k * r * 0.55
            c.line([(x, cy - r * 1.1), (x + r * 0.15, cy - r * 1.25), (x - r * 0.1, cy - r * 1.4)],
                   fill=(90, 150, 60), width=1.6)
        if mouth == "o":
            for k, (dx, dy) in enumerate(((1.15, 0.45), (1.45, 0.2), (1.55, 0.6))):
                c.circle(cx + r * dx, cy + r * dy, r * (0.2 - 0.04 * k), fill=(200, 225, 170), outline=(90, 150, 60), width=1)
    if p.get("rosy"):
        for sx in (-1, 1):
            c.circle(cx + sx * r * 0.6, cy + r * 0.3, r * 0.17, fill=(245, 130, 140), outline=None)
        if i % 2 == 0:
            for (dx, dy) in ((-1.3, -0.9), (1.35, -1.1)):
                c.text(cx + r * dx, cy + r * dy, "+", r * 0.7, fill=colour("gold"), stroke=None)
    if p.get("snore"):
        c.text(cx + r * 1.05, cy - r * 0.9, "z", r * 0.7, fill=colour("sky"), stroke=(255, 255, 255))
    if p.get("pulse"):
        c.ellipse(cx - r * 1.05, cy - r * 0.75, cx - r * 0.8, cy - r * 0.3, fill=colour("sky"), outline=None)
    if eyes == "closed" and mouth == "flat":
        c.circle(cx - r * 0.5, cy + r * 0.3, r * 0.14, fill=(240, 150, 150), outline=None)
        c.circle(cx + r * 0.5, cy + r * 0.3, r * 0.14, fill=(240, 150, 150), outline=None)


def draw_feature(c, cx, cy, r, f, p, i):
    if f == "horns":
        for sx in (-1, 1):
            c.poly([(cx + sx * r * 0.5, cy - r * 0.8), (cx + sx * r * 1.2, cy - r * 1.35), (cx + sx * r * 0.85, cy - r * 0.55)],
                   fill=colour("cream"), width=1.2)
    elif f == "goggles":
        c.ellipse(cx - r, cy - r * 1.05, cx + r, cy - r * 0.25, fill=colour("sky"), width=1.4)
        for sx in (-1, 1):
            c.circle(cx + sx * r * 0.38, cy - r * 0.05, r * 0.3, fill=(200, 240, 255, 180), width=1.4)
            g = 0.12 if i % 2 else -0.12
            c.circle(cx + sx * r * 0.38 + g * r, cy - r * 0.12, r * 0.08, fill=(255, 255, 255), outline=None)
    elif f == "bees":
        for k in range(3):
            a = 2 * math.pi * (k / 3 + i / 4)
            bx, by = cx + math.cos(a) * r * 1.35, cy - r * 0.6 + math.sin(a) * r * 0.5
            c.ellipse(bx - r * 0.22, by - r * 0.14, bx + r * 0.22, by + r * 0.14, fill=colour("yellow"), width=1)
        c.ellipse(cx - r * 0.75, cy - r * 0.25, cx - r * 0.05, cy + r * 0.15, fill=(30, 30, 30), outline=None)
        c.ellipse(cx + r * 0.05, cy - r * 0.25, cx + r * 0.75, cy + r * 0.15, fill=(30, 30, 30), outline=None)
    elif f == "scarf":
        c.rect(cx - r * 0.8, cy + r * 0.85, cx + r * 0.8, cy + r * 1.3, fill=colour("red"), width=1.2, r=2)
        c.rect(cx + r * 0.3, cy + r * 1.1, cx + r * 0.7, cy + r * 2.0, fill=colour("red"), width=1.2)
    elif f == "knot":
        c.line([(cx - r, cy - r * 0.5), (cx + r, cy - r * 0.5)], fill=(255, 255, 255), width=3)
        c.circle(cx + r, cy - r * 0.6, r * 0.2, fill=(255, 255, 255), width=1)
    elif f == "trunk":
        c.line([(cx, cy + r * 0.1), (cx + r * 0.1, cy + r * 0.8), (cx - r * 0.2, cy + r * 1.3)], fill=INK, width=7)
        c.line([(cx, cy + r * 0.1), (cx + r * 0.1, cy + r * 0.8), (cx - r * 0.2, cy + r * 1.3)], fill=(170, 170, 180), width=5)
        for sx in (-1, 1):
            c.ellipse(cx + sx * r * 0.8, cy - r * 0.5, cx + sx * r * 1.5, cy + r * 0.5, fill=(170, 170, 180), width=1.2)
    elif f == "mask":
        c.ellipse(cx - r * 0.9, cy - r * 0.9, cx + r * 0.9, cy + r * 0.95, fill=colour("wood"), width=1.4)
        for sx in (-1, 1):
            c.circle(cx + sx * r * 0.38, cy - r * 0.1, r * 0.2, fill=(255, 255, 255), width=1)
        c.line([(cx - r * 0.4, cy + r * 0.5), (cx + r * 0.4, cy + r * 0.5)], fill=(255, 255, 255), width=2)
        for k, col in enumerate(("red", "yellow", "green")):
            x = cx + (k - 1) * r * 0.5 + (r * 0.08 if i % 2 else 0)
            c.poly([(x - r * 0.15, cy - r * 0.85), (x, cy - r * 1.8), (x + r * 0.15, cy - r * 0.85)], fill=colour(col), width=1)
    elif f == "sideburns":
        for sx in (-1, 1):
            c.rect(cx + sx * r * 0.95 - r * 0.2, cy - r * 0.4, cx + sx * r * 0.95 + r * 0.2, cy + r * 0.75,
                   fill=colour("ginger"), width=1)
    elif f == "greenhat":
        c.rect(cx - r * 1.1, cy - r * 0.9, cx + r * 1.1, cy - r * 0.7, fill=colour("green"), width=1.2)
        c.rect(cx - r * 0.7, cy - r * 1.8, cx + r * 0.7, cy - r * 0.8, fill=colour("green"), width=1.2)
        c.rect(cx - r * 0.7, cy - r * 1.1, cx + r * 0.7, cy - r * 0.9, fill=colour("black"), outline=None)
    elif f == "bandage":
        c.rect(cx - r, cy - r * 0.75, cx + r, cy - r * 0.45, fill=(255, 255, 255), width=1)
        c.line([(cx - r * 0.5, cy - r * 0.85), (cx - r * 0.1, cy - r * 0.35)], fill=colour("red"), width=2)
    elif f == "flower":
        for k in range(5):
            a = 2 * math.pi * k / 5
            c.circle(cx + r * 0.8 + math.cos(a) * r * 0.3, cy - r * 0.8 + math.sin(a) * r * 0.3, r * 0.2,
                     fill=colour("pink"), width=1)
        c.circle(cx + r * 0.8, cy - r * 0.8, r * 0.15, fill=colour("yellow"), outline=None)
    elif f == "nightcap":
        c.poly([(cx - r * 1.05, cy - r * 0.3), (cx + r * 1.05, cy - r * 0.3), (cx + r * 1.6, cy + r * 0.4),
                (cx + r * 1.2, cy - r * 1.1), (cx, cy - r * 1.2)], fill=colour("sky"), width=1.3)
        c.circle(cx + r * 1.6, cy + r * 0.45, r * 0.22, fill=(255, 255, 255), width=1)
    elif f == "pear":
        c.ellipse(cx - r * 0.5, cy - r * 1.9, cx + r * 0.5, cy - r * 0.7, fill=colour("lime"), width=1.3)
        c.line([(cx, cy - r * 1.9), (cx + r * 0.15, cy - r * 2.2)], fill=colour("brown"), width=2)
    elif f == "bicorne":
        c.poly([(cx - r * 1.4, cy - r * 0.6), (cx, cy - r * 1.7), (cx + r * 1.4, cy - r * 0.6), (cx, cy - r * 0.8)],
               fill=colour("black"), width=1.3)
        c.circle(cx, cy - r * 1.0, r * 0.2, fill=colour("red"), outline=None)
    elif f == "dots":
        for (a, b) in ((-0.5, 0.3), (0.45, 0.35), (0.1, -0.4), (-0.2, 0.6)):
            c.circle(cx + a * r, cy + b * r, r * 0.12, fill=colour("red"), outline=None)
    elif f == "feather":
        c.ellipse(cx + r * 0.3, cy - r * 2.0, cx + r * 0.8, cy - r * 0.7, fill=(255, 255, 255), width=1.2)
        for (a, b) in ((-0.5, 0.3), (0.45, 0.35)):
            c.circle(cx + a * r, cy + b * r, r * 0.09, fill=(220, 170, 150), outline=None)
    elif f == "comb":
        for k in range(3):
            c.circle(cx + (k - 1) * r * 0.35, cy - r * 1.1, r * 0.25, fill=colour("red"), width=1)
        for (a, b) in ((-0.55, 0.25), (0.5, 0.3), (0.0, 0.65), (-0.2, -0.4)):
            c.circle(cx + a * r, cy + b * r, r * 0.11, fill=colour("red"), outline=None)
    elif f == "helmet":
        c.ellipse(cx - r * 1.05, cy - r * 1.15, cx + r * 1.05, cy + r * 0.1, fill=colour("gold"), width=1.4)
        c.rect(cx - r * 1.1, cy - r * 0.15, cx + r * 1.1, cy + r * 0.05, fill=colour("gold"), width=1.2)
        c.line([(cx, cy - r * 1.15), (cx, cy - r * 0.15)], fill=colour("red"), width=2)
    elif f == "jester":
        for sx, col in ((-1, "red"), (1, "green")):
            c.poly([(cx, cy - r * 0.6), (cx + sx * r * 1.5, cy - r * 1.6), (cx + sx * r * 0.9, cy - r * 0.3)],
                   fill=colour(col), width=1.3)
            c.circle(cx + sx * r * 1.5, cy - r * 1.6, r * 0.2, fill=colour("yellow"), width=1)
    elif f == "cap":
        c.ellipse(cx - r, cy - r * 1.1, cx + r, cy - r * 0.2, fill=(255, 255, 255), width=1.2)
        c.text(cx, cy - r * 0.65, "+", r * 0.7, fill=colour("red"), stroke=None)
    elif f == "hardhat":
        c.ellipse(cx - r * 1.05, cy - r * 1.15, cx + r * 1.05, cy - r * 0.1, fill=colour("yellow"), width=1.4)
        c.rect(cx - r * 1.3, cy - r * 0.3, cx + r * 1.3, cy - r * 0.1, fill=colour("yellow"), width=1.2)
    waiting = p.get("waiting")
    if waiting:
        bx, by = cx + r * 1.1, cy - r * 1.2 - (r * 0.1 if i % 2 else 0)
        c.circle(bx, by, r * 0.45, fill=(255, 255, 255), width=1.2)
        c.text(bx, by, "!", r * 0.6, fill=colour("red"), stroke=None)


def paint_person(w, h, index, count, p):
    """Patient parts. part: body, head, arm (the pyjama arm), hands (its skin), skin (the body's)."""
    c = Canvas(w, h)
    fs = p.get("_fs", "FRAMESET1")
    kind = p.get("kind", "man")
    S = space_for(c, kind)
    pose = patient_pose(fs, index, count)
    pose["waiting"] = fs.endswith("WAITING")
    part = p.get("part", "body")
    if part == "body":
        draw_torso(c, S, pose, p.get("cloth", "teal"), kind)
    elif part == "skin":
        draw_neck(c, S, kind, pose)
    elif part == "arm":
        draw_arms(c, S, pose, (232, 232, 238))
    elif part == "hands":
        draw_hands(c, S, pose, kind)
    elif part == "head":
        draw_head(c, S, kind, p.get("hair", "brown"), p.get("feature", ""), pose, index)
    return c.done()


# --- the player figure: a 64 x 96 frame, foot point (32, 88) -----------------------------------
COATS = {"white": ((248, 248, 250), "sky"), "sky": ((196, 226, 250), "blue"), "mint": ((190, 240, 214), "teal"),
         "lilac": ((226, 208, 248), "purple"), "gold": ((252, 236, 170), "orange")}
DIRS = ("DOWN", "LEFT", "RIGHT", "UP")


def player_pose(fs, i, n):
    t = 2 * math.pi * i / max(1, n)
    p = dict(dir="DOWN", step=0.0, arms=None, mouth="smile", eyes="dot", lean=0.0, tap=0)
    if fs in DIRS:
        p.update(dir=fs, step=math.sin(t))
    elif fs == "BORED1":
        # A yawn behind one hand: idle, never read as cheering (she raises no arms for anything).
        lift = math.sin(math.pi * i / max(1, n - 1))
        p.update(arms=("yawn", lift), mouth="o" if 0 < i < n - 1 else "smile", eyes="closed" if i in (2, 3) else "dot")
    elif fs == "BORED2":
        p.update(arms=("watch", 0), eyes="down" if i % 3 else "dot", mouth="flat" if i % 3 == 0 else "smile")
    elif fs == "BORED3":
        p.update(arms=("hips", 0), tap=i % 2, mouth="whistle")
    elif fs == "VYSETRENI":
        p.update(arms=("forward", math.sin(t)), lean=2.0, eyes="down")
    return p


def player_shoulders(d):
    return (19, 33), (45, 33)


def player_hands(fs, side, hold, pose, idx):
    """Hand position of the left or right hand holder for a frameset index."""
    left = side == "left"
    if hold:
        if idx == 3:
            return (5, 30) if left else (54, 30)
        return (58, 30) if left else (6, 30)
    swing = 5 * pose["step"]
    if pose["dir"] == "UP":
        return (14 - swing, 60) if left else (50 + swing, 60)
    return (50 + swing, 60) if left else (14 - swing, 60)


def draw_doctor_body(c, coat, male, fs, i, n, reach=False):
    """With `reach`, the examination is drawn beside the bed's head end: both hands reach left,
    over the patient, into the room the widened frame gives."""
    pose = player_pose(fs, i, n)
    if reach:
        pose["lean"] = -pose["lean"]
    main, trim_name = COATS.get(coat, COATS["white"])
    trim = colour(trim_name)
    d = pose["dir"]
    lean = pose["lean"]
    # Legs.
    for side in (-1, 1):
        off = 6 * pose["step"] * side if d in ("DOWN", "UP") else 7 * pose["step"] * side
        hip = (32 + 6 * side, 64)
        foot = (32 + 6 * side + (off if d in ("LEFT", "RIGHT") else 0), 86 - (abs(off) * 0.4 if d in ("DOWN", "UP") else 0))
        if pose["tap"] and side == 1:
            foot = (foot[0], foot[1] - 3)
        c.line([hip, foot], fill=INK, width=10)
        c.line([hip, foot], fill=colour("navy"), width=7.5)
        c.ellipse(foot[0] - 6, foot[1] - 2, foot[0] + 6, foot[1] + 5, fill=colour("black"), width=1)
    # Coat.
    body = [(18 + lean, 30), (46 + lean, 30), (49, 70), (15, 70)]
    c.poly(body, fill=main, width=1.6)
    if d == "UP":
        c.line([(32, 34), (32, 70)], fill=shade(main, 0.8), width=1.4)
    else:
        c.poly([(26 + lean, 30), (32 + lean, 44), (38 + lean, 30)], fill=trim, width=1.2)
        c.line([(32 + lean, 44), (32, 70)], fill=shade(main, 0.75), width=1.3)
        c.rect(37, 48, 44, 54, fill=shade(main, 0.92), width=1)
        c.line([(39, 48), (39, 45)], fill=colour("blue"), width=1.5)
    # Arms drawn by the body only while the hand holders are hidden.
    arms = pose["arms"]
    if arms:
        kind, v = arms
        sl, sr = player_shoulders(d)
        if kind == "yawn":
            hl, hr = (14, 60), (34 + 6 * (1 - v), 26 + 22 * (1 - v))
        elif kind == "watch":
            hl, hr = (14, 60), (34, 42)
        elif kind == "hips":
            hl, hr = (12, 52), (52, 52)
        elif reach:
            hl, hr = (-14 + 2 * v, 46), (-4 - 2 * v, 54)
        else:
            hl, hr = (24 + 2 * v, 56), (40 - 2 * v, 56)
        for s0, h0 in ((sl, hl), (sr, hr)):
            c.line([s0, h0], fill=INK, width=10)
            c.line([s0, h0], fill=main, width=7.5)
            c.circle(h0[0], h0[1], 4.2, fill=SKINS["woman"], width=1.2)
        if kind == "watch":
            c.rect(31, 38, 38, 44, fill=colour("gold"), width=1)
    # Head.
    skin = SKINS["man" if male else "woman"]
    hair = colour("brown" if male else "ginger")
    hx = 32 + lean + (-3 if d == "LEFT" else 3 if d == "RIGHT" else 0)
    hy = 17 + lean * 0.5
    c.rect(28, 25, 36, 32, fill=skin, width=1.2)
    if not male:
        c.ellipse(hx - 14, hy - 12, hx + 14, hy + 9, fill=hair, width=1.4)
        for sx in (-1, 1):
            c.rect(min(hx + sx * 9, hx + sx * 14), hy, max(hx + sx * 9, hx + sx * 14), hy + 15, fill=hair, width=1.3, r=2)
    c.circle(hx, hy, 12, fill=skin, width=1.5)
    if d == "UP":
        c.ellipse(hx - 12.5, hy - 12.5, hx + 12.5, hy + (6 if male else 14), fill=hair, width=1.4)
        return
    c.ellipse(hx - 12, hy - 13, hx + 12, hy - 3, fill=hair, outline=None)
    if male:
        c.rect(hx - 12, hy - 8, hx - 9, hy + 2, fill=hair, outline=None)
        c.rect(hx + 9, hy - 8, hx + 12, hy + 2, fill=hair, outline=None)
    # Face: one eye in profile.
    eyes = [hx - 4.5, hx + 4.5]
    if d == "LEFT":
        eyes = [hx - 5]
    elif d == "RIGHT":
        eyes = [hx + 5]
    for ex in eyes:
        if pose["eyes"] == "closed":
            c.arc(ex - 2, hy - 2, ex + 2, hy + 2, 20, 160, fill=INK, width=1.3)
        elif pose["eyes"] == "down":
            c.circle(ex, hy + 1.5, 1.5, fill=INK, outline=None)
        else:
            c.circle(ex, hy, 1.6, fill=INK, outline=None)
    mx = hx + (-3 if d == "LEFT" else 3 if d == "RIGHT" else 0)
    if pose["mouth"] == "o":
        c.ellipse(mx - 2.5, hy + 4, mx + 2.5, hy + 9, fill=(120, 40, 50), width=1)
    elif pose["mouth"] == "flat":
        c.line([(mx - 3, hy + 6), (mx + 3, hy + 6)], fill=INK, width=1.3)
    elif pose["mouth"] == "whistle":
        c.circle(mx + 1, hy + 6, 1.5, fill=(120, 40, 50), outline=None)
        c.text(mx + 13, hy - 8, "~", 9, fill=colour("navy"), stroke=None)
    else:
        c.arc(mx - 4, hy + 2, mx + 4, hy + 8, 20, 160, fill=INK, width=1.3)
    if not male:
        c.circle(hx + (10 if d != "LEFT" else -10), hy - 9, 3, fill=trim, width=1)


def paint_doctor(w, h, index, count, p):
    c = Canvas(w, h, zoom=int(p.get("_zoom", 1)))
    fs = p.get("_fs", "DOWN")
    part = p.get("part", "body")
    male = p.get("male") == "1"
    coat = p.get("coat", "white")
    if part == "portrait":
        return paint_portrait(w, h, index, count, p)
    if fs == "INVISIBLE":
        return c.done()
    reach = int(p.get("_widen", "0")) > 0
    c.ox = int(p.get("_widen", "0"))
    idx = list(("DOWN", "LEFT", "RIGHT", "UP", "BORED1", "BORED2", "BORED3", "VYSETRENI")).index(fs) \
        if fs in ("DOWN", "LEFT", "RIGHT", "UP", "BORED1", "BORED2", "BORED3", "VYSETRENI") else 0
    pose = player_pose(fs if fs != "FRAMESET1" else "DOWN", index if fs != "FRAMESET1" else 0, count)
    if reach:
        pose["lean"] = -pose["lean"]
    if part == "body":
        draw_doctor_body(c, coat, male, fs if fs != "FRAMESET1" else "DOWN", index if fs != "FRAMESET1" else 0, count,
                         reach)
    elif part == "hand":
        if pose["arms"]:
            return c.done()  # the body draws its own arms in these
        side = p.get("side", "left")
        hold = p.get("hold") == "1"
        hand = player_hands(fs, side, hold, pose, idx)
        sl, sr = player_shoulders(pose["dir"])
        left_on_right = pose["dir"] != "UP"
        sh = (sr if left_on_right else sl) if side == "left" else (sl if left_on_right else sr)
        main = COATS.get(coat, COATS["white"])[0]
        elbow = ((sh[0] + hand[0]) / 2 + (4 if sh[0] > 32 else -4), (sh[1] + hand[1]) / 2 + (6 if hold else 0))
        c.line([sh, elbow, hand], fill=INK, width=10)
        c.line([sh, elbow, hand], fill=main, width=7.5)
        c.circle(hand[0], hand[1], 4.5, fill=SKINS["man" if male else "woman"], width=1.3)
    elif part == "shoes":
        level = int(p.get("level", "1"))
        col = colour(("brown", "black", "red", "blue", "gold")[level - 1])
        d = pose["dir"]
        for side in (-1, 1):
            off = 6 * pose["step"] * side if d in ("DOWN", "UP") else 7 * pose["step"] * side
            foot = (32 + 6 * side + (off if d in ("LEFT", "RIGHT") else 0), 86 - (abs(off) * 0.4 if d in ("DOWN", "UP") else 0))
            if pose["tap"] and side == 1:
                foot = (foot[0], foot[1] - 3)
            c.ellipse(foot[0] - 7, foot[1] - 3, foot[0] + 7, foot[1] + 5, fill=col, width=1.3)
            if level >= 3:
                c.line([(foot[0] - 4, foot[1]), (foot[0] + 4, foot[1])], fill=(255, 255, 255), width=1.5)
    elif part == "steto":
        level = int(p.get("level", "1"))
        col = colour(("grey", "sky", "green", "purple", "gold")[level - 1])
        lean = pose["lean"]
        if pose["dir"] == "UP":
            c.arc(20, 22, 44, 40, 200, 340, fill=col, width=2.5)
        elif pose["arms"] and pose["arms"][0] == "forward" and reach:
            v = pose["arms"][1]
            c.line([(25 + lean, 31), (14, 40), (-12 + 2 * v, 47)], fill=col, width=2.5)
            c.line([(39 + lean, 31), (30, 44), (-12 + 2 * v, 47)], fill=col, width=2.5)
            c.circle(-14 + 2 * v, 48, 3.5, fill=(220, 220, 230), width=1.2)
        elif pose["arms"] and pose["arms"][0] == "forward":
            c.line([(25 + lean, 31), (28, 44), (32, 54)], fill=col, width=2.5)
            c.line([(39 + lean, 31), (36, 44), (32, 54)], fill=col, width=2.5)
            c.circle(32, 56, 3.5, fill=(220, 220, 230), width=1.2)
        else:
            c.line([(25 + lean, 30), (26, 40), (30, 46)], fill=col, width=2.5)
            c.line([(39 + lean, 30), (38, 40), (34, 46)], fill=col, width=2.5)
            c.circle(32, 48, 3.2, fill=(220, 220, 230), width=1.2)
    return c.done()


def standing_hero(c, w, h, male, main, trim_name):
    """The hero from head to shoes, as tall as the frame allows within its width."""
    # Drawn in units of a figure 80 wide and 240 tall, feet on the frame's inner bottom edge.
    k = min((w - 16) / 80, (h - 20) / 240)
    cx = w / 2
    top = h - 10 - 240 * k

    def X(u):
        return cx + u * k

    def Y(u):
        return top + u * k

    skin = SKINS["man" if male else "woman"]
    hair = colour("brown" if male else "ginger")
    trousers = colour("navy", (52, 60, 96))
    if not male:
        c.rect(X(-24), Y(16), X(24), Y(78), fill=hair, width=1.4, r=8 * k)
    for sx in (-1, 1):
        c.rect(min(X(4 * sx), X(16 * sx)), Y(166), max(X(4 * sx), X(16 * sx)), Y(230), fill=trousers, width=1.2)
        c.ellipse(min(X(2 * sx), X(19 * sx)), Y(224), max(X(2 * sx), X(19 * sx)), Y(238), fill=INK, outline=None)
    for sx in (-1, 1):
        c.rect(min(X(29 * sx), X(40 * sx)), Y(66), max(X(29 * sx), X(40 * sx)), Y(148), fill=main, width=1.2, r=4 * k)
        c.circle(X(34.5 * sx), Y(154), 6.5 * k, fill=skin, width=1.1)
    c.poly([(X(-30), Y(62)), (X(30), Y(62)), (X(34), Y(172)), (X(-34), Y(172))], fill=main, width=1.4)
    c.poly([(X(-11), Y(62)), (X(0), Y(88)), (X(11), Y(62))], fill=colour(trim_name), width=1.1)
    c.line([(X(0), Y(88)), (X(0), Y(170))], fill=shade(main, 0.8), width=1.0)
    c.rect(X(-6), Y(48), X(6), Y(64), fill=skin, width=1.1)
    c.arc(X(-18), Y(60), X(18), Y(104), 20, 160, fill=colour("grey"), width=max(1.0, 3 * k))
    c.circle(X(0), Y(30), 22 * k, fill=skin, width=1.4)
    c.ellipse(X(-23), Y(6), X(23), Y(26), fill=hair, outline=None)
    for sx in (-1, 1):
        c.circle(X(8 * sx), Y(31), 2.6 * k, fill=INK, outline=None)
    c.arc(X(-9), Y(34), X(9), Y(46), 20, 160, fill=INK, width=max(1.0, 2 * k))


def paint_portrait(w, h, index, count, p):
    """A large bust of the hero (hero choice buttons, victory screen)."""
    c = Canvas(w, h)
    male = p.get("male") == "1"
    main, trim_name = COATS.get(p.get("coat", "white"), COATS["white"])
    if p.get("frame") == "1" and h > 1.6 * w:
        # A frame this narrow is filled by the whole figure; a bust would sit small at its foot.
        glow = colour("gold") if index == 1 else colour("sky")
        c.rect(2, 2, w - 2, h - 2, fill=shade(glow, 1.6), outline=INK, width=2, r=6)
        c.rect(6, 6, w - 6, h - 6, fill=None, outline=glow, width=2.5, r=4)
        standing_hero(c, w, h, male, main, trim_name)
        return c.done()
    k = min(w / 180, h / 240)
    if p.get("frame") == "1":
        k *= 0.92
    cx = w / 2
    if p.get("frame") == "1":
        glow = colour("gold") if index == 1 else colour("sky")
        c.rect(2, 2, w - 2, h - 2, fill=shade(glow, 1.6), outline=INK, width=2, r=14 * k)
        c.rect(8, 8, w - 8, h - 8, fill=None, outline=glow, width=3, r=10 * k)
    # Shoulders and coat.
    c.poly([(cx - 70 * k, h - 8), (cx - 58 * k, h - 90 * k), (cx + 58 * k, h - 90 * k), (cx + 70 * k, h - 8)], fill=main, width=2)
    c.poly([(cx - 20 * k, h - 90 * k), (cx, h - 40 * k), (cx + 20 * k, h - 90 * k)], fill=colour(trim_name), width=1.6)
    c.arc(cx - 36 * k, h - 92 * k, cx + 36 * k, h - 30 * k, 20, 160, fill=colour("grey"), width=4 * k)
    skin = SKINS["man" if male else "woman"]
    hy = h - 150 * k
    hair = colour("brown" if male else "ginger")
    if not male:
        c.ellipse(cx - 54 * k, hy - 50 * k, cx + 54 * k, hy + 38 * k, fill=hair, width=2)
        for sx in (-1, 1):
            c.rect(min(cx + sx * 34 * k, cx + sx * 54 * k), hy, max(cx + sx * 34 * k, cx + sx * 54 * k), hy + 66 * k,
                   fill=hair, width=2, r=8 * k)
    c.rect(cx - 14 * k, hy + 30 * k, cx + 14 * k, hy + 62 * k, fill=skin, width=1.6)
    c.circle(cx, hy, 46 * k, fill=skin, width=2)
    c.ellipse(cx - 46 * k, hy - 50 * k, cx + 46 * k, hy - 12 * k, fill=hair, outline=None)
    for sx in (-1, 1):
        c.circle(cx + sx * 17 * k, hy + 2 * k, 5 * k, fill=INK, outline=None)
    c.arc(cx - 18 * k, hy + 6 * k, cx + 18 * k, hy + 30 * k, 20, 160, fill=INK, width=3 * k)
    if p.get("frame") != "1":
        # The hero choice writes the hero's name under its own picture.
        c.text(cx, h - 28 * k, "DR. " + ("ZIVUVOV" if male else "HANNAH"), 18 * k, fill=(255, 255, 255), fit=w - 20)
    return c.done()


# --- staff, visitors and animals ----------------------------------------------------------------
def figure(c, S, cloth, kind, hair, feature, fs, i, n):
    """A whole person in the patient frame space (body, arms, hands, head)."""
    pose = patient_pose(fs, i, n)
    draw_torso(c, S, pose, cloth, kind)
    draw_neck(c, S, kind, pose)
    sleeve = colour(cloth, (200, 200, 200)) if cloth not in ("jester", "overall") else colour("red")
    draw_arms(c, S, pose, sleeve)
    draw_hands(c, S, pose, kind)
    draw_head(c, S, kind, hair, feature, pose, i)


def paint_staff(w, h, index, count, p):
    c = Canvas(w, h)
    fs = p.get("_fs", "FRAMESET1")
    who = p.get("who", "nurse")
    cloth = p.get("cloth", "pink")
    if who in ("desknurse", "counternurse"):
        S = Space(c, 0.62, ox=(w - 72 * 0.62) / 2 - 36 + 36 * 0.62 * 0 + 0, oy=-44 * 0.62 + 2, sx=1.0)
        S = Space(c, 0.7, ox=w / 2 - 36, oy=-40)
        busy = fs == "AKTIVNI" or (who == "counternurse" and index == 1)
        figure(c, S, cloth, "woman", "brown", "cap", "ILIKEYOU" if busy and index % 2 else "FRAMESET1", index, count)
        desk = colour("wood") if who == "desknurse" else colour("sky")
        c.rect(2, 50, w - 2, h - 4, fill=desk, width=1.8, r=4)
        c.rect(2, 50, w - 2, 58, fill=shade(desk, 1.3), width=1.4)
        c.text(w / 2, 74, "REGISTRATION" if who == "desknurse" else "PHARMACY", 9, fill=(255, 255, 255), fit=w - 10)
        if who == "desknurse":
            # The blood-pressure cuff's bulb, pumped while she is busy.
            bx = 20 + (3 if busy and index % 2 else 0)
            c.circle(bx, 46, 5, fill=colour("black"), width=1)
        return c.done()
    if who == "parents":
        # The pair stands right of the card that the game writes their bed number on (x 6 to 20
        # from y 62): the card is held out, white, so the number reads at a glance.
        mood = {"WAITING": "FRAMESET1", "SMUTNO": "VERYBAD", "MATCH": "ILIKEYOU"}.get(fs, "FRAMESET1")
        for ox, kind, hair in ((2, "man", "brown"), (-10, "woman", "blond")):
            S = Space(c, 0.74, ox=w / 2 - 36 + ox, oy=-14)
            figure(c, S, cloth if kind == "man" else "pink", kind, hair, "", mood, index, count)
        c.line([(20, 70), (30, 64)], fill=SKINS["woman"], width=3)
        c.rect(2, 58, 24, 80, fill=(255, 255, 255), outline=INK, width=1.6, r=3)
        c.words.append((2, 58, 24, 80))
        return c.done()
    k = min(w / 72, h / 112)
    S = Space(c, k * (0.95 if who != "jester" else 0.92), ox=w / 2 - 36, oy=h - 112 - 1)
    if who == "doctor":
        pose_fs = {"LEFT": "RUNNING", "RIGHT": "RUNNING"}.get(fs, "FRAMESET1")
        figure(c, S, "white", "woman", "black", "", pose_fs, index, count)
        c.text(w / 2, 64, "DR", 8, fill=colour("blue"), stroke=None)
    elif who == "nurse":
        figure(c, S, cloth, "woman", "blond", "cap", "FRAMESET1", index, count)
    elif who == "repairman":
        # He stands at his frame's left: his place by the back wall is next to the parents' row.
        S = Space(c, k * 0.95, ox=-14, oy=h - 112 - 1)
        pose_fs = {"WORK": "ILIKEYOU", "NUDA": "ILL3"}.get(fs, "FRAMESET1")
        figure(c, S, "overall", "man", "brown", "hardhat", pose_fs, index, count)
        if fs == "WORK":
            x, y = S.p(12, 20 - 6 * (index % 2))
            c.rect(x - 6, y - 10, x + 6, y - 4, fill=colour("grey"), width=1.2)
            c.line([(x, y - 4), (x, y + 8)], fill=colour("wood"), width=3)
    elif who == "musician":
        # The first frame is the band at rest, as it stands until it plays; the game runs the others
        # while it plays: the guitarist strums, the drummer beats, notes fly off.
        guitar = p.get("instrument") == "guitar"
        playing = index > 0
        pose_fs = ("PLAYGUITAR" if guitar else "PLAYDRUM") if playing else "FRAMESET1"
        figure(c, S, cloth, "man", "black", "", pose_fs, index, count)
        x, y = S.p(36, 66)
        if guitar:
            c.ellipse(x - 14, y - 8, x + 6, y + 12, fill=colour("wood"), width=1.4)
            c.line([(x - 2, y), (x + 22, y - 20)], fill=colour("brown"), width=3)
        else:
            c.ellipse(x - 16, y - 4, x + 16, y + 14, fill=colour("red"), width=1.4)
            c.ellipse(x - 16, y - 6, x + 16, y + 4, fill=(240, 240, 240), width=1.2)
        if playing:
            hands = [S.p(*hd) for hd in hand_points(patient_pose(pose_fs, index, count))]
            if not guitar:
                for (a, b), tip in zip(hands, ((x - 7, y - 1), (x + 7, y - 1))):
                    c.line([(a, b), tip], fill=colour("wood"), width=2.6)
            for a, b in hands:
                c.circle(a, b, S.r(5), fill=skin_of("man"), width=S.r(1.3))
            for k, (note, tint) in enumerate((("♪", "navy"), ("♫", "red"))):
                c.text(w - 8 - 3 * k, 44 - 14 * ((index + 2 * k) % 3), note, 15, fill=colour(tint), stroke=None)
    elif who == "jester":
        # He stops with his frame's right 12 px past the window's edge: the figure stays left of
        # them. He pops in at full size with a burst of stars, so he is plain from his first
        # moment at the edge until he leaves.
        S = Space(c, k * 0.92, ox=w / 2 - 40, oy=h - 112 - 1)
        if fs == "OBJEVENISE":
            spread = 1.0 - index / max(1, count)
            for b in range(6):
                a = 2 * math.pi * b / 6 + index * 0.4
                sx, sy = 27 + math.cos(a) * (11 + 10 * spread), 46 + math.sin(a) * (26 + 20 * spread)
                c.poly(star_points(sx, sy, 5, 2), fill=colour(("yellow", "red", "sky")[b % 3]), width=0.8)
        pose_fs = {"AKCE": "ILIKEYOU", "MRKANI": "FRAMESET1" if index != 2 else "ILL3"}.get(fs, "VERYGOOD")
        figure(c, S, "jester", "man", "black", "jester", pose_fs, index, count)
        if fs == "AKCE":
            for b in range(3):
                a = 2 * math.pi * (b / 3 + index / count)
                c.circle(w / 2 - 4 + math.cos(a) * 20, 16 + math.sin(a) * 10, 4, fill=colour(("red", "yellow", "sky")[b]), width=1)
    return c.done()


def team_photo(w, h, feet, hero="f"):
    """The ward's team in a row for the photograph behind the credits, drawn as the game draws
    them: the registration nurse, the doctor who crosses the ward, the hero in the middle, the
    pharmacy nurse and the repairman, their feet on the line y = feet."""
    photo = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    for cx, who, tall in ((140, "nurse", 168), (270, "doctor", 176), (400, "hero", 186), (530, "pharmacist", 164),
                          (660, "repairman", 172)):
        if who == "hero":
            # The player's own figure, twice the size it walks the ward at.
            look = {"coat": "white", "male": "1" if hero == "m" else "0", "_fs": "DOWN", "_zoom": 2, "level": "1"}
            me = Image.new("RGBA", (128, 192), (0, 0, 0, 0))
            for part in ({"part": "body"}, {"part": "hand", "side": "left"}, {"part": "hand", "side": "right"},
                         {"part": "shoes"}, {"part": "steto"}):
                me.alpha_composite(paint_doctor(64, 96, 0, 1, dict(look, **part)))
            photo.alpha_composite(me, (cx - 64, feet - tall))
            continue
        fw, fh = 130, tall + 4
        c = Canvas(fw, fh)
        S = Space(c, (tall / 112) * 0.98, ox=fw / 2 - 36, oy=fh - 113)
        if who == "nurse":
            figure(c, S, "pink", "woman", "brown", "cap", "FRAMESET1", 0, 1)
        elif who == "doctor":
            figure(c, S, "white", "woman", "black", "", "FRAMESET1", 0, 1)
            x, y = S.p(36, 64)
            c.text(x, y, "DR", 12, fill=colour("blue"), stroke=None)
        elif who == "pharmacist":
            figure(c, S, "mint", "woman", "blond", "cap", "FRAMESET1", 0, 1)
        else:
            figure(c, S, "overall", "man", "brown", "hardhat", "VERYGOOD", 0, 1)
        photo.alpha_composite(c.done(), (int(cx - fw / 2), feet - fh))
    return photo


# The monkey's frame is placed over the bed it chose (its top left 30 px right of the bed's and
# 88 to 95 px above it), so the patient's head lies under its middle: the top of a grown-up's
# head near (44, 88), a child's near (44, 120), the hearts badge to the right of it from
# (56, 107). The monkey rides astride the head, clear of the badge: one hand in the patient's
# hair, the other swinging high, bouncing as it goes.
MONKEY_SEATS = {"RAJTUJE": (44, 88, 15), "RAJTUJEDITE": (44, 120, 11)}


def paint_monkey(c, fs, index, t):
    fur, skin = colour("brown"), colour("wood")
    riding = fs in MONKEY_SEATS
    sx, sy, half = MONKEY_SEATS.get(fs, MONKEY_SEATS["RAJTUJE"])
    # A big monkey: it must show at a glance on a busy ward.
    k = 1.2
    if riding:
        sy -= (0, 3, 1, 2)[index % 4]
    elif fs == "JUMP":
        sy -= 3 * abs(math.sin(t))
    elif fs == "DESTROYED":
        sy += 3 * index

    def at(dx, dy):
        return (sx + dx * k, sy + dy * k)

    # Tail curled up behind.
    c.line([at(9, -6), at(19, -8), at(23, -19), at(17, -25)], fill=fur, width=4)
    # Legs astride the patient's head, or dangling while it falls and flees.
    for side in (-1, 1):
        if riding:
            knee = (sx + side * (half + 1), sy + 3)
            foot = (sx + side * (half - 2), sy + 13)
        else:
            knee, foot = at(side * 10, 4), at(side * 8, 12)
        c.line([at(side * 6, -4), knee, foot], fill=fur, width=6)
        c.ellipse(foot[0] - 4, foot[1] - 2.5, foot[0] + 4, foot[1] + 2.5, fill=skin, width=1.2)
    x0, y0 = at(-12, -26)
    x1, y1 = at(12, 0)
    c.ellipse(x0, y0, x1, y1, fill=fur, width=1.6)
    x0, y0 = at(-6, -20)
    x1, y1 = at(6, -3)
    c.ellipse(x0, y0, x1, y1, fill=colour("cream"), outline=None)
    if riding:
        # One hand in the patient's hair, tugging; the other swings like a rodeo rider's.
        tug = index % 2
        grab = (sx - 6, sy + 2 + tug)
        c.line([at(-9, -19), at(-14, -9), grab], fill=fur, width=5.5)
        c.circle(grab[0], grab[1], 4.5, fill=skin, width=1.3)
        swing = (-5, 2, -2, 5)[index % 4]
        hand = at(18 + swing, -44 + abs(swing) / 2)
        c.line([at(9, -19), at(15, -30), hand], fill=fur, width=5.5)
        c.circle(hand[0], hand[1], 4.5, fill=skin, width=1.3)
    else:
        up = 4 * math.sin(t)
        for side in (-1, 1):
            hand = at(side * 17, -36 + side * up)
            c.line([at(side * 9, -19), hand], fill=fur, width=5.5)
            c.circle(hand[0], hand[1], 4.5, fill=skin, width=1.3)
    cx, cy = at(-1, -37)
    for side in (-1, 1):
        c.circle(cx + side * 12 * k, cy - 2 * k, 5 * k, fill=skin, width=1.3)
    c.circle(cx, cy, 12 * k, fill=fur, width=1.6)
    c.ellipse(cx - 9 * k, cy - 4 * k, cx + 9 * k, cy + 10 * k, fill=colour("cream"), width=1.1)
    for side in (-1, 1):
        ex, ey = cx + side * 4 * k, cy
        if fs == "DESTROYED":
            c.text(ex, ey, "x", 8, fill=INK, stroke=None)
        else:
            c.circle(ex, ey, 2, fill=INK, outline=None)
            if riding:
                c.line([(ex + side * 4, ey - 6), (ex - side * 2, ey - 4)], fill=INK, width=1.4)
    if riding:
        # The rider's wide grin.
        c.poly([(cx - 6, cy + 5), (cx + 6, cy + 5), (cx, cy + 10)], fill=(255, 255, 255), width=1.1)
    else:
        c.arc(cx - 5, cy + 2, cx + 5, cy + 8, 20, 160, fill=INK, width=1.3)


def paint_creature(w, h, index, count, p):
    c = Canvas(w, h)
    kind = p.get("kind")
    fs = p.get("_fs", "FRAMESET1")
    t = 2 * math.pi * index / max(1, count)
    if kind == "monkey":
        paint_monkey(c, fs, index, t)
    elif kind == "butterfly":
        flap = abs(math.cos(t)) if fs == "LET" else (0.9 if fs == "FRAMESET1" or index % 2 == 0 else 0.6)
        cx, cy = w / 2, h / 2
        for sx in (-1, 1):
            c.ellipse(cx + sx * 2, cy - 12, cx + sx * (2 + 16 * flap), cy + 2, fill=colour("orange"), width=1.2)
            c.ellipse(cx + sx * 2, cy, cx + sx * (2 + 11 * flap), cy + 12, fill=colour("yellow"), width=1.2)
        c.ellipse(cx - 2.5, cy - 10, cx + 2.5, cy + 12, fill=INK, outline=None)
    elif kind == "parrot":
        cx, cy = w / 2, h / 2
        c.ellipse(cx - 12, cy - 10, cx + 12, cy + 22, fill=colour("green"), width=1.5)
        c.circle(cx, cy - 14, 10, fill=colour("red"), width=1.5)
        c.poly([(cx + 8, cy - 16), (cx + 16, cy - 12), (cx + 8, cy - 9)], fill=colour("gold"), width=1)
        c.circle(cx + 3, cy - 16, 1.8, fill=INK, outline=None)
        wing = 6 * math.sin(t)
        c.poly([(cx - 10, cy - 4), (cx - 20, cy + 10 + wing), (cx - 6, cy + 16)], fill=colour("blue"), width=1.2)
        c.line([(cx - 14, cy + 27), (cx + 14, cy + 27)], fill=colour("wood"), width=3)
    elif kind == "flytrap":
        cx = w / 2
        c.rect(cx - 16, h - 22, cx + 16, h - 2, fill=colour("rust"), width=1.5, r=3)
        c.line([(cx, h - 22), (cx, 40)], fill=colour("green"), width=4)
        open_ = 8 if index % 2 else 3
        c.ellipse(cx - 18, 14 - open_, cx + 18, 30, fill=colour("lime"), width=1.4)
        c.ellipse(cx - 18, 24, cx + 18, 40 + open_, fill=colour("lime"), width=1.4)
        for k in range(5):
            c.line([(cx - 14 + 7 * k, 28), (cx - 14 + 7 * k, 23 - open_ / 2)], fill=(255, 255, 255), width=1.2)
    return c.done()


PAINTERS = {"person": paint_person, "doctor": paint_doctor, "staff": paint_staff, "creature": paint_creature}
