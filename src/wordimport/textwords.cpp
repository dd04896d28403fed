#include "textwords.h"

#include <QHash>

#include "englishforms.h"

namespace
{
    // How much rarer than a past, -ing or comparative form its base may be
    // and still be the word offered.
    constexpr int FormRankRatio = 4;

    struct Sentence
    {
        QString text;
        // A heading in title case or a line in capitals: its capitals say
        // nothing about names.
        bool heading = false;
    };

    // Words that end with a full stop without ending a sentence.
    bool isAbbreviation(QStringView word)
    {
        static const QSet<QString> words = [] {
            const QStringList list =
                QStringLiteral("mr mrs ms dr st jr sr prof vs etc eg ie no nos fig inc ltd co corp mt gen col lt sgt "
                               "rev hon jan feb mar apr jun jul aug sep sept oct nov dec approx dept est govt")
                    .split(u' ');
            return QSet<QString>(list.cbegin(), list.cend());
        }();
        return (word.size() == 1 && word[0].isUpper()) || words.contains(word.toString().toLower());
    }

    bool endsWithStop(QStringView line)
    {
        while (!line.isEmpty() && QStringView(u"\"'”’)]").contains(line.back()))
            line.chop(1);
        return !line.isEmpty() && QStringView(u".!?:;,").contains(line.back());
    }

    bool startsWithCapital(QStringView line)
    {
        for (QChar c : line)
        {
            if (c.isLetter())
                return c.isUpper();
        }
        return false;
    }

    QStringList lettersWords(QStringView line)
    {
        QStringList words;
        for (QStringView part : line.split(u' ', Qt::SkipEmptyParts))
            words.append(part.toString());
        return words;
    }

    // Title case: every word of four letters or more starts with a capital.
    bool isTitle(QStringView line)
    {
        bool significant = false;
        for (const QString &word : lettersWords(line))
        {
            if (word.size() < 4 || !word[0].isLetter())
                continue;
            significant = true;
            if (!word[0].isUpper())
                return false;
        }
        return significant;
    }

    void splitProse(const QString &paragraph, QList<Sentence> &out)
    {
        const qsizetype size = paragraph.size();
        qsizetype start = 0;
        for (qsizetype i = 0; i < size; ++i)
        {
            const QChar c = paragraph[i];
            if (c != u'.' && c != u'!' && c != u'?')
                continue;
            qsizetype end = i + 1;
            while (end < size && QStringView(u".!?").contains(paragraph[end]))
                ++end;
            while (end < size && QStringView(u"\"'”’)]").contains(paragraph[end]))
                ++end;
            if (end < size && !paragraph[end].isSpace())
                continue; // 3.5, U.S.
            if (c == u'.' && end == i + 1)
            {
                qsizetype word = i;
                while (word > start && paragraph[word - 1].isLetter())
                    --word;
                if (word < i && isAbbreviation(QStringView(paragraph).sliced(word, i - word)))
                    continue;
            }
            qsizetype next = end;
            while (next < size && paragraph[next].isSpace())
                ++next;
            if (next < size && paragraph[next].isLower())
                continue;
            const QString sentence = paragraph.mid(start, end - start).trimmed();
            if (!sentence.isEmpty())
                out.append({sentence, false});
            start = end;
            i = end - 1;
        }
        const QString rest = paragraph.mid(start).trimmed();
        if (!rest.isEmpty())
            out.append({rest, false});
    }

    QList<Sentence> splitSentences(const QString &text)
    {
        QString normalized = text;
        normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        const QStringList lines = normalized.split(u'\n');
        QList<Sentence> sentences;
        QString paragraph;
        const auto flush = [&] {
            splitProse(paragraph, sentences);
            paragraph.clear();
        };
        for (qsizetype i = 0; i < lines.size(); ++i)
        {
            const QString line = lines[i].simplified();
            if (line.isEmpty())
            {
                flush();
                continue;
            }
            // A short line without a stop, before a blank line or a capital,
            // is a heading or a line of its own.
            const QString next = i + 1 < lines.size() ? lines[i + 1].simplified() : QString();
            if (!endsWithStop(line) && line.count(u' ') < 10 && (next.isEmpty() || startsWithCapital(next)))
            {
                flush();
                sentences.append({line, isTitle(line)});
                continue;
            }
            if (!paragraph.isEmpty())
                paragraph += u' ';
            paragraph += line;
        }
        flush();
        return sentences;
    }

