"""Drawing helpers shared by the picture generators.

Every picture is drawn on a canvas SCALE times larger than its final size and
reduced with a Lanczos filter at the end, which gives smooth edges without
anti-aliasing support in the drawing calls. All randomness comes from
random.Random objects seeded with fixed numbers, so the output is the same on
every run.
"""

import math
import random

from PIL import Image, ImageDraw, ImageFilter

SCALE = 4


class Canvas:
    """An RGBA drawing surface in final-pixel coordinates (floats allowed)."""

    def __init__(self, width, height, background=(255, 255, 255, 255)):
        self.width = width
        self.height = height
        self.image = Image.new("RGBA", (width * SCALE, height * SCALE), background)
        self.draw = ImageDraw.Draw(self.image)

    # coordinates -----------------------------------------------------------
    @staticmethod
    def s(v):
        return v * SCALE

    def pts(self, points):
        return [(x * SCALE, y * SCALE) for x, y in points]

    def box(self, x0, y0, x1, y1):
        return [x0 * SCALE, y0 * SCALE, x1 * SCALE, y1 * SCALE]

    # primitives ------------------------------------------------------------
    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.draw.rectangle(self.box(x0, y0, x1, y1), fill=fill, outline=outline,
                            width=max(1, round(width * SCALE)))

    def rounded(self, x0, y0, x1, y1, radius, fill=None, outline=None, width=1.0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), radius=radius * SCALE, fill=fill,
                                    outline=outline, width=max(1, round(width * SCALE)))

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.draw.ellipse(self.box(x0, y0, x1, y1), fill=fill, outline=outline,
                          width=max(1, round(width * SCALE)))

    def circle(self, cx, cy, r, fill=None, outline=None, width=1.0):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline, width)

    def polygon(self, points, fill=None, outline=None, width=1.0):
        self.draw.polygon(self.pts(points), fill=fill)
        if outline is not None:
            self.line(list(points) + [points[0]], outline, width)

    def line(self, points, fill, width=1.0):
        self.draw.line(self.pts(points), fill=fill, width=max(1, round(width * SCALE)), joint="curve")

    def arc(self, x0, y0, x1, y1, start, end, fill, width=1.0):
        self.draw.arc(self.box(x0, y0, x1, y1), start, end, fill=fill, width=max(1, round(width * SCALE)))

    # compositing -----------------------------------------------------------
    def overlay(self):
        """A transparent layer of the canvas size to draw translucent shapes on."""
        layer = Canvas.__new__(Canvas)
        layer.width, layer.height = self.width, self.height
        layer.image = Image.new("RGBA", self.image.size, (0, 0, 0, 0))
        layer.draw = ImageDraw.Draw(layer.image)
        return layer

    def merge(self, layer, blur=0.0):
        img = layer.image
        if blur:
            img = img.filter(ImageFilter.GaussianBlur(blur * SCALE))
        self.image = Image.alpha_composite(self.image, img)
        self.draw = ImageDraw.Draw(self.image)

    def vgradient(self, y0, y1, top, bottom, x0=0, x1=None):
        x1 = self.width if x1 is None else x1
        span = max(1, round((y1 - y0) * SCALE))
        for i in range(span):
            t = i / max(1, span - 1)
            colour = mix(top, bottom, t)
            yy = y0 * SCALE + i
            self.draw.line([(x0 * SCALE, yy), (x1 * SCALE - 1, yy)], fill=colour)

    def radial_glow(self, cx, cy, r, colour, strength=255):
        layer = self.overlay()
        steps = 24
        for i in range(steps, 0, -1):
            rr = r * i / steps
            a = int(strength * (1 - i / steps) ** 1.5)
            layer.circle(cx, cy, rr, fill=colour[:3] + (a,))
        self.merge(layer, blur=r / 6)

    def sphere(self, cx, cy, r, colour):
        """A shaded ball lit from the upper left."""
        dark = scale(colour, 0.45)
        self.circle(cx, cy, r, fill=dark)
        steps = 14
        for i in range(steps):
            t = i / steps
            rr = r * (1 - 0.75 * t)
            ox = -r * 0.35 * t
            oy = -r * 0.35 * t
            self.circle(cx + ox, cy + oy, rr, fill=mix(dark, colour, min(1, t * 1.6)))
        self.circle(cx - r * 0.38, cy - r * 0.38, r * 0.18, fill=mix(colour, (255, 255, 255), 0.75))

    def text(self, x, y, string, fill, size, anchor="la", bold=False):
        self.draw.text((x * SCALE, y * SCALE), string, fill=fill, font=font(size * SCALE, bold),
                       anchor=anchor)

    def finish(self):
        """The picture at its final size, as an RGB or RGBA image."""
        return self.image.resize((self.width, self.height), Image.LANCZOS)


