#include <QBuffer>
#include <QTest>

#include "bank/gsxseq.h"
#include "core/cp932.h"
#include "testsupport.h"

using namespace GsxSeq;

class TestGsxSeq : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void roundTrips_data();
    void roundTrips();
    void emptyContainerIs1038Bytes();
    void knownTableGivesKnownBytes();
    void readsFileOfAnIndependentWriter();
    void sameTextTwiceDiffersOnDiskButReadsBack();
    void keyBytesAndRowsStayInRange();
    void overlongStringIsCutAtCharacter();
    void openResultCodes_data();
    void openResultCodes();
    void thereButUnopenableIsNotMissing();
    void readResultCodes_data();
    void readResultCodes();
    void everyTruncationEndsWithStringsReadSoFar();

private:
    QString m_path;
    QTemporaryDir m_dir;
};

void TestGsxSeq::init()
{
    m_path = m_dir.filePath(QStringLiteral("c.dat"));
    QFile::remove(m_path);
}

static QByteArray header(quint8 format = 1)
{
    QByteArray bytes(Magic, MagicSize);
    bytes += char(format);
    for (int row = 0; row < KeyRows; ++row)
    {
        for (int column = 0; column < KeyColumns; ++column)
            bytes += char(KeyTable[row][column]);
    }
    return bytes;
}

static void fillKnownTable()
{
    for (int row = 0; row < KeyRows; ++row)
    {
        for (int column = 0; column < KeyColumns; ++column)
            KeyTable[row][column] = static_cast<quint8>(3 + (row * 31 + column * 7) % 251);
    }
}

void TestGsxSeq::roundTrips_data()
{
    QTest::addColumn<QStringList>("strings");

    QTest::newRow("no strings") << QStringList();
    QTest::newRow("empty string") << QStringList {QString()};
    QTest::newRow("ascii") << QStringList {"apple", "1,\"quoted\",#2004-11-01#", " spaced "};
    QTest::newRow("japanese") << QStringList {"食べる", "たべる", "～ー・「」、。", "ｶﾞｷﾞ"};
    QTest::newRow("200 kanji") << QStringList {QString(200, u'語')};
    QTest::newRow("32767 bytes") << QStringList {QString(32767, u'x')};
    QTest::newRow("mixed with empties") << QStringList {"", "a", "", "い", ""};
}

void TestGsxSeq::roundTrips()
{
    QFETCH(QStringList, strings);

    QVERIFY(WriteContainerFile(m_path, strings));
    QStringList read;
    QCOMPARE(ReadContainerFile(m_path, read), FileResult::Complete);
    QCOMPARE(read, strings);
}

void TestGsxSeq::emptyContainerIs1038Bytes()
{
    QVERIFY(WriteContainerFile(m_path, {}));
    const QByteArray bytes = ProgramFolderFixture::readFile(m_path);
    QCOMPARE(bytes.size(), 1038);
    QVERIFY(bytes.startsWith("ABCDEFGHIJKL\x01"));
    QCOMPARE(bytes.back(), char(TagEnd));
}

void TestGsxSeq::knownTableGivesKnownBytes()
{
    fillKnownTable();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CreateContainer(buffer);
    WriteContainerString(buffer, QString());
    WriteContainerString(buffer, QStringLiteral("aあ"));
    CloseContainer(buffer);

    const QByteArray bytes = buffer.data();
    QCOMPARE(bytes.left(HeaderSize), header());
    QCOMPARE(bytes.at(HeaderSize), char(TagEmpty));
    const QByteArray record = bytes.mid(HeaderSize + 1);
    QCOMPARE(record.at(0), char(TagString));
    const int row = record.at(1);
    QVERIFY(row >= 0 && row < KeyRows);
    QCOMPARE(record.mid(2, 2), QByteArray("\x00\x03", 2)); // "a" + the two bytes of あ
    const QByteArray plain = QByteArray("a\x82\xa0");
    for (int m = 0; m < 3; ++m)
        QCOMPARE(quint8(record.at(4 + m)), quint8(quint8(plain[m]) ^ KeyTable[row][m]));
    QCOMPARE(record.mid(7), QByteArray(1, char(TagEnd)));
}

void TestGsxSeq::readsFileOfAnIndependentWriter()
{
    // Built byte by byte, as another program would write it: a 200-byte
    // string uses key columns 0 to 127 and then 0 to 71 again.
    fillKnownTable();
    const QByteArray plain = Cp932::encode(QString(100, u'漢'));
    QByteArray file = header();
    file += char(TagString);
    file += char(6);
    file += char(0);
    file += char(200);
    for (int m = 0; m < 200; ++m)
        file += char(quint8(plain[m]) ^ KeyTable[6][m % 128]);
    file += char(TagEmpty);
    file += char(TagString);
    file += char(2);
    file += QByteArray(2, 0); // a count of 0 is the empty string
    file += char(TagEnd);
    ProgramFolderFixture::writeFile(m_path, file);
    std::memset(KeyTable, 0, sizeof KeyTable);

    QStringList read;
    QCOMPARE(ReadContainerFile(m_path, read), FileResult::Complete);
    QCOMPARE(read, (QStringList {QString(100, u'漢'), QString(), QString()}));
}

