"""The programs' icons, each drawn at 32x32 and again, simpler, at 16x16."""

from pixels import Canvas


def blank(size):
    return Canvas(size, size, " ")


def text_page(c, x0, y0, x1, y1, step=2, colour="k", margin=2):
    c.box(x0, y0, x1, y1, "k", "W")
    for n, y in enumerate(range(y0 + margin, y1 - 1, step)):
        c.fill(x0 + margin, y, x1 - margin - (n * 3) % 5, y, colour)


# pellumar, the shell: a console window with a prompt.
def pellumar_32():
    c = blank(32)
    c.box(1, 3, 30, 28, "k", "k")
    c.fill(2, 4, 29, 7, "b")
    c.fill(25, 5, 28, 6, ".")
    c.fill(3, 5, 12, 6, "W")
    c.fill(2, 8, 29, 27, "k")
    # A command, the rows it listed, then the prompt with its cursor.
    for y in (10, 13, 16):
        c.put(4, y, "G")
    c.fill(6, 10, 12, 10, ".")
    c.fill(6, 13, 22, 13, ".")
    c.fill(6, 16, 17, 16, ".")
    c.line(4, 20, 6, 22, "G")
    c.line(6, 22, 4, 24, "G")
    c.fill(9, 23, 13, 24, "G")
    return c.picture()

def pellumar_16():
    c = blank(16)
    c.box(0, 1, 15, 14, "k", "k")
    c.fill(1, 2, 14, 3, "b")
    c.fill(2, 5, 2, 5, "G")
    c.fill(4, 5, 10, 5, ".")
    c.fill(4, 7, 8, 7, ".")
    c.line(2, 9, 3, 10, "G")
    c.line(3, 10, 2, 11, "G")
    c.fill(5, 11, 8, 11, "G")
    return c.picture()


def down_arrow(c, x, y, shaft, half, stem, colour="B", edge="b"):
    """An arrow pointing down: a stem rows long, 2*shaft+1 wide, under a head
    2*half+1 wide; (x, y) is its top left."""
    cx = x + half
    c.box(cx - shaft, y, cx + shaft, y + stem, edge, colour)
    top = y + stem
    for j in range(half + 1):
        left, right = cx - half + j, cx + half - j
        c.fill(left, top + j, right, top + j, colour)
        c.put(left, top + j, edge)
        c.put(right, top + j, edge)
    c.fill(cx - half, top, cx - shaft, top, edge)
    c.fill(cx + shaft, top, cx + half, top, edge)


# zodo, the pager: a page of text and an arrow paging down it.
def zodo_32():
    c = blank(32)
    text_page(c, 3, 1, 22, 30, step=3, margin=3)
    down_arrow(c, 17, 8, 3, 7, 13)
    return c.picture()

def zodo_16():
    c = blank(16)
    text_page(c, 1, 0, 11, 15, step=2)
    down_arrow(c, 8, 3, 1, 3, 7)
    return c.picture()


FONT = {
    "0": ["xxx", "x.x", "x.x", "x.x", "xxx"],
    "3": ["xx.", "..x", ".x.", "..x", "xx."],
    "7": ["xxx", "..x", ".x.", ".x.", ".x."],
    "9": ["xxx", "x.x", "xxx", "..x", "xx."],
    "A": [".x.", "x.x", "xxx", "x.x", "x.x"],
    "C": [".xx", "x..", "x..", "x..", ".xx"],
    "E": ["xxx", "x..", "xx.", "x..", "xxx"],
    "F": ["xxx", "x..", "xx.", "x..", "x.."],
}

def text(c, x, y, s, colour):
    for ch in s:
        if ch != " ":
            for j, row in enumerate(FONT[ch]):
                for i, p in enumerate(row):
                    if p == "x":
                        c.put(x + i, y + j, colour)
        x += 4


# olmet, the hex viewer: rows of hexadecimal bytes.
def olmet_32():
    c = blank(32)
    c.box(1, 1, 30, 30, "k", "W")
    c.fill(2, 2, 29, 4, "t")
    rows = ["3F A0 9", "7C E9 0", "0A F3 C", "E0 97 A"]
    for n, row in enumerate(rows):
        y = 6 + 6 * n
        text(c, 3, y, row[:2], "b")
        text(c, 12, y, row[3:5], "b")
        text(c, 23, y, row[6], "r")
    c.fill(21, 6, 21, 29, "s")
    return c.picture()

