#pragma once

#include <QDate>
#include <QString>

// Reads the fields of one line of the records text form in order. Each read
// returns false when the next field is missing or does not parse; the caller
// then stops with what it has.
class RecordLineReader
{
public:
    explicit RecordLineReader(const QString &line);

    bool readInt(int &value);
    bool readDouble(double &value);
    bool readString(QString &value);
    bool readDate(QDate &value);

private:
    // The next field's raw text: inside the quotes or # signs when it has them.
    bool nextField(QString &text, QChar *delimiter);

    QString m_line;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
};
