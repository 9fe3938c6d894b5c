#!/usr/bin/env python3
"""Makes the same-digits corpus of tests/data/digits/ from seeded random inputs.

For every calculation type (zentavo-cli types) it draws inputs from the type's fields
(zentavo-cli fields CODE) with a fixed seed, keeps the first ones the dialog accepts, and stores
them as a batch file CODE.batch. Each input line follows a comment line holding the digest
(64-bit FNV-1a, hexadecimal) of its report as this build prints it. The worked examples of
tests/data/cli-examples.batch are stored whole, as examples.txt.

    tools/make-digits-corpus.py build/cli/zentavo-cli            # inputs and expected outputs
    tools/make-digits-corpus.py build/cli/zentavo-cli --outputs  # expected outputs only

The inputs never change unless this script does; --outputs rewrites the digests of the stored
inputs (after a deliberate change of printed digits).
"""
import argparse
import math
import os
import random
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CORPUS = os.path.join(ROOT, "tests", "data", "digits")
VOCAB = os.path.join(ROOT, "resources", "Zentavo.ini")
PER_TYPE = 200
# Numbers drawn for counts stay below this unless the field's range is smaller: enough for
# every formula, and the exact methods stay quick.
COUNT_CAP = 5000
# Random-number types draw at most this many numbers per report.
RANDOM_CAP = 60


def cli(exe, *args, stdin=None):
    env = dict(os.environ, LC_ALL="C")
    return subprocess.run([exe, *args, "--vocab", VOCAB], input=stdin, capture_output=True, env=env,
                          text=False)


