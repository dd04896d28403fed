#include <QTemporaryDir>
#include <QTest>

#include "core/cp932.h"
#include "core/inifile.h"
#include "testsupport.h"

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("test.ini"));
        QFile::remove(m_path);
    }

    void readsHandWrittenFile_data();
    void readsHandWrittenFile();
    void missingFileReadsEmpty();
    void cutsLongValuesAtCharacterBoundary_data();
    void cutsLongValuesAtCharacterBoundary();
    void writeKeepsEveryOtherLine();
    void writeCreatesFileSectionAndKey();
    void writeInMissingFolderFailsAndCreatesNothing();
    void unmappableCharactersBecomeQuestionMarks();
    void fullWidthTildeIsWindowsByte();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A file as a learner's editor on Windows leaves it: code page 932, CR LF,
// odd spacing and case.
static const char HandWritten[] =
    "; comment line\r\n"
    "[syutudai]\r\n"
    "  TextKind =  USER  \r\n"
    "textname=英単語　上級\r\n"
    "TRANSMODE=英訳\r\n"
    "Empty=\r\n"
    "\r\n"
    "  [ MainWindow ]  \r\n"
    "\tINPUTBY\t=\tKANA\r\n"
    "SOUND=OFF\n"
    "[SYUTUDAI]\r\n"
    "TEXTKIND=SECOND\r\n";

void TestIniFile::readsHandWrittenFile_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("trimmed, case-insensitive") << "SYUTUDAI" << "TEXTKIND" << "USER";
    QTest::newRow("japanese value with ideographic space") << "SYUTUDAI" << "TEXTNAME" << "英単語　上級";
    QTest::newRow("japanese value") << "Syutudai" << "transmode" << "英訳";
    QTest::newRow("empty value") << "SYUTUDAI" << "EMPTY" << "";
    QTest::newRow("tabs, blanks around section name") << "MAINWINDOW" << "INPUTBY" << "KANA";
    QTest::newRow("lone LF line end") << "MAINWINDOW" << "SOUND" << "OFF";
    QTest::newRow("missing key") << "MAINWINDOW" << "TEXTKIND" << "";
    QTest::newRow("missing section") << "NOSECTION" << "SOUND" << "";
}

void TestIniFile::readsHandWrittenFile()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    ProgramFolderFixture::writeFile(m_path, Cp932::encode(QString::fromUtf8(HandWritten)));
    QCOMPARE(IniFile(m_path).value(section, key), expected);
}

void TestIniFile::missingFileReadsEmpty()
{
    QCOMPARE(IniFile(m_path).value(QStringLiteral("SYUTUDAI"), QStringLiteral("TEXTKIND")), QString());
}

void TestIniFile::cutsLongValuesAtCharacterBoundary_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    const QString ascii254(254, u'a');
    QTest::newRow("254 bytes read whole") << ascii254 << ascii254;
    QTest::newRow("255 bytes cut to 254") << ascii254 + u'b' << ascii254;
    // 127 kanji are 254 bytes; one more would straddle the limit.
    const QString kanji127(127, u'漢');
    QTest::newRow("127 kanji whole") << kanji127 << kanji127;
    QTest::newRow("kanji cut before the limit") << u'a' + kanji127 << u'a' + QString(126, u'漢');
}

void TestIniFile::cutsLongValuesAtCharacterBoundary()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);

    const IniFile ini(m_path);
    QVERIFY(ini.setValue(QStringLiteral("S"), QStringLiteral("K"), value));
    QCOMPARE(ini.value(QStringLiteral("S"), QStringLiteral("K")), expected);
}

void TestIniFile::writeKeepsEveryOtherLine()
{
    const QByteArray original = Cp932::encode(QString::fromUtf8(HandWritten));
    ProgramFolderFixture::writeFile(m_path, original);

    const IniFile ini(m_path);
    QVERIFY(ini.setValue(QStringLiteral("SYUTUDAI"), QStringLiteral("TEXTNAME"), QStringLiteral("新しい名前")));
    QVERIFY(ini.setValue(QStringLiteral("MAINWINDOW"), QStringLiteral("NEWKEY"), QStringLiteral("1")));

    const QString expected = QString::fromUtf8("; comment line\r\n"
                                               "[syutudai]\r\n"
                                               "  TextKind =  USER  \r\n"
                                               "TEXTNAME=新しい名前\r\n"
                                               "TRANSMODE=英訳\r\n"
                                               "Empty=\r\n"
                                               "\r\n"
                                               "  [ MainWindow ]  \r\n"
                                               "\tINPUTBY\t=\tKANA\r\n"
                                               "SOUND=OFF\r\n"
                                               "NEWKEY=1\r\n"
                                               "[SYUTUDAI]\r\n"
                                               "TEXTKIND=SECOND\r\n");
    QCOMPARE(Cp932::decode(ProgramFolderFixture::readFile(m_path)), expected);
}

void TestIniFile::writeCreatesFileSectionAndKey()
{
    const IniFile ini(m_path);
    QVERIFY(ini.setValue(QStringLiteral("SYUTUDAI"), QStringLiteral("TRANSMODE"), QStringLiteral("和訳")));
    QVERIFY(ini.setValue(QStringLiteral("MAINWINDOW"), QStringLiteral("SOUND"), QStringLiteral("ON")));
    QVERIFY(ini.setValue(QStringLiteral("syutudai"), QStringLiteral("TEXTKIND"), QStringLiteral("USER")));

    QCOMPARE(ProgramFolderFixture::readFile(m_path),
             Cp932::encode(QString::fromUtf8("[SYUTUDAI]\r\nTRANSMODE=和訳\r\nTEXTKIND=USER\r\n"
                                             "[MAINWINDOW]\r\nSOUND=ON\r\n")));
}

void TestIniFile::writeInMissingFolderFailsAndCreatesNothing()
{
    const QString path = m_dir.filePath(QStringLiteral("missing/test.ini"));
    QVERIFY(!IniFile(path).setValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("V")));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("missing"))));
}

void TestIniFile::unmappableCharactersBecomeQuestionMarks()
{
    const IniFile ini(m_path);
    QVERIFY(ini.setValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("caf\u00e9 \U0001F600 漢")));
    QCOMPARE(ProgramFolderFixture::readFile(m_path), QByteArray("[S]\r\nK=caf? ? \x8a\xbf\r\n"));
}

void TestIniFile::fullWidthTildeIsWindowsByte()
{
    QCOMPARE(Cp932::encode(QStringLiteral("\uFF5E")), QByteArray("\x81\x60"));
    QCOMPARE(Cp932::decode(QByteArray("\x81\x60")), QStringLiteral("\uFF5E"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
