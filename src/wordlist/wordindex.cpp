#include "wordindex.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace
{
    // A larger file is no index this program made; the real one is a few MB.
    constexpr qint64 MaxIndexBytes = 64 * 1024 * 1024;

    // Byte order, as the index is sorted.
    int compare(QByteArrayView a, QByteArrayView b)
    {
        const size_t shorter = size_t(std::min(a.size(), b.size()));
        const int common = shorter == 0 ? 0 : std::memcmp(a.data(), b.data(), shorter);
        if (common != 0)
            return common;
        return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
    }

    QByteArrayView wordOf(QByteArrayView line)
    {
        const qsizetype tab = line.indexOf('\t');
        return tab < 0 ? line : line.first(tab);
    }

    // A word with at least one meaning and reading, and every field non-empty.
    bool wellFormed(QByteArrayView line)
    {
        qsizetype fields = 1;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= line.size(); ++i)
        {
            if (i < line.size() && line[i] != '\t')
                continue;
            if (i == start)
                return false;
            if (i < line.size())
                ++fields;
            start = i + 1;
        }
        return fields >= 3 && fields % 2 == 1;
    }
}

bool WordIndex::load(const QString &path, QString *errorText)
{
    m_data.clear();
    m_lines.clear();
    auto fail = [errorText](const QString &reason) {
        if (errorText)
            *errorText = reason;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("辞書の索引がありません（%1）").arg(path));
    if (file.size() > MaxIndexBytes)
        return fail(QStringLiteral("辞書の索引が大きすぎます（%1）").arg(path));
    QByteArray data = file.readAll();
    if (!data.startsWith(Header))
        return fail(QStringLiteral("辞書の索引の形式が違います（%1）").arg(path));

    QList<qint32> lines;
    lines.reserve(data.size() / 40);
    QByteArrayView previous;
    qsizetype start = data.indexOf('\n') + 1;
    for (qsizetype number = 2; start > 0 && start < data.size(); ++number)
    {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QByteArrayView line(data.constData() + start, end - start);
        // Sorted, each word once, so that a search finds it.
        if (!wellFormed(line) || (!lines.isEmpty() && compare(previous, wordOf(line)) >= 0))
            return fail(QStringLiteral("辞書の索引が壊れています（%1、%2行目）").arg(path).arg(number));
        lines.append(qint32(start));
        previous = wordOf(line);
        start = end + 1;
    }
    if (lines.isEmpty())
        return fail(QStringLiteral("辞書の索引に単語がありません（%1）").arg(path));
    m_data = std::move(data);
    m_lines = std::move(lines);
    return true;
}

QString WordIndex::key(QStringView english)
{
    return english.toString().simplified().toLower();
}

QByteArrayView WordIndex::lineAt(qsizetype line) const
{
    const qsizetype start = m_lines[line];
    const qsizetype end = line + 1 < m_lines.size() ? m_lines[line + 1] - 1 : m_data.size();
    QByteArrayView view(m_data.constData() + start, end - start);
    return view.endsWith('\n') ? view.chopped(1) : view;
}

QByteArrayView WordIndex::wordAt(qsizetype line) const
{
    return wordOf(lineAt(line));
}

QList<WordIndex::Meaning> WordIndex::meanings(QStringView english) const
{
    const QByteArray wanted = key(english).toUtf8();
    if (wanted.isEmpty() || m_lines.isEmpty())
        return {};
    qsizetype low = 0;
    qsizetype high = m_lines.size();
    while (low < high)
    {
        const qsizetype middle = low + (high - low) / 2;
        if (compare(wordAt(middle), wanted) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == m_lines.size() || compare(wordAt(low), wanted) != 0)
        return {};
    QList<Meaning> found;
    const QList<QByteArray> parts = lineAt(low).toByteArray().split('\t');
    for (qsizetype i = 1; i + 1 < parts.size(); i += 2)
        found.append({QString::fromUtf8(parts[i]), QString::fromUtf8(parts[i + 1])});
    return found;
}
