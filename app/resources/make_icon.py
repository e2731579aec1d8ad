#!/usr/bin/env python3
"""Draws the program's icon, trinumero.ico: one 32 x 32 image in 16 colours showing "0x"
in white on a blue rounded square. Deterministic: the same file on every run.

    python3 make_icon.py [output.ico]
"""
import struct
import sys

SIZE = 32

# The 16-colour VGA palette (R, G, B); the image uses a few of them.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NAVY, BLUE, WHITE = 4, 12, 15
TRANSPARENT = None


def inside_rounded_square(x, y, left, top, right, bottom, radius):
    """Whether the centre of pixel (x, y) lies in the square with rounded corners."""
    px, py = x + 0.5, y + 0.5
    cx = min(max(px, left + radius), right - radius)
    cy = min(max(py, top + radius), bottom - radius)
    return left <= px <= right and top <= py <= bottom and (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2


def in_zero(x, y):
    """A ring: the digit 0, 11 pixels wide and 18 high, stroke about 3 pixels."""
    px, py = x + 0.5, y + 0.5
    cx, cy, rx, ry = 9.5, 16.0, 5.5, 9.0
    outer = ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1.0
    inner = ((px - cx) / (rx - 3.0)) ** 2 + ((py - cy) / (ry - 3.0)) ** 2 <= 1.0
    return outer and not inner


def in_x(x, y):
    """The letter x: two crossing diagonals of a 11 x 11 box, lower case height."""
    px, py = x + 0.5, y + 0.5
    left, top, side = 17.0, 14.0, 11.0
    if not (left <= px <= left + side and top <= py <= top + side):
        return False
    u, v = px - left, py - top
    return abs(u - v) <= 1.6 or abs(u + v - side) <= 1.6


def pixel(x, y):
    if not inside_rounded_square(x, y, 0.5, 0.5, 31.5, 31.5, 5.0):
        return TRANSPARENT
    if not inside_rounded_square(x, y, 1.5, 1.5, 30.5, 30.5, 4.0):
        return NAVY
    if in_zero(x, y) or in_x(x, y):
        return WHITE
    # A thin shadow line under the glyphs gives them some depth.
    if in_zero(x - 1, y - 1) or in_x(x - 1, y - 1):
        return NAVY
    return BLUE


def build_icon():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]

    colour_rows = []
    mask_rows = []
    for row in reversed(rows):  # DIBs are stored bottom-up
        nibbles = [0 if c is TRANSPARENT else c for c in row]
        colour_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is TRANSPARENT else 0)
        mask_rows.append(bits.to_bytes(SIZE // 8, "big"))  # 4 bytes a row: already 32-bit aligned

    colour = b"".join(colour_rows)
    mask = b"".join(mask_rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    image = header + palette + colour + mask

    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else "trinumero.ico"
    with open(output, "wb") as f:
        f.write(build_icon())


if __name__ == "__main__":
    main()
