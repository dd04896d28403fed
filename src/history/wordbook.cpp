#include "wordbook.h"

#include <algorithm>
#include <tuple>

#include "bankhistory.h"
#include "core/settings.h"

namespace
{
    const QString DateFormat = QStringLiteral("yyyy/MM/dd");

    // The order of the states in a sort: as a word goes through them.
    int stateRank(const WordSchedule &schedule)
    {
        return int(schedule.state()) * (WordSchedule::Steps + 1) + schedule.step;
    }
}

WordBook::WordBook(const QDate &today)
    : m_today(today)
{
}

void WordBook::addCurrentBank(const HistoryFilter &bank, const QList<Common::QuestionEntry> &questions,
                              const BankHistory &history)
{
    const int bankNumber = int(m_banks.size());
    m_banks.append(bank);
    const WeakWords weak = history.weakWords(m_today);
    m_entries.reserve(m_entries.size() + questions.size() + history.absentCount());
    for (int i = 0; i < questions.size(); ++i)
        addEntry(bankNumber, i, Presence::InBank, questions[i].Prompt, questions[i].Answer, weak.schedule(i));
    for (int i = 1; i <= history.absentCount(); ++i)
    {
        const BankHistory::AbsentWord &word = history.absentWord(-i);
        addEntry(bankNumber, word.bankIndex, Presence::Gone, word.prompt, word.answer, weak.schedule(-i));
    }
}

void WordBook::addOtherBank(const HistoryFilter &bank, const BankHistory &history)
{
    const int bankNumber = int(m_banks.size());
    m_banks.append(bank);
    const WeakWords weak = history.weakWords(m_today);
    for (int i = 1; i <= history.absentCount(); ++i)
    {
        const BankHistory::AbsentWord &word = history.absentWord(-i);
        addEntry(bankNumber, word.bankIndex, Presence::OtherBank, word.prompt, word.answer, weak.schedule(-i));
    }
}

void WordBook::addEntry(int bank, int bankIndex, Presence presence, const QString &prompt, const QString &answer,
                        const WordSchedule *schedule)
{
    m_entries.append({bank, bankIndex, presence, prompt, answer, schedule ? *schedule : WordSchedule()});
}

bool WordBook::shows(Show show, const WordSchedule &schedule) const
{
    using State = WordSchedule::State;
    switch (show)
    {
    case Show::All:
        return true;
    case Show::Unasked:
        return schedule.state() == State::Unasked;
    case Show::Learning:
        return schedule.state() == State::Learning;
    case Show::Weak:
        return schedule.state() == State::Weak;
    case Show::DueToday:
        return schedule.state() == State::Weak && schedule.isDue(m_today);
    case Show::Learned:
        return schedule.state() == State::Learned;
    case Show::Known:
        return schedule.state() == State::Known;
    }
    return true;
}

QList<int> WordBook::select(Show show, const QString &search, int column, Qt::SortOrder order) const
{
    const QString needle = search.trimmed();
    QList<int> rows;
    rows.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i)
    {
        const Entry &e = m_entries[i];
        if (!shows(show, e.schedule))
            continue;
        if (!needle.isEmpty() && !e.prompt.contains(needle, Qt::CaseInsensitive)
            && !e.answer.contains(needle, Qt::CaseInsensitive))
            continue;
        rows.append(i);
    }

    auto less = [this, column](int a, int b) {
        const Entry &x = m_entries[a];
        const Entry &y = m_entries[b];
        switch (column)
        {
        case BankColumn:
            return std::tuple(x.bank, x.bankIndex) < std::tuple(y.bank, y.bankIndex);
        case PromptColumn:
            return x.prompt.compare(y.prompt, Qt::CaseInsensitive) < 0;
        case AnswerColumn:
            return x.answer.compare(y.answer, Qt::CaseInsensitive) < 0;
        case StateColumn:
            return stateRank(x.schedule) < stateRank(y.schedule);
        case DueColumn:
            // Words without a due day go last.
            return std::tuple(!x.schedule.due.isValid(), x.schedule.due)
                   < std::tuple(!y.schedule.due.isValid(), y.schedule.due);
        case AskedColumn:
            return x.schedule.asked < y.schedule.asked;
        case MissedColumn:
            return x.schedule.missed < y.schedule.missed;
        case LastSeenColumn:
            return x.schedule.lastSeen < y.schedule.lastSeen;
        }
        return false;
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(), [&less](int a, int b) { return less(b, a); });
    return rows;
}

QString WordBook::text(const Entry &entry, int column) const
{
    const WordSchedule &s = entry.schedule;
    switch (column)
    {
    case BankColumn:
        return bankText(m_banks[entry.bank]);
    case PromptColumn:
        return entry.prompt;
    case AnswerColumn:
        return entry.answer;
    case StateColumn:
        return entry.presence == Presence::Gone ? stateText(s) + QStringLiteral("（問題集にない）") : stateText(s);
    case DueColumn:
        // A word marked known is never due, whatever the schedule underneath says.
        return s.state() == WordSchedule::State::Weak ? s.due.toString(DateFormat) : QString();
    case AskedColumn:
        return QString::number(s.asked);
    case MissedColumn:
        return QString::number(s.missed);
    case LastSeenColumn:
        return s.lastSeen.toString(DateFormat);
    }
    return {};
}

QString WordBook::stateText(const WordSchedule &schedule)
{
    switch (schedule.state())
    {
    case WordSchedule::State::Unasked:
        return QStringLiteral("未出題");
    case WordSchedule::State::Learning:
        return QStringLiteral("学習中");
    case WordSchedule::State::Weak:
        return QStringLiteral("苦手 %1/%2").arg(schedule.step).arg(WordSchedule::Steps);
    case WordSchedule::State::Learned:
        return QStringLiteral("覚えた");
    case WordSchedule::State::Known:
        return QStringLiteral("知っている");
    }
    return {};
}

QString WordBook::bankText(const HistoryFilter &bank)
{
    const QString name = bank.bankKind == Common::TextKindUser ? bank.bankName : QStringLiteral("標準");
    return name + u' ' + bank.direction;
}

int WordBook::englishColumn(const Entry &entry) const
{
    return m_banks[entry.bank].direction == Common::TransModeEnglish ? AnswerColumn : PromptColumn;
}
