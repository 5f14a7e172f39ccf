"""The 16x15 toolbar glyphs of the pager and the archiver, in the order of
their frames' button tables."""

from pixels import Canvas

W, H = 16, 15

FOLDER_OPEN = [
    "................",
    "................",
    ".kkkk...........",
    "kooook..........",
    "koooookkkkkkk...",
    "koWoWoWoWoWok...",
    "kooookkkkkkkkkkk",
    "kookYYYYYYYYYYYk",
    "kookYWYYYYYYYYk.",
    "kokYWYYYYYYYYk..",
    "kokYYYYYYYYYk...",
    "kkYYYYYYYYYk....",
    "kkkkkkkkkkk.....",
    "................",
    "................",
]

PRINTER = [
    "................",
    "...kkkkkkkkk....",
    "...kWWWWWWWk....",
    "...kWkkkkkWk....",
    "...kWWWWWWWk....",
    "...kWkkkkWWk....",
    ".kkkkkkkkkkkkkk.",
    "kWWWWWWWWWWWWWsk",
    "kW..........GGsk",
    "kW............sk",
    "kssssssssssssssk",
    "kkkkkkkkkkkkkkkk",
    "..kWWWWWWWWWWk..",
    "..kkkkkkkkkkkk..",
    "................",
]

# A page of text; other glyphs paste their marks on it.
def page(x0, y0, x1, y1, lines=True, text="k"):
    c = Canvas(W, H)
    c.box(x0, y0, x1, y1, "k", "W")
    if lines:
        for n, y in enumerate(range(y0 + 2, y1 - 1, 2)):
            right = x1 - 2 - (n % 3)
            c.fill(x0 + 2, y, right, y, text)
    return c

LENS = [
    "  kkk    ",
    " kWCCk   ",
    "kWCCCCk  ",
    "kCCCCCk  ",
    "kCCCCCk  ",
    " kCCCk   ",
    "  kkkbb  ",
    "      bbb",
    "       bb",
]

ARROW_DOWN_HEAD = [
    "bbbbbbb",
    " bbbbb ",
    "  bbb  ",
    "   b   ",
]

def arrow_down(length):
    """A navy arrow pointing down, 7 wide, `length` rows in all."""
    return ["  bbb  "] * (length - len(ARROW_DOWN_HEAD)) + ARROW_DOWN_HEAD

def arrow_up(length):
    return list(reversed(arrow_down(length)))

CURL = [
    "  ggg   ",
    " gg ggg ",
    "gg   gg ",
    "g   ggggg",
    "g    ggg ",
    "gg    g  ",
    " gg  gg  ",
    "  gggg   ",
]

FLAG = [
    "k      ",
    "kRRRRR ",
    "kRRRRRR",
    "kRRRRRr",
    "kRRRRr ",
    "krr    ",
    "k      ",
    "k      ",
    "k      ",
    "k      ",
    "k      ",
]

PLUS = [
    " ggg ",
    "ggGgg",
    "gGGGg",
    "ggGgg",
    " ggg ",
]

ARROW_RIGHT = [
    "     b  ",
    "     bb ",
    "bbbbbbbb",
    "bbbbbbbb",
    "     bb ",
    "     b  ",
]

PENCIL = [
    "           kk ",
    "          kMMk",
    "         kMMMk",
    "        kkkMk ",
    "       kYokk  ",
    "      kYok    ",
    "     kYok     ",
    "    kYok      ",
    "   kYok       ",
    "  kWok        ",
    " kWWk         ",
    " kkk          ",
    " k            ",
]

# Digits and letters three wide and five high, for numbers and hex.
FONT = {
    "0": ["xxx", "x.x", "x.x", "x.x", "xxx"],
    "1": [".x.", "xx.", ".x.", ".x.", "xxx"],
    "2": ["xx.", "..x", ".x.", "x..", "xxx"],
    "3": ["xx.", "..x", ".x.", "..x", "xx."],
    "4": ["x.x", "x.x", "xxx", "..x", "..x"],
    "7": ["xxx", "..x", ".x.", ".x.", ".x."],
    "9": ["xxx", "x.x", "xxx", "..x", "xx."],
    "A": [".x.", "x.x", "xxx", "x.x", "x.x"],
    "C": [".xx", "x..", "x..", "x..", ".xx"],
    "E": ["xxx", "x..", "xx.", "x..", "xxx"],
    "F": ["xxx", "x..", "xx.", "x..", "x.."],
}

