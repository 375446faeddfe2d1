#!/usr/bin/python3
"""Draws the stage diagrams of the shift calculators: the proton pages
(ovhc*.gif, the calculated proton(s) in red) and the carbon-13 pages
(ovcc*.gif, the carbons numbered as the result lines name them), with the
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
    def __init__(self, width=W):
        self.width = width
        self.img = Image.new("RGB", (width * SCALE, H * SCALE), WHITE)
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
        small = self.img.resize((self.width, H), Image.LANCZOS)
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


CW = 180  # carbon diagrams: between the type frame and the groups frame


def skeleton(c, atoms, bonds, caption=None, double=()):
    """atoms: name -> (x, y, label, colour or None for a bare vertex, number
    or ''); bonds: pairs of names; double: pairs drawn as double bonds."""
    for a, b in bonds:
        pa, pb = atoms[a][:2], atoms[b][:2]
        ea = towards(pa, pb, 0.22) if atoms[a][3] else pa
        eb = towards(pb, pa, 0.22) if atoms[b][3] else pb
        if (a, b) in double:
            c.double(ea, eb, (ea[0], ea[1] + 20))
        else:
            c.line(ea, eb)
    for name, (x, y, label, colour, num) in atoms.items():
        if colour:
            c.text((x, y), label, colour)
        if num:
            c.text((x, y + (11 if y < 70 else -11)), num, small=True)
    if caption:
        c.text((CW / 2, 116), caption, small=True)


def zigzag(n, x0=20, dx=24, y_hi=50, y_lo=70):
    return [(x0 + dx * i, y_hi if i % 2 == 0 else y_lo) for i in range(n)]


def chain(labels, nums, caption=None, double=()):
    """A zigzag X-C-C-...; labels[i] is drawn text (None = bare vertex)."""
    pts = zigzag(len(labels), dx=(CW - 40) / max(1, len(labels) - 1))
    atoms = {}
    for i, (lab, num) in enumerate(zip(labels, nums)):
        colour = BLUE if lab in ("X", "Y") else (BLACK if lab else None)
        atoms[i] = (pts[i][0], pts[i][1], lab or "", colour, num)
    bonds = [(i, i + 1) for i in range(len(labels) - 1)]
    return atoms, bonds


def c_methyl(c):
    atoms, bonds = chain(["X", "CH3"], ["", ""])
    skeleton(c, atoms, bonds, "X-CH3")


def c_ethyl(c):
    atoms, bonds = chain(["X", None, None], ["", "1", "2"])
    skeleton(c, atoms, bonds, "X-CH2-CH3")


def c_ethylene(c):
    atoms, bonds = chain(["X", None, None, "Y"], ["", "1", "2", ""])
    skeleton(c, atoms, bonds, "X-CH2-CH2-Y")


def c_propyl(c):
    atoms, bonds = chain(["X", None, None, None], ["", "1", "2", "3"])
    skeleton(c, atoms, bonds, "X-CH2-CH2-CH3")


def c_isopropyl(c):
    atoms = {"x": (90, 24, "X", BLUE, ""), "c1": (90, 58, "", None, ""), "a": (56, 78, "", None, "2"),
             "b": (124, 78, "", None, "2")}
    skeleton(c, atoms, [("x", "c1"), ("c1", "a"), ("c1", "b")])
    c.text((104, 58), "1", small=True)
    c.text((CW / 2, 116), "X-CH(CH3)2", small=True)


def c_butyl(c):
    atoms, bonds = chain(["X", None, None, None, None, None], ["", "1", "2", "3", "4", "5"])
    skeleton(c, atoms, bonds, "X-C1-C2-C3-(C4)n-C5")


def c_2butyl(c):
    pts = zigzag(6, x0=28, dx=26)
    atoms = {i: (p[0], p[1], "", None, str(i + 1)) for i, p in enumerate(pts)}
    atoms["x"] = (pts[1][0], 96, "X", BLUE, "")
    skeleton(c, atoms, [(i, i + 1) for i in range(5)] + [(1, "x")])
    c.text((CW / 2, 116), "C1-C2(X)-C3-(C4)n-(C5)m-C6", small=True)


def c_cyclo(c):
    centre, r = (96, 58), 24
    atoms = {}
    for i in range(6):
        ang = math.radians(180 + 60 * i)
        atoms[i] = (centre[0] + r * math.cos(ang), centre[1] + r * math.sin(ang), "", None, "")
    atoms["x"] = (centre[0] - r - 30, centre[1], "X", BLUE, "")
    bonds = [(i, (i + 1) % 6) for i in range(6)] + [(0, "x")]
    skeleton(c, atoms, bonds)
    for i, num in zip(range(4), ["1", "2", "3", "4"]):
        ang = math.radians(180 + 60 * i)
        c.text((centre[0] + (r - 9) * math.cos(ang), centre[1] + (r - 9) * math.sin(ang)), num, small=True)
    c.text((CW / 2, 116), "ring of 5 or 6 (n = 0 or 1)", small=True)


def c_alkene(c):
    atoms = {"x": (36, 40, "X", BLUE, ""), "c1": (70, 62, "", None, ""), "c2": (110, 62, "", None, ""),
             "y": (144, 84, "Y", BLUE, "")}
    skeleton(c, atoms, [("x", "c1"), ("c1", "c2"), ("c2", "y")], double={("c1", "c2")})
    c.text((70, 76), "1", small=True)
    c.text((110, 48), "2", small=True)
    c.text((CW / 2, 116), "X-CH=CH-Y", small=True)


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

CARBON_STAGES = {
    "ovccaa.gif": c_methyl,
    "ovccac.gif": c_ethyl,
    "ovccad.gif": c_ethylene,
    "ovccae.gif": c_propyl,
    "ovccaf.gif": c_isopropyl,
    "ovccag.gif": c_butyl,
    "ovccah.gif": c_2butyl,
    "ovccai.gif": c_cyclo,
    "ovccea.gif": c_alkene,
}


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "gifs")
    os.makedirs(out, exist_ok=True)
    for name, draw in STAGES.items():
        c = Canvas()
        draw(c)
        c.save(os.path.join(out, name))
    for name, draw in CARBON_STAGES.items():
        c = Canvas(CW)
        draw(c)
        c.save(os.path.join(out, name))
    print(f"{len(STAGES) + len(CARBON_STAGES)} diagrams written to {out}")


if __name__ == "__main__":
    main()