    struct Token
    {
        QString text;
        qsizetype position = 0;
        // Where a capital is the sentence's own: its first word, or the first
        // after an opening quote or bracket.
        bool initial = false;
    };

    bool isJoiner(QChar c)
    {
        return c == u'\'' || c == u'’' || c == u'-' || c == u'‐';
    }

    QList<Token> tokens(const QString &sentence)
    {
        QList<Token> found;
        const qsizetype size = sentence.size();
        qsizetype i = 0;
        while (i < size)
        {
            if (!sentence[i].isLetterOrNumber())
            {
                ++i;
                continue;
            }
            const qsizetype start = i;
            while (i < size
                   && (sentence[i].isLetterOrNumber() || (isJoiner(sentence[i]) && i + 1 < size && sentence[i + 1].isLetterOrNumber())))
                ++i;
            qsizetype before = start - 1;
            while (before >= 0 && sentence[before].isSpace())
                --before;
            const bool initial = found.isEmpty() || (before >= 0 && QStringView(u"\"“‘'([:—–").contains(sentence[before]));
            found.append({sentence.mid(start, i - start), start, initial});
        }
        return found;
    }

    // The word without what a contraction or a possessive adds: don't → do,
    // won't → will, teacher's → teacher, they're → they.
    QString withoutClitic(QString token)
    {
        token.replace(u'’', u'\'');
        const QString lower = token.toLower();
        if (lower.endsWith(QLatin1String("n't")))
        {
            const QString base = lower.chopped(3);
            if (base == u"wo")
                return QStringLiteral("will");
            if (base == u"ca")
                return QStringLiteral("can");
            if (base == u"sha")
                return QStringLiteral("shall");
            return token.chopped(3);
        }
        for (const char *clitic : {"'s", "'re", "'ve", "'ll", "'d", "'m"})
        {
            if (lower.endsWith(QLatin1String(clitic)))
                return token.chopped(qsizetype(qstrlen(clitic)));
        }
        return token;
    }

    enum class Case
    {
        Lower,
        Capital, // London, I
        Upper,   // NASA
        Mixed,   // iPhone, McDonald
    };

    Case caseOf(QStringView word)
    {
        qsizetype upper = 0;
        qsizetype letters = 0;
        for (QChar c : word)
        {
            letters += c.isLetter() ? 1 : 0;
            upper += c.isUpper() ? 1 : 0;
        }
        if (upper == 0)
            return Case::Lower;
        if (upper == letters && letters > 1)
            return Case::Upper;
        if (upper == 1 && word[0].isUpper())
            return Case::Capital;
        return Case::Mixed;
    }

    // How a word (in lower case) appeared in the text.
    struct Seen
    {
        int lower = 0;
        int ambiguous = 0; // a capital the sentence gives it
        int capitalInside = 0;
        int upper = 0;
        int mixed = 0;
        int firstCommon = -1; // sentence of the first occurrence as a word
        int firstCapital = -1;
        qsizetype positionCommon = 0;
        qsizetype positionCapital = 0;
    };

    bool isPlainWord(const QString &word)
    {
        return word.size() >= 2
               && std::all_of(word.cbegin(), word.cend(), [](QChar c) { return (c >= u'a' && c <= u'z') || c == u'\'' || c == u'-'; })
               && word[0].isLetter() && word.back().isLetter();
    }

    class Finder
    {
    public:
        Finder(const EnglishLexicon &lexicon, const QSet<QString> &known)
            : m_lexicon(lexicon)
            , m_known(known)
        {
        }

        QList<TextWord> find(const QString &text)
        {
            m_sentences = splitSentences(text);
            for (qsizetype s = 0; s < m_sentences.size(); ++s)
                read(int(s));
            return words();
        }

    private:
        void read(int sentence)
        {
            const Sentence &current = m_sentences[sentence];
            QList<Token> found = tokens(current.text);
            // A sentence in capitals is a heading too.
            const qsizetype capitals = std::count_if(found.cbegin(), found.cend(),
                                                     [](const Token &t) { return caseOf(t.text) == Case::Upper; });
            const bool heading = current.heading || (found.size() >= 3 && capitals * 10 >= found.size() * 6);
            for (const Token &token : std::as_const(found))
            {
                const QString word = withoutClitic(token.text);
                if (word.contains(u'-') || word.contains(u'‐'))
                    readCompound(word, token, sentence, heading);
                else
                    note(word, token.position, token.initial, sentence, heading);
            }
        }

