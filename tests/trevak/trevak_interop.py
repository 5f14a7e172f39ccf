#!/usr/bin/env python3
"""Archives exchanged between trevak's engine and GNU tar, Python's tarfile
and cpio, both ways, compared byte for byte.

trevak's side is the console driver of the engine (trevak_cli), natively or
under Wine (--wine: paths are handed over as Z: paths). Each case builds a
source tree, writes an archive with one side, lists and extracts it with the
other, and compares the extracted tree with the source. The results go to a
googletest-style report that scripts/count-results adds up."""
import argparse, os, random, shutil, subprocess, sys, tarfile, tempfile, traceback
from xml.sax.saxutils import quoteattr

ap = argparse.ArgumentParser()
ap.add_argument("--cli", required=True)
ap.add_argument("--wine", action="store_true")
ap.add_argument("--results")
args = ap.parse_args()

LONG = "n" * 96 + ".txt"   # a name of exactly 100 characters


def make_tree(root):
    """Lower-case names (trevak lower-cases what it writes), directories,
    an empty file, a 512-byte file and a 100-character name."""
    rnd = random.Random(7)
    files = {
        "a.txt": b"hello\r\nworld\n",
        "empty": b"",
        "block512.bin": bytes(rnd.randrange(256) for _ in range(512)),
        "block513.bin": bytes(rnd.randrange(256) for _ in range(513)),
        LONG: b"long name\n",
        "sub/b.txt": b"in a subdirectory\n",
        "sub/deeper/c.bin": bytes(rnd.randrange(256) for _ in range(70000)),
        "sub/empty-dir/.keep": b"",
    }
    for rel, data in files.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    os.makedirs(os.path.join(root, "lonely"))
    return files


def tree(root):
    out = {}
    for dirpath, dirnames, filenames in os.walk(root):
        for d in dirnames:
            out[os.path.relpath(os.path.join(dirpath, d), root).replace(os.sep, "/") + "/"] = None
        for f in filenames:
            p = os.path.join(dirpath, f)
            with open(p, "rb") as fh:
                out[os.path.relpath(p, root).replace(os.sep, "/")] = fh.read()
    return out


def same_tree(a, b):
    ta, tb = tree(a), tree(b)
    if ta.keys() != tb.keys():
        raise AssertionError("trees differ: only in source %s, only in copy %s"
                             % (sorted(ta.keys() - tb.keys()), sorted(tb.keys() - ta.keys())))
    for k in ta:
        if ta[k] != tb[k]:
            raise AssertionError("contents differ: " + k)


def host(path):
    return "Z:" + os.path.abspath(path) if args.wine else path


WINE_EXEC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine-exec")


def cli(*argv):
    cmd = ([WINE_EXEC] if args.wine else []) + [args.cli] + list(argv)
    r = subprocess.run(cmd, capture_output=True, text=True)
    if r.returncode != 0:
        raise AssertionError("trevak_cli %s failed: %s" % (" ".join(argv), r.stderr.strip()))
    return r.stdout.replace("\r\n", "\n")


def run(cmd, **kw):
    r = subprocess.run(cmd, capture_output=True, **kw)
    if r.returncode != 0:
        raise AssertionError("%s failed: %s" % (cmd[0], r.stderr.decode(errors="replace").strip()))
    return r.stdout


def trevak_names(archive):
    """Member names as trevak lists them, without the extended headers of
    pax writers, which it lists as members of their own."""
    return sorted(n.rstrip("/") for n in cli("list", host(archive)).splitlines() if "@paxheader" not in n)


def norm(names):
    return sorted(n[2:] if n.startswith("./") else n for n in (x.rstrip("/") for x in names) if n not in (".", "./", ""))


# --- trevak writes, the others read ------------------------------------------

def trevak_to_gnu_tar(work, fmt):
    src = os.path.join(work, "src")
    make_tree(src)
    archive = os.path.join(work, "t.tar")
    cli("create", fmt, host(archive), host(src), "*.*")
    listed = norm(run(["tar", "-tf", archive]).decode().splitlines())
    if listed != trevak_names(archive):
        raise AssertionError("GNU tar lists %s" % listed)
    out = os.path.join(work, "out")
    os.makedirs(out)
    run(["tar", "-xf", archive, "-C", out])
    same_tree(src, out)


def trevak_to_tarfile(work, fmt):
    src = os.path.join(work, "src")
    make_tree(src)
    archive = os.path.join(work, "t.tar")
    cli("create", fmt, host(archive), host(src), "*.*")
    out = os.path.join(work, "out")
    with tarfile.open(archive) as t:
        if norm(t.getnames()) != trevak_names(archive):
            raise AssertionError("tarfile lists %s" % t.getnames())
        t.extractall(out)
    same_tree(src, out)


def trevak_to_cpio(work):
    src = os.path.join(work, "src")
    make_tree(src)
    archive = os.path.join(work, "t.cpio")
    cli("create", "cpio", host(archive), host(src), "*.*")
    with open(archive, "rb") as f:
        listed = norm(run(["cpio", "-it", "--quiet"], stdin=f).decode().splitlines())
    # trevak refuses archives under 512 bytes, not this one.
    if listed != trevak_names(archive):
        raise AssertionError("cpio lists %s" % listed)
    out = os.path.join(work, "out")
    os.makedirs(out)
    with open(archive, "rb") as f:
        run(["cpio", "-idm", "--quiet"], stdin=f, cwd=out)
    same_tree(src, out)


