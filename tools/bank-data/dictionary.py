"""Reading Debian's EDICT and KANJIDIC: one `Line` per written form and reading,
its senses with their part-of-speech and usage tags, and an index from an English
word to every sense that glosses it.

    lines, created = load_edict("/usr/share/edict/edict")
    index = gloss_index(lines)      # "eat" -> [GlossMatch(line, sense, gloss, ...)]

Nothing here knows about the bank: the same index serves any English-to-Japanese
look-up."""

import re
from collections import defaultdict
from dataclasses import dataclass, field
from typing import NamedTuple

DEFAULT_EDICT = "/usr/share/edict/edict"
DEFAULT_KANJIDIC = "/usr/share/edict/kanjidic"

# A word or a two-word phrase of lower-case letters: what a headword may be.
HEADWORD = re.compile(r"[a-z]+(?:[- ][a-z]+)?")

POS_PIECE = re.compile(
    r"adj-[a-z]+|adv(?:-to)?|aux(?:-v|-adj)?|conj|cop(?:-da)?|ctr|exp|int|"
    r"n(?:-adv|-pr|-pref|-suf|-t)?|num|pn|pref|prt|suf|unc|v[1-5].*|vi|vk|vn|vr|"
    r"vs(?:-[a-z])?|vt|vz")
# Written forms that are rare, irregular or search-only: never shown as a meaning.
# A line whose kanji carry such a tag can still be taught by its kana.
KANJI_TAGS = {"iK", "oK", "ateji", "io", "rK", "sK"}
KANA_TAGS = {"ik", "ok", "rk", "sk"}
FORM_TAGS = KANJI_TAGS | KANA_TAGS
# Usage tags of a sense (EDICT's "misc" entities).
USAGE_TAGS = {"vulg", "X", "derog", "sl", "m-sl", "net-sl", "arch", "obs", "obsc", "rare",
              "sens", "quote", "abbr", "col", "hon", "hum", "pol", "fam", "chn", "male",
              "fem", "dated", "hist", "poet", "joc", "on-mim", "yoji", "id", "proverb",
              "tradem", "exp", "euph", "litf", "form", "uk", "gikun", "uK", "aphorism"}
FIELD_TAGS = {
    "agric", "anat", "archeol", "archit", "art", "astron", "audvid", "aviat", "baseb",
    "biochem", "biol", "bot", "Buddh", "bus", "chem", "Christn", "cloth", "comp", "cryst",
    "ecol", "econ", "elec", "electr", "embryo", "engr", "ent", "finc", "fish", "food",
    "gardn", "genet", "geogr", "geol", "geom", "go", "golf", "gramm", "grmyth", "hanaf",
    "horse", "law", "ling", "logic", "MA", "mahj", "math", "mech", "med", "met", "mil",
    "music", "ornith", "paleo", "pathol", "pharm", "phil", "photo", "physics", "physiol",
    "print", "psy", "psych", "rail", "Shinto", "shogi", "sports", "stat", "sumo", "telec",
    "vidg", "zool"}
MISC_TAGS = FORM_TAGS | USAGE_TAGS
LEADING_TAG = re.compile(r"\(([^()]*)\)\s*")
PAREN = re.compile(r"\([^()]*\)")


def classify_tag(tag):
    if tag.isdigit():
        return "sense"
    if tag == "P":
        return "common"
    if all(POS_PIECE.fullmatch(p) for p in tag.split(",")):
        return "pos"
    if tag in MISC_TAGS or tag in FIELD_TAGS or re.fullmatch(r"[a-z]+:", tag):
        return "misc"
    return None


@dataclass
class Sense:
    pos: tuple  # part-of-speech tags in EDICT's order: ("n", "vs")
    tags: set = field(default_factory=set)
    glosses: list = field(default_factory=list)


@dataclass
class Line:
    """One EDICT line: one written form with one reading."""
    form: str
    reading: str
    senses: list
    common: bool
    form_tags: set


class GlossMatch(NamedTuple):
    """A gloss of `line.senses[sense]` that is an English word: `qualified` when a
    parenthesised note was dropped, `stretched` for "to be afraid" read as afraid;
    `spelling` is the word as the gloss writes it (Monday, English)."""
    line: Line
    sense: int
    gloss: int
    qualified: bool
    stretched: bool
    spelling: str


