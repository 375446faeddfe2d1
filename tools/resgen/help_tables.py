#!/usr/bin/python3
"""Writes the tables-of-compounds help topics (data/help/topic505.txt ... topic585.txt).

Formulae and nominal masses are computed from the structures with RDKit, so
only the names, structures and physical constants below are typed by hand.
Boiling points are at normal pressure, rounded to whole degrees Celsius.
Run: /usr/bin/python3 tools/resgen/help_tables.py
"""

import os

from rdkit import Chem
from rdkit.Chem import rdMolDescriptors

HERE = os.path.dirname(os.path.abspath(__file__))
HELP_DIR = os.path.normpath(os.path.join(HERE, "..", "..", "data", "help"))

# topic: (title, introduction, [(name, SMILES, constant), ...]); constant "bp N" or "mp N"
TABLES = {
    505: ("Acyl halides",
          "Acyl halides fume in moist air and react vigorously with water, alcohols and amines. Infrared: C=O near "
          "1800 cm-1. They give a precipitate with silver nitrate at once and are identified through the acid, amide "
          "or anilide.",
          [("acetyl chloride", "CC(=O)Cl", "bp 51"), ("acetyl bromide", "CC(=O)Br", "bp 76"),
           ("propanoyl chloride", "CCC(=O)Cl", "bp 80"), ("butanoyl chloride", "CCCC(=O)Cl", "bp 102"),
           ("benzoyl chloride", "O=C(Cl)c1ccccc1", "bp 197"),
           ("4-nitrobenzoyl chloride", "O=C(Cl)c1ccc([N+](=O)[O-])cc1", "mp 73")]),
    510: ("Alcohols",
          "Alcohols: broad O-H band near 3350 cm-1 and C-O near 1050 to 1150 cm-1; carbon on oxygen at 50 to 75 ppm. "
          "They react with acetyl chloride; the chromic anhydride and Lucas tests tell primary, secondary and tertiary "
          "apart. Derivatives: 3,5-dinitrobenzoate, phenylurethane, 1-naphthylurethane.",
          [("methanol", "CO", "bp 65"), ("ethanol", "CCO", "bp 78"), ("propan-2-ol", "CC(C)O", "bp 82"),
           ("2-methylpropan-2-ol", "CC(C)(C)O", "bp 82"), ("propan-1-ol", "CCCO", "bp 97"),
           ("prop-2-en-1-ol (allyl alcohol)", "C=CCO", "bp 97"), ("butan-2-ol", "CCC(C)O", "bp 99"),
           ("2-methylpropan-1-ol", "CC(C)CO", "bp 108"), ("butan-1-ol", "CCCCO", "bp 118"),
           ("3-methylbutan-1-ol", "CC(C)CCO", "bp 131"), ("pentan-1-ol", "CCCCCO", "bp 138"),
           ("hexan-1-ol", "CCCCCCO", "bp 157"), ("cyclohexanol", "OC1CCCCC1", "bp 161"),
           ("octan-1-ol", "CCCCCCCCO", "bp 195"), ("ethane-1,2-diol", "OCCO", "bp 197"),
           ("benzyl alcohol", "OCc1ccccc1", "bp 205"), ("2-phenylethanol", "OCCc1ccccc1", "bp 219")]),
    515: ("Aldehydes",
          "Aldehydes: C=O near 1730 cm-1 (1700 when conjugated) with two C-H bands near 2820 and 2720 cm-1; CHO proton "
          "at 9.5 to 10 ppm; carbonyl carbon near 190 to 205 ppm. Positive 2,4-dinitrophenylhydrazine, Tollens', "
          "Schiff's and chromic anhydride tests. Derivatives: 2,4-dinitrophenylhydrazone, semicarbazone, oxime.",
          [("ethanal (acetaldehyde)", "CC=O", "bp 21"), ("propanal", "CCC=O", "bp 48"),
           ("2-methylpropanal", "CC(C)C=O", "bp 64"), ("butanal", "CCCC=O", "bp 75"),
           ("pentanal", "CCCCC=O", "bp 103"), ("furan-2-carbaldehyde (furfural)", "O=Cc1ccco1", "bp 162"),
           ("benzaldehyde", "O=Cc1ccccc1", "bp 179"), ("2-hydroxybenzaldehyde", "O=Cc1ccccc1O", "bp 197"),
           ("4-methylbenzaldehyde", "Cc1ccc(C=O)cc1", "bp 204"),
           ("4-methoxybenzaldehyde", "COc1ccc(C=O)cc1", "bp 248"),
           ("3-nitrobenzaldehyde", "O=Cc1cccc([N+](=O)[O-])c1", "mp 58"),
           ("vanillin", "COc1cc(C=O)ccc1O", "mp 82"),
           ("4-nitrobenzaldehyde", "O=Cc1ccc([N+](=O)[O-])cc1", "mp 106")]),
    520: ("Alkenes",
          "Alkenes: C=C near 1650 cm-1 (often weak) and =C-H above 3000 cm-1; alkene protons at 4.5 to 6.5 ppm; "
          "carbons at 110 to 150 ppm. They decolourise bromine in dichloromethane and potassium permanganate. They "
          "are insoluble in water but dissolve in concentrated sulfuric acid.",
          [("2-methylbut-2-ene", "CC=C(C)C", "bp 39"), ("hex-1-ene", "C=CCCCC", "bp 63"),
           ("cyclohexene", "C1=CCCCC1", "bp 83"), ("oct-1-ene", "C=CCCCCCC", "bp 121"),
           ("styrene", "C=Cc1ccccc1", "bp 145"), ("alpha-pinene", "CC1=CCC2CC1C2(C)C", "bp 156"),
           ("limonene", "CC1=CCC(C(C)=C)CC1", "bp 176"), ("indene", "C1=Cc2ccccc2C1", "bp 182"),
           ("(E)-stilbene", "C(=C/c1ccccc1)\\c1ccccc1", "mp 124")]),
    525: ("Amides",
          "Amides: C=O at 1690 to 1650 cm-1; primary amides show two N-H bands near 3350 and 3180 cm-1, secondary "
          "one. They contain nitrogen, are neutral, and give ammonia or an amine on boiling with alkali. Hydrolysis "
          "gives the acid, which is identified in turn.",
          [("N,N-dimethylformamide", "CN(C)C=O", "bp 153"), ("N,N-dimethylacetamide", "CC(=O)N(C)C", "bp 165"),
           ("formamide", "NC=O", "bp 210"), ("propanamide", "CCC(N)=O", "mp 80"),
           ("acetamide", "CC(N)=O", "mp 81"), ("acetanilide", "CC(=O)Nc1ccccc1", "mp 114"),
           ("benzamide", "NC(=O)c1ccccc1", "mp 128"), ("urea", "NC(N)=O", "mp 133"),
           ("N-(4-ethoxyphenyl)acetamide (phenacetin)", "CCOc1ccc(NC(C)=O)cc1", "mp 135"),
           ("2-hydroxybenzamide (salicylamide)", "NC(=O)c1ccccc1O", "mp 140"),
           ("N-(4-methylphenyl)acetamide", "CC(=O)Nc1ccc(C)cc1", "mp 153")]),
    530: ("Amines 1 (primary and secondary)",
          "Primary and secondary amines: N-H bands at 3500 to 3300 cm-1 (two for NH2, one for NH); odd molecular mass "
          "with one nitrogen. They are basic (soluble in dilute hydrochloric acid) and react with acetyl chloride; the "
          "benzenesulfonyl chloride test tells primary from secondary. Derivatives: benzamide, benzenesulfonamide, "
          "acetamide.",
          [("propylamine", "CCCN", "bp 48"), ("diethylamine", "CCNCC", "bp 55"), ("butylamine", "CCCCN", "bp 78"),
           ("piperidine", "C1CCNCC1", "bp 106"), ("dipropylamine", "CCCNCCC", "bp 110"),
           ("morpholine", "C1COCCN1", "bp 129"), ("cyclohexylamine", "NC1CCCCC1", "bp 134"),
           ("dibutylamine", "CCCCNCCCC", "bp 159"), ("aniline", "Nc1ccccc1", "bp 184"),
           ("benzylamine", "NCc1ccccc1", "bp 185"), ("N-methylaniline", "CNc1ccccc1", "bp 196"),
           ("2-methylaniline", "Cc1ccccc1N", "bp 200"), ("3-methylaniline", "Cc1cccc(N)c1", "bp 203"),
           ("N-ethylaniline", "CCNc1ccccc1", "bp 205"), ("4-methylaniline", "Cc1ccc(N)cc1", "mp 44"),
           ("4-methoxyaniline", "COc1ccc(N)cc1", "mp 57"), ("4-chloroaniline", "Nc1ccc(Cl)cc1", "mp 70"),
           ("2-nitroaniline", "Nc1ccccc1[N+](=O)[O-]", "mp 71"),
           ("3-nitroaniline", "Nc1cccc([N+](=O)[O-])c1", "mp 114"),
           ("4-nitroaniline", "Nc1ccc([N+](=O)[O-])cc1", "mp 147")]),
    535: ("Amines 2 (tertiary)",
          "Tertiary amines: no N-H band; odd molecular mass with one nitrogen; basic, soluble in dilute hydrochloric "
          "acid. They do not react with acetyl chloride or benzenesulfonyl chloride. Derivatives: picrate, and "
          "quaternary methiodides.",
          [("triethylamine", "CCN(CC)CC", "bp 89"), ("pyridine", "c1ccncc1", "bp 115"),
           ("2-methylpyridine", "Cc1ccccn1", "bp 129"), ("3-methylpyridine", "Cc1cccnc1", "bp 144"),
           ("4-methylpyridine", "Cc1ccncc1", "bp 145"), ("tripropylamine", "CCCN(CCC)CCC", "bp 156"),
           ("N,N-dimethylbenzylamine", "CN(C)Cc1ccccc1", "bp 181"), ("N,N-dimethylaniline", "CN(C)c1ccccc1", "bp 194"),
           ("tributylamine", "CCCCN(CCCC)CCCC", "bp 216"), ("N,N-diethylaniline", "CCN(CC)c1ccccc1", "bp 217"),
           ("quinoline", "c1ccc2ncccc2c1", "bp 237"), ("isoquinoline", "c1ccc2cnccc2c1", "bp 243")]),
    540: ("Anhydrides",
          "Anhydrides: two C=O bands near 1820 and 1760 cm-1. They react with water slowly and with alcohols and "
          "amines readily; hydrolysis gives two carboxylic acid groups. Positive hydroxamic acid test. Identified "
          "through the acid, amide or anilide.",
          [("acetic anhydride", "CC(=O)OC(C)=O", "bp 140"), ("propanoic anhydride", "CCC(=O)OC(=O)CC", "bp 167"),
           ("butanoic anhydride", "CCCC(=O)OC(=O)CCC", "bp 198"), ("benzoic anhydride", "O=C(OC(=O)c1ccccc1)c1ccccc1", "mp 42"),
           ("maleic anhydride", "O=C1C=CC(=O)O1", "mp 53"), ("succinic anhydride", "O=C1CCC(=O)O1", "mp 119"),
           ("phthalic anhydride", "O=C1OC(=O)c2ccccc21", "mp 131")]),
    543: ("Arenes",
          "Arenes (aromatic hydrocarbons): aromatic C-H above 3000 cm-1, ring bands near 1600 and 1500 cm-1; ring "
          "protons at 6.5 to 8 ppm; carbons at 120 to 150 ppm; ultraviolet band near 255 nm. No elements besides C "
          "and H, no reaction with bromine or permanganate. Derivatives: nitration product, acid formed by oxidation "
          "of side chains, picrate.",
          [("benzene", "c1ccccc1", "bp 80"), ("toluene", "Cc1ccccc1", "bp 111"), ("ethylbenzene", "CCc1ccccc1", "bp 136"),
           ("1,4-dimethylbenzene (p-xylene)", "Cc1ccc(C)cc1", "bp 138"),
           ("1,3-dimethylbenzene (m-xylene)", "Cc1cccc(C)c1", "bp 139"),
           ("1,2-dimethylbenzene (o-xylene)", "Cc1ccccc1C", "bp 144"),
           ("isopropylbenzene (cumene)", "CC(C)c1ccccc1", "bp 152"),
           ("1,3,5-trimethylbenzene (mesitylene)", "Cc1cc(C)cc(C)c1", "bp 165"),
           ("tert-butylbenzene", "CC(C)(C)c1ccccc1", "bp 169"), ("1-methylnaphthalene", "Cc1cccc2ccccc12", "bp 242"),
           ("diphenylmethane", "c1ccc(Cc2ccccc2)cc1", "mp 25"), ("2-methylnaphthalene", "Cc1ccc2ccccc2c1", "mp 35"),
           ("biphenyl", "c1ccc(-c2ccccc2)cc1", "mp 70"), ("naphthalene", "c1ccc2ccccc2c1", "mp 80"),
           ("phenanthrene", "c1ccc2c(c1)ccc1ccccc12", "mp 100"), ("anthracene", "c1ccc2cc3ccccc3cc2c1", "mp 216")]),
    545: ("Acids",
          "Carboxylic acids: very broad O-H from 3300 to 2500 cm-1 and C=O near 1710 cm-1; COOH proton at 10 to 13 "
          "ppm; carbonyl carbon at 170 to 185 ppm. Soluble in sodium hydrogencarbonate solution with effervescence. "
          "Derivatives: amide, anilide, 4-toluidide; the neutralisation equivalent gives the molar mass per carboxyl "
          "group.",
          [("methanoic acid (formic acid)", "OC=O", "bp 101"), ("ethanoic acid (acetic acid)", "CC(=O)O", "bp 118"),
           ("propanoic acid", "CCC(=O)O", "bp 141"), ("2-methylpropanoic acid", "CC(C)C(=O)O", "bp 155"),
           ("butanoic acid", "CCCC(=O)O", "bp 164"), ("pentanoic acid", "CCCCC(=O)O", "bp 186"),
           ("hexanoic acid", "CCCCCC(=O)O", "bp 205"), ("(E)-but-2-enoic acid (crotonic acid)", "C/C=C/C(=O)O", "mp 72"),
           ("phenylacetic acid", "OC(=O)Cc1ccccc1", "mp 77"), ("2-methylbenzoic acid", "Cc1ccccc1C(=O)O", "mp 104"),
           ("3-methylbenzoic acid", "Cc1cccc(C(=O)O)c1", "mp 111"), ("benzoic acid", "OC(=O)c1ccccc1", "mp 122"),
           ("(E)-3-phenylpropenoic acid (cinnamic acid)", "OC(=O)/C=C/c1ccccc1", "mp 133"),
           ("2-acetoxybenzoic acid (aspirin)", "CC(=O)Oc1ccccc1C(=O)O", "mp 135"),
           ("hexanedioic acid (adipic acid)", "OC(=O)CCCCC(=O)O", "mp 152"),
           ("2-hydroxybenzoic acid (salicylic acid)", "OC(=O)c1ccccc1O", "mp 159"),
           ("4-methylbenzoic acid", "Cc1ccc(C(=O)O)cc1", "mp 180"),
           ("butanedioic acid (succinic acid)", "OC(=O)CCC(=O)O", "mp 185"),
           ("4-chlorobenzoic acid", "OC(=O)c1ccc(Cl)cc1", "mp 240"),
           ("4-nitrobenzoic acid", "OC(=O)c1ccc([N+](=O)[O-])cc1", "mp 242")]),
    550: ("Cyanides",
          "Cyanides (nitriles): sharp C triple bond N band at 2260 to 2210 cm-1; nitrile carbon at 115 to 125 ppm. "
          "They contain nitrogen, are neutral, and give ammonia on boiling with alkali (hydrolysis reaction) and a "
          "positive hydroxamic acid test in propanediol. Identified through the acid formed by hydrolysis.",
          [("propenenitrile (acrylonitrile)", "C=CC#N", "bp 77"), ("ethanenitrile (acetonitrile)", "CC#N", "bp 82"),
           ("propanenitrile", "CCC#N", "bp 97"), ("butanenitrile", "CCCC#N", "bp 117"),
           ("benzonitrile", "N#Cc1ccccc1", "bp 191"), ("phenylacetonitrile (benzyl cyanide)", "N#CCc1ccccc1", "bp 234"),
           ("4-methylbenzonitrile", "Cc1ccc(C#N)cc1", "mp 27"), ("propanedinitrile (malononitrile)", "N#CCC#N", "mp 32")]),
    555: ("Esters",
          "Esters: C=O near 1740 cm-1 (1720 when conjugated) and strong C-O bands at 1300 to 1000 cm-1; OCH2 or OCH3 "
          "protons at 3.6 to 4.3 ppm; carbonyl carbon at 165 to 175 ppm. Often fruity smells. Positive hydroxamic acid "
          "test; hydrolysis gives an acid and an alcohol or phenol, each identified in turn; the saponification "
          "equivalent gives the molar mass per ester group.",
          [("methyl methanoate", "COC=O", "bp 32"), ("ethyl methanoate", "CCOC=O", "bp 54"),
           ("methyl ethanoate (methyl acetate)", "COC(C)=O", "bp 57"), ("ethyl ethanoate (ethyl acetate)", "CCOC(C)=O", "bp 77"),
           ("propan-2-yl ethanoate", "CC(C)OC(C)=O", "bp 89"), ("ethyl propanoate", "CCOC(=O)CC", "bp 99"),
           ("propyl ethanoate", "CCCOC(C)=O", "bp 102"), ("ethyl butanoate", "CCCC(=O)OCC", "bp 121"),
           ("butyl ethanoate", "CCCCOC(C)=O", "bp 126"), ("3-methylbutyl ethanoate", "CC(C)CCOC(C)=O", "bp 142"),
           ("ethyl 3-oxobutanoate (ethyl acetoacetate)", "CCOC(=O)CC(C)=O", "bp 181"),
           ("phenyl ethanoate", "CC(=O)Oc1ccccc1", "bp 196"), ("methyl benzoate", "COC(=O)c1ccccc1", "bp 199"),
           ("diethyl propanedioate (diethyl malonate)", "CCOC(=O)CC(=O)OCC", "bp 199"),
           ("ethyl benzoate", "CCOC(=O)c1ccccc1", "bp 212"), ("benzyl ethanoate", "CC(=O)OCc1ccccc1", "bp 213"),
           ("methyl 2-hydroxybenzoate (methyl salicylate)", "COC(=O)c1ccccc1O", "bp 222"),
           ("phenyl benzoate", "O=C(Oc1ccccc1)c1ccccc1", "mp 70"),
           ("ethyl 4-aminobenzoate (benzocaine)", "CCOC(=O)c1ccc(N)cc1", "mp 89"),
           ("methyl 4-nitrobenzoate", "COC(=O)c1ccc([N+](=O)[O-])cc1", "mp 96")]),
    560: ("Ethers",
          "Ethers: strong C-O band at 1250 to 1050 cm-1 and no O-H or C=O; OCH protons at 3.3 to 4 ppm; carbons on "
          "oxygen at 55 to 80 ppm. Neutral, unreactive to most tests, positive ferrox test. Aryl ethers give "
          "brominated products and picrates.",
          [("diethyl ether", "CCOCC", "bp 35"), ("tetrahydrofuran", "C1CCOC1", "bp 66"),
           ("diisopropyl ether", "CC(C)OC(C)C", "bp 68"), ("1,4-dioxane", "C1COCCO1", "bp 101"),
           ("dibutyl ether", "CCCCOCCCC", "bp 142"), ("methoxybenzene (anisole)", "COc1ccccc1", "bp 154"),
           ("ethoxybenzene (phenetole)", "CCOc1ccccc1", "bp 170"), ("4-methylanisole", "COc1ccc(C)cc1", "bp 174"),
           ("1,2-dimethoxybenzene", "COc1ccccc1OC", "bp 206"), ("diphenyl ether", "c1ccc(Oc2ccccc2)cc1", "mp 27"),
           ("1,4-dimethoxybenzene", "COc1ccc(OC)cc1", "mp 57"), ("2-methoxynaphthalene", "COc1ccc2ccccc2c1", "mp 73")]),
    565: ("Haloalkanes",
          "Haloalkanes: the elemental analysis shows the halogen, and the mass spectrum shows chlorine and bromine by "
          "their M + 2 peaks; no O-H or C=O bands. Silver nitrate in ethanol and sodium iodide in acetone tell "
          "tertiary, secondary and primary halides apart. Dense liquids, insoluble in water and in concentrated "
          "sulfuric acid.",
          [("bromoethane", "CCBr", "bp 38"), ("dichloromethane", "ClCCl", "bp 40"), ("iodomethane", "CI", "bp 42"),
           ("2-chloro-2-methylpropane", "CC(C)(C)Cl", "bp 51"), ("2-bromopropane", "CC(C)Br", "bp 59"),
           ("trichloromethane (chloroform)", "ClC(Cl)Cl", "bp 61"), ("2-chlorobutane", "CCC(C)Cl", "bp 68"),
           ("1-bromopropane", "CCCBr", "bp 71"), ("iodoethane", "CCI", "bp 72"),
           ("2-bromo-2-methylpropane", "CC(C)(C)Br", "bp 73"), ("tetrachloromethane", "ClC(Cl)(Cl)Cl", "bp 77"),
           ("1-chlorobutane", "CCCCCl", "bp 78"), ("1,2-dichloroethane", "ClCCCl", "bp 84"),
           ("2-bromobutane", "CCC(C)Br", "bp 91"), ("1-bromobutane", "CCCCBr", "bp 102"),
           ("1-iodobutane", "CCCCI", "bp 130"), ("1,2-dibromoethane", "BrCCBr", "bp 131"),
           ("chlorocyclohexane", "ClC1CCCCC1", "bp 142"), ("bromocyclohexane", "BrC1CCCCC1", "bp 166"),
           ("(chloromethyl)benzene (benzyl chloride)", "ClCc1ccccc1", "bp 179"),
           ("(bromomethyl)benzene (benzyl bromide)", "BrCc1ccccc1", "bp 198")]),
    570: ("Haloarenes",
          "Haloarenes: the halogen is shown by the elemental analysis and, for chlorine and bromine, by M + 2 peaks; "
          "aromatic bands in the infrared and aromatic protons at 7 to 7.6 ppm. Unreactive to silver nitrate and "
          "sodium iodide. Derivatives: nitration product, and acid formed by oxidation of side chains.",
          [("fluorobenzene", "Fc1ccccc1", "bp 85"), ("chlorobenzene", "Clc1ccccc1", "bp 132"),
           ("bromobenzene", "Brc1ccccc1", "bp 156"), ("2-chlorotoluene", "Cc1ccccc1Cl", "bp 159"),
           ("4-chlorotoluene", "Cc1ccc(Cl)cc1", "bp 162"), ("1,3-dichlorobenzene", "Clc1cccc(Cl)c1", "bp 173"),
           ("1,2-dichlorobenzene", "Clc1ccccc1Cl", "bp 180"), ("iodobenzene", "Ic1ccccc1", "bp 188"),
           ("1-chloronaphthalene", "Clc1cccc2ccccc12", "bp 259"), ("1-bromonaphthalene", "Brc1cccc2ccccc12", "bp 281"),
           ("4-bromotoluene", "Cc1ccc(Br)cc1", "mp 28"), ("1,4-dichlorobenzene", "Clc1ccc(Cl)cc1", "mp 53"),
           ("1-chloro-4-nitrobenzene", "O=[N+]([O-])c1ccc(Cl)cc1", "mp 83"),
           ("1,4-dibromobenzene", "Brc1ccc(Br)cc1", "mp 87")]),
    575: ("Ketones",
          "Ketones: C=O near 1715 cm-1 (1690 when conjugated, 1745 in cyclopentanone); no aldehyde C-H bands; protons "
          "next to C=O at 2.1 to 2.6 ppm; carbonyl carbon at 195 to 220 ppm. Positive 2,4-dinitrophenylhydrazine "
          "test, negative Tollens' and Schiff's tests; methyl ketones give iodoform. Derivatives: "
          "2,4-dinitrophenylhydrazone, semicarbazone, oxime.",
          [("propanone (acetone)", "CC(C)=O", "bp 56"), ("butanone", "CCC(C)=O", "bp 80"),
           ("3-methylbutan-2-one", "CC(C)C(C)=O", "bp 94"), ("pentan-2-one", "CCCC(C)=O", "bp 102"),
           ("pentan-3-one", "CCC(=O)CC", "bp 102"), ("4-methylpentan-2-one", "CC(C)CC(C)=O", "bp 117"),
           ("hexan-2-one", "CCCCC(C)=O", "bp 128"), ("cyclopentanone", "O=C1CCCC1", "bp 131"),
           ("pentane-2,4-dione", "CC(=O)CC(C)=O", "bp 140"), ("cyclohexanone", "O=C1CCCCC1", "bp 156"),
           ("1-phenylethanone (acetophenone)", "CC(=O)c1ccccc1", "bp 202"),
           ("1-phenylpropan-2-one", "CC(=O)Cc1ccccc1", "bp 216"), ("1-phenylpropan-1-one", "CCC(=O)c1ccccc1", "bp 218"),
           ("1-(4-methylphenyl)ethanone", "CC(=O)c1ccc(C)cc1", "bp 226"),
           ("diphenylmethanone (benzophenone)", "O=C(c1ccccc1)c1ccccc1", "mp 48"),
           ("1,2-diphenylethanedione (benzil)", "O=C(C(=O)c1ccccc1)c1ccccc1", "mp 95"),
           ("camphor", "CC1(C)C2CCC1(C)C(=O)C2", "mp 176")]),
    580: ("Nitro compounds",
          "Nitro compounds: two strong bands near 1550 and 1350 cm-1; nitrogen in the elemental analysis; often "
          "yellow. Positive ferrous hydroxide test. Derivative: reduction product (the amine), identified in turn.",
          [("nitromethane", "C[N+](=O)[O-]", "bp 101"), ("nitroethane", "CC[N+](=O)[O-]", "bp 114"),
           ("2-nitropropane", "CC(C)[N+](=O)[O-]", "bp 120"), ("1-nitropropane", "CCC[N+](=O)[O-]", "bp 131"),
           ("nitrobenzene", "O=[N+]([O-])c1ccccc1", "bp 211"), ("2-nitrotoluene", "Cc1ccccc1[N+](=O)[O-]", "bp 222"),
           ("3-nitrotoluene", "Cc1cccc([N+](=O)[O-])c1", "bp 232"),
           ("4-nitrotoluene", "Cc1ccc([N+](=O)[O-])cc1", "mp 52"),
           ("1-methoxy-4-nitrobenzene", "COc1ccc([N+](=O)[O-])cc1", "mp 54"),
           ("1-nitronaphthalene", "O=[N+]([O-])c1cccc2ccccc12", "mp 61"),
           ("1-chloro-4-nitrobenzene", "O=[N+]([O-])c1ccc(Cl)cc1", "mp 83"),
           ("1,3-dinitrobenzene", "O=[N+]([O-])c1cccc([N+](=O)[O-])c1", "mp 90")]),
    585: ("Phenols",
          "Phenols: broad O-H near 3300 cm-1 with aromatic bands; OH proton at 4 to 8 ppm; ring carbon bearing OH at "
          "150 to 160 ppm. Soluble in sodium hydroxide but not in sodium hydrogencarbonate (unless strongly "
          "substituted with nitro groups). Violet or other colours with ferric chloride; decolourise bromine water "
          "with a white precipitate. Derivatives: brominated product, aryloxyacetic acid, phenylurethane, "
          "1-naphthylurethane.",
          [("2-chlorophenol", "Oc1ccccc1Cl", "bp 175"), ("3-methylphenol", "Cc1cccc(O)c1", "bp 202"),
           ("2-methoxyphenol (guaiacol)", "COc1ccccc1O", "bp 205"), ("2,4-dimethylphenol", "Cc1ccc(O)c(C)c1", "bp 211"),
           ("2-methylphenol", "Cc1ccccc1O", "mp 31"), ("4-methylphenol", "Cc1ccc(O)cc1", "mp 35"),
           ("phenol", "Oc1ccccc1", "mp 41"), ("4-chlorophenol", "Oc1ccc(Cl)cc1", "mp 43"),
           ("2-nitrophenol", "Oc1ccccc1[N+](=O)[O-]", "mp 45"),
           ("2-isopropyl-5-methylphenol (thymol)", "Cc1ccc(C(C)C)c(O)c1", "mp 50"),
           ("4-bromophenol", "Oc1ccc(Br)cc1", "mp 64"), ("2,4,6-trichlorophenol", "Oc1c(Cl)cc(Cl)cc1Cl", "mp 67"),
           ("1-naphthol", "Oc1cccc2ccccc12", "mp 96"), ("4-tert-butylphenol", "CC(C)(C)c1ccc(O)cc1", "mp 99"),
           ("benzene-1,2-diol (catechol)", "Oc1ccccc1O", "mp 105"), ("benzene-1,3-diol (resorcinol)", "Oc1cccc(O)c1", "mp 110"),
           ("4-nitrophenol", "Oc1ccc([N+](=O)[O-])cc1", "mp 114"), ("2-naphthol", "Oc1ccc2ccccc2c1", "mp 122"),
           ("benzene-1,4-diol (hydroquinone)", "Oc1ccc(O)cc1", "mp 172")]),
}


