"""What the structure itself says: formula, nominal mass, elements, and which atoms
are equivalent by symmetry (RDKit)."""
from rdkit import Chem
from rdkit.Chem import rdMolDescriptors

NOMINAL = {"C": 12, "H": 1, "N": 14, "O": 16, "S": 32, "P": 31,
           "F": 19, "Cl": 35, "Br": 79, "I": 127}
HALOGENS = ("F", "Cl", "Br", "I")
HALOGEN_NAME = {"F": "fluorine", "Cl": "chlorine", "Br": "bromine", "I": "iodine"}
MULT = {1: "d", 2: "t", 3: "q", 4: "quint", 5: "sext", 6: "sept"}


class Molecule:
    """`nonequivalent`: groups of atoms that the structure makes equivalent but that
    the spectra show apart (e.g. the two N-methyls of an amide, kept apart by slow
    rotation about the C-N bond); each atom of a group counts as its own class."""

    def __init__(self, smiles, nonequivalent=()):
        m = Chem.MolFromSmiles(smiles)
        if m is None:
            raise ValueError(f"bad SMILES {smiles!r}")
        self.mol = m
        self.graph_ranks = list(Chem.CanonicalRankAtoms(m, breakTies=False))
        self.ranks = list(self.graph_ranks)
        n = m.GetNumAtoms()
        top = max(self.ranks, default=0) + 1
        for group in nonequivalent:
            for a in group:
                if not isinstance(a, int) or not 0 <= a < n:
                    raise ValueError(f"non-equivalent atom {a!r} is not an atom of {smiles!r}")
            for a in group[1:]:
                self.ranks[a] = top
                top += 1

    def formula(self):
        return rdMolDescriptors.CalcMolFormula(self.mol)

    def element_counts(self):
        counts = {}
        for a in self.mol.GetAtoms():
            counts[a.GetSymbol()] = counts.get(a.GetSymbol(), 0) + 1
            counts["H"] = counts.get("H", 0) + a.GetTotalNumHs()
        return counts

    def nominal_mass(self):
        return sum(NOMINAL[e] * n for e, n in self.element_counts().items())

    def hydrogen_count(self):
        return self.element_counts().get("H", 0)

    def atom_class(self, idx):
        return self.ranks[idx]

    def graph_class(self, idx):
        """The class by symmetry alone, before any declared non-equivalence."""
        return self.graph_ranks[idx]

    def class_members(self, idx):
        return [i for i, r in enumerate(self.ranks) if r == self.ranks[idx]]

    def carbon_classes(self):
        """Symmetry-distinct carbons: {class rank: (representative atom, H count)}."""
        out = {}
        for a in self.mol.GetAtoms():
            if a.GetSymbol() == "C" and self.ranks[a.GetIdx()] not in out:
                out[self.ranks[a.GetIdx()]] = (a.GetIdx(), a.GetTotalNumHs())
        return out

    def hydrogens_on(self, idx):
        return self.mol.GetAtomWithIdx(idx).GetTotalNumHs()

    def symbol(self, idx):
        return self.mol.GetAtomWithIdx(idx).GetSymbol()

    def analysis_text(self):
        c = self.element_counts()
        hal = [HALOGEN_NAME[h] for h in HALOGENS if h in c]
        n = "present" if "N" in c else "absent"
        s = "present" if "S" in c else "absent"
        p = "present" if "P" in c else "absent"
        h = ("halogens: " + " and ".join(hal) + " present") if hal else "halogens absent"
        return (f"Sodium fusion: nitrogen {n}; sulfur {s}; phosphorus {p}; {h}.")

    def analysis_help(self):
        c = self.element_counts()
        found = [w for e, w in (("N", "nitrogen"), ("S", "sulfur"), ("P", "phosphorus"))
                 if e in c] + [HALOGEN_NAME[h] for h in HALOGENS if h in c]
        if not found:
            return ("No element other than carbon, hydrogen (and perhaps oxygen) was found, "
                    "so tests for amines, nitro compounds and halides are not needed.")
        return ("The compound contains " + " and ".join(found)
                + "; carbon, hydrogen and oxygen are not detected by sodium fusion.")


def declared_groups(src):
    """The atom groups a compound's source declares non-equivalent."""
    groups = []
    for g in src.get("nonequivalent", []):
        if not isinstance(g, dict) or not isinstance(g.get("atoms"), list):
            raise ValueError(f"{src.get('_file', 'source')}: each [[nonequivalent]] needs atoms = [...]")
        groups.append(list(g["atoms"]))
    return groups


def molecule_of(src):
    return Molecule(src["smiles"], declared_groups(src))


def multiplicity(m):
    """Multiplicity text of a proton multiplet entry (see the compound sources)."""
    if "mult" in m:
        return m["mult"]
    j = m.get("j", [])
    if not j:
        return "br s" if m.get("width", 1.0) > 4.0 else "s"
    names = [MULT[int(n)] for n, _ in j]
    if len(names) == 1:
        return names[0]
    if len(names) == 2 and all(len(x) == 1 for x in names):
        return names[0] + names[1]
    return "m"
