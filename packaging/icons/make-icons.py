#!/usr/bin/env python3
"""Renders the hicolor PNG icons from shiftschedule.svg with ImageMagick's draw primitives.

The icon is made of axis-aligned rectangles only, so each one is drawn as a rectangle at every
size; ImageMagick's own SVG renderer drops some of them. Run from this folder after changing
the SVG, and commit the PNGs.
"""
import re
import subprocess

SIZES = (16, 32, 48, 64, 128, 256)
RECT = re.compile(r'<rect x="([\d.]+)" y="([\d.]+)" width="([\d.]+)" height="([\d.]+)" '
                  r'fill="([^"]+)"(?: stroke="([^"]+)")?')


def main():
    rects = RECT.findall(open("shiftschedule.svg").read())
    for size in SIZES:
        k = size / 32
        args = ["convert", "-size", f"{size}x{size}", "xc:none"]
        for x, y, w, h, fill, stroke in rects:
            x, y, w, h = map(float, (x, y, w, h))
            box = f"rectangle {round(x * k)},{round(y * k)} {round((x + w) * k) - 1},{round((y + h) * k) - 1}"
            if fill == "none":
                args += ["-fill", "none", "-stroke", stroke, "-strokewidth", str(max(1, round(k))),
                         "-draw", box, "-stroke", "none"]
            else:
                args += ["-fill", fill, "-draw", box]
        args.append(f"PNG32:shiftschedule-{size}.png")
        subprocess.check_call(args)


if __name__ == "__main__":
    main()
