# Terrain frames of sprite set 1: snow, water, ice, bare frozen ground, obstacle (a pine from above).
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import paint

T = 64  # frame side in the sheet


def from_noise(values, colour_of):
    img = Image.new("RGBA", (T, T))
    img.putdata([colour_of(v, i % T, i // T) for i, v in enumerate(values)])
    return img


def snow():
    # Mid-grey on purpose: the map shades each corner and the doubled modulation lifts this to white on
    # deep snow, so the texture only carries a faint, fine grain and a few glints: anything coarser
    # repeats visibly from tile to tile.
    noise = paint.fractal(T, 11, ((8, 0.4), (16, 0.3), (32, 0.3)))
    rnd = random.Random(5)
    glints = {(rnd.randrange(T), rnd.randrange(T)) for _ in range(14)}

    def colour(v, x, y):
        g = 134 + (v - 0.5) * 10
        if (x, y) in glints:
            g += 10
        return (paint.clamp(g - 1), paint.clamp(g), paint.clamp(g + 3), 255)

    return from_noise(noise, colour)


def water():
    noise = paint.fractal(T, 21, ((4, 0.5), (8, 0.3), (16, 0.2)))

    def colour(v, x, y):
        wave = 0.5 + 0.5 * math.sin((x + y * 0.5) / T * 2 * math.pi * 3 + v * 6)
        k = 0.75 + 0.35 * v + 0.12 * wave
        return (paint.clamp(28 * k), paint.clamp(78 * k), paint.clamp(140 * k), 255)

    img = from_noise(noise, colour)
    # Short highlight strokes; each wraps around the edges so the water tiles seamlessly.
    d = ImageDraw.Draw(img)
    rnd = random.Random(8)
    for _ in range(7):
        x, y, ln = rnd.randrange(T), rnd.randrange(T), rnd.randrange(6, 12)
        for dx in (-T, 0, T):
            for dy in (-T, 0, T):
                d.line([(x + dx, y + dy), (x + dx + ln, y + dy - 1)], fill=(120, 175, 220, 255), width=1)
    return img


def ice():
    noise = paint.fractal(T, 31, ((2, 0.5), (4, 0.3), (16, 0.2)))

    def colour(v, x, y):
        sheen = 0.5 + 0.5 * math.sin((x - y) / T * 2 * math.pi)
        return (paint.clamp(155 + 40 * v + 8 * sheen), paint.clamp(204 + 30 * v + 6 * sheen),
                paint.clamp(228 + 20 * v + 4 * sheen), 255)

    img = from_noise(noise, colour)
    d = ImageDraw.Draw(img)
    rnd = random.Random(3)
    for _ in range(3):
        x, y = rnd.randrange(T), rnd.randrange(T)
        pts = [(x, y)]
        for _ in range(4):
            x += rnd.randrange(-7, 8)
            y += rnd.randrange(-7, 8)
            pts.append((x, y))
        for dx in (-T, 0, T):
            for dy in (-T, 0, T):
                d.line([(px + dx, py + dy) for px, py in pts], fill=(235, 248, 255, 200), width=1)
    return img


def ground():
    noise = paint.fractal(T, 41, ((4, 0.5), (8, 0.3), (32, 0.2)))
    rnd = random.Random(9)
    frost = {(rnd.randrange(T), rnd.randrange(T)) for _ in range(40)}

    def colour(v, x, y):
        if (x, y) in frost:
            return (200, 205, 212, 255)
        k = 0.7 + 0.6 * v
        return (paint.clamp(112 * k), paint.clamp(94 * k), paint.clamp(78 * k), 255)

    img = from_noise(noise, colour)
    d = ImageDraw.Draw(img)
    for _ in range(6):
        x, y, r = rnd.randrange(4, T - 4), rnd.randrange(4, T - 4), rnd.randrange(1, 3)
        d.ellipse([x - r, y - r, x + r, y + r], fill=(140, 135, 130, 255), outline=(70, 60, 55, 255))
    return img


def obstacle():
    # A snowy pine seen from above standing in a drift; next to each other they read as a forest wall.
    s = T * paint.SS
    img = Image.new("RGBA", (s, s), (222, 227, 235, 255))
    c = s / 2
    rnd = random.Random(17)
    outline = paint.polygon_mask(s, star_points(c, c, s * 0.49, s * 0.36, 13, 0.2, rnd))
    paint.drop_shadow(img, outline, offset=(12, 16), blur=14, alpha=130)
    layers = ((0.49, 0.36, (30, 72, 48), 0.2), (0.38, 0.27, (40, 92, 58), 0.45), (0.26, 0.17, (54, 112, 70), 0.1),
              (0.13, 0.08, (66, 128, 80), 0.3))
    for radius, inner, colour, phase in layers:
        m = paint.polygon_mask(s, star_points(c, c, s * radius, s * inner, 13, phase, rnd))
        paint.shaded(img, m, colour, amount=0.45, outline=(16, 38, 26, 255), width=3)
        # Clumps of snow on the lit side of each ring of branches.
        for _ in range(7):
            a = rnd.uniform(math.pi * 0.9, math.pi * 1.7)
            r = s * rnd.uniform(inner * 0.75, radius * 0.85)
            x, y, w = c + r * math.cos(a), c + r * math.sin(a), s * rnd.uniform(0.03, 0.055)
            blob = paint.ellipse_mask(s, [x - w, y - w * 0.7, x + w, y + w * 0.7]).filter(ImageFilter.GaussianBlur(2))
            paint.fill_mask(img, ImageChops.multiply(blob, m), (238, 243, 250, 255))
    return paint.reduce(img, T)


def star_points(cx, cy, outer, inner, n, phase, rnd):
    pts = []
    for k in range(n * 2):
        r = (outer if k % 2 == 0 else inner) * rnd.uniform(0.9, 1.0)
        a = phase + math.pi * k / n
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def sheet():
    frames = [snow(), water(), ice(), ground(), obstacle()]
    img = Image.new("RGBA", (T * 4, T * 4), (0, 0, 0, 0))
    for i, f in enumerate(frames):
        img.paste(f, ((i % 4) * T, (i // 4) * T))
    return img
