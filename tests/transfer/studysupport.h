#pragma once

#include <QMap>
#include <QStringList>

#include "history/historyfilter.h"
#include "history/historystore.h"
#include "transfer/dataswitch.h"
#include "transfer/learnerfiles.h"
#include "transfersupport.h"

// A learner's study of several banks, in folders of either layout, and what
// a learner would see of it: every file of the learner's byte for byte, and
// the history as its tests and weak words.
namespace StudySupport
{
    struct Bank
    {
        QString kind;
        QString name;
        QString direction;
        QString records; // relative path
        int level = 0;
        int highest = 0;
    };

    inline QList<Bank> banks(int offset)
    {
        return {{QStringLiteral("STANDARD"), {}, QStringLiteral("和訳"), QStringLiteral("seiseki/標準テキスト/data1.dat"), 3 + offset, 5 + offset},
                {QStringLiteral("STANDARD"), {}, QStringLiteral("英訳"), QStringLiteral("seiseki/標準テキスト/data1E.dat"), 1 + offset, 2 + offset},
                {QStringLiteral("USER"), QStringLiteral("旅行"), QStringLiteral("英訳"), QStringLiteral("seiseki/ユーザーテキスト/旅行E.dat"), 2, 2 + offset}};
    }

    inline void addTests(HistoryStore &store, const Bank &bank, int count, const QString &missed)
    {
        for (int i = 0; i < count; ++i)
        {
            HistoryTest test;
            test.startedAt = test.endedAt = QDateTime(QDate(2025, 3, 1).addDays(i), QTime(20, 0));
            test.bankKind = bank.kind;
            test.bankName = bank.name;
            test.direction = bank.direction;
            test.inputMethod = QStringLiteral("ROMA");
            test.level = bank.level;
            test.score = 90;
            for (int q = 1; q <= 10; ++q)
            {
                const bool miss = q == 1;
                test.questions.append({q, q, miss ? missed : QStringLiteral("word%1").arg(q), QStringLiteral("答え%1").arg(q),
                                       true, !miss, miss ? 20 : -1, miss ? QStringLiteral("違う") : QString(), q * 1000, 1.5, 5, 0});
            }
            QVERIFY(store.addTest(test));
        }
    }

    // The learner's folders with a study in them: offset tells two studies apart.
    inline void writeStudy(const QString &folder, int offset, int testsEach = 2)
    {
        for (const QString &relative : ProgramFolder::LearnerFolders)
            QDir(folder).mkpath(relative);
        using TransferSupport::writeFile;
        writeFile(folder + QStringLiteral("/ini/tst.ini"), QStringLiteral("[SYUTUDAI]\r\nTEXTKIND=USER\r\nOFFSET=%1\r\n").arg(offset).toUtf8());
        writeFile(folder + QStringLiteral("/ini/Roman.ini"), QByteArray("\"し\",\"shi\"\r\n").repeated(offset + 1));
        writeFile(folder + QStringLiteral("/ini/ユーザーテキスト/旅行E.ini"), "[SYUTUDAI]\r\nNUMBERLEVEL=10\r\n");
        writeFile(folder + QStringLiteral("/word/ユーザーテキスト/旅行.txt"), "go\r\n行く\r\nいく\r\n");
        HistoryStore store(folder + u'/' + LearnerFiles::HistoryFile);
        for (const Bank &bank : banks(offset))
        {
            writeFile(folder + u'/' + bank.records, TransferSupport::records(bank.level, bank.highest));
            addTests(store, bank, testsEach + offset, QStringLiteral("missed%1").arg(offset));
        }
    }

    // The history as a learner sees it: each test, then the weak words of each bank.
    inline QStringList historyView(const QString &path)
    {
        QStringList lines;
        if (!QFileInfo::exists(path))
            return lines;
        HistoryStore store(path, HistoryStore::Creation::ExistingOnly);
        store.forEachTest(HistoryFilter {true, {}, {}, {}}, [&lines](const HistoryTest &test) {
            lines.append(QStringLiteral("%1 %2 %3 %4 %5").arg(test.startedAt.toString(Qt::ISODate), test.bankKind, test.bankName,
                                                                test.direction).arg(test.questions.size()));
        });
        for (const Bank &bank : banks(0))
        {
            for (const HistoryStore::MissedWord &word : store.mostMissed({false, bank.kind, bank.name, bank.direction}, 10))
                lines.append(QStringLiteral("weak %1 %2 %3").arg(bank.direction, word.prompt).arg(word.missed));
        }
        return lines;
    }

    // Every file of the learner's, the history as historyView sees it.
    inline QMap<QString, QByteArray> learnerView(const QString &folder)
    {
        QMap<QString, QByteArray> view;
        const QMap<QString, QByteArray> all = TransferSupport::snapshot(folder);
        for (const QString &relative : LearnerFiles::List(folder))
            view.insert(relative, all.value(relative));
        view.insert(LearnerFiles::HistoryFile, historyView(folder + u'/' + LearnerFiles::HistoryFile).join(u'\n').toUtf8());
        return view;
    }
}
