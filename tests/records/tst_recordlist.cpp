#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui_shared/modal.h"
#include "records/max.h"
#include "records/record.h"
#include "records/recordpages.h"
#include "records/recordrank.h"
#include "testsupport.h"

namespace
{
    const QColor Red(255, 0, 0);
    const QColor Blue(0, 0, 255);
    const QColor Black(0, 0, 0);

    // Records of `levelCount` LEVELs with `highest` reached; each reached
    // LEVEL n was reached on day n of 2024 and has one passed challenge.
    void setRecords(int levelCount, int highest, int current)
    {
        Common::LevelCount = levelCount;
        Common::HighestLevel = highest;
        Common::CurrentLevel = current;
        Common::LevelRecords = QList<Common::LevelRecord>(levelCount + 1);
        for (int level = 1; level <= std::min(highest, levelCount); ++level)
        {
            Common::LevelRecord &record = Common::LevelRecords[level];
            record.ReachedDate = QDate(2024, 1, 1).addDays(level - 1);
            record.ChallengePassCount = 1;
            record.BestScore = 80;
            record.BestScoreDate = record.ReachedDate;
        }
    }

    QString cell(const Record &view, const char *group, int row)
    {
        return view.findChild<QLabel *>(QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(row))->text();
    }

    QColor cellColour(const Record &view, const char *group, int row)
    {
        return view.findChild<QLabel *>(QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(row))
            ->palette()
            .color(QPalette::WindowText);
    }

    // All thirteen cells of a row share its visibility.
    bool rowVisible(const Record &view, int row)
    {
        const char *frames[] = {"Picture5",  "Picture6",  "Picture18", "Picture19", "Picture20",
                                "Picture21", "Picture22", "Picture23", "Picture9",  "Picture10",
                                "Picture7",  "Picture14", "Picture8"};
        int shown = 0;
        for (const char *frame : frames)
            shown += view.findChild<QWidget *>(QStringLiteral("%1_%2").arg(QLatin1String(frame)).arg(row))->isVisible();
        if (shown != 0 && shown != 13)
            qWarning("row %d is partly visible", row);
        return shown == 13;
    }

    QStringList listedLevels(const Record &view)
    {
        QStringList levels;
        for (int row = 0; row < Record::Rows; ++row)
        {
            if (rowVisible(view, row))
                levels << cell(view, "Label5", row);
        }
        return levels;
    }

    QPushButton *button(const Record &view, const char *name)
    {
        return view.findChild<QPushButton *>(QLatin1String(name));
    }
}

class TestRecordList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rank_data();
    void rank();
    void paging_data();
    void paging();

    void onePage();
    void twoPages();
    void pagingButtonsKeepTheirPlaces();
    void cellsOfALevel();
    void rankCells_data();
    void rankCells();
    void certificateButton_data();
    void certificateButton();
    void recordsBeyondTheBank();

private:
    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestRecordList::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
}

void TestRecordList::cleanup()
{
    Modal::setRunner({});
    m_folder.reset();
}

void TestRecordList::rank_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("colour");

    QTest::newRow("14.999") << 14.999 << "SS" << int(EmphasisColor::Red);
    QTest::newRow("15.000") << 15.0 << "S" << int(EmphasisColor::Blue);
    QTest::newRow("19.999") << 19.999 << "S" << int(EmphasisColor::Blue);
    QTest::newRow("20.000") << 20.0 << "A" << int(EmphasisColor::Black);
    QTest::newRow("25.000") << 25.0 << "B" << int(EmphasisColor::Black);
    QTest::newRow("29.999") << 29.999 << "B" << int(EmphasisColor::Black);
    QTest::newRow("30.000") << 30.0 << "C" << int(EmphasisColor::Black);
}

void TestRecordList::rank()
{
    QFETCH(double, seconds);
    QFETCH(QString, letter);
    QFETCH(int, colour);
    const Common::TimeRank rank = Common::RankOfTime(seconds);
    QCOMPARE(rank.letter, letter);
    QCOMPARE(int(rank.colour), colour);
}

void TestRecordList::paging_data()
{
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("levelCount");
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("pages");

    QTest::newRow("new learner") << 0 << 20 << 1 << 1;
    QTest::newRow("4 of 20") << 4 << 20 << 5 << 1;
    QTest::newRow("9 of 20") << 9 << 20 << 10 << 1;
    QTest::newRow("10 of 20") << 10 << 20 << 11 << 2;
    QTest::newRow("15 of 20") << 15 << 20 << 16 << 2;
    QTest::newRow("17 of 17") << 17 << 17 << 17 << 2;
    QTest::newRow("100 of 100") << 100 << 100 << 100 << 10;
    QTest::newRow("beyond the bank") << 25 << 17 << 17 << 2;
    QTest::newRow("empty bank") << 0 << 0 << 0 << 0;
}

