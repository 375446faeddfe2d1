"""Drawing primitives for the structure pictures: black on white, drawn four
times larger and reduced, so lines and letters come out smooth at the small
sizes the builder window shows them."""

import math

from PIL import Image, ImageDraw, ImageFont

S = 4  # supersampling factor
FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
MAIN_PX = 15
SUB_PX = 10
LETTER_PX = 13
LINE = 1.25


def _font(size):
    return ImageFont.truetype(FONT, size * S)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("L", (w * S, h * S), 255)
        self.d = ImageDraw.Draw(self.img)
        self.main = _font(MAIN_PX)
        self.sub = _font(SUB_PX)
        self.labels = {}
        self.points = {}

    # -- lines ---------------------------------------------------------------
    def line(self, p, q, width=LINE):
        self.d.line([(p[0] * S, p[1] * S), (q[0] * S, q[1] * S)], fill=0, width=max(1, round(width * S)))
        r = width * S / 2
        for x, y in (p, q):  # round ends, so joined bonds meet cleanly
            self.d.ellipse([x * S - r, y * S - r, x * S + r, y * S + r], fill=0)

    def double(self, p, q, gap=2.6, inner=False, towards=None):
        """A double bond: centred pair, or (inner) the main line plus a shorter
        one on the side of `towards` (a ring centre)."""
        dx, dy = q[0] - p[0], q[1] - p[1]
        n = math.hypot(dx, dy) or 1
        nx, ny = -dy / n, dx / n
        if not inner:
            h = gap / 2
            self.line((p[0] + nx * h, p[1] + ny * h), (q[0] + nx * h, q[1] + ny * h))
            self.line((p[0] - nx * h, p[1] - ny * h), (q[0] - nx * h, q[1] - ny * h))
            return
        self.line(p, q)
        if towards and (towards[0] - p[0]) * nx + (towards[1] - p[1]) * ny < 0:
            nx, ny = -nx, -ny
        k = 0.18
        a = (p[0] + dx * k + nx * gap * 1.3, p[1] + dy * k + ny * gap * 1.3)
        b = (q[0] - dx * k + nx * gap * 1.3, q[1] - dy * k + ny * gap * 1.3)
        self.line(a, b)

    def triple(self, p, q, gap=2.8):
        self.line(p, q)
        self.double(p, q, gap=gap * 2)

    def circle(self, c, r, width=LINE):
        x, y = c
        self.d.ellipse([(x - r) * S, (y - r) * S, (x + r) * S, (y + r) * S], outline=0, width=max(1, round(width * S)))

    # -- formulae ----------------------------------------------------------
    def _pieces(self, text):
        """Splits a formula into (string, is_subscript): digits after a letter
        or a closing bracket are subscripts."""
        out = []
        text = text.replace("_", "\x00")
        for i, ch in enumerate(text):
            if ch == "\x00":
                continue
            if i > 0 and text[i - 1] == "\x00":  # "_a": a letter written as a subscript
                out.append((ch, True))
                continue
            sub = ch.isdigit() and i > 0 and (text[i - 1].isalpha() or text[i - 1] in ")" or
                                              (text[i - 1].isdigit() and out and out[-1][1]))
            if out and out[-1][1] == sub:
                out[-1] = (out[-1][0] + ch, sub)
            else:
                out.append((ch, sub))
        return out

    def text_width(self, text):
        w = 0
        for s, sub in self._pieces(text):
            w += (self.sub if sub else self.main).getlength(s) / S
        return w

    def first_glyph_width(self, text):
        return self.main.getlength(text[0]) / S

    def text(self, x, yc, text, align="left"):
        """Writes a formula with its capitals centred on yc; returns its box."""
        w = self.text_width(text)
        if align == "center":
            x -= w / 2
        elif align == "right":
            x -= w
        cap = self.main.getbbox("H")
        cap_h = (cap[3] - cap[1]) / S
        top_main = yc - cap_h / 2 - cap[1] / S
        sub_top = yc + cap_h / 2 - (self.sub.getbbox("2")[3]) / S + 3.2
        cx = x
        for s, sub in self._pieces(text):
            f = self.sub if sub else self.main
            self.d.text((cx * S, (sub_top if sub else top_main) * S), s, font=f, fill=0)
            cx += f.getlength(s) / S
        return (x - 0.5, yc - cap_h / 2 - 1.5, x + w + 0.5, yc + cap_h / 2 + 1.5)

    def letter(self, x, yc, ch):
        """A slot letter, a little smaller than the formulae so that the
        narrowest fragment hides it."""
        f = _font(LETTER_PX)
        box = f.getbbox(ch)
        w, h = (box[2] - box[0]) / S, (box[3] - box[1]) / S
        self.d.text(((x - w / 2) * S - box[0], (yc - h / 2) * S - box[1]), ch, font=f, fill=0)

    # -- named labels and points for skeletons ------------------------------
    def label(self, name, x, yc, text, align="center"):
        box = self.text(x, yc, text, align)
        self.labels[name] = box
        return box

    def point(self, name, p):
        self.points[name] = p

    def _end(self, ref, towards):
        if isinstance(ref, tuple):
            return ref
        if ref in self.points:
            return self.points[ref]
        x0, y0, x1, y1 = self.labels[ref]
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        dx, dy = towards[0] - cx, towards[1] - cy
        t = 1e9
        if dx:
            t = min(t, ((x1 if dx > 0 else x0) - cx) / dx + 0.0)
        if dy:
            t = min(t, ((y1 if dy > 0 else y0) - cy) / dy + 0.0)
        t = min(t, 1.0)
        return (cx + dx * t, cy + dy * t)

    def _centre(self, ref):
        if isinstance(ref, tuple):
            return ref
        if ref in self.points:
            return self.points[ref]
        x0, y0, x1, y1 = self.labels[ref]
        return ((x0 + x1) / 2, (y0 + y1) / 2)

    def bond(self, a, b, kind="single", towards=None):
        ca, cb = self._centre(a), self._centre(b)
        p, q = self._end(a, cb), self._end(b, ca)
        if kind == "single":
            self.line(p, q)
        elif kind == "double":
            self.double(p, q)
        elif kind == "inner":
            self.double(p, q, inner=True, towards=towards)
        elif kind == "triple":
            self.triple(p, q)

    def finish(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def polygon(cx, cy, r, n, start_deg):
    """Corners of a regular n-gon; angles in degrees, 0 = right, 90 = up."""
    pts = []
    for k in range(n):
        a = math.radians(start_deg + 360.0 * k / n)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return pts


def ring(c, pts, aromatic=False, doubles=(), centre=None):
    n = len(pts)
    for k in range(n):
        kind = "inner" if k in doubles else "single"
        c.bond(pts[k], pts[(k + 1) % n], kind, towards=centre)
    if aromatic and centre:
        r = min(math.hypot(p[0] - centre[0], p[1] - centre[1]) for p in pts)
        c.circle(centre, r * 0.58)
