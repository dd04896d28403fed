#include "historyfilter.h"

#include "core/settings.h"

HistoryFilter HistoryFilter::current()
{
    using namespace Common;
    HistoryFilter filter;
    filter.bankKind = IsUserBank() ? TextKindUser : TextKindStandard;
    filter.bankName = IsUserBank() ? SafeTextName() : QString();
    filter.direction = IsEnglishAnswer() ? TransModeEnglish : TransModeJapanese;
    return filter;
}

HistoryFilter HistoryFilter::listening()
{
    HistoryFilter filter = current();
    filter.direction = ListeningDirection;
    return filter;
}
