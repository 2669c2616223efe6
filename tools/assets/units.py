# Frames of sprite set 2: children seen from above facing up, snowball, markers, buttons, icons, cursors.
import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import paint
from paint import SS

F = 64  # frame side in the sheet
S = F * SS  # side of a frame while it is painted
C = S / 2
INK = (34, 38, 52, 255)

# Clothes are light neutral greys: the game doubles the red channel for the player's children and the
# blue one for the computer's, so a grey coat turns red or blue while skin and hair keep their look.
COAT = (150, 150, 152)
HAT = (128, 128, 130)
MITTEN = (118, 118, 120)
SKIN = (232, 196, 168)
HAIR = (122, 84, 52)


def disc(cx, cy, r):
    return paint.ellipse_mask(S, [cx - r, cy - r, cx + r, cy + r])


def oval(cx, cy, rx, ry):
    return paint.ellipse_mask(S, [cx - rx, cy - ry, cx + rx, cy + ry])


def child(scale, shoulders, hair=None, pigtails=False, hood=False):
    img = paint.canvas(F)
    k = scale
    head_r = S * 0.2 * k
    head_y = C - S * 0.04 * k
    body = oval(C, C + S * 0.12 * k, S * shoulders * k, S * 0.2 * k)
    boots = [oval(C + side * S * 0.11 * k, C + S * 0.33 * k, S * 0.07 * k, S * 0.08 * k) for side in (-1, 1)]
    arms = [polygon_limb(C + side * S * (shoulders - 0.07) * k, C + S * 0.06 * k,
                         C + side * S * (shoulders - 0.1) * k, C - S * 0.24 * k, S * 0.075 * k) for side in (-1, 1)]
    mitts = [disc(C + side * S * (shoulders - 0.1) * k, C - S * 0.28 * k, S * 0.075 * k) for side in (-1, 1)]
    everything = disc(C, head_y, head_r)
    for m in [body] + boots + arms + mitts:
        everything = ImageChops.lighter(everything, m)
    paint.drop_shadow(img, everything, offset=(10, 14), blur=10, alpha=110)
    for m in boots:
        paint.shaded(img, m, (84, 84, 88), outline=INK, width=7)
    for m in arms:
        paint.shaded(img, m, COAT, outline=INK, width=7)
    for m in mitts:
        paint.shaded(img, m, MITTEN, outline=INK, width=7)
    paint.shaded(img, body, COAT, outline=INK, width=8)
    if pigtails:
        for side in (-1, 1):
            tail = oval(C + side * head_r * 1.0, head_y + head_r * 0.75, head_r * 0.32, head_r * 0.5)
            paint.shaded(img, tail, HAIR, outline=INK, width=6)
    # The face peeks out in front of the hat: the child is looking up the screen.
    face_y = head_y - head_r * 0.3
    paint.shaded(img, disc(C, face_y, head_r * 0.8), SKIN, outline=INK, width=7)
    paint.fill_mask(img, disc(C, face_y - head_r * 0.68, head_r * 0.14), (214, 150, 130, 255))
    back_y = head_y + head_r * 0.15
    if hair is not None:
        paint.shaded(img, disc(C, back_y, head_r * 0.92), hair, outline=INK, width=7)
        ImageDraw.Draw(img).line([(C, back_y - head_r * 0.8), (C, back_y + head_r * 0.85)], fill=(70, 46, 28, 255),
                                 width=6)
        band = ImageChops.subtract(disc(C, back_y + head_r * 0.35, head_r * 1.05),
                                   disc(C, back_y + head_r * 0.35, head_r * 0.82))
        paint.fill_mask(img, ImageChops.multiply(band, disc(C, back_y, head_r * 0.92)), HAT + (255,))
    elif hood:
        paint.shaded(img, disc(C, back_y, head_r * 1.0), COAT, outline=INK, width=7)
        for side in (-1, 1):
            paint.shaded(img, disc(C + side * head_r * 0.74, back_y - head_r * 0.6, head_r * 0.3), COAT,
                         outline=INK, width=6)
        paint.shaded(img, disc(C, back_y + head_r * 0.15, head_r * 0.28), (236, 236, 240), outline=INK, width=5)
    else:
        paint.shaded(img, disc(C, back_y, head_r * 0.92), HAT, outline=INK, width=7)
        stripe = ImageChops.multiply(disc(C, back_y, head_r * 0.92),
                                     oval(C, back_y - head_r * 0.42, head_r, head_r * 0.2))
        paint.fill_mask(img, stripe, (204, 204, 208, 255))
        paint.shaded(img, disc(C, back_y + head_r * 0.1, head_r * 0.34), (236, 236, 240), outline=INK, width=5)
    return paint.reduce(img, F)


