"""Chemistry pictures: glassware, spectra, molecules and colour tests."""

import io
import math
import random

from PIL import Image

from canvas import Canvas, frame, mix, scale

W, H = 120, 100
GLASS = (200, 225, 240, 110)
GLASS_EDGE = (70, 100, 130, 255)
BENCH = (150, 110, 70, 255)


def _lab_background(c):
    c.vgradient(0, 82, (235, 240, 245), (205, 215, 225))
    c.rect(0, 82, W, H, fill=BENCH)
    c.line([(0, 82), (W, 82)], (110, 80, 50, 255), 0.8)


def _glass(c, polygon_points):
    layer = c.overlay()
    layer.polygon(polygon_points, fill=GLASS)
    c.merge(layer)
    c.polygon(polygon_points, outline=GLASS_EDGE, width=0.8)


def _stand(c, x, top):
    c.rect(x - 12, 90, x + 12, 94, fill=(60, 60, 65, 255))
    c.rect(x - 1, top, x + 1, 91, fill=(110, 110, 115, 255))


def _clamp(c, x0, y, x1):
    c.line([(x0, y), (x1, y)], (90, 90, 95, 255), 1.2)


def _condenser(c, x0, y0, x1, y1, width=5.0):
    """A water condenser between two points: inner tube, jacket and hose stubs."""
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    jacket = [(x0 + dx * 0.1 + nx, y0 + dy * 0.1 + ny), (x0 + dx * 0.9 + nx, y0 + dy * 0.9 + ny),
              (x0 + dx * 0.9 - nx, y0 + dy * 0.9 - ny), (x0 + dx * 0.1 - nx, y0 + dy * 0.1 - ny)]
    layer = c.overlay()
    layer.polygon(jacket, fill=(150, 200, 235, 140))
    c.merge(layer)
    c.polygon(jacket, outline=GLASS_EDGE, width=0.7)
    c.line([(x0, y0), (x1, y1)], GLASS_EDGE, 1.2)
    for t, side in ((0.2, 1), (0.8, 1)):
        px, py = x0 + dx * t + nx * side, y0 + dy * t + ny * side
        c.line([(px, py), (px + nx * 1.2, py + ny * 1.2)], (60, 60, 60, 255), 1.2)


def reflux():
    c = Canvas(W, H, (235, 240, 245, 255))
    _lab_background(c)
    _stand(c, 88, 8)
    # heating mantle
    c.ellipse(38, 70, 82, 92, fill=(120, 120, 125, 255))
    c.rect(38, 80, 82, 92, fill=(120, 120, 125, 255))
    c.ellipse(38, 86, 82, 96, fill=(100, 100, 105, 255))
    c.rect(72, 86, 78, 89, fill=(230, 80, 60, 255))
    # flask with boiling liquid
    c.draw.chord(c.box(47, 57, 73, 83), -15, 195, fill=(250, 200, 120, 255))
    layer = c.overlay()
    layer.circle(60, 70, 13, fill=GLASS)
    c.merge(layer)
    c.circle(60, 70, 13, outline=GLASS_EDGE, width=0.8)
    _glass(c, [(57, 44), (63, 44), (63, 58.5), (57, 58.5)])
    rng = random.Random(106)
    for _ in range(10):
        c.circle(60 + rng.uniform(-8, 8), 72 + rng.uniform(-3, 8), rng.uniform(0.6, 1.3),
                 outline=(255, 255, 255, 255), width=0.4)
    _condenser(c, 60, 44, 60, 6, 8)
    _clamp(c, 60, 30, 88)
    # water hoses
    c.line([(64.8, 36), (72, 40), (76, 60), (70, 82)], (60, 60, 60, 255), 1.0)
    c.line([(64.8, 14), (72, 12), (80, 20), (82, 82)], (60, 60, 60, 255), 1.0)
    c.text(6, 8, "reflux", (70, 70, 90, 255), 8)
    frame(c)
    return c.finish()


