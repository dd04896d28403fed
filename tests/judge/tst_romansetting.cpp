#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "core/cp932.h"
#include "judge/judge.h"
#include "judge/judgetable.h"
#include "judge/romansetting.h"
#include "judge/romansettings.h"
#include "testsupport.h"

namespace
{
    int slotOf(const RomanSetting &dialog, const QString &unit)
    {
        for (int i = 0; i < RomanSetting::UnitSlots; ++i)
        {
            if (dialog.Label3[i]->text() == unit)
                return i;
        }
        return -1;
    }

    void choose(QComboBox *combo, const QString &entry)
    {
        const int index = combo->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), entry);
    }

    QList<std::array<QString, 3>> tableSpellings()
    {
        QList<std::array<QString, 3>> spellings;
        for (const JudgeTableSet::JudgeRow &row : JudgeTableSet::JudgeTable)
            spellings.append(row.Spellings);
        return spellings;
    }

    QStringList romanIniLines()
    {
        const QString text = Cp932::decode(ProgramFolderFixture::readFile(JudgeTableSet::RomanIniPath()));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        if (lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
}

class TestRomanSetting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsEverySelectableUnit_data();
    void listsEverySelectableUnit();
    void okWritesEveryUnitAndAppliesTheChoice();
    void markersAreStoredAsMarkers();
    void reopeningShowsTheChoices();
    void cancelChangesNothing();
    void failedWriteKeepsTheDialogOpen();

private:
    void pressOk(RomanSetting &dialog);

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestRomanSetting::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    JudgeTableSet::BuildJudgeTable();
}

void TestRomanSetting::cleanup()
{
    m_folder.reset();
    JudgeTableSet::BuildJudgeTable();
}

void TestRomanSetting::pressOk(RomanSetting &dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("OKButton")), Qt::LeftButton);
}

void TestRomanSetting::listsEverySelectableUnit_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("shown");
    QTest::newRow("か") << "か" << "ka";
    QTest::newRow("し") << "し" << "si";
    QTest::newRow("ん") << "ん" << "n";
    QTest::newRow("っ") << "っ" << "子音重ね";
    QTest::newRow("ちゃ") << "ちゃ" << "tya";
}

void TestRomanSetting::listsEverySelectableUnit()
{
    QFETCH(QString, unit);
    QFETCH(QString, shown);

    RomanSetting dialog;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ローマ字表示設定"));
    for (int i = 0; i < 48; ++i)
    {
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("Label3_%1").arg(i));
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("Combo1_%1").arg(i));
        QVERIFY(label && combo);
        QVERIFY(!label->text().isEmpty());
        QVERIFY(combo->isVisible() && !combo->isEditable());
        QCOMPARE(combo->currentIndex(), 0);
    }
    QCOMPARE(dialog.Label3[0]->text(), QStringLiteral("か"));
    QCOMPARE(dialog.Label3[47]->text(), QStringLiteral("うぇ"));
    QVERIFY(dialog.Label3[48]->text().isEmpty());
    QVERIFY(!dialog.findChild<QComboBox *>(QStringLiteral("Combo1_48"))->isVisible());

    const int slot = slotOf(dialog, unit);
    QVERIFY(slot >= 0);
    QCOMPARE(dialog.Combo1[slot]->currentText(), shown);
}

void TestRomanSetting::okWritesEveryUnitAndAppliesTheChoice()
{
    RomanSetting dialog;
    dialog.show();
    choose(dialog.Combo1[slotOf(dialog, QStringLiteral("し"))], QStringLiteral("shi"));
    pressOk(dialog);

    QCOMPARE(m_folder->messages(), QStringList{"設定を保存しました"});
    QVERIFY(!dialog.isVisible());
    const QStringList lines = romanIniLines();
    QCOMPARE(lines.size(), 48);
    QCOMPARE(lines.at(0), QStringLiteral("\"か\",\"ka\""));
    QCOMPARE(lines.at(1), QStringLiteral("\"く\",\"ku\""));
    QVERIFY(lines.contains(QStringLiteral("\"し\",\"shi\"")));
    QVERIFY(lines.last().startsWith(QStringLiteral("\"うぇ\",")));

    const int row = JudgeTableSet::findRow(u"し");
    QCOMPARE(JudgeTableSet::JudgeTable[row].Spellings,
             (std::array<QString, 3>{QStringLiteral("shi"), QStringLiteral("si"), QStringLiteral("ci")}));
    QCOMPARE(Judge::MakeRomaGuide(QStringLiteral("しか")), QStringLiteral("shika"));
}

