"""Landscapes of Kordavia: the start window's pictures and the scenic reward pictures."""

import math
import random

from canvas import Canvas, fill_below, frame, mix, pine, ridge, round_tree, scale, stars

W, H = 120, 100


def kordavia(size):
    """The home region in miniature: sky, Mount Orvan with snow, hills and a lake."""
    c = Canvas(size, size)
    c.vgradient(0, size * 0.6, (95, 150, 225), (190, 220, 250))
    c.circle(size * 0.78, size * 0.2, size * 0.09, fill=(255, 235, 140, 255))
    peak = [(0, size * 0.62), (size * 0.22, size * 0.4), (size * 0.45, size * 0.14),
            (size * 0.7, size * 0.42), (size, size * 0.5), (size, size * 0.7), (0, size * 0.7)]
    c.polygon(peak, fill=(110, 115, 140, 255))
    c.polygon([(size * 0.35, size * 0.26), (size * 0.45, size * 0.14), (size * 0.56, size * 0.28),
               (size * 0.47, size * 0.24)], fill=(250, 250, 255, 255))
    c.polygon([(0, size * 0.66), (size * 0.4, size * 0.54), (size, size * 0.62), (size, size), (0, size)],
              fill=(70, 140, 70, 255))
    c.ellipse(size * 0.1, size * 0.74, size * 0.75, size * 0.92, fill=(60, 120, 200, 255))
    for x in (0.82, 0.9):
        pine(c, size * x, size * 0.86, size * 0.28, (30, 90, 45, 255))
    return c.finish()


def lake_dawn():
    rng = random.Random(103)
    c = Canvas(W, H)
    c.vgradient(0, 58, (70, 80, 150), (250, 185, 130))
    c.radial_glow(78, 56, 26, (255, 220, 150, 255), 200)
    c.circle(78, 57, 6, fill=(255, 236, 180, 255))
    far = ridge(rng, W, 48, 7)
    fill_below(c, far, (120, 100, 140, 255), 60)
    near = ridge(rng, W, 55, 5)
    fill_below(c, near, (80, 75, 110, 255), 60)
    c.vgradient(60, H, (240, 175, 140), (60, 70, 120))
    # reflections of the sun and of the hills
    for i in range(9):
        y = 62 + i * 3.5
        half = 7 - i * 0.6
        c.line([(78 - half, y), (78 + half, y)], (255, 225, 170, 255), 0.7)
    mist = c.overlay()
    for i in range(5):
        mist.ellipse(-10 + i * 28, 55 + (i % 2) * 3, 30 + i * 28, 63 + (i % 2) * 3, fill=(255, 240, 235, 90))
    c.merge(mist, blur=2)
    for x in (6, 11, 16, 104, 111):
        pine(c, x, 70 + (x % 3), 18 + (x % 5), (25, 40, 45, 255))
    c.polygon([(0, 72), (25, 66), (40, 75), (0, 80)], fill=(25, 40, 45, 255))
    frame(c)
    return c.finish()


def mount_orvan():
    rng = random.Random(105)
    c = Canvas(W, H)
    c.vgradient(0, 70, (60, 120, 210), (185, 215, 245))
    for cx, cy in ((22, 18), (95, 26)):
        cl = c.overlay()
        for dx, r in ((-6, 5), (0, 7), (7, 5)):
            cl.circle(cx + dx, cy, r, fill=(255, 255, 255, 200))
        c.merge(cl, blur=0.8)
    peak = [(0, 75), (18, 60), (36, 46), (50, 30), (60, 12), (68, 24), (80, 36), (96, 50), (120, 58),
            (120, 80), (0, 80)]
    c.polygon(peak, fill=(105, 110, 135, 255))
    c.polygon([(60, 12), (68, 24), (80, 36), (58, 46)], fill=(80, 85, 110, 255))
    snow = [(60, 12), (68, 24), (73, 30), (66, 28), (62, 33), (57, 27), (52, 31), (50, 30), (55, 21)]
    c.polygon(snow, fill=(248, 250, 255, 255))
    c.polygon([(60, 12), (68, 24), (73, 30), (66, 28)], fill=(215, 225, 240, 255))
    hills = ridge(rng, W, 70, 5)
    fill_below(c, hills, (80, 145, 75, 255))
    front = ridge(rng, W, 84, 4)
    fill_below(c, front, (55, 115, 55, 255))
    for i in range(16):
        x = rng.uniform(2, 118)
        pine(c, x, rng.uniform(88, 99), rng.uniform(9, 14), (30, 80, 40, 255))
    frame(c)
    return c.finish()


