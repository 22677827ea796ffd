"""Painters of screens and controls: panels, buttons, icons, shop rows, the world map's
decorations and the full-screen pictures."""

import math
import random

import numpy
from PIL import Image

import paint_people
from paint_common import INK, Canvas, colour, heart_points, rgba, shade, star_points

import tobgen


def paint_panel(w, h, index, count, p):
    c = Canvas(w, h)
    style = p.get("style", "window")
    title = p.get("title", "")
    if style in ("notebook", "sidebar", "notes"):
        c.rect(3, 3, w - 3, h - 3, fill=(252, 248, 230), width=2.2, r=8)
        for y in range(44 if style != "notes" else 30, h - 10, 18):
            c.line([(14, y), (w - 14, y)], fill=(176, 206, 232), width=1.1)
        c.line([(36, 8), (36, h - 8)], fill=(232, 140, 140), width=1.3)
        if style == "notebook":
            for y in range(24, h - 10, 34):
                c.circle(14, y, 4, fill=(220, 220, 220), width=1.2)
        if style == "sidebar":
            # The game writes "New patient!" 27 px down the side page: the band stays above it.
            c.rect(3, 3, w - 3, 22, fill=colour("teal"), width=2, r=8)
        else:
            c.rect(3, 3, w - 3, 30 if style == "notes" else 36, fill=colour("teal"), width=2, r=8)
            c.text(w / 2, 17 if style == "notes" else 20, title, 16 if style != "notes" else 13, fill=(255, 255, 255))
        if style == "notes":
            # The panel writes the day's number centred on x 45 from y 60, in the 15 px "bed" font
            # and in the font's last colour, which the money counter leaves white.
            c.text(45, 46, "DAY", 9, fill=colour("teal"), stroke=None)
            c.rect(27, 54, 63, 81, fill=colour("teal"), outline=INK, width=1.4, r=5)
    elif style == "hud":
        paint_statusbar(c, w, h)
    elif style == "hudstrip":
        paint_statusbar_small(c, w, h)
    elif style == "iconbay":
        for x in PERK_SLOTS:
            perk_slot(c, x - ICON_BAY[0], 0, h)
    elif style == "shop":
        c.rect(3, 3, w - 3, h - 3, fill=(250, 244, 224), width=2.5, r=14)
        # The game writes the headings at y 38 and 388 and the money line at y 76; the perk
        # tiles reach y 486.
        c.rect(3, 3, w - 3, 28, fill=colour("gold"), width=2.5, r=14)
        if title:
            c.text(w / 2 - 20, 16, title, 16, fill=(255, 255, 255))
    elif style == "clipboard":
        c.rect(6, 14, w - 6, h - 4, fill=colour("wood"), width=2.5, r=10)
        c.rect(22, 34, w - 22, h - 18, fill=(252, 250, 244), width=1.6, r=4)
        c.rect(w / 2 - 50, 2, w / 2 + 50, 28, fill=colour("grey"), width=2, r=6)
        if title:
            c.text(w / 2, 56, title, 20, fill=colour("navy"), stroke=None)
    elif style == "menu":
        # The menu's clipboard in the middle of the screen, the ward showing around it.
        x0, x1 = w / 2 - 210, w / 2 + 210
        c.rect(x0 + 8, 48, x1 + 8, h - 32, fill=(0, 0, 0, 90), outline=None, r=16)
        c.rect(x0, 40, x1, h - 40, fill=colour("wood"), width=3, r=16)
        c.rect(x0 + 18, 70, x1 - 18, h - 60, fill=(252, 250, 244), width=2, r=6)
        c.rect(w / 2 - 70, 26, w / 2 + 70, 60, fill=colour("grey"), width=2.5, r=8)
        c.text(w / 2, 102, "TOBRULANT", 34, fill=colour("red"), stroke=(255, 255, 255), stroke_w=2)
    elif style == "window":
        c.rect(3, 3, w - 3, h - 3, fill=(250, 248, 240), width=2.5, r=14)
        c.rect(3, 3, w - 3, 40, fill=colour("navy"), width=2.5, r=14)
        if title:
            c.text(w / 2, 22, title, 16, fill=(255, 255, 255))
    elif style == "bubble":
        # The shop's note: the text stands from y 20 (five lines of the small font, none wider
        # than about 110 px; past 60 px a line breaks at its next blank), and the tail's tip,
        # 207 px down, ends inside the top left of the row the note explains.
        body = min(h - 22, 104)
        tip = (96, h - 3)
        c.rect(3, 3, w - 3, body, fill=(255, 255, 250), width=2.2, r=18)
        c.poly([(70, body - 2), tip, (96, body - 2)], fill=(255, 255, 250), outline=None)
        c.line([(70, body - 1), tip, (96, body - 2)], fill=INK, width=2.2)
        if title:
            c.text(w - 22, 22 + (2 if index else 0), title, 18, fill=colour("blue"))
    elif style == "banner":
        # The tip and tutorial bubble across the screen, low enough to leave the beds under it in
        # view: its text is centred on x 422 from y 68, two lines fit. It starts at x 76, so at
        # the foot of the screen the patient on a couch's first seat (x 0 to 76) stays in view.
        left = 76
        c.rect(left + 6, 30, w - 4, h - 4, fill=(0, 0, 0, 70), outline=None, r=22)
        c.rect(left, 24, w - 10, h - 10, fill=(255, 252, 236), width=2.5, r=22)
        c.rect(left + 10, 34, w - 20, h - 20, fill=None, outline=(236, 206, 120), width=2, r=16)
        # The nurse's badge sits at the right end: the top-left corner stays clear for the lamp
        # that the lamp tip's arrow points at.
        bx = w - 46
        c.circle(bx, 34, 26, fill=colour("pink"), width=2)
        c.circle(bx, 30, 14, fill=(250, 214, 184), width=1.6)
        c.ellipse(bx - 12, 14, bx + 12, 26, fill=(255, 255, 255), width=1.4)
        c.text(bx, 20, "+", 9, fill=colour("red"), stroke=None)
        for sx in (-1, 1):
            c.circle(bx + sx * 5, 30, 1.6, fill=INK, outline=None)
        c.arc(bx - 6, 30, bx + 6, 40, 20, 160, fill=INK, width=1.4)
    elif style == "plaque":
        # The game writes the caption in white on the dark strip: centred on x 18..160 from y 87.
        c.rect(3, 3, w - 3, h - 3, fill=colour("wood"), width=2.4, r=10)
        c.rect(10, 10, w - 10, h - 10, fill=None, outline=colour("gold"), width=2, r=6)
        c.rect(16, 80, w - 16, h - 14, fill=shade(colour("wood"), 0.55), outline=None, r=4)
        if title:
            c.text(w / 2, 44, title, 26, fill=(255, 240, 200))
        else:
            # No words of its own: the map shows it bare and the menus write theirs below.
            c.circle(w / 2, 44, 22, fill=(255, 255, 255), width=2)
            c.rect(w / 2 - 5, 30, w / 2 + 5, 58, fill=colour("red"), outline=None)
            c.rect(w / 2 - 14, 39, w / 2 + 14, 49, fill=colour("red"), outline=None)
        for x in (16, w - 16):
            c.circle(x, 44, 3, fill=colour("gold"), width=1)
    return c.done()


