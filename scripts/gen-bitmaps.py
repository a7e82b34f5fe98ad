#!/usr/bin/env python3
"""Draws the program's bitmaps and writes them as 24-bit .bmp files.

Writes resources/bitmaps/*.bmp, resources/bitmaps.h (the IDB_ numbers) and
resources/Bitmaps.rc (the BITMAP lines). The outputs are committed, so the
build needs no Python; running this script again reproduces them exactly.

Every picture is made of shapes: functions telling whether a point lies
inside, drawn back to front with supersampling for smooth edges. A picture's
coordinates are its own pixel grid (0..16 for a 16x16 image), so edges put on
whole numbers are crisp. Images with a transparent colour are blended against
a neutral matte and every pixel that no shape touches is then written as
exact magenta (255, 0, 255), so no edge pixel is a mix with magenta.

Usage: gen-bitmaps.py [resources folder]
"""
import math
import os
import struct
import sys

SAMPLES = 4  # supersampling per axis, for smooth edges
MAGENTA = (255, 0, 255)
NEUTRAL = (240, 240, 240)  # what anti-aliased edges are blended against

# The palette.
OUTLINE = (66, 72, 84)
FOLDER_BACK = (232, 174, 54)
FOLDER = (250, 204, 88)
FOLDER_LIGHT = (254, 226, 140)
GOLD = (240, 182, 40)
GOLD_LIGHT = (252, 218, 112)
BLUE = (50, 118, 214)
BLUE_DARK = (30, 76, 156)
BLUE_LIGHT = (172, 204, 244)
SKY = (222, 236, 252)
PAPER = (255, 255, 255)
PAPER_SHADE = (212, 220, 232)
TEXT_LINE = (150, 162, 180)
GREEN = (48, 160, 72)
RED = (214, 52, 52)
STEEL = (150, 158, 172)
STEEL_LIGHT = (208, 214, 224)
STEEL_DARK = (104, 112, 126)
ORANGE = (244, 150, 40)
WOOD = (240, 208, 160)
TILE = (214, 228, 248)
TILE_BORDER = (150, 178, 218)


# ---------------------------------------------------------------------------
# Shapes


class Shape:
    """A region: test(x, y) tells whether the point is inside; box bounds it."""

    def __init__(self, test, box):
        self.test = test
        self.box = box  # (x0, y0, x1, y1)

    def __or__(self, other):
        a, b = self.test, other.test
        return Shape(lambda x, y: a(x, y) or b(x, y), _box_union(self.box, other.box))

    def __sub__(self, other):
        a, b = self.test, other.test
        return Shape(lambda x, y: a(x, y) and not b(x, y), self.box)

    def __and__(self, other):
        a, b = self.test, other.test
        x0, y0, x1, y1 = self.box
        u0, v0, u1, v1 = other.box
        return Shape(lambda x, y: a(x, y) and b(x, y), (max(x0, u0), max(y0, v0), min(x1, u1), min(y1, v1)))

    def affine(self, a, b, c, d, e, f):
        """The shape mapped by x' = a x + b y + e, y' = c x + d y + f."""
        det = a * d - b * c
        ia, ib, ic, id_ = d / det, -b / det, -c / det, a / det
        test = self.test

        def inside(x, y):
            x -= e
            y -= f
            return test(ia * x + ib * y, ic * x + id_ * y)
        x0, y0, x1, y1 = self.box
        corners = [(a * x + b * y + e, c * x + d * y + f) for x in (x0, x1) for y in (y0, y1)]
        xs = [p[0] for p in corners]
        ys = [p[1] for p in corners]
        return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))

    def moved(self, dx, dy):
        test = self.test
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: test(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))

    def rotated(self, degrees, cx=0.0, cy=0.0):
        """Turned clockwise on screen (y points down) about (cx, cy)."""
        t = math.radians(degrees)
        # Rounded so that the pictures do not hang on the last bit of a platform's sin and cos.
        co, si = round(math.cos(t), 12), round(math.sin(t), 12)
        return self.affine(co, -si, si, co, cx - co * cx + si * cy, cy - si * cx - co * cy)

    def scaled(self, sx, sy=None):
        return self.affine(sx, 0, 0, sx if sy is None else sy, 0, 0)

    def grown(self, w=1.0):
        """The shape widened by w on every side (for outlines drawn behind it)."""
        offsets = [(0.0, 0.0)] + [(round(w * math.cos(math.pi * k / 8), 12), round(w * math.sin(math.pi * k / 8), 12))
                                  for k in range(16)]
        test = self.test
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: any(test(x - dx, y - dy) for dx, dy in offsets), (x0 - w, y0 - w, x1 + w, y1 + w))


def _box_union(p, q):
    return (min(p[0], q[0]), min(p[1], q[1]), max(p[2], q[2]), max(p[3], q[3]))


def union(*shapes):
    result = shapes[0]
    for s in shapes[1:]:
        result = result | s
    return result


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, (x0, y0, x1, y1))


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape(inside, (x0, y0, x1, y1))


def ellipse(cx, cy, rx, ry):
    return Shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, (cx - rx, cy - ry, cx + rx, cy + ry))


def circle(cx, cy, r):
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r_outer, r_inner):
    return circle(cx, cy, r_outer) - circle(cx, cy, r_inner)


def _angle_in(a, a0, a1):
    return (a - a0) % 360.0 <= (a1 - a0) % 360.0


def arc(cx, cy, r_outer, r_inner, a0, a1):
    """Part of a ring from angle a0 to a1 in degrees, clockwise on screen, 0 pointing right."""
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        if d > r_outer * r_outer or d < r_inner * r_inner:
            return False
        return _angle_in(math.degrees(math.atan2(y - cy, x - cx)), a0, a1)
    return Shape(inside, (cx - r_outer, cy - r_outer, cx + r_outer, cy + r_outer))


def polygon(*points):
    """Even-odd fill of a closed polygon."""
    n = len(points)
    edges = [(points[i], points[(i + 1) % n]) for i in range(n)]

    def inside(x, y):
        result = False
        for (xa, ya), (xb, yb) in edges:
            if (ya > y) != (yb > y):
                if x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    result = not result
        return result
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


