"""The substituent pictures 501..589: small formulae and rings, black on an
opaque white ground, so that each one hides the slot letter it is placed on.
A fragment written towards the right is joined at its left edge; a mirror
written one (odd number) at its right edge."""

from draw import Canvas, polygon, ring

# Formulae written on one line: text and where the bond joins.
TEXT = {
    501: "Br", 502: "Cl", 503: "I", 504: "H", 510: "CH3", 580: "OH", 586: "NH2", 588: "NO2",
    512: "CH2CH3", 513: "CH3CH2", 514: "(CH2)2CH3", 515: "CH3(CH2)2", 516: "(CH2)3CH3",
    517: "CH3(CH2)3", 518: "(CH2)4CH3", 519: "CH3(CH2)4", 520: "(CH2)5CH3", 521: "CH3(CH2)5",
    523: "CH3(CH2)6", 525: "CH3(CH2)7", 527: "CH3(CH2)8", 529: "CH3(CH2)9", 531: "CH3(CH2)10",
    533: "CH3(CH2)11", 534: "C(CH3)3", 535: "(CH3)3C", 537: "H2C=CH", 582: "OCH3", 583: "CH3O",
    589: "O2N",
}


# A benzene ring joined to a formula: text, and whether the ring is on the left.
RING_AND_TEXT = {
    552: ("CH2", False), 553: ("CH2", True), 555: ("CH=CH", True), 556: ("CH3", True),
    558: ("OCH3", True), 560: ("OC2H5", True), 565: ("OCH2", True), 584: ("O", False), 585: ("O", True),
}


def side(bitmap):
    """'left' when the bond meets the fragment's left edge, 'right' for its
    right edge, 'both' for the symmetric ones placed on either side."""
    if bitmap in (501, 502, 503, 504, 510, 580, 586, 588, 550, 551):
        return "both"
    return "right" if bitmap % 2 else "left"


def _one_line(c, text, w, h, bitmap):
    s = side(bitmap)
    yc = h / 2
    if s == "left":
        c.text(1, yc, text, "left")
    elif s == "right":
        c.text(w - 1, yc, text, "right")
    else:
        c.text(w / 2, yc, text, "center")


def _benzene(c, cx, cy, r, corners_left_right=True):
    pts = polygon(cx, cy, r, 6, 0 if corners_left_right else 90)
    ring(c, pts, aromatic=True, centre=(cx, cy))
    return pts


def _ring_then_text(c, w, h, text, ring_left=True, r=None):
    """A benzene ring joined to a formula; the ring stands on one end."""
    r = r or (h / 2 - 0.8)
    yc = h / 2
    if ring_left:
        pts = _benzene(c, r * 1.0 + 0.8, yc, r)
        c.label("t", w - 1, yc, text, "right")
        c.bond(pts[0], "t")
    else:
        pts = _benzene(c, w - r - 0.8, yc, r)
        c.label("t", 1, yc, text, "left")
        c.bond("t", pts[3])


def _branch(c, w, h, row, above_over, attach):
    """A chain written on the bottom row with CH3 standing above one of its
    groups. row: list of formulae joined by bonds; above_over: index of the
    group under the CH3; attach: 'left' or 'right' (a short bond at that end
    leads to the edge)."""
    yc = h - 13
    gap = 7
    widths = [c.text_width(t) for t in row]
    total = sum(widths) + gap * (len(row) - 1) + (6 if attach == "right" else 0)
    x = (w - total - 1) if attach == "right" else 1
    names = []
    for k, t in enumerate(row):
        c.label(f"g{k}", x, yc, t, "left")
        names.append(f"g{k}")
        x += widths[k] + gap
    for a, b in zip(names, names[1:]):
        c.bond(a, b)
    if attach == "right":
        c.bond(names[-1], (w - 0.5, yc))
    box = c.labels[names[above_over]]
    cx = box[0] + c.first_glyph_width(row[above_over]) / 2 + 0.5
    # Centred over the group's C, unless that would cut it at the picture's
    # edge: then it stands just inside, and the bond still rises from the C.
    up_w = c.text_width("CH3")
    left = min(max(cx - up_w / 2, 1), w - 1 - up_w)
    up = c.label("up", left, 9, "CH3", "left")
    c.line((cx, up[3]), (cx, box[1]))


def _carbonyl_row(c, w, h, left_text, attach_right=True, ring_left=False):
    """X-O-C(=O) style: a formula, a bond, C with a double-bonded O above it,
    joined on the right."""
    yc = h - 13
    c.label("c", w - 8, yc, "C", "center")
    c.label("o", w - 8, 9, "O", "center")
    c.bond("c", "o", "double")
    c.bond("c", (w - 0.5, yc))
    if ring_left:
        r = 25
        pts = _benzene(c, r + 1, yc, r)
        c.bond(pts[0], "c")
        return
    c.label("t", 1, yc, left_text, "left")
    c.bond("t", "c")


def draw(bitmap, w, h):
    c = Canvas(w, h)
    if bitmap in TEXT:
        _one_line(c, TEXT[bitmap], w, h, bitmap)
    elif bitmap == 539:
        c.label("cl", 1, h / 2, "Cl", "left")
        c.label("ch", w - 1, h / 2, "CH2", "right")
        c.bond("cl", "ch")
    elif bitmap == 550:
        _benzene(c, w / 2, h / 2, min(w / 2, h / 1.732) - 0.8)
    elif bitmap == 551:
        _benzene(c, w / 2, h / 2, min(h / 2, w / 1.732) - 0.8, corners_left_right=False)
    elif bitmap in RING_AND_TEXT:
        text, ring_left = RING_AND_TEXT[bitmap]
        _ring_then_text(c, w, h, text, ring_left=ring_left)
    elif bitmap == 540:
        _branch(c, w, h, ["CH", "CH3"], 0, "left")
    elif bitmap == 542:
        _branch(c, w, h, ["CH2", "CH", "CH3"], 1, "left")
    elif bitmap == 544:
        _branch(c, w, h, ["(CH2)2", "CH", "CH3"], 1, "left")
    elif bitmap == 541:
        _branch(c, w, h, ["CH3", "CH"], 1, "right")
    elif bitmap == 543:
        _branch(c, w, h, ["CH3", "CH", "CH2"], 1, "right")
    elif bitmap == 545:
        _branch(c, w, h, ["CH3", "CH", "(CH2)2"], 1, "right")
    elif bitmap == 571:
        _carbonyl_row(c, w, h, "CH3O")
    elif bitmap == 573:
        _carbonyl_row(c, w, h, "C2H5O")
    elif bitmap == 575:
        _carbonyl_row(c, w, h, "H2N")
    elif bitmap == 563:
        # ring-C(=O)-CH2, the ring centred on the row of the C
        yc = 38
        r = 25
        pts = _benzene(c, r + 1, yc, r)
        c.label("ch", w - 1, yc, "CH2", "right")
        cx = (pts[0][0] + c.labels["ch"][0]) / 2
        c.point("c", (cx, yc))
        c.label("o", cx, 8, "O", "center")
        c.bond(pts[0], "c")
        c.bond("c", "ch")
        c.bond("c", "o", "double")
    else:
        raise KeyError(bitmap)
    return c.finish()
