#!/usr/bin/env python3
"""Draws the start-up pictures: the publisher and developer logo screens, the loading-screen
background, the loading logo with its fill, and the walking doctor of the loading screen.

Everything is drawn at twice the size and scaled down, for smooth edges.

Usage: gen_pictures.py --out DIR
"""

import argparse
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tobgen  # noqa: E402

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
SS = 2  # supersampling factor


def font(size, bold=True, serif=False):
    name = ("DejaVuSerif" if serif else "DejaVuSans") + ("-Bold" if bold else "") + ".ttf"
    return ImageFont.truetype(DEJAVU + name, int(size * SS))


def canvas(w, h, colour=(0, 0, 0, 0)):
    return Image.new("RGBA", (w * SS, h * SS), colour)


def finish(img):
    return img.resize((img.width // SS, img.height // SS), Image.LANCZOS)


def S(*v):
    return tuple(int(round(x * SS)) for x in v)


def vgradient(w, h, top, bottom):
    col = Image.new("RGBA", (1, h))
    for y in range(h):
        t = y / max(1, h - 1)
        col.putpixel((0, y), tuple(int(round(top[i] + (bottom[i] - top[i]) * t)) for i in range(3)) + (255,))
    return col.resize((w, h))


def radial_glow(w, h, cx, cy, r, colour, strength):
    glow = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(glow)
    steps = 40
    for i in range(steps):
        rr = r * (1 - i / steps)
        d.ellipse((cx - rr, cy - rr, cx + rr, cy + rr), fill=int(strength * 255 * (i + 1) / steps))
    glow = glow.filter(ImageFilter.GaussianBlur(r / 10))
    layer = Image.new("RGBA", (w, h), colour + (255,))
    layer.putalpha(glow)
    return layer


def text_centre(d, cx, y, text, fnt, fill, spacing=0, stroke=0, stroke_fill=None):
    if spacing:
        widths = [d.textlength(c, font=fnt) for c in text]
        total = sum(widths) + spacing * SS * (len(text) - 1)
        x = cx * SS - total / 2
        for c, w in zip(text, widths):
            d.text((x, y * SS), c, font=fnt, fill=fill, stroke_width=stroke * SS, stroke_fill=stroke_fill)
            x += w + spacing * SS
    else:
        d.text((cx * SS, y * SS), text, font=fnt, fill=fill, anchor="ma",
               stroke_width=stroke * SS, stroke_fill=stroke_fill)


# ---------------------------------------------------------------------------- logo screens

def publisher_logo():
    """Kettlebird: a round kettle with a bird's head for a spout, on a night-blue field."""
    img = canvas(800, 600)
    img.alpha_composite(vgradient(*S(800, 600), (12, 24, 58), (18, 70, 96)))
    img.alpha_composite(radial_glow(*S(800, 600), *S(400, 250), 300 * SS, (70, 160, 190), 0.35))
    d = ImageDraw.Draw(img)
    # Body of the kettle.
    d.ellipse(S(300, 150, 500, 350), fill=(245, 190, 70), outline=(255, 236, 170), width=6 * SS)
    d.rectangle(S(330, 320, 470, 350), fill=(245, 190, 70))
    d.rounded_rectangle(S(310, 338, 490, 362), 10 * SS, fill=(200, 130, 40))
    # Lid and knob.
    d.pieslice(S(345, 120, 455, 200), 180, 360, fill=(220, 150, 50))
    d.ellipse(S(388, 100, 412, 124), fill=(255, 236, 170))
    # Handle.
    d.arc(S(455, 170, 545, 300), -80, 80, fill=(255, 236, 170), width=12 * SS)
    # Spout ending in a bird's head with a beak.
    d.polygon([S(312, 235), S(250, 190), S(238, 170), S(262, 168), S(322, 210)], fill=(245, 190, 70))
    d.ellipse(S(214, 140, 262, 188), fill=(245, 190, 70))
    d.polygon([S(218, 158), S(178, 168), S(220, 174)], fill=(240, 110, 50))
    d.ellipse(S(232, 152, 244, 164), fill=(20, 30, 60))
    d.ellipse(S(236, 154, 240, 158), fill=(255, 255, 255))
    # A wing on the body and steam curls.
    d.chord(S(360, 215, 470, 300), 200, 360, fill=(220, 150, 50))
    for i, x in enumerate((380, 410, 440)):
        d.arc(S(x - 12, 40 + 10 * i, x + 12, 80 + 10 * i), 90, 270, fill=(200, 230, 240), width=4 * SS)
        d.arc(S(x - 12, 70 + 10 * i, x + 12, 110 + 10 * i), -90, 90, fill=(200, 230, 240), width=4 * SS)
    text_centre(d, 400, 400, "KETTLEBIRD", font(62), (255, 236, 170), spacing=6)
    text_centre(d, 400, 478, "G  A  M  E  S", font(26, bold=False), (170, 215, 230))
    return finish(img)


def dev_logo():
    """Pinwheel Works: a four-bladed pinwheel on a warm paper-coloured field."""
    img = canvas(800, 600)
    img.alpha_composite(vgradient(*S(800, 600), (250, 240, 220), (236, 214, 180)))
    d = ImageDraw.Draw(img)
    cx, cy = 400, 230
    d.line([S(cx, cy), S(cx + 6, cy + 165)], fill=(120, 80, 50), width=10 * SS)
    colours = [(230, 70, 70), (60, 150, 220), (250, 190, 40), (80, 180, 100)]
    for i, c in enumerate(colours):
        a = math.radians(90 * i - 20)
        tip = (cx + 150 * math.cos(a), cy + 150 * math.sin(a))
        side = (cx + 110 * math.cos(a + 0.9), cy + 110 * math.sin(a + 0.9))
        d.polygon([S(cx, cy), S(*tip), S(*side)], fill=c)
        d.polygon([S(cx, cy), S(*tip), S(cx + 60 * math.cos(a + 0.35), cy + 60 * math.sin(a + 0.35))],
                  fill=tuple(int(v * 0.8) for v in c))
    d.ellipse(S(cx - 14, cy - 14, cx + 14, cy + 14), fill=(250, 240, 220), outline=(120, 80, 50), width=4 * SS)
    text_centre(d, 400, 420, "PINWHEEL WORKS", font(54), (90, 60, 40))
    text_centre(d, 400, 490, "made with care, one ward at a time", font(22, bold=False, serif=True), (140, 100, 70))
    return finish(img)


# ---------------------------------------------------------------------------- loading screen

def loading_background():
    """A bright ward corridor: striped wall, a window, tiled floor in perspective."""
    img = canvas(800, 600)
    d = ImageDraw.Draw(img)
    img.alpha_composite(vgradient(*S(800, 420), (190, 226, 230), (160, 206, 214)))
    for x in range(0, 800, 40):
        d.rectangle(S(x, 0, x + 18, 420), fill=(178, 218, 224))
    d.rectangle(S(0, 300, 800, 330), fill=(236, 246, 246))
    d.rectangle(S(0, 326, 800, 332), fill=(120, 170, 180))
    # Windows left and right, a cross sign above each.
    for wx in (40, 620):
        d.rounded_rectangle(S(wx, 110, wx + 140, 260), 8 * SS, fill=(255, 255, 255))
        d.rectangle(S(wx + 10, 120, wx + 130, 250), fill=(150, 205, 245))
        d.ellipse(S(wx + 78, 150, wx + 128, 176), fill=(255, 255, 255))
        d.ellipse(S(wx + 14, 200, wx + 60, 222), fill=(255, 255, 255))
        d.rectangle(S(wx + 66, 120, wx + 74, 250), fill=(255, 255, 255))
        d.rectangle(S(wx + 10, 181, wx + 130, 189), fill=(255, 255, 255))
        d.rounded_rectangle(S(wx + 50, 40, wx + 90, 80), 6 * SS, fill=(255, 255, 255))
        d.rectangle(S(wx + 64, 46, wx + 76, 74), fill=(220, 50, 60))
        d.rectangle(S(wx + 56, 54, wx + 84, 66), fill=(220, 50, 60))
    # Floor.
    img.alpha_composite(vgradient(*S(800, 180), (214, 196, 160), (180, 156, 120)), S(0, 420))
    for i in range(-12, 13):
        d.line([S(400 + i * 30, 420), S(400 + i * 110, 600)], fill=(170, 146, 110), width=2 * SS)
    y = 420.0
    step = 14.0
    while y < 600:
        d.line([S(0, y), S(800, y)], fill=(170, 146, 110), width=2 * SS)
        y += step
        step *= 1.25
    d.rectangle(S(0, 414, 800, 422), fill=(120, 170, 180))
    # A darker band behind the status line keeps white text readable.
    band = Image.new("RGBA", S(800, 56), (40, 60, 80, 110))
    img.alpha_composite(band, S(0, 512))
    return finish(img)


LOGO_W, LOGO_H = 334, 180
FILL_X, FILL_W = 31, 251  # where the fill lies inside the logo


def title_mask():
    """The title letters as a mask in logo coordinates, fitted into the fill's span."""
    mask = Image.new("L", S(LOGO_W, LOGO_H), 0)
    d = ImageDraw.Draw(mask)
    size = 60
    while True:
        f = font(size)
        box = d.textbbox((0, 0), "TOBRULANT", font=f)
        if box[2] - box[0] <= (FILL_W - 12) * SS:
            break
        size -= 1
    w = box[2] - box[0]
    x = FILL_X * SS + ((FILL_W * SS) - w) // 2 - box[0]
    d.text((x, 62 * SS - box[1]), "TOBRULANT", font=f, fill=255)
    return mask


def loading_logo():
    img = canvas(LOGO_W, LOGO_H)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle(S(4, 20, LOGO_W - 4, LOGO_H - 8), 36 * SS, fill=(40, 52, 96), outline=(255, 255, 255), width=5 * SS)
    d.rounded_rectangle(S(14, 30, LOGO_W - 14, LOGO_H - 18), 28 * SS, outline=(120, 170, 220), width=2 * SS)
    # Red cross badge on the top edge.
    d.ellipse(S(LOGO_W / 2 - 24, 0, LOGO_W / 2 + 24, 48), fill=(255, 255, 255))
    d.rectangle(S(LOGO_W / 2 - 6, 10, LOGO_W / 2 + 6, 38), fill=(220, 50, 60))
    d.rectangle(S(LOGO_W / 2 - 14, 18, LOGO_W / 2 + 14, 30), fill=(220, 50, 60))
    mask = title_mask()
    outline = mask.filter(ImageFilter.MaxFilter(2 * 3 * SS + 1))
    img.paste((255, 255, 255, 255), (0, 0), outline)
    # The letters stay see-through (a pale glass) so the fill drawn beneath shows in them.
    glass = Image.new("RGBA", img.size, (255, 255, 255, 70))
    img.paste(glass, (0, 0), mask)
    d.text(S(LOGO_W / 2, 136), "a day on the ward", font=font(15, bold=False, serif=True),
           fill=(200, 220, 245), anchor="ma")
    return finish(img)


def loading_logo_fill():
    """The colour that fills the title letters: drawn 31 pixels right of the logo."""
    img = canvas(FILL_W, LOGO_H)
    grad = Image.new("RGBA", img.size)
    top, bottom = (255, 120, 110), (215, 30, 60)
    grad.paste(vgradient(img.width, img.height, top, bottom))
    mask = title_mask().crop(S(FILL_X, 0, FILL_X + FILL_W, LOGO_H))
    mask = mask.filter(ImageFilter.MaxFilter(3))
    img.paste(grad, (0, 0), mask)
    return finish(img)


# ---------------------------------------------------------------------------- walking doctor

SKIN = (250, 214, 180)
COAT = (250, 252, 255)
COAT_SHADE = (200, 214, 230)
SCRUBS = (70, 160, 170)
HAIR = (110, 70, 40)
INK = (40, 40, 60)


def limb(d, a, b, width, colour):
    d.line([S(*a), S(*b)], fill=colour, width=int(width * SS))
    r = width / 2
    for p in (a, b):
        d.ellipse(S(p[0] - r, p[1] - r, p[0] + r, p[1] + r), fill=colour)


def doctor_frame(i):
    """One of eight frames of a doctor walking on the spot, clipboard in hand."""
    w, h = 244, 329
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    ph = 2 * math.pi * i / 8
    bob = -6 * abs(math.sin(ph))
    swing = math.sin(ph)
    cx = w / 2
    hip = (cx, 210 + bob)
    d.ellipse(S(cx - 60, 300, cx + 60, 318), fill=(0, 0, 0, 60))
    # Legs: thigh and shin, the far leg drawn first and darker.
    for side, shade in ((-1, 0.8), (1, 1.0)):
        s = swing * side
        knee = (hip[0] + 26 * s, hip[1] + 45)
        foot = (hip[0] + 34 * s - (8 if s < 0 else 0), 292 - (10 * max(0, -s)))
        col = tuple(int(c * shade) for c in SCRUBS)
        limb(d, (hip[0] + 10 * side, hip[1]), knee, 20, col)
        limb(d, knee, foot, 18, col)
        d.rounded_rectangle(S(foot[0] - 12, foot[1] - 4, foot[0] + 20, foot[1] + 10), 6 * SS,
                            fill=tuple(int(c * shade) for c in (60, 60, 80)))
    # Far arm behind the coat.
    sh_far = (cx - 34, 132 + bob)
    limb(d, sh_far, (sh_far[0] - 22 * swing, sh_far[1] + 70), 17, COAT_SHADE)
    # Coat.
    top = 122 + bob
    d.rounded_rectangle(S(cx - 44, top, cx + 44, hip[1] + 40), 22 * SS, fill=COAT, outline=INK, width=2 * SS)
    d.polygon([S(cx - 16, top), S(cx, top + 40), S(cx + 16, top)], fill=SCRUBS)
    d.line([S(cx, top + 40), S(cx, hip[1] + 38)], fill=COAT_SHADE, width=2 * SS)
    for y in (top + 60, top + 84):
        d.ellipse(S(cx + 5, y, cx + 11, y + 6), fill=COAT_SHADE)
    d.rectangle(S(cx - 36, top + 70, cx - 14, top + 92), outline=COAT_SHADE, width=2 * SS)
    # Stethoscope around the neck.
    d.arc(S(cx - 24, top - 8, cx + 24, top + 50), 20, 160, fill=INK, width=3 * SS)
    d.ellipse(S(cx + 14, top + 40, cx + 26, top + 52), fill=(170, 180, 200), outline=INK, width=2 * SS)
    # Head.
    hy = 78 + bob
    d.rectangle(S(cx - 8, hy + 30, cx + 8, top + 6), fill=SKIN)
    d.ellipse(S(cx - 40, hy - 40, cx + 40, hy + 40), fill=SKIN, outline=INK, width=2 * SS)
    d.chord(S(cx - 42, hy - 46, cx + 42, hy + 20), 180, 360, fill=HAIR)
    d.ellipse(S(cx - 44, hy - 10, cx - 30, hy + 10), fill=SKIN, outline=INK, width=2 * SS)
    blink = i == 5
    for ex in (cx - 14, cx + 14):
        if blink:
            d.line([S(ex - 6, hy + 2), S(ex + 6, hy + 2)], fill=INK, width=3 * SS)
        else:
            d.ellipse(S(ex - 6, hy - 6, ex + 6, hy + 8), fill=(255, 255, 255), outline=INK, width=2 * SS)
            d.ellipse(S(ex - 2, hy - 1, ex + 4, hy + 6), fill=INK)
    d.arc(S(cx - 16, hy + 6, cx + 16, hy + 28), 20, 160, fill=INK, width=3 * SS)
    d.ellipse(S(cx - 30, hy + 10, cx - 20, hy + 18), fill=(250, 170, 160))
    d.ellipse(S(cx + 20, hy + 10, cx + 30, hy + 18), fill=(250, 170, 160))
    # Head mirror.
    d.ellipse(S(cx - 14, hy - 44, cx + 14, hy - 20), fill=(220, 230, 240), outline=INK, width=2 * SS)
    # Near arm holding a clipboard, swinging the other way.
    sh = (cx + 36, 132 + bob)
    hand = (sh[0] + 14 + 18 * -swing, sh[1] + 66)
    limb(d, sh, hand, 18, COAT)
    d.line([S(*sh), S(*hand)], fill=COAT_SHADE, width=1 * SS)
    d.rounded_rectangle(S(hand[0] - 6, hand[1] - 30, hand[0] + 30, hand[1] + 16), 4 * SS, fill=(190, 140, 90), outline=INK, width=2 * SS)
    d.rectangle(S(hand[0], hand[1] - 24, hand[0] + 24, hand[1] + 10), fill=(255, 255, 255))
    for k in range(4):
        d.line([S(hand[0] + 4, hand[1] - 18 + 7 * k), S(hand[0] + 20, hand[1] - 18 + 7 * k)], fill=(150, 160, 190), width=1 * SS)
    d.ellipse(S(hand[0] - 9, hand[1] - 9, hand[0] + 9, hand[1] + 9), fill=SKIN, outline=INK, width=2 * SS)
    return finish(img)


def characters():
    sheet = Image.new("RGBA", (976, 658), (0, 0, 0, 0))
    for i in range(8):
        sheet.alpha_composite(doctor_frame(i), ((i % 4) * 244, (i // 4) * 329))
    return sheet


PICTURES = {
    "publisher_logo_screen.jpg": publisher_logo,
    "dev_logo.jpg": dev_logo,
    "loading.jpg": loading_background,
    "loadinglogo.png": loading_logo,
    "loadinglogofill.png": loading_logo_fill,
    "characters.png": characters,
}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    for name, make in PICTURES.items():
        tobgen.save_image(make(), os.path.join(args.out, name))


if __name__ == "__main__":
    main()
