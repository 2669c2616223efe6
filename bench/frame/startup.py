#!/usr/bin/python3
# Start-up time of the real game: from starting the process to the first frame of the main menu on
# the X server's screen, with the shipped data as a folder and as a ZIP archive named GameData,
# against the floor: startup_floor, which only opens the window with the game's OpenGL context and
# clears it. The game's phases come from its TUNDREL_STARTUP_TIMES marks.
# Runs under Xvfb with openbox:
#   xvfb-run -a -s "-screen 0 1024x768x24" bench/frame/startup.py build/release/tundrel [OTHER...] [RUNS]
# Further games (another build, say) are started in the same rounds, so all meet the same load; the
# floor is the one built beside the first. With --marks-only no screenshots are taken: each start
# ends at its "first frame" mark, so only the program and the X server use the processor meanwhile.
import ctypes
import io
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from PIL import Image  # noqa: E402
from play import is_menu, start_window_manager  # noqa: E402

# The screen the usage line gives Xvfb; the floor opens full screen at this size like the game.
WIDTH, HEIGHT = 1024, 768
# How often the screen is looked at while a program starts; the figure seen on the screen is late by
# up to this much.
POLL_SECONDS = 0.015
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
MARKS_ONLY = "--marks-only" in sys.argv


class CXImage(ctypes.Structure):
    """The leading fields of Xlib's XImage."""
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class CRootGrabber:
    """Screenshots of the root window straight from the X server through Xlib: several times
    quicker than starting xwd for each, so the polling follows the programs closely."""

    def __init__(self):
        self.x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(CXImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("no X display")
        self.root = self.x11.XDefaultRootWindow(self.display)

    def grab(self):
        z_pixmap, all_planes = 2, (1 << 64) - 1
        image = self.x11.XGetImage(self.display, self.root, 0, 0, WIDTH, HEIGHT, all_planes, z_pixmap)
        if not image:
            return None
        i = image.contents
        try:
            if i.bits_per_pixel != 32 or i.byte_order != 0:
                raise RuntimeError("the screen must be 24-bit TrueColor in 32-bit little-endian pixels")
            pixels = ctypes.string_at(i.data, i.bytes_per_line * i.height)
            return Image.frombuffer("RGB", (i.width, i.height), pixels, "raw", "BGRX", i.bytes_per_line, 1)
        finally:
            self.x11.XFree(ctypes.c_void_p(i.data))
            self.x11.XFree(image)


def is_floor(shot):
    """The floor program's frame: its one colour at the corners and in the middle."""
    w, h = shot.size
    points = [(3, 3), (w - 3, 3), (3, h - 3), (w - 3, h - 3), (w // 2, h // 2)]
    return all(shot.getpixel(p) == (255, 0, 255) for p in points)


def one_start(grabber, command, folder, shown):
    """Seconds until shown(window) holds, the polling step that bounds the error, and the
    program's start-up marks as seconds since starting it."""
    for name in ("Settings.xml", "Errors.log"):
        if os.path.exists(os.path.join(folder, name)):
            os.remove(os.path.join(folder, name))
    env = dict(os.environ, SDL_AUDIODRIVER="dummy", TUNDREL_STARTUP_TIMES="1")
    if MARKS_ONLY:
        return marks_start(command, folder, env)
    # The program before may still be on the screen while the server takes its window down.
    settled = time.monotonic()
    while time.monotonic() - settled < 5:
        shot = grabber.grab()
        if shot and not is_floor(shot) and not is_menu(False)(shot):
            break
        time.sleep(0.01)
    marks = tempfile.TemporaryFile(mode="w+")
    start = time.monotonic()
    process = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=marks)
    step = 0.0
    try:
        while time.monotonic() - start < 60:
            before = time.monotonic()
            # Both open full screen at the screen's size, so the root window shows the program's
            # whole window: no asking where it is, which would slow the polling while it is not.
            shot = grabber.grab()
            if shot and shown(shot):
                return before - start, step, read_marks(marks, start)
            # Each screenshot holds the X server for a few ms: polling flat out would slow the
            # programs it times.
            time.sleep(max(0.0, POLL_SECONDS - (time.monotonic() - before)))
            step = time.monotonic() - before
            if process.poll() is not None:
                raise RuntimeError(f"{command[0]} ended with status {process.returncode}")
        raise RuntimeError("nothing shown within 60 s")
    finally:
        process.kill()
        process.wait()


def marks_start(command, folder, env):
    """Seconds until the program marks its first frame presented, and its marks, read as they come
    without a single screenshot."""
    start = time.monotonic()
    process = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                               text=True)
    lines = []
    try:
        while time.monotonic() - start < 60:
            if not select.select([process.stderr], [], [], 1.0)[0]:
                continue
            line = process.stderr.readline()
            if not line:
                raise RuntimeError(f"{command[0]} ended with status {process.wait()}")
            lines.append(line)
            if line.startswith("startup first frame "):
                found = read_marks(io.StringIO("".join(lines)), start)
                return found[-1][1], 0.0, found
        raise RuntimeError("no first frame within 60 s")
    finally:
        process.kill()
        process.wait()


def read_marks(marks, start):
    """The game's "startup PHASE SECONDS CPU" lines as (phase, seconds since the start, main
    thread's processor seconds): its clock is the monotonic one Python reads."""
    marks.flush()
    marks.seek(0)
    found = []
    for line in marks.read().splitlines():
        words = line.split()
        if len(words) < 3 or words[0] != "startup":
            continue
        try:
            found.append((" ".join(words[1:-2]), float(words[-2]) - start, float(words[-1])))
        except ValueError:
            # A build from before the marks carried the processor time.
            found.append((" ".join(words[1:-1]), float(words[-1]) - start, 0.0))
    return found


def report(label, results):
    """Prints the run's figures; returns the medians of the first frame presented (from the
    marks), of the first frame seen on the screen and of the main thread's processor time until
    the first frame was presented."""
    seconds = [r[0] for r in results]
    seen = statistics.median(seconds)
    phases = {}
    used = []
    for r in results:
        for name, at, cpu in r[2]:
            phases.setdefault(name, []).append(at)
            if name == "first frame":
                used.append(cpu)
    presented = statistics.median(phases["first frame"]) if "first frame" in phases else seen
    cpu = statistics.median(used) if used else 0.0
    screen = "no screenshots" if MARKS_ONLY else (
        f"{seen * 1000:.0f} ms to seeing it on the screen (screenshots every "
        f"{statistics.median(r[1] for r in results) * 1000:.0f} ms)")
    print(f"{label}: median {presented * 1000:.0f} ms to the first frame presented, {screen}; min "
          f"{min(seconds) * 1000:.0f}, max {max(seconds) * 1000:.0f}, {len(results)} runs; main thread's processor "
          f"time to the first frame {cpu * 1000:.0f} ms")
    print("  median time since the start at the end of each phase: " +
          ", ".join(f"{name} {statistics.median(ats) * 1000:.0f} ms" for name, ats in phases.items()))
    return presented, seen, cpu


def main():
    args = [arg for arg in sys.argv[1:] if arg != "--marks-only"]
    runs = int(args.pop()) if len(args) > 1 and args[-1].isdigit() else 5
    games = [os.path.abspath(game) for game in args]
    floor = os.path.join(os.path.dirname(games[0]), "bench", "frame", "startup_floor")
    work = tempfile.mkdtemp(prefix="tundrel-startup-")
    manager = start_window_manager(work)
    grabber = None if MARKS_ONLY else CRootGrabber()
    try:
        folder = os.path.join(work, "folder")
        shutil.copytree(os.path.join(ROOT, "data"), folder)
        archive = os.path.join(work, "zip")
        shutil.copytree(os.path.join(ROOT, "data"), archive, ignore=shutil.ignore_patterns("GameData"))
        with zipfile.ZipFile(os.path.join(archive, "GameData"), "w", zipfile.ZIP_DEFLATED) as z:
            source = os.path.join(ROOT, "data", "GameData")
            for name in sorted(os.listdir(source)):
                z.write(os.path.join(source, name), name)
        # Alternated, so a change in the machine's load falls on all alike.
        cases = [(game, label, place) for game in games for label, place in (("folder", folder), ("ZIP archive", archive))]
        floor_results = []
        results = {case[:2]: [] for case in cases}
        for _ in range(runs):
            floor_results.append(one_start(grabber, [floor, str(WIDTH), str(HEIGHT)], folder, is_floor))
            for game, label, place in cases:
                results[game, label].append(one_start(grabber, [game], place, is_menu(False)))
        bare = report("Floor (window, OpenGL context, one cleared frame)", floor_results)
        for game, label in results:
            name = f"{game}, " if len(games) > 1 else ""
            game_times = report(f"{name}GameData as a {label}", results[game, label])
            processor = f"{game_times[2] / bare[2]:.2f}" if game_times[2] else "-"
            seen = "" if MARKS_ONLY else f", {game_times[1] / bare[1]:.2f} x seen"
            print(f"  {game_times[0] / bare[0]:.2f} x the floor presented{seen} (target at most 1.5); main thread's "
                  f"processor time {processor} x the floor's")
    finally:
        manager.kill()
        manager.wait()
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