void TestRecordList::paging()
{
    QFETCH(int, highest);
    QFETCH(int, levelCount);
    QFETCH(int, listed);
    QFETCH(int, pages);
    QCOMPARE(Common::ListedLevelCount(highest, levelCount), listed);
    QCOMPARE(Common::RecordPageCount(listed), pages);
    QCOMPARE(Common::TopLevelOfPage(listed, pages), listed - (pages - 1) * 10);
}

void TestRecordList::onePage()
{
    setRecords(20, 4, 3);
    Record view;
    view.show();

    QCOMPARE(view.windowTitle(), QStringLiteral("成績一覧      < 標準問題 － 和訳 > "));
    QCOMPARE(view.findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("LEVEL 3"));
    QCOMPARE(view.findChild<QLabel *>(QStringLiteral("Label4"))->text(), QStringLiteral("LEVEL 4"));
    QCOMPARE(listedLevels(view), (QStringList{"5", "4", "3", "2", "1"}));
    for (int row = 5; row < 10; ++row)
        QVERIFY(!rowVisible(view, row));
    QCOMPARE(cell(view, "Label6", 0), QStringLiteral("-"));
    QCOMPARE(cell(view, "Label6", 1), QStringLiteral("2024/01/04"));
    QVERIFY(!button(view, "Command1")->isVisible());
    QVERIFY(!button(view, "Command2")->isVisible());
    QVERIFY(!button(view, "Command3")->isVisible());

    QTest::mouseClick(button(view, "OKButton"), Qt::LeftButton);
    QVERIFY(!view.isVisible());
}

void TestRecordList::twoPages()
{
    m_folder->setCommon(Common::KeyTransMode, Common::TransModeEnglish);
    setRecords(20, 15, 15);
    Record view;
    view.show();
    QCOMPARE(view.windowTitle(), QStringLiteral("成績一覧      < 標準問題 － 英訳 > "));
    QCOMPARE(listedLevels(view), (QStringList{"16", "15", "14", "13", "12", "11", "10", "9", "8", "7"}));
    QVERIFY(!button(view, "Command1")->isVisible());
    QVERIFY(button(view, "Command2")->isVisible());

    QTest::mouseClick(button(view, "Command2"), Qt::LeftButton);
    QCOMPARE(view.CurrentPage, 2);
    QCOMPARE(listedLevels(view), (QStringList{"6", "5", "4", "3", "2", "1"}));
    QVERIFY(button(view, "Command1")->isVisible());
    QVERIFY(!button(view, "Command2")->isVisible());

    QTest::mouseClick(button(view, "Command1"), Qt::LeftButton);
    QCOMPARE(listedLevels(view).first(), QStringLiteral("16"));
    QVERIFY(!button(view, "Command1")->isVisible());
}

// ▲ and ▼ keep their places whichever of them is hidden, so clicking the
// same spot pages on in one direction.
void TestRecordList::pagingButtonsKeepTheirPlaces()
{
    setRecords(40, 25, 25);
    Record view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::mouseClick(button(view, "Command2"), Qt::LeftButton);
    QCOMPARE(view.CurrentPage, 2);
    const QRect up = button(view, "Command1")->geometry();
    const QRect down = button(view, "Command2")->geometry();
    QVERIFY(up.isValid() && down.isValid() && !up.intersects(down));

    QTest::mouseClick(button(view, "Command2"), Qt::LeftButton);
    QCOMPARE(view.CurrentPage, 3);
    QVERIFY(!button(view, "Command2")->isVisible());
    QCOMPARE(button(view, "Command1")->geometry(), up);

    for (int page = 2; page >= 1; --page)
    {
        QWidget *atTheSpot = view.childAt(up.center());
        QCOMPARE(atTheSpot, button(view, "Command1"));
        QTest::mouseClick(atTheSpot, Qt::LeftButton);
        QCOMPARE(view.CurrentPage, page);
        QCOMPARE(button(view, "Command2")->geometry(), down);
    }
    QVERIFY(!button(view, "Command1")->isVisible());
}

