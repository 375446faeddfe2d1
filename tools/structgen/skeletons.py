"""The base structure pictures: each skeleton is drawn with the letters X, Y
and Z where its substituents join, at the very places where the builder
window puts the fragment pictures (so a chosen fragment hides its letter and
continues the bond). The places are worked out from the builder's tables."""

import math

import fragments
from draw import Canvas, polygon, ring
from PIL import Image

R6 = 19  # benzene ring radius, pixels
LETTER_HALF = 4.6  # half the width of a slot letter


def _within(x, lo, hi, width):
    x = (lo + hi) / 2 if lo > hi else min(max(x, lo), hi)
    return min(max(x, LETTER_HALF), width - LETTER_HALF)


class Slots:
    """Where each used slot's fragments stand in a skeleton picture."""

    def __init__(self, base, frags, modes):
        self.points = {}
        self.letters = {}
        probe = Canvas(1, 1)
        for slot, entries in base.slots.items():
            placed = [p for _, p in entries if p[0] == "frag"]
            if not placed:
                continue
            one_line = [p for p in placed if p[1] in fragments.TEXT] or placed
            _, bitmap, top, left = one_line[0]
            fw, fh, _ = frags[bitmap]
            x0, y0 = base.picture_offset(top, left)
            x1, y1 = x0 + fw, y0 + fh
            row = y0 + fh / 2
            text = fragments.TEXT.get(bitmap, "C")
            tw = probe.text_width(text)
            glyph = x0 + (fw - tw) / 2 + probe.first_glyph_width(text) / 2
            mode = modes.get(slot) or self._auto(base, x0, x1, y0)
            # The letter must hide under every fragment of the slot, the
            # narrowest (iodine, hydrogen) included.
            lefts, rights = [], []
            for _, b2, t2, l2 in placed:
                fx, _ = base.picture_offset(t2, l2)
                lefts.append(fx)
                rights.append(fx + frags[b2][0])
            lo, hi = max(lefts) + LETTER_HALF, min(rights) - LETTER_HALF
            if mode == "L":
                cx = _within(x1 - 6.5, lo, hi, base.w)
                self.points[slot], self.letters[slot] = (min(rights), row), (cx, row)
            elif mode == "R":
                cx = _within(x0 + 6.5, lo, hi, base.w)
                self.points[slot], self.letters[slot] = (max(lefts), row), (cx, row)
            elif mode == "B":
                self.points[slot], self.letters[slot] = (glyph, y0 + 5), (glyph, row)
            else:
                self.points[slot], self.letters[slot] = (glyph, y1 - 5), (glyph, row)

    @staticmethod
    def _auto(base, x0, x1, y0):
        if x0 >= base.w * 0.5:
            return "R"
        if x1 <= base.w * 0.5:
            return "L"
        return "B" if y0 > base.h * 0.5 else "T"

    def draw_letters(self, c):
        for slot, (x, y) in self.letters.items():
            c.letter(x, y, slot)
            c.point(slot, self.points[slot])


def _benzene(c, cx, cy, r=R6, labels=None):
    """Pointy-topped ring (corners at top and bottom); returns its corners
    v0 (top) clockwise to v5 (upper left)."""
    pts = polygon(cx, cy, r, 6, 90)
    pts = [pts[0], pts[5], pts[4], pts[3], pts[2], pts[1]]  # clockwise from the top
    ring(c, pts, aromatic=True, centre=(cx, cy))
    return pts


def _nearest(pts, centre, target):
    ang = math.atan2(target[1] - centre[1], target[0] - centre[0])
    return min(pts, key=lambda p: abs(math.remainder(math.atan2(p[1] - centre[1], p[0] - centre[0]) - ang, math.tau)))


def _ring_with_group(c, b, s, group):
    """Benzene with a group on top (CHO, NH2, CO2H, CN, OH) or a slot there."""
    top_slot = next((k for k, (x, y) in s.points.items() if s.letters[k][1] < 20 and abs(s.letters[k][0] - x) < 1e-6), None)
    bottom = next((k for k in s.points if s.letters[k][1] > b.h - 30 and abs(s.letters[k][0] - s.points[k][0]) < 1e-6), None)
    if top_slot:
        cx = s.points[top_slot][0]
    elif bottom:
        cx = s.points[bottom][0]
    elif s.points:
        right = max(s.points.values(), key=lambda p: p[0])
        cx = right[0] - 39
    else:
        cx = 30
    cy = (42 if top_slot else 40) + R6
    v = _benzene(c, cx, cy)
    if group:
        c.label("g", cx - c.first_glyph_width(group) / 2, 9, group, "left")
        c.bond("g", v[0])
    for k, p in s.points.items():
        c.bond(_nearest(v, (cx, cy), p), k)
    return v, (cx, cy)


