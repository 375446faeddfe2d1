#!/usr/bin/python3
"""Writes the student program's pictures, cursors, icon and sounds under resources/.

Run from anywhere: /usr/bin/python3 tools/resgen/generate.py
The output is deterministic (fixed seeds, no time stamps), so re-running it
leaves the files unchanged.

Sizes follow the windows that show them:
  bitmaps 101 / 102   7 x 7 and 32 x 32: the start window's small picture
                      (100 x 100 twips) and its enlargement (480 x 485 twips)
  bitmaps 103-127     120 x 100: reward pictures in the progress report's right margin
  bitmaps 201-206     52 x 120: tip pictures left of the tip text
  cursors 101, 102    32 x 32 with transparency, hot spot at the centre
  icon 1              48 x 48 with transparency
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import lab  # noqa: E402
import scenes  # noqa: E402
import small  # noqa: E402
import sounds  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
RESOURCES = os.path.join(ROOT, "resources")

REWARDS = [
    scenes.lake_dawn, lab.benzene, scenes.mount_orvan, lab.reflux, lab.nmr_ethyl,
    scenes.tessa_valley, lab.ir_ketone, lab.separating_funnel, scenes.harbour_sunset, lab.crystals,
    lab.ms_chlorine, scenes.darrow_forest, lab.distillation, lab.ethanol_model, scenes.winter_night,
    lab.colour_tests, scenes.lighthouse, lab.silver_mirror, scenes.sunflowers, lab.aspirin,
    scenes.university, lab.cmr_lines, lab.vanillin, scenes.tessa_falls, scenes.fireworks,
]


def save_png(image, folder, name, keep_alpha=False):
    os.makedirs(folder, exist_ok=True)
    if not keep_alpha:
        image = image.convert("RGB")
    image.save(os.path.join(folder, name), format="PNG", optimize=True)


def main():
    bitmaps = os.path.join(RESOURCES, "bitmaps")
    save_png(scenes.kordavia(32).resize((7, 7), resample=1), bitmaps, "101.png")
    save_png(scenes.kordavia(32), bitmaps, "102.png")
    assert len(REWARDS) == 25
    for number, draw in enumerate(REWARDS, start=103):
        save_png(draw(), bitmaps, f"{number}.png")
    for number, draw in enumerate(small.TIP_PICTURES, start=201):
        save_png(draw(), bitmaps, f"{number}.png")

    cursors = os.path.join(RESOURCES, "cursors")
    save_png(small.cursor_magnifier(), cursors, "101.png", keep_alpha=True)
    save_png(small.cursor_question(), cursors, "102.png", keep_alpha=True)
    save_png(small.icon_flask(), os.path.join(RESOURCES, "icons"), "1.png", keep_alpha=True)

    sound_dir = os.path.join(RESOURCES, "sounds")
    os.makedirs(sound_dir, exist_ok=True)
    for name, data in sorted(sounds.all_sounds().items()):
        with open(os.path.join(sound_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
