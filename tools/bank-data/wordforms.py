"""English word forms: which entries of the frequency list are inflections of an
earlier word (plurals, -ed and -ing forms), and which two spellings are one word."""

from dictionary import HEADWORD


def base_forms(word):
    """The words of which `word` may be a plural, a past or an -ing form.  A bare -d
    past only follows e (loved, not good or card), letters double only before -ed and
    -ing (stopped), and -s never follows s (loss, glasses are no -s plurals)."""
    plural, verbal = set(), set()
    if word.endswith("ies") and len(word) > 4:
        plural.add(word[:-3] + "y")
    elif word.endswith("es") and word[:-2].endswith(("s", "x", "z", "ch", "sh", "o")):
        plural.add(word[:-2])
    if word.endswith("s") and not word.endswith(("ss", "us", "is")) and len(word) > 3:
        plural.add(word[:-1])
    for ending in ("ed", "ing"):
        if word.endswith(ending) and len(word) > len(ending) + 2:
            stem = word[:-len(ending)]
            verbal |= {stem, stem + "e"}
            if len(stem) > 2 and stem[-1] == stem[-2]:
                verbal.add(stem[:-1])  # stopped, running
            if ending == "ed" and stem.endswith("i"):
                verbal.add(stem[:-1] + "y")  # tried
    return plural, verbal


def same_word(a, b):
    """True for one word in two spellings or numbers: colour/color, eggs/egg."""
    if a.replace("our", "or") == b.replace("our", "or"):
        return True
    return b in base_forms(a)[0] or a in base_forms(b)[0]


def headword_for(raw, seen, index, tables, skipped):
    """The headword that a frequency entry stands for, with a note for the review,
    or None when the entry is skipped (the reason is counted in `skipped`).
    `seen` holds the entries met earlier, `index` the dictionary's gloss index."""
    word = raw.lower()
    if raw != word and word not in tables.capital_ok:
        skipped["capitalised (name or sentence start)"] += 1
        return None, ""
    if not HEADWORD.fullmatch(word) or sum(c.isalpha() for c in word) < 2:
        skipped["not a plain word (letters, length)"] += 1
        return None, ""
    if word in tables.blocked:
        skipped["blocklist (vulgar, sexual, slur)"] += 1
        return None, ""
    if word in tables.excluded:
        skipped["exclusion table (function word, poor match)"] += 1
        return None, ""
    if word in tables.overrides or word in tables.own_words:
        return word, "capitalised in the list" if raw != word else ""
    plural, verbal = base_forms(word)
    if (plural | verbal) & seen:
        skipped["inflected form of an earlier word"] += 1
        return None, ""
    # A plural before its singular: the learner types the singular (cookies -> cookie).
    singular = sorted(w for w in plural if w in index and w not in tables.excluded)
    if singular:
        return singular[0], f"singular of '{word}'"
    return word, ""  # sometimes, upstairs: no plural of a dictionary word
