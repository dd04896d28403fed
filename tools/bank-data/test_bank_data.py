#!/usr/bin/python3
"""Checks the committed standard bank against what the program can show and type."""

import re
import unittest
from pathlib import Path

BANK = Path(__file__).resolve().parent.parent.parent / "data" / "standard-bank.tsv"
HEADWORD = re.compile(r"^[a-z]+([- ][a-z]+)?$")
# The judge's kana units, the long-vowel mark and the four marks; nothing else is typeable.
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

    def test_headwords_are_plain_lower_case_words(self):
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

    def test_no_two_questions_share_a_field(self):
        # Wrong answers are drawn from the whole bank, so a shared field means
        # two candidates that look or type alike.
        for column in range(3):
            values = [row[column] for row in self.rows]
            repeated = sorted({v for v in values if values.count(v) > 1})
            self.assertEqual(repeated, [], f"column {column + 1}")


if __name__ == "__main__":
    unittest.main()