RING_GROUPS = {"C": "CHO", "F": "NH2", "H": "CO2H", "I": "CN", "N": "OH"}
FLAT_TOP = {"G1"}


def _chain(c, b, s):
    code = b.code
    L = c.label
    pts = s.points
    if code == "A1":
        L("c", 29, pts["X"][1], "C")
        L("o", 29, 9, "O")
        c.bond("c", "o", "double")
        c.bond("c", "X")
        c.bond("c", "Y")
    elif code == "E1":
        y = pts["X"][1]
        L("n", pts["Y"][0], y, "N")
        L("c", 36, y, "C")
        L("o", 36, 9, "O")
        c.bond("c", "o", "double")
        c.bond("X", "c")
        c.bond("c", "n")
        c.bond("n", "Y")
        c.bond("n", "Z")
    elif code in ("B1", "L1", "H1"):
        y = pts["X"][1]
        gx = pts["Y"][0]
        L("ch", gx - c.first_glyph_width("C") / 2, y, "CH", "left")
        c.bond("X", "ch")
        c.bond("ch", (gx, pts["Y"][1]))
        if code == "B1":
            L("oh", 72, y, "OH", "left")
            c.bond("ch", "oh")
        elif code == "H1":
            L("co", 64, y, "CO2H", "left")
            c.bond("ch", "co")
        else:
            c.bond("ch", "Z")
    elif code == "C1":
        y = pts["X"][1]
        L("c", 30, y, "C")
        L("o", 30, 9, "O")
        L("h", 49, y, "H")
        c.bond("X", "c")
        c.bond("c", "o", "double")
        c.bond("c", "h")
    elif code == "D1":
        y = pts["X"][1]
        L("a", 22, y, "CH", "left")
        L("b", 62, y, "CH2", "left")
        c.bond("X", "a")
        c.bond("a", "b", "double")
    elif code == "D2":
        y = pts["X"][1]
        L("a", 21, y, "CH", "left")
        L("b", pts["Y"][0] - 5, y, "CH", "right")
        c.bond("X", "a")
        c.bond("a", "b", "double")
        c.bond("b", "Y")
    elif code == "F1":
        L("n", 30, 36, "N")
        L("h", 8, 36, "H")
        c.bond("h", "n")
        c.bond("n", "X")
        c.bond("n", "Y")
    elif code == "I1":
        y = pts["X"][1]
        L("c", 27, y, "C")
        L("n", 60, y, "N")
        c.bond("X", "c")
        c.bond("c", "n", "triple")
    elif code == "J1":
        y = pts["X"][1]
        L("c", 28, y, "C")
        L("o", 28, 9, "O")
        L("e", 56, y, "O")
        c.bond("X", "c")
        c.bond("c", "o", "double")
        c.bond("c", "e")
        c.bond("e", "Y")
    elif code == "K1":
        L("o", (pts["X"][0] + pts["Y"][0]) / 2, pts["X"][1], "O")
        c.bond("X", "o")
        c.bond("o", "Y")
    elif code == "M1":
        y = pts["X"][1]
        cx = (pts["X"][0] + pts["Y"][0]) / 2
        L("c", cx, y, "C")
        L("o", cx, 9, "O")
        c.bond("X", "c")
        c.bond("c", "o", "double")
        c.bond("c", "Y")
    else:
        return False
    return True


def _fused(c, centres, cy, r=22, labels=None, aromatic=None):
    """Pointy-topped rings side by side sharing their vertical edges. Returns
    the corners of each ring, clockwise from the top."""
    rings = []
    for cx in centres:
        p = polygon(cx, cy, r, 6, 90)
        rings.append([p[0], p[5], p[4], p[3], p[2], p[1]])
    drawn = set()
    labels = labels or {}
    for k, pts in enumerate(rings):
        for i in range(6):
            a, b = pts[i], pts[(i + 1) % 6]
            key = tuple(sorted((round(a[0], 1), round(a[1], 1), round(b[0], 1), round(b[1], 1))))
            if key in drawn:
                continue
            drawn.add(key)
            c.bond(labels.get((k, i), a), labels.get((k, (i + 1) % 6), b))
        if aromatic is None or aromatic[k]:
            c.circle((centres[k], cy), r * 0.58)
    return rings


def _ring_label(c, name, p, text):
    c.label(name, p[0], p[1], text)
    return name


