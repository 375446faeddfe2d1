#!/usr/bin/python3
"""Writes the structure builder's pictures into resources/bitmaps/:
400 the start picture, the skeletons of the base structures (with the
letters X, Y and Z where the substituents join) and their variants, and the
substituent fragments 501..589. Sizes and the places where fragments meet a
skeleton come from the builder's own tables (structure/*.cpp).

Run: /usr/bin/python3 tools/structgen/generate.py   (deterministic output)
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import fragments  # noqa: E402
import skeletons  # noqa: E402
import tables  # noqa: E402

OUT = os.path.join(tables.ROOT, "resources", "bitmaps")


def save(img, bitmap):
    img.save(os.path.join(OUT, f"{bitmap}.png"), format="PNG", optimize=True)


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


if __name__ == "__main__":
    main()
