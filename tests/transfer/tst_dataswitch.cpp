#include <QTest>

#include "switchsupport.h"
#include "transfer/dataswitch.h"

using namespace SwitchSupport;

class TestDataSwitch : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { DataSwitch::setStepHook({}); }

    void switchesWhole();
    void failAtEachStep_data();
    void failAtEachStep();
    void stageWithoutPlanIsThrownAway();
};

void TestDataSwitch::switchesWhole()
{
    const QTemporaryDir dir;
    prepareOld(dir.path());
    writeFiles(DataSwitch::NewPath(dir.path()), newFiles());
    QCOMPARE(DataSwitch::SwitchIn(dir.path()).outcome, DataSwitch::Outcome::Switched);
    QCOMPARE(learnerView(dir.path()), withUntouched(newFiles()));
    QVERIFY(!QFileInfo::exists(DataSwitch::StagePath(dir.path())));
    QCOMPARE(DataSwitch::Recover(dir.path()).outcome, DataSwitch::Outcome::Nothing);
}

void TestDataSwitch::failAtEachStep_data()
{
    QTest::addColumn<bool>("failingOn"); // every step from the first failure on fails too
    QTest::newRow("one step fails") << false;
    QTest::newRow("every step fails from one on") << true;
}

// Whichever step fails, the switch ends with the old files or the new ones
// whole, and after the next start's recovery with no stage left; a failure
// is told, and the old files are then back.
void TestDataSwitch::failAtEachStep()
{
    QFETCH(bool, failingOn);
    bool reached = true;
    QSet<DataSwitch::Outcome> outcomes;
    for (int failing = 0; reached; ++failing)
    {
        const QTemporaryDir dir;
        prepareOld(dir.path());
        writeFiles(DataSwitch::NewPath(dir.path()), newFiles());
        reached = false;
        DataSwitch::setStepHook([&](int step) {
            reached = reached || step == failing;
            return failingOn ? step < failing : step != failing;
        });
        const DataSwitch::Result result = DataSwitch::SwitchIn(dir.path());
        outcomes.insert(result.outcome);
        const QString at = QStringLiteral("failing at step %1").arg(failing);
        QVERIFY2(result.outcome == DataSwitch::Outcome::Switched || !result.problem.ok(), qPrintable(at));
        if (result.outcome == DataSwitch::Outcome::Undone)
            QVERIFY2(learnerView(dir.path()) == withUntouched(oldFiles()), qPrintable(at));

        // Stuck: neither the moves nor the plan could be undone; the next start
        // goes whichever way the plan says, to either side whole.
        DataSwitch::setStepHook({});
        const DataSwitch::Outcome recovered = DataSwitch::Recover(dir.path()).outcome;
        QVERIFY2(recovered != DataSwitch::Outcome::Stuck, qPrintable(at));
        const Files view = learnerView(dir.path());
        if (result.outcome == DataSwitch::Outcome::Stuck)
            QVERIFY2(view == withUntouched(newFiles()) || view == withUntouched(oldFiles()), qPrintable(at));
        else
            QVERIFY2(view == withUntouched(result.outcome == DataSwitch::Outcome::Switched ? newFiles() : oldFiles()),
                     qPrintable(at));
        QVERIFY2(!QFileInfo::exists(DataSwitch::StagePath(dir.path())), qPrintable(at));
    }
    QVERIFY(outcomes.contains(DataSwitch::Outcome::Undone));
    QVERIFY(outcomes.contains(DataSwitch::Outcome::Switched));
    if (failingOn)
        QVERIFY(outcomes.contains(DataSwitch::Outcome::Stuck));
}

void TestDataSwitch::stageWithoutPlanIsThrownAway()
{
    const QTemporaryDir dir;
    prepareOld(dir.path());
    writeFiles(DataSwitch::NewPath(dir.path()), newFiles());
    QCOMPARE(DataSwitch::Recover(dir.path()).outcome, DataSwitch::Outcome::Nothing);
    QCOMPARE(learnerView(dir.path()), withUntouched(oldFiles()));
    QVERIFY(!QFileInfo::exists(DataSwitch::StagePath(dir.path())));
}

QTEST_GUILESS_MAIN(TestDataSwitch)
#include "tst_dataswitch.moc"
