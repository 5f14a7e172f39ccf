#!/usr/bin/env python3
"""Writes the text tree that the quarn benchmark searches.

    quarn_bench_data.py DIRECTORY TOTAL_BYTES FILES

FILES text files of CR LF lines (under 200 characters: words, capitalised
words, words ending in "ing", numbers, now and then the word "needle"), in
twenty directories of five subdirectories each, TOTAL_BYTES in all. The same
seed gives the same tree on every run.
"""
import os
import random
import sys


def main():
    top, total, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(20240611)
    words = [w.encode() for w in (
        "the of and to in is that for it as with was on be by at this are from or have an they "
        "which one you were all we when there can been has more if will would other into some "
        "time only these two may then do first any like now my over such our man me even most "
        "made after also did many before must through back years where much your way well down "
        "should because each just those people how too little state good very make world still "
        "own see men work long get here between both life being under never day same another "
        "know while last might us great old year off come since against go came right used take "
        "three states himself few house use during without again place american around however "
        "home small found thought went say part once general high upon school every does got "
        "united left number course war until always away something fact though water less "
        "public put think almost hand enough far took head yet government system better set "
        "told nothing night end why called didnt eyes find going look asked later knew").split()]
    capitals = [w.capitalize() for w in words[:200]]
    ings = [w for w in (b"Running", b"Reading", b"Thing", b"King", b"Morning", b"Nothing", b"Something",
                        b"during", b"being", b"going", b"looking", b"working", b"making", b"taking")]
    per_file = total // files
    written = 0
    for index in range(files):
        directory = os.path.join(top, "d%02d" % (index % 20), "s%d" % (index // 20 % 5))
        os.makedirs(directory, exist_ok=True)
        lines = []
        size = 0
        target = per_file if index < files - 1 else total - written
        while size < target:
            n = rng.randint(3, 25)
            parts = []
            for _ in range(n):
                r = rng.random()
                if r < 0.70:
                    parts.append(rng.choice(words))
                elif r < 0.82:
                    parts.append(rng.choice(capitals))
                elif r < 0.90:
                    parts.append(str(rng.randint(0, 99999)).encode())
                elif r < 0.97:
                    parts.append(rng.choice(ings))
                else:
                    parts.append(rng.choice([b"(", b")", b";", b"=", b"->", b"/*", b"*/", b"\t"]))
            if rng.random() < 0.002:
                parts.insert(rng.randint(0, len(parts)), b"needle")
            line = b" ".join(parts)[:196] + b"\r\n"
            lines.append(line)
            size += len(line)
        data = b"".join(lines)[:target]
        if not data.endswith(b"\n"):
            data = data[:data.rfind(b"\n") + 1]
        with open(os.path.join(directory, "f%04d.txt" % index), "wb") as out:
            out.write(data)
        written += len(data)
    print("%d files, %d bytes in %s" % (files, written, top))


if __name__ == "__main__":
    main()
