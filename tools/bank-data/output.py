"""The bank's table, and the review file of rows a person should read."""

import os
from collections import defaultdict
from pathlib import Path


def review(chosen):
    """The rows a person should read: hand choices, words that lost their first
    meaning to another, reverse-check failures, and rows whose meanings begin with
    the same two characters with a kanji (小さい, 小さな; 結婚, 結婚式) or share a
    reading (花, 鼻).
    `chosen` is [(entry, candidate)] in bank order."""
    notes = defaultdict(list)
    holder = {c.meaning: e.word for e, c in chosen}
    by_start, by_reading = defaultdict(list), defaultdict(list)
    for row, (e, c) in enumerate(chosen):
        if e.note:
            notes[row].append(e.note)
        first = e.candidates[0]
        if c is not first:
            taken = holder.get(first.meaning)
            notes[row].append(f"displaced: {first.meaning} went to '{taken}'" if taken
                              else f"displaced from {first.meaning}")
        if c.reverse:
            notes[row].append(f"reverse check: {c.meaning} translates '{c.reverse}' first")
        if c.pos_note:
            notes[row].append(f"part of speech: {c.pos_note}")
        if len(c.meaning) >= 2 and any(0x4E00 <= ord(ch) <= 0x9FFF for ch in c.meaning[:2]):
            by_start[c.meaning[:2]].append(row)  # パン and パンチ are no family
        by_reading[c.reading].append(row)
    for row, (e, c) in enumerate(chosen):
        for kind, rows in (("shares a stem with", by_start.get(c.meaning[:2], [])),
                           ("same reading as", by_reading[c.reading])):
            for other in rows:
                if other != row:
                    notes[row].append(f"{kind} {chosen[other][1].meaning} "
                                      f"('{chosen[other][0].word}')")
    return [(row + 1, chosen[row][0].word, chosen[row][1].meaning, chosen[row][1].reading,
             "; ".join(notes[row])) for row in sorted(notes)]


# Flags that a rule of the generator answers for every row alike.
RULE_REASONS = {
    "same reading as": "homophones stay: the judge completes the correct candidate first",
    "singular of": "the list gives the plural first; the singular is the word",
    "verb of": "the -ing form is no word of its own; the verb is",
    "capitalised in the list": "the list capitalises it at the start of sentences",
    "everyday word beyond": "a word of the calendar or of a first conversation",
}

def with_reasons(rows, reasons):
    """The review's rows with a last column saying why each stays as it is: the
    reason written for its headword and meaning (reviewed.tsv, or the comment of a
    hand choice), else the rules' reasons when they answer every flag; empty when
    the row still wants a reader.  A hand choice is a flag no rule answers: each
    says in its own comment why its meaning is the first one to learn."""
    out = []
    for row in rows:
        word, meaning, flags = row[1].lower(), row[2], row[4].split("; ")
        written_for, reason = reasons.get(word, (None, ""))
        if reason and written_for not in (None, meaning):
            reason = ""
        if not reason:
            answered = [next((why for start, why in RULE_REASONS.items()
                              if flag.startswith(start)), None) for flag in flags]
            if all(answered):
                reason = "; ".join(dict.fromkeys(answered))
        out.append(row + (reason,))
    return out


def write_lines(out, lines):
    """Writes UTF-8 lines with LF ends through a temporary file beside `out`."""
    out = Path(out)
    tmp = out.with_name(out.name + ".tmp")
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        for line in lines:
            f.write(line + "\n")
    os.replace(tmp, out)


def write_bank(bank, out, sources):
    write_lines(out, [f"# english\tmeaning\treading; {sources}"] + ["\t".join(row) for row in bank])


def write_review(rows, out, header):
    write_lines(out, [f"# {header}",
                      "# row\tenglish\tmeaning\treading\twhy to read it\twhy it stays"]
                + ["\t".join(map(str, row)) for row in rows])
