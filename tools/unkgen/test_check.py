#!/usr/bin/python3
"""The check must catch the faults it is there for: each case spoils the solved
example's source (or its generated file) in one way and expects one fault message."""
import os
import shutil
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import check  # noqa: E402
import unkgen  # noqa: E402

SOURCES = os.path.join(HERE, "..", "..", "data", "compounds")

# (case, text to replace in u00.toml, replacement, expected fault text)
SOURCE_CASES = [
    ("proton count", "shift = 1.39, nh = 3", "shift = 1.39, nh = 2",
     "proton integrals add up to 9"),
    ("carbon H count", "[14.3, 55, 3, 0]", "[14.3, 55, 2, 0]",
     "carbon peaks' hydrogen counts"),
    ("missing carbon", ", [14.3, 55, 3, 0]]", "]", "6 carbon peaks for 7"),
    ("molecular ion", 'ion = "150"', 'ion = "152"', "nominal mass is 150"),
    ("precluded positive test", "ir = [13, 17", "ir = [21, 13, 17",
     "whose result is positive"),
    ("precluded without reason", "ms = [29, 30]", "ms = [29, 30, 13]",
     "gives no reason to preclude test 13"),
    ("reason untrue for the structure", "cmr = [28, 31]", "cmr = [18, 28, 31]",
     "cannot rule out test 18"),
    ("structure code letter", 'struct_codes = ["J1EB"]', 'struct_codes = ["J1EE"]',
     "letter E beyond its list of 4"),
    ("structure code base", 'struct_codes = ["J1EB"]', 'struct_codes = ["B2A"]',
     "has no known base"),
    ("answer picture", 'answer = "aa"', 'answer = "ab"', "answer picture is not"),
    ("untypeable name", '"benzoic acid, ethyl ester"]', '"ethyl benzoate?"]',
     "cannot be typed"),
    ("analysis text", "[physical]",
     '[physical]\nanalysis = "Sodium fusion: nitrogen present; halogens absent."',
     "wrong about nitrogen"),
    ("long note", 'note = "CDCl3; 7 signals"', 'note = "' + "x" * 70 + '"',
     "note longer than"),
    ("signal beyond the trace", "shift = 8.05,", "shift = 10.05,",
     "does not say it is off scale"),
    ("ester derivative unsuitable", "amide = 130\n", "",
     "amide is called unsuitable, but the unknown is an ester"),
    ("ester equivalent unsuitable", "saponification = 150\n", "",
     "saponification is called unsuitable, but the unknown is an ester"),
    ("carbonyl shown by the test alone", 'dnp = "neg"', 'dnp = "A yellow precipitate forms."',
     "dnp_hydrazone is called unsuitable, but the unknown is an aldehyde or ketone"),
    ("ion heavier than its m/z", "is PhCO+", "is PhCO2+", "PhCO2+ has mass 121, not the 105 it explains"),
    ("halogen pair's ion", "51 is C4H3+", "51/53 is C4H3Cl+", "C4H3Cl+ has mass 86, not the 51"),
]

# The same for other unknowns: (case, source file, text to replace, replacement, fault)
OTHER_SOURCE_CASES = [
    ("aldehyde's 2,4-DNP hydrazone unsuitable", "u06.toml", "dnp_hydrazone = 237\n", "",
     "dnp_hydrazone is called unsuitable, but the unknown is an aldehyde"),
    ("amine's sulfonamide unsuitable", "u53.toml", "benzenesulfonamide = 120\n", "",
     "benzenesulfonamide is called unsuitable, but the unknown is a primary or secondary amine"),
    ("phenol's urethane unsuitable", "u97.toml", 'naphthylurethane = 169\n', "",
     "naphthylurethane is called unsuitable, but the unknown is a phenol"),
    ("second ion offered for an m/z", "u74.toml", "or CH2=N+HCH3, the same mass after a hydrogen shift",
     "or O=C=NHCH3+", "O=C=NHCH3+ has mass 58, not the 44 it explains"),
    ("ion after the loss that makes it", "u88.toml", "65 (M - CO - Cl) C5H5+", "65 (M - CO - Cl) C5H7+",
     "C5H7+ has mass 67, not the 65 it explains"),
    ("ions paired with their m/z in order", "u56.toml", "89 and 63 are hydrocarbon ions C7H5+ and C5H3+",
     "89 and 63 are hydrocarbon ions C5H3+ and C7H5+", "C5H3+ has mass 63, not the 89 it explains"),
    ("nitro compound's reduction product called unsuitable", "u34.toml", 'reduction = "The',
     'reduction = "unsuitable: The', "reduction is called unsuitable, but the unknown is a nitro compound"),
]


