#include "recordlinereader.h"

#include <cmath>
#include <limits>

#include "recorddates.h"

RecordLineReader::RecordLineReader(const QString &line)
    : m_line(line)
{
}

bool RecordLineReader::nextField(QString &text, QChar *delimiter)
{
    if (m_atEnd)
        return false;
    while (m_pos < m_line.size() && m_line[m_pos] == u' ')
        ++m_pos;

    *delimiter = QChar();
    qsizetype end = -1;
    if (m_pos < m_line.size() && (m_line[m_pos] == u'"' || m_line[m_pos] == u'#'))
    {
        *delimiter = m_line[m_pos];
        end = m_line.indexOf(*delimiter, m_pos + 1);
        if (end < 0)
            return false;
        text = m_line.mid(m_pos + 1, end - m_pos - 1);
        m_pos = end + 1;
        while (m_pos < m_line.size() && m_line[m_pos] == u' ')
            ++m_pos;
        if (m_pos < m_line.size() && m_line[m_pos] != u',')
        {
            if (*delimiter != u'"')
                return false;
            // Files of the original design may hold a name with a quote of its
            // own; their reader ends the text at that quote and skips the rest
            // of the field, and so does this one, rather than lose the file.
            const qsizetype comma = m_line.indexOf(u',', m_pos);
            m_pos = comma < 0 ? m_line.size() : comma;
        }
    }
    else
    {
        end = m_line.indexOf(u',', m_pos);
        text = m_line.mid(m_pos, (end < 0 ? m_line.size() : end) - m_pos).trimmed();
        m_pos = end < 0 ? m_line.size() : end;
    }

    if (m_pos >= m_line.size())
        m_atEnd = true;
    else
        ++m_pos; // the comma
    return true;
}

bool RecordLineReader::readDouble(double &value)
{
    QString text;
    QChar delimiter;
    if (!nextField(text, &delimiter) || !delimiter.isNull())
        return false;
    bool ok = false;
    const double parsed = text.toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool RecordLineReader::readInt(int &value)
{
    double parsed = 0;
    if (!readDouble(parsed) || parsed != std::floor(parsed) || std::abs(parsed) > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool RecordLineReader::readString(QString &value)
{
    QChar delimiter;
    return nextField(value, &delimiter) && delimiter != u'#';
}

bool RecordLineReader::readDate(QDate &value)
{
    QString text;
    QChar delimiter;
    if (!nextField(text, &delimiter) || delimiter != u'#')
        return false;
    // A time part, if a hand-edited file has one, plays no part: dates are whole days.
    const QString day = text.section(u' ', 0, 0);
    const bool timeOnly = day.contains(u':') && !day.contains(u'-');
    if (day.isEmpty() || timeOnly || day.compare(u"NULL", Qt::CaseInsensitive) == 0)
    {
        value = QDate();
        return true;
    }
    const QDate date = QDate::fromString(day, u"yyyy-MM-dd");
    if (!date.isValid())
        return false;
    value = date == RecordDates::ZeroDate ? QDate() : date;
    return true;
}