        // A compound the dictionaries know is one word; else its parts are.
        void readCompound(const QString &word, const Token &token, int sentence, bool heading)
        {
            QString whole = word.toLower();
            whole.replace(u'‐', u'-');
            if (isPlainWord(whole) && m_lexicon.isWord(whole))
            {
                note(word, token.position, token.initial, sentence, heading);
                return;
            }
            qsizetype offset = 0;
            bool first = true;
            for (const QString &part : QString(word).replace(u'‐', u'-').split(u'-'))
            {
                if (!part.isEmpty())
                    note(part, token.position + offset, token.initial && first, sentence, heading);
                offset += part.size() + 1;
                first = false;
            }
        }

        void note(const QString &word, qsizetype position, bool initial, int sentence, bool heading)
        {
            const QString key = word.toLower();
            Seen &seen = m_seen[key];
            if (!m_order.contains(key))
                m_order.insert(key, int(m_order.size()));
            bool common = false;
            switch (caseOf(word))
            {
            case Case::Lower:
                ++seen.lower;
                common = true;
                break;
            case Case::Capital:
            case Case::Upper:
                if (heading || (initial && caseOf(word) == Case::Capital))
                {
                    ++seen.ambiguous;
                    common = true;
                }
                else if (caseOf(word) == Case::Upper)
                    ++seen.upper;
                else
                    ++seen.capitalInside;
                break;
            case Case::Mixed:
                ++seen.mixed;
                break;
            }
            if (common && seen.firstCommon < 0)
            {
                seen.firstCommon = sentence;
                seen.positionCommon = position;
            }
            if (!common && seen.firstCapital < 0)
            {
                seen.firstCapital = sentence;
                seen.positionCapital = position;
            }
        }

        bool isProperName(const QString &key) const
        {
            QString capital = key;
            capital[0] = capital[0].toUpper();
            return !m_lexicon.isSpeltRight(key) && m_lexicon.isSpeltRight(capital);
        }

        // The form a learner studies: the singular of a plural, the verb of a
        // past or -ing form unless its verb is far rarer (or the only
        // one the dictionaries know), the adjective of a comparative.
        QString dictionaryForm(const QString &key) const
        {
            const bool isWord = m_lexicon.isWord(key);
            if (EnglishForms::isOwnWord(key))
                return isWord ? key : QString();
            const QString irregular = EnglishForms::irregularBase(key);
            if (!irregular.isEmpty() && m_lexicon.isWord(irregular))
                return irregular;

            const EnglishForms::Bases rules = EnglishForms::bases(key);
            QStringList plural;
            QStringList others;
            for (const EnglishLexicon::Inflection &inflection : m_lexicon.inflections(key))
            {
                if (inflection.kind == EnglishLexicon::Inflection::Kind::Plural)
                    plural << inflection.base;
                else if (inflection.kind == EnglishLexicon::Inflection::Kind::Verbal || isComparative(key))
                    others << inflection.base;
            }
            // Hunspell's word for a plural stands; a guess of the rules only
            // where the plural is no word, or a rarer one.
            const int rank = m_lexicon.rank(key);
            for (const QString &base : std::as_const(plural))
            {
                if (base != key && m_lexicon.isWord(base))
                    return base;
            }
            for (const QString &base : rules.plural)
            {
                if (base != key && m_lexicon.isWord(base) && (!isWord || m_lexicon.rank(base) < rank))
                    return base;
            }
            others << rules.verbal;
            if (isComparative(key))
                others << rules.comparative;
            QString best;
            // A form that is a word of its own (tired, interested) stays
            // only where its verb is far rarer: "discovered" is "discover".
            const int limit = isWord ? std::min(rank, std::numeric_limits<int>::max() / FormRankRatio) * FormRankRatio
                                     : std::numeric_limits<int>::max();
            int bestRank = limit;
            for (const QString &base : std::as_const(others))
            {
                const int baseRank = m_lexicon.rank(base);
                if (base != key && baseRank < bestRank && m_lexicon.isWord(base))
                {
                    best = base;
                    bestRank = baseRank;
                }
            }
            if (!best.isEmpty())
                return best;
            return isWord ? key : QString();
        }

        // An -er or -est word is a comparative only where the adjective has a
        // superlative: larger (largest), not driver or teacher.
        bool isComparative(const QString &key) const
        {
            if (key.endsWith(QLatin1String("est")))
                return true;
            return key.endsWith(QLatin1String("er")) && m_lexicon.isSpeltRight(key.chopped(2) + QStringLiteral("est"));
        }