def nominal_mass(mol):
    """Mass of the molecular ion made of each element's most common isotope."""
    table = Chem.GetPeriodicTable()
    mol = Chem.AddHs(mol)
    return sum(table.GetMostCommonIsotope(atom.GetAtomicNum()) for atom in mol.GetAtoms())


def formula(mol):
    # Neutral zwitterionic nitro groups leave no charge in the formula.
    return rdMolDescriptors.CalcMolFormula(mol)


def sort_key(entry):
    kind, value = entry[2].split()
    return (0 if kind == "bp" else 1, int(value), entry[0])


def topic_text(title, intro, rows):
    lines = [f"Table of compounds: {title}", "", intro, "",
             "Liquids by boiling point, then solids by melting point (°C); formula; nominal molecular mass M.", ""]
    for name, smiles, constant in sorted(rows, key=sort_key):
        mol = Chem.MolFromSmiles(smiles)
        if mol is None:
            raise ValueError(f"{title}: cannot read the structure of {name}")
        kind, value = constant.split()
        lines.append(f"{kind} {value}   {name}   {formula(mol)}   M {nominal_mass(mol)}")
    return "\n".join(lines) + "\n"


def main():
    os.makedirs(HELP_DIR, exist_ok=True)
    for topic, (title, intro, rows) in TABLES.items():
        with open(os.path.join(HELP_DIR, f"topic{topic}.txt"), "w", encoding="utf-8") as f:
            f.write(topic_text(title, intro, rows))


if __name__ == "__main__":
    main()
