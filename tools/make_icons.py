#!/usr/bin/env python3
"""Draws the program's clock icons and writes them as .ico files.

    tools/make_icons.py [output folder]   (default: src/app/res)

Each icon is drawn from geometry at every size it carries, supersampled and
then reduced: to the 16 standard colours for the 16-colour images, to 32-bit
colour with alpha for the others (those above 32 pixels, used at high DPI,
stored as PNG).
"""
import math
import os
import struct
import sys
import zlib

# The 16 colours of the standard Windows palette, as (r, g, b).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

SUPERSAMPLE = 4


def clock_pixel(x, y, hands):
    """Colour (r, g, b, a) of a point of the unit square for a clock face.

    `hands` is a list of (angle in degrees clockwise from twelve, length,
    half width, colour)."""
    cx, cy = 0.5, 0.5
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > 0.48:
        return None
    if r > 0.41:
        return (0, 0, 128, 255)  # navy rim
    for angle, length, half_width, colour in hands:
        a = math.radians(angle)
        ux, uy = math.sin(a), -math.cos(a)
        along = dx * ux + dy * uy
        across = abs(-dx * uy + dy * ux)
        if -0.04 <= along <= length and across <= half_width:
            return colour + (255,)
    # hour marks at 12, 3, 6 and 9
    for k in range(4):
        a = math.radians(90 * k)
        ux, uy = math.sin(a), -math.cos(a)
        along = dx * ux + dy * uy
        across = abs(-dx * uy + dy * ux)
        if 0.31 <= along <= 0.39 and across <= 0.03:
            return (0, 0, 128, 255)
    return (255, 255, 255, 255)


def render(size, hands):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    c = clock_pixel((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size, hands)
                    if c:
                        for i in range(4):
                            acc[i] += c[i] if i == 3 else c[i] * c[3]
            alpha = acc[3] / (n * n)
            if acc[3]:
                rgb = tuple(round(acc[i] / acc[3]) for i in range(3))
            else:
                rgb = (0, 0, 0)
            row.append(rgb + (round(alpha),))
        rows.append(row)
    return rows


def nearest16(rgb):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE16[i], rgb)))


def and_mask(rows, size):
    stride = ((size + 31) // 32) * 4
    data = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, px in enumerate(row):
            if px[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bytes(bits)
    return data


def image_4bpp(rows, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE16)
    stride = ((size * 4 + 31) // 32) * 4
    xor = b""
    for row in reversed(rows):
        line = bytearray(stride)
        for x, px in enumerate(row):
            index = nearest16(px[:3]) if px[3] >= 128 else 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += bytes(line)
    return header + palette + xor + and_mask(rows, size), 4, 16


def image_32bpp(rows, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(struct.pack("<BBBB", px[2], px[1], px[0], px[3]) for row in reversed(rows) for px in row)
    return header + xor + and_mask(rows, size), 32, 0


def image_png(rows, size):
    """A 32-bit image stored as PNG inside the .ico: a fraction of the size
    of the uncompressed bitmap (Windows Vista and later read it)."""
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    return png, 32, 0


def write_ico(path, images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for size, (data, bpp, colours) in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp, len(data), offset)
        blobs += data
        offset += len(data)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


def icon(path, sizes16, sizes32, hands):
    images = [(s, image_4bpp(render(s, hands), s)) for s in sizes16]
    # Up to 32 pixels as plain bitmaps, larger ones as PNG.
    images += [(s, (image_32bpp if s <= 32 else image_png)(render(s, hands), s)) for s in sizes32]
    write_ico(path, images)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src", "app", "res")
    os.makedirs(out, exist_ok=True)
    black, red, teal = (0, 0, 0), (255, 0, 0), (0, 128, 128)
    # Ten past ten, with a red second hand: the calculator.
    calculator = [(300, 0.30, 0.035, black), (60, 0.22, 0.045, black), (160, 0.34, 0.015, red)]
    # Half past three: the usage window and its picture.
    usage = [(90, 0.32, 0.035, teal), (105, 0.22, 0.045, black)]
    icon(os.path.join(out, "calculator.ico"), [16, 32], [48, 64], calculator)
    icon(os.path.join(out, "usage.ico"), [16], [24, 32], usage)
    icon(os.path.join(out, "picture.ico"), [32], [48, 64], usage)


if __name__ == "__main__":
    main()
