#!/usr/bin/python3
"""Write the general frequency order of English words that the import of words
from a text ranks its candidates by: SUBTLEXus, most frequent first, each word
once in lower case (a capitalised entry counts for the word at its first place),
plain words of letters only.  See README.md in this folder.

Output: UTF-8, LF, a header line beginning with "#", then one word a line; a
word's rank is its line number after the header."""

import argparse
import os
import re
from pathlib import Path

from tables import FREQ_PACKAGE, HERE, find_frequency_file, load_frequencies

HEADER = "# vocamira english ranks 1"
DEFAULT_OUT = HERE.parent.parent / "data" / "english-ranks.txt"
PLAIN = re.compile(r"[a-z]{2,}")


def ranked(words):
    """The plain words of the list in lower case, each at its first place."""
    seen = set()
    order = []
    for raw in words:
        word = raw.lower()
        if PLAIN.fullmatch(word) and word not in seen:
            seen.add(word)
            order.append(word)
    return order


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("frequencies", help=f"the {FREQ_PACKAGE} package's index.json or a folder holding it")
    parser.add_argument("--out", default=str(DEFAULT_OUT), help="file to write")
    args = parser.parse_args()
    words, version = load_frequencies(find_frequency_file(args.frequencies))
    order = ranked(words)
    out = Path(args.out)
    tmp = out.with_name(out.name + ".tmp")
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"{HEADER}; from SUBTLEXus word frequencies (npm {FREQ_PACKAGE} {version}, ISC)\n")
        f.writelines(word + "\n" for word in order)
    os.replace(tmp, out)
    print(f"{len(order)} words written to {out}")


if __name__ == "__main__":
    main()
