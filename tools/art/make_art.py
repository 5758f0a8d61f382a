#!/usr/bin/env python3
"""Draws the program's artwork and writes it into resources/:

  badge.bmp   the BadgeImage: 42 x 40, 32 bits per pixel, bottom-up, 6,774 bytes;
              a blue emblem with a gold rim and a white star on pure black
              (red, green, blue and alpha 0), the edge partly transparent.
  moxilo.ico  the application icon: an avatar tile with the badge at its lower
              right; 16, 24, 32, 48 at 32 bpp with alpha, 16 and 32 at 8 bpp,
              16 at 4 bpp, and 256 x 256 stored as PNG.

Standard library only. Run from anywhere: python3 tools/art/make_art.py
"""
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "resources")

BADGE_W, BADGE_H = 42, 40
BADGE_OUTSIDE = 242  # pixels of the BadgeImage left pure black


# ---- shapes (continuous coordinates, y down) -------------------------------

def superellipse(x, y, cx, cy, rx, ry, n):
    return abs((x - cx) / rx) ** n + abs((y - cy) / ry) ** n <= 1.0


def star(x, y, cx, cy, outer, inner, points=5):
    """True inside a regular star with one point straight up."""
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > outer:
        return False
    if r == 0:
        return True
    angle = math.atan2(dx, -dy) % (2 * math.pi / points)
    half = math.pi / points
    t = abs(angle - half) / half  # 0 between two points, 1 on a point
    # Edge of the star along this angle: straight lines from inner to outer.
    a0 = half * (1 - t)
    p_outer = (0.0, outer)
    p_inner = (inner * math.sin(half), inner * math.cos(half))
    # Intersect the ray at angle a0 from the inner vertex side with the edge.
    ux, uy = math.sin(half - a0), math.cos(half - a0)
    ex, ey = p_inner[0] - p_outer[0], p_inner[1] - p_outer[1]
    det = ux * (-ey) + uy * ex
    if abs(det) < 1e-12:
        return r <= inner
    s = (p_outer[0] * (-ey) + p_outer[1] * ex) / det
    return r <= s


# ---- the badge ----------------------------------------------------------------

