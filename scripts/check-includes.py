#!/usr/bin/env python3
"""Checks that every #include points down the layers and that wx stays in the window code.

The folders in order, lowest first. A file may include its own folder and any folder before it in
this list, never one after it:

  headless (no wx; built into morvel_core)
     1 platform/   the operating system and our stand-ins for the Windows platform
     2 core/       values, units, geometry, value text, files, helpers
     3 model/      records, indexes, hints, the job document and its files, settings
     4 rawdata/    raw observation data and its reduction
     5 framework/  window rules free of windows: dialog stacks, field exchange, map picks
     6 views/      the map, grid and selection logic; world/device arithmetic
     7 cogo/       COGO computations, point editing, the calculator engine
     8 landxml/    the LandXML model, reader and writer
     9 exchange/   ASCII, DXF and job import and export, jobs from field data
    10 transfer/   serial transfer, instrument layouts, file browsing, backups
    11 shell/      reports, preferences data, the program's headless services
  window code (wx; every <folder>/ui/, built into morvel_ui), above all headless code
    12 framework/ui/  dialog and list bases, controls, the side bar, the identification popup,
                      and the program's services as windows reach them (ProgramServices.h)
    13 model/ui/      job settings pages
    14 views/ui/      the job view, its panes (grid, raw data list, map), tools, chips, and the
                      interaction part that fields and chips share
    15 cogo/ui/       input fields, COGO and point panels, the calculator
    16 rawdata/ui/    raw data panels
    17 exchange/ui/   import, export and new-job windows
    18 transfer/ui/   transfer wizards, file and job lists, backup windows
    19 shell/ui/      the program object, main frame, navigator, preferences, and the job view's
                      composition with the panels it opens (the one place that knows them all)
  20 app/   main() and the program's resources

A lower folder reaches a higher one only through an interface it owns and the higher one installs
(platform/'s message box, status bar and active job hooks; framework/ui/ProgramServices.h).
Tests and benchmarks sit at the place of the folder they test: tests/model/ is model/, tests/ui/
and bench/ui/ are window code and may include anything; tests/fuzz/, bench/ and the shared
helpers in tests/ are headless and may include any headless folder.

Prints one line per fault ("file:line: #include ...: rule") and exits 1 when there is any.
"""

import os
import re
import sys

HEADLESS = ["platform", "core", "model", "rawdata", "framework", "views", "cogo", "landxml",
            "exchange", "transfer", "shell"]
WINDOW = ["framework", "model", "views", "cogo", "rawdata", "exchange", "transfer", "shell"]

RANK = {}
for i, name in enumerate(HEADLESS, 1):
    RANK[name] = i
for i, name in enumerate(WINDOW, len(HEADLESS) + 1):
    RANK[name + "/ui"] = i
APP_RANK = len(HEADLESS) + len(WINDOW) + 1
RANK["app"] = APP_RANK
HEADLESS_TOP = len(HEADLESS)
WINDOW_TOP = APP_RANK - 1

ORDER = " < ".join(n + "/" for n in HEADLESS) + " < " + " < ".join(n + "/ui/" for n in WINDOW) + " < app/"
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inl")
SKIP_DIRS = {"build", ".git", ".library"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(parts):
    """The layered folder a path belongs to ("views", "views/ui", "app"), or None."""
    if len(parts) < 2:
        return None
    top = parts[0]
    if top == "app":
        return "app"
    if top not in HEADLESS:
        return None
    if "ui" in parts[1:-1]:
        return top + "/ui"
    return top


def place(parts):
    """(rank, label) of a source file, or None when it is not in a layered folder."""
    if parts and parts[0] in ("tests", "bench"):
        rest = parts[1:]
        if rest and rest[0] == "ui":
            return WINDOW_TOP, parts[0] + "/ui/"
        folder = folder_of(rest)
        if folder is not None:
            return RANK[folder], folder + "/"
        return HEADLESS_TOP, "headless test code"
    folder = folder_of(parts)
    if folder is None:
        return None
    return RANK[folder], folder + "/"


def check_file(root, rel, faults):
    parts = rel.split("/")
    where = place(parts)
    if where is None:
        return
    rank, label = where
    allows_wx = rank > HEADLESS_TOP
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
        target_folder = folder_of(target.split("/"))
        if target_folder is None:
            continue
        target_rank = RANK[target_folder]
        if target_rank > HEADLESS_TOP and rank <= HEADLESS_TOP:
            faults.append(f"{rel}:{number}: {shown}: headless code may not include window code (a ui/ folder)")
        elif target_rank > rank:
            faults.append(f"{rel}:{number}: {shown}: {label} may not include {target_folder}/; "
                          f"includes point down {ORDER}")


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
