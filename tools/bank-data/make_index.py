#!/usr/bin/python3
"""Build the English-Japanese index of the word-list editor from the same
dictionary data and the same ranking as the standard bank: for every English
word that EDICT glosses, its everyday meanings with their readings, best first,
the standard bank's own choice before the rest.  See README.md in this folder.

Output: UTF-8, LF, the header line "# vocamira en-ja index 1; ..." and then one
line per word in byte order of the word: word<TAB>meaning<TAB>reading..."""

import argparse
import math
import os
import sys
from pathlib import Path

from dictionary import DEFAULT_EDICT, DEFAULT_KANJIDIC, gloss_index, load_edict, load_kanji_grades
from scoring import MIN_SCORE, Signals, Usage, candidates_for
from tables import HERE, read_word_table
from wordforms import DEFAULT_WORDNET, EnglishPos

HEADER = "# vocamira en-ja index 1"
DEFAULT_BANK = HERE.parent.parent / "data" / "standard-bank.tsv"
# Meanings offered per word: what fits beside the table and the Ctrl+1..9 keys.
MEANINGS = 6
# A word with no meaning that scores as a translation of a bank word still gets
# its best few above this, so that rarer words are not left without help.
FALLBACK_SCORE = 40
FALLBACK_MEANINGS = 3
# What the judge takes but no key of the kana keyboard types: a reading with it
# could be answered in romaji only.
NOT_ON_KANA_KEYS = "・"


def read_bank(path):
    """The standard bank's rows as {english in lower case: (meaning, reading)},
    and each word's place in the bank, which stands for its frequency rank."""
    choices, ranks = {}, {}
    for text in Path(path).read_text(encoding="utf-8").splitlines():
        if text.startswith("#") or not text.strip():
            continue
        english, meaning, reading = text.split("\t")
        word = english.lower()
        choices.setdefault(word, (meaning, reading))
        ranks.setdefault(word, len(ranks))
    return choices, ranks


def meanings_of(word, matches, signals, bank_choice):
    """The (meaning, reading) pairs offered for `word`, best first."""
    candidates = [c for c in candidates_for(word, matches, signals)
                  if not any(ch in NOT_ON_KANA_KEYS for ch in c.reading)]
    good = [c for c in candidates if c.score >= MIN_SCORE]
    if not good:
        good = [c for c in candidates if c.score >= FALLBACK_SCORE][:FALLBACK_MEANINGS]
    pairs = [bank_choice] if bank_choice else []
    for c in good:
        if (c.meaning, c.reading) not in pairs:
            pairs.append((c.meaning, c.reading))
    return pairs[:MEANINGS]


def build(lines, grades, english, bank, ranks, blocked):
    """{word: [(meaning, reading), ...]} for every glossed word with a meaning."""
    signals = Signals(Usage(lines), grades, ranks, english)
    index = gloss_index(lines)
    words = {}
    for word in sorted(set(index) | set(bank)):
        if word in blocked:
            continue
        pairs = meanings_of(word, index.get(word, []), signals, bank.get(word))
        if pairs:
            words[word] = pairs
    return words


def write_index(words, out, sources):
    """Sorted by the UTF-8 bytes of the word, as the program searches it; written
    through a temporary file."""
    out = Path(out)
    out.parent.mkdir(parents=True, exist_ok=True)
    tmp = out.with_name(out.name + ".tmp")
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"{HEADER}; {sources}\n")
        for word in sorted(words, key=lambda w: w.encode("utf-8")):
            fields = [word] + [part for pair in words[word] for part in pair]
            f.write("\t".join(fields) + "\n")
    os.replace(tmp, out)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--edict", default=DEFAULT_EDICT, help="EUC-JP EDICT file")
    parser.add_argument("--kanjidic", default=DEFAULT_KANJIDIC, help="EUC-JP KANJIDIC file")
    parser.add_argument("--wordnet", default=DEFAULT_WORDNET,
                        help="WordNet's dictionary folder (cntlist.rev, index.*)")
    parser.add_argument("--bank", default=str(DEFAULT_BANK), help="the standard bank's table")
    parser.add_argument("--out", required=True, help="index file to write")
    args = parser.parse_args()

    for path, package in ((args.edict, "edict"), (args.kanjidic, "kanjidic"),
                          (Path(args.wordnet) / "cntlist.rev", "wordnet-base")):
        if not Path(path).is_file():
            sys.exit(f"no {package} file at {path} (Debian package '{package}')")
    lines, created = load_edict(args.edict)
    bank, ranks = read_bank(args.bank)
    words = build(lines, load_kanji_grades(args.kanjidic), EnglishPos.load(args.wordnet), bank,
                  ranks, read_word_table("blocklist.txt"))
    write_index(words, args.out,
                f"meanings and readings from EDICT {created}, kanji grades from KANJIDIC "
                f"(EDRDG, CC BY-SA 3.0), parts of speech from WordNet 3.0; the standard "
                f"bank's meaning first")
    print(f"{len(words)} words, {sum(map(len, words.values()))} meanings written to {args.out}")


if __name__ == "__main__":
    main()
