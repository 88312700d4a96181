#!/usr/bin/python3
"""Subsets of the two CJK families the Qt window uses, for the web page.

Each subset holds only the characters the window shows in that face, as
listed by the web build's glyph program ("family|weight|characters" lines).
It is a modified font under the SIL Open Font License, so it carries a
family name of its own (the originals' names are reserved or trademarks)
and keeps the copyright and licence records. Writes CSS @font-face rules
with the WOFF2 data inlined.

  subset_fonts.py --glyphs glyphs.txt --out fonts.css --licence fonts-licence.txt
"""
import argparse
import base64
import io
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

FONT_DIR = "/usr/share/fonts/opentype/noto"
# (CSS family, weight): the collection and the family inside it.
SOURCES = {
    ("Sorbel Sans", 400): ("NotoSansCJK-Regular.ttc", "Noto Sans CJK SC"),
    ("Sorbel Sans", 700): ("NotoSansCJK-Bold.ttc", "Noto Sans CJK SC"),
    ("Sorbel Serif", 400): ("NotoSerifCJK-Regular.ttc", "Noto Serif CJK SC"),
}
KEPT_NAMES = {0, 13, 14}  # copyright, licence, licence address
# Debian's copyright file of the fonts holds the licence's text.
COPYRIGHT = "/usr/share/doc/fonts-noto-cjk/copyright"


def licence_text():
    """The SIL Open Font License 1.1 as Debian's copyright file gives it."""
    with open(COPYRIGHT, encoding="utf-8") as f:
        paragraph = f.read().split("\nLicense: SIL-1.1\n", 2)[-1].split("\n\n")[0]
    lines = [line[1:] if line.startswith(" ") else line for line in paragraph.splitlines()]
    text = "\n".join("" if line == "." else line for line in lines)
    if "SIL OPEN FONT LICENSE Version 1.1" not in text:
        sys.exit(f"subset_fonts.py: no SIL Open Font License 1.1 in {COPYRIGHT}")
    return text


def font_named(collection, family):
    for font in TTCollection(f"{FONT_DIR}/{collection}").fonts:
        if font["name"].getDebugName(1) == family:
            return font
    sys.exit(f"subset_fonts.py: {family} not found in {FONT_DIR}/{collection}")


def rename(font, family, weight):
    style = "Bold" if weight == 700 else "Regular"
    postscript = family.replace(" ", "") + "-" + style
    names = font["name"]
    names.names = [n for n in names.names if n.nameID in KEPT_NAMES]
    for name_id, value in {1: family, 2: style, 3: postscript, 4: f"{family} {style}",
                           6: postscript}.items():
        names.setName(value, name_id, 3, 1, 0x409)
    # A CFF font carries its names inside too.
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [postscript]
        top = cff.topDictIndex[0]
        for key, value in (("FullName", f"{family} {style}"), ("FamilyName", family)):
            if hasattr(top, key):
                setattr(top, key, value)


def woff2(collection, family, name, weight, chars):
    font = font_named(collection, family)
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = sorted(KEPT_NAMES)
    options.desubroutinize = True
    # The page is written across and in Simplified Chinese, the face's own
    # forms: the other languages' forms (locl) and vertical writing's would
    # double the glyphs. Half-width punctuation (halt) ends the captions.
    vertical = {"vert", "vrt2", "vkrn", "vpal", "valt", "vjmo"}
    options.layout_features = [f for f in options.layout_features
                               if f != "locl" and f not in vertical] + ["halt"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in chars])
    subsetter.subset(font)
    rename(font, name, weight)
    font.flavor = "woff2"
    font.recalcTimestamp = False  # the original's times, not the build's
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--glyphs", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--licence", required=True)
    args = parser.parse_args()
    notices = []
    rules = []
    with open(args.glyphs, encoding="utf-8") as f:
        faces = [line.rstrip("\n").split("|", 2) for line in f if line.strip()]
    for name, weight, text in faces:
        weight = int(weight)
        if (name, weight) not in SOURCES:
            sys.exit(f"subset_fonts.py: no font for {name} {weight}")
        collection, family = SOURCES[(name, weight)]
        chars = sorted(set(text))
        data = base64.b64encode(woff2(collection, family, name, weight, chars)).decode()
        copyright = font_named(collection, family)["name"].getDebugName(0)
        notices.append(f"{name} {weight}: a subset of {family} ({collection}), {copyright}")
        rules.append(f'@font-face {{ font-family: "{name}"; font-weight: {weight}; '
                     f'src: url(data:font/woff2;base64,{data}) format("woff2"); }}')
    with open(args.out, "w", encoding="utf-8") as f:
        f.write("\n".join(rules) + "\n")
    with open(args.licence, "w", encoding="utf-8") as f:
        f.write("\n".join(notices) + "\n\n" + licence_text() + "\n")


if __name__ == "__main__":
    main()
