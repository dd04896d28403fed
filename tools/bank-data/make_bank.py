#!/usr/bin/python3
"""Build the standard question bank (english, meaning, reading) from the
SUBTLEXus word frequencies and Debian's EDICT.  See README.md in this folder.

The work is split by job: dictionary.py reads EDICT and KANJIDIC, wordforms.py
knows English inflections, scoring.py ranks a headword's candidates,
assignment.py gives each meaning to one headword, output.py writes the files."""

import argparse
import sys
from collections import Counter
from pathlib import Path

from assignment import Entry, choose
from dictionary import (DEFAULT_EDICT, DEFAULT_KANJIDIC, gloss_index, lines_by_reading,
                        load_edict, load_kanji_grades)
from output import review, write_bank, write_review
from scoring import MIN_SCORE, Signals, Usage, candidates_for, override_candidate
from tables import FREQ_PACKAGE, HERE, Tables, find_frequency_file, load_frequencies
from wordforms import headword_for

DEFAULT_OUT = HERE.parent.parent / "data" / "standard-bank.tsv"
BANK_SIZE = 1700
# Narrow vocabulary (courts, police ranks) goes later, school and daily life earlier:
# the frequency rank is multiplied by these.
NARROW_FACTOR = 3.0
EVERYDAY_FACTOR = 0.4


def learner_order(rank, word, tables):
    if word in tables.narrow:
        return rank * NARROW_FACTOR
    if word in tables.everyday:
        return rank * EVERYDAY_FACTOR
    return rank


def build(words, lines, grades, tables):
    """The bank's rows, the review's rows, how many headwords were considered and
    why the other entries of the list were skipped."""
    index = gloss_index(lines)
    by_reading = lines_by_reading(lines)
    ranks = {}
    for rank, raw in enumerate(words):
        ranks.setdefault(raw.lower(), rank)
    signals = Signals(Usage(lines), grades, ranks)

    entries, used_words, seen = [], set(), set()
    skipped = Counter()
    hand_meanings = {}
    for rank, raw in enumerate(words):
        if len(entries) >= 2 * BANK_SIZE:
            break
        word, note = headword_for(raw, seen, index, tables, skipped)
        seen.add(raw.lower())
        if word is None:
            continue
        if word in used_words:
            skipped["duplicate headword"] += 1
            continue
        if word in tables.overrides:
            meaning, reading = tables.overrides[word]
            if meaning in hand_meanings:
                sys.exit(f"overrides.tsv: {word} and {hand_meanings[meaning]} share {meaning}")
            hand_meanings[meaning] = word
            choices = [override_candidate(word, meaning, reading, by_reading, ranks)]
            note = "; ".join(filter(None, ["hand choice", note]))
        else:
            choices = [c for c in candidates_for(word, index.get(word, []), signals)
                       if c.score >= MIN_SCORE]
        if not choices:
            skipped["no good EDICT entry"] += 1
            continue
        used_words.add(word)
        entries.append(Entry(word, learner_order(rank, word, tables), choices, note))
    chosen = choose(entries, BANK_SIZE)
    bank = [(e.word, c.meaning, c.reading) for e, c in chosen]
    return bank, review(chosen), len(entries), skipped


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("frequencies",
                        help=f"{FREQ_PACKAGE}'s index.json, or a node_modules folder holding it")
    parser.add_argument("--edict", default=DEFAULT_EDICT, help="EUC-JP EDICT file")
    parser.add_argument("--kanjidic", default=DEFAULT_KANJIDIC, help="EUC-JP KANJIDIC file")
    parser.add_argument("--out", default=str(DEFAULT_OUT), help="bank file to write")
    parser.add_argument("--review", default=None,
                        help="review file to write (default: beside the bank file)")
    args = parser.parse_args()

    for path, package in ((args.edict, "edict"), (args.kanjidic, "kanjidic")):
        if not Path(path).is_file():
            sys.exit(f"no {package.upper()} file at {path} (Debian package '{package}')")
    words, version = load_frequencies(find_frequency_file(args.frequencies))
    lines, created = load_edict(args.edict)
    grades = load_kanji_grades(args.kanjidic)
    bank, flagged, examined, skipped = build(words, lines, grades, Tables.load())
    if len(bank) < BANK_SIZE:
        sys.exit(f"only {len(bank)} of {BANK_SIZE} questions found; nothing written")
    write_bank(bank, args.out,
               f"order from SUBTLEXus word frequencies (npm {FREQ_PACKAGE} {version}, ISC), "
               f"meanings and readings from EDICT {created}, kanji grades from KANJIDIC "
               f"(EDRDG, CC BY-SA 3.0)")
    review_path = args.review or Path(args.out).with_name(Path(args.out).stem + "-review.tsv")
    write_review(flagged, review_path,
                 f"rows of {Path(args.out).name} to read by eye, made by make_bank.py")
    print(f"{examined} headwords considered, {len(bank)} questions written to {args.out}, "
          f"{len(flagged)} rows to review in {review_path}")
    for reason, count in sorted(skipped.items(), key=lambda kv: (-kv[1], kv[0])):
        print(f"  skipped {count:5d}  {reason}")


if __name__ == "__main__":
    main()
