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
from output import review, with_reasons, write_bank, write_review
from numberwords import number_meaning
from scoring import MIN_SCORE, Candidate, Signals, Usage, candidates_for, override_candidate
from tables import FREQ_PACKAGE, HERE, Tables, find_frequency_file, load_frequencies
from wordforms import DEFAULT_WORDNET, EnglishPos, headword_for

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


def late_everyday_words(last, used_words, choices_for, tables):
    """The words of everyday.txt that the walk down the list did not reach, or
    reached as another word (the modal may for the month May, written capitalised
    in the table), placed as an everyday word at the rank of the bank's last word."""
    entries = []
    for spelled in sorted(tables.everyday):
        word = spelled.lower()
        if word in used_words or word in tables.blocked:
            continue
        choices = [c for c in choices_for(word) if spelled == word or c.spelling == spelled]
        if choices:
            used_words.add(word)
            entries.append(Entry(word, learner_order(last, spelled, tables), choices,
                                 "everyday word beyond the list's reach"))
    return entries


def spelled(word, candidate, index, tables):
    """The headword as the bank writes it: with its capital when the list spells it
    so (capital-ok.txt) and so does the gloss of its meaning, or, for a hand choice,
    every gloss of the word in EDICT (days, months, languages, nationalities)."""
    if word not in tables.capital_ok:
        return word
    if candidate.spelling and candidate.spelling != word:
        return candidate.spelling
    spellings = {m.spelling for m in index.get(word, [])}
    if len(spellings) == 1 and spellings != {word}:
        return spellings.pop()
    return word


def build(words, lines, grades, tables, english):
    """The bank's rows, the review's rows, how many headwords were considered and
    why the other entries of the list were skipped."""
    index = gloss_index(lines)
    by_reading = lines_by_reading(lines)
    ranks = {}
    for rank, raw in enumerate(words):
        ranks.setdefault(raw.lower(), rank)
    signals = Signals(Usage(lines), grades, ranks, english)

    hand_meanings = {}

    def choices_for(word):
        """The candidates of a headword: a number by rule, a hand choice, or the
        dictionary's matches that score as translations."""
        if number_meaning(word):
            meaning, reading = number_meaning(word)
            return [Candidate(1000, meaning, reading, ())]
        if word not in tables.overrides:
            return [c for c in candidates_for(word, index.get(word, []), signals)
                    if c.score >= MIN_SCORE]
        meaning, reading = tables.overrides[word]
        choice = override_candidate(word, meaning, reading, by_reading, ranks, english)
        if choice.meaning in hand_meanings:
            sys.exit(f"overrides.tsv: {word} and {hand_meanings[choice.meaning]} "
                     f"share {choice.meaning}")
        hand_meanings[choice.meaning] = word
        return [choice]

    entries, used_words, seen = [], set(), set()
    skipped = Counter()
    for rank, raw in enumerate(words):
        if len(entries) >= 2 * BANK_SIZE:
            break
        word, note = headword_for(raw, seen, index, tables, skipped, english)
        seen.add(raw.lower())
        if word is None:
            continue
        if word in used_words:
            skipped["duplicate headword"] += 1
            continue
        choices = choices_for(word)
        if word in tables.overrides:
            note = "; ".join(filter(None, ["hand choice", note]))
        if not choices:
            skipped["no good EDICT entry"] += 1
            continue
        used_words.add(word)
        entries.append(Entry(word, learner_order(rank, word, tables), choices, note))
    orders = sorted(e.order for e in entries)
    last = orders[min(BANK_SIZE, len(orders)) - 1] if orders else 0
    entries += late_everyday_words(last, used_words, choices_for, tables)
    chosen = choose(entries, BANK_SIZE)
    bank = [(spelled(e.word, c, index, tables), c.meaning, c.reading) for e, c in chosen]
    flagged = [(n, bank[n - 1][0], *rest) for n, _, *rest in review(chosen)]
    return bank, with_reasons(flagged, tables.reasons), len(entries), skipped


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("frequencies",
                        help=f"{FREQ_PACKAGE}'s index.json, or a node_modules folder holding it")
    parser.add_argument("--edict", default=DEFAULT_EDICT, help="EUC-JP EDICT file")
    parser.add_argument("--kanjidic", default=DEFAULT_KANJIDIC, help="EUC-JP KANJIDIC file")
    parser.add_argument("--wordnet", default=DEFAULT_WORDNET,
                        help="WordNet's dictionary folder (cntlist.rev, index.*)")
    parser.add_argument("--out", default=str(DEFAULT_OUT), help="bank file to write")
    parser.add_argument("--review", default=None,
                        help="review file to write (default: beside the bank file)")
    args = parser.parse_args()

    for path, package in ((args.edict, "edict"), (args.kanjidic, "kanjidic"),
                          (Path(args.wordnet) / "cntlist.rev", "wordnet-base")):
        if not Path(path).is_file():
            sys.exit(f"no {package} file at {path} (Debian package '{package}')")
    words, version = load_frequencies(find_frequency_file(args.frequencies))
    lines, created = load_edict(args.edict)
    grades = load_kanji_grades(args.kanjidic)
    english = EnglishPos.load(args.wordnet)
    bank, flagged, examined, skipped = build(words, lines, grades, Tables.load(), english)
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
          f"{len(flagged)} rows in {review_path}, "
          f"{sum(not row[5] for row in flagged)} of them without a reason to stay")
    for reason, count in sorted(skipped.items(), key=lambda kv: (-kv[1], kv[0])):
        print(f"  skipped {count:5d}  {reason}")


if __name__ == "__main__":
    main()
