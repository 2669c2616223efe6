#!/usr/bin/python3
# tundrel-tool mission render as a mission maker uses it: a shipped mission becomes a picture of
# its battlefield with terrain and both sides; a broken mission or a missing --out is refused.
import os
import shutil
import subprocess
import sys
import tempfile

from PIL import Image


def main():
    tool, data = sys.argv[1], sys.argv[2]
    mission = os.path.join(data, "Maps", "04 Rzeka.tlm")
    work = tempfile.mkdtemp(prefix="tundrel-render-")
    out = os.path.join(work, "rzeka.png")
    subprocess.run([tool, "mission", "render", mission, "--out", out, "--size", "640x360"], check=True)
    picture = Image.open(out).convert("RGB")
    assert picture.size == (640, 360), picture.size
    colours = list(picture.getdata())
    share = {
        "snow": sum(1 for r, g, b in colours if min(r, g, b) > 200) / len(colours),
        "water": sum(1 for r, g, b in colours if b > 100 and b - r > 60 and g - r > 20) / len(colours),
        "player": sum(1 for r, g, b in colours if r > 180 and r - g > 70 and abs(g - b) < 25) / len(colours),
        "computer": sum(1 for r, g, b in colours if b - r > 60 and abs(r - g) < 10 and r > 60) / len(colours),
    }
    # The river runs between the two sides; four children stand on each bank.
    wanted = {"snow": 0.3, "water": 0.1, "player": 0.002, "computer": 0.002}
    missing = [name for name, least in wanted.items() if share[name] < least]
    if missing:
        print(f"render: too little {', '.join(missing)} in {out}: {share}")
        return 1

    broken = os.path.join(work, "broken.tlm")
    with open(broken, "w") as f:
        f.write("<map><matrix>...</matrix></map>")
    refused = subprocess.run([tool, "mission", "render", broken, "--out", out, "--gamedata",
                              os.path.join(data, "GameData")], capture_output=True, text=True)
    no_out = subprocess.run([tool, "mission", "render", mission], capture_output=True, text=True)
    if refused.returncode != 1 or "Misja nie zawiera listy obiektów." not in refused.stderr or no_out.returncode != 1:
        print("render: a broken mission or a missing --out was not refused:", refused, no_out)
        return 1
    print("render: passed", share)
    shutil.rmtree(work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
