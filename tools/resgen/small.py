"""Tip pictures, cursors and the program icon."""

import math
import random

from PIL import Image

from canvas import Canvas, frame, mix, scale

TIP_W, TIP_H = 52, 120
GLASS_EDGE = (70, 100, 130, 255)


def _tip_background(c, top, bottom):
    c.vgradient(0, TIP_H, top, bottom)


def tip_bulb():
    """An idea: a glowing light bulb."""
    c = Canvas(TIP_W, TIP_H)
    _tip_background(c, (255, 252, 230), (250, 225, 160))
    c.radial_glow(26, 46, 26, (255, 240, 150, 255), 230)
    for k in range(10):
        a = k * math.pi / 5
        c.line([(26 + math.cos(a) * 21, 46 + math.sin(a) * 21), (26 + math.cos(a) * 25, 46 + math.sin(a) * 25)],
               (230, 170, 40, 255), 1.2)
    c.circle(26, 44, 15, fill=(255, 248, 200, 255), outline=(200, 160, 60, 255), width=1)
    c.polygon([(18, 54), (34, 54), (31, 64), (21, 64)], fill=(255, 248, 200, 255))
    c.line([(22, 56), (24, 44), (26, 52), (28, 44), (30, 56)], (220, 120, 30, 255), 0.8)
    for k in range(4):
        c.rounded(20, 64 + k * 3.5, 32, 67 + k * 3.5, 1.2, fill=(160, 160, 170, 255), outline=(110, 110, 120, 255),
                  width=0.4)
    c.polygon([(23, 78), (29, 78), (26, 82)], fill=(90, 90, 100, 255))
    c.text(26, 104, "?!", (180, 110, 20, 255), 13, anchor="ms", bold=True)
    frame(c, (150, 120, 60, 255))
    return c.finish()


def tip_nmr_tube():
    """An NMR tube between the poles of a magnet."""
    c = Canvas(TIP_W, TIP_H)
    _tip_background(c, (235, 240, 250), (200, 210, 235))
    c.rounded(4, 60, 14, 100, 2, fill=(200, 50, 50, 255))
    c.rounded(38, 60, 48, 100, 2, fill=(50, 80, 200, 255))
    c.text(9, 84, "N", (255, 255, 255, 255), 7, anchor="ms", bold=True)
    c.text(43, 84, "S", (255, 255, 255, 255), 7, anchor="ms", bold=True)
    for y in (68, 76, 92):
        c.line([(15, y), (37, y)], (150, 150, 170, 255), 0.4)
    c.rect(23, 10, 29, 108, fill=(235, 245, 252, 255), outline=GLASS_EDGE, width=0.6)
    c.rect(23.5, 78, 28.5, 106, fill=(190, 215, 245, 255))
    c.ellipse(23, 104, 29, 110, fill=(190, 215, 245, 255), outline=GLASS_EDGE, width=0.6)
    c.rect(22, 6, 30, 14, fill=(60, 120, 200, 255))
    c.rect(18, 24, 34, 32, fill=(60, 60, 70, 255))
    c.text(26, 50, "H", (40, 40, 90, 255), 9, anchor="ms", bold=True)
    c.line([(26, 36), (26, 42)], (200, 50, 50, 255), 0.8)
    c.polygon([(24.5, 38), (26, 35), (27.5, 38)], fill=(200, 50, 50, 255))
    frame(c, (90, 100, 140, 255))
    return c.finish()


def tip_flask():
    """A conical flask with a bubbling green liquid."""
    rng = random.Random(203)
    c = Canvas(TIP_W, TIP_H)
    _tip_background(c, (240, 250, 240), (205, 230, 210))
    body = [(21, 30), (31, 30), (31, 56), (47, 100), (5, 100), (21, 56)]
    c.polygon([(14.8, 74), (37.2, 74), (47, 100), (5, 100)], fill=(90, 190, 110, 255))
    layer = c.overlay()
    layer.polygon(body, fill=(200, 230, 240, 110))
    c.merge(layer)
    c.polygon(body, outline=GLASS_EDGE, width=0.9)
    c.rect(19, 26, 33, 30, outline=GLASS_EDGE, width=0.9)
    for _ in range(9):
        c.circle(rng.uniform(12, 40), rng.uniform(78, 96), rng.uniform(0.8, 2), outline=(230, 255, 235, 255),
                 width=0.5)
    for k in range(4):
        c.circle(26 + (k % 2) * 3 - 1.5, 22 - k * 5, 1.5 + k * 0.4, outline=(110, 180, 120, 255), width=0.5)
    c.line([(9, 104), (43, 104)], (120, 90, 60, 255), 1.2)
    frame(c, (80, 120, 90, 255))
    return c.finish()


def tip_spectrum():
    """A benzene ring above a small infrared trace."""
    c = Canvas(TIP_W, TIP_H)
    _tip_background(c, (252, 250, 240), (235, 230, 210))
    cx, cy, r = 26, 30, 14
    hexagon = [(cx + r * math.cos(math.pi / 6 + k * math.pi / 3), cy + r * math.sin(math.pi / 6 + k * math.pi / 3))
               for k in range(6)]
    c.polygon(hexagon, outline=(30, 30, 50, 255), width=1.4)
    c.circle(cx, cy, r * 0.58, outline=(30, 30, 50, 255), width=1.1)
    c.rect(4, 58, 48, 108, fill=(255, 255, 255, 255), outline=(120, 120, 120, 255), width=0.5)
    points = []
    for i in range(0, 177):
        x = 6 + i * 0.23
        dip = 0
        for centre, depth, width in ((12, 14, 1.2), (22, 30, 0.9), (30, 10, 1.4), (37, 18, 0.7), (43, 12, 0.6)):
            dip += depth / (1 + ((x - centre) / width) ** 2)
        points.append((x, 64 + min(38, dip)))
    c.line(points, (160, 30, 30, 255), 0.6)
    frame(c, (150, 140, 100, 255))
    return c.finish()


