#include "practicesize.h"

#include <algorithm>

#include "core/settings.h"

namespace
{
    const QString Section = QStringLiteral("PRACTICE");
    const QString KeyWords = QStringLiteral("WORDS");
}

int PracticeSize::read()
{
    bool ok = false;
    const int kept = Common::ReadIniValue(Common::CommonIni, Section, KeyWords).trimmed().toInt(&ok);
    return ok && std::ranges::find(Choices, kept) != Choices.end() ? kept : Ten;
}

void PracticeSize::store(int size)
{
    Common::WriteIniValue(Common::CommonIni, Section, KeyWords, QString::number(size));
}
