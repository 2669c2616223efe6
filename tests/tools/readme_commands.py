#!/usr/bin/python3
"""Runs every tool command the README shows, as written, from the checkout's top folder: each
`scripts/tool ...` span with its placeholders filled in must succeed and say something."""
import os
import re
import subprocess
import sys
import tempfile

root = sys.argv[1]
with open(os.path.join(root, "README.md"), encoding="utf-8") as f:
    readme = f.read()
commands = sorted(set(re.findall(r"`(scripts/tool [^`]*)`", readme)))

with tempfile.TemporaryDirectory() as tmp:
    recording = os.path.join(tmp, "game.tlr")
    with open(recording, "w") as out:
        out.write("tundrel-orders 1\nmission data/Maps/04 Rzeka.tlm\nseed 1\nframe 0.5\nframe 0.5\n")
    fills = {
        "RECORDING": [recording],
        "MISSION": ["data/Maps/04 Rzeka.tlm"],
        "SCRIPT": ["data/Maps/solutions/04 Rzeka.txt"],
        "ARGUMENTS": ["--help"],
        "PATH": ["data/GameData"],
        "NAME": ["Sprites.xml"],
        "FILE": ["data/Maps/04 Rzeka.tlm"],
        "FILE...": ["data/Maps/04 Rzeka.tlm", "data/Maps/10 Wielka bitwa.tlm"],
        "N": ["3"],
        "S": ["0.02"],
        "T": ["20"],
        "PNG": [os.path.join(tmp, "map.png")],
        "WxH": ["320x200"],
    }
    failures = []
    for command in commands:
        words = command.replace("[", " ").replace("]", " ").split()
        argv = [filled for word in words for filled in fills.get(word, [word])]
        if os.path.exists(fills["PNG"][0]):
            os.remove(fills["PNG"][0])
        run = subprocess.run(argv, cwd=root, capture_output=True, timeout=300)
        said = run.stdout or (os.path.exists(fills["PNG"][0]) and "--out" in argv)
        print(f"{'ok  ' if run.returncode == 0 and said else 'FAIL'} {command}")
        if run.returncode != 0 or not said:
            failures.append(command)
            sys.stderr.write(run.stderr.decode(errors="replace"))
if len(commands) < 6:
    failures.append(f"only {len(commands)} tool commands found in README.md")
for failure in failures:
    print("failed:", failure)
sys.exit(1 if failures else 0)
