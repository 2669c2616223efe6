# Screenshots of the game's window from the X server's root window, and pixel counts over them.
import io
import subprocess

from PIL import Image


class Screen:
    def __init__(self, window):
        self.window = window

    def geometry(self):
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", self.window],
                             capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def grab(self):
        """The window's client area as an RGB image, or None while the server cannot give one."""
        shot = subprocess.run(["import", "-silent", "-window", "root", "png:-"], capture_output=True)
        if shot.returncode != 0 or not shot.stdout:
            return None
        x, y, w, h = self.geometry()
        return Image.open(io.BytesIO(shot.stdout)).convert("RGB").crop((x, y, x + w, y + h))


def grey_level(pixel):
    """The level of a grey pixel, None for a coloured one."""
    r, g, b = pixel
    return r if max(r, g, b) - min(r, g, b) <= 3 else None


def count(shot, box, predicate, step=1):
    """How many pixels of box (left, top, right, bottom) satisfy predicate(r, g, b), sampling every
    step-th pixel in both directions."""
    left, top, right, bottom = (int(v) for v in box)
    pixels = shot.load()
    return sum(1 for y in range(max(top, 0), min(bottom, shot.size[1]), step)
               for x in range(max(left, 0), min(right, shot.size[0]), step) if predicate(*pixels[x, y]))