def separating_funnel():
    c = Canvas(W, H)
    _lab_background(c)
    _stand(c, 28, 10)
    _clamp(c, 28, 22, 58)
    c.circle(58, 22, 4, outline=(90, 90, 95, 255), width=1.2)
    top, mid = (58, 14), (58, 60)
    body = [(54, 16), (62, 16), (74, 44), (62, 62), (54, 62), (42, 44)]
    # two layers: upper organic (yellow), lower aqueous (blue)
    c.polygon([(45.5, 36), (70.5, 36), (74, 44), (68, 53)] + [(48, 53), (42, 44)], fill=(250, 225, 120, 255))
    c.polygon([(48, 53), (68, 53), (62, 62), (54, 62)], fill=(110, 160, 230, 255))
    c.line([(48, 53), (68, 53)], (80, 90, 120, 255), 0.6)
    _glass(c, body)
    c.rect(55.5, 8, 60.5, 16, fill=(200, 200, 205, 255), outline=GLASS_EDGE, width=0.5)
    _glass(c, [(57, 62), (59, 62), (59, 80), (57, 80)])
    c.rect(52, 66, 64, 69, fill=(60, 60, 60, 255))
    # conical flask below
    _glass(c, [(54, 74), (62, 74), (62, 79), (70, 92), (46, 92), (54, 79)])
    c.polygon([(49.5, 86), (66.5, 86), (70, 92), (46, 92)], fill=(110, 160, 230, 255))
    c.line([(58, 80), (58, 84)], (110, 160, 230, 255), 0.5)
    c.text(80, 38, "organic", (120, 95, 20, 255), 6.5)
    c.text(80, 54, "aqueous", (40, 80, 160, 255), 6.5)
    frame(c)
    return c.finish()


def crystals():
    rng = random.Random(112)
    c = Canvas(W, H)
    c.vgradient(0, H, (40, 50, 80), (15, 20, 40))
    glow = c.overlay()
    glow.circle(60, 55, 40, fill=(120, 160, 220, 60))
    c.merge(glow, blur=10)
    palette = [(200, 230, 250), (170, 210, 245), (230, 245, 255), (150, 190, 235)]
    for _ in range(26):
        cx, cy = rng.uniform(10, 110), rng.uniform(30, 95)
        length, width = rng.uniform(8, 22), rng.uniform(3, 6)
        a = rng.uniform(-1.2, 1.2) - math.pi / 2
        ux, uy = math.cos(a), math.sin(a)
        vx, vy = -uy, ux
        tip = (cx + ux * length, cy + uy * length)
        base = (cx - ux * 2, cy - uy * 2)
        pts = [(base[0] + vx * width, base[1] + vy * width), (tip[0] - ux * width + vx * width, tip[1] - uy * width + vy * width),
               tip, (tip[0] - ux * width - vx * width, tip[1] - uy * width - vy * width),
               (base[0] - vx * width, base[1] - vy * width)]
        col = rng.choice(palette)
        c.polygon(pts, fill=col + (230,))
        c.polygon([pts[0], pts[1], tip, (cx + ux * length * 0.4, cy + uy * length * 0.4)],
                  fill=mix(col, (255, 255, 255), 0.5))
        c.polygon(pts, outline=(90, 120, 170, 255), width=0.4)
    c.rect(0, 92, W, H, fill=(35, 35, 50, 255))
    frame(c, (20, 20, 40, 255))
    return c.finish()


