"""Ion formulas in a mass-spectrum help text must weigh what they explain.

A help text pairs an m/z value with an ion as "44 is (CH3)2N+", "31 (CH2=OH+)"
or "105 (base peak) is PhCO+" ("107/109 is CH2CH2Br+" for a pair of
halogen isotopes, weighed with the lighter), and may offer a second ion for the same m/z
after "or".  An explained loss in brackets may stand between an m/z and its ion
("65 (M - CO - Cl) C5H5+"), and several m/z values may share one sentence with as
many ions, paired in order ("89 and 63 are hydrocarbon ions C7H5+ and C5H3+").  Each ion written as a formula (charge "+" or radical cation "+."
somewhere in it, bonds "=" and "-" allowed, groups in brackets with a count,
"Ph" for phenyl) is weighed with whole-number masses of the common isotopes
and compared with its m/z.  Anything that is not such a formula ("M - CH3",
"loss of CO", names) is not judged."""
import re

MASSES = {"H": 1, "D": 2, "C": 12, "N": 14, "O": 16, "F": 19, "Si": 28, "P": 31, "S": 32,
          "Cl": 35, "Br": 79, "I": 127}
ABBREVIATIONS = {"Ph": "(C6H5)"}

# an ion: formula characters ending at a charge, optionally followed by more of them
ION = r"[A-Z(][A-Za-z0-9()=\-]*\+[A-Za-z0-9()=\-]*\.?"
# an m/z, or a pair for the isotopes of chlorine or bromine ("107/109": the
# formula, weighed with 35Cl and 79Br, gives the first)
MZ = r"(?<![\d/.])(\d{2,3})(?:/\d{2,3})?"
PAIRS = [
    re.compile(MZ + r"(?: \([^()]*\))? is (" + ION + r")(?: \([^()]*\))?((?: or " + ION + r"(?: \([^()]*\))?)*)"),
    re.compile(MZ + r" \((" + ION + r")\)()"),
    re.compile(MZ + r" \([^()]*\) (" + ION + r")()"),
]
# "A and B are ... X and Y", "A, B and C are X, Y and Z": the k-th ion explains the k-th m/z
ONE_MZ = r"\d{2,3}(?:/\d{2,3})?"
LISTS = re.compile(r"(?<![\d/.])(?P<mzs>" + ONE_MZ + r"(?:, " + ONE_MZ + r")* and " + ONE_MZ + r") are "
                   r"(?:[a-z]+ )*(?P<ions>" + ION + r"(?:, " + ION + r")* and " + ION + r")(?![A-Za-z0-9(])")


def formula_mass(ion):
    """The whole-number mass of an ion formula, or None when it is not one."""
    text = ion.rstrip(".").replace("+", "").replace("=", "").replace("-", "")
    for short, full in ABBREVIATIONS.items():
        text = text.replace(short, full)
    if not text or not re.fullmatch(r"[A-Za-z0-9()]+", text):
        return None
    pos = 0

    def group():
        nonlocal pos
        total = 0
        while pos < len(text):
            ch = text[pos]
            if ch == "(":
                pos += 1
                inner = group()
                if inner is None or pos >= len(text) or text[pos] != ")":
                    return None
                pos += 1
                total += inner * count()
            elif ch == ")":
                return total
            else:
                m = re.match(r"[A-Z][a-z]?", text[pos:])
                if not m or m.group(0) not in MASSES:
                    return None
                pos += len(m.group(0))
                total += MASSES[m.group(0)] * count()
        return total

    def count():
        nonlocal pos
        m = re.match(r"\d+", text[pos:])
        if not m:
            return 1
        pos += len(m.group(0))
        return int(m.group(0))

    mass = group()
    return mass if pos == len(text) and mass else None


def ion_mass_faults(text):
    explained = []  # (m/z, ion)
    for pattern in PAIRS:
        for m in pattern.finditer(text):
            explained += [(int(m.group(1)), ion) for ion in [m.group(2)] + re.findall(ION, m.group(3))]
    for m in LISTS.finditer(text):
        values = [int(v.split("/")[0]) for v in re.split(r", | and ", m.group("mzs"))]
        ions = re.split(r", | and ", m.group("ions"))
        explained += zip(values, ions)
    faults = []
    for mz, ion in explained:
        mass = formula_mass(ion)
        if mass is not None and mass != mz:
            faults.append(f"mass spectrum help: {ion} has mass {mass}, not the {mz} it explains")
    return faults
