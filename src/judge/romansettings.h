#pragma once

#include <QList>
#include <QString>

// The learner's choice of displayed romaji, kept in ini/Roman.ini as one
// record per unit: "unit","value" in code page 932, CR LF.
namespace JudgeTableSet
{
    QString RomanIniPath();

    // Brings each chosen spelling into column 0 of the judge table. A missing
    // file changes nothing; records that match no row or spelling are skipped.
    void ApplyRomanSettings();

    struct RomanChoice
    {
        QString unit;
        QString value; // a spelling of the unit's row, or "|" / "~" for the rules of ん / っ
    };

    // Replaces the file with one record per choice, in the given order, all or
    // nothing. On failure the learner is told, naming the file, and the old
    // file stays. A choice holding a quote or a line break could never match
    // a spelling and would break the record, so it is left out.
    bool WriteRomanSettings(const QList<RomanChoice> &choices);
}