void TestGsxSeq::sameTextTwiceDiffersOnDiskButReadsBack()
{
    const QStringList strings(8, QStringLiteral("同じ文字列"));
    QVERIFY(WriteContainerFile(m_path, strings));
    const QByteArray first = ProgramFolderFixture::readFile(m_path);
    QVERIFY(WriteContainerFile(m_path, strings));
    QVERIFY(ProgramFolderFixture::readFile(m_path) != first);
    QStringList read;
    ReadContainerFile(m_path, read);
    QCOMPARE(read, strings);
}

void TestGsxSeq::keyBytesAndRowsStayInRange()
{
    QVERIFY(WriteContainerFile(m_path, QStringList(500, QStringLiteral("x"))));
    const QByteArray bytes = ProgramFolderFixture::readFile(m_path);
    for (int i = MagicSize + 1; i < HeaderSize; ++i)
        QVERIFY2(quint8(bytes[i]) >= 3 && quint8(bytes[i]) <= 253, qPrintable(QString::number(quint8(bytes[i]))));
    QSet<int> rows;
    for (int i = HeaderSize; i + 4 < bytes.size(); i += 5)
        rows.insert(bytes[i + 1]);
    for (int row : rows)
        QVERIFY(row >= 0 && row <= 7);
    QCOMPARE(rows.size(), 8); // 500 draws reach every row
}

void TestGsxSeq::overlongStringIsCutAtCharacter()
{
    const QString text = u'a' + QString(20000, u'語');
    QVERIFY(WriteContainerFile(m_path, {text, QStringLiteral("next")}));
    QStringList read;
    QCOMPARE(ReadContainerFile(m_path, read), FileResult::Complete);
    QCOMPARE(read.size(), 2);
    QCOMPARE(read[0], text.left(1 + 16383));
    QCOMPARE(read[1], QStringLiteral("next"));
}

void TestGsxSeq::openResultCodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");

    QTest::newRow("shorter than the magic") << QByteArray("ABCDEFGHIJK") << int(OpenBadMagic);
    QTest::newRow("lower-case magic") << QByteArray("abcdefghijkl\x01") << int(OpenBadMagic);
    QTest::newRow("foreign file") << QByteArray("PK\x03\x04 not a container") << int(OpenBadMagic);
    QTest::newRow("format byte 2") << QByteArray("ABCDEFGHIJKL\x02") << int(OpenBadFormat);
    QTest::newRow("magic only") << QByteArray("ABCDEFGHIJKL") << int(OpenBadFormat);
    QTest::newRow("table cut short") << QByteArray("ABCDEFGHIJKL\x01\x05\x05") << int(OpenOk);
}

void TestGsxSeq::openResultCodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);

    ReadHandle file;
    QCOMPARE(OpenContainer(m_path, file), int(OpenMissing));
    ProgramFolderFixture::writeFile(m_path, bytes);
    QCOMPARE(OpenContainer(m_path, file), expected);
}

// Something that is there but cannot be opened is no new, missing file.
void TestGsxSeq::thereButUnopenableIsNotMissing()
{
    QVERIFY(QDir().mkpath(m_path));
    ReadHandle file;
    QCOMPARE(OpenContainer(m_path, file), int(OpenUnreadable));
    QStringList strings;
    QCOMPARE(ReadContainerFile(m_path, strings), FileResult::Unreadable);
    QVERIFY(QDir().rmdir(m_path));
}

void TestGsxSeq::readResultCodes_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<int>("expected");

    QTest::newRow("end tag") << QByteArray("\x09") << int(ReadEnd);
    QTest::newRow("unknown tag") << QByteArray("\x04") << int(ReadBadTag);
    QTest::newRow("key row 8") << QByteArray("\x05\x08\x00\x01z", 5) << int(ReadBadRow);
    QTest::newRow("key row 255") << QByteArray("\x05\xff") << int(ReadBadRow);
    QTest::newRow("no tag at all") << QByteArray() << int(ReadBadTag);
    QTest::newRow("count past the end") << QByteArray("\x05\x01\x7f\xff" "abc") << int(ReadBadTag);
    QTest::newRow("count cut") << QByteArray("\x05\x01\x00") << int(ReadBadTag);
}

void TestGsxSeq::readResultCodes()
{
    QFETCH(QByteArray, records);
    QFETCH(int, expected);

    fillKnownTable();
    ProgramFolderFixture::writeFile(m_path, header() + records);
    ReadHandle file;
    QCOMPARE(OpenContainer(m_path, file), int(OpenOk));
    QString text = QStringLiteral("unchanged");
    QCOMPARE(ReadContainerString(file, text), expected);
    QCOMPARE(text, QStringLiteral("unchanged"));
}

void TestGsxSeq::everyTruncationEndsWithStringsReadSoFar()
{
    const QStringList strings {"first", "", "二番目", QString(300, u'y'), "last"};
    QVERIFY(WriteContainerFile(m_path, strings));
    const QByteArray whole = ProgramFolderFixture::readFile(m_path);

    for (qsizetype size = 0; size < whole.size(); ++size)
    {
        ProgramFolderFixture::writeFile(m_path, whole.left(size));
        QStringList read;
        const FileResult result = ReadContainerFile(m_path, read);
        QVERIFY2(result != FileResult::Complete, qPrintable(QString::number(size)));
        QVERIFY(read.size() <= strings.size());
        QCOMPARE(read, strings.mid(0, read.size()));
    }
}

QTEST_GUILESS_MAIN(TestGsxSeq)
#include "tst_gsxseq.moc"
