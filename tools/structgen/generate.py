#!/usr/bin/python3
"""Writes the structure builder's pictures into resources/bitmaps/:
400 the start picture, the skeletons of the base structures (with the
letters X, Y and Z where the substituents join) and their variants, and the
substituent fragments 501..589. Sizes and the places where fragments meet a
skeleton come from the builder's own tables (structure/*.cpp).

Run: /usr/bin/python3 tools/structgen/generate.py   (deterministic output)
     /usr/bin/python3 tools/structgen/generate.py --check
       compares the pictures in resources/bitmaps/ with what the tables give
       now (pixel by pixel) and lists the ones that differ, and that every
       fragment hides the slot letter it is placed on; exit status 1 otherwise.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from PIL import Image  # noqa: E402

import fragments  # noqa: E402
import skeletons  # noqa: E402
import tables  # noqa: E402

OUT = os.path.join(tables.ROOT, "resources", "bitmaps")


CHECK = "--check" in sys.argv[1:]
STALE = []


def save(img, bitmap):
    path = os.path.join(OUT, f"{bitmap}.png")
    if CHECK:
        try:
            old = Image.open(path)
            same = old.size == img.size and list(old.convert(img.mode).getdata()) == list(img.getdata())
        except OSError:
            same = False
        if not same:
            STALE.append(bitmap)
        return
    img.save(path, format="PNG", optimize=True)


def main():
    frags = tables.fragments()
    for bitmap, (w, h, _) in sorted(frags.items()):
        if bitmap >= 500:
            save(fragments.draw(bitmap, w, h), bitmap)
    bases = tables.bases()
    for b in bases:
        save(skeletons.draw(b, frags), b.bitmap)
    for bitmap, (w, h, _) in sorted(frags.items()):
        if bitmap < 500:
            save(skeletons.draw_variant(bitmap, w, h), bitmap)
    save(skeletons.start_picture(), 400)
    if CHECK:
        uncovered = skeletons.uncovered_letters(bases, frags)
        for where in uncovered:
            print("slot letter not hidden by its fragment:", where)
        if uncovered:
            sys.exit(1)
    if STALE:
        print("pictures that differ from the tables:", " ".join(map(str, STALE)))
        sys.exit(1)


if __name__ == "__main__":
    main()
