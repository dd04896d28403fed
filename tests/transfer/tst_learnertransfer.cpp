#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include "core/message.h"
#include "studysupport.h"
#include "transfer/learnerexport.h"
#include "transfer/learnerimport.h"
#include "transfer/transfercomparison.h"

using namespace StudySupport;
using Kind = TransferProblem::Kind;

namespace
{
    // The whole import as the program makes it.
    TransferProblem importInto(const QString &folder, const QString &zip, QString *backup = nullptr)
    {
        LearnerImport import(folder);
        TransferProblem problem = import.check(zip);
        if (problem.ok())
            problem = import.keepBackup(nullptr, backup);
        if (problem.ok())
            problem = import.switchIn().problem;
        return problem;
    }

    // A portable folder: the learner's folders beside the shipped data.
    void addShipped(const QString &folder)
    {
        TransferSupport::writeFile(folder + QStringLiteral("/word/標準テキスト/data2.dat"), "shipped");
        TransferSupport::writeFile(folder + QStringLiteral("/sound1/0001.wma"), "sound");
    }
}

class TestLearnerTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Message::setHandler([](const QString &) {}); }
    void cleanup() { DataSwitch::setStepHook({}); }

    void portableStudyMovesToAnInstalledFolder();
    void comparisonShowsBothSides();
    void killedAtEachStep();
};

// A study exported from a portable folder and imported into another
// learner's installed folder arrives whole; the import's backup takes the
// other learner back to where they were.
void TestLearnerTransfer::portableStudyMovesToAnInstalledFolder()
{
    const QTemporaryDir portable;
    const QTemporaryDir installed;
    writeStudy(portable.path(), 0);
    addShipped(portable.path());
    writeStudy(installed.path(), 1);
    const QMap<QString, QByteArray> before = learnerView(installed.path());

    const QString zip = portable.filePath(LearnerExport::DefaultFileName(QDate(2025, 4, 1)));
    QVERIFY(LearnerExport::Write(portable.path(), zip).ok());
    QString backup;
    QVERIFY(importInto(installed.path(), zip, &backup).ok());
    QCOMPARE(learnerView(installed.path()), learnerView(portable.path()));
    QVERIFY(!QFileInfo::exists(installed.filePath(QStringLiteral("word/標準テキスト/data2.dat"))));
    QVERIFY(!QFileInfo::exists(DataSwitch::StagePath(installed.path())));

    QVERIFY(backup.startsWith(installed.filePath(QStringLiteral("seiseki/backup/Vocamira_学習データ_"))));
    QVERIFY(importInto(installed.path(), backup).ok());
    QCOMPARE(learnerView(installed.path()), before);
}

void TestLearnerTransfer::comparisonShowsBothSides()
{
    const QTemporaryDir here;
    const QTemporaryDir other;
    writeStudy(here.path(), 0);
    QFile::remove(here.filePath(banks(0)[2].records));
    writeStudy(other.path(), 2, 1);
    QFile::remove(other.filePath(banks(2)[1].records));
    const QString zip = other.filePath(QStringLiteral("study.zip"));
    QVERIFY(LearnerExport::Write(other.path(), zip).ok());

    LearnerImport import(here.path());
    QVERIFY(import.check(zip).ok());
    const TransferComparison comparison =
        TransferComparison::Make(here.path(), nullptr, import.stagedFolder(), import.manifest());
    QStringList rows;
    for (const TransferComparison::Row &row : comparison.rows)
        rows.append(QStringLiteral("%1 %2/%3 %4 %5 | %6/%7 %8 %9")
                        .arg(TransferComparison::BankCaption(row))
                        .arg(row.here.level).arg(row.here.highestLevel).arg(row.here.tests)
                        .arg(row.here.lastTest.date().toString(Qt::ISODate))
                        .arg(row.file.level).arg(row.file.highestLevel).arg(row.file.tests)
                        .arg(row.file.lastTest.date().toString(Qt::ISODate)));
    QCOMPARE(rows, QStringList({QStringLiteral("標準テキスト（和訳） 3/5 2 2025-03-02 | 5/7 3 2025-03-03"),
                                QStringLiteral("標準テキスト（英訳） 1/2 2 2025-03-02 | -1/-1 3 2025-03-03"),
                                QStringLiteral("旅行（英訳） -1/-1 2 2025-03-02 | 2/4 3 2025-03-03")}));
    QCOMPARE(comparison.hereTotal.tests, 6);
    QCOMPARE(comparison.fileTotal.tests, 9);
    QVERIFY(comparison.fileCreated.isValid());
}

// The import is killed before each of its steps, in a process of its own;
// after the next start's recovery the learner has the old study or the new
// one, whole, and never a mix.
void TestLearnerTransfer::killedAtEachStep()
{
    const QTemporaryDir source;
    writeStudy(source.path(), 1);
    const QString zip = source.filePath(QStringLiteral("study.zip"));
    QVERIFY(LearnerExport::Write(source.path(), zip).ok());
    const QMap<QString, QByteArray> newView = learnerView(source.path());

    constexpr int Killed = 9;
    QSet<QString> seen;
    for (int killAt = 0;; ++killAt)
    {
        const QTemporaryDir learner;
        writeStudy(learner.path(), 0);
        const QMap<QString, QByteArray> oldView = learnerView(learner.path());
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0)
        {
            DataSwitch::setStepHook([killAt](int step) {
                if (step == killAt)
                    _exit(Killed);
                return true;
            });
            _exit(importInto(learner.path(), zip).ok() ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        const QString at = QStringLiteral("killed before step %1").arg(killAt);
        QVERIFY2(WEXITSTATUS(status) != 1, qPrintable(at));

        QVERIFY2(DataSwitch::Recover(learner.path()).outcome != DataSwitch::Outcome::Stuck, qPrintable(at));
        const QMap<QString, QByteArray> view = learnerView(learner.path());
        QVERIFY2(view == oldView || view == newView, qPrintable(at));
        QVERIFY2(!QFileInfo::exists(DataSwitch::StagePath(learner.path())), qPrintable(at));
        seen.insert(view == oldView ? QStringLiteral("old") : QStringLiteral("new"));
        if (WEXITSTATUS(status) == 0)
            break;
    }
    QCOMPARE(seen, QSet<QString>({QStringLiteral("old"), QStringLiteral("new")}));
}

QTEST_GUILESS_MAIN(TestLearnerTransfer)
#include "tst_learnertransfer.moc"
