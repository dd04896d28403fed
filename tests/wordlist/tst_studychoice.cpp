#include <QTest>

#include "bank/questions.h"
#include "records/recordsstore.h"
#include "testsupport.h"
#include "wordlist/studychoice.h"

using Parameters = StudyChoice::Parameters;
Q_DECLARE_METATYPE(StudyChoice::Parameters)

namespace
{
    QStringList bankLines(int count)
    {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << QStringLiteral("word%1").arg(i) << QStringLiteral("意味%1").arg(i) << QStringLiteral("いみ%1").arg(i);
        return lines;
    }

    QString common(const QString &key)
    {
        return Common::ReadIniValue(Common::CommonIni, Common::SectionSyutudai, key);
    }
}

class TestStudyChoice : public QObject
{
    Q_OBJECT

private slots:
    void usable_data();
    void usable();
    void chooseWritesTheSettingsAndLoads_data();
    void chooseWritesTheSettingsAndLoads();
    void chooseKeepsRecords();
    void unwritableSettingsPutTheOldBankBack();
};

void TestStudyChoice::usable_data()
{
    QTest::addColumn<Parameters>("stored");
    QTest::addColumn<int>("count");
    QTest::addColumn<Parameters>("used");

    const Parameters defaults {"10", "50", "200", "80", "有り"};
    QTest::newRow("nothing stored") << Parameters() << 20 << defaults;
    QTest::newRow("all kept") << Parameters {"0015", "30", "300", "100", "無し"} << 20
                              << Parameters {"0015", "30", "300", "100", "無し"};
    QTest::newRow("more per LEVEL than words") << Parameters {"25", "50", "200", "80", "有り"} << 20 << defaults;
    QTest::newRow("out of range and not numbers")
        << Parameters {"9", "301", "1 0", "85", "yes"} << 20 << defaults;
    QTest::newRow("pass point with zeros") << Parameters {"10", "50", "200", "080", "有り"} << 20 << defaults;
    QTest::newRow("too large for the settings") << Parameters {"99999", "50", "200", "80", "有り"} << 100000 << defaults;
}

void TestStudyChoice::usable()
{
    QFETCH(Parameters, stored);
    QFETCH(int, count);
    QFETCH(Parameters, used);
    QCOMPARE(StudyChoice::usable(stored, count), used);
}

void TestStudyChoice::chooseWritesTheSettingsAndLoads_data()
{
    QTest::addColumn<bool>("englishAnswer");
    QTest::newRow("和訳") << false;
    QTest::newRow("英訳") << true;
}

void TestStudyChoice::chooseWritesTheSettingsAndLoads()
{
    QFETCH(bool, englishAnswer);
    ProgramFolderFixture folder;
    folder.writeStandardBank(34);
    ProgramFolderFixture::writeFile(folder.filePath(ProgramFolder::UserWordDir, QStringLiteral("mine.txt")),
                                    bankLines(25).join(QStringLiteral("\r\n")).toUtf8());
    // A pass mark chosen before in the question settings is kept.
    ProgramFolderFixture::writeFile(
        folder.filePath(ProgramFolder::UserIniDir, englishAnswer ? QStringLiteral("mineE.ini") : QStringLiteral("mine.ini")),
        "[SYUTUDAI]\r\nPOINTPASS=60\r\n");
    Common::LoadQuestions();
    Common::LoadTestSettings();

    const StudyChoice::Outcome outcome = StudyChoice::choose(QStringLiteral("mine"), englishAnswer);
    QCOMPARE(outcome.failure, QString());
    QVERIFY(!outcome.hadRecords);
    QCOMPARE(common(Common::KeyTextKind), Common::TextKindUser);
    QCOMPARE(common(Common::KeyTextName), QStringLiteral("mine"));
    QCOMPARE(common(Common::KeyTransMode), englishAnswer ? Common::TransModeEnglish : Common::TransModeJapanese);
    QCOMPARE(StudyChoice::stored(QStringLiteral("mine"), englishAnswer), (Parameters {"10", "50", "200", "60", "有り"}));
    QCOMPARE(Common::QuestionCount, 25);
    QCOMPARE(Common::QuestionsPerLevel, 10);
    QCOMPARE(Common::LevelCount, 2);
    QCOMPARE(Common::PassPoint, 60);
    QCOMPARE(Common::LevelRecords.size(), 3);
    QCOMPARE(StudyChoice::questionsPerLevel(QStringLiteral("mine"), englishAnswer), 10);
    QCOMPARE(StudyChoice::questionsPerLevel(QStringLiteral("other"), englishAnswer), StudyChoice::DefaultQuestionsPerLevel);
}

void TestStudyChoice::chooseKeepsRecords()
{
    ProgramFolderFixture folder;
    folder.useUserBank(QStringLiteral("mine"), bankLines(30));
    ProgramFolderFixture::writeFile(Common::UserTextIniPath(), "[SYUTUDAI]\r\nNUMBERLEVEL=10\r\n");
    Common::LoadQuestions();
    Common::LoadTestSettings();
    Common::LoadRecords();
    Common::CurrentLevel = Common::HighestLevel = 2;
    Common::LevelRecords[2].BestScore = 90;
    QVERIFY(Common::SaveRecords());

    const StudyChoice::Outcome outcome = StudyChoice::choose(QStringLiteral("mine"), false);
    QVERIFY(outcome.hadRecords);
    QCOMPARE(Common::CurrentLevel, 2);
    QCOMPARE(Common::LevelRecords[2].BestScore, 90);
}

void TestStudyChoice::unwritableSettingsPutTheOldBankBack()
{
    ProgramFolderFixture folder;
    folder.writeStandardBank(34);
    folder.setCommon(Common::KeyTextKind, Common::TextKindStandard);
    ProgramFolderFixture::writeFile(folder.filePath(ProgramFolder::UserWordDir, QStringLiteral("mine.txt")),
                                    bankLines(20).join(u'\n').toUtf8());
    // A folder where the bank's settings file should be: it cannot be written.
    QVERIFY(QDir(folder.filePath(ProgramFolder::UserIniDir, QString())).mkpath(QStringLiteral("mine.ini")));
    Common::LoadQuestions();
    Common::LoadTestSettings();

    const StudyChoice::Outcome outcome = StudyChoice::choose(QStringLiteral("mine"), false);
    QVERIFY(outcome.failure.contains(QStringLiteral("mine.ini")));
    QCOMPARE(common(Common::KeyTextKind), Common::TextKindStandard);
    QCOMPARE(Common::QuestionCount, 34);
    QCOMPARE(Common::QuestionsPerLevel, 17);
    QCOMPARE(Common::LevelRecords.size(), 3);
}

QTEST_GUILESS_MAIN(TestStudyChoice)
#include "tst_studychoice.moc"