# Where the game draws on the status bar (0, 540), in the bar's own coordinates: the money
# figure ends at x 125 and the goal figure at x 273, both from y 40 in the 15 px "bed" font;
# the gauge hand (12x44) turns about (414, 34); the perk icons stand at x 523, 554, 587 and 620
# from y 24 or 25, the icon bay at (519, 25), the scores badge at (157, 31), the menu button at
# (703, 27) and the second background at x 400.
GAUGE_PIVOT = (414, 34)
PERK_SLOTS = (523, 554, 587, 620)
ICON_BAY = (519, 25)
BAR_LIGHT = (240, 246, 250)


def figure_box(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, fill=BAR_LIGHT, outline=INK, width=1.4, r=5)


def perk_slot(c, x, y, h):
    """One frame of the icon bay: an empty seat for a 28 px perk icon placed at x."""
    c.rect(x - 1.5, y + 1, x + 29.5, y + h - 1, fill=(30, 56, 84), outline=(150, 190, 220), width=1.2, r=5)
    c.circle(x + 14, y + h / 2, 8, fill=None, outline=(70, 110, 146), width=1.2)


def gauge_dial(c, cx, cy, r, labels=True):
    """A half dial from the day's start (left) to closing time (right) for the gauge hand."""
    c.ellipse(cx - r, cy - r, cx + r, cy + r, fill=BAR_LIGHT, outline=None)
    c.rect(cx - r, cy, cx + r, cy + r + 1, fill=(60, 110, 150), outline=None)
    bands = (colour("green"), colour("yellow"), colour("orange"), colour("red"))
    for k, col in enumerate(bands):
        c.arc(cx - r + 3, cy - r + 3, cx + r - 3, cy + r - 3, 180 + 45 * k, 225 + 45 * k, fill=col, width=4)
    c.arc(cx - r, cy - r, cx + r, cy + r, 180, 360, fill=INK, width=1.4)
    c.line([(cx - r, cy), (cx + r, cy)], fill=INK, width=1.4)
    for k in range(7):
        a = math.pi + math.pi * k / 6
        r0 = r - (9 if k % 3 == 0 else 7)
        c.line([(cx + math.cos(a) * r0, cy + math.sin(a) * r0), (cx + math.cos(a) * (r - 1), cy + math.sin(a) * (r - 1))],
               fill=INK, width=1.3 if k % 3 == 0 else 0.9)
    if labels:
        c.text(cx - r - 2, cy + 12, "START", 8.5, fill=(255, 255, 255), stroke=None)
        c.text(cx + r + 6, cy + 12, "CLOSING", 8.5, fill=(255, 255, 255), stroke=None)


