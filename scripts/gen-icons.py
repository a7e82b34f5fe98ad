#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files.

resources/icons/Kelvandor.ico (icon 128): a golden key on a blue tile.
resources/icons/Locked.ico (icon 296): a golden padlock on a red tile.
Each file holds 16, 32 and 48 pixel images in 32-bit colour with alpha.
"""
import os
import struct
import sys

SAMPLES = 4  # supersampling per axis, for smooth edges


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner, upper_only=False):
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return r_inner * r_inner <= d <= r_outer * r_outer and (not upper_only or y <= cy)
    return inside


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# Shapes in a unit square (0..1), drawn back to front with their colours (RGBA).
def key_icon():
    tile = rounded_rect(0.02, 0.02, 0.98, 0.98, 0.2)
    head = minus(circle(0.32, 0.5, 0.2), circle(0.32, 0.5, 0.08))
    shaft = rect(0.45, 0.44, 0.88, 0.56)
    teeth = union(rect(0.70, 0.56, 0.77, 0.70), rect(0.80, 0.56, 0.88, 0.74))
    return [(tile, (32, 78, 160, 255)), (union(head, shaft, teeth), (246, 196, 60, 255))]


def lock_icon():
    tile = rounded_rect(0.02, 0.02, 0.98, 0.98, 0.2)
    shackle = union(ring(0.5, 0.42, 0.24, 0.14, upper_only=True),
                    rect(0.26, 0.42, 0.36, 0.52), rect(0.64, 0.42, 0.74, 0.52))
    body = rounded_rect(0.2, 0.46, 0.8, 0.88, 0.06)
    keyhole = union(circle(0.5, 0.62, 0.06), rect(0.475, 0.62, 0.525, 0.76))
    return [(tile, (176, 36, 44, 255)), (shackle, (230, 230, 236, 255)),
            (minus(body, keyhole), (246, 196, 60, 255))]


def render(layers, size):
    """BGRA rows from top to bottom."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for shape, (cr, cg, cb, ca) in layers:
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) / SAMPLES) / size
                        y = (py + (sy + 0.5) / SAMPLES) / size
                        hits += shape(x, y)
                cover = hits / (SAMPLES * SAMPLES) * ca / 255.0
                r = cr * cover + r * (1 - cover)
                g = cg * cover + g * (1 - cover)
                b = cb * cover + b * (1 - cover)
                a = cover + a * (1 - cover)
            if a > 0:
                # Colours are kept straight (not premultiplied), as icons want them.
                r, g, b = r / a, g / a, b / a
            row.append((int(b + 0.5), int(g + 0.5), int(r + 0.5), int(a * 255 + 0.5)))
        pixels.append(row)
    return pixels


def icon_image(layers, size):
    pixels = render(layers, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes(c for px in row for c in px) for row in reversed(pixels))
    mask_stride = ((size + 31) // 32) * 4
    and_mask = bytes(mask_stride * size)  # alpha decides; the mask is all opaque
    return header + xor + and_mask


def write_ico(path, layers, sizes=(16, 32, 48)):
    images = [icon_image(layers, s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "icons")
    os.makedirs(root, exist_ok=True)
    write_ico(os.path.join(root, "Kelvandor.ico"), key_icon())
    write_ico(os.path.join(root, "Locked.ico"), lock_icon())


if __name__ == "__main__":
    main()
