#!/usr/bin/python3
"""Builds the unknown data files and their pictures from the chemist's sources.

    /usr/bin/python3 tools/unkgen/unkgen.py [DATA_DIR]

DATA_DIR (default: the repository's data/) holds compounds/*.toml; the generator
writes unks/ovunk<code>.txt, gifs/ovst<code>.gif and gifs/ovunk<code>.gif.  The
output depends only on the sources: running it twice gives the same bytes.
"""
import os
import sys
import tomllib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from fileformat import UnknownFile, unknown_file_code, precluded_string  # noqa: E402
import traces  # noqa: E402
import chem  # noqa: E402

PHYSICAL = {"analysis": 1, "bp": 2, "mp": 3, "solubility": 4, "uv": 9}
SPECTRA = {"cmr": 5, "ir": 6, "ms": 7, "pmr": 8}
ITEM_OF = dict(PHYSICAL, **SPECTRA)
UNSUITABLE_DERIV = "This derivative is unsuitable for this compound."


def load_toml(path):
    with open(path, "rb") as f:
        return tomllib.load(f)


def load_sources(data_dir):
    comp = os.path.join(data_dir, "compounds")
    defaults = load_toml(os.path.join(comp, "defaults.toml"))
    pictures = {}
    # structures.toml and any structures_<part>.toml: one code, one picture.
    for name in sorted(f for f in os.listdir(comp) if f.startswith("structures") and f.endswith(".toml")):
        for code, smiles in load_toml(os.path.join(comp, name))["pictures"].items():
            if code in pictures:
                raise ValueError(f"{name}: picture code {code} is already used")
            pictures[code] = smiles
    unknowns = []
    for name in sorted(os.listdir(comp)):
        if name.startswith("u") and name.endswith(".toml"):
            src = load_toml(os.path.join(comp, name))
            src["_file"] = name
            unknowns.append(src)
    for key, t in defaults["tests"].items():
        ITEM_OF[key] = t["item"]
    for key, t in defaults["derivs"].items():
        ITEM_OF[key] = t["item"]
    for key, t in defaults["equivalents"].items():
        ITEM_OF[key] = t["item"]
    return defaults, pictures, unknowns


def test_outcome(value):
    """A test entry is "neg" (the standard negative text), "neg: <text>" (negative with
    its own text) or a positive result text.  Returns (positive, text or None)."""
    if value == "neg":
        return False, None
    if value.startswith("neg:"):
        return False, value[4:].strip()
    return True, value


def unlisted_text(defaults, label, extra):
    """A derivative that fits the compound but whose melting point the tables lack:
    "unlisted" or "unlisted: <a further sentence>" in the source."""
    text = defaults["unlisted_derivative"].format(label=label[0].lower() + label[1:])
    return f"{text} {extra}" if extra else text


def fmt_mp(v):
    return f"{v:g}" if isinstance(v, (int, float)) else str(v)