def _special(c, b, s):
    code, pts = b.code, s.points
    if code == "G1":
        cy = pts["X"][1]
        r = 22
        cx = pts["X"][0] - r - 14
        v = polygon(cx, cy, r, 6, 0)
        ring(c, v, aromatic=True, centre=(cx, cy))
        c.bond(v[0], "X")
    elif code == "F2":
        cx = 32
        c.label("n", cx, 36, "N")
        c.bond("n", "X")
        c.bond("n", "Y")
        v = _benzene(c, cx, 36 + 18 + R6)
        c.bond("n", v[0])
    elif code in ("F10", "F11", "F12", "G8", "G9"):
        r = 22
        if code == "F10":
            cx = pts["X"][0] - 15 - r * 0.866
            centres, cy = [cx], 38
        elif code == "F11":
            cx = pts["X"][0] - 15 - r * 0.866
            centres, cy = [cx - 2 * r * 0.866, cx], 38
        elif code == "F12":
            cx = pts["Y"][0]
            centres, cy = [cx - 2 * r * 0.866, cx], pts["Y"][1] - 14 - r
        elif code == "G8":
            cx = pts["X"][0]
            centres, cy = [cx - 2 * r * 0.866, cx], pts["X"][1] + 14 + r
        else:
            cx = pts["X"][0]
            centres, cy = [cx - 4 * r * 0.866, cx - 2 * r * 0.866, cx], pts["X"][1] + 14 + r
        last = len(centres) - 1
        p = polygon(cx, cy, r, 6, 90)
        corners = [p[0], p[5], p[4], p[3], p[2], p[1]]
        labels = {}
        if code in ("F10", "F11"):
            labels[(last, 3)] = _ring_label(c, "n", corners[3], "N")
        if code == "F12":
            labels[(last, 2)] = _ring_label(c, "n", corners[2], "N")
        rings = _fused(c, centres, cy, r, labels)
        right = rings[last]
        for k in pts:
            c.bond(_nearest(right, (cx, cy), pts[k]), k)
    elif code == "J2":
        r = 22
        cy = 36
        centres = [50, 50 + 2 * r * 0.866]
        p = polygon(centres[1], cy, r, 6, 90)
        right = [p[0], p[5], p[4], p[3], p[2], p[1]]
        labels = {(1, 3): _ring_label(c, "o1", right[3], "O")}
        rings = _fused(c, centres, cy, r, labels, aromatic=(True, False))
        c.bond(right[0], right[1], "inner", towards=(centres[1], cy))
        co = (right[2][0] + 15, right[2][1] + 9)
        c.label("o2", co[0] + 4, co[1] + 5, "O")
        c.bond(right[2], "o2", "double")
        c.bond(rings[0][5], "X")
        c.bond(right[1], "Y")
    elif code in ("B3", "M2", "B4", "M3"):
        n = 5 if code in ("B3", "M2") else 6
        r = 20
        cx = 30
        group = "OH" if code[0] == "B" else "O"
        v = polygon(cx, 0, r, n, 90)
        cy = 36 + r if n == 5 else 38 + r
        v = polygon(cx, cy, r, n, 90)
        ring(c, v)
        c.label("g", cx, 9, group)
        c.bond("g", v[0], "double" if group == "O" else "single")
        c.bond(_nearest(v, (cx, cy), pts["X"]), "X")
    elif code in ("D3", "D4"):
        n = 5 if code == "D3" else 6
        cx, cy, r = (30, 28, 20) if n == 5 else (30, 36, 20)
        v = polygon(cx, cy, r, n, 90)
        at = _nearest(v, (cx, cy), pts["X"])
        i = v.index(at)
        ring(c, v, doubles=((i - 1) % n,), centre=(cx, cy))
        c.bond(at, "X")
    elif code in ("L2", "L3"):
        n = 5 if code == "L2" else 6
        cx, cy, r = (33, 40, 20) if n == 5 else (33, 39, 20)
        v = polygon(cx, cy, r, n, 90 if n == 6 else 90)
        ring(c, v)
        for k in ("X", "Y"):
            c.bond(_nearest(v, (cx, cy), pts[k]), k)
    elif code == "K2":
        cyclic_ether(c)
    else:
        return False
    return True


def cyclic_ether(c):
    c.label("a", 4, 14, "H2C", "left")
    c.label("o", 56, 14, "O")
    c.label("b", 78, 14, "(CH2)_b", "left")
    c.label("d", 4, 60, "H2C", "left")
    c.label("e", 78, 60, "(O)_a", "left")
    c.bond("a", "o")
    c.bond("o", "b")
    c.bond("b", "e")
    c.bond("e", "d")
    c.bond("d", "a")


