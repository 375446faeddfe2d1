#!/usr/bin/python3
"""Draws gifs/ovicaa.gif: the natural isotope abundances beside the isotope
calculator's results help, each element's most abundant isotope set to 100.

C, H, N, O, Cl and Br show the relative abundances the calculator itself
uses (13C 1.112, 2H 0.015, 15N 0.367, 17O 0.038, 18O 0.2005, 37Cl 31.98,
81Br 97.28 per 100 of the major isotope); F, S and I are from the IUPAC
isotopic compositions (32S 94.99, 33S 0.75, 34S 4.25 %; 19F and 127I are
the only stable isotopes). The drawing is deterministic: same script, same
bytes.

    /usr/bin/python3 tools/isotopegif/make_ovicaa.py [output]
"""
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

# The picture box is 1775 x 4800 twips (118 x 320 pixels) with a border.
WIDTH, HEIGHT = 116, 318
FONTS = Path("/usr/share/fonts/truetype/dejavu")

# (element, [(mass number, relative abundance text)])
ABUNDANCES = [
    ("H", [(1, "100"), (2, "0.015")]),
    ("C", [(12, "100"), (13, "1.11")]),
    ("N", [(14, "100"), (15, "0.37")]),
    ("O", [(16, "100"), (17, "0.04"), (18, "0.20")]),
    ("F", [(19, "100")]),
    ("S", [(32, "100"), (33, "0.79"), (34, "4.47")]),
    ("Cl", [(35, "100"), (37, "32.0")]),
    ("Br", [(79, "100"), (81, "97.3")]),
    ("I", [(127, "100")]),
]

BLUE = (0, 0, 160)
GREY = (150, 150, 150)


def draw(out: Path) -> None:
    img = Image.new("RGB", (WIDTH, HEIGHT), "white")
    d = ImageDraw.Draw(img)
    title = ImageFont.truetype(str(FONTS / "DejaVuSans-Bold.ttf"), 10)
    head = ImageFont.truetype(str(FONTS / "DejaVuSans.ttf"), 9)
    body = ImageFont.truetype(str(FONTS / "DejaVuSans.ttf"), 10)
    bold = ImageFont.truetype(str(FONTS / "DejaVuSans-Bold.ttf"), 11)

    d.text((WIDTH // 2, 3), "Isotope", font=title, fill=BLUE, anchor="mt")
    d.text((WIDTH // 2, 15), "abundances", font=title, fill=BLUE, anchor="mt")
    d.text((30, 31), "mass", font=head, fill="black", anchor="mt")
    d.text((WIDTH - 6, 31), "RA %", font=head, fill="black", anchor="rt")
    d.line((4, 43, WIDTH - 5, 43), fill="black")

    y = 48
    row = 12
    for element, isotopes in ABUNDANCES:
        d.text((6, y), element, font=bold, fill=BLUE)
        for mass, ra in isotopes:
            d.text((40, y + 1), str(mass), font=body, fill="black", anchor="ra")
            d.text((WIDTH - 6, y + 1), ra, font=body, fill="black", anchor="ra")
            y += row
        y += 2
        d.line((4, y, WIDTH - 5, y), fill=GREY)
        y += 3

    # A fixed palette keeps the file the same on every run.
    img.convert("P", palette=Image.ADAPTIVE, colors=16).save(out, "GIF")


if __name__ == "__main__":
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "data/gifs/ovicaa.gif"
    draw(target)