def tip_thermometer():
    c = Canvas(TIP_W, TIP_H)
    _tip_background(c, (240, 245, 255), (215, 225, 245))
    c.rounded(20, 8, 32, 100, 6, fill=(250, 250, 252, 255), outline=(120, 130, 150, 255), width=0.8)
    c.circle(26, 102, 9, fill=(210, 40, 40, 255), outline=(150, 30, 30, 255), width=0.8)
    c.rect(24, 40, 28, 98, fill=(210, 40, 40, 255))
    for k in range(10):
        y = 16 + k * 8
        c.line([(32, y), (36 if k % 2 == 0 else 34, y)], (60, 60, 80, 255), 0.5)
    c.circle(23.5, 99.5, 2.5, fill=(240, 130, 130, 255))
    frame(c, (100, 110, 150, 255))
    return c.finish()


def tip_magnifier():
    """A magnifying glass over a column of mass-spectrum peaks."""
    c = Canvas(TIP_W, TIP_H)
    _tip_background(c, (245, 245, 250), (220, 220, 235))
    for k, h in enumerate((10, 26, 14, 40, 8, 30, 18, 12)):
        x = 8 + k * 5
        c.line([(x, 108), (x, 108 - h)], (40, 40, 120, 255), 1.2)
    c.line([(4, 108), (48, 108)], (40, 40, 40, 255), 0.6)
    lens = c.overlay()
    lens.circle(24, 36, 17, fill=(200, 230, 255, 120))
    c.merge(lens)
    c.circle(24, 36, 17, outline=(70, 70, 80, 255), width=2.4)
    c.arc(13, 25, 35, 47, 200, 260, (255, 255, 255, 255), 1.2)
    c.line([(36, 48), (46, 60)], (90, 60, 40, 255), 4.0)
    c.text(24, 41, "M+", (30, 30, 110, 255), 9, anchor="ms", bold=True)
    frame(c, (110, 110, 140, 255))
    return c.finish()


TIP_PICTURES = [tip_bulb, tip_nmr_tube, tip_flask, tip_spectrum, tip_thermometer, tip_magnifier]


# cursors and icon ---------------------------------------------------------

def cursor_magnifier():
    """32 x 32, transparent; the lens centre is the image centre (16, 16), the hot spot."""
    c = Canvas(32, 32, (0, 0, 0, 0))
    lens = c.overlay()
    lens.circle(16, 16, 8, fill=(210, 235, 255, 110))
    c.merge(lens)
    c.line([(21.8, 21.8), (29.5, 29.5)], (255, 255, 255, 255), 5.0)
    c.line([(22, 22), (29, 29)], (40, 40, 40, 255), 3.0)
    c.circle(16, 16, 8, outline=(255, 255, 255, 255), width=3.4)
    c.circle(16, 16, 8, outline=(20, 20, 20, 255), width=1.8)
    c.line([(14, 16), (18, 16)], (20, 20, 20, 255), 0.8)
    c.line([(16, 14), (16, 18)], (20, 20, 20, 255), 0.8)
    return c.finish()


def cursor_question():
    """32 x 32, transparent; a question mark whose middle (the hot spot) is the image centre."""
    c = Canvas(32, 32, (0, 0, 0, 0))
    for colour, width in (((255, 255, 255, 255), 5.2), ((20, 20, 20, 255), 2.8)):
        c.arc(10.5, 5, 21.5, 16, 180, 405, colour, width)
        c.line([(19.4, 14.4), (16, 17.5), (16, 21)], colour, width)
    c.circle(16, 26.5, 2.4, fill=(255, 255, 255, 255))
    c.circle(16, 26.5, 1.6, fill=(20, 20, 20, 255))
    return c.finish()


def icon_flask():
    """48 x 48 program icon: a round-bottomed flask with blue liquid and a benzene ring."""
    c = Canvas(48, 48, (0, 0, 0, 0))
    edge = (30, 50, 80, 255)
    c.draw.chord(c.box(8, 14, 40, 46), -20, 200, fill=(60, 140, 230, 255))
    glass = c.overlay()
    glass.circle(24, 30, 16, fill=(220, 240, 255, 120))
    glass.rect(19, 3, 29, 16, fill=(220, 240, 255, 120))
    c.merge(glass)
    c.circle(24, 30, 16, outline=edge, width=1.6)
    c.rect(19, 14, 29, 16, fill=(220, 240, 255, 255))
    c.line([(19, 4), (19, 15.5)], edge, 1.6)
    c.line([(29, 4), (29, 15.5)], edge, 1.6)
    c.line([(17.5, 3.5), (30.5, 3.5)], edge, 1.8)
    cx, cy, r = 24, 34, 6.5
    hexagon = [(cx + r * math.cos(math.pi / 6 + k * math.pi / 3), cy + r * math.sin(math.pi / 6 + k * math.pi / 3))
               for k in range(6)]
    c.polygon(hexagon, outline=(255, 255, 255, 255), width=1.2)
    c.circle(cx, cy, r * 0.55, outline=(255, 255, 255, 255), width=1.0)
    c.arc(12, 18, 36, 42, 200, 250, (255, 255, 255, 200), 1.5)
    return c.finish()
