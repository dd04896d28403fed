"""How plainly a dictionary sense translates a headword: the candidates of a
headword, best first, each with its score, meaning and reading."""

import math
import os
import re
import sys
from collections import Counter
from dataclasses import dataclass, field

from dictionary import (FIELD_TAGS, HEADWORD, KANA_TAGS, KANJI_TAGS, normalise_gloss,
                        primary_gloss, to_hiragana)
from wordforms import EnglishPos, same_word

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
    spelling: str = None  # the headword as the gloss spells it: Monday, English
    pos_note: str = ""  # why the meaning's part of speech is not the headword's


def score_match(line, s, g, qualified, stretched):
    """How plainly this gloss translates the headword; None when it must not be used.
    EDICT has no frequencies beyond (P), so the weights lean on what marks an
    everyday word: the first sense, many senses, and a form that recurs in others."""
    if line.form_tags & KANA_TAGS:
        return None
    sense = line.senses[s]
    if sense.tags & SENSE_BANNED:
        return None
    if sense.pos and set(sense.pos) <= (POS_UNUSABLE | {"vi", "vt"}):
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
    its form recurs, its kanji's school grades, the English words' frequency ranks
    and their parts of speech."""
    usage: Usage
    grades: dict
    ranks: dict
    pos: EnglishPos = field(default_factory=EnglishPos)


# --- parts of speech -------------------------------------------------------

# The forms a Japanese sense takes in each English part of speech, in the order
# EDICT gives its tags: 提供 (n,vs) is a noun, or a verb with する; 静か (adj-na) an
# adjective with な or an adverb with に.  exp and int fit any headword.
JAPANESE_FORMS = {
    "vs": [("verb", "する")],
    "adj-i": [("adj", "")], "adj-ix": [("adj", "")], "adj-pn": [("adj", "")],
    "adj-f": [("adj", "")], "adj-t": [("adj", "")], "adj-ku": [("adj", "")],
    "adj-na": [("adj", "な"), ("adv", "に")],
    "adj-no": [("adj", "の")],
    "adv": [("adv", "")], "adv-to": [("adv", "")],
    "n-adv": [("noun", ""), ("adv", "")], "n-t": [("noun", ""), ("adv", "")],
    "n": [("noun", "")], "num": [("noun", "")], "n-pr": [("noun", "")], "pn": [("any", "")],
    "exp": [("any", "")], "int": [("any", "")],
}
# A form made with a tail (青の) yields to a word of that part of speech (青い).
TAIL_PENALTY = 6
# Fewer tagged senses than this say nothing about a word's main part of speech.
FEW_TAGGED = 10
# A part of speech that the headword has, though seldom (talk as a noun).
MINOR_POS_PENALTY = 15
# A part of speech that the headword never has (pregnant as a noun): the sense gives
# way to any fair match in the headword's own part of speech.
POS_MISMATCH_PENALTY = 35
# Past forms of verbs, by conjugation: an adjective made from a past participle is
# the Japanese past (tired: 疲れた, impressed: 感動した).
PAST_ENDINGS = {"v1": ("る", "た"), "v5u": ("う", "った"), "v5t": ("つ", "った"),
                "v5r": ("る", "った"), "v5k": ("く", "いた"), "v5k-s": ("く", "った"),
                "v5g": ("ぐ", "いだ"), "v5s": ("す", "した"), "v5m": ("む", "んだ"),
                "v5b": ("ぶ", "んだ"), "v5n": ("ぬ", "んだ"), "vs-i": ("する", "した"),
                "vs-s": ("する", "した"), "vk": ("る", "た"), "vs": ("", "した")}


@dataclass
class Form:
    """How a dictionary word stands for the headword: the kana added to it (None
    when it cannot be used), the ending it drops first, the penalty and a note."""
    tail: str = ""
    drop: str = ""
    penalty: float = 0
    note: str = ""


def japanese_forms(pos_tags):
    forms = []
    for tag in pos_tags:
        if tag.startswith("v") and tag not in ("vs", "vi", "vt"):
            forms.append(("verb", ""))
        forms.extend(JAPANESE_FORMS.get(tag, []))
    return forms


def verb_form(pos_tags, past):
    """The past (疲れた) or, for an adverb, the て form (離れて) of a verb sense."""
    verbs = [t for t in pos_tags if t in PAST_ENDINGS]
    if not verbs:
        return None
    drop, tail = PAST_ENDINGS[verbs[0]]
    return Form(tail if past else tail[:-1] + ("で" if tail.endswith("だ") else "て"), drop)


def first_in(forms, wanted):
    """The first form whose part of speech is wanted; of that part of speech, one
    without a tail first."""
    fitting = [(pos, tail) for pos, tail in forms if pos in wanted]
    if not fitting:
        return None
    tail = min((f for f in fitting if f[0] == fitting[0][0]), key=lambda f: f[1] != "")[1]
    return Form(tail, penalty=TAIL_PENALTY if tail else 0)


def in_headword_pos(word, pos_tags, english, stretched=False, line_tags=()):
    """The form in which a sense with EDICT's `pos_tags` translates `word`, given the
    headword's parts of speech in `english`: a form of the sense in a main part of
    speech of the headword (a tail-less one first: かなり, not かなりに), else one
    of the line's other senses (失礼な), else a part of speech the headword has at
    all, with a penalty.  An adjective made from a past participle (tired) or read
    off "to be ..." with no adjective in the line (born) takes the verb's past
    (疲れた, 生まれた), an adverb its て form (離れて); any other adjective takes a
    する-noun as a state (妊娠している).
    A sense in no part of speech of the headword stays as it is, with a penalty
    that lets it give way.  Pronouns, expressions and interjections fit any word."""
    main, possible = english.main(word), english.possible(word)
    if sum(english.counts.get(word, {}).values()) < FEW_TAGGED:
        main = possible
    forms = japanese_forms(pos_tags)
    if not possible or not forms or any(pos == "any" for pos, _ in forms):
        return Form()
    line_form = first_in(forms, main) or first_in(japanese_forms(line_tags), main)
    if (word.endswith("ed") or stretched and not line_form) and main & {"adj", "adv"}:
        form = verb_form(pos_tags, "adj" in main)
        if form:
            return form
    if line_form:
        return line_form
    form = first_in(forms, possible)
    if form:
        form.penalty += MINOR_POS_PENALTY
        form.note = f"a {'/'.join(sorted(possible - main))} form for a mainly " \
                    f"{'/'.join(sorted(main))} headword"
        return form
    if "adj" in main and "vs" in pos_tags:
        return Form("している")
    return Form(penalty=POS_MISMATCH_PENALTY,
                note=f"{'/'.join(p for p, _ in forms)} for a {'/'.join(sorted(main))} headword")


def inflect(meaning, reading, form):
    """The meaning and reading with the form's ending dropped and its tail added."""
    if form.drop and not (meaning.endswith(form.drop) and reading.endswith(form.drop)):
        return "", ""
    cut = len(form.drop)
    return (meaning[:len(meaning) - cut] + form.tail, reading[:len(reading) - cut] + form.tail)


