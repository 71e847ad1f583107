#!/usr/bin/env python3
"""Draws icon 792 (a job missing one of its two files) into app/icons as 792_32.png and
792_16.png: the job picture 9 with the red missing mark of 769 over its lower left corner.

Standard library only. Run from the repository root: python3 scripts/draw-job-list-icons.py
"""

import os
import struct
import zlib


def read_png(path):
    """8-bit RGBA, non-interlaced PNGs, as the icons folder holds them."""
    data = open(path, "rb").read()
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour == 6, path
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * 4:x * 4 + 4]) for x in range(width)])
        prev = line
    return rows


def write_png(path, rows):
    size = len(rows)
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def over(base, mark):
    """The mark drawn over the base where it is not transparent."""
    out = []
    for brow, mrow in zip(base, mark):
        row = []
        for b, m in zip(brow, mrow):
            a = m[3] / 255
            row.append(tuple(int(round(m[i] * a + b[i] * (1 - a))) for i in range(3)) + (max(b[3], m[3]),))
        out.append(row)
    return out


def main():
    icons = os.path.join("app", "icons")
    for size in (32, 16):
        job = read_png(os.path.join(icons, f"9_{size}.png"))
        mark = read_png(os.path.join(icons, f"769_{size}.png"))
        write_png(os.path.join(icons, f"792_{size}.png"), over(job, mark))


if __name__ == "__main__":
    main()
