#include <QTest>

#include "testsupport.h"

using namespace Common;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void noSettingsFileMeansStandardJapaneseDirection();
    void pathsFollowDirection_data();
    void pathsFollowDirection();
    void unsafeBankNamesAreNoBank_data();
    void unsafeBankNamesAreNoBank();
    void standardBankParameters();
    void userBankParameters();
    void userBankFallbacks_data();
    void userBankFallbacks();
    void bankDescriptions_data();
    void bankDescriptions();
    void digitsOnly_data();
    void digitsOnly();
};

void TestSettings::noSettingsFileMeansStandardJapaneseDirection()
{
    ProgramFolderFixture folder;
    QVERIFY(!IsUserBank());
    QVERIFY(!IsEnglishAnswer());
    QCOMPARE(DirectionSuffix(), QString());
    QVERIFY(!QFile::exists(CommonIniPath()));
}

void TestSettings::pathsFollowDirection_data()
{
    QTest::addColumn<QString>("transMode");
    QTest::addColumn<QString>("iniName");

    QTest::newRow("英訳") << "英訳" << "my bankE.ini";
    QTest::newRow("和訳") << "和訳" << "my bank.ini";
    QTest::newRow("empty is 和訳") << "" << "my bank.ini";
    QTest::newRow("anything else is 和訳") << "english" << "my bank.ini";
}

void TestSettings::pathsFollowDirection()
{
    QFETCH(QString, transMode);
    QFETCH(QString, iniName);

    ProgramFolderFixture folder;
    folder.setCommon(KeyTextName, QStringLiteral("my bank"));
    folder.setCommon(KeyTransMode, transMode);
    QCOMPARE(CommonIniPath(), folder.filePath(QStringLiteral("ini"), QStringLiteral("tst.ini")));
    QCOMPARE(UserTextIniPath(), folder.filePath(QStringLiteral("ini/ユーザーテキスト"), iniName));
}

void TestSettings::unsafeBankNamesAreNoBank_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << "";
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("slash") << "../../etc/passwd";
    QTest::newRow("backslash") << "..\\tst";
}

void TestSettings::unsafeBankNamesAreNoBank()
{
    QFETCH(QString, name);

    ProgramFolderFixture folder;
    folder.setCommon(KeyTextKind, TextKindUser);
    folder.setCommon(KeyTextName, name);
    QCOMPARE(SafeTextName(), QString());
    QCOMPARE(UserTextIniPath(), QString());
    WriteIniValue(UserTextIni, SectionSyutudai, KeyNumberLevel, QStringLiteral("10"));
    QCOMPARE(ReadIniValue(UserTextIni, SectionSyutudai, KeyNumberLevel), QString());
    QCOMPARE(QDir(folder.path() + QStringLiteral("/ini")).entryList(QDir::Files), QStringList {QStringLiteral("tst.ini")});
}

void TestSettings::standardBankParameters()
{
    ProgramFolderFixture folder;
    QuestionCount = 1705;
    LoadTestSettings();
    QCOMPARE(TimeLimitChallenge, 50);
    QCOMPARE(TimeLimitStudy, 200);
    QCOMPARE(QuestionsPerLevel, 17);
    QCOMPARE(PassPoint, 80);
    QCOMPARE(HighLevelPassPoint, 90);
    QCOMPARE(LevelCount, 100);
    QCOMPARE(ForcedReview, QStringLiteral("有り"));
}

void TestSettings::userBankParameters()
{
    ProgramFolderFixture folder;
    folder.setCommon(KeyTextKind, TextKindUser);
    folder.setCommon(KeyTextName, QStringLiteral("mine"));
    folder.setCommon(KeyTransMode, TransModeEnglish);
    WriteIniValue(UserTextIni, SectionSyutudai, KeyNumberLevel, QStringLiteral("0012"));
    WriteIniValue(UserTextIni, SectionSyutudai, KeyTimeLimit1, QStringLiteral("30"));
    WriteIniValue(UserTextIni, SectionSyutudai, KeyTimeLimit2, QStringLiteral("300"));
    WriteIniValue(UserTextIni, SectionSyutudai, KeyPointPass, QStringLiteral("60"));
    WriteIniValue(UserTextIni, SectionSyutudai, KeyKyosei, QStringLiteral("無し"));
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("ini/ユーザーテキスト"), QStringLiteral("mineE.ini"))));

    QuestionCount = 25;
    LoadTestSettings();
    QCOMPARE(TimeLimitChallenge, 30);
    QCOMPARE(TimeLimitStudy, 300);
    QCOMPARE(QuestionsPerLevel, 12);
    QCOMPARE(PassPoint, 60);
    QCOMPARE(HighLevelPassPoint, 60);
    QCOMPARE(LevelCount, 2);
    QCOMPARE(ForcedReview, QStringLiteral("無し"));
    QVERIFY(folder.messages().isEmpty());
}

void TestSettings::userBankFallbacks_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("missing") << QString();
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-20";
    QTest::newRow("letters") << "ten";
    QTest::newRow("full-width digits") << "２０";
    QTest::newRow("decimal") << "20.5";
    QTest::newRow("too large for 16 bits") << "99999999";
    QTest::newRow("below range") << "9";
    QTest::newRow("above range") << "301";
}

void TestSettings::userBankFallbacks()
{
    QFETCH(QString, value);

    ProgramFolderFixture folder;
    folder.setCommon(KeyTextKind, TextKindUser);
    folder.setCommon(KeyTextName, QStringLiteral("mine"));
    if (!value.isNull())
    {
        for (const QString &key : {KeyNumberLevel, KeyTimeLimit1, KeyTimeLimit2, KeyPointPass})
            WriteIniValue(UserTextIni, SectionSyutudai, key, value);
    }

    QuestionCount = 40;
    LoadTestSettings();
    QCOMPARE(TimeLimitChallenge, 50);
    QCOMPARE(TimeLimitStudy, 200);
    QCOMPARE(QuestionsPerLevel, 17);
    QCOMPARE(PassPoint, 80);
    QCOMPARE(LevelCount, 2);
}

void TestSettings::bankDescriptions_data()
{
    QTest::addColumn<QString>("textKind");
    QTest::addColumn<QString>("transMode");
    QTest::addColumn<QString>("expected");

    QTest::newRow("standard 和訳") << "" << "" << "      < 標準問題 － 和訳 > ";
    QTest::newRow("standard 英訳") << "STANDARD" << "英訳" << "      < 標準問題 － 英訳 > ";
    QTest::newRow("user 和訳") << "USER" << "和訳" << "      < ユーザー問題 － 和訳 ： 単語%1 >";
    QTest::newRow("user 英訳") << "USER" << "英訳" << "      < ユーザー問題 － 英訳 ： 単語%1 >";
}

void TestSettings::bankDescriptions()
{
    QFETCH(QString, textKind);
    QFETCH(QString, transMode);
    QFETCH(QString, expected);

    ProgramFolderFixture folder;
    folder.setCommon(KeyTextKind, textKind);
    folder.setCommon(KeyTransMode, transMode);
    folder.setCommon(KeyTextName, QStringLiteral("単語%1"));
    QCOMPARE(BankDescription(), expected);
}

void TestSettings::digitsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("digits") << "0050" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("space inside") << "1 0" << false;
    QTest::newRow("full-width") << "１０" << false;
    QTest::newRow("sign") << "+10" << false;
}

void TestSettings::digitsOnly()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(IsDigitsOnly(text), expected);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
