#!/usr/bin/python3
# Regenerates data/GameData: the sprite sheets, the title picture, Sprites.xml and Fonts.xml.
import os
import sys

import terrain
import title
import units

SPRITES = [
    # (id, file, image side, frame side)
    (1, "terrain.png", terrain.T * 4, terrain.T),
    (2, "units.png", units.F * 8, units.F),
    (100, "title.png", title.SIDE, title.SIDE),
]

# DejaVu Sans comes with the setup script. At 12 pixels a line fits the console's 12-pixel rows and
# sits comfortably in the mission list's 16-pixel rows.
FONTS = [(0, "DejaVu Sans", False, 12)]


def sprites_xml():
    out = ['<?xml version="1.0" encoding="windows-1250"?>', "<sprites>"]
    for sid, name, size, frame in SPRITES:
        out += ["  <sprite>", f"    <id>{sid}</id>", f"    <file>{name}</file>", f"    <size>{size}</size>",
                f"    <sprite-size>{frame}</sprite-size>", "    <color-key>0</color-key>", "  </sprite>"]
    return "\r\n".join(out + ["</sprites>", ""])


def fonts_xml():
    out = ['<?xml version="1.0" encoding="windows-1250"?>', "<fonts>"]
    for fid, name, bold, size in FONTS:
        out += ["  <font>", f"    <id>{fid}</id>", f"    <name>{name}</name>",
                f"    <bold>{'true' if bold else 'false'}</bold>", f"    <size>{size}</size>", "  </font>"]
    return "\r\n".join(out + ["</fonts>", ""])


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    images = {"terrain.png": terrain.sheet(), "units.png": units.sheet(), "title.png": title.picture()}
    for sid, name, size, frame in SPRITES:
        img = images[name]
        assert img.size == (size, size), name
        img.save(os.path.join(out_dir, name), optimize=True)
    with open(os.path.join(out_dir, "Sprites.xml"), "wb") as f:
        f.write(sprites_xml().encode("cp1250"))
    with open(os.path.join(out_dir, "Fonts.xml"), "wb") as f:
        f.write(fonts_xml().encode("cp1250"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data", "GameData"))