def paint_statusbar(c, w, h):
    c.rect(0, 0, w, h, fill=(60, 110, 150), outline=None)
    c.line([(0, 1), (w, 1)], fill=(150, 196, 226), width=2)
    c.line([(0, h - 1), (w, h - 1)], fill=(36, 70, 100), width=2)
    caption = dict(fill=(255, 255, 255), stroke=None)
    # What the day has earned so far: the summary calls it "Score today", and "money" is the
    # bank the shop spends.
    c.text(70, 16, "SCORE TODAY", 10, **caption)
    figure_box(c, 10, 31, 134, 59)
    c.text(24, 45, "$", 16, fill=colour("green"))
    c.text(219, 16, "DAY'S GOAL", 10, **caption)
    c.rect(154, 28, 284, 60, fill=(44, 84, 118), outline=None, r=6)
    gauge_dial(c, GAUGE_PIVOT[0], GAUGE_PIVOT[1], 27)
    c.text(586, 14, "PERKS", 10, **caption)
    c.text(743, 14, "GAME", 10, **caption)
    c.rect(699, 24, 787, 54, fill=(44, 84, 118), outline=None, r=8)


def paint_statusbar_small(c, w, h):
    # Over the full bar this picture lies from x 400 on: its left half stays empty there. Its right
    # half is the smaller bar itself, with the gauge and the seats of two perk icons.
    half = w // 2
    c.rect(half, 0, w - 190, h, fill=(60, 110, 150), outline=None)
    c.line([(half, 1), (w - 190, 1)], fill=(150, 196, 226), width=2)
    gauge_dial(c, GAUGE_PIVOT[0], GAUGE_PIVOT[1], 14, labels=False)
    for x in (528, 558):
        perk_slot(c, x, 24, 34)


def paint_button(w, h, index, count, p):
    c = Canvas(w, h)
    col = colour(p.get("colour", "teal"))
    if index == 1:
        col = shade(col, 1.2)
    if p.get("paper") == "1":
        # A paper note held by two magnets; the game writes the label on it in brown.
        paper = (255, 250, 214) if index == 1 else (250, 244, 226)
        c.rect(3, 4, w - 1, h - 1, fill=(0, 0, 0, 60), outline=None, r=4)
        c.rect(1, 1, w - 4, h - 4, fill=paper, outline=(150, 120, 80), width=1.6, r=4)
        c.line([(10, h - 10), (w - 14, h - 10)], fill=(226, 214, 186), width=1.2)
        if index == 1:
            c.rect(4, 4, w - 7, h - 7, fill=None, outline=(240, 190, 60), width=2, r=3)
    elif p.get("round") == "1":
        c.circle(w / 2, h / 2, w / 2 - 2, fill=col, width=2)
    else:
        r = min(h / 2 - 1, 14)
        c.rect(2, 3, w - 1, h - 1, fill=shade(col, 0.6), outline=None, r=r)
        c.rect(1, 1, w - 3, h - 4, fill=col, width=2, r=r)
        c.rect(6, 4, w - 8, h / 2 - 2, fill=rgba((255, 255, 255), 70), outline=None, r=r / 2)
    text = p.get("text", "")
    if text:
        c.text(w / 2, h / 2 - 1, text, min(h * 0.5, 16), fill=(255, 255, 255), fit=w - 10)
    return c.done()