def tessa_valley():
    rng = random.Random(108)
    c = Canvas(W, H)
    c.vgradient(0, 45, (110, 170, 235), (215, 235, 250))
    c.circle(20, 14, 6, fill=(255, 245, 170, 255))
    far = ridge(rng, W, 36, 6)
    fill_below(c, far, (120, 150, 170, 255))
    mid = ridge(rng, W, 46, 5)
    fill_below(c, mid, (120, 175, 95, 255))
    c.rect(0, 52, W, H, fill=(135, 190, 95, 255))
    river = [(52, 52), (60, 52), (66, 62), (58, 74), (72, 88), (92, 100), (62, 100), (46, 86), (40, 72), (54, 62)]
    c.polygon(river, fill=(85, 150, 215, 255))
    c.line([(56, 56), (52, 64), (48, 74), (58, 88)], (170, 210, 245, 255), 0.6)
    blossom = [(245, 200, 215, 255), (250, 250, 245, 255), (235, 170, 195, 255)]
    for row in range(4):
        y = 60 + row * 11
        for k in range(5):
            x = 4 + k * 8 + row * 2
            if x < 40:
                round_tree(c, x, y, 9 + row * 1.5, blossom[(row + k) % 3])
        for k in range(5):
            x = 84 + k * 8 - row * 2
            if x > 70 + row * 5:
                round_tree(c, x, y, 9 + row * 1.5, blossom[(row + k + 1) % 3])
    frame(c)
    return c.finish()


def harbour_sunset():
    rng = random.Random(111)
    c = Canvas(W, H)
    c.vgradient(0, 62, (80, 50, 110), (250, 150, 80))
    c.radial_glow(40, 60, 22, (255, 200, 120, 255), 220)
    c.circle(40, 60, 8, fill=(255, 215, 140, 255))
    c.vgradient(62, H, (230, 130, 90), (50, 40, 80))
    for i in range(8):
        y = 65 + i * 4
        c.line([(40 - 9 + i, y), (40 + 9 - i, y)], (255, 200, 140, 255), 0.8)
    # the town on the right shore
    c.polygon([(70, 62), (120, 50), (120, 64), (70, 64)], fill=(60, 45, 70, 255))
    for k in range(7):
        x = 74 + k * 6.5
        top = 54 - (k % 3) * 3 - k * 0.6
        c.rect(x, top, x + 5.5, 63, fill=(70 + k * 6, 50, 75, 255))
        c.polygon([(x - 0.5, top), (x + 2.75, top - 3), (x + 6, top)], fill=(110, 55, 60, 255))
        if k % 2 == 0:
            c.rect(x + 2, top + 3, x + 3.5, top + 4.5, fill=(255, 220, 120, 255))
    # quay and boats
    c.rect(66, 63, 120, 66, fill=(45, 35, 55, 255))
    for bx, by, s in ((20, 80, 1.0), (58, 74, 0.8), (92, 86, 1.2)):
        hull = [(bx - 9 * s, by), (bx + 9 * s, by), (bx + 6 * s, by + 4 * s), (bx - 6 * s, by + 4 * s)]
        c.polygon(hull, fill=(35, 25, 45, 255))
        c.line([(bx, by), (bx, by - 14 * s)], (35, 25, 45, 255), 0.8)
        c.polygon([(bx + 0.6, by - 13 * s), (bx + 8 * s, by - 2 * s), (bx + 0.6, by - 2 * s)],
                  fill=(250, 225, 200, 255))
    for _ in range(3):
        x, y = rng.uniform(60, 110), rng.uniform(10, 25)
        c.arc(x - 2, y - 1, x, y + 1, 200, 340, (50, 30, 60, 255), 0.5)
        c.arc(x, y - 1, x + 2, y + 1, 200, 340, (50, 30, 60, 255), 0.5)
    frame(c)
    return c.finish()


