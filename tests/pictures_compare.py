#!/usr/bin/env python3
"""Compares two PPM/PGM/PAM images: same size, and no channel apart by more
than TOLERANCE. Prints the largest difference; exit 1 when they differ."""
import sys


def read(path):
    data = open(path, 'rb').read()
    magic = data[:2]
    if magic == b'P7':
        header_end = data.index(b'ENDHDR\n') + 7
        fields = dict(line.split(' ', 1) for line in data[3:header_end - 7].decode().splitlines() if ' ' in line)
        width, height, depth = int(fields['WIDTH']), int(fields['HEIGHT']), int(fields['DEPTH'])
        assert int(fields['MAXVAL']) == 255
        pixels = data[header_end:]
    else:
        tokens, at = [], 2
        while len(tokens) < 3:
            while data[at:at + 1].isspace():
                at += 1
            if data[at:at + 1] == b'#':
                at = data.index(b'\n', at)
                continue
            start = at
            while not data[at:at + 1].isspace():
                at += 1
            tokens.append(int(data[start:at]))
        width, height, maxval = tokens
        assert maxval == 255, f'{path}: maxval {maxval}'
        depth = 3 if magic == b'P6' else 1
        pixels = data[at + 1:]
    if depth == 1:
        pixels = bytes(b for v in pixels for b in (v, v, v))
    return width, height, pixels[:width * height * 3]


def main():
    a_path, b_path, tolerance = sys.argv[1], sys.argv[2], int(sys.argv[3])
    wa, ha, a = read(a_path)
    wb, hb, b = read(b_path)
    if (wa, ha) != (wb, hb):
        print(f'size {wa}x{ha} against {wb}x{hb}')
        return 1
    worst = max((abs(x - y) for x, y in zip(a, b)), default=0)
    if worst > tolerance:
        at = next(k for k, (x, y) in enumerate(zip(a, b)) if abs(x - y) == worst) // 3
        print(f'largest difference {worst} at ({at % wa}, {at // wa})')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
