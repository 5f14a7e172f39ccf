#!/usr/bin/env python3
"""Writes the benchmark file of ombrix: text of about SIZE bytes, CR LF line
ends, lines of a serial number and 3 to 12 words (about 60 characters). The
same file on every run.

    ombrix_bench_data.py SIZE FILE
"""
import random
import sys

size = int(sys.argv[1])
rnd = random.Random(11)
words = ["alpha", "beta", "gamma", "delta", "kappa", "omega", "sigma", "tau", "phi", "rho",
         "zeta", "eta", "iota", "lambda", "mu", "nu", "xi", "pi", "chi", "psi"]
with open(sys.argv[2], "w", newline="") as out:
    written = 0
    serial = 0
    chunk = []
    while written < size:
        serial += 1
        line = "%07d %s\r\n" % (serial, " ".join(rnd.choice(words) for _ in range(rnd.randint(3, 12))))
        chunk.append(line)
        written += len(line)
        if len(chunk) == 10000:
            out.write("".join(chunk))
            chunk = []
    out.write("".join(chunk))
