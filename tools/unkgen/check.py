#!/usr/bin/python3
"""Checks every shipped unknown against its source and its structure.

    /usr/bin/python3 tools/unkgen/check.py DATA_DIR

Exit status 0 when every unknown passes; otherwise each fault is printed as
"<file>: <what is wrong>" and the status is 1.
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from rdkit import Chem  # noqa: E402
from fileformat import (UnknownFile, unknown_file_code, split_two_digit,  # noqa: E402
                        scramble, unscramble, ALLOWED_HEIGHTS, SAMPLE_BASE, NAME_CHARS, MAX_NAME_LEN,
                        FIXED_LINES)
import chem  # noqa: E402
import derivclasses  # noqa: E402
from ionmass import ion_mass_faults  # noqa: E402
import unkgen  # noqa: E402
from traces import IR_POINTS, PMR_SAMPLES  # noqa: E402

TESTS = range(13, 32)
NOTE_MAX = 60
UNUSED = (10, 11, 12, 32, 33, 34)
# Which items may preclude which test (the explanation window has a reason for these).
ANY_SPECTRUM = set(range(1, 10))
PRECLUDERS = {13: {6, 8}, 14: ANY_SPECTRUM, 20: ANY_SPECTRUM, 15: ANY_SPECTRUM,
              27: ANY_SPECTRUM, 16: {5, 6, 8}, 17: {6, 8}, 19: {6, 8}, 26: {6, 8},
              18: ANY_SPECTRUM, 23: ANY_SPECTRUM, 25: ANY_SPECTRUM, 24: ANY_SPECTRUM,
              28: {5, 6, 8}, 31: {5, 6, 8}, 29: {1, 7}, 30: {1, 7}, 21: set(), 22: set()}
# Structure builder: base code -> lengths of the X, Y and Z lists (0 = slot unused).
BASES = {
    "A1": (6, 3, 0), "E1": (7, 4, 7), "B1": (11, 6, 0), "B3": (3, 0, 0), "B4": (3, 0, 0),
    "C1": (7, 0, 0), "C2": (7, 0, 0), "C3": (6, 0, 0), "C4": (6, 0, 0),
    "D1": (11, 0, 0), "D2": (7, 7, 0), "D3": (4, 0, 0), "D4": (4, 0, 0),
    "F1": (5, 4, 0), "F2": (4, 3, 0), "F3": (7, 0, 0), "F4": (6, 0, 0), "F5": (6, 0, 0),
    "F6": (6, 6, 0), "F7": (6, 6, 0), "F8": (6, 6, 0), "F9": (6, 6, 0),
    "F10": (4, 4, 0), "F11": (4, 4, 0), "F12": (4, 4, 0),
    "G1": (9, 0, 0), "G2": (6, 6, 0), "G3": (6, 6, 0), "G4": (6, 6, 0),
    "G5": (6, 6, 6), "G6": (6, 6, 6), "G7": (6, 6, 6), "G8": (7, 7, 0), "G9": (7, 7, 0),
    "H1": (9, 6, 0), "H2": (10, 0, 0), "H3": (9, 0, 0), "H4": (9, 0, 0), "H5": (2, 0, 0),
    "I1": (9, 0, 0), "I2": (7, 0, 0), "I3": (6, 0, 0), "I4": (6, 0, 0), "I5": (6, 6, 0),
    "I6": (6, 6, 0), "I7": (6, 6, 0), "I8": (6, 6, 0), "I9": (6, 6, 0), "I10": (6, 6, 0),
    "J1": (9, 4, 0), "J2": (4, 4, 0), "K1": (7, 7, 0), "K2": (4, 0, 0),
    "L1": (9, 4, 3), "L2": (4, 3, 0), "L3": (4, 3, 0),
    "M1": (9, 9, 0), "M2": (4, 0, 0), "M3": (4, 0, 0),
    "N1": (10, 0, 0), "N2": (9, 0, 0), "N3": (9, 0, 0),
}


# What the structure must lack for a test to be ruled out by earlier evidence.
ABSENT = {
    "OH or NH": "[OX2H,NX3;!H0]",
    "C=O": "[CX3]=O",
    "C=O or CN": "[$([CX3]=O),$(C#N)]",
    "C=C": "[$(C=C),$(C#C)]",
    "CHO": "[CX3H1](=O)",
    "N": "[#7]",
    "halogen": "[F,Cl,Br,I]",
}
NEEDS_ABSENT = {13: ["OH or NH"], 14: ["N"], 20: ["N"], 15: ["C=C"], 27: ["C=C"],
                16: {5: ["C=C"], 6: ["C=C"], 8: ["OH or NH"]}, 17: ["OH or NH"], 19: ["OH or NH"],
                26: ["OH or NH"], 18: ["C=O"], 23: ["C=O"], 25: ["C=O"],
                24: ["C=O or CN"], 28: ["CHO"], 31: ["CHO"], 29: ["halogen"],
                30: ["halogen"]}


def needs_absent(test, item):
    need = NEEDS_ABSENT.get(test, [])
    return need.get(item, []) if isinstance(need, dict) else need


def canon(smiles):
    return Chem.MolToSmiles(Chem.MolFromSmiles(smiles))


def check_structure_code(code):
    m = re.fullmatch(r"([A-N]\d+)([A-K]*)", code)
    if not m or m.group(1) not in BASES:
        return f"structure code {code!r} has no known base"
    sizes = [s for s in BASES[m.group(1)] if s]
    letters = m.group(2)
    if len(letters) != len(sizes):
        return f"structure code {code!r} needs {len(sizes)} substituent letters"
    for l, s in zip(letters, sizes):
        if ord(l) - 65 >= s:
            return f"structure code {code!r}: letter {l} beyond its list of {s}"
    return None


def atoms_of(entry):
    a = entry.get("atom")
    return [] if a is None else (a if isinstance(a, list) else [a])


def check_nonequivalence(src, mol):
    """A source may declare atoms that the structure makes equivalent to be apart in
    its spectra (`[[nonequivalent]]`: atoms, reason).  The declaration may split only
    atoms alike by symmetry, and only where the spectra do show them apart."""
    faults = []
    seen = set()
    for entry in src.get("nonequivalent", []):
        atoms = entry.get("atoms", [])
        what = f"non-equivalent atoms {atoms}"
        if not str(entry.get("reason", "")).strip():
            faults.append(f"{what}: no reason given")
        if len(set(atoms)) != len(atoms) or len(atoms) < 2:
            faults.append(f"{what}: a group needs two or more different atoms")
            continue
        if seen & set(atoms):
            faults.append(f"{what}: an atom stands in two groups")
        seen |= set(atoms)
        if len({mol.graph_class(a) for a in atoms}) != 1:
            faults.append(f"{what} are not equivalent in the structure: nothing to declare")
            continue
        a0 = atoms[0]
        if mol.symbol(a0) != "C" and not mol.hydrogens_on(a0):
            faults.append(f"{what}: neither spectrum can show them apart")
            continue
        if mol.symbol(a0) == "C":
            peaked = {mol.atom_class(p[3]) for p in src["cmr"]["peaks"]}
            for a in atoms:
                if mol.atom_class(a) not in peaked:
                    faults.append(f"{what}: the carbon spectrum does not show atom {a} apart")
        if mol.hydrogens_on(a0):
            for a in atoms:
                if not any(a in atoms_of(m) for m in src["pmr"]["multiplets"]):
                    faults.append(f"{what}: no proton signal names atom {a}")
            for m in src["pmr"]["multiplets"]:
                if len(set(atoms_of(m)) & set(atoms)) > 1:
                    faults.append(f"{what}: the proton signal at {m['shift']} joins them")
    return faults


def check_unknown(src, defaults, pictures, data_dir):
    faults = []
    n = src["number"]
    code = unknown_file_code(n)
    path = os.path.join(data_dir, "unks", f"ovunk{code}.txt")
    if not os.path.exists(path):
        return [f"{path} missing"]
    data = open(path, "rb").read()
    try:
        u = UnknownFile.from_bytes(data)
    except ValueError as e:
        return [f"does not read back: {e}"]
    expected = unkgen.build(src, defaults, pictures).to_bytes()
    if data != expected:
        faults.append("file differs from what the sources generate (run unkgen.py)")
    faults += ion_mass_faults(src.get("ms", {}).get("help", ""))

    # layout and line count
    lines = data[:-2].split(b"\r\n")
    want = FIXED_LINES + 3 + len(u.names) + len(u.choices) + len(u.codes)
    if len(lines) != want:
        faults.append(f"{len(lines)} lines, layout needs {want}")

    # text lines: printable Windows-1252 only (the scrambled names excepted)
    name_lines = set(range(FIXED_LINES + 1, FIXED_LINES + 1 + len(u.names)))
    spectrum_lines = {16, 21, 26} | set(range(32, 57))
    for no, raw in enumerate(lines, 1):
        if no in name_lines or no in spectrum_lines:
            continue
        bad = [b for b in raw if b < 0x20 or 0x7F <= b <= 0x9F]
        if bad:
            faults.append(f"line {no} holds control or undefined bytes {bad[:3]}")

    # sample characters
    allowed = {h + SAMPLE_BASE for h in ALLOWED_HEIGHTS}

    def samples_ok(text, what):
        bad = {ord(c) for c in text} - allowed
        if bad:
            faults.append(f"{what} holds unusable sample bytes {sorted(bad)[:5]}")
    for j in range(1, 5):
        if u.pmr[j]:
            faults.append(f"proton element {j} should be empty")
    for j in range(5, 25):
        if u.pmr[j] and len(u.pmr[j]) != PMR_SAMPLES:
            faults.append(f"proton trace element {j} has {len(u.pmr[j])} samples")
        samples_ok(u.pmr[j], f"proton trace element {j}")
    if not any(u.pmr[5:25]):
        faults.append("proton trace is empty")
    if len(u.ir_data) != IR_POINTS:
        faults.append(f"infrared trace has {len(u.ir_data)} points")
    samples_ok(u.ir_data, "infrared trace")

    mol = chem.molecule_of(src)
    counts = mol.element_counts()
    faults += check_nonequivalence(src, mol)

    # carbon-13
    if len(u.cmr_data) % 6:
        faults.append("carbon record line is not a whole number of records")
    recs = [u.cmr_data[i:i + 6] for i in range(0, len(u.cmr_data), 6)]
    for r in recs:
        if not (r[:4].isdigit() and r[5] in "0123"):
            faults.append(f"bad carbon record {r!r}")
        samples_ok(r[4], "carbon record")
    classes = mol.carbon_classes()
    if len(recs) != len(classes):
        faults.append(f"{len(recs)} carbon peaks for {len(classes)} distinct carbons")
    if sorted(int(r[5]) for r in recs) != sorted(h for _, h in classes.values()):
        faults.append("carbon peaks' hydrogen counts do not match the structure")
    seen = set()
    for p in src["cmr"]["peaks"]:
        a = p[3]
        if mol.symbol(a) != "C":
            faults.append(f"carbon peak {p[0]} assigned to a {mol.symbol(a)} atom")
        elif mol.hydrogens_on(a) != p[2]:
            faults.append(f"carbon peak {p[0]}: atom {a} carries {mol.hydrogens_on(a)} H")
        if mol.atom_class(a) in seen:
            faults.append(f"carbon peak {p[0]}: carbon already assigned")
        seen.add(mol.atom_class(a))

    # mass spectrum
    ion = u.ms_ion.split("/")
    nominal = mol.nominal_mass()
    if not ion[0].isdigit() or int(ion[0]) != nominal:
        faults.append(f"molecular ion {u.ms_ion} but the formula's nominal mass is {nominal}")
    if len(u.ms_data) % 4:
        faults.append("mass record line is not a whole number of records")
    mzs = {}
    for i in range(0, len(u.ms_data), 4):
        r = u.ms_data[i:i + 4]
        if not r[:3].isdigit():
            faults.append(f"bad mass record {r!r}")
            continue
        mzs[int(r[:3])] = ord(r[3]) - SAMPLE_BASE
        samples_ok(r[3], "mass record")
    for v in ion:
        if v.isdigit() and (nominal <= 229) and int(v) not in mzs:
            faults.append(f"molecular ion {v} has no peak")
    if max(mzs.values(), default=0) != 241:
        faults.append("the base peak is not full height")
    if any(m > nominal + 4 for m in mzs):
        faults.append("a peak lies above the molecular ion")

    # proton
    total = sum(m["nh"] for m in src["pmr"]["multiplets"])
    if total != mol.hydrogen_count():
        faults.append(f"proton integrals add up to {total}, the formula has "
                      f"{mol.hydrogen_count()} H")
    # signals on the same atoms (e.g. the two NH of an amide) are counted together
    groups = {}
    for m in src["pmr"]["multiplets"]:
        cls = frozenset(mol.atom_class(a) for a in atoms_of(m))
        if not cls:
            faults.append(f"proton signal at {m['shift']} names no atom")
            continue
        g = groups.setdefault(cls, [0, []])
        g[0] += m["nh"]
        g[1].append(str(m["shift"]))
    for cls, (nh, shifts) in groups.items():
        h = sum(mol.hydrogens_on(i) for i in range(mol.mol.GetNumAtoms())
                if mol.atom_class(i) in cls)
        if h != nh:
            faults.append(f"proton signal(s) at {', '.join(shifts)}: {nh}H but their atoms "
                          f"carry {h}")

    # the trace runs from 10 to 0 ppm: a signal beyond it must be said to be off scale
    for m in src["pmr"]["multiplets"]:
        if not 0.0 < m["shift"] < 10.0 and "off scale" not in src["pmr"]["note"]:
            faults.append(f"proton signal at {m['shift']} lies off the trace, but the note "
                          f"does not say it is off scale")
    # elemental analysis
    text = u.title[1].lower()
    for sym, word in (("N", "nitrogen"), ("S", "sulfur"), ("P", "phosphorus")):
        if (f"{word} present" in text) != (sym in counts):
            faults.append(f"elemental analysis wrong about {word}")
    for sym in chem.HALOGENS:
        word = chem.HALOGEN_NAME[sym]
        if (word in text) != (sym in counts):
            faults.append(f"elemental analysis wrong about {word}")
    if not any(h in counts for h in chem.HALOGENS) and "halogens absent" not in text:
        faults.append("elemental analysis does not say halogens absent")

    # tests and preclusion
    outcome = {}
    for key, t in defaults["tests"].items():
        outcome[t["item"]] = unkgen.test_outcome(src["tests"][key])[0]
    for i in range(1, 35):
        if not u.precludes[i]:
            continue
        try:
            items = split_two_digit(u.precludes[i])
        except ValueError as e:
            faults.append(f"item {i}: {e}")
            continue
        for p in items:
            if p not in TESTS:
                faults.append(f"item {i} precludes {p}, which is not a chemical test")
            elif outcome[p]:
                faults.append(f"item {i} precludes test {p}, whose result is positive")
            elif i < 10 and i not in PRECLUDERS[p]:
                faults.append(f"item {i} gives no reason to preclude test {p}")
            elif i < 10 and any(mol.mol.HasSubstructMatch(Chem.MolFromSmarts(ABSENT[g]))
                                for g in needs_absent(p, i)):
                faults.append(f"item {i} cannot rule out test {p}: the structure has "
                              f"{'/'.join(needs_absent(p, i))}")
            elif i >= 10 and outcome.get(i, True):
                faults.append(f"test {i} precludes {p} but is itself positive")
            elif str(i).zfill(2) not in split_two_digit_str(u.precluded_by[p]):
                faults.append(f"item {p}'s precluding list lacks {i}")
    for p in range(10, 35):
        for i in split_two_digit(u.precluded_by[p]) if u.precluded_by[p] else []:
            if f"{p:02d}" not in split_two_digit_str(u.precludes[i]):
                faults.append(f"item {p} says {i} precludes it, but {i} does not")
    for i in UNUSED:
        if u.title[i] or u.help[i] or u.precludes[i] or u.precluded_by[i]:
            faults.append(f"unused item {i} is not empty")
    for i in list(range(13, 32)) + list(range(35, 55)) + [1, 2, 3, 4, 9]:
        if not u.title[i] or not u.help[i]:
            faults.append(f"item {i} lacks its result or help text")
    for i in range(35, 53):
        # a melting point, a liquid, or why there is none to give
        if not any(w in u.title[i] for w in ("unsuitable", "melt", "liquid", "there is no")):
            faults.append(f"derivative {i} neither melts nor is unsuitable")
    results = {key: u.title[d["item"]] for key, d in
               list(defaults["derivs"].items()) + list(defaults["equivalents"].items())}
    positive = [key for key, t in defaults["tests"].items() if outcome[t["item"]]]
    faults += derivclasses.unsuitable_but_fitting(src["smiles"], positive, results)
    # the notes are printed on one line beside the viewers' toolbars
    for what, note in (("carbon", u.cmr_label), ("infrared", u.ir_label),
                       ("mass", u.ms_label), ("proton", u.pmr[25])):
        if len(note) > NOTE_MAX:
            faults.append(f"{what} note longer than {NOTE_MAX} characters")
    if not u.help[0].endswith("."):
        faults.append("the class help does not end with a full stop")
    if ("ujol" in u.title[6]) != (src["ir"]["sampling"] == "nujol"):
        faults.append("infrared text and sampling disagree about Nujol")

    # names
    if u.names != src["names"]:
        faults.append("accepted names do not unscramble to the sources")
    if not u.names:
        faults.append("no accepted name")
    for name in u.names + u.choices:
        if len(name) > MAX_NAME_LEN or set(name) - NAME_CHARS or name != name.strip():
            faults.append(f"name {name!r} cannot be typed in the name window")
    if u.names and u.names[0] not in u.choices:
        faults.append("the candidate names do not offer the compound's name")

    # structure choice and codes
    line = u.choice_line
    pics = [line[k:k + 2] for k in range(1, len(line), 2)]
    if not line or len(line) % 2 == 0 or not 1 <= len(pics) <= 6:
        faults.append(f"structure-choice line {line!r} malformed")
    else:
        ans = ord(line[0].upper()) - 65
        if not 0 <= ans < len(pics):
            faults.append("answer letter points past the pictures")
        else:
            if canon(pictures[pics[ans]]) != canon(src["smiles"]):
                faults.append("the answer picture is not the unknown's structure")
        for p in pics:
            if not os.path.exists(os.path.join(data_dir, "gifs", f"ovst{p}.gif")):
                faults.append(f"picture ovst{p}.gif missing")
        if len(set(canon(pictures[p]) for p in pics)) != len(pics):
            faults.append("two structure pictures show the same compound")
    if not 1 <= len(u.codes) <= 4:
        faults.append("needs one to four structure codes")
    for c in u.codes:
        err = check_structure_code(c)
        if err:
            faults.append(err)
    if not os.path.exists(os.path.join(data_dir, "gifs", f"ovunk{code}.gif")):
        faults.append(f"assignments picture ovunk{code}.gif missing")
    return faults


def split_two_digit_str(text):
    return [text[i:i + 2] for i in range(0, len(text), 2)]


def check_format_rules():
    """The file-name code and the name cipher, against known values."""
    faults = []
    codes = {0: "uz", 1: "oz", 2: "iz", 20: "ev", 21: "yu", 99: "yc"}
    for n, want in codes.items():
        if unknown_file_code(n) != want:
            faults.append(f"file code of {n} is {unknown_file_code(n)}, not {want}")
    if len({unknown_file_code(n) for n in range(100)}) != 100:
        faults.append("two unknowns share a file code")
    name = "2,4-Dinitro (x) [y] 'z' +.-"
    name += "m" * (80 - len(name))
    if unscramble(scramble(name)) != name or len(scramble(name)) != 80:
        faults.append("name cipher does not round-trip an 80-character name")
    if unscramble(chr(ord("E"))) != "\0":
        faults.append("a stored code equal to the key's should give character 0")
    return faults


def check_candidate_order(unknowns):
    """The name window lists the candidate names in file order, so the right
    name must not stand at the same place in every list (a student would soon
    learn to pick that place)."""
    places = {s["candidates"].index(s["names"][0]) for s in unknowns
              if s["names"] and s["names"][0] in s["candidates"]}
    if len(unknowns) > 2 and len(places) == 1:
        return [f"the compound's name is candidate {places.pop() + 1} in every list"]
    return []


def check_shared_names(unknowns):
    """A name the name window accepts (it compares without regard to case) for two
    unknowns is ambiguous: a student typing it may mean either."""
    owners = {}
    for s in unknowns:
        for name in set(n.upper() for n in s["names"]):
            owners.setdefault(name, []).append(s["number"])
    return [f"accepted name {name.lower()!r} is shared by unknowns {', '.join(map(str, nums))}"
            for name, nums in sorted(owners.items()) if len(nums) > 1]


def main(data_dir):
    defaults, pictures, unknowns = unkgen.load_sources(data_dir)
    numbers = [s["number"] for s in unknowns]
    bad = 0
    for f in check_format_rules():
        print(f)
        bad += 1
    if len(set(numbers)) != len(numbers):
        print("two sources share an unknown number")
        bad += 1
    for f in check_candidate_order(unknowns) + check_shared_names(unknowns):
        print(f)
        bad += 1
    for src in unknowns:
        for f in check_unknown(src, defaults, pictures, data_dir):
            print(f"{src['_file']}: {f}")
            bad += 1
    print(f"checked {len(unknowns)} unknowns: {bad} faults")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1] if len(sys.argv) > 1
                                  else os.path.join(HERE, "..", "..", "data"))))
