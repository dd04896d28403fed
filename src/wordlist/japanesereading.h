#pragma once

#include <QString>
#include <QStringView>

#include <memory>

// The kana reading of Japanese text, in hiragana, from MeCab with the IPA
// dictionary in UTF-8 (Debian's mecab-ipadic-utf8). Loaded when first asked.
class JapaneseReading
{
public:
    // Where Debian puts the UTF-8 IPA dictionary.
    static QString defaultDictionary();

    JapaneseReading();
    ~JapaneseReading();
    JapaneseReading(const JapaneseReading &) = delete;
    JapaneseReading &operator=(const JapaneseReading &) = delete;

    // Opens MeCab on the dictionary folder; false, with the reason, when the
    // dictionary is missing or not UTF-8.
    bool load(const QString &dictionaryFolder, QString *errorText);
    bool isLoaded() const;

    // The reading of every word of `text` joined, in hiragana. A word the
    // dictionary does not know keeps its own letters (katakana turned into
    // hiragana; half-width kana as full-width). "" when nothing is loaded.
    QString reading(QStringView text) const;

    // Katakana (ァ to ヶ, ヴ as ゔ) as hiragana; everything else as it is.
    static QString toHiragana(QStringView text);

private:
    struct Tagger;
    std::unique_ptr<Tagger> m_tagger;
};
