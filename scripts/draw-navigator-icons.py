#!/usr/bin/env python3
"""Draws the project navigator's icons into app/icons as <id>_32.png and <id>_16.png.

Each picture is drawn at 32 pixels and halved for the small size. Standard library only.
Run from the repository root: python3 scripts/draw-navigator-icons.py
"""

import math
import os
import struct
import zlib

S = 32


class Canvas:
    def __init__(self):
        self.px = [[(0, 0, 0, 0) for _ in range(S)] for _ in range(S)]

    def put(self, x, y, c):
        if 0 <= x < S and 0 <= y < S:
            if len(c) == 3:
                c = (*c, 255)
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c, w=1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1) * 2
        for i in range(n + 1):
            t = i / n
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t
            for dy in range(-(w // 2), w - w // 2):
                for dx in range(-(w // 2), w - w // 2):
                    self.put(int(round(x)) + dx, int(round(y)) + dy, c)

    def disc(self, cx, cy, r, c):
        for y in range(S):
            for x in range(S):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def poly(self, pts, c):
        for y in range(S):
            yc = y + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                    self.put(x, y, c)


INK = (40, 40, 40)
PAPER = (255, 255, 255)
BLUE = (30, 80, 170)
GREEN = (30, 130, 60)
RED = (200, 30, 30)
YELLOW = (240, 200, 70)
DARK_YELLOW = (180, 140, 30)
GREY = (120, 120, 120)


def page(cv):
    """A sheet with a folded corner, the base of the file pictures."""
    cv.poly([(6, 2), (21, 2), (27, 8), (27, 30), (6, 30)], PAPER)
    cv.line(6, 2, 21, 2, INK)
    cv.line(21, 2, 27, 8, INK)
    cv.line(27, 8, 27, 30, INK)
    cv.line(6, 30, 27, 30, INK)
    cv.line(6, 2, 6, 30, INK)
    cv.line(21, 2, 21, 8, INK)
    cv.line(21, 8, 27, 8, INK)


def job_file(cv):
    page(cv)
    for y in (12, 17, 22):
        cv.line(9, y, 24, y, BLUE)
    for x in (9, 14, 19, 24):
        cv.line(x, 12, x, 26, BLUE)
    cv.line(9, 26, 24, 26, BLUE)


def folder(cv):
    cv.poly([(2, 8), (11, 8), (14, 11), (29, 11), (29, 27), (2, 27)], DARK_YELLOW)
    cv.poly([(4, 14), (31, 14), (27, 27), (2, 27)], YELLOW)
    cv.line(2, 27, 27, 27, INK)
    cv.line(4, 14, 31, 14, INK)
    cv.line(31, 14, 27, 27, INK)
    cv.line(2, 8, 2, 27, INK)
    cv.line(2, 8, 11, 8, INK)


def info(cv):
    cv.disc(16, 16, 14, BLUE)
    cv.disc(16, 9, 2.2, PAPER)
    cv.rect(14, 13, 17, 24, PAPER)


def missing_mark(cv):
    cv.disc(8, 24, 7.5, PAPER)
    cv.disc(8, 24, 6.5, RED)
    cv.line(5, 21, 11, 27, PAPER, 2)
    cv.line(11, 21, 5, 27, PAPER, 2)


def instrument(cv):
    # A total station on its tripod.
    cv.line(16, 18, 8, 31, GREY, 2)
    cv.line(16, 18, 24, 31, GREY, 2)
    cv.line(16, 18, 16, 31, GREY, 2)
    cv.rect(11, 5, 21, 17, YELLOW)
    cv.frame(11, 5, 21, 17, INK)
    cv.rect(13, 8, 19, 12, BLUE)


def arrow(cv, x0, y0, x1, y1, c):
    cv.line(x0, y0, x1, y1, c, 3)
    ang = math.atan2(y1 - y0, x1 - x0)
    tip = (x1 + 2 * math.cos(ang), y1 + 2 * math.sin(ang))
    left = (x1 - 6 * math.cos(ang - 0.7), y1 - 6 * math.sin(ang - 0.7))
    right = (x1 - 6 * math.cos(ang + 0.7), y1 - 6 * math.sin(ang + 0.7))
    cv.poly([tip, left, right], c)


def get_job(cv):
    instrument(cv)
    arrow(cv, 20, 20, 28, 28, GREEN)


def send_job(cv):
    instrument(cv)
    arrow(cv, 30, 28, 23, 21, RED)


def landxml(cv):
    page(cv)
    cv.line(14, 13, 9, 18, GREEN, 2)
    cv.line(9, 18, 14, 23, GREEN, 2)
    cv.line(19, 13, 24, 18, GREEN, 2)
    cv.line(24, 18, 19, 23, GREEN, 2)


def dxf(cv):
    page(cv)
    cv.line(9, 25, 15, 13, RED, 2)
    cv.line(15, 13, 24, 22, RED, 2)
    cv.disc(15, 13, 2, INK)


def ascii_file(cv):
    page(cv)
    for y, end in ((12, 22), (16, 24), (20, 19), (24, 23)):
        cv.line(9, y, end, y, INK)


def new_job(cv):
    page(cv)
    cv.disc(23, 24, 7, YELLOW)
    cv.line(23, 19, 23, 29, INK, 2)
    cv.line(18, 24, 28, 24, INK, 2)


def tray(cv):
    cv.poly([(3, 20), (29, 20), (29, 30), (3, 30)], (210, 210, 220))
    cv.frame(3, 20, 29, 30, INK)


def import_icon(cv):
    tray(cv)
    arrow(cv, 16, 2, 16, 21, GREEN)


def export_icon(cv):
    tray(cv)
    arrow(cv, 16, 24, 16, 5, RED)


def overlay_none(cv):
    pass


ICONS = {
    8: job_file,
    212: folder,
    245: info,
    253: overlay_none,
    769: missing_mark,
    849: get_job,
    850: send_job,
    853: landxml,
    854: dxf,
    855: ascii_file,
    7030: new_job,
    7091: import_icon,
    7092: export_icon,
}


def png(path, rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def halve(rows):
    out = []
    for y in range(0, len(rows), 2):
        row = []
        for x in range(0, len(rows[0]), 2):
            quad = [rows[y + dy][x + dx] for dy in (0, 1) for dx in (0, 1)]
            alpha = sum(p[3] for p in quad)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            rgb = tuple(sum(p[i] * p[3] for p in quad) // alpha for i in range(3))
            row.append((*rgb, alpha // 4))
        out.append(row)
    return out


def write_icons(icons):
    """Draws each icon of {id: draw} at 32 px and writes it and its 16 px half into app/icons."""
    folder_path = os.path.join("app", "icons")
    for icon, draw in icons.items():
        cv = Canvas()
        draw(cv)
        png(os.path.join(folder_path, f"{icon}_32.png"), cv.px)
        png(os.path.join(folder_path, f"{icon}_16.png"), halve(cv.px))


def main():
    write_icons(ICONS)


if __name__ == "__main__":
    main()
