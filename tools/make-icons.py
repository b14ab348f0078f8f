#!/usr/bin/env python3
"""Draws Scribblet's icon, a pencil writing on a sheet of paper, and writes

  scribblet.ico        eight images: 16 and 32 px at 4 bpp, 16, 32 and 48 px
                       at 8 bpp and at 32 bpp (with alpha)
  scribblet-<n>.png    n = 16, 32, 48, 256, for the desktop's icon theme

into the folder given as the argument. Standard library only; the output
depends on nothing but this file, so every build gets the same bytes. With
--check, the folder's files are compared with a fresh drawing instead, and
the exit status is 1 when they differ.
"""

import math
import os
import struct
import sys
import zlib

# Colours (red, green, blue). They sit on or near the 16 standard VGA colours
# so that the 4-bit images keep the drawing's look.
OUTLINE = (0, 0, 0)
PAPER = (255, 255, 255)
FOLD = (192, 192, 192)
SCRIBBLE = (0, 0, 255)
PENCIL_BODY = (255, 255, 0)
PENCIL_STRIPE = (128, 128, 0)
PENCIL_WOOD = (255, 220, 170)
PENCIL_LEAD = (64, 64, 64)
ERASER = (255, 0, 0)

VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def cube_palette():
    """256 colours: the 6x6x6 colour cube, then 40 greys."""
    levels = [0, 51, 102, 153, 204, 255]
    colours = [(r, g, b) for r in levels for g in levels for b in levels]
    colours += [(round(i * 255 / 41),) * 3 for i in range(1, 41)]
    return colours


# --- Geometry, in unit coordinates (0..1, y downwards) ---------------------

PAPER_SHAPE = [(0.12, 0.06), (0.58, 0.06), (0.76, 0.24), (0.76, 0.95), (0.12, 0.95)]
FOLD_SHAPE = [(0.58, 0.06), (0.58, 0.24), (0.76, 0.24)]


def scribble_line():
    """A loose wave across the lower half of the sheet."""
    points = []
    for i in range(25):
        t = i / 24
        points.append((0.2 + 0.36 * t, 0.74 - 0.12 * t + 0.07 * math.sin(t * 3 * math.pi)))
    return points


def pencil_shapes():
    """The pencil lies from the top right down to the end of the scribble."""
    tip = scribble_line()[-1]
    back = (0.95, 0.05)
    dx, dy = back[0] - tip[0], back[1] - tip[1]
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length          # along the pencil, tip to back
    nx, ny = -uy, ux                            # across it
    half = 0.085

    def at(along, across):
        return (tip[0] + ux * along + nx * across, tip[1] + uy * along + ny * across)

    wood_end = 0.2
    eraser_start = length - 0.1
    body = [at(wood_end, -half), at(eraser_start, -half), at(eraser_start, half), at(wood_end, half)]
    stripe = [at(wood_end, -half * 0.2), at(eraser_start, -half * 0.2),
              at(eraser_start, half * 0.2), at(wood_end, half * 0.2)]
    eraser = [at(eraser_start, -half), at(length, -half), at(length, half), at(eraser_start, half)]
    wood = [at(0.0, 0.0), at(wood_end, -half), at(wood_end, half)]
    lead = [at(0.0, 0.0), at(0.07, -half * 0.35), at(0.07, half * 0.35)]
    outline = [at(0.0, 0.0), at(wood_end, -half), at(length, -half), at(length, half), at(wood_end, half)]
    return body, stripe, eraser, wood, lead, outline


# --- Rendering --------------------------------------------------------------

def inside(polygon, x, y):
    result = False
    j = len(polygon) - 1
    for i, (xi, yi) in enumerate(polygon):
        xj, yj = polygon[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def near_polyline(points, x, y, half_width):
    limit = half_width * half_width
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        vx, vy = bx - ax, by - ay
        t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)
        t = min(1.0, max(0.0, t))
        ex, ey = ax + vx * t - x, ay + vy * t - y
        if ex * ex + ey * ey <= limit:
            return True
    return False


def bounds(points, margin):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - margin, min(ys) - margin, max(xs) + margin, max(ys) + margin)


class Layer:
    """A filled polygon or a stroked line with its colour and bounding box."""

    def __init__(self, colour, polygon=None, line=None, half_width=0.0):
        self.colour = colour
        self.polygon = polygon
        self.line = line
        self.half_width = half_width
        self.box = bounds(polygon or line, half_width)

    def covers(self, x, y):
        x0, y0, x1, y1 = self.box
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        if self.polygon is not None:
            return inside(self.polygon, x, y)
        return near_polyline(self.line, x, y, self.half_width)


