#!/usr/bin/env python3
"""Tells whether two screenshots show the same 5-6-5 frame.

Both pictures come from 16-bit pages, but each writer widens 5 and 6 bits to 8 its own way
(ImageMagick's X reader and our PNG writer round differently), so the pixels are narrowed back
to 5-6-5 before they are compared. Exit status 0 when every pixel agrees, 1 otherwise.
"""
import subprocess
import sys


def pixels_565(path):
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                         check=True).stdout
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                          check=True).stdout.split()
    red = [(value * 31 + 127) // 255 for value in rgb[0::3]]
    green = [(value * 63 + 127) // 255 for value in rgb[1::3]]
    blue = [(value * 31 + 127) // 255 for value in rgb[2::3]]
    return (int(size[0]), int(size[1])), list(zip(red, green, blue))


def main():
    if len(sys.argv) != 3:
        print("usage: same_frame_565.py A.png B.png", file=sys.stderr)
        return 2
    (size_a, a), (size_b, b) = pixels_565(sys.argv[1]), pixels_565(sys.argv[2])
    if size_a != size_b:
        print(f"sizes differ: {size_a} and {size_b}")
        return 1
    width = size_a[0]
    differing = [i for i in range(len(a)) if a[i] != b[i]]
    if not differing:
        print(f"identical in 5-6-5 ({size_a[0]} x {size_a[1]})")
        return 0
    first = differing[0]
    print(f"{len(differing)} pixels differ; first at ({first % width}, {first // width}): "
          f"{a[first]} against {b[first]} (5-6-5)")
    return 1


if __name__ == "__main__":
    sys.exit(main())
