#!/usr/bin/python3
"""Checks the rules of the bank generator on small hand-made inputs: no EDICT, no word list."""

import unittest
from collections import Counter

import assignment
import blind_sample
import dictionary
import make_bank
import numberwords
import output
import scoring
import wordforms
from tables import Tables


def edict(*texts):
    return [dictionary.parse_edict_line(t) for t in texts]


def candidate(meaning, score, reading=None):
    return scoring.Candidate(score, meaning, reading or meaning, (-score, meaning))


class InflectionTest(unittest.TestCase):
    # word, words seen earlier in the list, the headword it gives (None: skipped)
    CASES = [
        ("good", {"go"}, "good"),            # -d only after e
        ("card", {"car"}, "card"),
        ("wind", {"win"}, "wind"),            # letters double only before -ed/-ing
        ("sand", {"san"}, "sand"),
        ("loss", {"lose", "los"}, "loss"),    # no -s after s
        ("glasses", {"glass"}, "glasses"),    # a word of its own
        ("loved", {"love"}, None),
        ("stopped", {"stop"}, None),
        ("running", {"run"}, None),
        ("cities", {"city"}, None),
        ("tried", {"try"}, None),
        ("boxes", {"box"}, None),
        ("cookies", set(), "cookie"),         # the singular, where EDICT has it
        ("flowers", set(), "flower"),
        ("sometimes", set(), "sometimes"),    # no dictionary singular: a word of its own
    ]

    def test_headwords(self):
        index = dictionary.gloss_index(edict(
            "良い [よい] /(adj-i) good/(P)/", "カード /(n) card/(P)/",
            "風 [かぜ] /(n) wind/(P)/", "砂 [すな] /(n) sand/(P)/",
            "損失 [そんしつ] /(n) loss/(P)/", "クッキー /(n) cookie/(P)/",
            "花 [はな] /(n) flower/(P)/"))
        own = Tables(own_words={"glasses"})
        for word, seen, expected in self.CASES:
            with self.subTest(word=word):
                got, _ = wordforms.headword_for(word, seen, index, own, Counter())
                self.assertEqual(got, expected)


class CapitalisedTest(unittest.TestCase):
    CASES = [
        ("What", "what"), ("Monday", "monday"), ("Thank", "thank"),
        ("Jack", None), ("Paris", None), ("I", None),
    ]

    def test_allow_list(self):
        allowed = Tables(capital_ok={"what", "monday", "thank"})
        for raw, expected in self.CASES:
            with self.subTest(raw=raw):
                skipped = Counter()
                got, _ = wordforms.headword_for(raw, set(), {}, allowed, skipped)
                self.assertEqual(got, expected)
                self.assertEqual(sum(skipped.values()), 0 if expected else 1)

    def test_capitalised_gloss_matches_the_lower_case_headword(self):
        index = dictionary.gloss_index(edict("月曜日 [げつようび] /(n-adv,n-t) Monday/(P)/"))
        self.assertEqual([m[0].form for m in index["monday"]], ["月曜日"])


class ReverseCheckTest(unittest.TestCase):
    RANKS = {"event": 100, "affair": 900, "see": 50, "look": 60, "curious": 500,
             "curiosity": 2000, "eggs": 700, "egg": 800}
    # headword, EDICT line, the other word the meaning translates first
    CASES = [
        ("affair", "事件 [じけん] /(n) event/affair/incident/(P)/", "event"),
        ("curious", "好奇心 [こうきしん] /(n) curiosity/inquisitiveness/(P)/", "curiosity"),
        ("look", "見る [みる] /(v1,vt) (1) to see/to look/(P)/", "see"),
        ("see", "見る [みる] /(v1,vt) (1) to see/to look/(P)/", None),
        ("event", "事件 [じけん] /(n) event/affair/incident/(P)/", None),
        ("egg", "卵 [たまご] /(n) eggs/egg/(P)/", None),
        ("color", "色 [いろ] /(n) colour/color/(P)/", None),
        ("look", "眺める [ながめる] /(v1,vt) to look at/(P)/", None),
    ]

    def test_cases(self):
        for word, text, expected in self.CASES:
            with self.subTest(word=word, line=text):
                line = dictionary.parse_edict_line(text)
                self.assertEqual(scoring.reverse_clash(word, line, self.RANKS), expected)

    def test_a_failing_match_ranks_below_a_passing_one(self):
        lines = edict("事件 [じけん] /(n) event/affair/(P)/", "出来事 [できごと] /(n) incident/affair/(P)/")
        signals = scoring.Signals(scoring.Usage(lines), {}, self.RANKS)
        found = scoring.candidates_for("affair", dictionary.gloss_index(lines)["affair"], signals)
        self.assertEqual(found[-1].meaning, "事件")
        self.assertEqual(found[-1].reverse, "event")