        QList<TextWord> words() const
        {
            QHash<QString, qsizetype> byForm;
            QList<TextWord> found;
            QList<int> firstSentence;
            // In the order met, so that the first sentence of a form is its first.
            QList<QString> keys(m_order.size());
            for (auto it = m_order.cbegin(); it != m_order.cend(); ++it)
                keys[it.value()] = it.key();
            for (const QString &key : std::as_const(keys))
            {
                const Seen &seen = m_seen[key];
                auto [english, form, count, sentence, position] = decide(key, seen);
                if (english.isEmpty() || m_known.contains(form) || m_known.contains(key))
                    continue;
                const auto existing = byForm.constFind(english);
                if (existing != byForm.cend())
                {
                    TextWord &word = found[*existing];
                    word.count += count;
                    word.forms.append(key);
                    if (sentence < firstSentence[*existing])
                    {
                        firstSentence[*existing] = sentence;
                        word.sentence = excerpt(sentence, position);
                    }
                    continue;
                }
                byForm.insert(english, found.size());
                firstSentence.append(sentence);
                found.append({english, {key}, count, m_lexicon.rank(form), excerpt(sentence, position)});
            }
            QList<qsizetype> order(found.size());
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
                if (found[a].count != found[b].count)
                    return found[a].count > found[b].count;
                if (found[a].rank != found[b].rank)
                    return found[a].rank > found[b].rank;
                return firstSentence[a] < firstSentence[b];
            });
            QList<TextWord> sorted;
            sorted.reserve(found.size());
            for (qsizetype i : order)
                sorted.append(found[i]);
            return sorted;
        }

        struct Decision
        {
            QString english; // "" when the word is left out
            QString form;
            int count = 0;
            int sentence = 0;
            qsizetype position = 0;
        };

        Decision decide(const QString &key, const Seen &seen) const
        {
            if (!isPlainWord(key))
                return {}; // numbers, letters the keyboard cannot type
            // Monday, May: a capital inside a sentence makes the month, not the modal.
            const QString capital = EnglishForms::capitalisedWord(key);
            if (!capital.isEmpty() && seen.capitalInside > 0 && m_lexicon.isWord(key))
                return {capital, key, seen.capitalInside, seen.firstCapital, seen.positionCapital};
            const int count = seen.lower + seen.ambiguous;
            // Names: capitals inside sentences and never in lower case, or a
            // word the spelling dictionary only knows with a capital.
            if (count == 0 || (seen.lower == 0 && (seen.capitalInside > 0 || seen.upper > 0 || seen.mixed > 0)))
                return {};
            if (seen.lower == 0 && isProperName(key))
                return {};
            if (EnglishForms::isGrammarWord(key) || EnglishForms::isNumberWord(key) || !m_lexicon.isSpeltRight(key))
                return {};
            const QString form = dictionaryForm(key);
            if (form.isEmpty())
                return {};
            const QString written = EnglishForms::capitalisedWord(form);
            return {written.isEmpty() ? form : written, form, count, seen.firstCommon, seen.positionCommon};
        }

        QString excerpt(int sentence, qsizetype position) const
        {
            const QString &text = m_sentences[sentence].text;
            if (text.size() <= TextWords::MaxSentenceLength)
                return text;
            qsizetype start = std::max<qsizetype>(0, position - TextWords::MaxSentenceLength / 3);
            while (start > 0 && !text[start - 1].isSpace())
                --start;
            qsizetype end = std::min(text.size(), start + TextWords::MaxSentenceLength);
            while (end < text.size() && !text[end].isSpace())
                ++end;
            return (start > 0 ? QStringLiteral("…") : QString()) + text.mid(start, end - start).trimmed()
                   + (end < text.size() ? QStringLiteral("…") : QString());
        }

        const EnglishLexicon &m_lexicon;
        const QSet<QString> &m_known;
        QList<Sentence> m_sentences;
        QHash<QString, Seen> m_seen;
        QHash<QString, int> m_order;
    };
}

QList<TextWord> TextWords::find(const QString &text, const EnglishLexicon &lexicon, const QSet<QString> &known)
{
    return Finder(lexicon, known).find(text);
}

QStringList TextWords::sentences(const QString &text)
{
    QStringList list;
    for (const Sentence &sentence : splitSentences(text))
        list.append(sentence.text);
    return list;
}
