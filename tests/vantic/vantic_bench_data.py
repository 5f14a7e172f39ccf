#!/usr/bin/env python3
"""Writes the text file of vantic's benchmark: CR LF lines of words, one in
ten a comment starting with "#", "foo" on about half the lines, the same
bytes on every run.

    vantic_bench_data.py SIZE PATH
"""
import random
import sys


def main():
    size, path = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(6)
    words = ["foo", "bar", "baz", "quux", "alpha", "beta", "gamma", "delta", "lorem", "ipsum", "dolor", "amet"]
    written = 0
    number = 0
    with open(path, "wb") as out:
        while written < size:
            if number % 10 == 0:
                line = "# comment %d %s\r\n" % (number, " ".join(rng.choice(words) for _ in range(5)))
            else:
                line = "%d %s\r\n" % (number, " ".join(rng.choice(words) for _ in range(9)))
            data = line.encode("ascii")
            out.write(data)
            written += len(data)
            number += 1


if __name__ == "__main__":
    main()
