#!/usr/bin/python3
"""Draw a random sample of the standard bank for a blind reading: the rows only
(row, english, meaning, reading), never the review file's flags or reasons, so the
reader judges each row as a learner meets it.  The seed is printed first, so that
the sample can be drawn again and the figures checked."""

import argparse
import random
import secrets
from pathlib import Path

BANK = Path(__file__).resolve().parent.parent.parent / "data" / "standard-bank.tsv"
PER_LEVEL = 17


def bank_rows(path=BANK):
    return [line.split("\t") for line in Path(path).read_text(encoding="utf-8").splitlines()
            if line and not line.startswith("#")]


def sample(rows, size, seed, last_level=None):
    """`size` distinct rows, in bank order, as (row number, english, meaning, reading),
    drawn from LEVELs 1 to `last_level` (all LEVELs when None)."""
    pool = range(min(len(rows), last_level * PER_LEVEL) if last_level else len(rows))
    picked = sorted(random.Random(seed).sample(pool, min(size, len(pool))))
    return [(n + 1, *rows[n]) for n in picked]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--size", type=int, default=200, help="rows to draw")
    parser.add_argument("--levels", type=int, default=None,
                        help="draw from LEVELs 1 to this one only (default: the whole bank)")
    parser.add_argument("--seed", type=int, default=None,
                        help="the seed of an earlier sample (default: a fresh one)")
    parser.add_argument("--bank", default=str(BANK), help="bank table to read")
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else secrets.randbelow(10 ** 9)
    print(f"# seed {seed}, {args.size} rows of "
          + (f"LEVELs 1-{args.levels}" if args.levels else "the whole bank"))
    for row in sample(bank_rows(args.bank), args.size, seed, args.levels):
        print("\t".join(map(str, row)))


if __name__ == "__main__":
    main()