def distillation():
    c = Canvas(W, H)
    _lab_background(c)
    _stand(c, 12, 20)
    _clamp(c, 12, 40, 26)
    # still pot on a hot plate
    c.rect(12, 80, 40, 86, fill=(90, 90, 95, 255))
    c.circle(26, 68, 11, fill=(180, 210, 240, 120), outline=GLASS_EDGE, width=0.8)
    c.polygon([(17, 72), (35, 72), (33, 76), (19, 76)], fill=(120, 190, 150, 255))
    c.ellipse(16, 66, 36, 79, fill=None)
    c.line([(16.5, 74), (35.5, 74)], (120, 190, 150, 255), 3.2)
    _glass(c, [(24, 30), (28, 30), (28, 58), (24, 58)])
    # thermometer at the side arm
    c.rect(25.2, 16, 26.8, 40, fill=(250, 250, 250, 255), outline=(100, 100, 100, 255), width=0.4)
    c.rect(25.6, 30, 26.4, 39, fill=(220, 40, 40, 255))
    c.circle(26, 40, 1.2, fill=(220, 40, 40, 255))
    # condenser sloping down to the receiver
    _condenser(c, 28, 36, 88, 62, 7)
    _glass(c, [(86, 62), (90, 62), (90, 70), (86, 70)])
    # receiver
    _glass(c, [(85, 70), (91, 70), (91, 74), (100, 90), (76, 90), (85, 74)])
    c.polygon([(79.5, 84), (96.5, 84), (100, 90), (76, 90)], fill=(120, 190, 150, 255))
    for k in range(3):
        c.circle(88, 73 + k * 3, 0.7, fill=(120, 190, 150, 255))
    c.text(64, 8, "distillation", (70, 70, 90, 255), 7.5)
    frame(c)
    return c.finish()


def ethanol_model():
    c = Canvas(W, H)
    c.vgradient(0, H, (250, 248, 240), (220, 225, 235))
    shadow = c.overlay()
    shadow.ellipse(20, 78, 100, 90, fill=(0, 0, 0, 50))
    c.merge(shadow, blur=2)
    atoms = {
        "C1": (40, 52, 9, (60, 60, 65)), "C2": (64, 44, 9, (60, 60, 65)), "O": (86, 56, 8.5, (215, 40, 40)),
        "H1": (24, 44, 5, (245, 245, 245)), "H2": (36, 70, 5, (245, 245, 245)), "H3": (44, 36, 4.5, (245, 245, 245)),
        "H4": (62, 26, 5, (245, 245, 245)), "H5": (70, 60, 4.5, (235, 235, 235)), "H6": (100, 48, 4.6, (245, 245, 245)),
    }
    bonds = [("C1", "C2"), ("C2", "O"), ("C1", "H1"), ("C1", "H2"), ("C1", "H3"), ("C2", "H4"), ("C2", "H5"),
             ("O", "H6")]
    for a, b in bonds:
        xa, ya = atoms[a][:2]
        xb, yb = atoms[b][:2]
        c.line([(xa, ya), (xb, yb)], (150, 150, 155, 255), 2.6)
        c.line([(xa, ya - 0.6), (xb, yb - 0.6)], (200, 200, 205, 255), 0.9)
    for name in ("H3", "H4", "H6", "C2", "O", "H1", "C1", "H5", "H2"):
        x, y, r, col = atoms[name]
        c.sphere(x, y, r, col + (255,))
    c.text(60, 92, "CH3CH2OH", (60, 60, 80, 255), 7, anchor="ms")
    frame(c)
    return c.finish()


def _tube(c, x, top, bottom, liquid_top, colour, layer_colour=None):
    width = 9
    body = [(x - width / 2, top), (x + width / 2, top), (x + width / 2, bottom - width / 2),
            (x - width / 2, bottom - width / 2)]
    c.rect(x - width / 2, liquid_top, x + width / 2, bottom - width / 2, fill=colour)
    c.circle(x, bottom - width / 2, width / 2, fill=colour)
    if layer_colour:
        c.rect(x - width / 2, liquid_top, x + width / 2, liquid_top + 4, fill=layer_colour)
    _glass(c, body)
    c.arc(x - width / 2, bottom - width, x + width / 2, bottom, 0, 180, GLASS_EDGE, 0.8)
    c.ellipse(x - width / 2 - 0.8, top - 1.2, x + width / 2 + 0.8, top + 1.2, outline=GLASS_EDGE, width=0.6)


