#!/usr/bin/env python3
"""Draws the program icon, a quill, and writes it as ui/res/Adagiomill.ico.

Two images, 32 x 32 and 16 x 16, each 16 colours in the standard Windows palette, stored
as classic DIBs (colour bitmap plus AND mask) so every Windows version shows them.
The large quill is computed from its shape along a curved axis; the small one is laid
out pixel by pixel, because a scaled-down quill turns to mush at that size.
"""

import math
import os
import struct
import sys

# The standard 16-colour palette, in palette order, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_BLUE, LIGHT_GRAY, DARK_GRAY, WHITE = 0, 4, 7, 8, 15
CLEAR = None

# One letter per pixel in the hand-drawn images.
KEY = {'.': CLEAR, 'k': BLACK, 'b': DARK_BLUE, 'l': LIGHT_GRAY, 'd': DARK_GRAY, 'w': WHITE}


def blank(size):
    return [[CLEAR] * size for _ in range(size)]


def outline(pixels, colour):
    """Rims every shape with one pixel of colour so it stands out on any background."""
    size = len(pixels)
    rim = []
    for y in range(size):
        for x in range(size):
            if pixels[y][x] is not CLEAR:
                continue
            near = [(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
            if any(0 <= nx < size and 0 <= ny < size and pixels[ny][nx] is not CLEAR
                   for nx, ny in near):
                rim.append((x, y))
    for x, y in rim:
        pixels[y][x] = colour


def draw_large_quill():
    size = 32
    pixels = blank(size)
    nib = (4.0, 27.0)
    tip = (28.5, 2.5)
    length = math.hypot(tip[0] - nib[0], tip[1] - nib[1])
    ux, uy = (tip[0] - nib[0]) / length, (tip[1] - nib[1]) / length
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5 - nib[0], y + 0.5 - nib[1]
            t = (px * ux + py * uy) / length
            d = px * -uy + py * ux
            pixels[y][x] = quill_colour(t, d)
    outline(pixels, BLACK)
    draw_ink_stroke(pixels)
    return pixels


def quill_colour(t, d):
    """Colour of the quill at fraction t along its length and distance d across it."""
    d -= 2.2 * math.sin(math.pi * t)  # feathers are never straight
    if 0.0 <= t < 0.12:
        return BLACK if abs(d) <= 1.4 * t / 0.12 else CLEAR
    if 0.12 <= t < 0.3:
        return LIGHT_GRAY if abs(d) <= 0.8 else CLEAR
    if 0.3 <= t <= 1.0:
        grow = math.sin(math.pi * (t - 0.3) / 0.7) ** 0.7
        if abs(d) <= 0.55:
            return DARK_GRAY
        # The far vane is narrower and in shadow; both are split where barbs part.
        if 0 < d <= 6.5 * grow and not barbs_part(t, d, 6.5 * grow):
            return WHITE
        if 0 > d >= -3.8 * grow and not barbs_part(t, -d, 3.8 * grow):
            return LIGHT_GRAY
    return CLEAR


def barbs_part(t, d, width):
    """A few slanted splits from the edge of the vane inwards."""
    along = t * 33.0 - 0.9 * d
    return d > 0.45 * width and any(abs(along - split) < 0.6 for split in (15.5, 22.5))


def draw_ink_stroke(pixels):
    """A short wave of ink under the nib: the quill has just written."""
    for x in range(6, 30):
        y = int(round(28.0 + 1.4 * math.sin((x - 6) / 3.0)))
        for row in (y, y + 1):
            if row < len(pixels) and pixels[row][x] is CLEAR:
                pixels[row][x] = DARK_BLUE


SMALL_QUILL = [
    "..............k.",
    "............kkwk",
    "..........kkldwk",
    ".........klldwwk",
    "........kkldwwwk",
    ".......klldwwwk.",
    "......klldwwwkk.",
    "......kldwwwkk..",
    ".....kldwwwkwk..",
    ".....kdwwwwkk...",
    "....kdwwwkk.....",
    "...klkkkk.......",
    "..klk...........",
    "..kk............",
    ".kk....bbbb.....",
    ".k.bbbb....bbb..",
]


def from_rows(rows):
    return [[KEY[ch] for ch in row] for row in rows]


def pack_row(colours, bits):
    """Packs one row MSB first and pads it to the DIB's 32-bit row alignment."""
    per_byte = 8 // bits
    data = bytearray()
    for i in range(0, len(colours), per_byte):
        byte = 0
        for j, value in enumerate(colours[i:i + per_byte]):
            byte |= value << (8 - bits * (j + 1))
        data.append(byte)
    while len(data) % 4:
        data.append(0)
    return bytes(data)


def dib(pixels):
    """One icon image: header (height counts colour and mask), palette, bitmap, AND mask."""
    size = len(pixels)
    rows = list(reversed(pixels))  # DIBs are stored bottom-up
    xor = b''.join(pack_row([BLACK if p is CLEAR else p for p in row], 4) for row in rows)
    mask = b''.join(pack_row([1 if p is CLEAR else 0 for p in row], 1) for row in rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + xor + mask


def ico(images):
    count = len(images)
    blobs = [dib(pixels) for pixels in images]
    offset = 6 + 16 * count
    directory = struct.pack('<HHH', 0, 1, count)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        directory += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return directory + b''.join(blobs)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'ui', 'res',
                                                                   'Adagiomill.ico')
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, 'wb') as out:
        out.write(ico([draw_large_quill(), from_rows(SMALL_QUILL)]))


if __name__ == '__main__':
    main()
