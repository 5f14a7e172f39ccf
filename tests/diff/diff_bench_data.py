#!/usr/bin/env python3
"""Writes the benchmark pair of diff: two text files of about SIZE bytes each
(CR LF line ends, lines of 30 to 100 characters) that differ in 1% of their
lines: 0.8% changed, 0.1% inserted into the second, 0.1% left out of it. The
same files on every run.

    diff_bench_data.py SIZE FIRST SECOND
"""
import random
import sys

size = int(sys.argv[1])
first_name, second_name = sys.argv[2], sys.argv[3]
rnd = random.Random(7)
words = ["alpha", "beta", "gamma", "delta", "kappa", "omega", "sigma", "tau", "phi", "rho",
         "zeta", "eta", "iota", "lambda", "mu", "nu", "xi", "pi", "chi", "psi"]
serial = 0


def line():
    global serial
    serial += 1
    return "%07d " % serial + " ".join(rnd.choice(words) for _ in range(rnd.randint(3, 12)))


with open(first_name, "w", newline="") as first, open(second_name, "w", newline="") as second:
    written = 0
    while written < size:
        text = line()
        roll = rnd.random()
        first.write(text + "\r\n")
        if roll < 0.008:
            second.write(line() + " changed\r\n")
        elif roll < 0.009:
            second.write(line() + " inserted\r\n")
            second.write(text + "\r\n")
        elif roll >= 0.010:
            second.write(text + "\r\n")
        written += len(text) + 2