def darrow_forest():
    rng = random.Random(114)
    c = Canvas(W, H)
    c.vgradient(0, 50, (140, 190, 230), (225, 240, 245))
    for layer, (base, colour, h0) in enumerate(((40, (110, 150, 140), 14), (52, (60, 110, 80), 18),
                                                 (66, (35, 85, 55), 24), (84, (20, 60, 35), 30))):
        hills = ridge(rng, W, base, 3)
        fill_below(c, hills, colour + (255,))
        count = 14 - layer * 2
        for k in range(count):
            x = (k + rng.uniform(0.1, 0.9)) * W / count
            y = base + rng.uniform(2, 6)
            pine(c, x, y, h0 * rng.uniform(0.8, 1.1), scale(colour + (255,), 0.9))
    # a log cabin in a clearing
    c.rect(52, 80, 72, 92, fill=(130, 85, 45, 255))
    for y in range(81, 92, 2):
        c.line([(52, y), (72, y)], (100, 65, 35, 255), 0.4)
    c.polygon([(49, 81), (62, 71), (75, 81)], fill=(90, 50, 35, 255))
    c.rect(59, 85, 64, 92, fill=(70, 45, 30, 255))
    c.rect(66, 83, 70, 86, fill=(255, 215, 120, 255))
    smoke = c.overlay()
    for i in range(5):
        smoke.circle(68 + i * 1.5, 70 - i * 4, 1.5 + i * 0.6, fill=(240, 240, 240, 140))
    c.merge(smoke, blur=0.6)
    c.rect(68, 72, 70, 77, fill=(90, 60, 50, 255))
    frame(c)
    return c.finish()


def winter_night():
    rng = random.Random(117)
    c = Canvas(W, H)
    c.vgradient(0, 70, (8, 12, 40), (35, 50, 95))
    band = c.overlay()
    for i in range(40):
        t = i / 39
        band.circle(-5 + t * 130, 62 - t * 60 + rng.uniform(-4, 4), rng.uniform(4, 8), fill=(200, 200, 240, 22))
    c.merge(band, blur=3)
    stars(c, rng, 140, 65)
    c.circle(96, 16, 6, fill=(250, 248, 225, 255))
    c.circle(99, 14, 5.5, fill=(20, 28, 65, 255))
    hills = ridge(rng, W, 68, 6)
    fill_below(c, hills, (210, 220, 240, 255))
    front = ridge(rng, W, 82, 3)
    fill_below(c, front, (235, 240, 250, 255))
    for _ in range(9):
        x = rng.uniform(3, 117)
        pine(c, x, rng.uniform(84, 96), rng.uniform(10, 16), (15, 35, 40, 255))
    c.rect(30, 78, 40, 86, fill=(60, 45, 40, 255))
    c.polygon([(28, 79), (35, 73), (42, 79)], fill=(240, 245, 255, 255))
    c.rect(33, 80, 36, 83, fill=(255, 210, 110, 255))
    frame(c, (30, 30, 50, 255))
    return c.finish()


