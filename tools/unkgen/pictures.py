"""Structure-choice pictures and the per-unknown assignments picture (GIF)."""
import io

from PIL import Image, ImageDraw, ImageFont
from rdkit import Chem
from rdkit.Chem import rdDepictor
from rdkit.Chem.Draw import rdMolDraw2D

FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
STRUCT_SIZE = (180, 140)      # six fit the choosing window, three to a row
ASSIGN_SIZE = (540, 310)      # fits the assignments window above its buttons


def _mol(smiles):
    m = Chem.MolFromSmiles(smiles)
    if m is None:
        raise ValueError(f"bad SMILES {smiles!r}")
    rdDepictor.SetPreferCoordGen(True)
    rdDepictor.Compute2DCoords(m)
    return m


def _render(mol, w, h, notes=None, bond_px=30):
    d = rdMolDraw2D.MolDraw2DCairo(w, h)
    o = d.drawOptions()
    o.useBWAtomPalette()
    o.explicitMethyl = True
    o.includeMetadata = False
    o.bondLineWidth = 2
    o.padding = 0.08
    o.fixedBondLength = bond_px    # small molecules are not blown up to fill the box
    o.annotationFontScale = 0.8
    if notes:
        mol = Chem.Mol(mol)
        for idx, text in notes.items():
            mol.GetAtomWithIdx(idx).SetProp("atomNote", text)
    d.DrawMolecule(mol)
    d.FinishDrawing()
    return Image.open(io.BytesIO(d.GetDrawingText())).convert("L")


def _to_gif(img):
    # four fixed greys: small files and the same bytes on every run
    pal = img.point(lambda v: 0 if v < 64 else (1 if v < 128 else (2 if v < 200 else 3)))
    out = Image.new("P", img.size)
    out.putpalette([0, 0, 0, 96, 96, 96, 170, 170, 170, 255, 255, 255] + [255] * (252 * 3))
    out.putdata(list(pal.getdata()))
    buf = io.BytesIO()
    out.save(buf, format="GIF", optimize=False)
    return buf.getvalue()


def structure_gif(smiles):
    return _to_gif(_render(_mol(smiles), *STRUCT_SIZE))


def assignments_gif(smiles, title, notes, lines):
    """notes: atom index -> short letter; lines: text lines listed beside the drawing."""
    w, h = ASSIGN_SIZE
    canvas = Image.new("L", (w, h), 255)
    drawing = _render(_mol(smiles), 250, 250, notes, bond_px=45)
    canvas.paste(drawing, (0, 40))
    draw = ImageDraw.Draw(canvas)
    big = ImageFont.truetype(FONT_FILE, 15)
    small = ImageFont.truetype(FONT_FILE, 11)
    draw.text((8, 8), title, font=big, fill=0)
    y = 36
    for line in lines:
        draw.text((255, y), line, font=small, fill=0)
        y += 14
        if y > h - 14:
            break
    return _to_gif(canvas)