def paint_badge(w, h, index, count, p):
    c = Canvas(w, h)
    fs = p.get("_fs", "FRAMESET1")
    if p.get("kind") == "done":
        expert = fs == "FRAMESET2"
        c.circle(w / 2, h / 2, w / 2 - 2, fill=colour("gold") if expert else colour("green"), width=2)
        if expert:
            c.poly(star_points(w / 2, h / 2 + 1, w * 0.34, w * 0.15), fill=(255, 255, 255), width=1)
        else:
            c.line([(w * 0.27, h * 0.52), (w * 0.44, h * 0.7), (w * 0.74, h * 0.32)], fill=(255, 255, 255), width=4)
        return c.done()
    expert = fs == "EXPERT"
    col = colour("purple") if expert else colour("green")
    if expert and index == 1:
        col = shade(col, 1.3)
    # The status bar writes the goal figure into the window on the right: it ends at x 116
    # of the badge, 9 px below its top.
    window = w - 58
    c.rect(1, 1, w - 1, h - 1, fill=col, width=1.6, r=h / 2 - 1)
    c.text(window / 2 + 2, h / 2, "EXPERT" if expert else "GOAL", 10.5, fill=(255, 255, 255), fit=window - 12)
    c.rect(window, 3, w - 1, h - 1, fill=BAR_LIGHT, outline=INK, width=1.2, r=4)
    return c.done()


SYMBOLS = {}


def symbol(c, name, cx, cy, r, col):
    """A small pictogram in a circle of radius r."""
    if name == "hand":
        c.rect(cx - r * 0.45, cy - r * 0.2, cx + r * 0.45, cy + r * 0.7, fill=(250, 214, 184), width=1.3, r=r * 0.2)
        for k in range(4):
            x = cx - r * 0.4 + k * r * 0.27
            c.rect(x, cy - r * 0.75, x + r * 0.2, cy, fill=(250, 214, 184), width=1.1, r=r * 0.1)
        c.poly(star_points(cx + r * 0.55, cy - r * 0.6, r * 0.3, r * 0.12), fill=colour("yellow"), width=1)
    elif name == "germ":
        for k in range(8):
            a = 2 * math.pi * k / 8
            c.line([(cx, cy), (cx + math.cos(a) * r * 0.8, cy + math.sin(a) * r * 0.8)], fill=colour("green"), width=2)
        c.circle(cx, cy, r * 0.5, fill=colour("lime"), width=1.4)
        c.line([(cx - r * 0.8, cy + r * 0.8), (cx + r * 0.8, cy - r * 0.8)], fill=colour("red"), width=3)
    elif name == "bolt":
        c.poly([(cx + r * 0.1, cy - r * 0.85), (cx - r * 0.5, cy + r * 0.1), (cx - r * 0.05, cy + r * 0.1),
                (cx - r * 0.2, cy + r * 0.85), (cx + r * 0.5, cy - r * 0.15), (cx + r * 0.05, cy - r * 0.15)],
               fill=colour("yellow"), width=1.4)
    elif name == "clover":
        for a in (0, 90, 180, 270):
            x = cx + math.cos(math.radians(a)) * r * 0.35
            y = cy - r * 0.1 + math.sin(math.radians(a)) * r * 0.35
            c.poly(heart_points(x, y, r * 0.38), fill=colour("green"), width=1)
        c.line([(cx, cy + r * 0.2), (cx + r * 0.3, cy + r * 0.85)], fill=colour("green"), width=2.5)
    elif name == "coat":
        c.poly([(cx - r * 0.6, cy - r * 0.6), (cx + r * 0.6, cy - r * 0.6), (cx + r * 0.7, cy + r * 0.8),
                (cx - r * 0.7, cy + r * 0.8)], fill=(250, 250, 250), width=1.4)
        c.poly([(cx - r * 0.25, cy - r * 0.6), (cx, cy), (cx + r * 0.25, cy - r * 0.6)], fill=colour("sky"), width=1)
    elif name == "shoe":
        c.poly([(cx - r * 0.7, cy - r * 0.4), (cx - r * 0.2, cy - r * 0.4), (cx - r * 0.1, cy + r * 0.05),
                (cx + r * 0.7, cy + r * 0.2), (cx + r * 0.75, cy + r * 0.55), (cx - r * 0.7, cy + r * 0.55)],
               fill=colour("red"), width=1.4)
        c.line([(cx - r * 0.7, cy + r * 0.45), (cx + r * 0.75, cy + r * 0.45)], fill=(255, 255, 255), width=2)
    elif name == "desk":
        c.rect(cx - r * 0.75, cy - r * 0.1, cx + r * 0.75, cy + r * 0.7, fill=colour("wood"), width=1.4)
        c.circle(cx, cy - r * 0.45, r * 0.3, fill=(250, 214, 184), width=1.2)
    elif name == "bottle":
        c.rect(cx - r * 0.35, cy - r * 0.3, cx + r * 0.35, cy + r * 0.75, fill=colour("red"), width=1.4, r=3)
        c.rect(cx - r * 0.2, cy - r * 0.7, cx + r * 0.2, cy - r * 0.3, fill=(250, 250, 250), width=1.2)
    elif name == "steto":
        c.arc(cx - r * 0.6, cy - r * 0.8, cx + r * 0.6, cy + r * 0.4, 0, 180, fill=colour("dark"), width=3)
        c.line([(cx, cy + r * 0.4), (cx + r * 0.4, cy + r * 0.75)], fill=colour("dark"), width=3)
        c.circle(cx + r * 0.45, cy + r * 0.75, r * 0.2, fill=colour("grey"), width=1.2)
    elif name == "star":
        c.poly(star_points(cx, cy, r * 0.8, r * 0.35), fill=colour("yellow"), width=1.4)
    elif name == "cart":
        c.poly([(cx - r * 0.8, cy - r * 0.5), (cx + r * 0.7, cy - r * 0.5), (cx + r * 0.5, cy + r * 0.3),
                (cx - r * 0.55, cy + r * 0.3)], fill=(250, 250, 250), width=1.6)
        for x in (cx - r * 0.4, cx + r * 0.35):
            c.circle(x, cy + r * 0.6, r * 0.17, fill=colour("dark"), width=1)
    elif name == "home":
        c.poly([(cx - r * 0.8, cy), (cx, cy - r * 0.8), (cx + r * 0.8, cy)], fill=colour("red"), width=1.6)
        c.rect(cx - r * 0.6, cy, cx + r * 0.6, cy + r * 0.75, fill=(250, 250, 250), width=1.6)
        c.rect(cx - r * 0.15, cy + r * 0.3, cx + r * 0.15, cy + r * 0.75, fill=colour("wood"), width=1)
    elif name == "play":
        c.poly([(cx - r * 0.4, cy - r * 0.6), (cx + r * 0.65, cy), (cx - r * 0.4, cy + r * 0.6)], fill=(255, 255, 255), width=1.6)


