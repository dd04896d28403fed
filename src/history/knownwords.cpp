#include "knownwords.h"

#include <QHash>

#include "core/settings.h"
#include "historystore.h"

KnownWords KnownWords::read(HistoryStore &store, const HistoryFilter &filter)
{
    // The marks come oldest first: the last one of each word stands.
    QHash<QString, HistoryStore::Mark> last;
    store.forEachMark(filter, [&last](const HistoryStore::Mark &mark) {
        if (mark.kind == WordMark::Kind::Known || mark.kind == WordMark::Kind::NotKnown)
            last.insert(key({false, mark.bankKind, mark.bankName, mark.direction}, mark.prompt, mark.answer), mark);
    });
    KnownWords known;
    for (auto it = last.cbegin(); it != last.cend(); ++it)
    {
        if (it->kind != WordMark::Kind::Known)
            continue;
        known.m_words.insert(it.key());
        const bool englishAnswer = it->direction == Common::TransModeEnglish;
        known.m_english.insert((englishAnswer ? it->answer : it->prompt).toLower());
    }
    return known;
}

bool KnownWords::isKnown(const HistoryFilter &bank, const QString &prompt, const QString &answer) const
{
    return m_words.contains(key(bank, prompt, answer));
}

bool KnownWords::isKnownEnglish(const QString &word) const
{
    return m_english.contains(word.toLower());
}

QString KnownWords::key(const HistoryFilter &bank, const QString &prompt, const QString &answer)
{
    return QStringList {bank.bankKind, bank.bankName, bank.direction, prompt, answer}.join(QChar(0x1F));
}
