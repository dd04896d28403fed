// Any text read for its words, with a dictionary that knows every word of
// plain letters. Each word found is one the learner does not know, counted at
// least once, with a sentence of the text no longer than an excerpt.
#include "fuzzsupport.h"
#include "wordimport/importtext.h"
#include "wordimport/textwords.h"

namespace
{
    class EveryWord : public EnglishLexicon
    {
    public:
        bool isSpeltRight(const QString &word) const override { return !word.startsWith(u'z'); }
        bool isWord(const QString &word) const override { return word.size() % 3 != 0; }
        QList<Inflection> inflections(const QString &word) const override
        {
            if (word.size() > 4 && word.endsWith(u's'))
                return {{word.chopped(1), Inflection::Kind::Plural}, {word.left(2), Inflection::Kind::Verbal}};
            return {};
        }
        int rank(const QString &word) const override { return int(word.size()); }
    };
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ImportText::Decoded decoded = ImportText::decode(FuzzSupport::bytes(data, size));
    if (!decoded.ok())
        return 0;
    const QSet<QString> known {QStringLiteral("the"), QStringLiteral("cat"), QStringLiteral("run")};
    const QList<TextWord> words = TextWords::find(decoded.text, EveryWord(), known);
    QSet<QString> seen;
    for (const TextWord &word : words)
    {
        FuzzSupport::check(!word.english.isEmpty() && !seen.contains(word.english), "an empty or repeated word");
        seen.insert(word.english);
        FuzzSupport::check(!known.contains(word.english.toLower()), "a known word offered");
        FuzzSupport::check(word.count >= word.forms.size() && !word.forms.isEmpty(), "a word counted less than its forms");
        FuzzSupport::check(!word.sentence.isEmpty() && word.sentence.size() <= decoded.text.size() + 2
                               && word.sentence.size() <= TextWords::MaxSentenceLength * 2,
                           "a sentence that is not an excerpt");
    }
    for (qsizetype i = 1; i < words.size(); ++i)
        FuzzSupport::check(words[i - 1].count >= words[i].count, "words out of order");
    return 0;
}