def closed(polygon):
    return polygon + polygon[:1]


def layers_for(size):
    """The drawing's layers, back to front, for an image of size pixels."""
    px = 1.0 / size
    edge = max(px, 0.03) / 2                   # outlines at least a pixel wide
    body, stripe, eraser, wood, lead, pencil_outline = pencil_shapes()
    layers = [
        Layer(OUTLINE, line=closed(PAPER_SHAPE), half_width=edge),
        Layer(PAPER, polygon=PAPER_SHAPE),
        Layer(FOLD, polygon=FOLD_SHAPE),
        Layer(OUTLINE, line=closed(FOLD_SHAPE), half_width=edge * 0.7),
        Layer(SCRIBBLE, line=scribble_line(), half_width=max(px, 0.045) / 2 + px * 0.3),
        Layer(OUTLINE, line=closed(pencil_outline), half_width=edge),
        Layer(PENCIL_BODY, polygon=body),
        Layer(ERASER, polygon=eraser),
        Layer(PENCIL_WOOD, polygon=wood),
        Layer(PENCIL_LEAD, polygon=lead),
    ]
    if size >= 32:
        layers.insert(7, Layer(PENCIL_STRIPE, polygon=stripe))
    # The paper's outline goes over the fill, so draw it again on top.
    layers.insert(2, Layer(OUTLINE, line=closed(PAPER_SHAPE), half_width=edge))
    return layers


def render(size):
    """Rows of (r, g, b, a) pixels, top row first, anti-aliased."""
    samples = 4 if size <= 48 else 2
    layers = layers_for(size)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = None
                    for layer in layers:
                        if layer.covers(x, y):
                            colour = layer.colour
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1
            n = samples * samples
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# --- Encoding ---------------------------------------------------------------

def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def and_mask(rows):
    """1 bit per pixel, set where the image is transparent; bottom row first."""
    size = len(rows)
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def dib(rows, bits):
    """An icon image: BITMAPINFOHEADER (height doubled), colours, XOR, AND."""
    size = len(rows)
    if bits == 32:
        table = b""
        xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    else:
        palette = VGA_PALETTE if bits == 4 else cube_palette()
        table = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
        cache = {}
        stride = (size * bits + 31) // 32 * 4
        xor = bytearray()
        for row in reversed(rows):
            indices = []
            for p in row:
                key = p[:3] if p[3] >= 128 else None
                if key not in cache:
                    cache[key] = 0 if key is None else nearest(palette, key)
                indices.append(cache[key])
            if bits == 8:
                line = bytearray(indices)
            else:
                line = bytearray((indices[i] << 4) | (indices[i + 1] if i + 1 < size else 0)
                                 for i in range(0, size, 2))
            xor += line + bytes(stride - len(line))
        xor = bytes(xor)
    mask = and_mask(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + table + xor + mask


def ico(images):
    """An .ico file from (size, bits, dib bytes) triples."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colours = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def png(rows):
    size = len(rows)
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


ICO_IMAGES = [(16, 4), (32, 4), (16, 8), (32, 8), (48, 8), (16, 32), (32, 32), (48, 32)]
PNG_SIZES = [16, 32, 48, 256]


def draw_all():
    """Every output file's name and bytes."""
    sizes = sorted({size for size, _ in ICO_IMAGES} | set(PNG_SIZES))
    drawings = {size: render(size) for size in sizes}
    files = {"scribblet.ico": ico([(size, bits, dib(drawings[size], bits))
                                   for size, bits in ICO_IMAGES])}
    for size in PNG_SIZES:
        files["scribblet-%d.png" % size] = png(drawings[size])
    return files


def check(folder, files):
    """Exit status 1 unless folder holds exactly these bytes."""
    differing = []
    for name, data in files.items():
        path = os.path.join(folder, name)
        if not os.path.exists(path) or open(path, "rb").read() != data:
            differing.append(name)
    for name in differing:
        print("differs: " + name, file=sys.stderr)
    return 1 if differing else 0


def main():
    args = sys.argv[1:]
    checking = args[:1] == ["--check"]
    if checking:
        args = args[1:]
    if len(args) != 1:
        sys.exit("usage: make-icons.py [--check] OUTPUT-FOLDER")
    folder = args[0]
    files = draw_all()
    if checking:
        sys.exit(check(folder, files))
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
