"""English word forms: which entries of the frequency list are inflections of an
earlier word (plurals, -ed and -ing forms), and which two spellings are one word."""

from collections import Counter, defaultdict

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


def headword_for(raw, seen, index, tables, skipped, english=None):
    """The headword that a frequency entry stands for, with a note for the review,
    or None when the entry is skipped (the reason is counted in `skipped`).
    `seen` holds the entries met earlier, `index` the dictionary's gloss index,
    `english` the parts of speech (an -ing form that is no word of its own gives
    its verb: bleeding -> bleed)."""
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
    verb = english.verb_of_ing(word) if english else None
    if verb in index:
        return verb, f"verb of '{word}'"
    return word, ""  # sometimes, upstairs: no plural of a dictionary word


# --- parts of speech --------------------------------------------------------

DEFAULT_WORDNET = "/usr/share/wordnet"
# WordNet's synset types: noun, verb, adjective, adverb, adjective satellite.
WORDNET_POS = {"1": "noun", "2": "verb", "3": "adj", "4": "adv", "5": "adj"}
# A part of speech is a headword's own when its tagged senses count at least this
# share of the headword's most frequent part of speech (need: verb 244, noun 98).
MAIN_POS_SHARE = 1 / 3


class EnglishPos:
    """The parts of speech of English words, from WordNet: how often each was tagged
    in its sense-tagged corpus (cntlist.rev), and which it lists at all (index.*).
    Words that WordNet does not know (pronouns, question words) have none."""

    def __init__(self, counts=None, listed=None):
        self.counts = counts or {}  # word -> {pos: tagged count}
        self.listed = listed or {}  # word -> {pos}

    @classmethod
    def load(cls, folder=DEFAULT_WORDNET):
        counts, listed = defaultdict(Counter), defaultdict(set)
        with open(f"{folder}/cntlist.rev", encoding="utf-8") as f:
            for text in f:
                key, _, count = text.split()
                lemma, sense = key.split("%", 1)
                counts[lemma.replace("_", " ")][WORDNET_POS[sense[0]]] += int(count)
        for pos, name in (("noun", "noun"), ("verb", "verb"), ("adj", "adj"), ("adv", "adv")):
            with open(f"{folder}/index.{name}", encoding="utf-8") as f:
                for text in f:
                    if not text.startswith(" "):
                        listed[text.split(" ", 1)[0].replace("_", " ")].add(pos)
        return cls(dict(counts), dict(listed))

    def main(self, word):
        """The headword's own parts of speech: the most frequent one and any other
        used at least MAIN_POS_SHARE as often; the listed ones when none was tagged."""
        counts = self.counts.get(word)
        if not counts:
            return set(self.listed.get(word, ()))
        top = max(counts.values())
        return {pos for pos, n in counts.items() if n >= top * MAIN_POS_SHARE}

    def possible(self, word):
        """Every part of speech WordNet gives the word."""
        return set(self.listed.get(word, ())) | set(self.counts.get(word, ()))

    def verb_of_ing(self, word):
        """The verb of an -ing form that is no word of its own (bleeding -> bleed,
        but building, meeting, feeling stay), else None."""
        if not word.endswith("ing") or self.counts.get(word):
            return None
        for verb in sorted(base_forms(word)[1]):
            if self.counts.get(verb, {}).get("verb"):
                return verb
        return None