class AssignmentTest(unittest.TestCase):
    def entries(self, table):
        return [assignment.Entry(word, n, [candidate(m, s) for m, s in choices])
                for n, (word, choices) in enumerate(table)]

    # entries in bank order with (meaning, score) best first; who gets what
    CASES = [
        ("the plainer translation wins over the earlier word",
         [("see", [("見る", 110), ("見える", 95)]), ("look", [("見る", 120), ("眺める", 100)])],
         {"see": "見える", "look": "見る"}),
        ("a tie goes to the earlier word",
         [("small", [("小さい", 100), ("小さな", 90)]), ("little", [("小さい", 100), ("少し", 95)])],
         {"small": "小さい", "little": "少し"}),
        ("a displaced word displaces in turn",
         [("a", [("甲", 100), ("乙", 115)]), ("b", [("乙", 110), ("丙", 90)]),
          ("c", [("甲", 120)])],
         {"c": "甲", "a": "乙", "b": "丙"}),
        ("a word that runs out of meanings is left out",
         [("tiny", [("小さい", 90)]), ("small", [("小さい", 100)])],
         {"small": "小さい"}),
        ("the same reading is no clash",
         [("flower", [("花", 100)]), ("nose", [("鼻", 100)])],
         {"flower": "花", "nose": "鼻"}),
    ]

    def test_cases(self):
        for name, table, expected in self.CASES:
            with self.subTest(name):
                entries = self.entries(table)
                got = {entries[i].word: c.meaning for i, c in assignment.assign(entries).items()}
                self.assertEqual(got, expected)

    def test_choose_fills_the_bank_in_learner_order(self):
        entries = self.entries([("jury", [("陪審", 100)]), ("tiny", [("小さい", 90)]),
                                ("small", [("小さい", 100)]), ("egg", [("卵", 100)]),
                                ("milk", [("牛乳", 100)])])
        entries[0].order = 10  # a narrow word pushed back
        chosen = assignment.choose(entries, 3)
        self.assertEqual([(e.word, c.meaning) for e, c in chosen],
                         [("small", "小さい"), ("egg", "卵"), ("milk", "牛乳")])


class ReviewTest(unittest.TestCase):
    def test_flags(self):
        def row(word, meaning, reading, first=None, note=""):
            picked = candidate(meaning, 100, reading)
            others = [candidate(first, 120)] if first else []
            return assignment.Entry(word, 0, others + [picked], note), picked

        chosen = [row("small", "小さい", "ちいさい"), row("tiny", "小さな", "ちいさな", "小さい"),
                  row("flower", "花", "はな"), row("nose", "鼻", "はな"),
                  row("wedding", "結婚式", "けっこんしき"), row("marry", "結婚", "けっこん"),
                  row("dog", "犬", "いぬ"), row("get", "もらう", "もらう", note="hand choice")]
        notes = {word: why for _, word, _, _, why in output.review(chosen)}
        self.assertIn("displaced: 小さい went to 'small'", notes["tiny"])
        self.assertIn("shares a stem with 小さな", notes["small"])
        self.assertIn("same reading as 鼻", notes["flower"])
        self.assertIn("shares a stem with 結婚 ('marry')", notes["wedding"])
        self.assertEqual(notes["get"], "hand choice")
        self.assertNotIn("dog", notes)


class ReasonTest(unittest.TestCase):
    REASONS = {"get": (None, "もらう, to receive"), "strange": ("見知らぬ", "unknown to one"),
               "odd": ("妙な", "odd as strange")}
    # headword, meaning, flags of the review, the reason it stays ("" wants a reader)
    CASES = [
        ("get", "もらう", "hand choice", "もらう, to receive"),
        ("look", "見る", "hand choice", ""),  # every hand choice says why, in its comment
        ("strange", "奇妙な", "displaced: 変な went to 'weird'", ""),  # written for another meaning
        ("odd", "妙な", "displaced: 奇妙な went to 'strange'", "odd as strange"),
        ("nose", "鼻", "same reading as 花 ('flower')", output.RULE_REASONS["same reading as"]),
        ("nose", "鼻", "same reading as 花 ('flower'); reverse check: 鼻 translates 'snout' first", ""),
    ]

    def test_each_row_stays_for_a_written_reason(self):
        for word, meaning, flags, expected in self.CASES:
            with self.subTest(word=word, flags=flags):
                rows = output.with_reasons([(1, word, meaning, "", flags)], self.REASONS)
                self.assertEqual(rows[0][5], expected)


