#!/usr/bin/env python3
"""Writes a text file of about SIZE bytes for the pager's benchmark: CR LF
lines of a serial number and 2 to 12 words (about 50 bytes a line), the same
file on every run. Prints the number of lines."""
import random
import sys

size, path = int(sys.argv[1]), sys.argv[2]
words = ("alpha bravo charlie delta echo foxtrot golf hotel india juliet kilo lima mike "
         "november oscar papa quebec romeo sierra tango uniform victor whiskey xray").split()
rng = random.Random(14)
written = lines = 0
with open(path, "wb") as out:
    chunk = []
    while written < size:
        line = ("%08d %s\r\n" % (lines + 1, " ".join(rng.choice(words) for _ in range(rng.randint(2, 12))))).encode()
        chunk.append(line)
        written += len(line)
        lines += 1
        if len(chunk) >= 10000:
            out.write(b"".join(chunk))
            chunk = []
    out.write(b"".join(chunk))
print(lines)
