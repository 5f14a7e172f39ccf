"""Small raster helpers for the suite's art: the 16-colour palette, a canvas
with a few drawing strokes, and writers of 4-bit BMP and ICO files.

A picture is a list of equal-length strings, one character a pixel:

    .  light grey (the toolbar maps it to the button face)
    k  black          s  dark grey        W  white
    r  dark red       R  red
    g  dark green     G  green
    o  dark yellow    Y  yellow
    b  dark blue      B  blue
    m  dark magenta   M  magenta
    t  dark cyan      C  cyan
    (blank)  transparent: only icons have it; a sprite pasted on a
             canvas leaves the canvas pixel there
"""

import struct

# The platform's sixteen colours in their palette order, as (r, g, b).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
INDEX = {c: i for i, c in enumerate("krgobmt.sRGYBMCW")}
TRANSPARENT = " "


class Canvas:
    def __init__(self, width, height, fill="."):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    def put(self, x, y, c):
        x, y = int(x), int(y)
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inside."""
        x0, y0, x1, y1 = int(x0), int(y0), int(x1), int(y1)
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def box(self, x0, y0, x1, y1, edge, inside=None):
        if inside is not None:
            self.fill(x0, y0, x1, y1, inside)
        for x in range(x0, x1 + 1):
            self.put(x, y0, edge)
            self.put(x, y1, edge)
        for y in range(y0, y1 + 1):
            self.put(x0, y, edge)
            self.put(x1, y, edge)

    def line(self, x0, y0, x1, y1, c, width=1):
        """A straight stroke; a wider one is a square pen of that side."""
        x0, y0, x1, y1 = int(x0), int(y0), int(x1), int(y1)
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.fill(x0, y0, x0 + width - 1, y0 + width - 1, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c, r_inner=-1.0):
        """Pixels whose centre lies within r of (cx, cy) and beyond r_inner."""
        for y in range(self.height):
            for x in range(self.width):
                d2 = (x - cx) ** 2 + (y - cy) ** 2
                if d2 <= r * r and (r_inner < 0 or d2 > r_inner * r_inner):
                    self.put(x, y, c)

    def paste(self, picture, x, y):
        for j, row in enumerate(picture):
            for i, c in enumerate(row):
                if c != TRANSPARENT:
                    self.put(x + i, y + j, c)

    def picture(self):
        return ["".join(r) for r in self.rows]


def check(picture, width, height, name, transparent_ok):
    if len(picture) != height or any(len(r) != width for r in picture):
        raise ValueError("%s is not %dx%d: %s" % (name, width, height, [len(r) for r in picture]))
    for row in picture:
        for c in row:
            if c not in INDEX and not (transparent_ok and c == TRANSPARENT):
                raise ValueError("%s holds the unknown pixel %r" % (name, c))


def _rows_4bit(picture):
    """The 4-bit rows bottom-up, each padded to four bytes."""
    out = b""
    for row in reversed(picture):
        idx = [INDEX.get(c, 0) for c in row]
        if len(idx) % 2:
            idx.append(0)
        data = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
        out += data + b"\0" * (-len(data) % 4)
    return out


def _rows_mask(picture):
    """The 1-bit transparency mask bottom-up, set where the pixel is transparent."""
    out = b""
    for row in reversed(picture):
        bits = [1 if c == TRANSPARENT else 0 for c in row]
        bits += [0] * (-len(bits) % 8)
        data = bytes(sum(b << (7 - k) for k, b in enumerate(bits[i:i + 8])) for i in range(0, len(bits), 8))
        out += data + b"\0" * (-len(data) % 4)
    return out


def _palette_bytes():
    return b"".join(bytes((b, g, r, 0)) for (r, g, b) in PALETTE)


def _info_header(width, height, bits_size, height_factor=1):
    return struct.pack("<IiiHHIIiiII", 40, width, height * height_factor, 1, 4, 0, bits_size,
                       0, 0, 16, 0)


def bmp_bytes(picture):
    width, height = len(picture[0]), len(picture)
    bits = _rows_4bit(picture)
    header = _info_header(width, height, len(bits)) + _palette_bytes()
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + bits


def ico_bytes(pictures):
    """An icon file holding each picture as a 16-colour image with its mask."""
    images = []
    for picture in pictures:
        width, height = len(picture[0]), len(picture)
        xor, mask = _rows_4bit(picture), _rows_mask(picture)
        images.append((width, height, _info_header(width, height, len(xor) + len(mask), 2)
                       + _palette_bytes() + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, data in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def strip(pictures):
    """Tiles of one height side by side, as one picture."""
    return ["".join(p[y] for p in pictures) for y in range(len(pictures[0]))]
