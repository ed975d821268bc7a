#!/usr/bin/env python3
"""Checks the settings Glimmerfall.exe left in Wine's registry against those our platform
layer wrote for the same run.

usage: registry_check.py WINE LINUX_SETTINGS.reg

The four values must be there with their types; the device GUIDs must be GUID texts (which
device each side chose is its own affair), the volume and the switch must equal ours.
"""
import re
import subprocess
import sys

KEY = r"HKEY_CURRENT_USER\Software\Korvani\Glimmerfall"
GUID_TEXT = re.compile(r"^\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}$")
EXPECTED_TYPES = {
    "TDirectDraw::guidDevice": "REG_SZ",
    "TDirectSound::guidDevice": "REG_SZ",
    "TDirectSound::dwVolume": "REG_DWORD",
    "TDirectSound::dwDisable": "REG_DWORD",
}


def wine_values(wine):
    """Name -> (type, value) from `reg query`; DWORDs as integers."""
    text = subprocess.run([wine, "reg", "query", KEY], capture_output=True, text=True,
                          check=True).stdout
    values = {}
    for line in text.splitlines():
        parts = re.split(r" {4}", line.strip())
        if len(parts) == 3:
            name, kind, value = parts
            values[name] = (kind, int(value, 16) if kind == "REG_DWORD" else value)
    return values


def linux_values(path):
    """Name -> (type, value) from our registry file, a text registry export."""
    values = {}
    section = None
    with open(path, encoding="utf-8") as settings:
        for line in settings:
            line = line.strip()
            if line.startswith("["):
                section = line[1:-1]
                continue
            match = re.match(r'^"([^"]+)"=(?:"(.*)"|dword:([0-9a-fA-F]{8}))$', line)
            if section == KEY and match:
                name, text, dword = match.groups()
                values[name] = ("REG_SZ", text) if dword is None else ("REG_DWORD", int(dword, 16))
    return values


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    wine, ours = wine_values(sys.argv[1]), linux_values(sys.argv[2])
    problems = []
    for name, kind in EXPECTED_TYPES.items():
        if name not in wine:
            problems.append(f'"{name}" is missing')
            continue
        found_kind, value = wine[name]
        if found_kind != kind:
            problems.append(f'"{name}" is {found_kind}, not {kind}')
        elif kind == "REG_SZ" and not GUID_TEXT.match(value):
            problems.append(f'"{name}" is "{value}", not a GUID text')
        elif kind == "REG_DWORD" and ours.get(name) != wine[name]:
            problems.append(f'"{name}" is {value}, ours is {ours.get(name, ("", "missing"))[1]}')
    for problem in problems:
        print(f"  registry: {problem}", file=sys.stderr)
    if problems:
        return 1
    shown = ", ".join(f"{name}={wine[name][1]}" for name in EXPECTED_TYPES)
    print(f"  registry: {shown}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