def segment(xa, ya, xb, yb, width):
    """A stroke with round ends."""
    dx, dy = xb - xa, yb - ya
    length2 = dx * dx + dy * dy
    r2 = (width / 2.0) ** 2

    def inside(x, y):
        t = ((x - xa) * dx + (y - ya) * dy) / length2
        t = min(max(t, 0.0), 1.0)
        return (x - xa - t * dx) ** 2 + (y - ya - t * dy) ** 2 <= r2
    h = width / 2.0
    return Shape(inside, (min(xa, xb) - h, min(ya, yb) - h, max(xa, xb) + h, max(ya, yb) + h))


def gear(cx, cy, r_root, r_tip, teeth, r_hole):
    step = 360.0 / teeth

    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        if d > r_tip * r_tip or d < r_hole * r_hole:
            return False
        if d <= r_root * r_root:
            return True
        a = math.degrees(math.atan2(y - cy, x - cx)) % step
        # Teeth narrow towards the tip.
        half = step * (0.30 - 0.08 * (math.sqrt(d) - r_root) / (r_tip - r_root))
        return abs(a - step / 2) <= half
    return Shape(inside, (cx - r_tip, cy - r_tip, cx + r_tip, cy + r_tip))


def star(cx, cy, r_long, r_short, points=4, turn=-90.0):
    corners = []
    for k in range(points * 2):
        r = r_long if k % 2 == 0 else r_short
        a = math.radians(turn + 180.0 * k / points)
        corners.append((cx + r * round(math.cos(a), 12), cy + r * round(math.sin(a), 12)))
    return polygon(*corners)


# ---------------------------------------------------------------------------
# Colours


def mix(c, d, t):
    """c moved towards d by t (0..1)."""
    return tuple(a + (b - a) * t for a, b in zip(c, d))


def darker(c, t=0.25):
    return mix(c, (0, 0, 0), t)


def lighter(c, t=0.25):
    return mix(c, (255, 255, 255), t)


def muted(c):
    """Less saturated, as the plain set wants it."""
    grey = 0.30 * c[0] + 0.59 * c[1] + 0.11 * c[2]
    return mix(c, (grey, grey, grey), 0.55)


def greyed(c):
    """The washed-out grey of a disabled button."""
    grey = 0.30 * c[0] + 0.59 * c[1] + 0.11 * c[2]
    return mix((grey, grey, grey), (236, 236, 236), 0.55)


def recolour(layers, f):
    out = []
    for shape, colour in layers:
        if callable(colour):
            out.append((shape, (lambda c: lambda x, y: f(c(x, y)))(colour)))
        else:
            out.append((shape, f(colour)))
    return out


def shifted(layers, dx, dy):
    return [(shape.moved(dx, dy), colour) for shape, colour in layers]


def outlined(shape, fill, line=OUTLINE, w=1.0):
    """The shape in its colour with a line of width w around it."""
    return [(shape.grown(w), line), (shape, fill)]


# ---------------------------------------------------------------------------
# Rendering and files


class Canvas:
    def __init__(self, width, height, matte=NEUTRAL, transparent=True):
        self.width = width
        self.height = height
        self.transparent = transparent
        self.rgb = [[list(matte) for _ in range(width)] for _ in range(height)]
        self.cover = [[0.0] * width for _ in range(height)]

    def draw(self, layers, dx=0, dy=0):
        for shape, colour in layers:
            self.fill(shape.moved(dx, dy) if (dx or dy) else shape, colour)
        return self

    def fill(self, shape, colour):
        x0, y0, x1, y1 = shape.box
        test = shape.test
        n = SAMPLES * SAMPLES
        offsets = [((sx + 0.5) / SAMPLES, (sy + 0.5) / SAMPLES) for sy in range(SAMPLES) for sx in range(SAMPLES)]
        for py in range(max(0, int(math.floor(y0))), min(self.height, int(math.ceil(y1)) + 1)):
            row_rgb = self.rgb[py]
            row_cover = self.cover[py]
            for px in range(max(0, int(math.floor(x0))), min(self.width, int(math.ceil(x1)) + 1)):
                hits = 0
                for ox, oy in offsets:
                    if test(px + ox, py + oy):
                        hits += 1
                if hits == 0:
                    continue
                t = hits / n
                c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                pixel = row_rgb[px]
                for i in range(3):
                    pixel[i] = c[i] * t + pixel[i] * (1.0 - t)
                row_cover[px] = t + row_cover[px] * (1.0 - t)

    def pixels(self):
        """RGB rows from top to bottom."""
        rows = []
        for py in range(self.height):
            row = []
            for px in range(self.width):
                if self.transparent and self.cover[py][px] == 0.0:
                    row.append(MAGENTA)
                else:
                    row.append(tuple(min(255, max(0, int(v + 0.5))) for v in self.rgb[py][px]))
            rows.append(row)
        return rows


def strip(canvases):
    """Images side by side, as one row of pixels."""
    parts = [c.pixels() for c in canvases]
    return [sum((p[y] for p in parts), []) for y in range(len(parts[0]))]


def check_magenta(name, rows, transparent):
    """Magenta is only ever the background: no drawn pixel may come near it."""
    for y, row in enumerate(rows):
        for x, (r, g, b) in enumerate(row):
            if (r, g, b) == MAGENTA:
                if not transparent:
                    raise SystemExit("%s: magenta at %d,%d in an opaque image" % (name, x, y))
                continue
            if r > 170 and b > 170 and g < min(r, b) - 90:
                raise SystemExit("%s: magenta-like colour %r at %d,%d" % (name, (r, g, b), x, y))


