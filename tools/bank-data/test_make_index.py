#!/usr/bin/python3
"""Checks the index of the word-list editor on a small hand-made EDICT."""

import tempfile
import unittest
from pathlib import Path

import dictionary
import make_index
from wordforms import EnglishPos

LINES = [dictionary.parse_edict_line(t) for t in (
    "走る [はしる] /(v5r-i,vi) (1) to run/(2) to travel/(P)/",
    "営む [いとなむ] /(v5m,vt) to run (a business)/to manage/",
    "林檎 [りんご] /(n) (uk) apple/(P)/",
    "水 [みず] /(n) water/(P)/",
    "卑語 [ひご] /(n) (vulg) badword/",
    "アイスクリーム /(n) ice cream/(P)/",
    "月曜日 [げつようび] /(n-adv,n-t) Monday/(P)/",
    "糞 [くそ] /(n) (vulg) dung/",
    "ぽかぽか /(adv) warmly/",
    "Ｌサイズ [える・さいず] /(n) L size/(P)/",
    "Ｌサイズ [えるさいず] /(n) L size/(P)/",
)]


class IndexTest(unittest.TestCase):
    def build(self, bank=None, blocked=()):
        return make_index.build(LINES, {}, EnglishPos(), bank or {}, {}, set(blocked))

    def test_meanings_best_first(self):
        words = self.build()
        # A stretch of the dictionary is left out beside a plain translation...
        self.assertEqual(words["run"], [("走る", "はしる")])
        # ...but offered when there is nothing better.
        self.assertEqual(words["warmly"], [("ぽかぽか", "ぽかぽか")])
        # A reading the kana keyboard cannot type is no choice.
        self.assertEqual(words["l size"], [("Ｌサイズ", "えるさいず")])
        self.assertEqual(words["apple"], [("りんご", "りんご")])  # usually kana
        self.assertEqual(words["ice cream"], [("アイスクリーム", "あいすくりーむ")])
        self.assertEqual(words["monday"], [("月曜日", "げつようび")])

    def test_words_without_a_usable_meaning_are_left_out(self):
        words = self.build(blocked={"water"})
        self.assertNotIn("water", words)     # the blocklist
        self.assertNotIn("badword", words)   # only a vulgar sense
        self.assertNotIn("dung", words)

    def test_the_bank_choice_comes_first_once(self):
        words = self.build({"run": ("営む", "いとなむ"), "tea": ("お茶", "おちゃ")})
        self.assertEqual(words["run"][:2], [("営む", "いとなむ"), ("走る", "はしる")])
        self.assertEqual(words["run"].count(("営む", "いとなむ")), 1)
        self.assertEqual(words["tea"], [("お茶", "おちゃ")])  # in the bank, not glossed

    def test_written_in_byte_order_with_its_header(self):
        words = {"zoo": [("動物園", "どうぶつえん")], "ice cream": [("氷菓", "ひょうか")],
                 "ice": [("氷", "こおり"), ("アイス", "あいす")]}
        with tempfile.TemporaryDirectory() as folder:
            out = Path(folder) / "dict" / "en-ja.tsv"
            make_index.write_index(words, out, "test")
            text = out.read_bytes().decode("utf-8")
        self.assertEqual(text, "# vocamira en-ja index 1; test\n"
                               "ice\t氷\tこおり\tアイス\tあいす\n"
                               "ice cream\t氷菓\tひょうか\n"
                               "zoo\t動物園\tどうぶつえん\n")

    def test_read_bank(self):
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "bank.tsv"
            path.write_text("# english\tmeaning\treading\nMonday\t月曜日\tげつようび\nrun\t走る\tはしる\n",
                            encoding="utf-8")
            choices, ranks = make_index.read_bank(path)
        self.assertEqual(choices, {"monday": ("月曜日", "げつようび"), "run": ("走る", "はしる")})
        self.assertEqual(ranks, {"monday": 0, "run": 1})


if __name__ == "__main__":
    unittest.main()
