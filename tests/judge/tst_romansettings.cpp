#include <QTest>

#include <QFile>

#include <csignal>
#include <sys/resource.h>

#include "core/cp932.h"
#include "judge/judge.h"
#include "judge/judgetable.h"
#include "judge/romansettings.h"
#include "judgedriver.h"
#include "testsupport.h"

using JudgeTableSet::JudgeTable;

namespace
{
    // What the dialog writes when nothing was changed: column 0 of every selectable row.
    QList<JudgeTableSet::RomanChoice> currentChoices()
    {
        QList<JudgeTableSet::RomanChoice> choices;
        for (const auto &row : JudgeTable)
        {
            if (row.Selectable == u"1"_qs)
                choices.append({row.Unit, row.Spellings[0]});
        }
        return choices;
    }

    QStringList column0(const QStringList &units)
    {
        QStringList spellings;
        for (const QString &unit : units)
            spellings.append(JudgeTable[JudgeTableSet::findRow(unit)].Spellings[0]);
        return spellings;
    }

    // Keeps files from growing past a few bytes, which fails a write even for root.
    class FileSizeLimit
    {
    public:
        explicit FileSizeLimit(rlim_t bytes)
        {
            getrlimit(RLIMIT_FSIZE, &m_old);
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = m_old;
            limit.rlim_cur = bytes;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~FileSizeLimit()
        {
            setrlimit(RLIMIT_FSIZE, &m_old);
            std::signal(SIGXFSZ, m_oldHandler);
        }

    private:
        rlimit m_old {};
        void (*m_oldHandler)(int) = nullptr;
    };
}

class TestRomanSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void missingFileChangesNothing();
    void writesOneRecordPerChoice();
    void choiceReadBack_data();
    void choiceReadBack();
    void handEditedLines_data();
    void handEditedLines();
    void applyingTwiceKeepsTheDisplay();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();

private:
    void writeIni(const QByteArray &bytes) { ProgramFolderFixture::writeFile(JudgeTableSet::RomanIniPath(), bytes); }

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestRomanSettings::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    JudgeTableSet::BuildJudgeTable();
}

void TestRomanSettings::cleanup()
{
    m_folder.reset();
}

void TestRomanSettings::missingFileChangesNothing()
{
    QCOMPARE(JudgeTableSet::RomanIniPath(), m_folder->path() + u"/ini/Roman.ini"_qs);
    JudgeTableSet::ApplyRomanSettings();
    QCOMPARE(column0({u"か"_qs, u"し"_qs, u"ん"_qs, u"っ"_qs, u"ちゃ"_qs}),
             QStringList({u"ka"_qs, u"si"_qs, u"|"_qs, u"~"_qs, u"tya"_qs}));
    QVERIFY(m_folder->messages().isEmpty());
}

void TestRomanSettings::writesOneRecordPerChoice()
{
    QVERIFY(JudgeTableSet::WriteRomanSettings(currentChoices()));
    const QByteArray bytes = ProgramFolderFixture::readFile(JudgeTableSet::RomanIniPath());
    QVERIFY(bytes.startsWith("\"\x82\xa9\",\"ka\"\r\n\"\x82\xad\",\"ku\"\r\n")); // か, く in code page 932
    const QStringList lines = Cp932::decode(bytes).split(u"\r\n"_qs);
    QCOMPARE(lines.size(), 49);
    QVERIFY(lines.last().isEmpty());
    QCOMPARE(lines[lines.size() - 2], u"\"うぇ\",\"we\""_qs);
    QVERIFY(lines.contains(u"\"ん\",\"|\""_qs));
    QVERIFY(lines.contains(u"\"っ\",\"~\""_qs));
    QVERIFY(m_folder->messages().isEmpty());
}

void TestRomanSettings::choiceReadBack_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("spellings");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("guide");
    QTest::addColumn<QString>("otherKeys"); // still accepted

    QTest::newRow("shi") << u"し"_qs << u"shi"_qs << QStringList {u"shi"_qs, u"si"_qs, u"ci"_qs} << u"しか"_qs
                         << u"shika"_qs << u"sika"_qs;
    QTest::newRow("nn") << u"ん"_qs << u"nn"_qs << QStringList {u"nn"_qs, u"|"_qs, u"xn"_qs} << u"かんじ"_qs
                        << u"kannji"_qs << u"kanji"_qs;
    QTest::newRow("xtu") << u"っ"_qs << u"xtu"_qs << QStringList {u"xtu"_qs, u"~"_qs, u"ltu"_qs} << u"きって"_qs
                         << u"kixtute"_qs << u"kitte"_qs;
    QTest::newRow("cha") << u"ちゃ"_qs << u"cha"_qs << QStringList {u"cha"_qs, u"cya"_qs, u"tya"_qs} << u"まっちゃ"_qs
                         << u"maccha"_qs << u"mattya"_qs;
    QTest::newRow("vyi, followed by ゔぃ") << u"ヴぃ"_qs << u"vyi"_qs << QStringList {u"vyi"_qs, u"vi"_qs, QString()}
                                         << u"ゔぃヴぃ"_qs << u"vyivyi"_qs << u"vivi"_qs;
    QTest::newRow("automatic n kept") << u"ん"_qs << u"|"_qs << QStringList {u"|"_qs, u"nn"_qs, u"xn"_qs}
                                      << u"かんじ"_qs << u"kanji"_qs << u"kaxnji"_qs;
}

