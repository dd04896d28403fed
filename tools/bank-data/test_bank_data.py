#!/usr/bin/python3
"""Checks the committed standard bank against what the program can show and type,
and against the everyday meanings of the most basic words."""

import re
import unittest
from pathlib import Path

BANK = Path(__file__).resolve().parent.parent.parent / "data" / "standard-bank.tsv"
REVIEW = BANK.with_name("standard-bank-review.tsv")
HEADWORD = re.compile(r"^[A-Z]?[a-z]+([- ][a-z]+)?$")
# The judge's kana units, the long-vowel mark and the four marks that both keyboards type and
# code page 932 holds; the judge also takes ゔ, ゐ and ゑ, but the container's code page has
# no ゔ and the kana keyboard no key for ゐ or ゑ.
TYPEABLE = set(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉゃゅょっヴー、。「」・")


def read_rows():
    text = BANK.read_text(encoding="utf-8")
    return [line.split("\t") for line in text.splitlines() if not line.startswith("#")]


class StandardBankTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rows = read_rows()

    def test_has_100_levels_of_17_questions_with_three_fields(self):
        self.assertEqual(len(self.rows), 1700)
        bad = [row for row in self.rows if len(row) != 3 or not all(row)]
        self.assertEqual(bad, [])

    def test_headwords_are_plain_words(self):
        bad = [row[0] for row in self.rows if not HEADWORD.match(row[0]) or len(row[0]) < 2]
        self.assertEqual(bad, [])

    def test_readings_use_only_typeable_kana(self):
        bad = [row for row in self.rows if not set(row[2]) <= TYPEABLE]
        self.assertEqual(bad, [])

    def test_meanings_fit_code_page_932(self):
        bad = []
        for row in self.rows:
            try:
                row[1].encode("cp932")
            except UnicodeEncodeError:
                bad.append(row)
        self.assertEqual(bad, [])

    def test_no_two_questions_share_a_headword_or_meaning(self):
        # Wrong answers are drawn from the whole bank: a shared headword or meaning
        # would show two candidates that look alike.  Readings may repeat (花, 鼻):
        # the judge completes the correct candidate first.
        for column in range(2):
            values = [row[column] for row in self.rows]
            repeated = sorted({v for v in values if values.count(v) > 1})
            self.assertEqual(repeated, [], f"column {column + 1}")

    def test_review_file_lists_every_shared_reading(self):
        review = {}
        for line in REVIEW.read_text(encoding="utf-8").splitlines():
            if not line.startswith("#"):
                fields = line.split("\t")
                review[int(fields[0])] = fields
        readings = [row[2] for row in self.rows]
        shared = [n + 1 for n, r in enumerate(readings) if readings.count(r) > 1]
        self.assertEqual([n for n in shared if "same reading" not in review.get(n, [""] * 5)[4]], [])
        for n, fields in review.items():
            self.assertEqual(fields[1:4], self.rows[n - 1], f"review row {n}")

    def test_core_words_have_their_everyday_meaning(self):
        expected = {
            "good": "良い", "bad": "悪い", "what": "何", "where": "どこ", "when": "いつ",
            "why": "なぜ", "how": "どう", "yes": "はい", "thank": "ありがとう",
            "hello": "こんにちは", "friend": "友達", "water": "水", "flower": "花",
            "card": "カード", "glasses": "めがね", "look": "見る", "give": "あげる",
            "get": "もらう", "great": "すごい", "again": "また", "wear": "着る",
            "Monday": "月曜日", "Sunday": "日曜日", "egg": "卵", "nose": "鼻",
        }
        meanings = {row[0]: row[1] for row in self.rows}
        self.assertEqual({w: meanings.get(w) for w in expected}, expected)
        first_levels = {row[0] for row in self.rows[:30 * 17]}
        self.assertNotIn("hell", first_levels)
        self.assertEqual(sorted({"good", "bad", "what", "where", "why", "how", "yes", "thank",
                                 "hello", "friend", "water", "flower"} - first_levels), [])


    def test_calendar_words_are_there_with_their_capitals(self):
        headwords = {row[0] for row in self.rows}
        calendar = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
                    "January", "February", "March", "April", "May", "June", "July", "August",
                    "September", "October", "November", "December"]
        self.assertEqual([w for w in calendar if w not in headwords], [])
        self.assertEqual(sorted(headwords & {w.lower() for w in calendar}), [])

    def test_reasons_that_name_another_row_still_hold(self):
        # "behind took 後ろ" and "後ろ went to behind" in the comments of overrides.tsv and the
        # reasons of reviewed.tsv must match the table, or the reason has gone stale.
        meanings = {row[0].lower(): row[1] for row in self.rows}
        stale = []
        for name in ("overrides.tsv", "reviewed.tsv"):
            for line in (BANK.parent.parent / "tools" / "bank-data" / name).read_text(
                    encoding="utf-8").splitlines():
                if line.startswith("#"):
                    continue
                claims = re.findall(r"([A-Za-z]+) took ([^\s,;]+)", line)
                claims += [(w, m) for m, w in re.findall(r"([^\s,;]+) went to ([A-Za-z]+)", line)]
                stale += [f"{line.split()[0]}: {w} {m}" for w, m in claims
                          if meanings.get(w.lower()) != m]
        self.assertEqual(stale, [])

    def test_every_flagged_row_has_a_reason(self):
        rows = [line.split("\t") for line in REVIEW.read_text(encoding="utf-8").splitlines()
                if not line.startswith("#")]
        self.assertEqual([r[1] for r in rows if len(r) < 6 or not r[5].strip()], [])


if __name__ == "__main__":
    unittest.main()
