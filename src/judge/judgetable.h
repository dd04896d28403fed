#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The typing vocabulary: for every kana unit, the romaji spellings the judge
// accepts (column 0 is the one the guide shows) and the keys of the JIS kana
// keyboard that type it.
namespace JudgeTableSet
{
    inline constexpr int JudgeRowCount = 212;

    struct JudgeRow
    {
        QString Unit;
        QString KanaKeys;
        std::array<QString, 3> Spellings;
        QString Selectable; // "1" when the learner may choose the displayed spelling
    };

    // The display markers of ん (single n where the next kana allows it,
    // otherwise nn) and of っ (double the next consonant, otherwise xtu).
    inline const QString NMarker = QStringLiteral("|");
    inline const QString DoubleMarker = QStringLiteral("~");

    extern std::array<JudgeRow, JudgeRowCount> JudgeTable;

    // Writes every field of every row, discarding any reordering.
    void BuildJudgeTable();

    // The first row, in ascending order, whose unit is exactly `unit`; -1 when none.
    int findRow(QStringView unit);

    bool isMarker(QStringView spelling);
}
