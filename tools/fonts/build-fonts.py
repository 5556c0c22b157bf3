#!/usr/bin/python3
"""Builds the course fonts into a data folder.

phontm.ttf: the family "PhoneticTM" (regular and bold in one collection), DejaVu Sans
whose character map sends the ASCII transcription codes of the course to DejaVu's
phonetic glyphs; only the character map and the names change.
georgia.ttf, georgiab.ttf: DejaVu Serif and DejaVu Serif Bold unchanged, under their
own names; the program maps the family "Georgia" onto them.

usage: build-fonts.py DEJAVU_DIR OUT_DIR
"""
import os
import shutil
import sys

from fontTools.ttLib import TTFont
from fontTools.ttLib.ttCollection import TTCollection

# Transcription code -> the phonetic character whose glyph it shows. Letters not
# listed (p b t d k g f v s z h m n l r j w a u i e ...) keep their own glyphs.
CODES = {
    "A": 0x028C,  # ʌ
    "O": 0x0254,  # ɔ
    "I": 0x026A,  # ɪ
    "x": 0x00E6,  # æ
    "q": 0x0259,  # ə
    "F": 0x025B,  # ɛ
    "S": 0x0283,  # ʃ
    "Z": 0x0292,  # ʒ
    "T": 0x03B8,  # θ
    "D": 0x00F0,  # ð
    "N": 0x014B,  # ŋ
    ":": 0x02D0,  # ː
    "'": 0x02C8,  # ˈ
}

FAMILY = "PhoneticTM"
DESCRIPTION = ("PhoneticTM is DejaVu Sans with a character map that draws the "
               "transcription codes of the Lexitar course as phonetic symbols. "
               "It is a modified copy and is renamed as the DejaVu and Bitstream "
               "Vera licence requires; the licence below applies unchanged.")


def remap(font):
    best = font.getBestCmap()
    glyphs = {}
    for code, target in CODES.items():
        if target not in best:
            raise SystemExit(f"build-fonts: the source font has no glyph for U+{target:04X}")
        glyphs[ord(code)] = best[target]
    for table in font["cmap"].tables:
        if table.isUnicode() or table.platformID == 1:
            for code, glyph in glyphs.items():
                table.cmap[code] = glyph


def rename(font, bold):
    style = "Bold" if bold else "Regular"
    full = FAMILY + (" Bold" if bold else "")
    postscript = FAMILY + ("-Bold" if bold else "")
    version = font["name"].getDebugName(5) or ""
    values = {
        1: FAMILY,
        2: style,
        3: f"{postscript}; derived from DejaVu Sans {version}".strip(),
        4: full,
        6: postscript,
        10: DESCRIPTION,
    }
    name = font["name"]
    # Names that still say DejaVu as a family go; copyright and licence records stay.
    name.names = [r for r in name.names if r.nameID not in (16, 17, 18, 21, 22)]
    for rec in name.names:
        if rec.nameID in values:
            rec.string = values[rec.nameID]
    for nid, value in values.items():
        if name.getName(nid, 3, 1, 0x409) is None:
            name.setName(value, nid, 3, 1, 0x409)


def phonetic(path, bold):
    font = TTFont(path)
    remap(font)
    rename(font, bold)
    return font


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: build-fonts.py DEJAVU_DIR OUT_DIR")
    src, out = sys.argv[1], sys.argv[2]
    files = {n: os.path.join(src, n) for n in
             ("DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf")}
    for path in files.values():
        if not os.path.isfile(path):
            raise SystemExit(f"build-fonts: {path} is missing; install fonts-dejavu-core")

    collection = TTCollection()
    collection.fonts = [phonetic(files["DejaVuSans.ttf"], False),
                        phonetic(files["DejaVuSans-Bold.ttf"], True)]
    tmp = os.path.join(out, "phontm.ttf.tmp")
    collection.save(tmp)
    os.replace(tmp, os.path.join(out, "phontm.ttf"))

    for source, target in (("DejaVuSerif.ttf", "georgia.ttf"), ("DejaVuSerif-Bold.ttf", "georgiab.ttf")):
        tmp = os.path.join(out, target + ".tmp")
        shutil.copyfile(files[source], tmp)
        os.replace(tmp, os.path.join(out, target))

    licence = "/usr/share/doc/fonts-dejavu-core/copyright"
    if os.path.isfile(licence):
        tmp = os.path.join(out, "fonts-licence.txt.tmp")
        with open(licence, encoding="utf-8") as f:
            text = f.read()
        header = ("phontm.ttf (PhoneticTM) is a modified copy of DejaVu Sans; georgia.ttf and\n"
                  "georgiab.ttf are DejaVu Serif and DejaVu Serif Bold, unchanged.\n"
                  "The DejaVu fonts' licence follows.\n\n")
        with open(tmp, "w", encoding="utf-8", newline="\r\n") as f:
            f.write(header + text)
        os.replace(tmp, os.path.join(out, "fonts-licence.txt"))


if __name__ == "__main__":
    main()
