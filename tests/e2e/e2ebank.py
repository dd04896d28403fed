"""The standard bank of the end-to-end run: 2 LEVELs of 17 questions.

A test asks 10 of a LEVEL's 17 questions, so a feature found in 8 readings
of a LEVEL is typed in every test of it. LEVEL 1 (the romaji test) has 8 or
more readings with each of ん, っ, a two-kana unit, ー and a voiced kana;
LEVEL 2 (the kana test) 8 or more with ろ and with ー, which kana input types
on the JIS ro and yen keys. Prompts, meanings and readings are each unique,
and no reading's keys start another's, so typing one candidate completes
only that one.
"""

import e2ekeys

ENTRIES = [
    # LEVEL 1
    ("newspaper", "新聞", "しんぶん"),
    ("school", "学校", "がっこう"),
    ("train", "電車", "でんしゃ"),
    ("soccer", "サッカー", "さっかー"),
    ("milk", "牛乳", "ぎゅうにゅう"),
    ("cookie", "クッキー", "くっきー"),
    ("juice", "ジュース", "じゅーす"),
    ("jockey", "ジョッキー", "じょっきー"),
    ("shutter", "シャッター", "しゃったー"),
    ("catcher", "キャッチャー", "きゃっちゃー"),
    ("hanger", "ハンガー", "はんがー"),
    ("center", "センター", "せんたー"),
    ("camp", "キャンプ", "きゃんぷ"),
    ("photo", "写真", "しゃしん"),
    ("kitchen", "キッチン", "きっちん"),
    ("beef bowl", "牛丼", "ぎゅうどん"),
    ("bed", "ベッド", "べっど"),
    # LEVEL 2
    ("black", "黒", "くろ"),
    ("road", "道路", "どうろ"),
    ("six", "六", "ろく"),
    ("stove", "コンロ", "こんろ"),
    ("hallway", "廊下", "ろうか"),
    ("rope", "ロープ", "ろーぷ"),
    ("robot", "ロボット", "ろぼっと"),
    ("roller", "ローラー", "ろーらー"),
    ("cake", "ケーキ", "けーき"),
    ("soup", "スープ", "すーぷ"),
    ("game", "ゲーム", "げーむ"),
    ("ball", "ボール", "ぼーる"),
    ("tape", "テープ", "てーぷ"),
    ("seat", "シート", "しーと"),
    ("chocolate", "チョコレート", "ちょこれーと"),
    ("team", "チーム", "ちーむ"),
    ("menu", "メニュー", "めにゅー"),
]

# A learner's own bank of one LEVEL: loanwords read with ゔ, and words typed in
# the spellings a Japanese input method teaches, each with the romaji typed.
USER_BANK_NAME = "loanwords"
USER_BANK = [
    ("violin", "ヴァイオリン", "ゔぁいおりん", "vaiorinn"),
    ("venus", "ヴィーナス", "ゔぃーなす", "vyi-nasu"),
    ("vest", "ヴェスト", "ゔぇすと", "vyesuto"),
    ("vocal", "ヴォーカル", "ゔぉーかる", "vo-karu"),
    ("love", "ラヴ", "らゔ", "ravu"),
    ("fan", "ファン", "ふぁん", "hwann"),
    ("fork", "フォーク", "ふぉーく", "hwo-ku"),
    ("fence", "フェンス", "ふぇんす", "hwen'su"),
    ("field", "フィールド", "ふぃーるど", "hwi-rudo"),
    ("party", "パーティー", "ぱーてぃー", "pa-t'i-"),
    ("disco", "ディスコ", "でぃすこ", "d'isuko"),
    ("duet", "デュエット", "でゅえっと", "d'yuextsuto"),
    ("tool", "トゥール", "とぅーる", "t'u-ru"),
    ("quiz", "クイズ", "くぃず", "kwizu"),
    ("quest", "クエスト", "くぇすと", "kwesuto"),
    ("quota", "クオータ", "くぉーた", "kwo-ta"),
    ("no smoking", "禁煙", "きんえん", "kin'enn"),
    ("cut", "カット", "かっと", "kaltsuto"),
]
_USER_KEYS = {prompt: keys for prompt, _, _, keys in USER_BANK}
assert len(_USER_KEYS) == len(USER_BANK) == 18


def user_keys_of_prompt(prompt):
    return _USER_KEYS[prompt]


_BY_PROMPT = {prompt: (meaning, reading) for prompt, meaning, reading in ENTRIES}
_BY_MEANING = {meaning: reading for _, meaning, reading in ENTRIES}
assert len(_BY_PROMPT) == len(_BY_MEANING) == len(ENTRIES) == 34


def reading_of_prompt(prompt):
    return _BY_PROMPT[prompt][1]


def meaning_of_prompt(prompt):
    return _BY_PROMPT[prompt][0]


def reading_of_meaning(meaning):
    return _BY_MEANING[meaning]


def _check_prefix_free():
    for method in (e2ekeys.romaji_strokes, e2ekeys.kana_strokes):
        typed = [method(reading) for _, _, reading in ENTRIES]
        for a in typed:
            for b in typed:
                assert a is b or a != b[:len(a)], "%s starts %s" % (a, b)


_check_prefix_free()