_FONTS = {}


def font(pixel_size, bold=False):
    from PIL import ImageFont
    key = (round(pixel_size), bold)
    if key not in _FONTS:
        names = (["DejaVuSans-Bold.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"] if bold
                 else ["DejaVuSans.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"])
        loaded = None
        for name in names:
            try:
                loaded = ImageFont.truetype(name, key[0])
                break
            except OSError:
                continue
        _FONTS[key] = loaded or ImageFont.load_default()
    return _FONTS[key]


def mix(a, b, t):
    """Linear blend of two RGB(A) colours, t = 0 gives a, t = 1 gives b."""
    t = max(0.0, min(1.0, t))
    out = tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))
    alpha_a = a[3] if len(a) > 3 else 255
    alpha_b = b[3] if len(b) > 3 else 255
    return out + (round(alpha_a + (alpha_b - alpha_a) * t),)


def scale(colour, f):
    return tuple(max(0, min(255, round(c * f))) for c in colour[:3]) + (255,)


def ridge(rng, width, base, amplitude, roughness=0.55, levels=7):
    """A mountain skyline by midpoint displacement: list of (x, y) from x = 0 to width."""
    n = 2 ** levels
    ys = [0.0] * (n + 1)
    ys[0] = base + rng.uniform(-amplitude, amplitude) * 0.5
    ys[n] = base + rng.uniform(-amplitude, amplitude) * 0.5
    step, amp = n, amplitude
    while step > 1:
        half = step // 2
        for i in range(half, n, step):
            ys[i] = (ys[i - half] + ys[i + half]) / 2 + rng.uniform(-amp, amp)
        step, amp = half, amp * roughness
    return [(width * i / n, ys[i]) for i in range(n + 1)]


def fill_below(canvas, skyline, colour, bottom=None):
    bottom = canvas.height if bottom is None else bottom
    points = list(skyline) + [(canvas.width, bottom), (0, bottom)]
    canvas.polygon(points, fill=colour)


def pine(canvas, x, y, h, colour):
    """A conifer standing at (x, y) with height h."""
    trunk = (90, 60, 35, 255)
    canvas.rect(x - h * 0.04, y - h * 0.15, x + h * 0.04, y, fill=trunk)
    for k in range(3):
        top = y - h + k * h * 0.22
        base = y - h * 0.12 - (2 - k) * h * 0.2
        half = h * (0.16 + 0.07 * k)
        canvas.polygon([(x, top), (x + half, base), (x - half, base)], fill=scale(colour, 0.9 + 0.08 * k))


def round_tree(canvas, x, y, h, colour, fruit=None, rng=None):
    canvas.rect(x - h * 0.05, y - h * 0.45, x + h * 0.05, y, fill=(100, 70, 40, 255))
    canvas.circle(x, y - h * 0.65, h * 0.33, fill=colour)
    canvas.circle(x - h * 0.1, y - h * 0.72, h * 0.18, fill=mix(colour, (255, 255, 255), 0.18))
    if fruit and rng:
        for _ in range(5):
            a = rng.uniform(0, 2 * math.pi)
            d = rng.uniform(0, h * 0.25)
            canvas.circle(x + math.cos(a) * d, y - h * 0.65 + math.sin(a) * d, h * 0.045, fill=fruit)


def stars(canvas, rng, count, y_max, colour=(255, 255, 240, 255)):
    for _ in range(count):
        x = rng.uniform(0, canvas.width)
        y = rng.uniform(0, y_max)
        r = rng.choice([0.25, 0.3, 0.35, 0.5])
        canvas.circle(x, y, r, fill=colour)


def frame(canvas, colour=(60, 60, 60, 255), width=1.0):
    canvas.rect(width / 2, width / 2, canvas.width - width / 2, canvas.height - width / 2,
                outline=colour, width=width)