def lighthouse():
    rng = random.Random(119)
    c = Canvas(W, H)
    c.vgradient(0, 64, (30, 45, 100), (130, 120, 170))
    stars(c, rng, 40, 40)
    beams = c.overlay()
    beams.polygon([(78, 30), (0, 10), (0, 30)], fill=(255, 245, 190, 90))
    beams.polygon([(78, 30), (120, 22), (120, 34)], fill=(255, 245, 190, 70))
    c.merge(beams, blur=1)
    c.vgradient(64, H, (60, 70, 120), (20, 30, 60))
    for _ in range(25):
        x, y = rng.uniform(0, 120), rng.uniform(66, 98)
        c.line([(x, y), (x + rng.uniform(3, 8), y)], (140, 150, 200, 255), 0.4)
    c.polygon([(50, 100), (62, 66), (90, 60), (120, 68), (120, 100)], fill=(40, 35, 45, 255))
    tower = [(72, 64), (84, 64), (82, 34), (74, 34)]
    c.polygon(tower, fill=(245, 245, 245, 255))
    for y0, y1 in ((40, 46), (52, 58)):
        c.polygon([(74 - (y0 - 34) * 0.067, y0), (82 + (y0 - 34) * 0.067, y0),
                   (82 + (y1 - 34) * 0.067, y1), (74 - (y1 - 34) * 0.067, y1)], fill=(200, 40, 40, 255))
    c.rect(73, 32, 83, 34, fill=(40, 40, 40, 255))
    c.rect(75, 26, 81, 32, fill=(255, 240, 170, 255))
    c.radial_glow(78, 29, 9, (255, 250, 200, 255), 230)
    c.polygon([(74, 26), (78, 22), (82, 26)], fill=(200, 40, 40, 255))
    c.rect(86, 58, 96, 64, fill=(230, 230, 225, 255))
    c.polygon([(85, 58), (91, 54), (97, 58)], fill=(180, 50, 45, 255))
    frame(c, (20, 20, 40, 255))
    return c.finish()