def colour_tests():
    c = Canvas(W, H)
    _lab_background(c)
    # rack
    c.rect(8, 56, 112, 62, fill=(170, 120, 70, 255))
    c.rect(8, 84, 112, 90, fill=(150, 100, 60, 255))
    c.rect(10, 56, 14, 90, fill=(150, 100, 60, 255))
    c.rect(106, 56, 110, 90, fill=(150, 100, 60, 255))
    _tube(c, 30, 20, 86, 46, (245, 140, 30, 255))            # 2,4-DNP: orange precipitate
    _tube(c, 52, 20, 86, 48, (110, 40, 130, 255))            # ferric chloride with a phenol: violet
    _tube(c, 74, 20, 86, 46, (150, 60, 170, 255), (250, 240, 240, 255))   # permanganate fading at the top
    _tube(c, 96, 20, 86, 50, (235, 235, 230, 255))           # a negative test stays colourless
    rng = random.Random(118)
    for _ in range(12):
        c.circle(30 + rng.uniform(-3, 3), rng.uniform(60, 80), 0.8, fill=(220, 100, 20, 255))
    for x, label in ((30, "DNP"), (52, "FeCl3"), (74, "KMnO4"), (96, "blank")):
        c.text(x, 16, label, (60, 60, 80, 255), 5.5, anchor="ms")
    frame(c)
    return c.finish()


def silver_mirror():
    c = Canvas(W, H)
    c.vgradient(0, H, (60, 70, 90), (25, 30, 45))
    glow = c.overlay()
    glow.ellipse(30, 10, 90, 95, fill=(200, 210, 230, 50))
    c.merge(glow, blur=8)
    x0, x1, top, bottom = 48, 72, 8, 92
    c.vgradient(30, bottom - 12, (230, 232, 240), (120, 125, 140), x0, x1)
    for k in range(8):
        t = k / 7
        c.line([(x0 + 2 + t * 20, 30), (x0 + 2 + t * 20, bottom - 12)], mix((250, 250, 255), (150, 155, 170), abs(t - 0.3)), 0.8)
    c.ellipse(x0, bottom - 24, x1, bottom, fill=(170, 175, 190, 255))
    c.rect(x0 + 3, 34, x0 + 6, bottom - 16, fill=(255, 255, 255, 200))
    c.line([(x0, top), (x0, bottom - 12)], (200, 215, 230, 255), 0.8)
    c.line([(x1, top), (x1, bottom - 12)], (200, 215, 230, 255), 0.8)
    c.arc(x0, bottom - 24, x1, bottom, 0, 180, (200, 215, 230, 255), 0.8)
    c.ellipse(x0 - 1, top - 2, x1 + 1, top + 2, outline=(200, 215, 230, 255), width=0.8)
    c.text(60, 26, "Ag", (60, 60, 70, 255), 8, anchor="ms", bold=True)
    frame(c, (20, 20, 30, 255))
    return c.finish()


# spectra ------------------------------------------------------------------

def _paper(c, title):
    c.rect(0, 0, W, H, fill=(252, 250, 242, 255))
    for k in range(1, 12):
        c.line([(k * 10, 12), (k * 10, 86)], (225, 230, 215, 255), 0.3)
    for k in range(2, 9):
        c.line([(6, k * 10 + 6), (114, k * 10 + 6)], (225, 230, 215, 255), 0.3)
    c.line([(6, 86), (114, 86)], (40, 40, 40, 255), 0.7)
    c.text(60, 9, title, (40, 50, 90, 255), 6.5, anchor="ms", bold=True)


def _ticks(c, labels, unit):
    for x, text in labels:
        c.line([(x, 86), (x, 88)], (40, 40, 40, 255), 0.5)
        c.text(x, 94, text, (40, 40, 40, 255), 5, anchor="ms")
    c.text(114, 99, unit, (40, 40, 40, 255), 4.5, anchor="rs")


def _lorentz(x, centre, width):
    return 1 / (1 + ((x - centre) / width) ** 2)


