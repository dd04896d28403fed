#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The typing vocabulary: for every kana unit, the romaji spellings the judge
// accepts (column 0 is the one the guide shows) and the keys of the JIS kana
// keyboard that type it.
namespace JudgeTableSet
{
    // The rows the display settings know; the units an input method types
    // beyond them (ゔ and its combinations, ゐ, ゑ) follow as rows 212 on.
    inline constexpr int JudgeRowCount = 212;
    inline constexpr int AddedRowCount = 10;
    inline constexpr int UnitCount = JudgeRowCount + AddedRowCount;

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

    extern std::array<JudgeRow, UnitCount> JudgeTable;

    // Writes every field of every row, discarding any reordering.
    void BuildJudgeTable();

    // The first row, in ascending order, whose unit is exactly `unit`; -1 when none.
    int findRow(QStringView unit);

    // Spellings that input methods take for a row's unit beyond its columns
    // (hwa for ふぁ, xtsu for っ); empty views where there are none. The
    // judge tries them only for keys that no column takes.
    const std::array<QStringView, 2> &moreSpellings(int row);

    // The katakana row that an added ゔ row is typed and shown like (ヴぃ for
    // ゔぃ), so it follows the display chosen for that row; -1 for any other row.
    int twinRow(int row);

    bool isMarker(QStringView spelling);
}