def paint_icon(w, h, index, count, p):
    c = Canvas(w, h)
    fs = p.get("_fs", "FRAMESET1")
    col = colour(p.get("colour", "gold"))
    if fs == "CLOSED":
        col = colour("grey")
    flash = fs == "FLASH" and index == 1
    if flash:
        col = (255, 255, 255)
    if p.get("wide") == "1":
        c.rect(2, 2, w - 2, h - 2, fill=col if index == 0 else shade(col, 1.2), width=2.4, r=h / 2 - 2)
        symbol(c, p.get("symbol"), w * 0.3, h / 2, h * 0.38, col)
        c.text(w * 0.66, h / 2, "GO", h * 0.3, fill=(255, 255, 255))
        return c.done()
    r = min(w, h) / 2 - 2
    c.circle(w / 2, h / 2, r, fill=col, width=2)
    c.circle(w / 2, h / 2, r - 4, fill=None, outline=(255, 255, 255, 160), width=1.5)
    symbol(c, p.get("symbol"), w / 2, h / 2, r * 0.8, col)
    if fs == "OPEN":
        for k in range(3):
            a = 2 * math.pi * (k / 3 + index / max(1, count))
            c.poly(star_points(w / 2 + math.cos(a) * r * 0.9, h / 2 + math.sin(a) * r * 0.9, 5, 2), fill=colour("yellow"), width=0.8)
    return c.done()