def lying():
    # On its back with arms and legs spread, a dent in the snow around it; the head is at the top.
    img = paint.canvas(F)
    k = 0.92
    angel = oval(C, C + S * 0.02, S * 0.44 * k, S * 0.47 * k).filter(ImageFilter.GaussianBlur(8))
    paint.fill_mask(img, angel.point(lambda v: v * 80 // 255), (120, 140, 170, 255))
    limbs = []
    for side in (-1, 1):
        limbs.append(polygon_limb(C + side * S * 0.1, C - S * 0.02, C + side * S * 0.38, C - S * 0.22, S * 0.07))
        limbs.append(polygon_limb(C + side * S * 0.07, C + S * 0.18, C + side * S * 0.22, C + S * 0.42, S * 0.08))
    for m in limbs:
        paint.shaded(img, m, COAT, outline=INK, width=7)
    for side in (-1, 1):
        paint.shaded(img, disc(C + side * S * 0.39, C - S * 0.24, S * 0.065), MITTEN, outline=INK, width=6)
        paint.shaded(img, oval(C + side * S * 0.23, C + S * 0.43, S * 0.07, S * 0.05), (80, 80, 84), outline=INK,
                     width=6)
    paint.shaded(img, oval(C, C + S * 0.06, S * 0.17, S * 0.2), COAT, outline=INK, width=8)
    head_y = C - S * 0.24
    paint.shaded(img, disc(C, head_y, S * 0.14), SKIN, outline=INK, width=7)
    paint.shaded(img, oval(C, head_y - S * 0.09, S * 0.14, S * 0.07), HAT, outline=INK, width=6)
    d = ImageDraw.Draw(img)
    for side in (-1, 1):  # closed eyes: out cold
        x = C + side * S * 0.05
        d.line([(x - 10, head_y + 4), (x + 10, head_y + 4)], fill=INK, width=6)
    for a in (0.3, 1.4, 2.6):
        x, y = C + S * 0.2 * math.cos(a), head_y - S * 0.08 + S * 0.05 * math.sin(a)
        star(img, x, y, S * 0.04, (255, 236, 120, 255))
    return paint.reduce(img, F)


def polygon_limb(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy)
    ox, oy = -dy / n * w, dx / n * w
    m = paint.polygon_mask(S, [(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)])
    return ImageChops.lighter(ImageChops.lighter(m, disc(x1, y1, w)), disc(x0, y0, w))


def star(img, x, y, r, colour):
    pts = []
    for k in range(10):
        rr = r if k % 2 == 0 else r * 0.45
        a = -math.pi / 2 + math.pi * k / 5
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    m = paint.polygon_mask(S, pts)
    paint.fill_mask(img, paint.grow(m, 4), INK)
    paint.fill_mask(img, m, colour)


def buried():
    # A mound of snow with only the hat and its pompom showing.
    img = paint.canvas(F)
    mound = paint.polygon_mask(S, [(C + S * 0.42 * (1 + 0.08 * math.sin(a * 5)) * math.cos(a),
                                    C + S * 0.38 * (1 + 0.08 * math.sin(a * 5)) * math.sin(a))
                                   for a in [2 * math.pi * k / 60 for k in range(60)]])
    paint.drop_shadow(img, mound, offset=(10, 14), blur=12, alpha=110)
    paint.shaded(img, mound, (228, 230, 236), amount=0.25, outline=(120, 130, 150, 255), width=6)
    paint.shaded(img, oval(C, C - S * 0.02, S * 0.16, S * 0.12), HAT, outline=INK, width=7)
    paint.shaded(img, disc(C, C - S * 0.02, S * 0.06), (236, 236, 240), outline=INK, width=5)
    for x, y in ((-0.2, 0.16), (0.22, 0.1), (0.05, 0.24)):
        paint.fill_mask(img, disc(C + S * x, C + S * y, S * 0.035), (250, 250, 255, 255))
    return paint.reduce(img, F)


def snowball():
    img = paint.canvas(F)
    ball = disc(C, C, S * 0.42)
    paint.shaded(img, ball, (236, 238, 244), amount=0.45, outline=(90, 100, 125, 255), width=10)
    for x, y, r in ((-0.14, -0.16, 0.08), (0.1, 0.12, 0.05), (-0.05, 0.2, 0.04)):
        paint.fill_mask(img, disc(C + S * x, C + S * y, S * r), (255, 255, 255, 200))
    return paint.reduce(img, F)


def ring():
    # Mid-grey, which the doubling turns into exactly the vertex colour: the marker takes its team's
    # colour. The notch at the top shows where the child faces.
    img = paint.canvas(F)
    outer, inner = disc(C, C, S * 0.47), disc(C, C, S * 0.39)
    band = ImageChops.subtract(outer, inner)
    paint.fill_mask(img, band, (128, 128, 128, 230))
    notch = paint.polygon_mask(S, [(C, S * 0.0), (C - S * 0.09, S * 0.12), (C + S * 0.09, S * 0.12)])
    paint.fill_mask(img, notch, (128, 128, 128, 255))
    for a in (0, math.pi / 2, math.pi):
        x, y = C + S * 0.43 * math.cos(a), C + S * 0.43 * math.sin(a)
        paint.fill_mask(img, disc(x, y, S * 0.05), (128, 128, 128, 255))
    return paint.reduce(img, F)


def bubbles():
    img = paint.canvas(F)
    for x, y, r in ((-0.15, -0.1, 0.17), (0.2, 0.05, 0.12), (0.0, 0.24, 0.09), (-0.26, 0.2, 0.06),
                    (0.22, -0.26, 0.07), (0.05, -0.3, 0.05)):
        b = disc(C + S * x, C + S * y, S * r)
        paint.fill_mask(img, b, (150, 200, 240, 110))
        paint.fill_mask(img, ImageChops.subtract(b, disc(C + S * x, C + S * y, S * r * 0.82)),
                        (225, 245, 255, 235))
        paint.fill_mask(img, disc(C + S * (x - r * 0.35), C + S * (y - r * 0.35), S * r * 0.22),
                        (255, 255, 255, 245))
    return paint.reduce(img, F)


def button(top, bottom, border, inset=False):
    img = paint.canvas(F)
    m = paint.mask(S)
    pad = S * 0.03
    ImageDraw.Draw(m).rounded_rectangle([pad, pad, S - pad, S - pad], radius=S * 0.16, fill=255)
    grad = Image.linear_gradient("L").resize((S, S))
    if inset:
        grad = grad.transpose(Image.FLIP_TOP_BOTTOM)
    face = Image.composite(Image.new("RGBA", (S, S), bottom + (255,)), Image.new("RGBA", (S, S), top + (255,)),
                           grad)
    paint.fill_mask(img, paint.grow(m, 0), border + (255,))
    inner = m.filter(ImageFilter.MinFilter(17))
    img.alpha_composite(Image.composite(face, Image.new("RGBA", (S, S), (0, 0, 0, 0)), inner))
    gloss = paint.mask(S)
    ImageDraw.Draw(gloss).rounded_rectangle([S * 0.12, S * 0.1, S * 0.88, S * 0.4], radius=S * 0.1, fill=60)
    if not inset:
        paint.fill_mask(img, gloss.filter(ImageFilter.GaussianBlur(6)), (255, 255, 255, 255))
    return paint.reduce(img, F)


def icon_canvas():
    return paint.canvas(F)


def stroke(img, pts, width, colour, outline=INK):
    d = ImageDraw.Draw(img)
    d.line(pts, fill=outline, width=width + 14, joint="curve")
    for p in (pts[0], pts[-1]):
        r = (width + 14) / 2
        d.ellipse([p[0] - r, p[1] - r, p[0] + r, p[1] + r], fill=outline)
    d.line(pts, fill=colour, width=width, joint="curve")
    for p in (pts[0], pts[-1]):
        r = width / 2
        d.ellipse([p[0] - r, p[1] - r, p[0] + r, p[1] + r], fill=colour)


def arrow_mask(tip, tail, head, shaft):
    dx, dy = tip[0] - tail[0], tip[1] - tail[1]
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n
    px, py = -uy, ux
    bx, by = tip[0] - ux * head, tip[1] - uy * head
    return paint.polygon_mask(S, [tip, (bx + px * head * 0.8, by + py * head * 0.8), (bx + px * shaft, by + py * shaft),
                                  (tail[0] + px * shaft, tail[1] + py * shaft), (tail[0] - px * shaft, tail[1] - py * shaft),
                                  (bx - px * shaft, by - py * shaft), (bx - px * head * 0.8, by - py * head * 0.8)])


def outlined(img, m, colour, width=8):
    paint.fill_mask(img, paint.grow(m, width), INK)
    paint.shaded(img, m, colour, amount=0.3)


def icon_stop():
    img = icon_canvas()
    octagon = paint.polygon_mask(S, paint.ring_points(C, C, S * 0.3, 8, math.pi / 8))
    outlined(img, octagon, (214, 52, 48))
    inner = paint.polygon_mask(S, paint.ring_points(C, C, S * 0.25, 8, math.pi / 8))
    paint.fill_mask(img, ImageChops.subtract(octagon, inner), (250, 250, 250, 255))
    bar = paint.mask(S)
    ImageDraw.Draw(bar).rounded_rectangle([C - S * 0.16, C - S * 0.045, C + S * 0.16, C + S * 0.045], radius=8, fill=255)
    paint.fill_mask(img, bar, (255, 255, 255, 255))
    return paint.reduce(img, F)


def icon_go():
    img = icon_canvas()
    m = arrow_mask((C + S * 0.3, C - S * 0.02), (C - S * 0.3, C - S * 0.02), S * 0.22, S * 0.08)
    outlined(img, m, (120, 220, 110))
    return paint.reduce(img, F)


def icon_follow():
    img = icon_canvas()
    for dx, colour in ((-0.16, (150, 200, 255)), (0.1, (200, 230, 255))):
        x = C + S * dx
        pts = [(x - S * 0.1, C - S * 0.2), (x + S * 0.08, C), (x - S * 0.1, C + S * 0.2)]
        stroke(img, pts, int(S * 0.07), colour)
    outlined(img, disc(C + S * 0.3, C, S * 0.065), (255, 230, 120), width=7)
    return paint.reduce(img, F)


def icon_attack():
    img = icon_canvas()
    for y, ln in ((-0.12, 0.2), (0.0, 0.26), (0.12, 0.2)):
        stroke(img, [(C - S * 0.34, C + S * y), (C - S * 0.34 + S * ln, C + S * y)], int(S * 0.035), (220, 230, 245))
    outlined(img, disc(C + S * 0.1, C, S * 0.2), (240, 244, 252), width=8)
    paint.fill_mask(img, disc(C + S * 0.04, C - S * 0.07, S * 0.05), (255, 255, 255, 255))
    return paint.reduce(img, F)


def icon_shovel():
    img = icon_canvas()
    paint.fill_mask(img, paint.grow(oval(C, C + S * 0.24, S * 0.3, S * 0.1), 7), INK)
    paint.shaded(img, oval(C, C + S * 0.24, S * 0.3, S * 0.1), (240, 244, 252))
    stroke(img, [(C + S * 0.2, C - S * 0.32), (C - S * 0.02, C + S * 0.02)], int(S * 0.06), (170, 120, 70))
    stroke(img, [(C + S * 0.12, C - S * 0.34), (C + S * 0.28, C - S * 0.28)], int(S * 0.05), (170, 120, 70))
    blade = paint.polygon_mask(S, [(C - S * 0.02, C - S * 0.04), (C + S * 0.06, C + S * 0.05),
                                   (C - S * 0.1, C + S * 0.22), (C - S * 0.2, C + S * 0.12)])
    outlined(img, blade, (185, 195, 210), width=7)
    return paint.reduce(img, F)


def icon_carry():
    img = icon_canvas()
    # A friend lying flat, and an arrow lifting him over to somewhere else.
    outlined(img, oval(C + S * 0.02, C + S * 0.22, S * 0.22, S * 0.09), (150, 200, 255), width=7)
    outlined(img, disc(C - S * 0.26, C + S * 0.2, S * 0.09), (232, 196, 168), width=7)
    arc = [(C - S * 0.3 + S * 0.6 * t, C - S * 0.02 - S * 0.26 * math.sin(math.pi * t)) for t in [i / 12 for i in range(11)]]
    stroke(img, arc, int(S * 0.06), (255, 210, 110))
    tip = arrow_mask((C + S * 0.38, C + S * 0.06), (C + S * 0.24, C - S * 0.08), S * 0.16, S * 0.03)
    outlined(img, tip, (255, 210, 110), width=7)
    return paint.reduce(img, F)


def pointer():
    # The tip sits in the top-left corner: the game draws this frame with its corner at the mouse.
    img = paint.canvas(F)
    k = S / 2  # the cursor is drawn at 32 pixels, so it fills the frame's top-left three quarters
    pts = [(6, 6), (6, k * 1.42), (k * 0.42, k * 1.1), (k * 0.7, k * 1.62), (k * 0.92, k * 1.5),
           (k * 0.64, k * 1.0), (k * 1.08, k * 1.0)]
    m = paint.polygon_mask(S, pts)
    paint.fill_mask(img, paint.grow(m, 9), INK)
    grad = Image.linear_gradient("L").resize((S, S))
    face = Image.composite(Image.new("RGBA", (S, S), (170, 210, 245, 255)), Image.new("RGBA", (S, S), (255, 255, 255, 255)),
                           grad)
    img.alpha_composite(Image.composite(face, Image.new("RGBA", (S, S), (0, 0, 0, 0)), m))
    return paint.reduce(img, F)


def crosshair():
    img = paint.canvas(F)
    band = ImageChops.subtract(disc(C, C, S * 0.3), disc(C, C, S * 0.24))
    lines = paint.mask(S)
    d = ImageDraw.Draw(lines)
    w = S * 0.035
    for a, b in (((C - w, S * 0.06), (C + w, S * 0.34)), ((C - w, S * 0.66), (C + w, S * 0.94)),
                 ((S * 0.06, C - w), (S * 0.34, C + w)), ((S * 0.66, C - w), (S * 0.94, C + w))):
        d.rectangle([a, b], fill=255)
    shape = ImageChops.lighter(ImageChops.lighter(band, lines), disc(C, C, S * 0.035))
    paint.fill_mask(img, paint.grow(shape, 8), INK)
    paint.fill_mask(img, shape, (255, 90, 60, 255))
    return paint.reduce(img, F)


def sheet():
    frames = {
        0: child(1.0, 0.34),
        1: child(0.97, 0.29, hair=HAIR, pigtails=True),
        2: child(0.94, 0.3, hood=True),
        7: snowball(),
        9: ring(),
        10: button((104, 132, 170), (58, 78, 112), (28, 36, 56)),
        11: button((146, 178, 220), (84, 112, 156), (40, 52, 80)),
        12: lying(),
        13: button((44, 60, 88), (76, 98, 132), (20, 26, 40), inset=True),
        14: icon_stop(),
        15: icon_go(),
        16: icon_follow(),
        17: icon_attack(),
        18: bubbles(),
        19: buried(),
        20: icon_shovel(),
        21: icon_carry(),
        22: pointer(),
        23: crosshair(),
    }
    img = Image.new("RGBA", (F * 8, F * 8), (0, 0, 0, 0))
    for i, f in frames.items():
        img.paste(f, ((i % 8) * F, (i // 8) * F))
    return img
