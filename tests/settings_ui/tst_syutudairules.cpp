#include <QTest>

#include "settings_ui/syutudairules.h"
#include "testsupport.h"

namespace
{
    const QString PerLevelMissing = QStringLiteral("１LEVEL当たりの問題数を入力してください");
    const QString PerLevelRange = QStringLiteral("１LEVEL当たりの問題数には10～全問題数の間の整数を入力してください");
    const QString ChallengeMissing = QStringLiteral("制限時間（レベル上げ）を入力してください");
    const QString ChallengeRange = QStringLiteral("制限時間（レベル上げ）には10～300の間の整数を入力してください");
    const QString StudyMissing = QStringLiteral("制限時間（予習/復習）を入力してください");
    const QString StudyRange = QStringLiteral("制限時間（予習/復習）には10～300の間の整数を入力してください");

    // A user bank of 25 questions whose fields all pass.
    Common::SyutudaiFields userFields()
    {
        Common::SyutudaiFields fields;
        fields.userChosen = true;
        fields.userName = QStringLiteral("mine");
        fields.questionCount = QStringLiteral("25");
        fields.questionsPerLevel = QStringLiteral("10");
        fields.timeLimitChallenge = QStringLiteral("50");
        fields.timeLimitStudy = QStringLiteral("200");
        fields.passPointChosen = true;
        fields.forcedReviewChosen = true;
        return fields;
    }
}

class TestSyutudaiRules : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void standardBankSkipsParameterChecks();
    void levelCount_data();
    void levelCount();
    void userTextNames();
};

void TestSyutudaiRules::checks_data()
{
    QTest::addColumn<QString>("perLevel");
    QTest::addColumn<QString>("challenge");
    QTest::addColumn<QString>("study");
    QTest::addColumn<QString>("message");

    const QString ok;
    QTest::newRow("all pass") << "10" << "50" << "200" << ok;
    QTest::newRow("leading zeros") << "0010" << "0050" << "0200" << ok;
    QTest::newRow("per level empty") << "" << "50" << "200" << PerLevelMissing;
    QTest::newRow("per level 9") << "9" << "50" << "200" << PerLevelRange;
    QTest::newRow("per level 26") << "26" << "50" << "200" << PerLevelRange;
    QTest::newRow("per level blank inside") << "1 0" << "50" << "200" << PerLevelRange;
    QTest::newRow("per level full-width") << "１０" << "50" << "200" << PerLevelRange;
    QTest::newRow("per level eight digits") << "12345678" << "50" << "200" << PerLevelRange;
    QTest::newRow("per level huge") << "99999999999999999999999" << "50" << "200" << PerLevelRange;
    QTest::newRow("challenge empty") << "10" << "" << "200" << ChallengeMissing;
    QTest::newRow("challenge 9") << "10" << "9" << "200" << ChallengeRange;
    QTest::newRow("challenge 10") << "10" << "10" << "200" << ok;
    QTest::newRow("challenge 300") << "10" << "300" << "200" << ok;
    QTest::newRow("challenge 301") << "10" << "301" << "200" << ChallengeRange;
    QTest::newRow("challenge eight digits") << "10" << "00000050" << "200" << ok;
    QTest::newRow("challenge 16-bit overflow") << "10" << "40000" << "200" << ChallengeRange;
    QTest::newRow("study empty") << "10" << "50" << "" << StudyMissing;
    QTest::newRow("study 301") << "10" << "50" << "301" << StudyRange;
    QTest::newRow("study eight digits") << "10" << "50" << "12345678" << StudyRange;
}

void TestSyutudaiRules::checks()
{
    QFETCH(QString, perLevel);
    QFETCH(QString, challenge);
    QFETCH(QString, study);
    QFETCH(QString, message);

    Common::SyutudaiFields fields = userFields();
    fields.questionsPerLevel = perLevel;
    fields.timeLimitChallenge = challenge;
    fields.timeLimitStudy = study;
    QCOMPARE(Common::FirstFailedCheck(fields), message);
}

void TestSyutudaiRules::standardBankSkipsParameterChecks()
{
    Common::SyutudaiFields fields;
    fields.standardChosen = true;
    fields.standardName = QStringLiteral("標準");
    fields.questionsPerLevel = QStringLiteral("x");
    QCOMPARE(Common::FirstFailedCheck(fields), QString());

    fields.standardName.clear();
    QCOMPARE(Common::FirstFailedCheck(fields), QStringLiteral("問題文（標準）を選択してください"));
}

void TestSyutudaiRules::levelCount_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("perLevel");
    QTest::addColumn<QString>("levels");

    QTest::newRow("exact") << "25" << "10" << "2";
    QTest::newRow("rounded down") << "34" << "17" << "2";
    QTest::newRow("leading zeros") << "25" << "0010" << "2";
    QTest::newRow("more than count") << "25" << "26" << "0";
    QTest::newRow("zero") << "25" << "0" << "";
    QTest::newRow("letters") << "25" << "ab" << "";
    QTest::newRow("empty") << "25" << "" << "";
    QTest::newRow("too large") << "25" << "12345678" << "";
    QTest::newRow("no bank") << "" << "10" << "";
}

void TestSyutudaiRules::levelCount()
{
    QFETCH(QString, count);
    QFETCH(QString, perLevel);
    QFETCH(QString, levels);
    QCOMPARE(Common::LevelCountText(count, perLevel), levels);
}

void TestSyutudaiRules::userTextNames()
{
    ProgramFolderFixture folder;
    const QString dir = folder.path() + QStringLiteral("/word/ユーザーテキスト");
    for (const QString &name : {QStringLiteral("動詞.txt"), QStringLiteral("a.txt"), QStringLiteral("abc"),
                                QStringLiteral("x.txt"), QStringLiteral(".txt"), QStringLiteral("notes.csv")})
        ProgramFolderFixture::writeFile(dir + u'/' + name, "x\r\n");
    QDir(dir).mkdir(QStringLiteral("folder.txt"));

    QCOMPARE(Common::UserTextNames(dir), (QStringList{QStringLiteral("a"), QStringLiteral("notes"),
                                                      QStringLiteral("x"), QStringLiteral("動詞")}));
    QCOMPARE(Common::UserTextNames(folder.path() + QStringLiteral("/missing")), QStringList());
}

QTEST_GUILESS_MAIN(TestSyutudaiRules)
#include "tst_syutudairules.moc"
