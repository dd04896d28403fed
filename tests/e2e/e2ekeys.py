"""The keys a learner presses on a JIS keyboard to type a hiragana reading.

A stroke is a keysym for xdotool (Xvfb's US map puts it on the JIS key at the
same place, with "shift+" when shifted) or, for the two JIS keys that have no
US keysym, the X keycode as an int.
"""

import unicodedata

YEN = 132
RO = 97

# JIS kana layout: US keysym of the key -> (kana, kana with Shift).
_KANA_KEYS = {
    "1": ("ﾇ", None), "2": ("ﾌ", None), "3": ("ｱ", "ｧ"), "4": ("ｳ", "ｩ"), "5": ("ｴ", "ｪ"),
    "6": ("ｵ", "ｫ"), "7": ("ﾔ", "ｬ"), "8": ("ﾕ", "ｭ"), "9": ("ﾖ", "ｮ"), "0": ("ﾜ", "ｦ"),
    "minus": ("ﾎ", None), "equal": ("ﾍ", None),
    "q": ("ﾀ", None), "w": ("ﾃ", None), "e": ("ｲ", "ｨ"), "r": ("ｽ", None), "t": ("ｶ", None),
    "y": ("ﾝ", None), "u": ("ﾅ", None), "i": ("ﾆ", None), "o": ("ﾗ", None), "p": ("ｾ", None),
    "bracketleft": ("ﾞ", None), "bracketright": ("ﾟ", None),
    "a": ("ﾁ", None), "s": ("ﾄ", None), "d": ("ｼ", None), "f": ("ﾊ", None), "g": ("ｷ", None),
    "h": ("ｸ", None), "j": ("ﾏ", None), "k": ("ﾉ", None), "l": ("ﾘ", None),
    "semicolon": ("ﾚ", None), "apostrophe": ("ｹ", None), "backslash": ("ﾑ", None),
    "z": ("ﾂ", "ｯ"), "x": ("ｻ", None), "c": ("ｿ", None), "v": ("ﾋ", None), "b": ("ｺ", None),
    "n": ("ﾐ", None), "m": ("ﾓ", None), "comma": ("ﾈ", None), "period": ("ﾙ", None), "slash": ("ﾒ", None),
}

_STROKE_OF_KANA = {"ｰ": YEN, "ﾛ": RO}
for _keysym, (_plain, _shifted) in _KANA_KEYS.items():
    _STROKE_OF_KANA[_plain] = _keysym
    if _shifted:
        _STROKE_OF_KANA[_shifted] = "shift+" + _keysym

# Half-width katakana by the full-width form they stand for.
_HALF_WIDTH = {unicodedata.normalize("NFKC", chr(c)): chr(c) for c in range(0xFF66, 0xFF9E)}
_HALF_WIDTH["\u3099"] = "ﾞ"
_HALF_WIDTH["\u309a"] = "ﾟ"


def kana_strokes(reading):
    """Kana input: each kana on its key, a voicing mark on the ﾞ or ﾟ key after it."""
    strokes = []
    for ch in reading:
        katakana = chr(ord(ch) + 0x60) if "ぁ" <= ch <= "ゖ" else ch
        for part in unicodedata.normalize("NFD", katakana):
            strokes.append(_STROKE_OF_KANA[_HALF_WIDTH[part]])
    return strokes


# Romaji: one spelling per unit, and for some units alternatives that the
# judge accepts as well, chosen by `variant` so both kinds get typed.
_ROMAJI = {
    "あ": "a", "い": "i", "う": "u", "え": "e", "お": "o",
    "か": "ka", "き": "ki", "く": "ku", "け": "ke", "こ": "ko",
    "が": "ga", "ぎ": "gi", "ぐ": "gu", "げ": "ge", "ご": "go",
    "さ": "sa", "し": ("shi", "si"), "す": "su", "せ": "se", "そ": "so",
    "じ": ("ji", "zi"), "ず": "zu",
    "た": "ta", "ち": ("chi", "ti"), "つ": ("tsu", "tu"), "て": "te", "と": "to",
    "だ": "da", "で": "de", "ど": "do",
    "な": "na", "に": "ni", "ぬ": "nu", "ね": "ne", "の": "no",
    "は": "ha", "ひ": "hi", "ふ": ("fu", "hu"), "へ": "he", "ほ": "ho",
    "ば": "ba", "び": "bi", "べ": "be", "ぱ": "pa", "ぴ": "pi", "ぷ": "pu",
    "ま": "ma", "み": "mi", "む": "mu", "め": "me", "も": "mo",
    "や": "ya", "ゆ": "yu", "よ": "yo",
    "ら": "ra", "り": "ri", "る": "ru", "れ": "re", "ろ": "ro",
    "わ": "wa",
    "ぶ": "bu", "ざ": "za", "ぼ": "bo",
    "ぎゅ": "gyu", "きゃ": "kya", "じょ": ("jo", "zyo"), "ちょ": ("cho", "tyo"), "にゅ": "nyu", "しゃ": ("sha", "sya"), "しょ": ("sho", "syo"),
    "じゅ": ("ju", "zyu"), "ちゃ": ("cha", "tya"),
    "ー": "-",
    "ん": "nn",  # spelled by romaji_text from what follows
    "っ": "",
}

_KEYSYM_OF_CHAR = {"-": "minus", "'": "shift+7", " ": "space"}


def _units(reading):
    units, i = [], 0
    while i < len(reading):
        if reading[i:i + 2] in _ROMAJI:
            units.append(reading[i:i + 2])
            i += 2
        else:
            units.append(reading[i])
            i += 1
    return units


def _spell(unit, variant):
    spelling = _ROMAJI[unit]
    return spelling if isinstance(spelling, str) else spelling[variant % len(spelling)]


def romaji_text(reading, variant=0):
    units = _units(reading)
    text = ""
    for i, unit in enumerate(units):
        following = _spell(units[i + 1], variant) if i + 1 < len(units) else ""
        if unit == "っ":
            text += following[0]
        elif unit == "ん":
            # A lone n is ん only before a consonant other than n and y.
            text += "n" if following and following[0] not in "aiueony" else "nn"
        else:
            text += _spell(unit, variant)
    return text


def text_strokes(text):
    """The keys of romaji written out, as a learner types it."""
    return [_KEYSYM_OF_CHAR.get(ch, ch) for ch in text]


def romaji_strokes(reading, variant=0):
    return text_strokes(romaji_text(reading, variant))