def text(c, x, y, s, colour):
    for ch in s:
        for j, row in enumerate(FONT[ch]):
            for i, p in enumerate(row):
                if p == "x":
                    c.put(x + i, y + j, colour)
        x += 4


def open_file():
    return FOLDER_OPEN

def print_file():
    return PRINTER

def print_preview():
    c = page(0, 0, 10, 14)
    c.paste(LENS, 6, 5)
    return c.picture()

def paging(down, full):
    """A page beside an arrow: a long one for a page, a short one for half."""
    c = page(0, 0, 8, 14)
    if not full:
        # The half the command moves over stands out from the rest.
        half = range(8, 14) if down else range(1, 7)
        for y in half:
            for x in range(1, 8):
                if c.rows[y][x] == "W":
                    c.put(x, y, ".")
    length = 14 if full else 8
    arrow = arrow_down(length) if down else arrow_up(length)
    y = 0 if full else (6 if down else 1)
    c.paste(arrow, 9, y)
    return c.picture()

def search(down):
    c = Canvas(W, H)
    c.paste(LENS, 0, 0)
    arrow = arrow_down(7) if down else arrow_up(7)
    c.paste(arrow, 9, 7 if down else 1)
    return c.picture()

def repeat_search():
    c = Canvas(W, H)
    c.paste(LENS, 0, 0)
    c.paste(CURL, 7, 7)
    return c.picture()

def go_to_line():
    c = page(4, 0, 14, 14)
    c.fill(6, 7, 12, 7, ".")
    c.fill(5, 6, 13, 8, "b")
    c.paste(["  R  ", "  RR ", "RRRRR", "  RR ", "  R  "], 0, 5)
    return c.picture()

def copy():
    c = page(0, 0, 8, 10)
    back = page(6, 4, 14, 14)
    for y in range(4, 15):
        for x in range(6, 15):
            c.put(x, y, back.rows[y][x])
    return c.picture()

def set_mark():
    c = Canvas(W, H)
    c.paste(FLAG, 3, 1)
    c.fill(1, 12, 5, 12, "k")
    c.paste(PLUS, 10, 9)
    return c.picture()

def skip_to_mark():
    c = Canvas(W, H)
    c.paste(FLAG, 9, 1)
    c.fill(7, 12, 11, 12, "k")
    c.paste(ARROW_RIGHT, 0, 5)
    return c.picture()

def show_marks():
    c = page(0, 0, 15, 14, lines=False)
    for n in range(3):
        y = 2 + 4 * n
        c.fill(2, y, 2, y + 2, "k")
        c.fill(3, y, 4, y + 1, "R")
        c.fill(6, y + 1, 13 - n, y + 1, "k")
    return c.picture()

def invoke_editor():
    c = page(0, 1, 10, 14)
    c.paste(PENCIL, 2, 0)
    return c.picture()

def line_numbers():
    c = page(0, 0, 15, 14, lines=False)
    c.fill(5, 1, 5, 13, "s")
    for n, y in enumerate((2, 8)):
        text(c, 1, y, "12"[n], "b")
        c.fill(7, y + 2, 13 - 2 * n, y + 2, "k")
    return c.picture()

def hexadecimal():
    c = Canvas(W, H)
    text(c, 0, 2, "3F", "b")
    text(c, 9, 2, "A0", "b")
    text(c, 0, 8, "7C", "b")
    text(c, 9, 8, "E9", "b")
    return c.picture()

