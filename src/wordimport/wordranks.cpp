#include "wordranks.h"

#include <QFile>

bool WordRanks::load(const QString &path, QString *errorText)
{
    m_ranks.clear();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
    {
        if (errorText)
            *errorText = QStringLiteral("単語の頻度の表（%1）がありません").arg(path);
        return false;
    }
    const QByteArray data = file.readAll();
    if (!data.startsWith(Header))
    {
        if (errorText)
            *errorText = QStringLiteral("単語の頻度の表（%1）が壊れています").arg(path);
        return false;
    }
    QHash<QString, int> ranks;
    ranks.reserve(data.count('\n'));
    qsizetype start = data.indexOf('\n') + 1;
    while (start > 0 && start < data.size())
    {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QByteArrayView line = QByteArrayView(data).sliced(start, end - start).trimmed();
        const QString word = QString::fromUtf8(line);
        if (!word.isEmpty() && !ranks.contains(word))
            ranks.insert(word, int(ranks.size()) + 1);
        start = end + 1;
    }
    m_ranks = std::move(ranks);
    return true;
}

int WordRanks::rank(const QString &word) const
{
    return m_ranks.value(word, unlisted());
}
