#pragma once

#include <QMap>
#include <QTemporaryDir>

#include "transfer/dataswitch.h"
#include "transfersupport.h"

// A learner's folder with old files, and new ones to take their place: some
// files on both sides, some only on one, the history with its log, and
// files that are not the learner's (the shipped bank, a backup) that no
// switch may touch.
namespace SwitchSupport
{
    using Files = QMap<QString, QByteArray>;

    inline const Files &untouched()
    {
        static const Files files {{QStringLiteral("word/標準テキスト/data2.dat"), "shipped bank"},
                                  {QStringLiteral("seiseki/backup/標準テキスト/data1_2025-01-01_000000.dat"), "backup"},
                                  {QStringLiteral("ini/ユーザーテキスト/.hidden"), "hidden"}};
        return files;
    }

    inline const Files &oldFiles()
    {
        static const Files files {{QStringLiteral("ini/tst.ini"), "old settings"},
                                  {QStringLiteral("ini/Roman.ini"), "old romaji"},
                                  {QStringLiteral("seiseki/標準テキスト/data1.dat"), "old records"},
                                  {QStringLiteral("seiseki/history.sqlite3"), "old history"},
                                  {QStringLiteral("seiseki/history.sqlite3-wal"), "old history's log"}};
        return files;
    }

    inline const Files &newFiles()
    {
        static const Files files {{QStringLiteral("ini/tst.ini"), "new settings"},
                                  {QStringLiteral("word/ユーザーテキスト/旅行.txt"), "new bank"},
                                  {QStringLiteral("seiseki/標準テキスト/data1.dat"), "new records"},
                                  {QStringLiteral("seiseki/ユーザーテキスト/旅行E.dat"), "new bank's records"},
                                  {QStringLiteral("seiseki/history.sqlite3"), "new history"}};
        return files;
    }

    inline Files withUntouched(Files files)
    {
        files.insert(untouched());
        return files;
    }

    inline void writeFiles(const QString &root, const Files &files)
    {
        for (auto file = files.cbegin(); file != files.cend(); ++file)
            TransferSupport::writeFile(root + u'/' + file.key(), file.value());
    }

    // The old files and the untouched ones in place.
    inline void prepareOld(const QString &learner)
    {
        writeFiles(learner, withUntouched(oldFiles()));
    }

    // Everything below the learner's folder but the stage of an import and
    // the exports kept before each import.
    inline Files learnerView(const QString &learner)
    {
        Files files = TransferSupport::snapshot(learner);
        for (auto file = files.begin(); file != files.end();)
        {
            const bool aside = file.key().startsWith(DataSwitch::StageDir + u'/')
                || (file.key().startsWith(QStringLiteral("seiseki/backup/")) && file.key().endsWith(QStringLiteral(".zip")));
            file = aside ? files.erase(file) : std::next(file);
        }
        return files;
    }
}
