#!/usr/bin/env python3
"""Writes the suite's toolbar strips and program icons from the drawings in
toolbars.py and icons.py:

    scripts/art/make_art.py            rewrite the files in the tree
    scripts/art/make_art.py --check    fail when a file differs from its drawing

The .rc files name the files this writes; the build uses them as committed.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import icons      # noqa: E402
import pixels     # noqa: E402
import toolbars   # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def toolbar_file(buttons):
    tiles = []
    for name, draw in buttons:
        tile = draw()
        pixels.check(tile, toolbars.W, toolbars.H, name, transparent_ok=False)
        tiles.append(tile)
    return pixels.bmp_bytes(pixels.strip(tiles))


def icon_file(program):
    big, small = icons.ICONS[program]
    images = []
    for size, draw in ((32, big), (16, small)):
        picture = draw()
        pixels.check(picture, size, size, "%s %dx%d" % (program, size, size), transparent_ok=True)
        images.append(picture)
    return pixels.ico_bytes(images)


def outputs():
    yield "zodo/toolbar.bmp", toolbar_file(toolbars.ZODO)
    yield "trevak/toolbar.bmp", toolbar_file(toolbars.TREVAK)
    for program in icons.ICONS:
        yield "%s/%s.ico" % (program, program), icon_file(program)


def main(argv):
    checking = "--check" in argv[1:]
    stale = []
    for relative, data in outputs():
        path = os.path.join(ROOT, relative)
        with open(path, "rb") as f:
            current = f.read()
        if current == data:
            continue
        if checking:
            stale.append(relative)
            continue
        with open(path + ".new", "wb") as f:
            f.write(data)
        os.replace(path + ".new", path)
        print("wrote", relative)
    if stale:
        print("differs from its drawing:", " ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
