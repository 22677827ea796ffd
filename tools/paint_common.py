"""Drawing helpers shared by the sprite painters: a supersampled canvas in frame coordinates,
named colours, outlined shapes and labels."""

import math
import os

from PIL import Image, ImageDraw, ImageFont

INK = (34, 30, 48)

COLOURS = {
    "white": (246, 246, 242), "ink": (34, 30, 48), "grey": (150, 154, 164), "dark": (70, 72, 84),
    "red": (222, 62, 60), "wine": (150, 40, 64), "pink": (246, 160, 190), "orange": (246, 146, 44),
    "rust": (188, 96, 48), "brown": (134, 86, 52), "wood": (176, 118, 66), "gold": (240, 196, 52),
    "yellow": (250, 224, 70), "lime": (150, 210, 60), "green": (62, 168, 82), "olive": (128, 138, 60),
    "mint": (130, 220, 180), "teal": (40, 150, 150), "sky": (120, 190, 240), "blue": (60, 110, 220),
    "navy": (40, 60, 120), "purple": (140, 80, 190), "lilac": (196, 164, 236), "plum": (120, 60, 110),
    "stone": (190, 184, 170), "black": (40, 40, 46), "cream": (252, 240, 210), "sick": (160, 190, 110),
    "blond": (240, 206, 110), "ginger": (214, 110, 40),
}

SKINS = {"man": (246, 204, 168), "woman": (250, 214, 184), "child": (252, 218, 190),
         "bman": (150, 100, 70), "bwoman": (170, 116, 84), "sick": (196, 220, 160)}

_FONT_DIR = "/usr/share/fonts/truetype/dejavu"
_fonts = {}


def colour(name, default=(200, 200, 200)):
    if name in COLOURS:
        return COLOURS[name]
    if isinstance(name, str) and name.startswith("#") and len(name) == 7:
        return tuple(int(name[i:i + 2], 16) for i in (1, 3, 5))
    return default


def shade(rgb, k):
    """k < 1 darkens, k > 1 lightens towards white."""
    if k <= 1:
        return tuple(int(c * k) for c in rgb[:3])
    t = min(1.0, k - 1)
    return tuple(int(c + (255 - c) * t) for c in rgb[:3])


def rgba(rgb, a=255):
    return tuple(rgb[:3]) + (a,)


def font(size, bold=True):
    key = (int(size), bold)
    if key not in _fonts:
        name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
        _fonts[key] = ImageFont.truetype(os.path.join(_FONT_DIR, name), max(4, int(size)))
    return _fonts[key]


class Canvas:
    """A frame drawn at a multiple of its size in frame coordinates, scaled down when done."""

    def __init__(self, w, h, ss=None, zoom=1):
        # zoom: the frame comes out that many times its size (a figure enlarged for a picture).
        self.w, self.h, self.zoom = w, h, zoom
        self.s = ss or (3 if w * h <= 40000 else 2 if w * h <= 160000 else 1) * zoom
        self.img = Image.new("RGBA", (w * self.s, h * self.s), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)
        # Added to every x drawn: a picture painted further right in a frame widened to its left.
        self.ox = 0
        # The boxes of the words painted, in frame pixels: the game keeps its captions off them.
        self.words = []

    def _b(self, x0, y0, x1, y1):
        s, x0, x1 = self.s, x0 + self.ox, x1 + self.ox
        return [min(x0, x1) * s, min(y0, y1) * s, max(x0, x1) * s, max(y0, y1) * s]

    def _w(self, width):
        return max(1, int(round(width * self.s)))

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=INK, width=1.5):
        self.d.ellipse(self._b(x0, y0, x1, y1), fill=fill and rgba(fill) if fill and len(fill) == 3 else fill,
                       outline=outline, width=self._w(width) if outline else 0)

    def circle(self, cx, cy, r, fill=None, outline=INK, width=1.5):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline, width)

    def rect(self, x0, y0, x1, y1, fill=None, outline=INK, width=1.5, r=0):
        fill = rgba(fill) if fill is not None and len(fill) == 3 else fill
        if r > 0:
            self.d.rounded_rectangle(self._b(x0, y0, x1, y1), r * self.s, fill=fill, outline=outline,
                                     width=self._w(width) if outline else 0)
        else:
            self.d.rectangle(self._b(x0, y0, x1, y1), fill=fill, outline=outline,
                             width=self._w(width) if outline else 0)

    def poly(self, pts, fill=None, outline=INK, width=1.5):
        fill = rgba(fill) if fill is not None and len(fill) == 3 else fill
        sp = [((x + self.ox) * self.s, y * self.s) for x, y in pts]
        self.d.polygon(sp, fill=fill)
        if outline:
            self.d.line(sp + sp[:1], fill=outline, width=self._w(width), joint="curve")

    def line(self, pts, fill=INK, width=1.5):
        fill = rgba(fill) if len(fill) == 3 else fill
        self.d.line([((x + self.ox) * self.s, y * self.s) for x, y in pts], fill=fill, width=self._w(width),
                    joint="curve")

    def arc(self, x0, y0, x1, y1, start, end, fill=INK, width=1.5):
        self.d.arc(self._b(x0, y0, x1, y1), start, end, fill=fill, width=self._w(width))

    def text(self, cx, cy, text, size, fill=(255, 255, 255), stroke=INK, stroke_w=None, bold=True, fit=None):
        """Centred text; fit shrinks it to at most that many frame pixels wide."""
        if not text:
            return
        f = font(size * self.s, bold)
        if fit:
            while size > 5 and self.d.textlength(text, font=f) > fit * self.s:
                size -= 0.5
                f = font(size * self.s, bold)
        sw = self._w(stroke_w if stroke_w is not None else max(1.0, size / 9)) if stroke else 0
        fill = rgba(fill) if len(fill) == 3 else fill
        at = ((cx + self.ox) * self.s, cy * self.s)
        self.d.text(at, text, font=f, fill=fill, anchor="mm", stroke_width=sw, stroke_fill=stroke)
        if any(ch.isalnum() for ch in text):
            x0, y0, x1, y1 = self.d.textbbox(at, text, font=f, anchor="mm", stroke_width=sw)
            self.words.append((x0 / self.s, y0 / self.s, x1 / self.s, y1 / self.s))

    def done(self):
        img = self.img
        if self.s != self.zoom:
            img = self.img.resize((self.w * self.zoom, self.h * self.zoom), Image.LANCZOS)
        img.info["words"] = [tuple(v * self.zoom for v in box) for box in self.words]
        return img


def words_box(img, w, h):
    """The union of the words painted into a frame, inside the frame, as x, y, w, h; None without."""
    boxes = img.info.get("words") or []
    if not boxes:
        return None
    x0 = max(0, int(math.floor(min(b[0] for b in boxes))))
    y0 = max(0, int(math.floor(min(b[1] for b in boxes))))
    x1 = min(w, int(math.ceil(max(b[2] for b in boxes))))
    y1 = min(h, int(math.ceil(max(b[3] for b in boxes))))
    return (x0, y0, x1 - x0, y1 - y0) if x1 > x0 and y1 > y0 else None


def star_points(cx, cy, r_out, r_in, points=5, turn=-90):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(turn + 180 * i / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def heart_points(cx, cy, r):
    pts = []
    for i in range(40):
        t = 2 * math.pi * i / 40
        x = 16 * math.sin(t) ** 3
        y = -(13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t))
        pts.append((cx + x * r / 17, cy + y * r / 17))
    return pts


def phase(index, count):
    """0..1 position of a frame in its animation."""
    return index / max(1, count)
