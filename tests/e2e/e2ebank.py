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


# A bank of two LEVELs for the 英訳 direction, whose answers keep their capitals:
# the learner types each capital with Shift.
CAPITALS = [
    ("January", "一月", "いちがつ"), ("February", "二月", "にがつ"), ("March", "三月", "さんがつ"),
    ("April", "四月", "しがつ"), ("May", "五月", "ごがつ"), ("June", "六月", "ろくがつ"),
    ("July", "七月", "しちがつ"), ("August", "八月", "はちがつ"), ("September", "九月", "くがつ"),
    ("October", "十月", "じゅうがつ"), ("November", "十一月", "じゅういちがつ"),
    ("December", "十二月", "じゅうにがつ"), ("Monday", "月曜日", "げつようび"),
    ("Tuesday", "火曜日", "かようび"), ("Wednesday", "水曜日", "すいようび"),
    ("Thursday", "木曜日", "もくようび"), ("Friday", "金曜日", "きんようび"),
    ("Saturday", "土曜日", "どようび"), ("Sunday", "日曜日", "にちようび"),
    ("English", "英語", "えいご"), ("Japanese", "日本語", "にほんご"), ("French", "フランス語", "ふらんすご"),
    ("Chinese", "中国語", "ちゅうごくご"), ("German", "ドイツ語", "どいつご"), ("Spanish", "スペイン語", "すぺいんご"),
    ("Christmas", "クリスマス", "くりすます"), ("American", "アメリカ人", "あめりかじん"),
    ("Italian", "イタリア語", "いたりあご"), ("Korean", "韓国語", "かんこくご"), ("Russian", "ロシア語", "ろしあご"),
    ("Easter", "復活祭", "ふっかつさい"), ("Halloween", "ハロウィーン", "はろうぃーん"),
    ("Canada", "カナダ", "かなだ"), ("Europe", "ヨーロッパ", "よーろっぱ"),
]
_ENGLISH_OF_MEANING = {meaning: english for english, meaning, _ in CAPITALS}
assert len(_ENGLISH_OF_MEANING) == len(CAPITALS) == 34


def english_of_meaning(meaning):
    return _ENGLISH_OF_MEANING[meaning]


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