class Emblem:
    """A blue disc-like emblem with a gold rim and a white star."""

    def __init__(self, cx, cy, rx, ry, n):
        self.cx, self.cy, self.rx, self.ry, self.n = cx, cy, rx, ry, n

    def inside(self, x, y):
        return superellipse(x, y, self.cx, self.cy, self.rx, self.ry, self.n)

    def colour(self, x, y):
        if not superellipse(x, y, self.cx, self.cy, self.rx - 2.2, self.ry - 2.2, self.n):
            # Gold rim, lighter at the top.
            t = (y - (self.cy - self.ry)) / (2 * self.ry)
            return mix((255, 222, 120), (196, 140, 32), t)
        scale = min(self.rx, self.ry)
        if star(x, y, self.cx, self.cy + 0.8, scale * 0.62, scale * 0.26):
            t = (y - self.cy) / scale
            return mix((255, 255, 255), (222, 234, 250), max(0.0, t))
        t = (y - (self.cy - self.ry)) / (2 * self.ry)
        return mix((92, 170, 245), (22, 74, 170), t)


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def render(width, height, inside, colour, samples):
    """RGBA rows, top-down: colour averaged over the covered samples, alpha the coverage."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) / samples
                    y = py + (sy + 0.5) / samples
                    if inside(x, y):
                        c = colour(x, y)
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        hits += 1
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                rgb = [max(1, min(255, round(v / hits))) for v in acc]  # never pure black inside
                row.append((rgb[0], rgb[1], rgb[2], round(255 * hits / samples ** 2)))
        rows.append(row)
    return rows


def badge_emblem():
    """The emblem whose outline leaves exactly BADGE_OUTSIDE pixels outside.
    Left-right symmetric; a small downward shift breaks the top-bottom symmetry,
    since a four-fold symmetric outline can only leave a multiple of 4."""
    for shift in (0.375, 0.75, 0.125):
        for step in range(40):
            n = 2.3 + step * 0.005
            emblem = Emblem(21.0, 20.0 + shift, 20.9, 19.9, n)
            outside = sum(1 for py in range(BADGE_H) for px in range(BADGE_W)
                          if not any(emblem.inside(px + (sx + 0.5) / 4, py + (sy + 0.5) / 4)
                                     for sy in range(4) for sx in range(4)))
            if outside == BADGE_OUTSIDE:
                return emblem
    raise SystemExit("no outline leaves exactly %d pixels outside" % BADGE_OUTSIDE)


def bmp32(rows):
    height, width = len(rows), len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def make_badge():
    emblem = badge_emblem()
    rows = render(BADGE_W, BADGE_H, emblem.inside, emblem.colour, 4)
    data = bmp32(rows)
    assert len(data) == 6774, len(data)
    assert sum(1 for row in rows for p in row if p == (0, 0, 0, 0)) == BADGE_OUTSIDE
    return data


# ---- the application icon -------------------------------------------------------

def icon_scene(size):
    """Inside test and colour of the icon at `size` pixels (units scaled from 256)."""
    k = size / 256.0
    tile = (128 * k, 124 * k, 112 * k, 112 * k, 4.5)
    badge = Emblem(196 * k, 190 * k, 52 * k, 50 * k, 2.6)

    def in_tile(x, y):
        return superellipse(x, y, *tile)

    def inside(x, y):
        return in_tile(x, y) or badge.inside(x, y)

    def colour(x, y):
        if badge.inside(x, y):
            return badge.colour(x, y)
        # The avatar: a head and shoulders on a soft sky gradient, with a frame.
        if not superellipse(x, y, tile[0], tile[1], tile[2] - 9 * k, tile[3] - 9 * k, tile[4]):
            return (236, 240, 246)
        if math.hypot(x - 118 * k, y - 98 * k) <= 38 * k:
            return mix((255, 214, 170), (232, 176, 130), (y - 60 * k) / (76 * k))
        if superellipse(x, y, 118 * k, 214 * k, 78 * k, 76 * k, 2.0):
            return mix((64, 96, 160), (36, 58, 110), (y - 140 * k) / (90 * k))
        return mix((178, 214, 246), (120, 170, 226), (y - 12 * k) / (224 * k))

    return inside, colour


def icon_rows(size):
    inside, colour = icon_scene(size)
    return render(size, size, inside, colour, 4 if size <= 48 else 2)


def and_mask(rows):
    stride = ((len(rows[0]) + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return bytes(mask)


def dib(rows, bits, palette=None):
    """An icon image: BITMAPINFOHEADER (double height), palette, XOR bits, AND mask."""
    size = len(rows)
    stride = ((size * bits + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if bits == 32:
                line[4 * x:4 * x + 4] = bytes((p[2], p[1], p[0], p[3]))
                continue
            index = 0 if p[3] < 128 else nearest(palette, p)
            if bits == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += line
    mask = and_mask(rows)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) if palette else b""
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0,
                       len(palette) if palette else 0, 0)
    return info + colours + bytes(xor) + mask


def nearest(palette, p):
    best, best_d = 0, None
    for i, c in enumerate(palette):
        d = (c[0] - p[0]) ** 2 * 3 + (c[1] - p[1]) ** 2 * 4 + (c[2] - p[2]) ** 2 * 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


def palette_256():
    levels = (0, 51, 102, 153, 204, 255)
    cube = [(r, g, b) for r in levels for g in levels for b in levels]
    greys = [(v, v, v) for v in (round(i * 255 / 41) for i in range(1, 41))]
    return cube + greys


PALETTE_16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
              (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
              (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def png(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def make_icon():
    rendered = {size: icon_rows(size) for size in (16, 24, 32, 48, 256)}
    frames = [  # (size, bits, colour count, data)
        (256, 32, 0, png(rendered[256])),
        (48, 32, 0, dib(rendered[48], 32)),
        (32, 32, 0, dib(rendered[32], 32)),
        (24, 32, 0, dib(rendered[24], 32)),
        (16, 32, 0, dib(rendered[16], 32)),
        (32, 8, 0, dib(rendered[32], 8, palette_256())),
        (16, 8, 0, dib(rendered[16], 8, palette_256())),
        (16, 4, 16, dib(rendered[16], 4, PALETTE_16)),
    ]
    directory = struct.pack("<HHH", 0, 1, len(frames))
    offset = 6 + 16 * len(frames)
    images = b""
    for size, bits, colours, data in frames:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data),
                                 offset + len(images))
        images += data
    return directory + images


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "badge.bmp"), "wb") as f:
        f.write(make_badge())
    with open(os.path.join(OUT, "moxilo.ico"), "wb") as f:
        f.write(make_icon())


if __name__ == "__main__":
    main()