def paint_shoprow(w, h, index, count, p):
    c = Canvas(w, h)
    col = colour(p.get("colour", "sky"))
    c.rect(2, 2, w - 2, h - 2, fill=(252, 250, 244), width=2, r=10)
    if w < 2 * h:
        # A perk: the symbol large, its name underneath.
        r = h / 2 - 14
        c.circle(w / 2, r + 5, r, fill=col, width=2)
        symbol(c, p.get("symbol"), w / 2, r + 5, r * 0.8, col)
        c.text(w / 2, h - 9, p.get("text", "").replace("_", " "), 9, fill=shade(col, 0.6), stroke=None, fit=w - 14)
        return c.done()
    if h <= 50:
        # An upgrade row: the dots, the price and the BUY button sit on the right, the name above them.
        c.circle(h / 2, h / 2, h / 2 - 5, fill=col, width=2)
        symbol(c, p.get("symbol"), h / 2, h / 2, (h / 2 - 5) * 0.8, col)
        c.text(65 + 80, 8, p.get("text", "").replace("_", " "), 10, fill=shade(col, 0.6), stroke=None, fit=160)
        return c.done()
    c.circle(h / 2, h / 2, h / 2 - 7, fill=col, width=2)
    symbol(c, p.get("symbol"), h / 2, h / 2, (h / 2 - 7) * 0.8, col)
    c.text(h + (w - h - 20) / 2, h / 2 - 8, p.get("text", ""), 15, fill=shade(col, 0.6), stroke=None, fit=w - h - 30)
    return c.done()


def paint_slider(w, h, index, count, p):
    c = Canvas(w, h)
    c.rect(8, h / 2 - 5, w - 8, h / 2 + 5, fill=colour("dark"), width=1.6, r=5)
    for k in range(11):
        x = 10 + k * (w - 20) / 10
        c.line([(x, h / 2 + 8), (x, h / 2 + 13)], fill=colour("dark"), width=1.2)
    return c.done()


def paint_checkbox(w, h, index, count, p):
    c = Canvas(w, h)
    c.rect(3, 3, w - 3, h - 3, fill=(252, 252, 252), width=2.2, r=6)
    if p.get("_fs") == "CHECKED":
        c.line([(w * 0.22, h * 0.52), (w * 0.42, h * 0.74), (w * 0.8, h * 0.24)], fill=colour("green"), width=4.5)
    return c.done()


