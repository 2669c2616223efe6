#!/usr/bin/python3
# Start-up time of the real game: from starting the process to the first frame of the main menu on
# the X server's screen, with the shipped data as a folder and as a ZIP archive named GameData.
# Runs under Xvfb with openbox:
#   xvfb-run -a -s "-screen 0 1024x768x24" bench/frame/startup.py build/release/tundrel [RUNS]
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from e2e_screen import root_image  # noqa: E402
from play import is_menu, start_window_manager  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def grab_root():
    """The root window through xwd, which is several times quicker than ImageMagick's import; None
    while the server cannot give one."""
    raw = subprocess.run(["xwd", "-root", "-silent"], capture_output=True)
    return root_image(raw.stdout) if raw.returncode == 0 and len(raw.stdout) >= 100 else None


def window_box():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tundrel$"],
                           capture_output=True, text=True).stdout.split()
    if not found:
        return None
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", found[0]], capture_output=True, text=True).stdout
    v = dict(line.split("=", 1) for line in out.split() if "=" in line)
    x, y = int(v["X"]), int(v["Y"])
    return x, y, x + int(v["WIDTH"]), y + int(v["HEIGHT"])


def one_start(game, folder):
    """Seconds until the menu shows, and the polling step that bounds the error."""
    for name in ("Settings.xml", "Errors.log"):
        if os.path.exists(os.path.join(folder, name)):
            os.remove(os.path.join(folder, name))
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    start = time.monotonic()
    process = subprocess.Popen([game], cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    step = 0.0
    box = None
    try:
        while time.monotonic() - start < 60:
            before = time.monotonic()
            # Once full screen the window keeps its place; asking again would only slow the polling.
            shot = grab_root()
            if shot and box != (0, 0) + shot.size:
                box = window_box()
            if shot and box and is_menu(False)(shot.crop(box)):
                return before - start, step
            step = time.monotonic() - before
            if process.poll() is not None:
                raise RuntimeError(f"the game ended with status {process.returncode}")
        raise RuntimeError("no menu within 60 s")
    finally:
        process.kill()
        process.wait()


def main():
    game = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    work = tempfile.mkdtemp(prefix="tundrel-startup-")
    manager = start_window_manager(work)
    try:
        folder = os.path.join(work, "folder")
        shutil.copytree(os.path.join(ROOT, "data"), folder)
        archive = os.path.join(work, "zip")
        shutil.copytree(os.path.join(ROOT, "data"), archive, ignore=shutil.ignore_patterns("GameData"))
        with zipfile.ZipFile(os.path.join(archive, "GameData"), "w", zipfile.ZIP_DEFLATED) as z:
            source = os.path.join(ROOT, "data", "GameData")
            for name in sorted(os.listdir(source)):
                z.write(os.path.join(source, name), name)
        for label, path in (("folder", folder), ("ZIP archive", archive)):
            results = [one_start(game, path) for _ in range(runs)]
            seconds = [r[0] for r in results]
            print(f"GameData as a {label}: median {statistics.median(seconds) * 1000:.0f} ms to the first menu frame "
                  f"(min {min(seconds) * 1000:.0f}, max {max(seconds) * 1000:.0f}, {runs} runs; "
                  f"screenshots every {statistics.median(r[1] for r in results) * 1000:.0f} ms)")
    finally:
        manager.kill()
        manager.wait()
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
