# The title picture of sprite set 100: the wordmark "Tundrel" in icy letters with snow on top.
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

import paint
import units

SIDE = 512
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def picture():
    # The menu draws this square centred a sixth of the way down with a side of half the screen width,
    # so only a band around its middle is on screen above the buttons: everything lives in that band.
    k = 2
    s = SIDE * k
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    text = "Tundrel"
    m = paint.mask(s)
    d = ImageDraw.Draw(m)
    size = 200 * k
    while True:  # the largest size that leaves a margin on both sides
        font = ImageFont.truetype(BOLD, size)
        box = d.textbbox((0, 0), text, font=font)
        if box[2] - box[0] <= s * 0.86:
            break
        size -= 4
    x = (s - (box[2] - box[0])) / 2 - box[0]
    y = s * 0.4 - box[1]
    d.text((x, y), text, font=font, fill=255)
    bbox = m.getbbox()

    paint.drop_shadow(img, m, offset=(8 * k, 10 * k), blur=8 * k, alpha=110)
    paint.fill_mask(img, paint.grow(m, 7 * k), (24, 44, 84, 255))
    grad = Image.linear_gradient("L").resize((s, bbox[3] - bbox[1]))
    full = Image.new("L", (s, s), 0)
    full.paste(grad, (0, bbox[1]))
    face = Image.composite(Image.new("RGBA", (s, s), (70, 130, 200, 255)), Image.new("RGBA", (s, s), (200, 235, 255, 255)),
                           full)
    img.alpha_composite(Image.composite(face, Image.new("RGBA", (s, s), (0, 0, 0, 0)), m))

    # Snow lying on the tops of the letters: the letter shape shifted down cuts a cap off the original.
    cap = ImageChops.subtract(m, ImageChops.offset(m, 0, 9 * k)).filter(ImageFilter.GaussianBlur(2 * k))
    cap = paint.grow(cap.point(lambda v: 255 if v > 90 else 0), 2 * k)
    paint.fill_mask(img, paint.grow(cap, 3 * k), (24, 44, 84, 255))
    paint.fill_mask(img, cap, (250, 252, 255, 255))
    shine = ImageChops.multiply(m, ImageChops.offset(m, -6 * k, -6 * k).point(lambda v: 255 - v))
    paint.fill_mask(img, shine.filter(ImageFilter.GaussianBlur(2 * k)).point(lambda v: v * 150 // 255),
                    (255, 255, 255, 255))

    # Under the word, a child of each team in a snowball fight, tinted as the game tints them.
    d = ImageDraw.Draw(img)
    base_y = bbox[3] + 50 * k
    side = 100 * k
    for x, kind, channel, angle in ((0.2, 0, 0, -90), (0.8, 1, 2, 90)):
        kid = tinted(units.child(1.0, 0.34) if kind == 0 else units.child(0.97, 0.29, hair=units.HAIR, pigtails=True),
                     channel).resize((side, side), Image.LANCZOS).rotate(angle, Image.BICUBIC)
        img.alpha_composite(kid, (int(s * x - side / 2), int(base_y - side / 2)))
    for i, t in enumerate((0.36, 0.44, 0.52)):
        r = (4 + 2 * i) * k
        cx, cy = s * t, base_y - math.sin(math.pi * (t - 0.28) / 0.44) * 40 * k
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(150, 190, 230, 120 + 40 * i))
    r = 14 * k
    cx, cy = s * 0.6, base_y - math.sin(math.pi * 0.32 / 0.44) * 40 * k
    d.ellipse([cx - r - 4 * k, cy - r - 4 * k, cx + r + 4 * k, cy + r + 4 * k], fill=(24, 44, 84, 255))
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(236, 244, 252, 255))
    d.ellipse([cx - r * 0.55, cy - r * 0.6, cx - r * 0.1, cy - r * 0.15], fill=(255, 255, 255, 255))
    rnd = random.Random(4)
    for _ in range(22):
        fx = rnd.uniform(0.05, 0.95) * s
        fy = rnd.uniform(0.34, 0.7) * s
        if s * 0.12 < fx < s * 0.88 and bbox[1] - 20 * k < fy < base_y + 24 * k:
            continue
        flake(d, fx, fy, rnd.uniform(8, 16) * k, k)
    return img.resize((SIDE, SIDE), Image.LANCZOS)


def tinted(frame, channel):
    """The frame as the game shows it for a team: that colour channel doubled."""
    bands = list(frame.split())
    bands[channel] = bands[channel].point(lambda v: min(255, v * 2))
    return Image.merge("RGBA", bands)


def flake(d, x, y, r, k):
    for a in range(3):
        ang = a * math.pi / 3
        dx, dy = r * math.cos(ang), r * math.sin(ang)
        d.line([(x - dx, y - dy), (x + dx, y + dy)], fill=(110, 160, 215, 255), width=3 * k)