def paint_mapdeco(w, h, index, count, p):
    c = Canvas(w, h)
    kind = p.get("kind")
    col = colour(p.get("colour", "red"))
    t = 2 * math.pi * index / max(1, count)
    fs = p.get("_fs", "FRAMESET1")
    if kind == "star":
        r = w / 2 - 2 - 2 * abs(math.sin(t))
        c.poly(star_points(w / 2, h / 2, r, r * 0.45, turn=-90 + 10 * index), fill=colour("yellow"), width=1.8)
    elif kind == "hospital":
        c.rect(8, 30, w - 8, h - 6, fill=(250, 248, 240), width=2)
        c.poly([(4, 32), (w / 2, 4), (w - 4, 32)], fill=col, width=2)
        c.rect(w / 2 - 12, 12, w / 2 + 12, 30, fill=(255, 255, 255), width=1.2)
        c.text(w / 2, 21, "+", 14, fill=colour("red"), stroke=None)
        for row in range(2):
            for k in range(4):
                x = 18 + k * (w - 36) / 3 - 6
                lit = (k + row + index) % 3 == 0
                c.rect(x, 40 + row * 22, x + 12, 52 + row * 22, fill=colour("yellow") if lit else colour("sky"), width=1)
        c.rect(w / 2 - 9, h - 24, w / 2 + 9, h - 6, fill=colour("wood"), width=1.3)
    elif kind == "waves":
        for row in range(2):
            pts = [(x, 10 + row * 12 + 3 * math.sin(x / 8 + t + row)) for x in range(0, w + 1, 4)]
            c.line(pts, fill=(255, 255, 255, 200), width=2)
    elif kind == "periscope":
        y = 8 + 6 * abs(math.sin(t))
        c.rect(w / 2 - 3, y, w / 2 + 3, h, fill=colour("grey"), width=1.2)
        c.rect(w / 2 - 3, y - 6, w / 2 + 9, y + 2, fill=colour("grey"), width=1.2)
    elif kind == "birds":
        for k in range(3):
            x, y = 14 + k * 24, 14 + (k % 2) * 10
            flap = 5 * math.sin(t + k)
            c.line([(x - 9, y - flap), (x, y), (x + 9, y - flap)], fill=INK, width=2)
    elif kind == "eyes":
        shut = index == 2
        for sx in (-1, 1):
            x = w / 2 + sx * 11
            if shut:
                c.line([(x - 7, h / 2), (x + 7, h / 2)], fill=colour("yellow"), width=2)
            else:
                c.ellipse(x - 8, h / 2 - 6, x + 8, h / 2 + 6, fill=colour("yellow"), width=1)
                c.circle(x + 2 * math.sin(t), h / 2, 2.5, fill=INK, outline=None)
    elif kind == "window":
        lit = index % 2 == 0
        c.rect(3, 3, w - 3, h - 3, fill=colour("yellow") if lit else colour("navy"), width=1.5)
        c.line([(w / 2, 3), (w / 2, h - 3)], fill=INK, width=1)
    elif kind == "plane":
        flip = fs == "LEFT"
        def X(x):
            return w - x if flip else x
        c.ellipse(X(8), 18, X(w - 6), 32, fill=(250, 250, 250), width=1.8)
        c.poly([(X(40), 24), (X(56), 4), (X(64), 4), (X(58), 24)], fill=colour("red"), width=1.4)
        c.poly([(X(40), 26), (X(58), 44), (X(66), 44), (X(58), 26)], fill=colour("red"), width=1.4)
        c.poly([(X(8), 24), (X(4), 8), (X(16), 20)], fill=colour("red"), width=1.2)
        prop = 8 if index == 0 else 3
        c.line([(X(w - 5), 25 - prop), (X(w - 5), 25 + prop)], fill=INK, width=2)
    elif kind == "river":
        c.rect(0, 8, w, h - 8, fill=colour("sky"), outline=None)
        for k in range(4):
            x = (k * 34 + index * 8) % w
            c.line([(x, 18), (x + 12, 18)], fill=(255, 255, 255), width=2)
    elif kind == "stone":
        c.ellipse(6, 6, w - 6, h - 3, fill=colour("stone"), width=1.6)
        c.arc(0, h / 2 - 2 + index, w, h + 6, 200, 340, fill=(255, 255, 255), width=2)
    elif kind == "monkeys":
        for k in range(2):
            x = 18 + k * 28
            y = 28 - 6 * abs(math.sin(t + k * 1.5))
            c.circle(x, y, 9, fill=colour("brown"), width=1.4)
            c.circle(x, y + 1, 5, fill=colour("cream"), outline=None)
    elif kind == "boat":
        y = 20 + 2 * math.sin(t)
        c.poly([(6, y), (w - 6, y), (w - 16, y + 12), (16, y + 12)], fill=colour("wood"), width=1.6)
        c.line([(w / 2, y), (w / 2, y - 18)], fill=INK, width=2)
        c.poly([(w / 2, y - 18), (w / 2 + 16, y - 4), (w / 2, y - 4)], fill=(255, 255, 255), width=1.2)
    elif kind == "croc":
        open_ = 5 if index % 2 else 1
        c.ellipse(4, 12, w - 24, h - 4, fill=colour("green"), width=1.6)
        c.poly([(w - 30, 14), (w - 2, 12 - open_), (w - 30, 20)], fill=colour("green"), width=1.4)
        c.poly([(w - 30, 20), (w - 2, 24 + open_), (w - 30, 26)], fill=colour("green"), width=1.4)
        c.circle(w - 30, 12, 3, fill=(255, 255, 255), width=1)
    elif kind == "flag":
        c.line([(5, 4), (5, h - 2)], fill=colour("dark"), width=2.5)
        pts = [(5, 6)] + [(5 + x, 6 + 2 * math.sin(x / 5 + t)) for x in range(4, 27, 4)] + \
              [(5 + x, 22 + 2 * math.sin(x / 5 + t)) for x in range(24, 3, -4)] + [(5, 22)]
        c.poly(pts, fill=col, width=1.2)
    elif kind == "cloud":
        a = 230 if index == 0 else 210
        for (x, y, r) in ((0.3, 0.6, 0.25), (0.5, 0.45, 0.32), (0.72, 0.6, 0.24)):
            c.circle(w * x, h * y, min(w, h * 2) * r * 0.6, fill=(255, 255, 255, a), outline=(200, 210, 230, a), width=1.2)
    elif kind == "car":
        x = 2 * math.sin(t)
        c.rect(6 + x, 10, w - 6 + x, h - 8, fill=colour(("red", "sky", "gold", "green")[index % 4]) if False else colour("red"),
               width=1.6, r=5)
        c.rect(18 + x, 3, w - 20 + x, 12, fill=colour("sky"), width=1.3, r=3)
        for wx in (16, w - 16):
            c.circle(wx + x, h - 8, 5, fill=colour("dark"), width=1.2)
    elif kind == "wheel":
        cx, cy, r = w / 2, h / 2 - 2, w / 2 - 6
        c.line([(cx, cy), (cx - r * 0.6, h - 2)], fill=colour("dark"), width=2)
        c.line([(cx, cy), (cx + r * 0.6, h - 2)], fill=colour("dark"), width=2)
        c.circle(cx, cy, r, fill=None, outline=col, width=2.4)
        for k in range(8):
            a = 2 * math.pi * (k / 8 + index / (8 * max(1, count)))
            x1, y1 = cx + math.cos(a) * r, cy + math.sin(a) * r
            c.line([(cx, cy), (x1, y1)], fill=col, width=1.2)
            c.rect(x1 - 3, y1 - 2, x1 + 3, y1 + 4, fill=colour(("yellow", "sky", "pink", "lime")[k % 4]), width=0.8)
    elif kind == "figure":
        step = 3 * math.sin(t)
        c.line([(w / 2 - 3, 34), (w / 2 - 3 - step, 46)], fill=INK, width=3)
        c.line([(w / 2 + 3, 34), (w / 2 + 3 + step, 46)], fill=INK, width=3)
        c.rect(w / 2 - 8, 16, w / 2 + 8, 36, fill=col, width=1.4, r=4)
        c.circle(w / 2, 10, 7, fill=(250, 214, 184), width=1.3)
    return c.done()