# Declared non-equivalence, tried on N,N-dimethylacetamide (whose two N-methyls the
# spectra show apart) and on the solved example (whose ortho carbons they do not):
# (case, source, text to replace, replacement, expected fault text)
NONEQUIVALENCE_CASES = [
    ("split without a declaration", "u74.toml",
     '[[nonequivalent]]\natoms = [4, 5]\nreason = "slow rotation about the amide C-N bond at room temperature"\n',
     "", "4 carbon peaks for 3 distinct carbons"),
    ("declared atoms not alike", "u74.toml", "atoms = [4, 5]", "atoms = [0, 4]",
     "not equivalent in the structure"),
    ("declared but one proton signal", "u74.toml",
     "{ shift = 3.02, nh = 3, atom = 4 },\n  { shift = 2.94, nh = 3, atom = 5 },",
     "{ shift = 2.98, nh = 6, atom = [4, 5] },", "the proton signal at 2.98 joins them"),
    ("declared without a reason", "u74.toml",
     'reason = "slow rotation about the amide C-N bond at room temperature"', 'reason = ""',
     "no reason given"),
    ("declared but not shown", "u00.toml", "[physical]",
     '[[nonequivalent]]\natoms = [6, 10]\nreason = "none"\n\n[physical]',
     "the carbon spectrum does not show atom 10 apart"),
]
SOURCES = os.path.join(HERE, "..", "..", "data", "compounds")


def nonequivalence_failures():
    failures = []
    for case, name, old, new, want in [("unspoilt", "u74.toml", "", "", None)] + NONEQUIVALENCE_CASES:
        original = open(os.path.join(SOURCES, name)).read()
        if old not in original:
            failures.append(f"{case}: {name} no longer contains {old!r}")
            continue
        with tempfile.TemporaryDirectory() as tmp:
            make_data(tmp, original.replace(old, new, 1))
            for extra in os.listdir(SOURCES):
                if extra.startswith("structures_"):
                    shutil.copy(os.path.join(SOURCES, extra), os.path.join(tmp, "compounds"))
            try:
                unkgen.generate(tmp)
                got = faults_for(tmp)
            except ValueError as e:
                got = [str(e)]
            if want is None and got:
                failures.append(f"{case}: {name} has faults: {got}")
            elif want is not None and not any(want in g for g in got):
                failures.append(f"{case}: expected '{want}', got {got}")
    return failures


def make_data(tmp, source_text):
    comp = os.path.join(tmp, "compounds")
    os.makedirs(comp)
    for name in os.listdir(SOURCES):
        if name == "defaults.toml" or name.startswith("structures"):
            shutil.copy(os.path.join(SOURCES, name), comp)
    with open(os.path.join(comp, "u00.toml"), "w") as f:
        f.write(source_text)


def faults_for(tmp):
    defaults, pictures, unknowns = unkgen.load_sources(tmp)
    return check.check_unknown(unknowns[0], defaults, pictures, tmp)


def main():
    original = open(os.path.join(SOURCES, "u00.toml")).read()
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        make_data(tmp, original)
        unkgen.generate(tmp)
        if faults_for(tmp):
            failures.append(f"unspoilt example has faults: {faults_for(tmp)}")
        path = os.path.join(tmp, "unks", "ovunkuz.txt")
        good = open(path, "rb").read()
        # damaged generated files
        for case, data, want in [
                ("no final CR LF", good[:-2], "does not end with CR LF"),
                ("stray byte", good + b"x\r\n", "lines after the last structure code"),
                ("edited line", good.replace(b"Boiling point 212", b"Boiling point 213"),
                 "differs from what the sources generate"),
                ("unstorable sample", good.replace(b"\r\nliquid film\r\n",
                                                   b"\x1a\r\nliquid film\r\n", 1),
                 "unusable sample bytes")]:
            with open(path, "wb") as f:
                f.write(data)
            got = faults_for(tmp)
            if not any(want in g for g in got):
                failures.append(f"{case}: expected '{want}', got {got}")
        os.remove(os.path.join(tmp, "gifs", "ovstaa.gif"))
        with open(path, "wb") as f:
            f.write(good)
        if not any("ovstaa.gif missing" in g for g in faults_for(tmp)):
            failures.append("missing picture not reported")
    cases = [(case, original, old, new, want) for case, old, new, want in SOURCE_CASES]
    for case, name, old, new, want in OTHER_SOURCE_CASES:
        cases.append((case, open(os.path.join(SOURCES, name)).read(), old, new, want))
    for case, text, old, new, want in cases:
        if old not in text:
            failures.append(f"{case}: the source no longer contains {old!r}")
            continue
        with tempfile.TemporaryDirectory() as tmp:
            make_data(tmp, text.replace(old, new, 1))
            try:
                unkgen.generate(tmp)
                got = faults_for(tmp)
            except ValueError as e:
                got = [str(e)]
            if not any(want in g for g in got):
                failures.append(f"{case}: expected '{want}', got {got}")
    twins = [{"number": 22, "names": ["2-ethylaniline", "Ethylaniline"]},
             {"number": 42, "names": ["N-ethylaniline", "ethylaniline"]}]
    if not any("'ethylaniline' is shared by unknowns 22, 42" in g
               for g in check.check_shared_names(twins)):
        failures.append("a name accepted for two unknowns not reported")
    first = [{"names": [n], "candidates": [n, "x", "y"]} for n in ("a", "b", "c")]
    if not any("candidate 1 in every list" in g for g in check.check_candidate_order(first)):
        failures.append("right name first in every candidate list not reported")
    first[1]["candidates"] = ["x", "b", "y"]
    if check.check_candidate_order(first):
        failures.append("varied candidate order reported as a fault")
    failures += nonequivalence_failures()
    for f in failures:
        print(f)
    print(f"{len(cases) + len(NONEQUIVALENCE_CASES) + 7} spoilt cases: {len(failures)} not caught")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