class KanjiGradeTest(unittest.TestCase):
    GRADES = {"見": 1, "言": 2, "告": 5, "眺": 8, "偉": 8, "貰": 9}
    CASES = [("見る", 0), ("言う", 0), ("告げる", 3), ("眺める", 8), ("もらう", 0),
             ("貰う", 15), ("鬱", 15)]

    def test_penalties(self):
        for meaning, expected in self.CASES:
            with self.subTest(meaning):
                self.assertEqual(scoring.kanji_penalty(meaning, self.GRADES), expected)


class PartOfSpeechTest(unittest.TestCase):
    # Tagged counts of each part of speech, as WordNet's sense-tagged corpus has them.
    ENGLISH = wordforms.EnglishPos(
        counts={"provide": {"verb": 311}, "talk": {"noun": 14, "verb": 148},
                "lucky": {"adj": 12}, "forever": {"adv": 18}, "tired": {"adj": 40},
                "love": {"noun": 48, "verb": 82}, "quite": {"adv": 110},
                "rude": {"adj": 20}, "born": {"adj": 18}, "apart": {"adv": 29, "adj": 1},
                "bleed": {"verb": 12}, "pregnant": {"adj": 14}},
        listed={"talk": {"noun", "verb"}, "bleeding": {"noun"}})
    # headword, EDICT line, the meaning and reading it gives, whether it gives way
    CASES = [
        ("provide", "提供 [ていきょう] /(n,vs) provision/offer/to provide/(P)/", "提供する", "ていきょうする", False),
        ("lucky", "幸運 [こううん] /(adj-na,n) good luck/lucky/(P)/", "幸運な", "こううんな", False),
        ("forever", "永遠 [えいえん] /(adj-na,n) eternity/forever/(P)/", "永遠に", "えいえんに", False),
        ("quite", "かなり /(adj-na,adv,n,adj-no) considerably/quite/(P)/", "かなり", "かなり", False),
        ("tired", "疲れる [つかれる] /(v1,vi) to get tired/(P)/", "疲れた", "つかれた", False),
        ("born", "生まれる [うまれる] /(v1,vi) to be born/(P)/", "生まれた", "うまれた", False),
        ("apart", "離れる [はなれる] /(v1,vi) to be apart/(P)/", "離れて", "はなれて", False),
        ("rude", "失礼 [しつれい] /(n,vs,adj-na) (1) discourtesy/(vs) (2) to be rude/(P)/", "失礼な", "しつれいな", False),
        ("pregnant", "妊娠 [にんしん] /(n,vs) pregnancy/pregnant/(P)/", "妊娠している", "にんしんしている", False),
        ("love", "愛 [あい] /(n,vs) love/(P)/", "愛", "あい", False),
        ("talk", "話 [はなし] /(n) talk/story/(P)/", "話", "はなし", True),
        ("provide", "供給 [きょうきゅう] /(n) provide/(P)/", "供給", "きょうきゅう", True),
    ]

    def test_meanings_take_the_headwords_part_of_speech(self):
        for word, text, meaning, reading, gives_way in self.CASES:
            with self.subTest(word=word, line=text):
                lines = edict(text)
                signals = scoring.Signals(scoring.Usage(lines), {}, {}, self.ENGLISH)
                found = scoring.candidates_for(word, dictionary.gloss_index(lines)[word], signals)
                self.assertEqual((found[0].meaning, found[0].reading), (meaning, reading))
                self.assertEqual(bool(found[0].pos_note), gives_way)

    def test_an_ing_form_that_is_no_word_gives_its_verb(self):
        index = dictionary.gloss_index(edict("出血 [しゅっけつ] /(n,vs) bleeding/to bleed/(P)/"))
        got = wordforms.headword_for("bleeding", set(), index, Tables(), Counter(), self.ENGLISH)
        self.assertEqual(got, ("bleed", "verb of 'bleeding'"))


