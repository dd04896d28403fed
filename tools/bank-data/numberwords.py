"""Number words in one style: the kanji numeral read as one counts aloud
(seven: 七 なな, thirty: 三十 さんじゅう), never the native 〜つ series (六つ むっつ)."""

UNITS = ["one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
TEENS = ["eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen",
         "eighteen", "nineteen"]
TENS = ["twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"]
DIGITS = [("一", "いち"), ("二", "に"), ("三", "さん"), ("四", "よん"), ("五", "ご"),
          ("六", "ろく"), ("七", "なな"), ("八", "はち"), ("九", "きゅう")]
TEN = ("十", "じゅう")
LARGE = {"hundred": ("百", "ひゃく"), "thousand": ("千", "せん"),
         "million": ("百万", "ひゃくまん"), "billion": ("十億", "じゅうおく")}


def number_meaning(word):
    """(kanji, reading) of an English number word, or None for any other word."""
    if word in UNITS:
        return DIGITS[UNITS.index(word)]
    if word == "ten":
        return TEN
    if word in TEENS:
        kanji, kana = DIGITS[TEENS.index(word)]
        return TEN[0] + kanji, TEN[1] + kana
    if word in TENS:
        kanji, kana = DIGITS[TENS.index(word) + 1]
        return kanji + TEN[0], kana + TEN[1]
    return LARGE.get(word)