def nmr_ethyl():
    """Proton spectrum of an ethyl group (as in ethyl acetate): quartet 4.1, triplet 1.2, singlet 2.0."""
    c = Canvas(W, H)
    _paper(c, "1H NMR: ethyl acetate")
    ppm_to_x = lambda p: 110 - p * 20   # 0..5 ppm across the plot
    j = 0.12                             # line spacing in ppm (about 7 Hz at 60 MHz)
    lines = [(4.12 + (k - 1.5) * j, h) for k, h in zip(range(4), (1, 3, 3, 1))]
    lines += [(1.25 + (k - 1) * j, h * 2) for k, h in zip(range(3), (1, 2, 1))]
    lines += [(2.03, 7.5)]
    points = []
    for i in range(0, 421):
        x = 6 + i * 0.25
        p = (110 - x) / 20
        y = sum(h * _lorentz(p, centre, 0.012) for centre, h in lines)
        points.append((x, 86 - min(70, y * 8.5)))
    c.line(points, (20, 40, 140, 255), 0.6)
    # integral steps, 2 : 3 : 3
    level = 84
    steps = []
    for start, end, amount in ((4.4, 3.85, 8), (2.2, 1.9, 12), (1.5, 1.0, 12)):
        steps.append((ppm_to_x(start), ppm_to_x(end), amount))
    x_prev = 6
    path = []
    for x0, x1, amount in steps:
        path += [(x_prev, level), (x0, level)]
        level -= amount
        path += [(x1, level)]
        x_prev = x1
    path.append((114, level))
    c.line(path, (200, 50, 50, 255), 0.6)
    c.text(ppm_to_x(4.12), 30, "CH2", (60, 60, 60, 255), 5, anchor="ms")
    c.text(ppm_to_x(1.25), 30, "CH3", (60, 60, 60, 255), 5, anchor="ms")
    _ticks(c, [(ppm_to_x(p), str(p)) for p in (5, 4, 3, 2, 1, 0)], "ppm")
    frame(c)
    return c.finish()


def ir_ketone():
    """Infrared spectrum of a simple ketone: C-H near 2960, strong C=O at 1715."""
    c = Canvas(W, H)
    _paper(c, "Infrared: a ketone")
    wn_to_x = lambda wn: 6 + (4000 - wn) / 3400 * 108
    bands = [(2965, 0.55, 25), (2930, 0.35, 20), (1715, 0.95, 18), (1460, 0.35, 15), (1365, 0.5, 12),
             (1170, 0.45, 18), (3410, 0.06, 30), (950, 0.2, 10), (760, 0.2, 10)]
    points = []
    for i in range(0, 433):
        x = 6 + i * 0.25
        wn = 4000 - (x - 6) / 108 * 3400
        absorb = sum(a * _lorentz(wn, centre, w) for centre, a, w in bands)
        transmit = max(0.02, 1 - absorb)
        points.append((x, 86 - transmit * 68))
    c.line(points, (150, 30, 30, 255), 0.6)
    c.text(wn_to_x(1715), 82, "C=O", (40, 40, 120, 255), 5.5, anchor="ms", bold=True)
    _ticks(c, [(wn_to_x(w), str(w)) for w in (4000, 3000, 2000, 1000)], "cm-1")
    frame(c)
    return c.finish()


def ms_chlorine():
    """Mass spectrum of chlorobenzene: M 112 is the base peak, M + 2 at 114 about one third of it, phenyl 77."""
    c = Canvas(W, H)
    _paper(c, "Mass spectrum: C6H5Cl")
    mz_to_x = lambda mz: 10 + (mz - 30) * 1.1
    peaks = [(38, 6), (50, 15), (51, 20), (74, 7), (75, 6), (77, 55), (112, 100), (113, 7), (114, 32), (115, 2)]
    for mz, height in peaks:
        x = mz_to_x(mz)
        c.line([(x, 86), (x, 86 - height * 0.68)], (30, 30, 110, 255), 0.9)
    c.text(mz_to_x(112), 86 - 100 * 0.68 - 2, "M", (160, 30, 30, 255), 5, anchor="ms", bold=True)
    c.text(mz_to_x(114) + 2, 86 - 32 * 0.68 - 2, "M+2", (160, 30, 30, 255), 5, anchor="ls", bold=True)
    _ticks(c, [(mz_to_x(m), str(m)) for m in (40, 60, 80, 100, 120)], "m/z")
    frame(c)
    return c.finish()


