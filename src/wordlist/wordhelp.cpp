#include "wordhelp.h"

#include <limits>

#include "core/programfolder.h"

WordHelp::Sources WordHelp::defaultSources()
{
    return {ProgramFolder::filePath(ProgramFolder::DictionaryDir, QStringLiteral("en-ja.tsv")),
            JapaneseReading::defaultDictionary(), Spelling::defaultDictionary()};
}

WordHelp::WordHelp(Sources sources)
    : m_sources(std::move(sources))
{
}

void WordHelp::note(const QString &missing)
{
    m_missing.append(missing);
}

WordIndex &WordHelp::index()
{
    if (!std::exchange(m_indexTried, true))
    {
        QString error;
        if (!m_index.load(m_sources.index, &error))
            note(error + QStringLiteral("：意味の候補は出ません"));
    }
    return m_index;
}

JapaneseReading &WordHelp::readings()
{
    if (!std::exchange(m_readingsTried, true))
    {
        QString error;
        if (!m_readings.load(m_sources.readings, &error))
            note(error + QStringLiteral("：読みは自動で入りません"));
    }
    return m_readings;
}

Spelling &WordHelp::spelling()
{
    if (!std::exchange(m_spellingTried, true))
    {
        QString error;
        if (!m_spelling.load(m_sources.spelling, &error))
            note(error + QStringLiteral("：スペルは確かめられません"));
    }
    return m_spelling;
}

QList<WordHelp::Suggestion> WordHelp::suggestions(const QString &english, int limit)
{
    QStringList words {WordIndex::key(english)};
    if (words.constFirst().isEmpty())
        return {};
    QList<Suggestion> found;
    for (qsizetype i = 0; i < words.size() && found.size() < limit; ++i)
    {
        const QList<WordIndex::Meaning> meanings = index().meanings(words[i]);
        for (const WordIndex::Meaning &meaning : meanings)
        {
            if (found.size() < limit)
                found.append({words[i], meaning.meaning, meaning.reading});
        }
        // The dictionary forms only when the word itself is not in the index.
        if (i == 0 && found.isEmpty())
        {
            words += spelling().stems(words[0]);
            words += baseForms(words[0]);
            words.removeDuplicates();
        }
    }
    return found;
}

QStringList WordHelp::baseForms(const QString &word)
{
    QStringList forms;
    auto endsWith = [&word](const char *ending) { return word.endsWith(QLatin1String(ending)); };
    if (endsWith("ies") && word.size() > 4)
        forms.append(word.chopped(3) + u'y');
    const QString withoutEs = word.chopped(std::min<qsizetype>(2, word.size()));
    if (endsWith("es")
        && (withoutEs.endsWith(u's') || withoutEs.endsWith(u'x') || withoutEs.endsWith(u'z') || withoutEs.endsWith(u'o')
            || withoutEs.endsWith(QLatin1String("ch")) || withoutEs.endsWith(QLatin1String("sh"))))
        forms.append(withoutEs);
    if (endsWith("s") && !endsWith("ss") && !endsWith("us") && !endsWith("is") && word.size() > 3)
        forms.append(word.chopped(1));
    for (const char *ending : {"ed", "ing"})
    {
        const qsizetype length = qsizetype(qstrlen(ending));
        if (!endsWith(ending) || word.size() <= length + 2)
            continue;
        const QString stem = word.chopped(length);
        forms << stem << stem + u'e';
        if (stem.size() > 2 && stem.back() == stem[stem.size() - 2])
            forms.append(stem.chopped(1)); // stopped, running
        if (length == 2 && stem.endsWith(u'i'))
            forms.append(stem.chopped(1) + u'y'); // tried
    }
    forms.removeDuplicates();
    return forms;
}

bool WordHelp::hasMeaning(const QString &english)
{
    return !index().meanings(WordIndex::key(english)).isEmpty();
}

QStringList WordHelp::stems(const QString &word)
{
    return spelling().stems(word);
}

QString WordHelp::reading(const QString &japanese, const QString &english)
{
    if (!english.trimmed().isEmpty())
    {
        for (const Suggestion &suggestion : suggestions(english, std::numeric_limits<int>::max()))
        {
            if (suggestion.meaning == japanese)
                return suggestion.reading;
        }
    }
    return readings().reading(japanese);
}

bool WordHelp::isSpeltRight(const QString &english)
{
    return spelling().isKnown(english);
}

QStringList WordHelp::spellingSuggestions(const QString &english, int limit)
{
    return spelling().suggestions(english, limit);
}

bool WordHelp::hasIndex()
{
    return index().isLoaded();
}

bool WordHelp::hasReadings()
{
    return readings().isLoaded();
}

bool WordHelp::hasSpelling()
{
    return spelling().isLoaded();
}

QString WordHelp::missing() const
{
    return m_missing.join(u'\n');
}
