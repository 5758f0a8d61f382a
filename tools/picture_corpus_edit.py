#!/usr/bin/env python3
"""Byte-level edits for the picture corpus that no converter writes directly.

  topdown IN.bmp OUT.bmp        rows stored top-down (negative height)
  bmp32 IN24.bmp OUT.bmp        32 bits a pixel, uncompressed, fourth bytes varying
  bmp16 IN24.bmp OUT.bmp        16 bits a pixel (5-5-5), uncompressed
  setbyte FILE OFFSET VALUE     one byte changed in place
  icon TYPE OUT.ico IN.bmp...   an ICO (type 1) or CUR (type 2) of these bitmaps
"""
import struct
import sys


def read_bmp(path):
    data = open(path, 'rb').read()
    offset, = struct.unpack_from('<I', data, 10)
    header_size, width, height, _, bits = struct.unpack_from('<IiiHH', data, 14)
    return data, offset, header_size, width, height, bits


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def rows_24(path):
    data, offset, _, width, height, bits = read_bmp(path)
    assert bits == 24 and height > 0
    s = stride(width, 24)
    return width, height, [data[offset + k * s: offset + k * s + width * 3] for k in range(height)]


def write_bmp(path, width, height, bits, rows, palette=b''):
    s = stride(width, bits)
    pixels = b''.join(r + bytes(s - len(r)) for r in rows)
    offset = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, 0, 0)
    head = b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset)
    open(path, 'wb').write(head + info + palette + pixels)


def topdown(src, dst):
    data, offset, header_size, width, height, bits = read_bmp(src)
    s = stride(width, bits)
    rows = [data[offset + k * s: offset + (k + 1) * s] for k in range(height)]
    out = bytearray(data[:offset]) + b''.join(reversed(rows))
    struct.pack_into('<i', out, 22, -height)
    open(dst, 'wb').write(out)


def bmp32(src, dst):
    width, height, rows = rows_24(src)
    out = []
    for y, r in enumerate(rows):
        out.append(b''.join(r[3 * x: 3 * x + 3] + bytes([(x * 37 + y * 11) & 0xFF]) for x in range(width)))
    write_bmp(dst, width, height, 32, out)


def bmp16(src, dst):
    width, height, rows = rows_24(src)
    out = []
    for r in rows:
        px = []
        for x in range(width):
            b, g, red = r[3 * x: 3 * x + 3]
            px.append(struct.pack('<H', ((red >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)))
        out.append(b''.join(px))
    write_bmp(dst, width, height, 16, out)


def icon(kind, dst, sources):
    images = []
    for path in sources:
        data, offset, header_size, width, height, bits = read_bmp(path)
        dib = bytearray(data[14:])
        struct.pack_into('<i', dib, 8, 2 * height)  # colour image and mask
        dib += bytes(stride(width, 1) * height)      # an all-opaque mask
        colours = 1 << bits if bits < 8 else 0
        images.append((width, height, colours, bits, bytes(dib)))
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for width, height, colours, bits, dib in images:
        out += struct.pack('<BBBBHHII', width & 0xFF, height & 0xFF, colours & 0xFF, 0, 1, bits, len(dib), offset)
        offset += len(dib)
    out += b''.join(image[4] for image in images)
    open(dst, 'wb').write(out)


def main(argv):
    command = argv[1]
    if command == 'topdown':
        topdown(argv[2], argv[3])
    elif command == 'bmp32':
        bmp32(argv[2], argv[3])
    elif command == 'bmp16':
        bmp16(argv[2], argv[3])
    elif command == 'setbyte':
        with open(argv[2], 'r+b') as f:
            f.seek(int(argv[3], 0))
            f.write(bytes([int(argv[4], 0)]))
    elif command == 'icon':
        icon(int(argv[2]), argv[3], argv[4:])
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main(sys.argv)
