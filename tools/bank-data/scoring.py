"""How plainly a dictionary sense translates a headword: the candidates of a
headword, best first, each with its score, meaning and reading."""

import math
import os
import re
import sys
from collections import Counter
from dataclasses import dataclass

from dictionary import (FIELD_TAGS, HEADWORD, KANA_TAGS, KANJI_TAGS, primary_gloss,
                        to_hiragana)
from wordforms import same_word

MAX_MEANING = 12
MAX_READING = 16
# A match that scores below this is a stretch of the dictionary, not a translation.
MIN_SCORE = 90
# A Japanese word whose primary English gloss is another, more frequent word.
REVERSE_PENALTY = 12

# Parts of speech that never stand as a vocabulary answer on their own.
POS_UNUSABLE = {"aux", "aux-v", "aux-adj", "conj", "cop", "cop-da", "ctr", "int",
                "n-pref", "n-suf", "pref", "prt", "suf", "unc"}
# Senses that must not be taught: offensive, slang, dead or obscure.
SENSE_BANNED = {"vulg", "X", "derog", "sl", "m-sl", "net-sl", "arch", "obs", "obsc",
                "rare", "sens", "quote"}
# Senses that are fine but not the plain word.
SENSE_PENALTY = {"abbr": 20, "col": 10, "hon": 8, "hum": 8, "pol": 4, "fam": 15,
                 "chn": 15, "male": 10, "fem": 10, "dated": 15, "hist": 15, "poet": 10,
                 "joc": 15, "on-mim": 15, "yoji": 20, "id": 20, "proverb": 30,
                 "tradem": 20, "exp": 10, "euph": 10, "litf": 25, "form": 10}
FIELD_PENALTY = 10

# What the typing judge can take: its kana units, the long-vowel mark and four marks.
READING_CHARS = set(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉゃゅょっヴー、。「」・")
# On-reading shape: one syllable, optionally closed by ん, う, い, く, き, つ or ち.
ON_READING = re.compile(
    r"[あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
    r"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ][ゃゅょ]?[んういくきつち]?")
OKURIGANA = "".join(chr(c) for c in range(0x3041, 0x3097))


def meaning_char_ok(ch):
    # Kana, kanji, 々, ー, ・ and full-width Latin letters: all in CP932 on every
    # converter, unlike symbols whose CP932 mapping differs between codecs.
    o = ord(ch)
    return (0x3041 <= o <= 0x3096 or 0x30A1 <= o <= 0x30FA or ch in "ー・々"
            or 0x4E00 <= o <= 0x9FFF or 0xFF21 <= o <= 0xFF3A or 0xFF41 <= o <= 0xFF5A)


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


@dataclass
class Candidate:
    score: float
    meaning: str
    reading: str
    key: tuple  # tie-breaker: deterministic and favouring usual forms
    reverse: str = None  # the English word this meaning translates first


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


@dataclass
class Signals:
    """What ranks one Japanese word above another beyond the gloss itself: how often
    its form recurs, its kanji's school grades, the English words' frequency ranks."""
    usage: Usage
    grades: dict
    ranks: dict


def candidates_for(word, matches, signals):
    """The candidates of `word` from its gloss matches, best first."""
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


def override_candidate(word, meaning, reading, by_reading, ranks):
    """The hand choice of overrides.tsv as a candidate that always wins its meaning;
    stops the run when EDICT has no such usual form."""
    if not (meaning_ok(meaning) and reading_ok(reading)):
        sys.exit(f"overrides.tsv: {word}: {meaning} [{reading}] cannot be shown or typed")
    for line in by_reading.get(reading, []):
        if line.form_tags & KANA_TAGS:
            continue
        # By hand, an ateji that is the usual spelling (試合, 素敵) may be chosen.
        if meaning == line.reading or (meaning == line.form and line.form_tags <= {"ateji"}):
            return Candidate(1000, meaning, reading, (), reverse_clash(word, line, ranks))
    sys.exit(f"overrides.tsv: {word}: EDICT has no usual form {meaning} [{reading}]")