def bmp_bytes(rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


# ---------------------------------------------------------------------------
# Parts of pictures. Coordinates give the filled area; outlines go around it.


def folder(x0, y0, x1, y1, tab_w=None, tab_h=2.0):
    """A closed folder."""
    w = x1 - x0
    tab_w = tab_w if tab_w is not None else round(w * 0.42)
    back = rounded_rect(x0, y0, x0 + tab_w, y0 + tab_h + 1, 0.8) | rect(x0, y0 + tab_h, x1, y1)
    front = rect(x0, y0 + tab_h + 1.0, x1, y1)
    layers = outlined(back, FOLDER_BACK)
    layers += [(front, FOLDER), (front & rect(x0, front.box[1], x1, front.box[1] + 1), FOLDER_LIGHT)]
    return layers


def open_folder(x0, y0, x1, y1, tab_w=None, tab_h=2.0, paper=True):
    """An open folder: the back, a sheet in it, the front flap leaning back."""
    w = x1 - x0
    tab_w = tab_w if tab_w is not None else round(w * 0.38)
    bx1 = x1 - max(2, round(w * 0.16))
    back = rounded_rect(x0, y0, x0 + tab_w, y0 + tab_h + 1, 0.8) | rect(x0, y0 + tab_h, bx1, y1)
    layers = outlined(back, FOLDER_BACK)
    fy = y0 + tab_h + round((y1 - y0) * 0.28)
    if paper:
        sheet = rect(x0 + 2, y0 + tab_h + 1, bx1 - 1, fy + 1)
        layers += outlined(sheet, PAPER)
    skew = max(2.5, (y1 - fy) * 0.45)
    front = polygon((x0 + skew, fy), (x1 + 0.5, fy), (x1 + 0.5 - skew, y1), (x0, y1))
    layers += outlined(front, FOLDER)
    layers += [(front & rect(x0, fy, x1 + 1, fy + 1), FOLDER_LIGHT)]
    return layers


def page(x0, y0, x1, y1, fold=3.0, lines=0, line_colour=TEXT_LINE):
    """A sheet of paper with its top right corner folded."""
    body = polygon((x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1))
    corner = polygon((x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold))
    layers = outlined(body, PAPER) + [(corner.grown(0.5) & body, OUTLINE), (corner, PAPER_SHADE)]
    for i in range(lines):
        y = math.floor(y0 + fold) + 2 + 2 * i
        if y + 1 > y1 - 1:
            break
        right = x1 - 1.5 if i % 2 == 0 else x1 - 3
        layers.append((rect(x0 + 1.5, y, right, y + 1), line_colour))
    return layers


def key_shape(size=1.0):
    """A key with its head at the origin and the shaft along +x, for a 16 pixel picture at size 1."""
    head = circle(0, 0, 3.3) - circle(0, 0, 1.2)
    shaft = rect(2.5, -1.0, 10.5, 1.0)
    teeth = rect(5.5, 0.5, 7.5, 3.0) | rect(8.5, 0.5, 10.5, 4.0)
    shape = head | shaft | teeth
    return shape.scaled(size) if size != 1.0 else shape


def key(cx, cy, size=1.0, angle=0.0, fill=GOLD, line=OUTLINE, w=1.0):
    shape = key_shape(size).rotated(angle).moved(cx, cy)
    return outlined(shape, fill, line, w)


def plus(cx, cy, arm, thick, fill=GREEN):
    h = thick / 2.0
    shape = rect(cx - arm, cy - h, cx + arm, cy + h) | rect(cx - h, cy - arm, cx + h, cy + arm)
    return outlined(shape, fill)


def cross(cx, cy, arm, thick, fill=RED):
    h = thick / 2.0
    bar = rect(-arm, -h, arm, h)
    shape = (bar.rotated(45) | bar.rotated(-45)).moved(cx, cy)
    return outlined(shape, fill)


def pencil(tip_x, tip_y, length, half, angle=-45.0):
    """A pencil lying from its tip at (tip_x, tip_y) towards the angle."""
    tip = 0.38 * length if length < 12 else 0.3 * length
    band = max(1.5, length * 0.14)
    parts = [
        (polygon((0, 0), (tip, -half), (tip, half)), WOOD),
        (polygon((0, 0), (tip * 0.4, -half * 0.4), (tip * 0.4, half * 0.4)), OUTLINE),
        (rect(tip, -half, length - band, half), ORANGE),
        (rect(tip, -half, length - band, -half * 0.2), lighter(ORANGE, 0.35)),
        (rect(length - band, -half, length, half), (228, 104, 96)),
    ]
    outline = union(*(s for s, _ in parts[:1] + parts[2:3] + parts[4:]))
    place = lambda s: s.rotated(angle).moved(tip_x, tip_y)
    return [(place(outline).grown(1.0), OUTLINE)] + [(place(s), c) for s, c in parts]


def magnifier(cx, cy, r, handle, thick=None, rim=None):
    """A magnifying glass with its lens centred at (cx, cy) and the handle to the lower right."""
    rim = rim if rim is not None else max(1.5, r * 0.32)
    thick = thick if thick is not None else rim * 1.5
    d = (r + handle) / math.sqrt(2.0)
    e = (r - rim * 0.5) / math.sqrt(2.0)
    handle_shape = segment(cx + e, cy + e, cx + d, cy + d, thick)
    lens = circle(cx, cy, r)
    glass = circle(cx, cy, r - rim)
    shine = arc(cx, cy, r - rim - 0.6, max(0.0, r - rim - 0.6 - max(1.0, r * 0.22)), 190, 260)
    return [((lens | handle_shape).grown(0.75), OUTLINE), (handle_shape, STEEL_DARK), (lens, BLUE_DARK),
            (glass, SKY), (shine, PAPER)]


def floppy(x0, y0, x1, y1, body=BLUE):
    w = x1 - x0
    h = y1 - y0
    shell = polygon((x0, y0), (x1 - 1.5, y0), (x1, y0 + 1.5), (x1, y1), (x0, y1))
    sx0 = x0 + round(w * 0.22)
    sx1 = x1 - round(w * 0.22)
    shutter = rect(sx0, y0, sx1, y0 + round(h * 0.36))
    slot = rect(sx1 - max(1.0, round(w * 0.17)), y0 + 1, sx1 - max(1.0, round(w * 0.17)) + max(1.0, round(w * 0.12)),
                y0 + round(h * 0.36) - 1)
    label = rect(x0 + round(w * 0.12), y1 - round(h * 0.42), x1 - round(w * 0.12), y1)
    layers = outlined(shell, body)
    layers += [(shutter, STEEL_LIGHT), (slot, body), (label, PAPER)]
    if h > 12:
        for i in range(2):
            y = label.box[1] + 2 + 2.5 * i
            layers.append((rect(label.box[0] + 1.5, y, label.box[2] - 1.5, y + 1), TEXT_LINE))
    return layers


def printer(x0, y0, x1, y1):
    w = x1 - x0
    h = y1 - y0
    inset = round(w * 0.2)
    top = y0 + round(h * 0.38)
    low = y1 - round(h * 0.3)
    paper_in = rect(x0 + inset, y0, x1 - inset, top + 1)
    body = rounded_rect(x0, top, x1, low, 1.0)
    paper_out = rect(x0 + inset, low - round(h * 0.18), x1 - inset, y1)
    layers = outlined(paper_in, PAPER) + outlined(body, STEEL) + outlined(paper_out, PAPER)
    layers.append((rect(x0, top, x1, top + 1) & body, STEEL_LIGHT))
    led = max(1.0, round(w * 0.1))
    layers.append((rect(x1 - 1 - led, top + 1.5, x1 - 1, top + 1.5 + led), GREEN))
    for i in range(2 if h > 14 else 1):
        y = paper_out.box[1] + 2 + 2 * i
        if y + 1 <= y1 - 0.5:
            layers.append((rect(paper_out.box[0] + 1.5, y, paper_out.box[2] - 1.5, y + 1), TEXT_LINE))
    return layers


def card(x0, y0, x1, y1, lines=2, band=BLUE):
    """A record: a white card with a coloured band at the top."""
    body = rounded_rect(x0, y0, x1, y1, 1.0)
    h = y1 - y0
    band_h = 2.0 if h < 10 else 3.0
    layers = outlined(body, PAPER) + [(body & rect(x0, y0, x1, y0 + band_h), band)]
    for i in range(lines):
        y = y0 + band_h + 2 + 2.5 * i
        right = x1 - 2 if i % 2 == 0 else x1 - 5
        layers.append((rect(x0 + 2, y, right, y + 1), TEXT_LINE))
    return layers


def arrow(x0, y, x1, half_shaft, head_len, half_head):
    """An arrow pointing right from x0 to x1 along the line y; turn it for other ways."""
    return polygon((x0, y - half_shaft), (x1 - head_len, y - half_shaft), (x1 - head_len, y - half_head), (x1, y),
                   (x1 - head_len, y + half_head), (x1 - head_len, y + half_shaft), (x0, y + half_shaft))


def calendar(x0, y0, x1, y1):
    body = rounded_rect(x0, y0, x1, y1, 0.8)
    header = body & rect(x0, y0, x1, y0 + 3)
    layers = outlined(body, PAPER) + [(header, BLUE)]
    w = x1 - x0
    cols = [x0 + 1 + i * (w - 2) / 3.0 for i in range(3)]
    rows = [y0 + 4.5, y0 + 7.5]
    for y in rows:
        for x in cols:
            layers.append((rect(round(x + 0.5), y, round(x + 0.5) + 2, y + 2), TEXT_LINE))
    rings = rect(x0 + 2, y0 - 2, x0 + 3, y0 + 1) | rect(x1 - 3, y0 - 2, x1 - 2, y0 + 1)
    layers.append((rings, OUTLINE))
    return layers


def badge(cx, cy, r, colour=RED):
    """A round mark with a white ring around it."""
    return [(circle(cx, cy, r + 1.0), PAPER), (circle(cx, cy, r), colour)]


def clock_badge(cx, cy, r):
    hands = rect(cx - 0.5, cy - r + 1.2, cx + 0.5, cy + 0.5) | rect(cx - 0.5, cy - 0.5, cx + r - 1.2, cy + 0.5)
    return badge(cx, cy, r) + [(hands, PAPER)]


# ---------------------------------------------------------------------------
# 16x16 pictures


def folder16():
    return folder(2, 3, 14, 13, tab_w=5)


def folder_open16():
    return open_folder(1, 3, 14, 13, tab_w=5)


def key16():
    return key(4.5, 7.0)


def new_file16():
    return page(3, 1, 12, 14, fold=3.5)


def open_file16():
    layers = open_folder(1, 6, 13, 14, tab_w=4, paper=False)
    shaft = segment(6, 9.5, 11.5, 4, 1.8)
    head = polygon((14.5, 1.5), (14.5, 6.5), (9.5, 1.5))
    return layers + outlined(shaft | head, GREEN)


def save16(body=BLUE):
    return floppy(2, 2, 14, 14, body)


def gear16():
    shape = gear(8, 8, 4.6, 6.6, 8, 1.8)
    return outlined(shape, STEEL) + [(ring(8, 8, 3.2, 1.8), STEEL_LIGHT)]


def printer16():
    layers = outlined(rect(4, 1, 12, 6), PAPER) + outlined(rounded_rect(1, 5, 15, 11, 1.0), STEEL)
    layers += [(rect(2, 5, 14, 6), STEEL_LIGHT), (rect(12, 7, 13, 8), GREEN)]
    layers += outlined(rect(4, 9, 12, 15), PAPER) + [(rect(5.5, 11, 10.5, 12), TEXT_LINE)]
    return layers


def export16():
    layers = page(2, 1, 10, 14, fold=3.0)
    return layers + outlined(arrow(6, 10, 15, 1.0, 3.5, 3.5), BLUE)


def import16():
    layers = page(6, 1, 14, 14, fold=3.0)
    return layers + outlined(arrow(1, 10, 10, 1.0, 3.5, 3.5), GREEN)


def help16():
    hook = arc(8, 6.0, 3.0, 1.4, 180, 80)
    stem = rect(7.25, 7.9, 8.75, 10.2)
    dot = circle(8, 12.1, 1.0)
    return outlined(circle(8, 8, 6.5), BLUE) + [(hook | stem | dot, PAPER)]


def record16():
    body = rounded_rect(1, 2, 15, 14, 1.0)
    small_key = (circle(4.5, 9, 2.6) - circle(4.5, 9, 1.0)) | rect(6.5, 8, 13, 10) | rect(9.5, 10, 11, 12) | \
        rect(11.5, 10, 13, 12)
    return outlined(body, PAPER) + [(body & rect(1, 2, 15, 4), BLUE)] + \
        outlined(small_key, GOLD, darker(GOLD, 0.4), 0.75)


def record_expired16():
    return record16() + clock_badge(12, 11.5, 3.5)


def tag16():
    shape = polygon((0, 0), (4, -4), (12, -4), (12, 4), (4, 4)).rotated(-45).moved(3.0, 13.0)
    return outlined(shape, FOLDER) + [(circle(5.6, 10.4, 1.2), OUTLINE)]


def person16():
    head = circle(8, 5, 3.0)
    body = (ellipse(8, 15, 6.0, 5.5) & rect(0, 9.5, 16, 15))
    return outlined(body, BLUE) + outlined(head, BLUE_LIGHT)


def disc16():
    layers = outlined(circle(8, 8, 6.5) - circle(8, 8, 1.5), STEEL_LIGHT)
    layers.append((arc(8, 8, 5.5, 3.0, 200, 250), BLUE_LIGHT))
    layers.append((arc(8, 8, 5.5, 3.0, 20, 70), PAPER))
    layers.append((ring(8, 8, 2.6, 1.5), STEEL))
    return layers


def barcode16():
    layers = outlined(rect(1, 3, 15, 13), PAPER)
    x = 2.5
    for width in (1, 1, 2, 1, 1, 2, 1, 1.5):
        layers.append((rect(x, 4.5, x + width, 11.5), OUTLINE))
        x += width + 0.5 + (0.5 if width > 1 else 0)
    return layers


def credit_card16():
    body = rounded_rect(1, 3, 15, 13, 1.2)
    return outlined(body, BLUE) + [(rect(1, 5, 15, 7), BLUE_DARK), (rounded_rect(3, 8.5, 6.5, 11, 0.5), GOLD_LIGHT),
                                   (rect(9, 10, 13, 11), BLUE_LIGHT)]


def bank16():
    roof = polygon((8, 1.5), (14.5, 5.5), (1.5, 5.5))
    base = rect(1.5, 12.5, 14.5, 14.0)
    layers = outlined(roof, STEEL_LIGHT) + outlined(base, STEEL_LIGHT)
    for x in (3, 7, 11):
        layers += outlined(rect(x, 6.5, x + 2, 11.5), PAPER, OUTLINE, 1.0)
    return layers


def number16():
    bar_v = polygon((6.0, 2), (8.0, 2), (7.0, 14), (5.0, 14))
    shape = bar_v | bar_v.moved(4, 0) | rect(2.5, 5, 13.5, 7) | rect(2.0, 9, 13.0, 11)
    return outlined(shape, GREEN)


def phone16():
    band = arc(11.5, 4.5, 9.0, 6.0, 90, 180)
    ear = rounded_rect(2.5, 1.5, 7.0, 5.0, 1.2)
    mouth = rounded_rect(11.0, 9.0, 14.5, 13.5, 1.2)
    return outlined(band | ear | mouth, BLUE)


def calendar16(marked=False):
    layers = calendar(2, 3, 14, 14)
    if marked:
        layers += badge(12.0, 12.0, 2.8)
    return layers


# ---------------------------------------------------------------------------
# 24x24 editor buttons: a glyph on a tile (skin) or alone in muted colours (plain)


def skin_tile(fill=TILE, border=TILE_BORDER):
    light = lighter(fill, 0.55)
    return [(rounded_rect(0, 0, 24, 24, 4), border),
            (rounded_rect(1, 1, 23, 23, 3), lambda x, y: mix(light, fill, min(1.0, y / 14.0)))]


def button_add_folder():
    return folder(3, 5, 18, 18, tab_w=6) + plus(17.5, 16.5, 4.5, 2.4)


def button_add_subfolder():
    return folder(3, 3, 15, 13, tab_w=5) + folder(8, 10, 19, 19, tab_w=4) + plus(18.5, 5.5, 3.5, 2.0)


def button_delete_folder():
    return folder(3, 5, 18, 18, tab_w=6) + cross(17.0, 16.5, 4.0, 2.4)


def button_rename_folder():
    return folder(3, 5, 18, 18, tab_w=6) + pencil(11.0, 21.0, 14.0, 2.0)


def button_search_folders():
    return folder(3, 4, 17, 16, tab_w=6) + magnifier(15.0, 15.0, 4.2, 4.5)


def button_add_record():
    return card(3, 5, 18, 17) + plus(17.5, 16.5, 4.5, 2.4)


def button_delete_record():
    return card(3, 5, 18, 17) + cross(17.0, 16.5, 4.0, 2.4)


def button_edit_record():
    return card(3, 5, 18, 17) + pencil(11.0, 21.0, 14.0, 2.0)


def button_search_records():
    return magnifier(10.0, 10.0, 6.0, 8.0)


def button_generate():
    return key(6.0, 17.0, 0.95, -40) + [(star(17.5, 6.0, 5.5, 1.4), BLUE), (star(20.5, 13.5, 3.0, 0.9), BLUE)]


def box_tray(x0, y0, x1, y1):
    """An open box seen from the front: a tray with a rim."""
    tray = polygon((x0, y0), (x0 + 3, y0), (x0 + 4, y1 - 4), (x1 - 4, y1 - 4), (x1 - 3, y0), (x1, y0), (x1, y1),
                   (x0, y1))
    return outlined(tray, STEEL)


def button_import():
    down = arrow(2, 12, 14, 2.0, 5.0, 5.0).rotated(90, 12, 12).moved(0, -1.0)
    return box_tray(3, 12, 21, 21) + outlined(down, GREEN)


def button_export():
    up = arrow(2, 12, 14, 2.0, 5.0, 5.0).rotated(-90, 12, 12).moved(0, -1.0)
    return box_tray(3, 12, 21, 21) + outlined(up, BLUE)


def button_report():
    return printer(3, 3, 21, 21)


def button_form_data():
    window = rounded_rect(3, 4, 21, 20, 1.0)
    layers = outlined(window, PAPER) + [(window & rect(3, 4, 21, 7), BLUE)]
    for y in (9.5, 14.5):
        layers.append((rect(5, y, 5 + 3, y + 1), TEXT_LINE))
        layers += outlined(rect(10, y - 1, 19, y + 2), SKY, STEEL)
    return layers


def button_open_web():
    cx, cy, r = 11.5, 11.5, 8.5
    globe = circle(cx, cy, r)
    grid = (ellipse(cx, cy, 4.5, r) - ellipse(cx, cy, 3.5, r - 0.8)) | rect(cx - 0.5, cy - r, cx + 0.5, cy + r) | \
        rect(cx - r, cy - 0.5, cx + r, cy + 0.5) | rect(cx - r, 6, cx + r, 7) | rect(cx - r, 16, cx + r, 17)
    return outlined(globe, BLUE) + [(grid & globe, BLUE_LIGHT)]


def button_send_email():
    body = rect(3, 6, 21, 19)
    flap = segment(3.5, 6.5, 12, 13, 1.2) | segment(12, 13, 20.5, 6.5, 1.2)
    return outlined(body, PAPER) + [(flap & body, OUTLINE), (polygon((3, 6), (21, 6), (12, 12.6)) & body, SKY)] + \
        [(segment(3.5, 18.5, 9.5, 13.0, 0.9) | segment(20.5, 18.5, 14.5, 13.0, 0.9), PAPER_SHADE)]


EDITOR_BUTTONS = [
    ("ADD_FOLDER", button_add_folder, "add a folder: a folder with a green plus"),
    ("ADD_SUBFOLDER", button_add_subfolder, "add a subfolder: a folder, a small folder and a plus"),
    ("DELETE_FOLDER", button_delete_folder, "delete the folder: a folder with a red cross"),
    ("RENAME_FOLDER", button_rename_folder, "rename the folder: a folder with a pencil"),
    ("SEARCH_FOLDERS", button_search_folders, "search the folders: a folder with a magnifier"),
    ("ADD_RECORD", button_add_record, "add a record: a card with a green plus"),
    ("DELETE_RECORD", button_delete_record, "delete the record: a card with a red cross"),
    ("EDIT_RECORD", button_edit_record, "edit the record: a card with a pencil"),
    ("SEARCH_RECORDS", button_search_records, "search the records: a magnifier"),
    ("GENERATE", button_generate, "generate a password: a key with sparkles"),
    ("IMPORT", button_import, "import: an arrow into a box"),
    ("EXPORT", button_export, "export: an arrow out of a box"),
    ("REPORT", button_report, "print a report: a printer"),
    ("FORM_DATA", button_form_data, "edit the form data: a window with two input lines"),
    ("OPEN_WEB", button_open_web, "open the web page: a globe"),
    ("SEND_EMAIL", button_send_email, "send an email: an envelope"),
]


# ---------------------------------------------------------------------------
# The tray window: its two backgrounds and its buttons

TRAY_W, TRAY_H = 203, 247
TRAY_TOP = (118, 170, 232)
TRAY_BOTTOM = (44, 98, 186)
TRAY_EDGE = (28, 62, 128)
TRAY_PLAIN = (236, 236, 236)
TRAY_BUTTON_ROW = 46  # the middle of the row of buttons, y 34..58


def tray_gradient(y):
    return mix(TRAY_TOP, TRAY_BOTTOM, min(1.0, max(0.0, y / TRAY_H)))


def tray_emblem(x, y, colours=lambda c: c):
    """The small key of the title strip, at (x, y) to (x + 16, y + 16)."""
    return recolour(key(x + 4.5, y + 8.0, 0.82), colours)


def tray_skin():
    window = rounded_rect(0, 0, TRAY_W, TRAY_H, 19)
    inner = rounded_rect(1, 1, TRAY_W - 1, TRAY_H - 1, 18)
    strip = rounded_rect(8, 8, TRAY_W - 8, 29, 6)
    frame = rounded_rect(11, 61, TRAY_W - 11, 237, 4)
    layers = [
        (window, TRAY_EDGE),
        (inner, lambda x, y: tray_gradient(y)),
        (rect(2, 2, TRAY_W - 2, 3) & inner, lambda x, y: lighter(tray_gradient(y), 0.35)),
        (strip, (208, 226, 248)),
        (strip - rounded_rect(9, 9, TRAY_W - 9, 28, 5), (246, 250, 255)),
        (rect(9, 19, TRAY_W - 9, 28) & rounded_rect(9, 9, TRAY_W - 9, 28, 5), (194, 214, 242)),
        (frame, (160, 194, 238)),
        (rounded_rect(12, 62, TRAY_W - 12, 236, 3), (214, 230, 250)),
        (rect(14, 64, TRAY_W - 14, 234), (98, 140, 200)),
        (rect(15, 65, TRAY_W - 15, 233), PAPER),
    ]
    canvas = Canvas(TRAY_W, TRAY_H, TRAY_EDGE, transparent=False)
    canvas.draw(layers)
    canvas.draw(tray_emblem(13, 10))
    return canvas


def tray_plain():
    window = rounded_rect(0, 0, TRAY_W, TRAY_H, 19)
    inner = rounded_rect(1, 1, TRAY_W - 1, TRAY_H - 1, 18)
    strip = rounded_rect(8, 8, TRAY_W - 8, 29, 4)
    layers = [
        (window, (150, 150, 150)),
        (inner, TRAY_PLAIN),
        (strip, (196, 196, 196)),
        (rounded_rect(9, 9, TRAY_W - 9, 28, 3), (250, 250, 250)),
        (rect(14, 64, TRAY_W - 14, 234), (170, 170, 170)),
        (rect(15, 65, TRAY_W - 15, 233), PAPER),
    ]
    canvas = Canvas(TRAY_W, TRAY_H, (150, 150, 150), transparent=False)
    canvas.draw(layers)
    canvas.draw(tray_emblem(13, 10, muted))
    return canvas


def tray_search():
    return magnifier(10.0, 10.0, 5.5, 6.5)


def tray_copy():
    return page(4, 3, 14, 16, fold=3.0, lines=3) + page(9, 8, 19, 21, fold=3.0, lines=3)


def tray_paste():
    board = rounded_rect(4, 4, 19, 21, 1.5)
    clip = rounded_rect(8, 2, 15, 6, 1.0)
    return outlined(board, (196, 148, 92)) + page(7, 8, 16, 19, fold=2.5, lines=3) + outlined(clip, STEEL)


def tray_close():
    return cross(12, 12, 6.5, 3.0)


def tray_editor():
    return page(4, 3, 16, 20, fold=3.5, lines=4) + pencil(9.5, 20.5, 15.0, 2.2)


def tray_button(glyph, tile, border, pressed=False, colours=None):
    layers = []
    if tile is not None:
        fill = darker(tile, 0.08) if pressed else tile
        layers += [(rounded_rect(0, 0, 24, 24, 4), darker(border, 0.1) if pressed else border),
                   (rounded_rect(1, 1, 23, 23, 3),
                    (lambda f: lambda x, y: mix(f, darker(f, 0.08), y / 24.0))(fill) if pressed else
                    (lambda f: lambda x, y: mix(lighter(f, 0.6), f, min(1.0, y / 14.0)))(fill))]
    g = glyph()
    if colours is not None:
        g = recolour(g, colours)
    if pressed:
        g = shifted(g, 1, 1)
    return layers + g


def pin(pushed):
    """A push pin: upright and pressed in, or tilted and loose."""
    needle = rect(-0.6, 0, 0.6, 4.5 if pushed else 7.0)
    collar = rect(-4.5, -2.5, 4.5, 0)
    body = rect(-2.5, -8, 2.5, -2.5)
    cap = rounded_rect(-4, -11, 4, -8, 1.0)
    parts = [(needle, STEEL_DARK), (collar, RED), (body, lighter(RED, 0.15)), (cap, RED)]
    if pushed:
        place = lambda s: s.moved(12, 15.5)
    else:
        place = lambda s: s.rotated(40).moved(11.5, 13.5)
    shapes = [(place(s), c) for s, c in parts]
    outline = union(*(s for s, _ in shapes[1:])).grown(1.0)
    layers = [(shapes[0][0].grown(0.6), OUTLINE), shapes[0], (outline, OUTLINE)] + shapes[1:]
    layers.append((place(rect(-1.8, -7.5, -0.8, -3)), lighter(RED, 0.5)))
    if pushed:
        layers.insert(0, (ellipse(12, 20.5, 4.5, 1.3), (120, 126, 138)))
    return layers


TRAY_SKIN_TILE = (226, 238, 252)
TRAY_SKIN_BORDER = (84, 124, 190)
TRAY_PLAIN_TILE = (248, 248, 248)
TRAY_PLAIN_BORDER = (176, 176, 176)


# ---------------------------------------------------------------------------
# The list of bitmaps: (number, name, file, comment, function giving rows)


def single(layers, width=16, height=16, matte=NEUTRAL, transparent=True):
    return lambda: Canvas(width, height, matte, transparent).draw(layers() if callable(layers) else layers).pixels()


def menu_images():
    glyphs = [new_file16, open_file16, save16, key16, gear16, printer16, export16, import16,
              help16]
    return strip([Canvas(16, 16).draw(g()) for g in glyphs])


def sort_arrows():
    grey = (88, 94, 104)
    # Whole pixels, one more on each side per row: crisp at this size.
    up = union(*(rect(4 - i, 2 + i, 5 + i, 3 + i) for i in range(4)))
    down = union(*(rect(4 - i, 6 - i, 5 + i, 7 - i) for i in range(4)))
    return strip([Canvas(9, 9).draw([(up, grey)]), Canvas(9, 9).draw([(down, grey)])])


def status16(body):
    return single(lambda: save16(body), transparent=False)


def bitmaps():
    items = [
        (182, "FOLDER", "folder", "a closed folder (tree)", single(folder16)),
        (181, "FOLDER_OPEN", "folder_open", "an open folder (the selected folder in the tree)", single(folder_open16)),
        (238, "TREE_ITEM", "tree_item", "a small key (an item under a folder in the tree)", single(key16)),
        (153, "MENU_IMAGES", "menu_images",
         "menu images, 9 of 16x16: new, open, save, master password, options, report, export, import, help",
         menu_images),
        (211, "SORT_ARROWS", "sort_arrows", "sort arrows, 2 of 9x9: ascending (up), descending (down)", sort_arrows),
        (145, "GRID_IMAGES", "grid_images", "a record row: a card with a key", single(record16)),
        (147, "GRID_IMAGES_EXPIRED", "grid_images_expired", "an expired record row: the card with a red clock",
         single(record_expired16)),
        (185, "COLUMN_DESCRIPTION", "column_description", "description column: a tag", single(tag16)),
        (183, "COLUMN_USERNAME", "column_username", "user name column: a person", single(person16)),
        (184, "COLUMN_PASSWORD", "column_password", "password column: a key", single(key16)),
        (256, "COLUMN_TITLE", "column_title", "title column: a disc", single(disc16)),
        (257, "COLUMN_SERIAL", "column_serial", "serial number column: a barcode", single(barcode16)),
        (258, "COLUMN_CARD", "column_card", "card column: a credit card", single(credit_card16)),
        (259, "COLUMN_BANK", "column_bank", "bank column: a bank building", single(bank16)),
        (260, "COLUMN_ACCOUNT", "column_account", "account column: a number sign", single(number16)),
        (261, "COLUMN_PHONE", "column_phone", "phone column: a telephone handset", single(phone16)),
        (214, "COLUMN_ASSIGNED", "column_assigned", "assigned date column: a calendar page",
         single(lambda: calendar16(False))),
        (215, "COLUMN_EXPIRES", "column_expires", "expiry date column: a calendar page with a red mark",
         single(lambda: calendar16(True))),
        (700, "STATUS_SAVED", "status_saved", "status bar, no changes: a grey floppy disk (opaque)",
         status16(STEEL)),
        (701, "STATUS_MODIFIED", "status_modified", "status bar, unsaved changes: a blue floppy disk (opaque)",
         status16(BLUE)),
    ]
    for i, (name, glyph, comment) in enumerate(EDITOR_BUTTONS):
        items.append((710 + i, "BUTTON_%s_SKIN" % name, "button_%s_skin" % name.lower(), "editor button, " + comment,
                      single((lambda g: lambda: skin_tile() + g())(glyph), 24, 24)))
    for i, (name, glyph, comment) in enumerate(EDITOR_BUTTONS):
        items.append((730 + i, "BUTTON_%s_PLAIN" % name, "button_%s_plain" % name.lower(),
                      "editor button, plain: " + comment.split(":")[0],
                      single((lambda g: lambda: recolour(g(), muted))(glyph), 24, 24)))

    skin_matte = tuple(int(v + 0.5) for v in tray_gradient(TRAY_BUTTON_ROW))
    plain_matte = TRAY_PLAIN

    def skin(glyph, pressed=False):
        return single(lambda: tray_button(glyph, TRAY_SKIN_TILE, TRAY_SKIN_BORDER, pressed), 24, 24, skin_matte)

    def plain(glyph, pressed=False):
        return single(lambda: tray_button(glyph, TRAY_PLAIN_TILE, TRAY_PLAIN_BORDER, pressed, muted), 24, 24,
                      plain_matte)

    def disabled(glyph):
        return single(lambda: recolour(tray_button(glyph, TRAY_SKIN_TILE, TRAY_SKIN_BORDER), greyed), 24, 24,
                      skin_matte)

    items += [
        (221, "TRAY_SKIN", "tray_skin", "tray window background, skin (203x247)", lambda: tray_skin().pixels()),
        (333, "TRAY_PLAIN", "tray_plain", "tray window background, plain (203x247)", lambda: tray_plain().pixels()),
        (166, "TRAY_SEARCH", "tray_search", "tray button search: a magnifier", skin(tray_search)),
        (132, "TRAY_SEARCH_DOWN", "tray_search_down", "tray button search, pressed", skin(tray_search, True)),
        (193, "TRAY_SEARCH_DISABLED", "tray_search_disabled", "tray button search, disabled", disabled(tray_search)),
        (187, "TRAY_COPY", "tray_copy", "tray button copy: two pages", skin(tray_copy)),
        (188, "TRAY_COPY_DOWN", "tray_copy_down", "tray button copy, pressed", skin(tray_copy, True)),
        (186, "TRAY_PASTE", "tray_paste", "tray button paste: a clipboard", skin(tray_paste)),
        (189, "TRAY_PASTE_DOWN", "tray_paste_down", "tray button paste, pressed", skin(tray_paste, True)),
        (190, "TRAY_CLOSE", "tray_close", "tray button close: a cross", skin(tray_close)),
        (191, "TRAY_CLOSE_DOWN", "tray_close_down", "tray button close, pressed", skin(tray_close, True)),
        (168, "TRAY_EDITOR", "tray_editor", "tray button editor: a pencil over a page", skin(tray_editor)),
        (131, "TRAY_EDITOR_DOWN", "tray_editor_down", "tray button editor, pressed", skin(tray_editor, True)),
        (312, "TRAY_PLAIN_SEARCH", "tray_plain_search", "tray button search, plain", plain(tray_search)),
        (313, "TRAY_PLAIN_SEARCH_DOWN", "tray_plain_search_down", "tray button search, plain, pressed",
         plain(tray_search, True)),
        (330, "TRAY_PLAIN_COPY", "tray_plain_copy", "tray button copy, plain", plain(tray_copy)),
        (332, "TRAY_PLAIN_PASTE", "tray_plain_paste", "tray button paste, plain", plain(tray_paste)),
        (334, "TRAY_PLAIN_CLOSE", "tray_plain_close", "tray button close, plain", plain(tray_close)),
        (314, "TRAY_PLAIN_EDITOR", "tray_plain_editor", "tray button editor, plain", plain(tray_editor)),
        (292, "TRAY_PINNED", "tray_pinned", "tray pin button, pinned: the pin pushed in",
         single(lambda: pin(True), 24, 24)),
        (289, "TRAY_UNPINNED", "tray_unpinned", "tray pin button, not pinned: the pin tilted",
         single(lambda: pin(False), 24, 24)),
    ]
    return items


OPAQUE = {"STATUS_SAVED", "STATUS_MODIFIED", "TRAY_SKIN", "TRAY_PLAIN"}  # drawn without a transparent colour


def write_header(path, items):
    lines = ["// Identifiers of the program's bitmaps, shared by the resource scripts and the code.",
             "// Written by scripts/gen-bitmaps.py, which also draws resources/bitmaps/*.bmp.",
             "#pragma once", ""]
    width = max(len(name) for _, name, _, _, _ in items) + len("IDB_")
    for number, name, _, comment, _ in items:
        lines.append("#define %-*s %-3d  // %s" % (width, "IDB_" + name, number, comment))
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def write_rc(path, items):
    lines = ["// The program's bitmaps. Written by scripts/gen-bitmaps.py; #included from Kelvandor.rc.",
             '#include "bitmaps.h"', ""]
    width = max(len(name) for _, name, _, _, _ in items) + len("IDB_")
    for _, name, file, _, _ in items:
        lines.append('%-*s BITMAP "bitmaps/%s.bmp"' % (width, "IDB_" + name, file))
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "resources")
    folder_path = os.path.join(root, "bitmaps")
    os.makedirs(folder_path, exist_ok=True)
    items = bitmaps()
    numbers = [n for n, _, _, _, _ in items]
    if len(set(numbers)) != len(numbers):
        raise SystemExit("two bitmaps share a number")
    for number, name, file, _, draw in items:
        rows = draw()
        check_magenta(name, rows, transparent=name not in OPAQUE)
        with open(os.path.join(folder_path, file + ".bmp"), "wb") as f:
            f.write(bmp_bytes(rows))
    write_header(os.path.join(root, "bitmaps.h"), items)
    write_rc(os.path.join(root, "Bitmaps.rc"), items)


if __name__ == "__main__":
    main()
