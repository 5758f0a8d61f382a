#!/usr/bin/env python3
"""Generates the built-in skins resources/skins/skinNN.she from skins.txt.

Usage: tools/skins/make_skins.py [--check]
  --check  regenerate in memory and fail if a committed file differs.
The format is described in skinh/README.md.
"""
import pathlib
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
TABLE = HERE / "skins.txt"
OUT = ROOT / "resources" / "skins"
SIGNATURE = bytes([0x2E, 0x53, 0x48, 0x45, 0x00, 0x03])

# Close-box pictures, '#' for a set pixel.
GLYPHS = {
    "thin": [
        "#......#",
        ".#....#.",
        "..#..#..",
        "...##...",
        "...##...",
        "..#..#..",
        ".#....#.",
        "#......#",
    ],
    "bold": [
        "##.....##",
        "###...###",
        ".###.###.",
        "..#####..",
        "...###...",
        "..#####..",
        ".###.###.",
        "###...###",
        "##.....##",
    ],
    "round": [
        ".#.....#.",
        "###...###",
        ".###.###.",
        "..#####..",
        "...###...",
        "..#####..",
        ".###.###.",
        "###...###",
        ".#.....#.",
    ],
}


def parse_colour(text):
    text = text.strip()
    if len(text) != 7 or text[0] != "#":
        raise ValueError(f"bad colour {text!r}")
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def fmt(c):
    return "#%02X%02X%02X" % c


def mix(a, b, t):
    """t=0 gives a, t=1 gives b."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def lighten(c, t):
    return mix(c, WHITE, t)


def darken(c, t):
    return mix(c, BLACK, t)


def luminance(c):
    def channel(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(v) for v in c)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def readable_on(background, ink):
    """White or the ink colour, whichever reads better on the background."""
    return WHITE if contrast(WHITE, background) >= contrast(ink, background) else ink


def glyph_value(rows):
    width, height = len(rows[0]), len(rows)
    words = []
    for row in rows:
        bits = 0
        for x, ch in enumerate(row):
            if ch == "#":
                bits |= 1 << (15 - x)
        words.append("%04X" % bits)
    return f"{width} {height} " + " ".join(words)


def gradient(*colours):
    return " ".join(fmt(c) for c in colours)


def derive(row):
    face, accent, ink, close = (parse_colour(row[k]) for k in ("face", "accent", "ink", "close"))
    inactive = mix(accent, face, 0.7)
    caption_text = readable_on(accent, ink)
    inactive_text = mix(readable_on(inactive, ink), inactive, 0.35)
    keys = {
        "name": row["name"],
        "face": fmt(face),
        "text": fmt(ink),
        "caption.active": gradient(lighten(accent, 0.22), accent, darken(accent, 0.12)),
        "caption.inactive": gradient(lighten(inactive, 0.2), inactive),
        "caption.text.active": fmt(caption_text),
        "caption.text.inactive": fmt(inactive_text),
        "frame.active": fmt(darken(accent, 0.35)),
        "frame.inactive": fmt(darken(inactive, 0.25)),
        "frame.light": fmt(lighten(accent, 0.35)),
        "close.normal": gradient(lighten(accent, 0.12), darken(accent, 0.05)),
        "close.hover": gradient(lighten(close, 0.2), close),
        "close.pressed": gradient(darken(close, 0.25), darken(close, 0.1)),
        "close.glyph.colour": fmt(caption_text),
        "close.glyph": glyph_value(GLYPHS[row["glyph"]]),
        "button.normal": gradient(lighten(face, 0.7), lighten(face, 0.25), darken(face, 0.03)),
        "button.hover": gradient(WHITE, mix(face, accent, 0.08), mix(face, accent, 0.16)),
        "button.pressed": gradient(mix(face, accent, 0.28), mix(face, accent, 0.14)),
        "button.disabled": gradient(face, face),
        "button.border": fmt(mix(darken(face, 0.45), accent, 0.3)),
        "button.focus": fmt(accent),
        "button.text": fmt(ink),
        "button.text.disabled": fmt(mix(ink, face, 0.6)),
        "button.radius": row["radius"],
        "group.border": fmt(mix(darken(face, 0.25), accent, 0.2)),
        "group.text": fmt(mix(ink, accent, 0.5)),
        "aero.gloss": row["gloss"],
        # A dark halo under light titles, a bright one under dark titles.
        "aero.glow": fmt(darken(accent, 0.55) if caption_text == WHITE else lighten(accent, 0.85)),
        "aero.shadow": fmt(darken(accent, 0.8)),
        "aero.shadow.size": row["shadow"],
    }
    for item in filter(None, (part.strip() for part in row["overrides"].split(";"))):
        key, _, value = item.partition("=")
        if key.strip() not in keys:
            raise ValueError(f"skin {row['no']}: override of unknown key {key!r}")
        keys[key.strip()] = value.strip()
    return keys


def read_table():
    columns = ["no", "name", "face", "accent", "ink", "close", "glyph", "radius", "gloss", "shadow", "overrides"]
    rows = []
    for line in TABLE.read_text(encoding="ascii").splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        cells = [c.strip() for c in line.split("|")]
        if len(cells) != len(columns):
            raise ValueError(f"expected {len(columns)} columns: {line!r}")
        rows.append(dict(zip(columns, cells)))
    numbers = [int(r["no"]) for r in rows]
    if numbers != list(range(1, 34)):
        raise ValueError("the table must list skins 1 to 33 in order")
    return rows


def encode(keys):
    lines = [
        "; Built-in skin, generated by tools/skins/make_skins.py from tools/skins/skins.txt.",
        "format = 1",
    ]
    lines += [f"{key} = {value}" for key, value in keys.items()]
    body = SIGNATURE + ("\n".join(lines) + "\n").encode("ascii")
    return body + b"checksum = %08X\n" % zlib.crc32(body)


def main(argv):
    check = "--check" in argv
    rows = read_table()
    images = [encode(derive(row)) for row in rows]
    if len(set(images)) != len(images):
        raise ValueError("two skins are identical")
    stale = []
    for row, image in zip(rows, images):
        path = OUT / ("skin%02d.she" % int(row["no"]))
        if check:
            if not path.exists() or path.read_bytes() != image:
                stale.append(path.name)
        else:
            OUT.mkdir(parents=True, exist_ok=True)
            path.write_bytes(image)
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