def sunflowers():
    rng = random.Random(121)
    c = Canvas(W, H)
    c.vgradient(0, 50, (80, 150, 230), (190, 225, 250))
    c.circle(98, 14, 7, fill=(255, 245, 170, 255))
    hills = ridge(rng, W, 44, 3)
    fill_below(c, hills, (120, 165, 90, 255))
    c.rect(0, 50, W, H, fill=(70, 120, 50, 255))
    rows = [(52, 2.0), (58, 2.6), (66, 3.4), (76, 4.6), (90, 6.5)]
    for y, r in rows:
        n = int(W / (r * 2.6)) + 2
        for k in range(n):
            x = k * r * 2.6 + rng.uniform(-0.5, 0.5) + (r if (y // 2) % 2 else 0)
            c.line([(x, y), (x, y + r * 2.5)], (50, 100, 40, 255), max(0.4, r * 0.18))
            for p in range(10):
                a = p * math.pi / 5
                c.circle(x + math.cos(a) * r * 0.8, y + math.sin(a) * r * 0.8, r * 0.5, fill=(250, 200, 30, 255))
            c.circle(x, y, r * 0.55, fill=(110, 65, 25, 255))
    frame(c)
    return c.finish()


def university():
    rng = random.Random(123)
    c = Canvas(W, H)
    c.vgradient(0, 70, (120, 170, 225), (220, 235, 245))
    stone, dark, roof = (215, 200, 170, 255), (170, 150, 120, 255), (90, 100, 120, 255)
    c.rect(0, 78, W, H, fill=(110, 160, 85, 255))
    c.polygon([(50, 100), (70, 100), (64, 78), (56, 78)], fill=(200, 190, 170, 255))
    c.rect(14, 44, 106, 79, fill=stone)
    for tx in (8, 94):
        c.rect(tx, 30, tx + 18, 79, fill=stone)
        c.polygon([(tx - 1, 30), (tx + 9, 14), (tx + 19, 30)], fill=roof)
        for y in (36, 48, 62):
            c.rect(tx + 6, y, tx + 12, y + 7, fill=(70, 80, 110, 255))
            c.arc(tx + 6, y - 3, tx + 12, y + 3, 180, 360, dark, 0.6)
    c.polygon([(26, 44), (60, 24), (94, 44)], fill=roof)
    c.circle(60, 36, 5, fill=(245, 240, 225, 255), outline=dark, width=0.6)
    c.line([(60, 36), (60, 32.5)], (40, 40, 40, 255), 0.5)
    c.line([(60, 36), (62.5, 36)], (40, 40, 40, 255), 0.5)
    for k in range(6):
        x = 30 + k * 11
        c.rect(x, 48, x + 6, 56, fill=(70, 80, 110, 255))
        c.rect(x, 62, x + 6, 71, fill=(70, 80, 110, 255))
    c.rect(55, 64, 65, 79, fill=(100, 65, 40, 255))
    c.arc(55, 59, 65, 69, 180, 360, (100, 65, 40, 255), 2.5)
    c.line([(14, 44), (106, 44)], dark, 0.8)
    for tx in (2, 112):
        round_tree(c, tx + 3, 96, 20, (60, 120, 60, 255))
    frame(c)
    return c.finish()


def tessa_falls():
    rng = random.Random(126)
    c = Canvas(W, H)
    c.vgradient(0, 40, (120, 175, 230), (210, 230, 245))
    cliffs = (100, 95, 85, 255)
    c.polygon([(0, 20), (30, 16), (48, 22), (48, 100), (0, 100)], fill=cliffs)
    c.polygon([(72, 24), (92, 14), (120, 18), (120, 100), (72, 100)], fill=scale(cliffs, 0.85))
    for y0, y1, x0, x1 in ((22, 44, 48, 72), (44, 64, 46, 74), (64, 84, 44, 76)):
        c.rect(x0 - 4, y0 - 2, x1 + 4, y0 + 1, fill=(90, 85, 75, 255))
        c.vgradient(y0, y1, (200, 225, 245), (235, 245, 255), x0, x1)
        for _ in range(14):
            x = rng.uniform(x0, x1)
            c.line([(x, y0 + 1), (x, y1 - 1)], (150, 190, 225, 255), 0.4)
    c.rect(0, 84, W, H, fill=(70, 140, 200, 255))
    foam = c.overlay()
    for _ in range(25):
        foam.circle(rng.uniform(40, 80), rng.uniform(82, 92), rng.uniform(1.5, 4), fill=(255, 255, 255, 170))
    c.merge(foam, blur=0.5)
    # the old mill on the right bank
    c.rect(90, 56, 112, 80, fill=(210, 190, 160, 255))
    c.polygon([(88, 57), (101, 46), (114, 57)], fill=(130, 60, 45, 255))
    c.rect(97, 68, 103, 80, fill=(100, 65, 40, 255))
    c.circle(86, 74, 7, outline=(90, 60, 35, 255), width=1.2)
    for k in range(8):
        a = k * math.pi / 4
        c.line([(86, 74), (86 + 7 * math.cos(a), 74 + 7 * math.sin(a))], (90, 60, 35, 255), 0.6)
    for k in range(4):
        pine(c, 6 + k * 9, 22 + (k % 2) * 2, 12, (40, 95, 50, 255))
    frame(c)
    return c.finish()


def fireworks():
    rng = random.Random(127)
    c = Canvas(W, H)
    c.vgradient(0, 66, (5, 8, 30), (30, 30, 70))
    stars(c, rng, 50, 60)
    bursts = [(30, 24, 14, (255, 90, 90)), (70, 16, 12, (120, 220, 255)), (98, 34, 13, (255, 220, 90)),
              (52, 40, 9, (170, 255, 140)), (15, 46, 8, (230, 140, 255))]
    glow = c.overlay()
    for cx, cy, r, col in bursts:
        glow.circle(cx, cy, r * 0.9, fill=col + (40,))
    c.merge(glow, blur=3)
    for cx, cy, r, col in bursts:
        n = 18
        for k in range(n):
            a = 2 * math.pi * k / n + rng.uniform(-0.08, 0.08)
            rr = r * rng.uniform(0.8, 1.05)
            c.line([(cx + math.cos(a) * r * 0.25, cy + math.sin(a) * r * 0.25),
                    (cx + math.cos(a) * rr, cy + math.sin(a) * rr)], col + (255,), 0.5)
            c.circle(cx + math.cos(a) * rr, cy + math.sin(a) * rr, 0.6, fill=(255, 255, 240, 255))
    hills = ridge(rng, W, 64, 4)
    fill_below(c, hills, (15, 20, 35, 255), 68)
    c.vgradient(68, H, (25, 25, 60), (5, 8, 25))
    for cx, cy, r, col in bursts:
        ry = 68 + (68 - cy) * 0.5
        if ry < H:
            c.ellipse(cx - r * 0.6, ry - 1.2, cx + r * 0.6, ry + 1.2, fill=scale(col + (255,), 0.55))
    frame(c, (20, 20, 40, 255))
    return c.finish()
