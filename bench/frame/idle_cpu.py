#!/usr/bin/python3
# Processor time the real game takes while it waits in the main menu, under Xvfb with openbox,
# which has no vertical sync. Each game given is started in turn, ROUNDS times, alternating, so
# every build sees the same machine load; the game's own CPU time (user + system, every thread)
# is read from /proc over SECONDS once the menu has had a few seconds to settle.
#   xvfb-run -a -s "-screen 0 1024x768x24" bench/frame/idle_cpu.py [--rounds N] [--seconds S] GAME...
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from play import start_window_manager  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
SETTLE_SECONDS = 4


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def idle_share(game, folder, seconds):
    """The share of one core the game used in the menu."""
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    process = subprocess.Popen([game], cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(SETTLE_SECONDS)
        if process.poll() is not None:
            raise RuntimeError(f"{game} ended with status {process.returncode}")
        start, used = time.monotonic(), cpu_seconds(process.pid)
        time.sleep(seconds)
        return (cpu_seconds(process.pid) - used) / (time.monotonic() - start)
    finally:
        process.kill()
        process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("games", nargs="+")
    options = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="tundrel-idle-") as work:
        folder = os.path.join(work, "data")
        shutil.copytree(os.path.join(ROOT, "data"), folder)
        manager = start_window_manager(work)
        shares = {game: [] for game in options.games}
        try:
            for _ in range(options.rounds):
                for game in options.games:
                    shares[game].append(idle_share(os.path.abspath(game), folder, options.seconds))
        finally:
            manager.kill()
            manager.wait()
    for game, values in shares.items():
        print(f"{game}: median {statistics.median(values) * 100:.1f} % of a core in the main menu "
              f"({', '.join(f'{v * 100:.1f}' for v in values)})")

if __name__ == "__main__":
    main()
