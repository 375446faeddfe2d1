#!/usr/bin/python3
"""Draws the stage diagrams of the proton shift calculator (ovhc*.gif):
the skeleton of each page with the calculated proton(s) in red and the
places X, Y and Z in blue. Deterministic: the same files on every run.

Usage: /usr/bin/python3 tools/nmrcalcgen/make_gifs.py [output folder]
(default: data/gifs beside this tool's repository root)."""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

W, H = 86, 128          # fits between the type frame and the groups frame
SCALE = 4               # drawn large, then reduced for smooth lines
BLACK, RED, BLUE, WHITE = (0, 0, 0), (200, 0, 0), (0, 0, 200), (255, 255, 255)
FONT_PATHS = ["/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
              "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"]


def font(size):
    for p in FONT_PATHS:
        if os.path.exists(p):
            return ImageFont.truetype(p, size * SCALE)
    return ImageFont.load_default()


class Canvas:
    def __init__(self):
        self.img = Image.new("RGB", (W * SCALE, H * SCALE), WHITE)
        self.d = ImageDraw.Draw(self.img)
        self.f = font(11)
        self.small = font(8)

    def line(self, a, b, width=1.2):
        self.d.line([(a[0] * SCALE, a[1] * SCALE), (b[0] * SCALE, b[1] * SCALE)],
                    fill=BLACK, width=int(width * SCALE))

    def double(self, a, b, inside):
        """A double bond a-b with its second line towards `inside`."""
        self.line(a, b)
        dx, dy = b[0] - a[0], b[1] - a[1]
        n = math.hypot(dx, dy)
        ox, oy = -dy / n * 4, dx / n * 4
        if (inside[0] - a[0]) * ox + (inside[1] - a[1]) * oy < 0:
            ox, oy = -ox, -oy
        sh = 0.15
        self.line((a[0] + ox + dx * sh, a[1] + oy + dy * sh), (b[0] + ox - dx * sh, b[1] + oy - dy * sh))

    def text(self, xy, s, colour=BLACK, small=False):
        f = self.small if small else self.f
        box = self.d.textbbox((0, 0), s, font=f)
        w, h = box[2] - box[0], box[3] - box[1]
        x, y = xy[0] * SCALE - w / 2 - box[0], xy[1] * SCALE - h / 2 - box[1]
        pad = 1.5 * SCALE
        self.d.rectangle([x + box[0] - pad, y + box[1] - pad, x + box[2] + pad, y + box[3] + pad], fill=WHITE)
        self.d.text((x, y), s, font=f, fill=colour)

    def save(self, path):
        small = self.img.resize((W, H), Image.LANCZOS)
        small = small.convert("P", palette=Image.ADAPTIVE, colors=32)
        small.save(path, format="GIF")


def towards(a, b, frac):
    return (a[0] + (b[0] - a[0]) * frac, a[1] + (b[1] - a[1]) * frac)


def alkene(c):
    a, b = (28, 64), (58, 64)
    c.double(a, b, (43, 80))
    subs = {"H": (12, 38), "Z": (12, 90), "X": (74, 38), "Y": (74, 90)}
    for k, p in subs.items():
        c.line(a if k in "HZ" else b, towards(a if k in "HZ" else b, p, 0.75))
    for k, p in subs.items():
        c.text(p, k, RED if k == "H" else BLUE)
    c.text((43, 112), "H cis to X", small=True)


def methylene(c):
    centre = (43, 62)
    c.text(centre, "C")
    subs = {"H1": (43, 30), "H2": (14, 62), "X": (72, 62), "Y": (43, 94)}
    for p in subs.values():
        c.line(towards(centre, p, 0.3), towards(centre, p, 0.75))
    for k, p in subs.items():
        c.text(p, k[0], RED if k[0] == "H" else BLUE)
    c.text((43, 116), "CH2XY", small=True)


def methine(c):
    centre = (43, 62)
    c.text(centre, "C")
    subs = {"H": (43, 30), "R": (14, 62), "X": (72, 62), "Y": (43, 94)}
    for p in subs.values():
        c.line(towards(centre, p, 0.3), towards(centre, p, 0.75))
    for k, p in subs.items():
        c.text(p, k, RED if k == "H" else (BLACK if k == "R" else BLUE))
    c.text((43, 116), "R-CHXY", small=True)


def benzene(c, places):
    """places: ring position (1..6) -> label X, Y or Z; the others carry H."""
    centre, r = (43, 66), 20
    pts = {}
    for i in range(1, 7):
        ang = math.radians(-90 + 60 * (i - 1))
        pts[i] = (centre[0] + r * math.cos(ang), centre[1] + r * math.sin(ang))
    for i in range(1, 7):
        c.line(pts[i], pts[i % 6 + 1])
    # The aromatic ring as an inner circle, leaving room for the numbers.
    rr = 5 * SCALE
    c.d.ellipse([centre[0] * SCALE - rr, centre[1] * SCALE - rr, centre[0] * SCALE + rr, centre[1] * SCALE + rr],
                outline=BLACK, width=int(1.0 * SCALE))
    for i in range(1, 7):
        ang = math.radians(-90 + 60 * (i - 1))
        outer = (centre[0] + (r + 15) * math.cos(ang), centre[1] + (r + 15) * math.sin(ang))
        num = (centre[0] + (r - 6.5) * math.cos(ang), centre[1] + (r - 6.5) * math.sin(ang))
        c.line(pts[i], towards(pts[i], outer, 0.55))
        label = places.get(i, "H")
        c.text(outer, label, BLUE if label != "H" else RED)
        c.text(num, str(i), small=True)


STAGES = {
    "ovhcea.gif": alkene,
    "ovhcma.gif": methylene,
    "ovhcmb.gif": methine,
    "ovhcba.gif": lambda c: benzene(c, {1: "X"}),
    "ovhcbb.gif": lambda c: benzene(c, {1: "X", 2: "Y"}),
    "ovhcbc.gif": lambda c: benzene(c, {1: "X", 3: "Y"}),
    "ovhcbd.gif": lambda c: benzene(c, {1: "X", 4: "Y"}),
    "ovhcbe.gif": lambda c: benzene(c, {1: "X", 2: "Y", 3: "Z"}),
    "ovhcbf.gif": lambda c: benzene(c, {1: "X", 2: "Y", 4: "Z"}),
    "ovhcbg.gif": lambda c: benzene(c, {1: "X", 3: "Y", 5: "Z"}),
}


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "gifs")
    os.makedirs(out, exist_ok=True)
    for name, draw in STAGES.items():
        c = Canvas()
        draw(c)
        c.save(os.path.join(out, name))
    print(f"{len(STAGES)} diagrams written to {out}")


if __name__ == "__main__":
    main()
