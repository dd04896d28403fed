#include "transfercomparison.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <tuple>

#include "core/settings.h"
#include "history/historyfilter.h"
#include "history/historystore.h"
#include "learnerexport.h"
#include "learnerfiles.h"

namespace
{
    using Side = TransferComparison::Side;
    using Row = TransferComparison::Row;

    void countTests(HistoryStore *store, const HistoryFilter &filter, Side &side)
    {
        if (!store)
            return;
        const QList<HistoryStore::TestPoint> points = store->testPoints(filter);
        side.tests = int(points.size());
        if (!points.isEmpty())
            side.lastTest = points.constLast().startedAt;
    }

    Row &rowOf(QList<Row> &rows, const TransferManifest::Records &records)
    {
        for (Row &row : rows)
        {
            if (row.bankKind == records.bankKind && row.bankName == records.bankName && row.direction == records.direction)
                return row;
        }
        rows.append({records.bankKind, records.bankName, records.direction, {}, {}});
        return rows.last();
    }

    void takeRecords(Side &side, const TransferManifest::Records &records)
    {
        side.hasRecords = true;
        side.level = records.level;
        side.highestLevel = records.highestLevel;
    }

    // A history opened only to be read: the file's is opened as a copy, so
    // that neither bringing it up to date nor setting a damaged one aside
    // touches what the check found whole.
    std::unique_ptr<HistoryStore> openCopy(const QString &path, const QTemporaryDir &scratch)
    {
        const QString copy = scratch.filePath(QStringLiteral("history.sqlite3"));
        if (!scratch.isValid() || !QFile::copy(path, copy))
            return nullptr;
        return std::make_unique<HistoryStore>(copy, HistoryStore::Creation::ExistingOnly);
    }
}

TransferComparison TransferComparison::Make(const QString &folder, HistoryStore *hereHistory, const QString &staged,
                                            const TransferManifest &manifest)
{
    TransferComparison comparison;
    comparison.fileCreated = manifest.created;
    comparison.fileProgramVersion = manifest.programVersion;
    for (const TransferManifest::Records &records : LearnerExport::DescribeRecords(folder, LearnerFiles::List(folder)))
        takeRecords(rowOf(comparison.rows, records).here, records);
    for (const TransferManifest::Records &records : manifest.records)
        takeRecords(rowOf(comparison.rows, records).file, records);
    std::stable_sort(comparison.rows.begin(), comparison.rows.end(), [](const Row &a, const Row &b) {
        return std::tuple(a.bankKind != Common::TextKindStandard, a.bankName, a.direction != Common::TransModeJapanese)
            < std::tuple(b.bankKind != Common::TextKindStandard, b.bankName, b.direction != Common::TransModeJapanese);
    });

    std::unique_ptr<HistoryStore> opened;
    const QString herePath = folder + u'/' + LearnerFiles::HistoryFile;
    if (!hereHistory && QFileInfo::exists(herePath))
    {
        opened = std::make_unique<HistoryStore>(herePath, HistoryStore::Creation::ExistingOnly);
        hereHistory = opened.get();
    }
    const QTemporaryDir scratch;
    const QString filePath = staged + u'/' + LearnerFiles::HistoryFile;
    const std::unique_ptr<HistoryStore> fileHistory = QFileInfo::exists(filePath) ? openCopy(filePath, scratch) : nullptr;

    countTests(hereHistory, HistoryFilter {true, {}, {}, {}}, comparison.hereTotal);
    countTests(fileHistory.get(), HistoryFilter {true, {}, {}, {}}, comparison.fileTotal);
    for (Row &row : comparison.rows)
    {
        const HistoryFilter filter {false, row.bankKind, row.bankName, row.direction};
        countTests(hereHistory, filter, row.here);
        countTests(fileHistory.get(), filter, row.file);
    }
    return comparison;
}

QString TransferComparison::BankCaption(const Row &row)
{
    const QString bank = row.bankKind == Common::TextKindStandard ? QStringLiteral("標準テキスト") : row.bankName;
    return QStringLiteral("%1（%2）").arg(bank, row.direction);
}

QString TransferComparison::LevelText(const Side &side)
{
    if (!side.hasRecords)
        return QStringLiteral("なし");
    if (side.level < 0)
        return QStringLiteral("？");
    return QStringLiteral("%1（最高 %2）").arg(side.level).arg(side.highestLevel);
}

QString TransferComparison::TestsText(const Side &side)
{
    return QStringLiteral("%1回").arg(side.tests);
}

QString TransferComparison::LastTestText(const Side &side)
{
    return side.lastTest.isValid() ? side.lastTest.toString(QStringLiteral("yyyy/MM/dd")) : QStringLiteral("－");
}