def olmet_16():
    c = blank(16)
    c.box(0, 0, 15, 15, "k", "W")
    c.fill(1, 1, 14, 2, "t")
    text(c, 2, 4, "3F", "b")
    text(c, 2, 10, "A0", "b")
    c.fill(10, 4, 10, 14, "s")
    c.fill(12, 5, 13, 5, "r")
    c.fill(12, 11, 13, 11, "r")
    return c.picture()


def lens(c, cx, cy, r, ring, handle_to, handle_width):
    c.disc(cx, cy, r, "k")
    c.disc(cx, cy, r - ring, "C")
    c.put(cx - r // 2, cy - r // 2, "W")
    c.put(cx - r // 2 + 1, cy - r // 2, "W")
    c.put(cx - r // 2, cy - r // 2 + 1, "W")
    d = int(r * 0.7)
    c.line(cx + d, cy + d, handle_to[0], handle_to[1], "b", handle_width)


# quarn, the file search: a folder under a magnifying glass.
def quarn_32():
    c = blank(32)
    c.box(1, 5, 11, 9, "k", "o")
    c.box(1, 8, 25, 26, "k", "Y")
    c.fill(2, 9, 24, 10, "o")
    text_page(c, 4, 2, 16, 12, step=2)
    c.box(1, 12, 25, 26, "k", "Y")
    lens(c, 19, 17, 8, 2, (27, 25), 3)
    return c.picture()

def quarn_16():
    c = blank(16)
    c.box(0, 3, 5, 5, "k", "o")
    c.box(0, 5, 12, 14, "k", "Y")
    lens(c, 9.5, 8.5, 4, 1, (13, 13), 2)
    return c.picture()


PENCIL_32 = [
    "                    kk   ",
    "                   kMMk  ",
    "                  kMMMMk ",
    "                 kMMMMMMk",
    "                ksMMMMMk ",
    "               kWssMMMk  ",
    "              kYWWssMk   ",
    "             kYYYWWssk   ",
    "            kYYYYYoosk   ",
    "           kYYYYYooook   ",
    "          kYYYYYooook    ",
    "         kYYYYYooook     ",
    "        kYYYYYooook      ",
    "       kYYYYYooook       ",
    "      kWWYYYooook        ",
    "      kWWWWooook         ",
    "     kWWWWWWook          ",
    "     kWWWWWWWk           ",
    "    kkkWWWWWk            ",
    "    kkkkWWWk             ",
    "   kkkkkWk               ",
    "   kkkk                  ",
]

PENCIL_16 = [
    "          kk ",
    "         kMMk",
    "        ksMMk",
    "       kYWsk ",
    "      kYYok  ",
    "     kYYok   ",
    "    kYYok    ",
    "   kWWok     ",
    "   kWWk      ",
    "  kkk        ",
    "  k          ",
]

# vantic, the stream editor: a pencil changing the lines of a page.
def vantic_32():
    c = blank(32)
    text_page(c, 1, 1, 22, 30, step=3, margin=3)
    c.fill(4, 13, 17, 13, "R")
    c.fill(4, 16, 14, 16, "g")
    c.paste(PENCIL_32, 6, 4)
    return c.picture()

def vantic_16():
    c = blank(16)
    text_page(c, 0, 0, 11, 15, step=2)
    c.fill(2, 6, 9, 6, "R")
    c.fill(2, 8, 8, 8, "g")
    c.paste(PENCIL_16, 3, 3)
    return c.picture()


# diff: two pages side by side whose changed lines stand out.
def diff_32():
    c = blank(32)
    text_page(c, 0, 2, 14, 29, step=3, margin=2)
    text_page(c, 17, 2, 31, 29, step=3, margin=2)
    for y in (11, 20):
        c.fill(2, y - 1, 12, y + 1, "R")
        c.fill(19, y - 1, 29, y + 1, "G")
    c.fill(2, 11, 9, 11, "W")
    c.fill(19, 11, 27, 11, "k")
    c.fill(2, 20, 11, 20, "W")
    c.fill(19, 20, 25, 20, "k")
    return c.picture()

def diff_16():
    c = blank(16)
    text_page(c, 0, 1, 7, 14, step=2)
    text_page(c, 8, 1, 15, 14, step=2)
    c.fill(1, 6, 6, 7, "R")
    c.fill(9, 6, 14, 7, "G")
    return c.picture()


# ombrix, the utilities: a toolbox with a spanner on it.
def ombrix_32():
    c = blank(32)
    c.box(11, 5, 20, 12, "k", " ")
    c.box(12, 6, 19, 11, "s", " ")
    c.fill(13, 7, 18, 11, " ")
    c.box(1, 11, 30, 28, "k", "R")
    c.fill(2, 12, 29, 15, "r")
    c.fill(1, 16, 30, 16, "k")
    c.box(13, 15, 18, 18, "k", "Y")
    c.fill(2, 27, 29, 27, "r")
    c.line(6, 25, 22, 19, "s", 2)
    c.disc(24.5, 19.5, 3, "s")
    c.fill(25, 18, 27, 19, "R")
    c.disc(4.5, 25.5, 1.6, "s")
    return c.picture()

def ombrix_16():
    c = blank(16)
    c.box(5, 2, 10, 6, "k", " ")
    c.fill(6, 3, 9, 6, " ")
    c.box(0, 5, 15, 14, "k", "R")
    c.fill(1, 6, 14, 7, "r")
    c.fill(0, 8, 15, 8, "k")
    c.box(6, 7, 9, 9, "k", "Y")
    c.line(3, 12, 11, 10, "s", 1)
    c.line(3, 13, 11, 11, "s", 1)
    return c.picture()


# trevak, the archiver: pages packed into a box.
def trevak_32():
    c = blank(32)
    c.box(6, 2, 17, 17, "k", "W")
    c.fill(8, 5, 15, 5, "k")
    c.fill(8, 8, 13, 8, "k")
    c.box(13, 4, 25, 17, "k", "W")
    c.fill(15, 7, 23, 7, "k")
    c.fill(15, 10, 21, 10, "k")
    c.fill(15, 13, 22, 13, "k")
    c.box(1, 13, 30, 17, "k", "Y")
    c.box(3, 17, 28, 30, "k", "o")
    c.fill(4, 18, 27, 18, "Y")
    c.box(12, 21, 19, 25, "k", "W")
    c.fill(14, 23, 17, 23, "k")
    return c.picture()

def trevak_16():
    c = blank(16)
    c.box(3, 1, 9, 9, "k", "W")
    c.box(7, 2, 12, 9, "k", "W")
    c.fill(9, 4, 11, 4, "k")
    c.fill(9, 6, 10, 6, "k")
    c.box(0, 7, 15, 9, "k", "Y")
    c.box(1, 9, 14, 15, "k", "o")
    c.box(6, 11, 9, 13, "k", "W")
    return c.picture()


# setup, the installer: a disk and an arrow going into it.
def floppy(c, x0, y0, x1, y1, shutter, label):
    c.box(x0, y0, x1, y1, "k", "b")
    sx0, sy0, sx1, sy1 = shutter
    c.box(sx0, sy0, sx1, sy1, "k", ".")
    c.fill(sx1 - 3 if sx1 - sx0 > 6 else sx1 - 1, sy0 + 1, sx1 - 2 if sx1 - sx0 > 6 else sx1 - 1,
           sy1 - 1, "k")
    lx0, ly0, lx1, ly1 = label
    c.box(lx0, ly0, lx1, ly1, "k", "W")

def setup_32():
    c = blank(32)
    floppy(c, 1, 8, 24, 30, (6, 8, 19, 15), (4, 20, 21, 30))
    c.fill(6, 23, 19, 23, "B")
    c.fill(6, 26, 16, 26, "B")
    down_arrow(c, 18, 0, 2, 6, 11, "G", "g")
    return c.picture()

def setup_16():
    c = blank(16)
    floppy(c, 0, 4, 12, 15, (3, 4, 9, 7), (2, 10, 10, 15))
    down_arrow(c, 9, 0, 1, 3, 5, "G", "g")
    return c.picture()


ICONS = {
    "pellumar": (pellumar_32, pellumar_16),
    "zodo": (zodo_32, zodo_16),
    "olmet": (olmet_32, olmet_16),
    "quarn": (quarn_32, quarn_16),
    "vantic": (vantic_32, vantic_16),
    "diff": (diff_32, diff_16),
    "ombrix": (ombrix_32, ombrix_16),
    "trevak": (trevak_32, trevak_16),
    "setup": (setup_32, setup_16),
}
