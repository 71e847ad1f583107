#!/usr/bin/env python3
"""Draws the COGO panels' icons into app/icons as <id>_32.png and <id>_16.png:
852 the Erase Scratch Lines button (an eraser over a dashed line), 2510 the single inverse beside
point 2 (one line between two points) and 2511 the multiple side shots beside the chip (one point
with lines to three others).

Uses the canvas of draw-navigator-icons.py. Standard library only.
Run from the repository root: python3 scripts/draw-cogo-icons.py
"""

import importlib.util
import os

_spec = importlib.util.spec_from_file_location(
    "navigator_icons", os.path.join(os.path.dirname(os.path.abspath(__file__)), "draw-navigator-icons.py"))
nav = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(nav)

SCRATCH = (200, 40, 200)
ERASER = (235, 120, 140)
ERASER_DARK = (150, 50, 70)
ERASER_BAND = (70, 110, 190)


def dashed(cv, x0, y0, x1, y1, c, w, dash):
    n = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(0, n, dash * 2):
        a, b = i / n, min(i + dash, n) / n
        cv.line(round(x0 + (x1 - x0) * a), round(y0 + (y1 - y0) * a),
                round(x0 + (x1 - x0) * b), round(y0 + (y1 - y0) * b), c, w)


def erase_scratch(cv):
    # The line runs up to the eraser and is gone beyond it.
    dashed(cv, 2, 29, 20, 11, SCRATCH, 3, 4)
    body = [(12, 13), (21, 4), (31, 14), (22, 23)]
    cv.poly(body, ERASER)
    cv.poly([(12, 13), (16, 9), (26, 19), (22, 23)], ERASER_BAND)
    for (xa, ya), (xb, yb) in zip(body, body[1:] + body[:1]):
        cv.line(xa, ya, xb, yb, ERASER_DARK)


def station(cv, x, y, r, c):
    cv.disc(x, y, r + 1, nav.PAPER)
    cv.disc(x, y, r, c)


def inverse_single(cv):
    cv.line(6, 26, 26, 6, nav.INK, 2)
    station(cv, 6, 26, 4, nav.BLUE)
    station(cv, 26, 6, 4, nav.RED)


def inverse_multiple(cv):
    for x, y in ((27, 5), (28, 20), (14, 4)):
        cv.line(5, 27, x, y, nav.INK, 2)
    station(cv, 5, 27, 4, nav.BLUE)
    for x, y in ((27, 5), (28, 20), (14, 4)):
        station(cv, x, y, 3, nav.RED)


ICONS = {
    852: erase_scratch,
    2510: inverse_single,
    2511: inverse_multiple,
}


def main():
    nav.write_icons(ICONS)


if __name__ == "__main__":
    main()
