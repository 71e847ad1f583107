#!/usr/bin/env python3
"""Draws raw data marks of the map into app/icons as <id>_32.png and <id>_16.png:
612 the warning mark (a yellow triangle with an exclamation mark), put where a raw point is missing
from the job or disagrees with it, at unknown occupied points and at stations without a backsight
azimuth; 624 the stake-out stake (a pointed wooden stake with a ribbon), put at stake-out shots.

Uses the canvas of draw-navigator-icons.py. Standard library only.
Run from the repository root: python3 scripts/draw-raw-data-icons.py
"""

import importlib.util
import os

_spec = importlib.util.spec_from_file_location(
    "navigator_icons", os.path.join(os.path.dirname(os.path.abspath(__file__)), "draw-navigator-icons.py"))
nav = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(nav)

WARNING = (250, 200, 20)
WARNING_EDGE = (150, 100, 0)
WOOD = (190, 130, 60)
WOOD_DARK = (110, 70, 30)
RIBBON = (240, 90, 20)


def warning_mark(cv):
    # A dark rim first, so the mark stands out on white paper and on dark map colours alike.
    cv.poly([(16, 1), (31, 29), (1, 29)], WARNING_EDGE)
    cv.poly([(16, 5), (28, 27), (4, 27)], WARNING)
    cv.rect(14, 11, 17, 20, nav.INK)
    cv.rect(14, 23, 17, 25, nav.INK)


def stakeout_stake(cv):
    # The stake's point is the surveyed spot: it ends at the bottom centre.
    body = [(12, 4), (20, 4), (20, 22), (16, 30), (12, 22)]
    cv.poly(body, WOOD)
    for (xa, ya), (xb, yb) in zip(body, body[1:] + body[:1]):
        cv.line(xa, ya, xb, yb, WOOD_DARK)
    cv.line(15, 7, 15, 21, WOOD_DARK)
    # The ribbon tied round the head, its ends blowing out to the right.
    cv.rect(12, 7, 20, 10, RIBBON)
    cv.poly([(20, 7), (29, 4), (27, 9), (29, 13), (20, 10)], RIBBON)


ICONS = {
    612: warning_mark,
    624: stakeout_stake,
}


def main():
    nav.write_icons(ICONS)


if __name__ == "__main__":
    main()
