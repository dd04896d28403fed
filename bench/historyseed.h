#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <random>

#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"
#include "history/historyfilter.h"
#include "history/historystore.h"
#include "practice/weakwords.h"

// A long made-up study history for the benchmarks: tests of 10 questions over
// the 1,700 words of the standard bank, two weeks of tests a day at a time,
// about one test in six a practice test.
namespace HistorySeed
{
    constexpr int BankSize = 1700;

    inline QList<WordAnswer> history(int questions)
    {
        std::mt19937 engine(1208);
        const QDate first(2024, 1, 1);
        QList<WordAnswer> answers;
        answers.reserve(questions);
        for (int i = 0; i < questions; ++i)
        {
            const int test = i / 10;
            WordAnswer answer;
            answer.day = first.addDays(test / 14);
            answer.practice = test % 6 == 5;
            answer.word = int(engine() % BankSize);
            const unsigned roll = engine() % 20;
            answer.result = roll == 0 ? WordAnswer::Result::Unanswered
                            : roll < 3 ? WordAnswer::Result::Wrong
                                       : WordAnswer::Result::Correct;
            if (answer.result != WordAnswer::Result::Unanswered)
                answer.seconds = 1.0 + (engine() % 8000) / 1000.0;
            answers.append(answer);
        }
        return answers;
    }

    // A program folder whose history holds the same answers as tests of ten.
    class HistoryFolder
    {
    public:
        explicit HistoryFolder(const QList<WordAnswer> &answers)
        {
            for (const QString &dir : ProgramFolder::InstallationFolders)
                QDir(m_dir.path()).mkpath(dir);
            ProgramFolder::setPath(m_dir.path());
            Message::setHandler([](const QString &) {});
            Common::QuestionBank.clear();
            for (int i = 0; i < BankSize; ++i)
                Common::QuestionBank.append({QStringLiteral("headword%1").arg(i), QStringLiteral("意味%1").arg(i),
                                             QStringLiteral("いみ%1").arg(i), QString()});
            const HistoryFilter filter = HistoryFilter::current();
            HistoryStore store(HistoryStore::defaultPath());
            for (qsizetype first = 0; first < answers.size(); first += 10)
            {
                HistoryTest test;
                test.startedAt = test.endedAt = answers[first].day.startOfDay().addSecs(9 * 3600);
                test.bankKind = filter.bankKind;
                test.direction = filter.direction;
                test.kind = answers[first].practice ? TestKind::WeakWords : TestKind::LevelUp;
                for (qsizetype i = first; i < first + 10 && i < answers.size(); ++i)
                {
                    const WordAnswer &answer = answers[i];
                    HistoryTest::Question q;
                    q.number = int(i - first) + 1;
                    q.bankIndex = answer.word;
                    q.prompt = Common::QuestionBank[answer.word].Prompt;
                    q.answer = Common::QuestionBank[answer.word].Answer;
                    q.answered = answer.result != WordAnswer::Result::Unanswered;
                    q.correct = answer.result == WordAnswer::Result::Correct;
                    q.seconds = answer.seconds;
                    q.keysAccepted = 8;
                    q.keysRejected = int(i % 3);
                    if (answer.result == WordAnswer::Result::Wrong)
                    {
                        q.chosenIndex = (answer.word + 1) % BankSize;
                        q.chosenAnswer = Common::QuestionBank[q.chosenIndex].Answer;
                    }
                    test.seconds += std::max(answer.seconds, 0.0);
                    test.score += q.correct ? 10 : 0;
                    test.questions.append(q);
                }
                store.addTest(test);
            }
        }

        ~HistoryFolder()
        {
            Message::setHandler({});
            ProgramFolder::setPath({});
        }

    private:
        QTemporaryDir m_dir;
    };
}
