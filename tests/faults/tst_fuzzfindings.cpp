#include <QTest>

#include "bank/gsxseq.h"
#include "records/recordsstore.h"
#include "testsupport.h"

using namespace Common;

// The inputs with which the fuzz harnesses found a fault, replayed the way
// the harness fed them.
class TestFuzzFindings : public QObject
{
    Q_OBJECT

private slots:
    void savedRecordsLoadBack_data();
    void savedRecordsLoadBack();
};

void TestFuzzFindings::savedRecordsLoadBack_data()
{
    // First byte: LevelCount; the rest: the lines of the records text form.
    QTest::addColumn<QByteArray>("input");

    QTest::newRow("unquoted text holding quotes")
        << QByteArray("\x01" "1,0,$\"x\"y,1,\"\",#1899-12-30#\n#1899-12-30#,0,0,0,0,0,#1899-12-30#,0,#1899-12-30#");
    QTest::newRow("fuzz records crash-520e89de") << QByteArray::fromHex(
        "06362c322c2422222c362c228e5293632c2091be9859222c23323032342d30332d3031230a23323032342d30312d3032232c312c31"
        "2c322c332c39302c23323032342d30322d3031232c31323334352e3637382c23323032342d30322d3032230a23323032342d300531"
        "2c302c22222c312c22222c23313839392d31322d3330230a23323032342d30312d30352031323a30303a3030232c312c302c302c30"
        "2c38302c234e554c4c232c312e3565332c23230a302c233203302c322c22222c302c228e5293632c2091be9859222c23323032342d"
        "30332d3031337606eb230a23323032342d30312d3032232c312c312c322c332c39302c23323032342d30323032342d30322d303123"
        "2c313233342d3031232c3132333435352e3637382c2332302e");
}

void TestFuzzFindings::savedRecordsLoadBack()
{
    QFETCH(QByteArray, input);

    ProgramFolderFixture folder;
    LevelCount = quint8(input[0]) % 120;
    QVERIFY(GsxSeq::WriteContainerFile(RecordDataPath(), QString::fromUtf8(input.mid(1)).split(u'\n')));
    LoadRecords();
    folder.takeMessages();

    // Whatever loaded is saved so that it loads back, with nothing lost.
    QVERIFY(SaveRecords());
    LoadRecords();
    QCOMPARE(folder.messages(), QStringList());
    const QString spare = RecordSpare;
    const int highest = HighestLevel;
    const QList<LevelRecord> rows = LevelRecords;
    QVERIFY(SaveRecords());
    LoadRecords();
    QCOMPARE(folder.messages(), QStringList());
    QCOMPARE(RecordSpare, spare);
    QCOMPARE(HighestLevel, highest);
    QCOMPARE(LevelRecords, rows);
}

QTEST_GUILESS_MAIN(TestFuzzFindings)
#include "tst_fuzzfindings.moc"
