#!/usr/bin/env python3
"""Draws the program icon, a quill, and writes it as ui/res/Adagiomill.ico.

Eight images, 16 to 256 pixels, in 32-bit colour with alpha, so Windows finds one drawn for
every display scale instead of stretching another: 16, 20, 24, 32, 40 and 48 for title bars,
the taskbar and Alt+Tab at 100 to 200 %, 64 and 256 for Explorer's larger views. The 256 is
stored as PNG, as Windows expects; the others as DIBs with an AND mask for older readers.

Every size is drawn for its size from the quill's shape along a curved axis: the outline
stays one pixel wide where that is what reads, barb splits appear only where there is room
for them, and the smallest size is laid out pixel by pixel, because a computed quill turns to
mush at 16 pixels. Standard library and Debian's zopfli.
"""

import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

BLACK = (0, 0, 0)
INK = (0, 0, 128)
SHAFT = (128, 128, 128)
SHADE = (192, 192, 192)
WHITE = (255, 255, 255)

# The shape is laid out on a 32-unit square.
UNITS = 32.0
NIB = (4.0, 27.0)
TIP = (28.5, 2.5)
LENGTH = math.hypot(TIP[0] - NIB[0], TIP[1] - NIB[1])
AXIS = ((TIP[0] - NIB[0]) / LENGTH, (TIP[1] - NIB[1]) / LENGTH)


class Style:
    """What a size can carry: line widths in pixels and how much detail."""

    def __init__(self, size, outline_px, splits, shaded, samples):
        self.size = size
        self.unit = size / UNITS  # pixels per unit
        self.outline = outline_px / self.unit
        self.shaft = max(0.55, 0.5 / self.unit)  # at least one pixel wide
        self.splits = splits
        self.shaded = shaded
        self.samples = samples


STYLES = [
    Style(20, 1.0, (), False, 8),
    Style(24, 1.0, (), False, 8),
    Style(32, 1.0, (15.5, 22.5), False, 8),
    Style(40, 1.0, (15.5, 22.5), True, 6),
    Style(48, 1.25, (14.5, 19.5, 24.5), True, 6),
    Style(64, 1.5, (14.5, 19.5, 24.5), True, 4),
    Style(256, 4.0, (13.0, 16.5, 20.0, 23.5, 27.0), True, 3),
]


def quill(style, x, y, grow):
    """Colour of the quill at x, y (units), or None; grow widens every edge for the outline."""
    px, py = x - NIB[0], y - NIB[1]
    t = (px * AXIS[0] + py * AXIS[1]) / LENGTH
    d = px * -AXIS[1] + py * AXIS[0]
    d -= 2.2 * math.sin(math.pi * t)  # feathers are never straight
    reach = grow / LENGTH
    if -reach <= t < 0.12:
        return BLACK if abs(d) <= 1.4 * max(t, 0.0) / 0.12 + grow else None
    if 0.12 <= t < 0.3:
        return SHADE if abs(d) <= 0.8 + grow else None
    if t < 0.3 or t > 1.0 + reach:
        return None
    if abs(d) <= style.shaft + grow:
        return SHAFT
    spread = math.sin(math.pi * min(max(t - 0.3, 0.0) / 0.7, 1.0)) ** 0.7
    # The near vane is wider and in light, the far one narrower and in shadow; both are
    # split where barbs part.
    near, far = 6.5 * spread, 3.8 * spread
    if 0 < d <= near + grow and not barbs_part(style, t, d, near, grow):
        return shaded(style, WHITE, d / max(near, 1e-6))
    if -far - grow <= d < 0 and not barbs_part(style, t, -d, far, grow):
        return SHADE
    return None


def barbs_part(style, t, d, width, grow):
    """A few slanted splits from the edge of the vane inwards, narrowed by grow."""
    along = t * 33.0 - 0.9 * d
    gap = max(0.6, 0.75 / style.unit) - grow
    return d > 0.45 * width and any(abs(along - split) < gap for split in style.splits)


def shaded(style, colour, across):
    """Large sizes turn the vane slightly grey towards its edge."""
    if not style.shaded:
        return colour
    k = 1.0 - 0.12 * min(max(across, 0.0), 1.0)
    return tuple(int(round(c * k)) for c in colour)


def ink(style, x, y):
    """A short wave of ink under the nib, at least a pixel thick: the quill has just written."""
    if not 6.0 <= x <= 30.0:
        return None
    middle = 28.5 + 1.4 * math.sin((x - 6.0) / 3.0)
    return INK if abs(y - middle) <= max(0.75, 0.5 / style.unit) else None


def sample(style, x, y):
    """The quill rimmed by its outline, over the ink."""
    colour = quill(style, x, y, 0.0)
    if colour is None and quill(style, x, y, style.outline) is not None:
        colour = BLACK
    return colour if colour is not None else ink(style, x, y)


def render(style):
    """Rows of (red, green, blue, alpha), each pixel averaged over samples x samples points."""
    n = style.samples
    offsets = [(i + 0.5) / n for i in range(n)]
    rows = []
    for row in range(style.size):
        pixels = []
        for column in range(style.size):
            total = [0, 0, 0, 0]
            for oy in offsets:
                for ox in offsets:
                    colour = sample(style, (column + ox) / style.unit, (row + oy) / style.unit)
                    if colour is not None:
                        for i in range(3):
                            total[i] += colour[i]
                        total[3] += 1
            covered = total[3]
            if covered == 0:
                pixels.append((0, 0, 0, 0))
                continue
            pixels.append(tuple(int(round(total[i] / covered)) for i in range(3)) +
                          (int(round(255 * covered / (n * n))),))
        rows.append(pixels)
    return rows


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
KEY = {'k': BLACK, 'b': INK, 'l': SHADE, 'd': SHAFT, 'w': WHITE}


def small_quill():
    return [[KEY[ch] + (255,) if ch in KEY else (0, 0, 0, 0) for ch in row]
            for row in SMALL_QUILL]


def dib(rows):
    """One icon image: header (its height counts colour and mask), BGRA bitmap, AND mask."""
    size = len(rows)
    bottom_up = list(reversed(rows))
    colour = b''.join(bytes((b, g, r, a)) for row in bottom_up for r, g, b, a in row)
    mask = bytearray()
    for row in bottom_up:
        bits = bytearray((size + 31) // 32 * 4)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def png(rows):
    """RGBA, 8 bits a channel, no filter (none packs this image smaller), deflated by zopfli,
    which packs a tenth tighter than zlib's best: the same bytes every run."""
    size = len(rows)
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

    with tempfile.NamedTemporaryFile() as pixels:
        pixels.write(raw)
        pixels.flush()
        data = subprocess.run(['zopfli', '--zlib', '--i15', '-c', pixels.name], check=True,
                              stdout=subprocess.PIPE).stdout
    assert zlib.decompress(data) == raw
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', data) +
            chunk(b'IEND', b''))


def ico(images):
    count = len(images)
    blobs = [png(rows) if len(rows) == 256 else dib(rows) for rows in images]
    offset = 6 + 16 * count
    directory = struct.pack('<HHH', 0, 1, count)
    for rows, blob in zip(images, blobs):
        side = len(rows) % 256  # 0 stands for 256
        directory += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return directory + b''.join(blobs)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'ui', 'res',
                                                                   'Adagiomill.ico')
    os.makedirs(os.path.dirname(target), exist_ok=True)
    images = [small_quill()] + [render(style) for style in STYLES]
    with open(target, 'wb') as out:
        out.write(ico(images))


if __name__ == '__main__':
    main()