# --- the others write, trevak reads ------------------------------------------

def members(src):
    return sorted(os.path.relpath(os.path.join(d, n), src) for d, ds, fs in os.walk(src) for n in ds + fs)


def trevak_reads(work, src, archive, names):
    """trevak lists the names the writer lists and extracts the source whole."""
    if trevak_names(archive) != names:
        raise AssertionError("trevak lists %s" % trevak_names(archive))
    out = os.path.join(work, "out")
    os.makedirs(out)
    cli("extract", host(archive), host(out))
    same_tree(src, out)


def gnu_tar_to_trevak(work, fmt):
    src = os.path.join(work, "src")
    make_tree(src)
    archive = os.path.join(work, "g.tar")
    run(["tar", "--format=" + fmt, "-cf", archive, "-C", src, "--no-recursion"] + members(src))
    trevak_reads(work, src, archive, norm(run(["tar", "-tf", archive]).decode().splitlines()))


def tarfile_to_trevak(work, fmt):
    src = os.path.join(work, "src")
    make_tree(src)
    archive = os.path.join(work, "p.tar")
    with tarfile.open(archive, "w", format=fmt) as t:
        for m in members(src):
            t.add(os.path.join(src, m), arcname=m, recursive=False)
    with tarfile.open(archive) as t:
        names = norm(t.getnames())
    trevak_reads(work, src, archive, names)


def cpio_to_trevak(work):
    src = os.path.join(work, "src")
    make_tree(src)
    archive = os.path.join(work, "c.cpio")
    listing = "\n".join(members(src)) + "\n"
    with open(archive, "wb") as f:
        r = subprocess.run(["cpio", "-o", "-H", "odc", "--quiet"], input=listing.encode(), stdout=f,
                           stderr=subprocess.PIPE, cwd=src)
    if r.returncode != 0:
        raise AssertionError("cpio failed: " + r.stderr.decode())
    trevak_reads(work, src, archive, norm(members(src)))


def append_read_by_gnu_tar(work):
    """An archive appended to by trevak still reads whole with GNU tar."""
    src = os.path.join(work, "src")
    make_tree(src)
    more = os.path.join(work, "more")
    os.makedirs(more)
    with open(os.path.join(more, "added.txt"), "wb") as f:
        f.write(b"appended\n")
    archive = os.path.join(work, "g.tar")
    run(["tar", "--format=ustar", "-cf", archive, "-C", src, "--no-recursion"] + members(src))
    cli("append", host(archive), host(more), "*.*")
    listed = norm(run(["tar", "-tf", archive]).decode().splitlines())
    if listed != sorted(norm(members(src)) + ["added.txt"]):
        raise AssertionError("GNU tar lists %s" % listed)
    out = os.path.join(work, "out")
    os.makedirs(out)
    run(["tar", "-xf", archive, "-C", out])
    shutil.copy(os.path.join(more, "added.txt"), os.path.join(src, "added.txt"))
    same_tree(src, out)


CASES = [
    ("TrevakUstarToGnuTar", lambda w: trevak_to_gnu_tar(w, "ustar")),
    ("TrevakOldTarToGnuTar", lambda w: trevak_to_gnu_tar(w, "tar")),
    ("TrevakUstarToTarfile", lambda w: trevak_to_tarfile(w, "ustar")),
    ("TrevakOldTarToTarfile", lambda w: trevak_to_tarfile(w, "tar")),
    ("TrevakCpioToCpio", trevak_to_cpio),
    ("GnuTarUstarToTrevak", lambda w: gnu_tar_to_trevak(w, "ustar")),
    ("GnuTarV7ToTrevak", lambda w: gnu_tar_to_trevak(w, "v7")),
    ("GnuTarGnuToTrevak", lambda w: gnu_tar_to_trevak(w, "gnu")),
    ("TarfileUstarToTrevak", lambda w: tarfile_to_trevak(w, tarfile.USTAR_FORMAT)),
    ("TarfilePaxToTrevak", lambda w: tarfile_to_trevak(w, tarfile.PAX_FORMAT)),
    ("CpioOdcToTrevak", cpio_to_trevak),
    ("TrevakAppendToGnuTarArchive", append_read_by_gnu_tar),
]

results = []
for name, case in CASES:
    work = tempfile.mkdtemp(prefix="trevak-interop-")
    try:
        case(work)
        results.append((name, None))
        print("[       OK ] " + name)
    except Exception as e:
        results.append((name, "".join(traceback.format_exception_only(type(e), e)).strip()))
        print("[  FAILED  ] %s: %s" % (name, results[-1][1]))
    finally:
        shutil.rmtree(work, ignore_errors=True)

failures = sum(1 for _, err in results if err)
if args.results:
    with open(args.results, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write('<testsuites tests="%d" failures="%d" disabled="0" errors="0" name="AllTests">\n'
                % (len(results), failures))
        f.write('  <testsuite name="Interop" tests="%d" failures="%d">\n' % (len(results), failures))
        for name, err in results:
            if err:
                f.write('    <testcase name=%s><failure message=%s/></testcase>\n' % (quoteattr(name), quoteattr(err)))
            else:
                f.write('    <testcase name=%s/>\n' % quoteattr(name))
        f.write("  </testsuite>\n</testsuites>\n")
sys.exit(1 if failures else 0)
