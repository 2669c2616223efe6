#!/usr/bin/python3
"""Makes dist/tundrel.png, the desktop icon, from the game's own unit art."""
from pathlib import Path
from PIL import Image

root = Path(__file__).resolve().parent.parent
units = Image.open(root / "data/GameData/units.png").convert("RGBA")
child = units.crop((0, 0, 64, 64))
snowball = units.crop((448, 0, 512, 64)).resize((40, 40), Image.LANCZOS)

# The player's side wears red in the game; the icon's child does too.
r, g, b, a = child.split()
child = Image.merge("RGBA", (r.point(lambda v: min(255, v * 3 // 2)), g, b, a))

icon = Image.new("RGBA", (64, 64), (0, 0, 0, 0))
icon.alpha_composite(snowball, (24, 0))
icon.alpha_composite(child, (0, 0))
icon.save(root / "dist/tundrel.png")