def build(src, defaults, pictures):
    u = UnknownFile()
    n = src["number"]
    # The welcome windows drop the title's last character, as they do for the
    # class help: both end with a full stop.
    u.title[0] = src["title"] if src["title"].endswith(".") else src["title"] + "."
    u.help[0] = src["class_help"]
    mol = chem.molecule_of(src)

    # physical properties and ultraviolet
    phys = src["physical"]
    u.title[1] = phys.get("analysis", mol.analysis_text())
    u.help[1] = phys.get("analysis_help", mol.analysis_help())
    for key in ("bp", "mp", "solubility", "uv"):
        u.title[PHYSICAL[key]] = phys[key]
        u.help[PHYSICAL[key]] = phys[key + "_help"]

    # carbon-13
    cmr = src["cmr"]
    u.title[5] = cmr.get("text", "(CDCl3 solution)")
    u.cmr_data = traces.cmr_records([(p[0], p[1], p[2]) for p in cmr["peaks"]])
    u.cmr_label = cmr["note"]
    u.help[5] = cmr["help"]

    # infrared
    ir = src["ir"]
    nujol = ir["sampling"] == "nujol"
    u.title[6] = "(Nujol mull)" if nujol else "(liquid film)"
    u.ir_data = traces.ir_trace([(b[0], b[1], b[2]) for b in ir["bands"]], nujol)
    u.ir_label = ir["note"]
    u.help[6] = ir["help"]

    # mass spectrum
    ms = src["ms"]
    u.title[7] = ms.get("text", "(electron impact, 70 eV)")
    u.ms_data = traces.ms_records([(p[0], p[1]) for p in ms["peaks"]])
    u.ms_ion = ms["ion"]
    u.ms_label = ms["note"]
    u.help[7] = ms["help"]

    # proton
    pmr = src["pmr"]
    u.title[8] = pmr.get("text", "(CDCl3 solution)")
    in_range = [m for m in pmr["multiplets"] if 0.0 < m["shift"] < 10.0]
    trace = traces.pmr_trace(in_range)
    for j in range(1, 5):
        u.pmr[j] = ""
    for j in range(5, 25):
        u.pmr[j] = trace[j - 5]
    u.pmr[25] = pmr["note"]
    u.help[8] = pmr["help"]

    # chemical tests
    tests = src["tests"]
    test_help = src.get("test_help", {})
    for key, t in defaults["tests"].items():
        if key not in tests:
            raise ValueError(f"{src['_file']}: test {key} missing")
        positive, text = test_outcome(tests[key])
        u.title[t["item"]] = text if text is not None else t["negative"]
        u.help[t["item"]] = test_help.get(key, t["help"])

    # derivatives and equivalents
    derivs = src.get("derivs", {})
    for key, d in defaults["derivs"].items():
        v = derivs.get(key)
        if v is None:
            text = UNSUITABLE_DERIV
        elif isinstance(v, str) and (v == "unlisted" or v.startswith("unlisted:")):
            text = unlisted_text(defaults, d["label"], v[len("unlisted:"):].strip())
        elif isinstance(v, str) and v.startswith("unsuitable:"):
            text = f"{UNSUITABLE_DERIV} {v[len('unsuitable:'):].strip()}"
        elif isinstance(v, str):
            text = v
        else:
            text = f"{d['label']} melts at {fmt_mp(v)} °C."
        u.title[d["item"]] = text
        u.help[d["item"]] = d["help"]
    equiv = src.get("equivalents", {})
    for key, e in defaults["equivalents"].items():
        v = equiv.get(key)
        u.title[e["item"]] = e["unsuitable"] if v is None else e["text"].format(value=fmt_mp(v))
        u.help[e["item"]] = e["help"]

    # precluded items and their inverse
    by = {}
    for key, items in src.get("precludes", {}).items():
        i = ITEM_OF[key]
        u.precludes[i] = precluded_string(items)
        for p in items:
            by.setdefault(p, []).append(i)
    for p, items in by.items():
        if 10 <= p <= 34:
            u.precluded_by[p] = precluded_string(sorted(items))

    # identification
    u.names = list(src["names"])
    u.choices = list(src["candidates"])
    pics = src["pictures"]
    for code in pics:
        if code not in pictures:
            raise ValueError(f"{src['_file']}: picture code {code} not in the structures*.toml files")
    u.choice_line = chr(65 + pics.index(src["answer"])) + "".join(pics)
    u.codes = list(src["struct_codes"])
    return u


def assignment_lines(src):
    """Letters for the assigned atoms and the text lines listed beside the drawing."""
    mol = chem.molecule_of(src)
    letters, rows = {}, {}

    def letter(atom):
        cls = mol.atom_class(atom)
        for a, l in letters.items():
            if mol.atom_class(a) == cls:
                return l
        letters[atom] = chr(ord("a") + len(letters))
        return letters[atom]

    for p in sorted(src["cmr"]["peaks"], key=lambda p: -p[0]):
        l = letter(p[3])
        rows.setdefault(l, []).append(f"δC {p[0]:.1f}")
    for m in sorted(src["pmr"]["multiplets"], key=lambda m: -m["shift"]):
        atom = m["atom"][0] if isinstance(m["atom"], list) else m["atom"]
        l = letter(atom)
        rows.setdefault(l, []).append(
            f"δH {m['shift']:.2f} ({m['nh']}H, {chem.multiplicity(m)})")
    lines = [f"{l}:  " + ",  ".join(v) for l, v in sorted(rows.items())]
    labelled = [b for b in src["ir"]["bands"] if len(b) > 3 and b[3]]
    if labelled:
        lines.append("")
        lines.append("Infrared (cm-1):")
        for b in labelled:
            lines.append(f"  {b[0]}  {b[3]}")
    return letters, lines


def generate(data_dir):
    import pictures as pics_mod
    defaults, pictures, unknowns = load_sources(data_dir)
    unks = os.path.join(data_dir, "unks")
    gifs = os.path.join(data_dir, "gifs")
    os.makedirs(unks, exist_ok=True)
    os.makedirs(gifs, exist_ok=True)
    used_pictures = set()
    for src in unknowns:
        u = build(src, defaults, pictures)
        code = unknown_file_code(src["number"])
        write_atomic(os.path.join(unks, f"ovunk{code}.txt"), u.to_bytes())
        used_pictures.update(src["pictures"])
        letters, lines = assignment_lines(src)
        notes = {a: l for a, l in letters.items()}
        gif = pics_mod.assignments_gif(src["smiles"], src["names"][0], notes, lines)
        write_atomic(os.path.join(gifs, f"ovunk{code}.gif"), gif)
    for code in sorted(used_pictures):
        write_atomic(os.path.join(gifs, f"ovst{code}.gif"),
                     pics_mod.structure_gif(pictures[code]))
    return len(unknowns), len(used_pictures)


def write_atomic(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


if __name__ == "__main__":
    data_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "data")
    n, p = generate(os.path.abspath(data_dir))
    print(f"wrote {n} unknown files and {p} structure pictures")
