"""Makes the page's Japanese face from IPAPGothic: every character the font maps (a player's
table may name a power with any of them) and its composition rules, without what a page
that draws only horizontal text never uses: the bytecode hinting (nearly half the file),
the vertical forms and metrics, and the glyph names. The IPA Font License asks a changed
font to carry a name of its own, so the face is renamed.

Usage: make-font.py IPAGP_TTF OUTPUT_TTF
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Combat Sheet Gothic"
POSTSCRIPT = "CombatSheetGothic-Regular"


def main(source, output):
    options = subset.Options()
    options.layout_features = ["ccmp"]
    options.hinting = False
    options.glyph_names = False
    options.drop_tables += ["vhea", "vmtx"]
    options.name_IDs = [0, 13, 14]  # the copyright and the licence stay as they are
    options.name_languages = ["*"]
    # The source's own dates are kept, so that two builds give the same bytes.
    font = TTFont(source, recalcTimestamp=False)
    version = font["head"].fontRevision
    characters = set(font.getBestCmap())
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=characters)
    subsetter.subset(font)
    lost = characters - set(font.getBestCmap())
    if lost:
        sys.exit(f"make-font.py: {len(lost)} characters lost, U+{min(lost):04X} the first")

    names = font["name"]
    described = {
        1: FAMILY,
        2: "Regular",
        3: f"{FAMILY} {version:.2f}",
        4: FAMILY,
        5: f"Version {version:.2f}",
        6: POSTSCRIPT,
        10: "Derived from IPAPGothic 003.03 for the combat sheet's web page: hinting, "
        "vertical forms and glyph names removed.",
    }
    for name_id, text in described.items():
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    font.save(output, reorderTables=True)


if __name__ == "__main__":
    main(*sys.argv[1:])
