"""Which derivatives and equivalents fit an unknown: its classes, found from the
structure and from its own positive tests, and what the shared help texts say each
derivative is made from.  The program explains a result containing "unsuitable" as
"most likely this unknown is not of this type" and counts the request against the
student, so such a result may stand only where the compound is not of the class."""
from rdkit import Chem

# class -> the derivatives (and equivalents) the shared help texts name it for
DERIVATIVES_OF = {
    "carboxylic acid": ["amide", "anilide", "toluidide", "neutralisation"],
    "acyl halide": ["acid_hydrolysis", "amide", "anilide", "toluidide"],
    "ester": ["acid_hydrolysis", "amide", "anilide", "toluidide", "dnb", "saponification"],
    "amide": ["acid_hydrolysis"],
    "nitrile": ["acid_hydrolysis", "amide", "reduction"],
    "aldehyde": ["acid_oxidation", "dnp_hydrazone", "oxime", "semicarbazone"],
    "ketone": ["dnp_hydrazone", "oxime", "semicarbazone"],
    "alcohol": ["dnb", "naphthylurethane", "phenylurethane"],
    "primary alcohol": ["acid_oxidation"],
    "phenol": ["aryloxyacetic", "brominated", "dnb", "naphthylurethane", "phenylurethane"],
    "amine": ["picrate"],
    "primary or secondary amine": ["benzamide", "benzenesulfonamide"],
    "aromatic amine": ["brominated"],
    "nitro compound": ["reduction"],
    "alkyl halide": ["anilide"],
    "aromatic hydrocarbon": ["nitration", "picrate"],
    "haloarene": ["nitration"],
    "alkylbenzene": ["acid_oxidation"],
    "aromatic ether": ["nitration", "picrate"],
}

# classes a functional group anywhere in the structure gives
GROUPS = {
    "carboxylic acid": "[CX3](=O)[OX2H1]",
    "acyl halide": "[CX3](=O)[F,Cl,Br,I]",
    "ester": "[#6][#6X3](=[OX1])[#8X2][#6]",  # lactones included, aromatic or not
    "amide": "[CX3](=O)[NX3]",
    "nitrile": "[CX2]#[NX1]",
    "aldehyde": "[CX3H1](=O)",
    "ketone": "[#6][CX3](=O)[#6]",
    "alcohol": "[OX2H][CX4]",
    "primary alcohol": "[OX2H][CX4;H2,H3]",
    "phenol": "[OX2H]c",
    # nitrogen bonded to carbon and hydrogen only, not part of an amide; or a pyridine ring
    "amine": "[$([NX3;!$(N~[!#6;!#1]);!$(N[#6]=[O,S,N])]),$([nX2;r6])]",
    "primary or secondary amine": "[NX3;H1,H2;!$(N~[!#6;!#1]);!$(N[#6]=[O,S,N])]",
    "aromatic amine": "[NX3;!$(N~[!#6;!#1]);!$(N[#6]=[O,S,N])]c",
    "nitro compound": "[$([N+](=O)[O-]),$(N(=O)=O)]",
    "alkyl halide": "[CX4][Cl,Br,I]",
}

# what a positive test shows, whatever the structure says
TEST_CLASSES = {
    "dnp": ["aldehyde or ketone"],
    "benzenesulfonyl_chloride": ["primary or secondary amine", "amine"],
    "tollens": ["aldehyde"],
}
DERIVATIVES_OF["aldehyde or ketone"] = DERIVATIVES_OF["ketone"]

HALOGENS = {"F", "Cl", "Br", "I"}


def _only(mol, allowed):
    return all(a.GetSymbol() in allowed for a in mol.GetAtoms())


def _fused(mol):
    ri = mol.GetRingInfo()
    return any(ri.NumAtomRings(a.GetIdx()) > 1 for a in mol.GetAtoms() if a.GetIsAromatic())


def _matches(mol, smarts):
    return mol.HasSubstructMatch(Chem.MolFromSmarts(smarts))


def classes(smiles, positive_tests=()):
    """The classes the structure and the positive tests show."""
    mol = Chem.MolFromSmiles(smiles)
    found = {c for c, s in GROUPS.items() if _matches(mol, s)}
    aromatic = any(a.GetIsAromatic() for a in mol.GetAtoms())
    ring_halogens_only = not _matches(mol, "[F,Cl,Br,I][!c]")
    # the arene classes hold for compounds with no other functional group
    if aromatic and _only(mol, {"C"}):
        found.add("aromatic hydrocarbon")
    if aromatic and _only(mol, {"C"} | HALOGENS) and ring_halogens_only and \
            any(a.GetSymbol() in HALOGENS for a in mol.GetAtoms()):
        found.add("haloarene")
    if ({"aromatic hydrocarbon", "haloarene"} & found) and not _fused(mol) and \
            _matches(mol, "[CX4;!H0]c"):
        found.add("alkylbenzene")
    oxygens = sum(1 for a in mol.GetAtoms() if a.GetSymbol() == "O")
    aryl_ether_oxygens = len({m[0] for m in mol.GetSubstructMatches(Chem.MolFromSmarts("[OX2](c)[#6]"))})
    if aromatic and _only(mol, {"C", "O"} | HALOGENS) and ring_halogens_only and \
            oxygens and aryl_ether_oxygens == oxygens:
        found.add("aromatic ether")
    for test in positive_tests:
        found.update(TEST_CLASSES.get(test, []))
    if {"aldehyde", "ketone"} & found:
        found.discard("aldehyde or ketone")
    return found


def fitting(smiles, positive_tests=()):
    """{derivative or equivalent key: the classes it fits}."""
    out = {}
    for c in sorted(classes(smiles, positive_tests)):
        for key in DERIVATIVES_OF[c]:
            out.setdefault(key, []).append(c)
    return out


def unsuitable_but_fitting(smiles, positive_tests, results):
    """Faults for each derivative or equivalent whose result (key -> text) calls
    it unsuitable although the compound is of its class."""
    faults = []
    for key, cls in fitting(smiles, positive_tests).items():
        text = results[key]
        if "unsuitable" in text.lower():
            faults.append(f"{key} is called unsuitable, but the unknown is "
                          f"{' and '.join(_article(c) for c in cls)}")
    return faults


def _article(cls):
    return ("an " if cls[0] in "aeiou" else "a ") + cls