def candidates_for(word, matches, signals):
    """The candidates of `word` from its gloss matches, best first."""
    found = {}
    for line, s, g, qualified, stretched, spelling in matches:
        score = score_match(line, s, g, qualified, stretched)
        if score is None:
            continue
        word_form = written_form(line, s)
        kana_form = word_form == line.reading
        form = in_headword_pos(word, line.senses[s].pos, signals.pos, stretched,
                               [t for sense in line.senses for t in sense.pos])
        if form.tail is None:
            continue
        meaning, reading = inflect(word_form, to_hiragana(line.reading), form)
        if not (meaning_ok(meaning) and reading_ok(reading)):
            continue
        score -= form.penalty
        score += 3 * signals.usage.weight(word_form) - 4 * len(word_form)
        score -= kanji_penalty(word_form, signals.grades)
        if kana_form and line.form != line.reading:
            score -= 10  # a kanji form tells the learner more, when it is usual
        if is_katakana_word(word_form):
            score -= 15  # a loanword is a weak test of the meaning
        if len(word_form) == 1 and ON_READING.fullmatch(to_hiragana(line.reading)):
            score -= 6  # a lone kanji read on'yomi is mostly part of compounds
        clash = reverse_clash(word, line, signals.ranks)
        if clash:
            score -= REVERSE_PENALTY
        key = (-score, len(meaning), meaning, reading)
        old = found.get((meaning, reading))
        if old is None or key < old.key:
            found[(meaning, reading)] = Candidate(score, meaning, reading, key, clash,
                                                  spelling, form.note)
    return sorted(found.values(), key=lambda c: c.key)


