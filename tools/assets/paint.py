# Drawing helpers shared by the sprite generators: supersampled frames, soft shapes, tiling noise.
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

# Frames are painted at SS times their final size and reduced with a good filter, which gives clean
# anti-aliased edges at the 32 to 80 pixels the game draws them at.
SS = 4


def canvas(size):
    return Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))


def reduce(img, size):
    return img.resize((size, size), Image.LANCZOS)


def mask(size):
    return Image.new("L", (size, size), 0)


def fill_mask(img, m, colour):
    """Paints colour wherever the mask is set, keeping the mask as coverage."""
    layer = Image.new("RGBA", img.size, colour)
    img.alpha_composite(Image.composite(layer, Image.new("RGBA", img.size, (0, 0, 0, 0)), m))


def ellipse_mask(size, box):
    m = mask(size)
    ImageDraw.Draw(m).ellipse(box, fill=255)
    return m


def polygon_mask(size, points):
    m = mask(size)
    ImageDraw.Draw(m).polygon(points, fill=255)
    return m


def grow(m, px):
    """Dilates a mask by px pixels: the outline of a shape is its grown mask painted first."""
    return m.filter(ImageFilter.MaxFilter(px * 2 + 1)) if px > 0 else m


def shaded(img, m, base, light=(0.35, 0.3), amount=0.35, outline=None, width=0):
    """A shape filled with base, lit from the upper left so it reads as round from above."""
    if outline is not None and width > 0:
        fill_mask(img, grow(m, width), outline)
    box = m.getbbox()
    if box is None:
        return
    w, h = img.size
    grad = Image.radial_gradient("L").resize((box[2] - box[0], box[3] - box[1]))
    full = Image.new("L", (w, h), 255)
    # The bright spot sits towards the light; the far side darkens.
    ox = int(box[0] - (box[2] - box[0]) * (0.5 - light[0]) * 0.9)
    oy = int(box[1] - (box[3] - box[1]) * (0.5 - light[1]) * 0.9)
    full.paste(grad, (ox, oy))
    r, g, b = base[:3]
    lit = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    px = []
    for v in full.getdata():
        t = 1.0 + amount * (0.5 - v / 255.0) * 1.4
        px.append((clamp(r * t), clamp(g * t), clamp(b * t), 255))
    lit.putdata(px)
    img.alpha_composite(Image.composite(lit, Image.new("RGBA", (w, h), (0, 0, 0, 0)), m))


def clamp(v):
    return max(0, min(255, int(v)))


def drop_shadow(img, m, offset=(6, 8), blur=10, alpha=90):
    sh = ImageChops.offset(m, *offset).filter(ImageFilter.GaussianBlur(blur))
    sh = sh.point(lambda v: v * alpha // 255)
    fill_mask(img, sh, (20, 30, 50, 255))


def tiling_noise(size, cells, seed):
    """Value noise that wraps at the edges, so tiles laid side by side show no seams."""
    rnd = random.Random(seed)
    grid = [[rnd.random() for _ in range(cells)] for _ in range(cells)]
    out = []
    for y in range(size):
        fy = y / size * cells
        y0 = int(fy)
        ty = smooth(fy - y0)
        for x in range(size):
            fx = x / size * cells
            x0 = int(fx)
            tx = smooth(fx - x0)
            a = grid[y0 % cells][x0 % cells]
            b = grid[y0 % cells][(x0 + 1) % cells]
            c = grid[(y0 + 1) % cells][x0 % cells]
            d = grid[(y0 + 1) % cells][(x0 + 1) % cells]
            out.append((a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty)
    return out


def smooth(t):
    return t * t * (3 - 2 * t)


def fractal(size, seed, octaves=((4, 0.6), (8, 0.25), (16, 0.15))):
    layers = [tiling_noise(size, cells, seed + i) for i, (cells, _) in enumerate(octaves)]
    weights = [w for _, w in octaves]
    return [sum(layer[i] * w for layer, w in zip(layers, weights)) for i in range(size * size)]


def ring_points(cx, cy, r, n, phase=0.0):
    return [(cx + r * math.cos(phase + 2 * math.pi * k / n), cy + r * math.sin(phase + 2 * math.pi * k / n))
            for k in range(n)]