def fnv1a(data):
    h = 0xcbf29ce484222325
    for b in data:
        h ^= b
        h = (h * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % h


def typed(rng, lo, hi):
    """A value as users type it: a few decimals, often a printing tie such as 1.125."""
    v = rng.uniform(lo, hi)
    decimals = rng.choice([0, 1, 1, 2, 2, 3, 3])
    if rng.random() < 0.3:
        v = math.floor(v * 8) / 8  # eighths: ties at two decimals
    text = "%.*f" % (decimals if rng.random() > 0.3 else 3, v)
    return text


def number(rng, lo, hi):
    if lo is None:
        lo, hi = -1000.0, 1000.0
    span_hi = hi
    r = rng.random()
    if r < 0.45:
        top = min(span_hi, lo + max(1.0, (hi - lo) * 10 ** -rng.randint(0, 6)))
        text = typed(rng, lo, top)
    elif r < 0.75 and lo >= 0 and hi > 0:
        a = max(lo, 1e-4 if hi <= 1 else 1e-3)
        text = "%.6g" % math.exp(rng.uniform(math.log(a), math.log(hi)))
    else:
        text = "%.10g" % rng.uniform(lo, hi)
    v = float(text)
    if v < lo or v > hi:
        text = repr(min(max(v, lo), hi))
    return text


def count(rng, lo, hi, cap=COUNT_CAP):
    top = min(hi, cap)
    r = rng.random()
    if r < 0.1:
        return str(min(max(lo, rng.choice([0, 1, 2, 3])), hi))
    if r < 0.9 or top == hi:
        return str(int(round(math.exp(rng.uniform(math.log(max(lo, 1)), math.log(max(top, 1) + 1))))) - 0)
    return str(rng.randint(lo, hi))


def parse_range(text):
    m = re.match(r"(-?[0-9.e+]+) to (-?[0-9.e+]+)", text)
    if m:
        return float(m.group(1)), float(m.group(2))
    return None, None


def draw_value(rng, kind, rng_text, code):
    lo, hi = parse_range(rng_text)
    if kind == "number":
        return number(rng, lo, hi)
    if kind == "count":
        cap = RANDOM_CAP if code.startswith("43") else COUNT_CAP
        v = int(count(rng, int(lo), int(hi), cap))
        return str(min(max(v, int(lo)), int(hi)))
    if kind in ("choice", "flag"):
        return rng.choice([c.strip() for c in rng_text.split(",")])
    return None


def draw_line(rng, code, fields):
    args = [code]
    grid = [f for f in fields if re.fullmatch(r"r\dc\d", f[0])]
    if grid:
        rows = rng.randint(2, 4)
        cols = rng.randint(2, 4)
        if any(f[0] == "categories" for f in fields):
            cols = rows
            args.append("categories=%d" % rows)
        for r in range(1, rows + 1):
            for c in range(1, cols + 1):
                args.append("r%dc%d=%s" % (r, c, count(rng, 0, 1000000)))
    for name, kind, range_text, default, label in fields:
        if name in ("title", "categories") or grid and re.fullmatch(r"r\dc\d", name):
            continue
        if kind in ("rows", "tabs"):
            m = re.search(r"from (\d+)(?: to (\d+))?", range_text)
            most = min(int(m.group(2)) if m.group(2) else 6, 5)
            n = rng.randint(max(int(m.group(1)), 2 if kind == "rows" else 1), most)
            group = name[: name.index("[")]
            subs = [f for f in fields if f[0].startswith(group + "[N].")]
            for i in range(1, n + 1):
                for sname, skind, srange, _, _ in subs:
                    value = draw_value(rng, skind, srange, code)
                    if value is not None:
                        args.append("%s[%d].%s=%s" % (group, i, sname.split(".", 1)[1], value))
            continue
        if "[N]." in name:
            continue
        value = draw_value(rng, kind, range_text, code)
        if value is not None:
            args.append("%s=%s" % (name, value))
    if code.startswith("43"):
        args.append("--seed %d" % rng.randint(0, 2**31 - 1))
    return " ".join(args)


def reports(exe, path):
    """The text reports of a batch file, in order, and the failing line numbers."""
    run = cli(exe, "run", "--batch", path)
    text = run.stdout.decode("utf-8", "surrogateescape")
    parts = text.split("\f\n")
    if parts and parts[-1] == "":
        parts.pop()
    failed = set(int(n) for n in re.findall(rb"line (\d+):", run.stderr))
    return [p.encode("utf-8", "surrogateescape") for p in parts], failed


def write_inputs(exe, code):
    fields = [line.split("\t") for line in cli(exe, "fields", code).stdout.decode().splitlines()]
    fields = [f + [""] * (5 - len(f)) for f in fields]
    rng = random.Random(int(code) * 7919)
    kept = []
    tmp = os.path.join(CORPUS, ".candidates.batch")
    while len(kept) < PER_TYPE:
        candidates = [draw_line(rng, code, fields) for _ in range(PER_TYPE)]
        with open(tmp, "w") as f:
            f.write("\n".join(candidates) + "\n")
        _, failed = reports(exe, tmp)
        kept += [c for i, c in enumerate(candidates, 1) if i not in failed]
    os.remove(tmp)
    kept = kept[:PER_TYPE]
    with open(os.path.join(CORPUS, code + ".batch"), "w") as f:
        f.write("\n".join(kept) + "\n")


def write_digests(exe, code):
    path = os.path.join(CORPUS, code + ".batch")
    lines = [l for l in open(path).read().splitlines() if l and not l.startswith("#")]
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")
    outputs, failed = reports(exe, path)
    if failed or len(outputs) != len(lines):
        sys.exit("%s: %d lines, %d reports, failed %s" % (code, len(lines), len(outputs), sorted(failed)))
    with open(path, "w") as f:
        f.write("# Seeded inputs of type %s (tools/make-digits-corpus.py); each line follows the digest of\n"
                "# its report.\n" % code)
        for line, out in zip(lines, outputs):
            f.write("# %s\n%s\n" % (fnv1a(out), line))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli")
    parser.add_argument("--outputs", action="store_true", help="rewrite only the expected outputs")
    parser.add_argument("--types", nargs="*", help="only these type codes")
    args = parser.parse_args()
    os.makedirs(CORPUS, exist_ok=True)
    codes = [l.split("\t")[0] for l in cli(args.cli, "types").stdout.decode().splitlines()]
    for code in args.types or codes:
        if not args.outputs:
            write_inputs(args.cli, code)
        write_digests(args.cli, code)
    examples = cli(args.cli, "run", "--batch", os.path.join(ROOT, "tests", "data", "cli-examples.batch"))
    if examples.returncode != 0:
        sys.exit("the worked examples failed")
    with open(os.path.join(CORPUS, "examples.txt"), "wb") as f:
        f.write(examples.stdout)


if __name__ == "__main__":
    main()
