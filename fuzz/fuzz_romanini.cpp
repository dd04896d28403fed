// Roman.ini edited by hand: any bytes. The table keeps every spelling of
// every row, and the guide of every unit still types that unit.
#include "fuzzsupport.h"
#include "judge/judge.h"
#include "judge/judgetable.h"
#include "judge/romansettings.h"

namespace
{
    std::array<QString, 3> sorted(std::array<QString, 3> spellings)
    {
        std::sort(spellings.begin(), spellings.end());
        return spellings;
    }

    bool guideTypes(const QString &target)
    {
        Judge::JudgeState s;
        s.JudgeTarget = target;
        s.JudgeGuide = Judge::MakeRomaGuide(target);
        const QString guide = s.JudgeGuide;
        for (QChar key : guide)
        {
            if (s.JudgeDone == u"1")
                return false;
            s.JudgeKeyRoma = QString(key);
            Judge::JudgeRomaKey(s);
            if (s.JudgeMiss != u"0")
                return false;
        }
        return s.JudgeDone == u"1" || target.isEmpty();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::programFolder();
    FuzzSupport::writeFile(JudgeTableSet::RomanIniPath(), FuzzSupport::bytes(data, size));

    JudgeTableSet::BuildJudgeTable();
    const auto built = JudgeTableSet::JudgeTable;
    JudgeTableSet::ApplyRomanSettings();

    for (int row = 0; row < JudgeTableSet::JudgeRowCount; ++row)
    {
        const auto &now = JudgeTableSet::JudgeTable[row];
        FuzzSupport::check(now.Unit == built[row].Unit && now.KanaKeys == built[row].KanaKeys,
                           "a row changed its unit");
        FuzzSupport::check(sorted(now.Spellings) == sorted(built[row].Spellings), "a row lost a spelling");
        FuzzSupport::check(!now.Spellings[0].isEmpty() || built[row].Spellings[0].isEmpty(), "an empty display");
        const QString &unit = now.Unit;
        FuzzSupport::check(guideTypes(unit), "the guide of a unit does not type it");
        FuzzSupport::check(guideTypes(unit + u"ん"_qs + unit + u"っ"_qs + unit), "the guide of a word does not type it");
    }
    return 0;
}
