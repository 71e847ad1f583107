#!/usr/bin/env python3
"""Checks that every #include points down the layers and that wx stays in the window code.

Layers, lowest first:
  1 platform/   2 core/   3 model/   4 rawdata/
  5 cogo/, exchange/, landxml/, transfer/ and the headless parts of framework/, shell/, views/
  6 every <folder>/ui/ (window code)   7 app/
A file may include from its own layer or a lower one. Only window code and app/ include wx.
Tests and benchmarks sit at the layer of the folder they test: tests/model/ is model,
tests/ui/ is window code, tests/fuzz/, bench/ and the shared helpers in tests/ are headless.

Prints one line per fault ("file:line: #include ...: rule") and exits 1 when there is any.
"""

import os
import re
import sys

ORDER = "platform/ > core/ > model/ > rawdata/ > cogo/ exchange/ landxml/ transfer/ framework/ shell/ views/ > */ui/ > app/"
FOLDER_LAYERS = {
    "platform": 1, "core": 2, "model": 3, "rawdata": 4,
    "cogo": 5, "exchange": 5, "landxml": 5, "transfer": 5,
    "framework": 5, "shell": 5, "views": 5,
    "app": 7,
}
UI_LAYER = 6
HEADLESS_TOP = 5
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inl")
SKIP_DIRS = {"build", ".git", ".library"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def path_layer(parts):
    """Layer of a path given as folder components, or None when it is not in a layered folder."""
    if not parts:
        return None
    if parts[0] in ("tests", "bench"):
        rest = parts[1:]
        if rest and rest[0] == "ui":
            return UI_LAYER
        if rest and rest[0] in FOLDER_LAYERS:
            return path_layer(rest)
        return HEADLESS_TOP
    if parts[0] not in FOLDER_LAYERS:
        return None
    if "ui" in parts[1:-1] and parts[0] != "app":
        return UI_LAYER
    return FOLDER_LAYERS[parts[0]]


def folder_label(parts, layer):
    """The folder a path belongs to, as the message names it."""
    if parts and parts[0] in ("tests", "bench") and len(parts) > 2 and parts[1] in FOLDER_LAYERS:
        parts = parts[1:]
    if layer == UI_LAYER:
        return "window code (ui/)"
    if parts[0] in FOLDER_LAYERS:
        return parts[0] + "/"
    return "headless test code"


def is_ui_path(parts):
    if parts and parts[0] in ("tests", "bench"):
        parts = parts[1:]
    return "ui" in parts[:-1]


def check_file(root, rel, faults):
    parts = rel.split("/")
    layer = path_layer(parts)
    if layer is None:
        return
    allows_wx = layer >= UI_LAYER
    try:
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
            lines = f.readlines()
    except OSError as e:
        faults.append(f"{rel}: cannot be read: {e.strerror}")
        return
    for number, line in enumerate(lines, 1):
        m = INCLUDE.match(line)
        if not m:
            continue
        bracket, target = m.groups()
        shown = f'#include {bracket}{target}{">" if bracket == "<" else chr(34)}'
        if bracket == "<":
            if (target.startswith("wx/") or target == "wx.h") and not allows_wx:
                faults.append(f"{rel}:{number}: {shown}: only window code (a ui/ folder) and app/ include wx")
            continue
        target_parts = target.split("/")
        target_layer = path_layer(target_parts)
        if target_layer is None:
            continue
        if is_ui_path(target_parts) and layer < UI_LAYER:
            faults.append(f"{rel}:{number}: {shown}: headless code may not include window code (a ui/ folder)")
        elif target_layer > layer:
            faults.append(f"{rel}:{number}: {shown}: {folder_label(parts, layer)} may not include "
                          f"{folder_label(target_parts, target_layer)}; includes point down {ORDER}")


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    faults = []
    for dirpath, dirnames, filenames in os.walk(root):
        dirnames[:] = sorted(d for d in dirnames if d not in SKIP_DIRS and not d.startswith("."))
        for name in sorted(filenames):
            if name.endswith(SOURCE_SUFFIXES):
                rel = os.path.relpath(os.path.join(dirpath, name), root).replace(os.sep, "/")
                check_file(root, rel, faults)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) break the layers")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