MODES = {
    "E1": {"X": "L", "Y": "B", "Z": "R"},
    "B1": {"X": "L", "Y": "T"}, "L1": {"X": "L", "Y": "T", "Z": "R"}, "H1": {"X": "L", "Y": "T"},
    "C1": {"X": "L"}, "A1": {"X": "L", "Y": "R"}, "F1": {"X": "R", "Y": "R"},
    "F12": {"X": "R", "Y": "B"}, "G8": {"X": "T", "Y": "R"}, "G9": {"X": "T", "Y": "R"},
    "J2": {"X": "L", "Y": "R"}, "F2": {"X": "L", "Y": "R"},
}


def uncovered_letters(bases, frags):
    """Places where a fragment would leave part of its slot letter showing."""
    out = []
    for b in bases:
        s = Slots(b, frags, MODES.get(b.code, {}))
        for slot, (lx, ly) in s.letters.items():
            box = (lx - LETTER_HALF, ly - 5, lx + LETTER_HALF, ly + 5)
            for text, p in b.slots[slot]:
                if p[0] != "frag":
                    continue
                fx, fy = b.picture_offset(p[2], p[3])
                fw, fh, _ = frags[p[1]]
                if not (fx <= box[0] and fy <= box[1] and fx + fw >= box[2] and fy + fh >= box[3]):
                    out.append(f"{b.code} {slot} {text}")
    return out


def draw(b, frags):
    c = Canvas(b.w, b.h)
    s = Slots(b, frags, MODES.get(b.code, {}))
    s.draw_letters(c)
    if not (_chain(c, b, s) or _special(c, b, s)):
        _ring_with_group(c, b, s, RING_GROUPS.get(b.letter))
    return c.finish()


def draw_variant(bitmap, w, h):
    """Skeletons that replace a base picture: methylenedioxybenzoic acids and
    the cyclic ethers by ring size."""
    c = Canvas(w, h)
    if bitmap in (455, 456):
        cx = 30 if bitmap == 455 else 32
        cy = 40 + R6
        c.label("g", cx - c.first_glyph_width("C") / 2, 9, "CO2H", "left")
        v = _benzene(c, cx, cy)
        c.bond("g", v[0])
        a, b = (v[1], v[2]) if bitmap == 455 else (v[2], v[3])
        out = []
        for k, p in enumerate((a, b)):
            d = (p[0] - cx, p[1] - cy)
            n = math.hypot(*d)
            q = (p[0] + d[0] / n * 17, p[1] + d[1] / n * 17)
            c.label(f"o{k}", q[0], q[1], "O")
            c.bond(p, f"o{k}")
            out.append(q)
        mid = ((out[0][0] + out[1][0]) / 2, (out[0][1] + out[1][1]) / 2)
        d = (mid[0] - cx, mid[1] - cy)
        n = math.hypot(*d)
        m = (mid[0] + d[0] / n * 16, mid[1] + d[1] / n * 16)
        c.label("ch", m[0] + 4, m[1], "CH2")
        c.bond("o0", "ch")
        c.bond("o1", "ch")
    else:
        n = {474: 4, 475: 5, 476: 5, 477: 6}[bitmap]
        oxygens = {474: (0,), 475: (0,), 476: (0, 2), 477: (0, 3)}[bitmap]
        r = {4: 15, 5: 19, 6: 21}[n]
        cx, cy = w / 2, h / 2 + (2 if n == 5 else 0)
        v = polygon(cx, cy, r, n, 90 if n != 4 else 45)
        names = []
        for i, p in enumerate(v):
            if i in oxygens:
                c.label(f"o{i}", p[0], p[1], "O")
                names.append(f"o{i}")
            else:
                names.append(p)
        for i in range(n):
            c.bond(names[i], names[(i + 1) % n])
    return c.finish()


def start_picture():
    """A ring waiting for its substituents, on the light cyan of the empty
    drawing area it stands on."""
    c = Canvas(102, 102)
    v = _benzene(c, 40, 54, 24)
    c.label("x", 86, 30, "X")
    c.label("y", 86, 80, "Y")
    c.label("z", 40, 9, "Z")
    c.bond(v[1], "x")
    c.bond(v[2], "y")
    c.bond(v[0], "z")
    grey = c.finish()
    cyan = Image.new("RGB", grey.size, (0x70, 0xFF, 0xFF))
    ink = Image.new("RGB", grey.size, (0, 0, 0))
    return Image.composite(cyan, ink, grey)
