#!/usr/bin/python3
"""web/subset-font.py FONT LICENSE OUT-FONT OUT-LICENSE: the page's font, cut down to the printable
ASCII characters, the only ones the game draws (tests/web/font.test.mjs checks the game's texts),
with its hinting and kerning as they are, so that it draws the same pixels. A modified font may
not carry the name its license reserves, Liberation: the cut font is Zentor Sans, and the license
ships beside it with a line that says what was changed."""

import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Zentor Sans"
CHARACTERS = range(0x20, 0x7F)


def main(font_path, license_path, out_font, out_license):
    # The font's box as it was: the renderer may read it for the lines' heights.
    font = TTFont(font_path, recalcBBoxes=False)
    original = f'{font["name"].getDebugName(4)} ({font["name"].getDebugName(5)})'
    options = subset.Options()
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6]
    options.recalc_bounds = False
    options.drop_tables += ["FFTM"]
    # The kerning of text of no particular script is in the legacy table alone.
    options.legacy_kern = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=CHARACTERS)
    subsetter.subset(font)
    style = font["name"].getDebugName(2)
    names = {1: FAMILY, 3: f"{FAMILY} {style}", 4: f"{FAMILY} {style}",
             6: f"{FAMILY.replace(' ', '')}-{style}"}
    for record in font["name"].names:
        if record.nameID in names:
            record.string = names[record.nameID]
    font.save(out_font)
    with open(license_path, encoding="utf-8") as license_file:
        text = license_file.read()
    with open(out_license, "w", encoding="utf-8") as out:
        out.write(f"{FAMILY} is {original} cut down to the characters U+0020 to U+007E and "
                  "renamed; its glyphs, hinting and kerning are unchanged.\n\n" + text)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit("usage: subset-font.py FONT LICENSE OUT-FONT OUT-LICENSE")
    main(*sys.argv[1:])