ABOUT = [
    ".....bbbbb......",
    "...bbBBBBBbb....",
    "..bBBBBWWBBBb...",
    ".bBBBBBWWBBBBb..",
    ".bBBBBBBBBBBBb..",
    "bBBBBBWWWBBBBBb.",
    "bBBBBBBWWBBBBBb.",
    "bBBBBBBWWBBBBBb.",
    "bBBBBBBWWBBBBBb.",
    "bBBBBBBWWBBBBBb.",
    ".bBBBBWWWWBBBb..",
    ".bBBBBBBBBBBBb..",
    "..bBBBBBBBBBb...",
    "...bbBBBBBbb....",
    ".....bbbbb......",
]

HELP = [
    ".kkkkkkkkkkkk...",
    ".kBbbbbbbbbbkk..",
    ".kBbbYYYYbbbkWk.",
    ".kBbYYbbYYbbkWk.",
    ".kBbbbbbYYbbkWk.",
    ".kBbbbbYYbbbkWk.",
    ".kBbbbYYbbbbkWk.",
    ".kBbbbYYbbbbkWk.",
    ".kBbbbbbbbbbkWk.",
    ".kBbbbYYbbbbkWk.",
    ".kBbbbYYbbbbkWk.",
    ".kBbbbbbbbbbkWk.",
    ".kBbbbbbbbbbkWk.",
    ".kkkkkkkkkkkkWk.",
    "..kkkkkkkkkkkkk.",
]

def about():
    return ABOUT

def help_contents():
    return HELP

# Zodo's buttons, in the order of its frame's table (gaps left out).
ZODO = [
    ("Open", open_file),
    ("Print", print_file),
    ("Print Preview", print_preview),
    ("Page Forward", lambda: paging(True, True)),
    ("Page Backward", lambda: paging(False, True)),
    ("Half-page Backward", lambda: paging(False, False)),
    ("Half-page Forward", lambda: paging(True, False)),
    ("Search Forward", lambda: search(True)),
    ("Search Backward", lambda: search(False)),
    ("Repeat", repeat_search),
    ("GoTo", go_to_line),
    ("Copy", copy),
    ("Set Mark", set_mark),
    ("Skip to Mark", skip_to_mark),
    ("Show all Marks", show_marks),
    ("Invoke editor", invoke_editor),
    ("Toggle Line Numbers", line_numbers),
    ("Toggle Hexadecimal", hexadecimal),
    ("About", about),
    ("Help", help_contents),
]


CRATE = [
    "kkkkkkkkkkkkk",
    "kYYYYYYYYYYYk",
    "kkkkkkkkkkkkk",
    " koooooooook ",
    " kooookkoook ",
    " koooooooook ",
    " koooooooook ",
    " kkkkkkkkkkk ",
]

STAR = [
    "   Y   ",
    " o Y o ",
    "  YYY  ",
    "YYYWYYY",
    "  YYY  ",
    " o Y o ",
    "   Y   ",
]

def new_archive():
    c = Canvas(W, H)
    c.paste(CRATE, 1, 7)
    c.paste(STAR, 8, 0)
    return c.picture()

def details():
    c = page(0, 0, 15, 14, lines=False)
    c.fill(1, 1, 14, 3, "b")
    c.fill(5, 1, 5, 13, "s")
    for y in range(5, 14, 2):
        c.fill(2, y, 3, y, "k")
        c.fill(7, y, 13 - (y % 3), y, "k")
    return c.picture()

def read_archive():
    c = Canvas(W, H)
    c.paste(CRATE, 1, 7)
    c.paste(["   gg   ", "  gGGg  ", " gGGGGg ", "ggGGGGgg", "  gGGg  ", "  gGGg  ", "  gGGg  "],
            3, 0)
    return c.picture()

def write_archive():
    c = Canvas(W, H)
    c.paste(CRATE, 1, 7)
    c.paste(["  rRRr  ", "  rRRr  ", "  rRRr  ", "rrRRRRrr", " rRRRRr ", "  rRRr  ", "   rr   "],
            3, 0)
    return c.picture()

# Trevak's buttons, in the order of its frame's table (gaps left out).
TREVAK = [
    ("New", new_archive),
    ("Open", open_file),
    ("Details", details),
    ("Read", read_archive),
    ("Write", write_archive),
    ("Copy All", copy),
    ("About", about),
    ("Help Contents", help_contents),
]
