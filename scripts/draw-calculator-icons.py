#!/usr/bin/env python3
"""Draws the calculator's pictures into app/icons:

- the key faces, 267 released and 266 pressed (<id>_32.png and <id>_16.png): a grey key cap,
  raised or sunk;
- the wide face of "Use Result", 7046_32.png, 96 by 32 pixels, as the calculator loads it;
- the key icons drawn in place of captions, in the keys' green: 229 square root, 6947 x squared,
  6948 pi, 6949 divide, 6950 x to the n, 6951 ten to the x, 6952 e to the x, 268 Enter,
  269 to 271 the arc sine, cosine and tangent, 6982 DMS to decimal, 6983 decimal to DMS,
  6984 DMS plus, 6985 DMS minus.

Everything is drawn four times larger and averaged down, so strokes are smooth. Glyphs come from a
small stroke font below. Standard library only.
Run from the repository root: python3 scripts/draw-calculator-icons.py
"""

import importlib.util
import math
import os

K = 4  # supersampling factor
GREEN = (0, 255, 0)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w * K, h * K
        self.px = [[(0, 0, 0, 0)] * self.w for _ in range(self.h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c if len(c) == 4 else (*c, 255)

    def fill(self, test, colour):
        for y in range(self.h):
            for x in range(self.w):
                if test(x + 0.5, y + 0.5):
                    self.put(x, y, colour(x, y) if callable(colour) else colour)

    def stroke(self, x0, y0, x1, y1, width, c):
        # A round-capped segment, in output pixels.
        x0, y0, x1, y1, r = x0 * K, y0 * K, x1 * K, y1 * K, width * K / 2
        lo_x, hi_x = int(min(x0, x1) - r) - 1, int(max(x0, x1) + r) + 1
        lo_y, hi_y = int(min(y0, y1) - r) - 1, int(max(y0, y1) + r) + 1
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        for y in range(max(lo_y, 0), min(hi_y, self.h - 1) + 1):
            for x in range(max(lo_x, 0), min(hi_x, self.w - 1) + 1):
                px, py = x + 0.5, y + 0.5
                t = 0 if length2 == 0 else max(0, min(1, ((px - x0) * dx + (py - y0) * dy) / length2))
                if (px - x0 - t * dx) ** 2 + (py - y0 - t * dy) ** 2 <= r * r:
                    self.put(x, y, c)

    def reduce(self):
        out = []
        for y in range(0, self.h, K):
            row = []
            for x in range(0, self.w, K):
                cells = [self.px[y + j][x + i] for j in range(K) for i in range(K)]
                alpha = sum(p[3] for p in cells)
                if alpha == 0:
                    row.append((0, 0, 0, 0))
                    continue
                rgb = tuple(sum(p[i] * p[3] for p in cells) // alpha for i in range(3))
                row.append((*rgb, alpha // len(cells)))
            out.append(row)
        return out


# The PNG writer and the halving of draw-navigator-icons.py.
_spec = importlib.util.spec_from_file_location(
    "navigator_icons", os.path.join(os.path.dirname(os.path.abspath(__file__)), "draw-navigator-icons.py"))
_nav = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(_nav)
png = _nav.png
halve = _nav.halve


# --- Key faces: a rounded grey cap with a light edge where the light falls and a dark one opposite.

def face(w, h, pressed):
    cv = Canvas(w, h)
    radius = 3 * K
    x0, y0, x1, y1 = 1 * K, 1 * K, w * K - 1 * K, h * K - 1 * K

    def inside(px, py, inset=0):
        ax, ay, bx, by = x0 + inset, y0 + inset, x1 - inset, y1 - inset
        r = max(radius - inset, 1)
        cx = min(max(px, ax + r), bx - r)
        cy = min(max(py, ay + r), by - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r

    light, dark = ((0x30, 0x30, 0x30), (0xA8, 0xA8, 0xA8)) if pressed else ((0xB0, 0xB0, 0xB0), (0x28, 0x28, 0x28))
    top, bottom = ((0x38, 0x38, 0x38), (0x48, 0x48, 0x48)) if pressed else ((0x78, 0x78, 0x78), (0x58, 0x58, 0x58))
    edge = 1.5 * K

    def colour(x, y):
        px, py = x + 0.5, y + 0.5
        if not inside(px, py, edge):
            # The bevel: light above the diagonal, dark below it.
            return light if (px - x0) / (x1 - x0) + (py - y0) / (y1 - y0) < 1 else dark
        t = (py - y0) / (y1 - y0)
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))

    cv.fill(lambda px, py: inside(px, py), colour)
    return cv.reduce()


# --- Stroke font: glyphs in a box 4 wide and 6 high, as polylines (y grows downwards).

def ring(cx, cy, rx, ry, n=16):
    return [(cx + rx * math.cos(2 * math.pi * i / n), cy + ry * math.sin(2 * math.pi * i / n)) for i in range(n + 1)]


GLYPHS = {
    "x": [[(0, 2), (4, 6)], [(4, 2), (0, 6)]],
    "e": [[(0, 4), (4, 4), (4, 3), (3, 2), (1, 2), (0, 3), (0, 5), (1, 6), (4, 6)]],
    "n": [[(0, 2), (0, 6)], [(0, 3), (1, 2), (3, 2), (4, 3), (4, 6)]],
    "s": [[(4, 2), (1, 2), (0, 3), (1, 4), (3, 4), (4, 5), (3, 6), (0, 6)]],
    "i": [[(2, 2), (2, 6)], [(2, 0.4), (2, 0.6)]],
    "c": [[(4, 2), (1, 2), (0, 3), (0, 5), (1, 6), (4, 6)]],
    "o": [ring(2, 4, 2, 2)],
    "t": [[(1.5, 0), (1.5, 5), (2.5, 6), (4, 6)], [(0, 2), (3.5, 2)]],
    "a": [[(0, 2), (3, 2), (4, 3), (4, 6)], [(4, 4), (1, 4), (0, 5), (1, 6), (4, 6)]],
    "0": [ring(2, 3, 2, 3)],
    "1": [[(0.8, 1.2), (2, 0), (2, 6)]],
    "2": [[(0, 1), (1, 0), (3, 0), (4, 1), (4, 2), (0, 6), (4, 6)]],
    "-": [[(0.5, 3), (3.5, 3)]],
    "+": [[(0, 3), (4, 3)], [(2, 1), (2, 5)]],
    "π": [[(0, 1.5), (4.5, 1.5)], [(1.3, 1.5), (1.3, 6)], [(3.3, 1.5), (3.3, 5.3), (4.2, 6)]],
    "÷": [[(0, 3), (4, 3)], [(1.8, 1), (2.2, 1)], [(1.8, 5), (2.2, 5)], [(2, 0.8), (2, 1.2)], [(2, 4.8), (2, 5.2)]],
    ">": [[(0.5, 1), (3.5, 3), (0.5, 5)]],
    "°": [ring(1.2, 1.2, 1, 1)],
    "′": [[(1.6, 0), (1, 2)]],
    "″": [[(1, 0), (0.4, 2)], [(2.6, 0), (2, 2)]],
    "↵": [[(4, 0.5), (4, 4), (0, 4)], [(1.5, 2.5), (0, 4), (1.5, 5.5)]],
}
ADVANCE = {"°": 3, "′": 2.4, "″": 3.4, "i": 3, "1": 3.4}


def text_width(text, size):
    return sum(ADVANCE.get(ch, 5.2) for ch in text) * size / 6 - size / 6


def draw_text(cv, text, x, baseline, size, width):
    """Draws text whose glyph box is size pixels high, its bottom on the baseline."""
    scale = size / 6
    for ch in text:
        for line in GLYPHS[ch]:
            for (xa, ya), (xb, yb) in zip(line, line[1:]):
                cv.stroke(x + xa * scale, baseline - size + ya * scale, x + xb * scale, baseline - size + yb * scale,
                          width, GREEN)
        x += ADVANCE.get(ch, 5.2) * scale
    return x


def key_icon(parts, big=11, small=7):
    """parts: (text, superscript) pairs laid out on one line, centred in 32 by 32."""
    widths = [text_width(t, small if sup else big) + (1.2 if sup else 0) for t, sup in parts]
    x = (32 - sum(widths) - 1.5 * (len(parts) - 1)) / 2
    baseline = 21
    cv = Canvas(32, 32)
    for (text, sup), w in zip(parts, widths):
        if sup:
            draw_text(cv, text, x + 1, baseline - big + small - 2.5, small, 1.4)
        else:
            draw_text(cv, text, x, baseline, big, 1.8 if big > 9 else 1.5)
        x += w + 1.5
    return cv


def sqrt_icon():
    cv = Canvas(32, 32)
    # The radical's hook, its long stroke and the bar over the x.
    for (xa, ya), (xb, yb) in zip([(6, 16), (9, 15), (12, 24), (16, 8), (27, 8)],
                                  [(9, 15), (12, 24), (16, 8), (27, 8), (27, 8)]):
        cv.stroke(xa, ya, xb, yb, 1.8, GREEN)
    draw_text(cv, "x", 18, 23, 11, 1.8)
    return cv


ICONS = {
    229: sqrt_icon,
    6947: lambda: key_icon([("x", False), ("2", True)]),
    6948: lambda: key_icon([("π", False)]),
    6949: lambda: key_icon([("÷", False)]),
    6950: lambda: key_icon([("x", False), ("n", True)]),
    6951: lambda: key_icon([("10", False), ("x", True)]),
    6952: lambda: key_icon([("e", False), ("x", True)]),
    268: lambda: key_icon([("↵", False)]),
    269: lambda: key_icon([("sin", False), ("-1", True)], 8, 6),
    270: lambda: key_icon([("cos", False), ("-1", True)], 8, 6),
    271: lambda: key_icon([("tan", False), ("-1", True)], 8, 6),
    6982: lambda: key_icon([("°′″>", False)], 9),
    6983: lambda: key_icon([(">°′″", False)], 9),
    6984: lambda: key_icon([("°′″+", False)], 9),
    6985: lambda: key_icon([("°′″-", False)], 9),
}


def main():
    folder = os.path.join("app", "icons")
    for icon, pressed in ((267, False), (266, True)):
        rows = face(32, 32, pressed)
        png(os.path.join(folder, f"{icon}_32.png"), rows)
        png(os.path.join(folder, f"{icon}_16.png"), halve(rows))
    png(os.path.join(folder, "7046_32.png"), face(96, 32, False))
    for icon, draw in ICONS.items():
        rows = draw().reduce()
        png(os.path.join(folder, f"{icon}_32.png"), rows)
        png(os.path.join(folder, f"{icon}_16.png"), halve(rows))


if __name__ == "__main__":
    main()