# Set forms that a hand choice may add to a dictionary word, with their readings:
# 用意ができた for ready, 運がいい for lucky, 不思議に思う for wonder, 鍵をかける
# for lock, 餌をやる for feed, 台無しにする for ruin.
HAND_TAILS = {"ができた": "ができた", "がいい": "がいい", "に思う": "におもう", "が高い": "がたかい",
              "をあげる": "をあげる", "をかける": "をかける", "をやる": "をやる", "をつく": "をつく",
              "している": "している", "にする": "にする", "とする": "とする", "した": "した",
              "する": "する", "で": "で", "に": "に", "な": "な", "の": "の"}


def usual_line(meaning, reading, by_reading, word=None):
    """The EDICT line of which `meaning` [reading] is a usual written form, or None;
    of several (変: change, 変: strange), one that glosses `word` first.  By hand,
    an ateji that is the usual spelling (試合, 素敵) may be chosen."""
    lines = [line for line in by_reading.get(reading, []) if not line.form_tags & KANA_TAGS
             and (meaning == line.reading
                  or (meaning == line.form and line.form_tags <= {"ateji"}))]
    glossing = [line for line in lines if word and sense_glossing(line, word, None)]
    return (glossing or lines or [None])[0]


def sense_glossing(line, word, otherwise=0):
    """The first sense of `line` that glosses `word`, else its sense `otherwise`."""
    for sense in line.senses:
        for gloss in sense.glosses:
            plain = normalise_gloss(gloss).lower()
            if plain in (word, "to " + word, "to be " + word):
                return sense
    return None if otherwise is None else line.senses[otherwise]


def glossed_spelling(line, word):
    """The headword as the line's glosses spell it: Monday for monday, when one does."""
    for sense in line.senses:
        for gloss in sense.glosses:
            plain = normalise_gloss(gloss)
            if plain.lower() == word and plain != word:
                return plain
    return word


def override_candidate(word, meaning, reading, by_reading, ranks, english=None):
    """The hand choice of overrides.tsv as a candidate that always wins its meaning.
    A plain dictionary word takes the headword's part of speech as a generated
    meaning does, unless written "=word" (after: 後, the noun of 〜の後); a
    dictionary word with a set form (HAND_TAILS) stands as written.  Stops the run
    when EDICT has no such usual form."""
    as_is = meaning.startswith("=")
    meaning = meaning.lstrip("=")
    if not (meaning_ok(meaning) and reading_ok(reading)):
        sys.exit(f"overrides.tsv: {word}: {meaning} [{reading}] cannot be shown or typed")
    line = usual_line(meaning, reading, by_reading, word)
    if line is not None and as_is:
        return Candidate(1000, meaning, reading, (), reverse_clash(word, line, ranks),
                         glossed_spelling(line, word))
    if line is not None:
        form = in_headword_pos(word, sense_glossing(line, word).pos, english or EnglishPos(),
                               line_tags=[t for sense in line.senses for t in sense.pos])
        meaning, reading = inflect(meaning, reading, form)
        if not (meaning_ok(meaning) and reading_ok(reading)):
            sys.exit(f"overrides.tsv: {word}: {meaning} [{reading}] is too long")
        return Candidate(1000, meaning, reading, (), reverse_clash(word, line, ranks),
                         glossed_spelling(line, word), form.note)
    for drop, past in set(PAST_ENDINGS.values()):  # 間違った for wrong
        if past and meaning.endswith(past) and reading.endswith(past):
            line = usual_line(meaning[:-len(past)] + drop, reading[:-len(past)] + drop,
                              by_reading)
            if line is not None and any(PAST_ENDINGS.get(t) == (drop, past)
                                        for sense in line.senses for t in sense.pos):
                return Candidate(1000, meaning, reading, (), reverse_clash(word, line, ranks),
                                 glossed_spelling(line, word))
    for tail, tail_reading in sorted(HAND_TAILS.items(), key=lambda t: -len(t[0])):
        if meaning.endswith(tail) and reading.endswith(tail_reading):
            line = usual_line(meaning[:-len(tail)], reading[:-len(tail_reading)], by_reading)
            if line is not None:
                return Candidate(1000, meaning, reading, (), reverse_clash(word, line, ranks),
                                 glossed_spelling(line, word))
    sys.exit(f"overrides.tsv: {word}: EDICT has no usual form {meaning} [{reading}]")