void TestRecordList::cellsOfALevel()
{
    setRecords(20, 3, 3);
    Common::LevelRecord &perfect = Common::LevelRecords[3];
    perfect.ChallengePassCount = 2;
    perfect.ChallengeFailCount = 3;
    perfect.PracticePassCount = 4;
    perfect.PracticeFailCount = 1;
    perfect.BestScore = 100;
    perfect.BestScoreDate = QDate(2024, 2, 1);
    perfect.BestTime = 21234.5;
    perfect.BestTimeDate = QDate(2024, 2, 2);
    Common::LevelRecords[2].BestScore = 90;
    Common::LevelRecords[1] = Common::LevelRecord();
    Common::LevelRecords[1].ReachedDate = QDate(2024, 1, 1);

    Record view;
    view.show();
    QCOMPARE(listedLevels(view), (QStringList{"4", "3", "2", "1"}));
    const QStringList row1{cell(view, "Label19", 1), cell(view, "Label20", 1), cell(view, "Label21", 1),
                           cell(view, "Label22", 1), cell(view, "Label23", 1), cell(view, "Label24", 1)};
    QCOMPARE(row1, (QStringList{"5", "2", "3", "5", "4", "1"}));
    QCOMPARE(cell(view, "Label7", 1), QStringLiteral("100点"));
    QCOMPARE(cellColour(view, "Label7", 1), Red);
    QCOMPARE(cell(view, "Label8", 1), QStringLiteral("2024/02/01"));
    QCOMPARE(cell(view, "Label9", 1), QStringLiteral("21.235秒"));
    QCOMPARE(cell(view, "Label16", 1), QStringLiteral("A"));
    QCOMPARE(cell(view, "Label10", 1), QStringLiteral("2024/02/02"));

    QCOMPARE(cell(view, "Label7", 2), QStringLiteral("90点"));
    QCOMPARE(cellColour(view, "Label7", 2), Black);

    // Reached but never tested, and never finished perfectly.
    for (const char *group : {"Label7", "Label8", "Label9", "Label16", "Label10"})
        QCOMPARE(cell(view, group, 3), QStringLiteral("-"));
    QCOMPARE(cell(view, "Label19", 3), QStringLiteral("0"));
    QCOMPARE(cell(view, "Label6", 3), QStringLiteral("2024/01/01"));
}

void TestRecordList::rankCells_data()
{
    QTest::addColumn<double>("milliseconds");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("rank");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("14.999") << 14999.0 << "14.999秒" << "SS" << Red;
    QTest::newRow("15.000") << 15000.0 << "15.000秒" << "S" << Blue;
    QTest::newRow("30.000") << 30000.0 << "30.000秒" << "C" << Black;
}

void TestRecordList::rankCells()
{
    QFETCH(double, milliseconds);
    QFETCH(QString, time);
    QFETCH(QString, rank);
    QFETCH(QColor, colour);

    setRecords(5, 1, 1);
    Common::LevelRecords[1].BestTime = milliseconds;
    Record view;
    QCOMPARE(cell(view, "Label5", 1), QStringLiteral("1"));
    QCOMPARE(cell(view, "Label9", 1), time);
    QCOMPARE(cell(view, "Label16", 1), rank);
    QCOMPARE(cellColour(view, "Label16", 1), colour);
}

void TestRecordList::certificateButton_data()
{
    QTest::addColumn<bool>("userBank");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("offered");

    QTest::newRow("standard at the top") << false << 17 << true;
    QTest::newRow("standard below the top") << false << 16 << false;
    QTest::newRow("user bank at the top") << true << 17 << false;
}

void TestRecordList::certificateButton()
{
    QFETCH(bool, userBank);
    QFETCH(int, current);
    QFETCH(bool, offered);

    if (userBank)
    {
        m_folder->setCommon(Common::KeyTextKind, Common::TextKindUser);
        m_folder->setCommon(Common::KeyTextName, QStringLiteral("mine"));
    }
    setRecords(17, 17, current);
    Common::CertificateName = QStringLiteral("山田");
    Common::CertificateDate = QDate(2024, 3, 1);
    // The certificate lives only while it is shown: look at it then.
    QStringList shown;
    QWidget *owner = nullptr;
    Modal::setRunner([&](QDialog &dialog) {
        shown.append(QLatin1String(dialog.metaObject()->className()));
        owner = dialog.parentWidget();
        return int(QDialog::Accepted);
    });

    Record view;
    view.show();
    QCOMPARE(listedLevels(view).first(), QStringLiteral("17"));
    QCOMPARE(button(view, "Command3")->text(), QStringLiteral("賞状表示"));
    QCOMPARE(button(view, "Command3")->isVisible(), offered);
    if (!offered)
        return;
    QTest::mouseClick(button(view, "Command3"), Qt::LeftButton);
    QCOMPARE(shown, QStringList{QString::fromLatin1(Max::staticMetaObject.className())});
    QCOMPARE(owner, &view);
    QVERIFY(view.isVisible());
}

// Records kept from a time when the bank had more LEVELs.
void TestRecordList::recordsBeyondTheBank()
{
    setRecords(3, 3, 3);
    Common::HighestLevel = 7;
    Record view;
    view.show();
    QCOMPARE(view.ListedLevels, 3);
    QCOMPARE(listedLevels(view), (QStringList{"3", "2", "1"}));
    QVERIFY(!button(view, "Command2")->isVisible());
    QCOMPARE(view.findChild<QLabel *>(QStringLiteral("Label4"))->text(), QStringLiteral("LEVEL 7"));
}

QTEST_MAIN(TestRecordList)
#include "tst_recordlist.moc"
