#include "recordlinewriter.h"

#include <charconv>

#include "recorddates.h"

void RecordLineWriter::addInt(int value)
{
    add(QString::number(value));
}

void RecordLineWriter::addDouble(double value)
{
    // Shortest text that reads back to the same double, never in exponent form.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    add(QString::fromLatin1(buffer, result.ptr - buffer));
}

void RecordLineWriter::addString(const QString &value)
{
    // A quote would end the field early and leave the whole line unreadable.
    // No text the program stores holds one, but a hand-edited file can bring
    // one in through an unquoted field.
    QString text = value;
    text.remove(u'"');
    add(u'"' + text + u'"');
}

void RecordLineWriter::addDate(const QDate &date)
{
    add(u'#' + (date.isValid() ? date : RecordDates::ZeroDate).toString(u"yyyy-MM-dd") + u'#');
}

QString RecordLineWriter::line() const
{
    return m_line;
}

void RecordLineWriter::add(const QString &field)
{
    if (!m_empty)
        m_line += u',';
    m_line += field;
    m_empty = false;
}
