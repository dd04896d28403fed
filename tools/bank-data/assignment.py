"""The global assignment of meanings to headwords: no meaning twice, each meaning
to the headword it translates most plainly (deferred acceptance)."""

from dataclasses import dataclass


@dataclass
class Entry:
    """A headword that may enter the bank, with its place in the learner's order and
    its candidates best first; `note` tells the reviewer how the headword was made."""
    word: str
    order: float
    candidates: list
    note: str = ""


def assign(entries):
    """Gives each entry one candidate, no meaning twice.  A meaning goes to the entry
    that scores it highest, that is the word it translates most plainly (the earlier
    entry on a tie); an entry that loses its choice proposes its next one.  Returns
    {entry index: candidate}; an entry that runs out of candidates is left out."""
    holder = {}  # meaning -> (entry index, candidate)
    proposals = [0] * len(entries)
    waiting = list(range(len(entries) - 1, -1, -1))
    while waiting:
        i = waiting.pop()
        candidates = entries[i].candidates
        while proposals[i] < len(candidates):
            c = candidates[proposals[i]]
            proposals[i] += 1
            held = holder.get(c.meaning)
            if held is None:
                holder[c.meaning] = (i, c)
                break
            j, other = held
            if (c.score, -i) > (other.score, -j):
                holder[c.meaning] = (i, c)
                waiting.append(j)
                break
    return {i: c for i, c in holder.values()}


def choose(entries, size):
    """The first `size` entries in learner order that receive a meaning, each with it.
    Later entries compete only while they are needed to fill the bank."""
    entries = sorted(entries, key=lambda e: e.order)
    window = size
    while True:
        chosen = assign(entries[:window])
        kept = sorted(chosen)[:size]
        if len(kept) == size or window >= len(entries):
            break
        window += size - len(kept)
    # The words cut off may have won meanings from kept ones: assign again without them.
    final = [entries[i] for i in kept]
    again = assign(final)
    return [(e, again[k]) for k, e in enumerate(final) if k in again]
