# Screenshots of the game's window from the X server's root window, pixel counts over them, and
# what each screen looks like by the layout the game uses at any window size.
import struct
import subprocess

from PIL import Image


def geometry(window):
    # The client area on the screen. xwininfo, since xdotool counts a window manager's frame twice
    # in the position of a decorated window.
    out = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True).stdout
    values = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
    return tuple(int(values[name]) for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def grab(window):
    # The window's client area as an RGB image, or None while the server cannot give one.
    # xwd is several times quicker than ImageMagick's import, so the polling follows the game closely.
    shot = subprocess.run(["xwd", "-root", "-silent"], capture_output=True)
    if shot.returncode != 0 or len(shot.stdout) < 100:
        return None
    x, y, w, h = geometry(window)
    return root_image(shot.stdout).crop((x, y, x + w, y + h))


def root_image(raw):
    # An xwd dump of a 24-bit TrueColor screen as an RGB image. Pixels take four bytes, or three
    # where xwd composes windows of several visuals (a GL window on a screen without a window manager).
    fields = struct.unpack(">25I", raw[:100])
    header_size, width, height, byte_order, bits_per_pixel, bytes_per_line, ncolors = (
        fields[0], fields[4], fields[5], fields[7], fields[11], fields[12], fields[19])
    pixels = raw[header_size + 12 * ncolors:]
    packed = {(32, 0): "BGRX", (32, 1): "XRGB", (24, 0): "BGR", (24, 1): "RGB"}[(bits_per_pixel, byte_order)]
    return Image.frombuffer("RGB", (width, height), pixels, "raw", packed, bytes_per_line, 1)


def grey_level(pixel):
    # The level of a grey pixel, None for a coloured one.
    r, g, b = pixel
    return r if max(r, g, b) - min(r, g, b) <= 3 else None


def count(shot, box, predicate, step=1):
    # How many pixels of box (left, top, right, bottom) satisfy predicate(r, g, b), sampling every
    # step-th pixel in both directions.
    left, top, right, bottom = (int(v) for v in box)
    pixels = shot.load()
    return sum(1 for y in range(max(top, 0), min(bottom, shot.size[1]), step)
               for x in range(max(left, 0), min(right, shot.size[0]), step) if predicate(*pixels[x, y]))


def distance(a, b):
    return ((a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2) ** 0.5


def menu_button_centre(shot, k):
    w, h = shot.size
    b = 0.075 * h
    top = 0.925 * h - b * (6 - k) - 8 * (5 - k)
    return w / 2, top + b / 2


def button_state(shot, sample, label_box):
    # Sampled beside the label: enabled buttons are light grey, the hovered one white with its
    # label still dark, the disabled one translucent over the white screen.
    level = grey_level(shot.getpixel((int(sample[0]), int(sample[1]))))
    if level is None:
        return "other"
    if 216 <= level <= 232:
        return "enabled"
    if 236 <= level <= 250:
        return "disabled"
    if level == 255 and count(shot, label_box, lambda r, g, b: r < 0x90 and g < 0x90 and b < 0x90) > 20:
        return "hovered"
    return "other"


def is_menu(return_enabled, hovered=None):
    # The menu laid out for the window's size; with hovered, that button shows the pointer over it.
    def check(shot):
        w, h = shot.size
        corners = [shot.getpixel((w - 3, h - 3)), shot.getpixel((3, h - 3)), shot.getpixel((w - 3, h // 3))]
        if any(pixel != (255, 255, 255) for pixel in corners):
            return False
        wanted = ["enabled" if return_enabled else "disabled"] + ["enabled"] * 4
        if hovered is not None:
            wanted[hovered] = "hovered"
        centres = [menu_button_centre(shot, k) for k in range(5)]
        return [button_state(shot, (w / 4 + 10, y), (x - 50, y - 9, x + 50, y + 9)) for x, y in centres] == wanted
    return check


def list_row_centre(shot, row):
    return shot.size[0] / 4, 40 + 8 + 16 * row + 8


def is_mission_list(shot):
    w, h = shot.size
    if shot.getpixel((w - 3, 20)) != (255, 255, 255):
        return False
    title = count(shot, (0, 8, w, 32), lambda r, g, b: b > 180 and r < 90 and g < 90)
    random_entry = count(shot, (16, 48, w // 2 - 12, 64), lambda r, g, b: g > 150 and r < 90 and b < 90)
    box = grey_level(shot.getpixel((w // 2 - 10, h // 2)))
    return title > 20 and random_entry > 20 and box is not None and 220 <= box <= 228


def description_ink(shot):
    w, h = shot.size
    return count(shot, (w // 2 + 12, 48, w - 16, h - 48), lambda r, g, b: r < 80 and g < 80 and b < 80)


def play_state(shot):
    # The state of "Graj >" in the mission list's bottom right corner.
    w, h = shot.size
    return button_state(shot, (w - 100, h - 28), (w - 80, h - 26, w - 36, h - 14))


def dialog_box(shot):
    # Where the settings dialog lies when it is centred in the window (left, top, right, bottom).
    w, h = shot.size
    left, top = max(0, (w - 480) // 2), max(0, (h - 408) // 2)
    return left, top, left + 480, top + 408


def is_dialog(shot):
    # The settings dialog whole inside the window: its face in all four corners, the backdrop around.
    left, top, right, bottom = dialog_box(shot)
    face = (0xD4, 0xD0, 0xC8)
    inside = [(left + 4, top + 30), (right - 5, top + 30), (left + 4, bottom - 5), (right - 5, bottom - 5)]
    if right > shot.size[0] or bottom > shot.size[1] or any(shot.getpixel(p) != face for p in inside):
        return False
    return shot.getpixel((shot.size[0] - 2, shot.size[1] - 2)) == (0x3A, 0x4A, 0x5A)


def dialog_button_centre(shot, ok):
    _, _, right, bottom = dialog_box(shot)
    button_right = right - 12 - (96 if ok else 0)
    return button_right - 44, bottom - 24


def is_battlefield(shot, covered=0.6):
    # Snow and ground fill the view once the fade-in is over (a random map may leave part of the
    # view beyond its edge black, so its run asks for less); below it the black panel margin,
    # the grey boxes of the console, the info panel and the order buttons.
    w, h = shot.size
    view = shot.crop((0, 0, w, h - 150)).convert("L").resize((64, 32))
    values = list(view.getdata())
    bright = sum(1 for v in values if v > 90)
    distinct = len(set(shot.crop((0, 0, w, h - 150)).resize((128, 64)).getdata()))
    margin = shot.getpixel((1, h - 60))
    boxes = count(shot, (0, h - 120, w, h), lambda r, g, b: abs(r - 0x60) < 3 and abs(g - 0x60) < 3 and abs(b - 0x60) < 3,
                  step=4)
    return bright > len(values) * covered and distinct > 40 and margin == (0, 0, 0) and boxes > 1500


def info_panel(shot):
    # Between the console and the order buttons.
    w, h = shot.size
    return shot.crop((int(w - 8 - 148 - 0.4 * w) + 4, h - 112, w - 160, h - 8))


def centre(shot, predicate, near=None):
    # The centre of the view's pixels that satisfy predicate, or None when there are too few.
    # With near, only the pixels within a tile of that point count.
    w, h = shot.size
    pixels = shot.load()
    points = [(x, y) for y in range(0, h - 150, 3) for x in range(0, w, 3) if predicate(*pixels[x, y])]
    if near:
        points = [p for p in points if distance(p, near) < tile(shot)]
    if len(points) < 6:
        return None
    return sum(p[0] for p in points) / len(points), sum(p[1] for p in points) / len(points)


def own_unit(shot):
    # The player's leftmost child; the player's children are pink.
    def pink(r, g, b):
        return r > 180 and r - g > 70 and abs(g - b) < 25
    w, h = shot.size
    pixels = shot.load()
    points = [(x, y) for x in range(0, w, 2) for y in range(0, h - 150, 2) if pink(*pixels[x, y])]
    return centre(shot, pink, near=points[0]) if points else None


def ring_centre(shot):
    # The green ring around the player's selected unit.
    return centre(shot, lambda r, g, b: g - r > 80 and abs(r - b) < 12)


def enemy_centre(shot):
    # The computer's children are blue.
    return centre(shot, lambda r, g, b: b - r > 60 and abs(r - g) < 10 and r > 60)


def tile(shot):
    return shot.size[0] / 17.5


def order_button_centre(shot, index):
    w, h = shot.size
    left = w - 4 - 148 + 4 + (index % 4) * 36
    top = h - 120 + 4 + 4 + (index // 4) * 36
    return left + 16, top + 16


def cursor_corner(shot, spot):
    # The pointer is drawn below and right of the mouse, the targeting cross centred on it: only
    # the cross covers the corner above and left of the mouse.
    x, y = int(spot[0]), int(spot[1])
    return shot.crop((x - 14, y - 14, x - 3, y - 3))


def differs(a, b):
    return sum(1 for p, q in zip(a.getdata(), b.getdata()) if max(abs(u - v) for u, v in zip(p, q)) > 40)
