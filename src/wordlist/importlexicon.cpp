#include "importlexicon.h"

#include "core/programfolder.h"
#include "wordhelp.h"

QString ImportLexicon::defaultRanks()
{
    return ProgramFolder::filePath(ProgramFolder::DictionaryDir, QStringLiteral("english-ranks.txt"));
}

ImportLexicon::ImportLexicon(WordHelp &help, const QString &ranks)
    : m_help(help)
{
    m_ranks.load(ranks, nullptr);
}

bool ImportLexicon::isSpeltRight(const QString &word) const
{
    const auto found = m_spelt.constFind(word);
    if (found != m_spelt.cend())
        return *found;
    return *m_spelt.insert(word, m_help.isSpeltRight(word));
}

bool ImportLexicon::isWord(const QString &word) const
{
    const auto found = m_words.constFind(word);
    if (found != m_words.cend())
        return *found;
    return *m_words.insert(word, m_help.hasMeaning(word));
}

QList<EnglishLexicon::Inflection> ImportLexicon::inflections(const QString &word) const
{
    // Hunspell names the stem, not the ending: the ending tells which it is,
    // and a word without one of these endings is no inflection (elderly is
    // no form of elder).
    const auto endsWith = [&word](const char *ending) { return word.endsWith(QLatin1String(ending)); };
    std::optional<Inflection::Kind> kind;
    if (endsWith("s"))
        kind = Inflection::Kind::Plural;
    else if (endsWith("ed") || endsWith("ing"))
        kind = Inflection::Kind::Verbal;
    else if (endsWith("er") || endsWith("est"))
        kind = Inflection::Kind::Comparative;
    QList<Inflection> found;
    if (!kind)
        return found;
    for (const QString &stem : m_help.stems(word))
    {
        // An ending changes the last letter at most (tried → try); a stem
        // that differs before that took a prefix off (discovered → cover).
        if (stem != word && stem.size() > 1 && word.startsWith(QStringView(stem).chopped(1)))
            found.append({stem, *kind});
    }
    return found;
}

int ImportLexicon::rank(const QString &word) const
{
    return m_ranks.rank(word);
}
