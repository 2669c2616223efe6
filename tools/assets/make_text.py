#!/usr/bin/python3
# Regenerates the Windows-1250 text files: the campaign's data/Maps/*.tlm and data/Readme.txt.
import os
import sys
from xml.sax.saxutils import escape

from missions import MISSIONS

UNITS = {"b": ("boy", 0), "g": ("girl", 0), "c": ("child", 0), "B": ("boy", 1), "G": ("girl", 1), "C": ("child", 1)}
WALKABLE = set(".^_/,") | set(UNITS)


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def mission_xml(m):
    rows = m["map"].strip("\n").split("\n")
    width = len(rows[0])
    for n, row in enumerate(rows, 1):
        if len(row) != width:
            raise SystemExit(f"{m['file']}: row {n} is {len(row)} wide, not {width}")
    units = []
    for r, row in enumerate(rows):
        for c, ch in enumerate(row):
            if ch in UNITS:
                units.append((ch, c, r))
    for c, r in m.get("buried", []):
        if rows[r][c] not in UNITS:
            raise SystemExit(f"{m['file']}: no unit at ({c}, {r}) to bury")
    if not any(UNITS[u[0]][1] == 0 for u in units) or not any(UNITS[u[0]][1] != 0 for u in units):
        raise SystemExit(f"{m['file']}: both sides need units")
    # The view opens over the middle of everyone, so both sides are on screen where the map allows.
    cam_x = sum(c for _, c, _ in units) / len(units)
    cam_y = sum(r for _, _, r in units) / len(units)
    # Units stand on deep snow, so they can throw from the first second; a mission may start either
    # side elsewhere.
    def ground(ch):
        if ch not in UNITS:
            return ch
        return m.get("player_under", "^") if UNITS[ch][1] == 0 else m.get("enemy_under", "^")
    matrix = ["".join(ground(ch) for ch in row) for row in rows]
    out = ['<?xml version="1.0" encoding="windows-1250"?>', "<map>", f"  <text>{escape(m['text'])}</text>",
           f'  <camera x="{cam_x:g}" y="{cam_y:g}"/>']
    if "rect" in m:
        left, top, w, h = m["rect"]
        if left < 0 or top < 0 or left + w > width or top + h > len(rows):
            raise SystemExit(f"{m['file']}: the target area leaves the map")
        if any(rows[r][c] not in WALKABLE for r in range(top, top + h) for c in range(left, left + w)):
            raise SystemExit(f"{m['file']}: the target area holds cells no child can stand on")
        out.append(f'  <rect left="{left}" top="{top}" width="{w}" height="{h}"/>')
    out.append("  <matrix>")
    out += ["    " + row for row in matrix]
    out += ["  </matrix>", "  <objects>"]
    levels = m.get("levels", {})
    for ch, c, r in units:
        kind, team = UNITS[ch]
        attrs = f'type="{kind}" team="{team}" x="{c}" y="{r}" level="{levels.get(ch, 1)}"'
        if (c, r) in m.get("buried", []):
            attrs += ' zakopany="true"'
        out.append(f"    <unit {attrs}/>")
    out += ["  </objects>", "</map>", ""]
    return crlf("\n".join(out))


def solution_script(m):
    """The mission's scripted solution as a script of orders by time: the orders given once, and
    the orders a watchful player repeats (a burial asked for every few seconds starts as soon as
    its enemy is down, and is dropped at once while he stands)."""
    solution = m["solution"]
    entries = {}
    for at, orders in solution.get("orders", []):
        entries.setdefault(float(at), []).extend(orders)
    for start, stop, period, orders in solution.get("repeat", []):
        at = float(start)
        while at <= stop:
            entries.setdefault(at, []).extend(orders)
            at += period
    lines = ["tundrel-orders 1"] + ["# " + line for line in solution["comment"].split("\n")]
    for at in sorted(entries):
        lines.append(f"at {at:g}")
        lines += entries[at]
    return "\n".join(lines) + "\n"


def main(data_dir):
    maps = os.path.join(data_dir, "Maps")
    solutions = os.path.join(maps, "solutions")
    os.makedirs(solutions, exist_ok=True)
    for m in MISSIONS:
        with open(os.path.join(maps, m["file"] + ".tlm"), "wb") as f:
            f.write(mission_xml(m).encode("cp1250"))
        if "solution" in m:
            with open(os.path.join(solutions, m["file"] + ".txt"), "wb") as f:
                f.write(solution_script(m).encode("cp1250"))
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "Readme.pl.txt"), encoding="utf-8") as f:
        readme = f.read()
    with open(os.path.join(data_dir, "Readme.txt"), "wb") as f:
        f.write(crlf(readme).encode("cp1250"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data"))