void TestRomanSetting::markersAreStoredAsMarkers()
{
    RomanSetting dialog;
    dialog.show();
    choose(dialog.Combo1[slotOf(dialog, QStringLiteral("ん"))], QStringLiteral("nn"));
    pressOk(dialog);
    QVERIFY(romanIniLines().contains(QStringLiteral("\"ん\",\"nn\"")));
    QVERIFY(romanIniLines().contains(QStringLiteral("\"っ\",\"~\"")));
    QCOMPARE(Judge::MakeRomaGuide(QStringLiteral("かんた")), QStringLiteral("kannta"));

    RomanSetting again;
    again.show();
    choose(again.Combo1[slotOf(again, QStringLiteral("ん"))], QStringLiteral("n"));
    pressOk(again);
    QVERIFY(romanIniLines().contains(QStringLiteral("\"ん\",\"|\"")));
    QCOMPARE(Judge::MakeRomaGuide(QStringLiteral("かんた")), QStringLiteral("kanta"));
}

void TestRomanSetting::reopeningShowsTheChoices()
{
    {
        RomanSetting dialog;
        dialog.show();
        choose(dialog.Combo1[slotOf(dialog, QStringLiteral("し"))], QStringLiteral("ci"));
        choose(dialog.Combo1[slotOf(dialog, QStringLiteral("っ"))], QStringLiteral("xtu"));
        pressOk(dialog);
    }
    RomanSetting again;
    QCOMPARE(again.Combo1[slotOf(again, QStringLiteral("し"))]->currentText(), QStringLiteral("ci"));
    QCOMPARE(again.Combo1[slotOf(again, QStringLiteral("っ"))]->currentText(), QStringLiteral("xtu"));
    QCOMPARE(again.Combo1[slotOf(again, QStringLiteral("か"))]->currentText(), QStringLiteral("ka"));

    // The next start applies the file to a fresh table.
    JudgeTableSet::BuildJudgeTable();
    JudgeTableSet::ApplyRomanSettings();
    RomanSetting afterRestart;
    QCOMPARE(afterRestart.Combo1[slotOf(afterRestart, QStringLiteral("し"))]->currentText(), QStringLiteral("ci"));
}

void TestRomanSetting::cancelChangesNothing()
{
    const auto table = tableSpellings();
    RomanSetting dialog;
    dialog.show();
    choose(dialog.Combo1[slotOf(dialog, QStringLiteral("し"))], QStringLiteral("shi"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("CancelButton")), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(JudgeTableSet::RomanIniPath()));
    QCOMPARE(tableSpellings(), table);
    QVERIFY(m_folder->messages().isEmpty());
}

void TestRomanSetting::failedWriteKeepsTheDialogOpen()
{
    QVERIFY(QDir(m_folder->path() + QStringLiteral("/ini")).removeRecursively());
    QVERIFY(!QDir(m_folder->path() + QStringLiteral("/ini")).exists());
    const auto table = tableSpellings();

    RomanSetting dialog;
    dialog.show();
    choose(dialog.Combo1[slotOf(dialog, QStringLiteral("し"))], QStringLiteral("shi"));
    pressOk(dialog);

    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages().first().contains(QStringLiteral("Roman.ini")));
    QVERIFY(dialog.isVisible());
    QCOMPARE(tableSpellings(), table);
}

QTEST_MAIN(TestRomanSetting)
#include "tst_romansetting.moc"