void TestRomanSettings::choiceReadBack()
{
    QFETCH(QString, unit);
    QFETCH(QString, value);
    QFETCH(QStringList, spellings);
    QFETCH(QString, target);
    QFETCH(QString, guide);
    QFETCH(QString, otherKeys);

    QList<JudgeTableSet::RomanChoice> choices = currentChoices();
    for (auto &choice : choices)
    {
        if (choice.unit == unit)
            choice.value = value;
    }
    QVERIFY(JudgeTableSet::WriteRomanSettings(choices));
    QVERIFY(Cp932::decode(ProgramFolderFixture::readFile(JudgeTableSet::RomanIniPath()))
                .contains(u'"' + unit + u"\",\""_qs + value + u"\"\r\n"_qs));

    JudgeTableSet::BuildJudgeTable();
    JudgeTableSet::ApplyRomanSettings();
    const auto &row = JudgeTable[JudgeTableSet::findRow(unit)].Spellings;
    QCOMPARE(QStringList(row.begin(), row.end()), spellings);
    QCOMPARE(Judge::MakeRomaGuide(target), guide);
    QVERIFY(JudgeDriver::completes(JudgeDriver::start(target, true), guide));
    QVERIFY(JudgeDriver::completes(JudgeDriver::start(target, true), otherKeys));
}

void TestRomanSettings::handEditedLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("column0"); // of し, く, う

    const QStringList unchanged {u"si"_qs, u"ku"_qs, u"u"_qs};
    const QByteArray shi = "\"\x82\xb5\",\"shi\""; // "し","shi"
    QTest::newRow("LF only") << shi + "\n\"\x82\xad\",\"qu\"\n" << QStringList {u"shi"_qs, u"qu"_qs, u"u"_qs};
    QTest::newRow("lone CR") << shi + "\r\"\x82\xad\",\"cu\"" << QStringList {u"shi"_qs, u"cu"_qs, u"u"_qs};
    QTest::newRow("bare fields and blanks") << QByteArray(" \x82\xb5 , shi \r\n") << QStringList {u"shi"_qs, u"ku"_qs, u"u"_qs};
    QTest::newRow("blank lines around") << "\r\n\r\n" + shi + "\r\n\r\n" << QStringList {u"shi"_qs, u"ku"_qs, u"u"_qs};
    QTest::newRow("unknown unit") << QByteArray("\"\x8a\xbf\",\"kan\"\r\n") << unchanged; // 漢
    QTest::newRow("unknown value") << QByteArray("\"\x82\xb5\",\"sy\"\r\n") << unchanged;
    QTest::newRow("value of another row") << QByteArray("\"\x82\xb5\",\"ku\"\r\n") << unchanged;
    QTest::newRow("empty value") << QByteArray("\"\x82\xb5\",\"\"\r\n") << unchanged;
    QTest::newRow("upper case") << QByteArray("\"\x82\xb5\",\"SHI\"\r\n") << unchanged;
    QTest::newRow("no comma") << QByteArray("\"\x82\xb5\" \"shi\"\r\n") << unchanged;
    QTest::newRow("unclosed quote") << QByteArray("\"\x82\xb5\",\"shi\r\n") << unchanged;
    QTest::newRow("extra field") << QByteArray("\"\x82\xb5\",\"shi\",\"ci\"\r\n") << unchanged;
    QTest::newRow("one field") << QByteArray("\"\x82\xb5\"\r\n") << unchanged;
    QTest::newRow("binary") << QByteArray("\x00\xff\x81\x22\x2c\x00\r\n", 8) << unchanged;
    QTest::newRow("UTF-8 text") << QByteArray("\"し\",\"shi\"\r\n") << unchanged;
    QTest::newRow("damaged line between good ones") << shi + "\r\n\"\x82\xad\r\n\"\x82\xa4\",\"wu\"\r\n"
                                                    << QStringList {u"shi"_qs, u"ku"_qs, u"wu"_qs};
    QTest::newRow("later record wins") << shi + "\r\n\"\x82\xb5\",\"ci\"\r\n" << QStringList {u"ci"_qs, u"ku"_qs, u"u"_qs};
}

void TestRomanSettings::handEditedLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, column0);

    writeIni(file);
    JudgeTableSet::ApplyRomanSettings();
    QCOMPARE(::column0({u"し"_qs, u"く"_qs, u"う"_qs}), column0);
    QVERIFY(m_folder->messages().isEmpty());
}

void TestRomanSettings::applyingTwiceKeepsTheDisplay()
{
    writeIni("\"\x82\xb5\",\"ci\"\r\n\"\x82\xb5\",\"shi\"\r\n");
    JudgeTableSet::ApplyRomanSettings();
    JudgeTableSet::ApplyRomanSettings();
    QCOMPARE(JudgeTable[11].Spellings[0], u"shi"_qs);
}

void TestRomanSettings::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only folder") << u"read-only"_qs;
    QTest::newRow("disk full") << u"size limit"_qs;
}

void TestRomanSettings::failedWriteKeepsOldFile()
{
    QFETCH(QString, how);
    const QByteArray old = "\"\x82\xb5\",\"shi\"\r\n";
    writeIni(old);
    const QString iniDir = m_folder->path() + u"/ini"_qs;

    bool written = true;
    if (how == u"read-only"_qs)
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QFile::setPermissions(iniDir, QFile::ReadOwner | QFile::ExeOwner);
        written = JudgeTableSet::WriteRomanSettings(currentChoices());
        QFile::setPermissions(iniDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    else
    {
        const FileSizeLimit limit(16);
        written = JudgeTableSet::WriteRomanSettings(currentChoices());
    }

    QVERIFY(!written);
    QCOMPARE(ProgramFolderFixture::readFile(JudgeTableSet::RomanIniPath()), old);
    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages().first().contains(QDir::toNativeSeparators(JudgeTableSet::RomanIniPath())));
}

QTEST_GUILESS_MAIN(TestRomanSettings)
#include "tst_romansettings.moc"