def paint_scene(w, h, index, count, p):
    """Full-screen pictures: the hero's photograph, the credits and a comic page's hint."""
    c = Canvas(w, h, ss=1)
    kind = p.get("kind")
    rnd = random.Random(tobgen.seed_of("scene", kind, p.get("hero", "")))
    if kind in ("photo", "credits"):
        # Black-and-white photograph of the ward's team.
        # The credits scroll up the middle (their widest line spans x 240 to 560): it is darker
        # there, and the title stands in the corner beside it.
        for y in range(0, h, 4):
            g = int(70 + 90 * y / h) if y < h * 0.72 else 110
            c.rect(0, y, w, y + 4, fill=(g, g, g), outline=None)
            c.rect(226, y, w - 226, y + 4, fill=(g * 3 // 4,) * 3, outline=None)
        # The team stands in a row, drawn as the game draws its people; those behind the text are
        # dimmed with it.
        team = paint_people.team_photo(w, h, int(h * 0.72 + 60), "m" if p.get("hero") == "m" else "f")
        grey = numpy.asarray(team.convert("LA"), dtype=numpy.float32)
        grey[:, 226:w - 226, 0] *= 0.67
        c.img.alpha_composite(Image.fromarray(grey.astype(numpy.uint8), "LA").convert("RGBA"))
        lines = {"credits": ("TOBRULANT", "THE TEAM"), "photo": ("THE WARD'S", "FINEST")}[kind]
        if p.get("hero"):
            lines = ("DR. " + ("ZIVUVOV" if p.get("hero") == "m" else "HANNAH"), "AND THE TEAM")
        c.rect(24, 24, 212, 104, fill=(30, 30, 30), outline=(240, 240, 240), width=2, r=8)
        c.text(118, 50, lines[0], 20, fill=(240, 240, 240), stroke=None, fit=176)
        c.text(118, 80, lines[1], 16, fill=(200, 200, 200), stroke=None, fit=176)
        c.rect(12, 12, w - 12, h - 12, fill=None, outline=(250, 250, 250), width=6)
    elif kind == "comic":
        # The page's panels and captions are its level's background; the page itself only
        # asks for the click that turns it.
        c.rect(w - 210, h - 34, w - 12, h - 8, fill=(255, 255, 255), width=2, r=10)
        c.text(w - 111, h - 21, "click to go on", 16, fill=colour("dark"), stroke=None, bold=False)
    return c.done()


def paint_confetti(w, h, index, count, p):
    c = Canvas(w, h, ss=1)
    rnd = random.Random(tobgen.seed_of("confetti"))
    names = ("red", "gold", "sky", "lime", "pink", "purple", "orange")
    for _ in range(260):
        x, y = rnd.uniform(0, w), rnd.uniform(0, h)
        a = rnd.uniform(0, math.pi)
        l = rnd.uniform(4, 9)
        c.line([(x, y), (x + math.cos(a) * l, y + math.sin(a) * l)], fill=colour(rnd.choice(names)), width=3.5)
    return c.done()


PAINTERS = {"panel": paint_panel, "button": paint_button, "badge": paint_badge, "icon": paint_icon,
            "shoprow": paint_shoprow, "slider": paint_slider, "checkbox": paint_checkbox, "mapdeco": paint_mapdeco,
            "scene": paint_scene, "confetti": paint_confetti}