def parse_edict_line(text):
    head, sep, body = text.partition(" /")
    if not sep:
        return None
    m = re.fullmatch(r"(\S+)(?: \[(\S+)\])?", head)
    if not m:
        return None
    form, reading = m.group(1), m.group(2) or m.group(1)
    senses, pos, common, form_tags = [], [], False, set()
    for item in body.rstrip("/").split("/"):
        new_sense = not senses
        tags = []
        while True:
            t = LEADING_TAG.match(item)
            if not t or classify_tag(t.group(1)) is None:
                break
            tags.append(t.group(1))
            item = item[t.end():]
        misc = set()
        for tag in tags:
            kind = classify_tag(tag)
            if kind == "common":
                common = True
            elif kind == "pos":
                pos = tag.split(",")
                new_sense = True
            elif kind == "sense":
                new_sense = True
            elif tag in FORM_TAGS:
                form_tags.add(tag)
            else:
                misc.add(tag)
        if not item.strip():
            continue
        if new_sense:
            senses.append(Sense(tuple(pos)))
        senses[-1].tags |= misc
        senses[-1].glosses.append(item.strip())
    return Line(form, reading, senses, common, form_tags)


def read_euc_jp(path):
    with open(path, "rb") as f:
        return f.read().decode("euc_jp", errors="replace").splitlines()


def load_edict(path=DEFAULT_EDICT):
    """The parsed lines and the file's creation date (from its header line)."""
    data = read_euc_jp(path)
    created = re.search(r"Created: ([0-9-]+)", data[0]) if data else None
    lines = [parsed for parsed in map(parse_edict_line, data[1:]) if parsed]
    return lines, created.group(1) if created else "undated"


def load_kanji_grades(path=DEFAULT_KANJIDIC):
    """Kanji -> school grade (1-6 elementary, 8 secondary, 9-10 names) from KANJIDIC."""
    grades = {}
    for text in read_euc_jp(path):
        m = re.match(r"(\S) .*? G(\d+)\b", text)
        if m:
            grades[m.group(1)] = int(m.group(2))
    return grades


def normalise_gloss(gloss):
    """The gloss without its parenthesised notes, blanks collapsed."""
    previous = None
    while previous != gloss:
        previous, gloss = gloss, PAREN.sub(" ", gloss)
    return " ".join(gloss.split())


def gloss_index(lines):
    """Maps an English word to every GlossMatch whose gloss is that word: "eat" for
    "to eat", and, as a weaker match, "afraid" for "to be afraid" or "angry" for
    "to get angry", since EDICT glosses many adjectives that way."""
    index = defaultdict(list)
    for line in lines:
        for s, sense in enumerate(line.senses):
            is_verb = any(p.startswith("v") and p not in ("vi", "vt") for p in sense.pos)
            for g, gloss in enumerate(sense.glosses):
                plain = normalise_gloss(gloss)
                qualified = plain != gloss.strip()
                word, stretched = None, False
                if is_verb and plain.startswith(("to be ", "to get ")):
                    word, stretched = plain.split(" ", 2)[2], True
                elif is_verb and plain.startswith("to "):
                    word = plain[3:]
                elif plain and not plain.startswith("to "):
                    word = plain
                spelling = word
                if word and word[0].isupper() and word[1:].islower():
                    word = word.lower()  # Monday, March: indexed under monday, march
                if word and HEADWORD.fullmatch(word):
                    index[word].append(GlossMatch(line, s, g, qualified, stretched, spelling))
    return index


def primary_gloss(line):
    """The first gloss of a line's first sense, as a headword ("to see" -> "see")."""
    if not line.senses or not line.senses[0].glosses:
        return None
    plain = normalise_gloss(line.senses[0].glosses[0])
    return plain[3:] if plain.startswith("to ") else plain


def to_hiragana(text):
    """Katakana as hiragana; ー and ヴ stay as they are (no typeable hiragana for ヴ)."""
    out = []
    for ch in text:
        o = ord(ch)
        if 0x30A1 <= o <= 0x30F3:  # ァ..ン
            ch = chr(o - 0x60)
        out.append(ch)
    return "".join(out)


def lines_by_reading(lines):
    """Reading in hiragana -> the lines that have it."""
    by_reading = defaultdict(list)
    for line in lines:
        by_reading[to_hiragana(line.reading)].append(line)
    return by_reading
