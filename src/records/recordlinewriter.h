#pragma once

#include <QDate>
#include <QString>

// Builds one line of the records text form: fields separated by commas,
// strings in double quotes, dates as #yyyy-mm-dd#, numbers in plain decimal.
class RecordLineWriter
{
public:
    void addInt(int value);
    void addDouble(double value);
    void addString(const QString &value);
    // The date 0 (a null QDate) is written as the day it stands for, 1899-12-30.
    void addDate(const QDate &date);

    QString line() const;

private:
    void add(const QString &field);

    QString m_line;
    bool m_empty = true;
};