class HandChoiceTest(unittest.TestCase):
    LINES = edict("鍵 [かぎ] /(n) key/(P)/", "餌 [えさ] /(n) feed/bait/(P)/",
                  "台無し [だいなし] /(adj-na,n) mess/ruin/(P)/", "太る [ふとる] /(v5r,vi) to grow fat/(P)/",
                  "確認 [かくにん] /(n,vs) confirmation/check/(P)/",
                  "提供 [ていきょう] /(n,vs) offer/provision/(P)/")
    ENGLISH = wordforms.EnglishPos(counts={"provide": {"verb": 311}})
    # headword, the hand choice as written, the meaning it gives (None: the run stops)
    CASES = [
        ("lock", ("鍵をかける", "かぎをかける"), "鍵をかける"),  # set forms stand as written
        ("feed", ("餌をやる", "えさをやる"), "餌をやる"),
        ("ruin", ("台無しにする", "だいなしにする"), "台無しにする"),
        ("fat", ("太った", "ふとった"), "太った"),  # a verb's past
        ("check", ("確認する", "かくにんする"), "確認する"),
        ("provide", ("提供", "ていきょう"), "提供する"),  # the headword's part of speech
        ("lock", ("錠をかける", "じょうをかける"), None),  # no such word in the dictionary
        ("feed", ("餌をやる", "えさおやる"), None),  # the reading does not match
    ]

    def test_hand_choices_are_dictionary_words_in_a_set_form(self):
        by_reading = dictionary.lines_by_reading(self.LINES)
        for word, (meaning, reading), expected in self.CASES:
            with self.subTest(word=word, meaning=meaning):
                if expected is None:
                    with self.assertRaises(SystemExit):
                        scoring.override_candidate(word, meaning, reading, by_reading, {},
                                                   self.ENGLISH)
                    continue
                got = scoring.override_candidate(word, meaning, reading, by_reading, {},
                                                 self.ENGLISH)
                self.assertEqual(got.meaning, expected)


class CapitalTest(unittest.TestCase):
    LINES = edict("月曜日 [げつようび] /(n-adv,n-t) Monday/(P)/", "三月 [さんがつ] /(n-adv) March/(P)/",
                  "行進 [こうしん] /(n,vs) march/parade/(P)/", "英語 [えいご] /(n) English (language)/(P)/",
                  "シャンパン /(n) Champagne/champagne/(P)/")
    # headword, its meaning, whether the list capitalises it, how the bank spells it
    CASES = [("monday", "月曜日", True, "Monday"), ("march", "三月", True, "March"),
             ("march", "行進", True, "march"), ("english", "英語", True, "English"),
             ("champagne", "シャンパン", False, "champagne")]

    def test_headwords_keep_the_capital_of_their_meaning(self):
        index = dictionary.gloss_index(self.LINES)
        signals = scoring.Signals(scoring.Usage(self.LINES), {}, {})
        tables = Tables(capital_ok={"monday", "march", "english"})
        for word, meaning, _, spelling in self.CASES:
            with self.subTest(word=word, meaning=meaning):
                found = scoring.candidates_for(word, index[word], signals)
                chosen = next(c for c in found if c.meaning == meaning)
                self.assertEqual(make_bank.spelled(word, chosen, index, tables), spelling)


class NumberTest(unittest.TestCase):
    CASES = [("one", ("一", "いち")), ("four", ("四", "よん")), ("seven", ("七", "なな")),
             ("nine", ("九", "きゅう")), ("ten", ("十", "じゅう")), ("fourteen", ("十四", "じゅうよん")),
             ("twenty", ("二十", "にじゅう")), ("ninety", ("九十", "きゅうじゅう")),
             ("hundred", ("百", "ひゃく")), ("million", ("百万", "ひゃくまん")), ("once", None)]

    def test_one_style_for_every_number(self):
        for word, expected in self.CASES:
            with self.subTest(word):
                self.assertEqual(numberwords.number_meaning(word), expected)


class BlindSampleTest(unittest.TestCase):
    ROWS = [[f"w{n}", f"m{n}", f"r{n}"] for n in range(1700)]
    # size, LEVELs drawn from (None: all), the rows the sample may hold
    CASES = [(200, None, 1700), (150, 30, 510), (20, 1, 17), (40, 1, 17)]

    def test_a_seed_draws_the_same_distinct_rows_of_its_levels(self):
        for size, levels, pool in self.CASES:
            with self.subTest(size=size, levels=levels):
                drawn = blind_sample.sample(self.ROWS, size, 7, levels)
                self.assertEqual(drawn, blind_sample.sample(self.ROWS, size, 7, levels))
                numbers = [row[0] for row in drawn]
                self.assertEqual(len(numbers), min(size, pool))
                self.assertEqual(numbers, sorted(set(numbers)))
                self.assertTrue(1 <= numbers[0] and numbers[-1] <= pool)
                self.assertEqual(drawn[0][1:], tuple(self.ROWS[numbers[0] - 1]))
        self.assertNotEqual(blind_sample.sample(self.ROWS, 200, 7),
                            blind_sample.sample(self.ROWS, 200, 8))


if __name__ == "__main__":
    unittest.main()
