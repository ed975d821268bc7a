#!/usr/bin/env python3
"""Checks the string table and settings dialog compiled into Glimmerfall.exe.

usage: resource_check.py WINDRES Glimmerfall.exe

windres decompiles the program's resources; they must be exactly the program's strings and
dialog 1: styles, extended style, size, caption, font and every control in order.
"""
import re
import subprocess
import sys

STRINGS = {10001: "Glimmerfall", 10002: "Software\\Korvani\\Glimmerfall"}

# WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER |
# DS_CONTEXTHELP | DS_3DLOOK, and WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP.
DIALOG = {"rect": (0, 0, 143, 113), "style": 0x80000000 | 0x10000000 | 0x00C00000 | 0x00080000
          | 0x80 | 0x40 | 0x800 | 0x2000 | 0x4, "exstyle": 0x1 | 0x400,
          "caption": "Korvani - Glimmerfall", "font": (8, "MS Sans Serif")}

CHILD_VISIBLE = 0x40000000 | 0x10000000
TABSTOP, GROUP = 0x00010000, 0x00020000
BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_GROUPBOX, BS_AUTORADIOBUTTON, BS_CENTER = 0, 1, 7, 9, 0x300
SS_LEFT = 0
CONTROLS = [
    (1, "BUTTON", "&Ja, ich will!", (4, 96, 84, 14), BS_DEFPUSHBUTTON | BS_CENTER | TABSTOP),
    (2, "BUTTON", "&Nein, Danke", (92, 96, 48, 14), BS_PUSHBUTTON | BS_CENTER | TABSTOP),
    (-1, "STATIC", "ACHTUNG: Diese Demo kann schwere Bewußtseinsstörungen hervorrufen, da sie "
     "entgegen den Regeln der Kunst entworfen wurde.", (4, 4, 136, 32), SS_LEFT),
    (-1, "BUTTON", "Sound", (8, 40, 124, 48), BS_GROUPBOX | GROUP),
    (101, "BUTTON", "Sound &deaktivieren", (12, 48, 80, 12), BS_AUTORADIOBUTTON | TABSTOP),
    (102, "BUTTON", "&22 KHz", (12, 60, 44, 12), BS_AUTORADIOBUTTON | TABSTOP),
    (103, "BUTTON", "&44 KHz", (12, 72, 44, 12), BS_AUTORADIOBUTTON | TABSTOP),
]


def unescape(text, wide=False):
    """windres escapes backslashes, quotes and, as octal, characters outside ASCII: Unicode
    code points in wide (L"") strings, Windows-1252 bytes in the others."""
    def character(match):
        escaped = match.group(1)
        if escaped in ("\\", '"'):
            return escaped
        code = int(escaped, 8)
        return chr(code) if wide else bytes([code]).decode("cp1252")

    return re.sub(r'\\(\\|"|[0-7]{3})', character, text)


def number(text):
    return int(text, 0)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    script = subprocess.run([sys.argv[1], "-i", sys.argv[2], "-O", "rc"], capture_output=True,
                            check=True).stdout.decode("latin-1")
    found = {"strings": {}, "controls": []}
    for line in script.splitlines():
        line = line.strip()
        if m := re.match(r"^(\d+), \"(.*)\"$", line):
            found["strings"][int(m.group(1))] = unescape(m.group(2))
        elif m := re.match(r"^1 DIALOGEX (\d+), (\d+), (\d+), (\d+)$", line):
            found["rect"] = tuple(int(v) for v in m.groups())
        elif m := re.match(r"^STYLE (\S+)$", line):
            found["style"] = number(m.group(1))
        elif m := re.match(r"^EXSTYLE (\S+)$", line):
            found["exstyle"] = number(m.group(1))
        elif m := re.match(r"^CAPTION \"(.*)\"$", line):
            found["caption"] = unescape(m.group(1))
        elif m := re.match(r"^FONT (\d+), \"(.*)\"$", line):
            found["font"] = (int(m.group(1)), m.group(2))
        elif m := re.match(r"^CONTROL (L?)\"(.*)\", (-?\d+), \"(\w+)\", (\S+), "
                           r"(\d+), (\d+), (\d+), (\d+)$", line):
            text = unescape(m.group(2), wide=m.group(1) == "L")
            ident, kind, style = int(m.group(3)), m.group(4), number(m.group(5))
            rect = tuple(int(v) for v in m.groups()[5:])
            found["controls"].append((ident, kind, text, rect, style))

    problems = []
    if found["strings"] != STRINGS:
        problems.append(f"string table {found['strings']}")
    for name, value in DIALOG.items():
        if found.get(name) != value:
            problems.append(f"dialog {name} {found.get(name)!r}, not {value!r}")
    expected = [(i, k, t, r, CHILD_VISIBLE | s) for i, k, t, r, s in CONTROLS]
    if found["controls"] != expected:
        problems.append(f"controls {found['controls']!r}")
    for problem in problems:
        print(f"  resources: {problem}", file=sys.stderr)
    if problems:
        return 1
    print(f"  resources: strings 10001 and 10002, dialog 1 with its {len(expected)} controls")
    return 0


if __name__ == "__main__":
    sys.exit(main())