def cmr_lines():
    """Decoupled carbon-13 spectrum of ethyl acetate: 171, 60, 21, 14 ppm."""
    c = Canvas(W, H)
    _paper(c, "13C NMR: ethyl acetate")
    ppm_to_x = lambda p: 110 - p * 0.47
    for ppm, height in ((171.1, 22), (60.5, 48), (21.0, 52), (14.2, 55), (77.2, 30), (77.0, 30), (76.8, 30)):
        colour = (150, 150, 150, 255) if 76 < ppm < 78 else (20, 90, 60, 255)
        c.line([(ppm_to_x(ppm), 86), (ppm_to_x(ppm), 86 - height)], colour, 0.7)
    c.text(ppm_to_x(171.1), 86 - 22 - 2, "C=O", (60, 60, 60, 255), 5, anchor="ms")
    c.text(ppm_to_x(77), 86 - 30 - 2, "CDCl3", (130, 130, 130, 255), 4.5, anchor="ms")
    _ticks(c, [(ppm_to_x(p), str(p)) for p in (200, 150, 100, 50, 0)], "ppm")
    frame(c)
    return c.finish()


# molecules ----------------------------------------------------------------

def molecule(smiles, width, height, background):
    """A structure drawn by RDKit's Cairo renderer; coordinates are computed afresh each time."""
    from rdkit import Chem
    from rdkit.Chem import rdDepictor
    from rdkit.Chem.Draw import rdMolDraw2D

    mol = Chem.MolFromSmiles(smiles)
    rdDepictor.SetPreferCoordGen(False)
    rdDepictor.Compute2DCoords(mol)
    drawer = rdMolDraw2D.MolDraw2DCairo(width * 4, height * 4)
    options = drawer.drawOptions()
    options.setBackgroundColour(tuple(v / 255 for v in background[:3]) + (1.0,))
    options.bondLineWidth = 6
    options.minFontSize = 36
    options.padding = 0.12
    drawer.DrawMolecule(mol)
    drawer.FinishDrawing()
    image = Image.open(io.BytesIO(drawer.GetDrawingText())).convert("RGBA")
    return image.resize((width, height), Image.LANCZOS)


def molecule_picture(smiles, background, legend):
    c = Canvas(W, H, background)
    image = molecule(smiles, W - 4, H - 14, background)
    c.image.paste(image.resize(((W - 4) * 4, (H - 14) * 4), Image.LANCZOS), (8, 8))
    c.text(60, 95, legend, (40, 40, 80, 255), 7, anchor="ms")
    frame(c)
    return c.finish()


def benzene():
    c = Canvas(W, H)
    c.vgradient(0, H, (240, 245, 255), (205, 220, 245))
    cloud = c.overlay()
    cx, cy, r = 60, 45, 22
    cloud.circle(cx, cy, r + 6, fill=(120, 170, 255, 70))
    cloud.circle(cx, cy, r - 8, fill=(0, 0, 0, 0))
    c.merge(cloud, blur=3)
    hexagon = [(cx + r * math.cos(math.pi / 6 + k * math.pi / 3), cy + r * math.sin(math.pi / 6 + k * math.pi / 3))
               for k in range(6)]
    c.polygon(hexagon, outline=(30, 30, 40, 255), width=2.0)
    c.circle(cx, cy, r * 0.6, outline=(30, 30, 40, 255), width=1.6)
    for x, y in hexagon:
        hx, hy = cx + (x - cx) * 1.35, cy + (y - cy) * 1.35
        c.line([(x, y), (hx, hy)], (30, 30, 40, 255), 1.2)
        c.text(hx + (hx - cx) * 0.12, hy + (hy - cy) * 0.12 + 2.5, "H", (30, 30, 40, 255), 7, anchor="ms")
    c.text(60, 96, "benzene C6H6", (40, 40, 80, 255), 6.5, anchor="ms")
    frame(c)
    return c.finish()


def aspirin():
    return molecule_picture("CC(=O)Oc1ccccc1C(=O)O", (255, 250, 235, 255), "aspirin")


def vanillin():
    return molecule_picture("COc1cc(C=O)ccc1O", (245, 240, 255, 255), "vanillin")
