#pragma once

#include <QByteArray>
#include <QString>

// Every file the program reads or writes is in code page 932 (Windows-31J).
// All conversions go through here so that the rules for characters the code
// page cannot hold are the same everywhere.
namespace Cp932
{
    // A character that code page 932 cannot hold becomes "?", as Windows writes it.
    QByteArray encode(QStringView text);
    QString decode(QByteArrayView bytes);
    bool canEncode(QStringView text);
}
