#include <QTemporaryDir>
#include <QTest>

#include "core/cp932.h"
#include "wordimport/importtext.h"
#include "wordimport/tablereader.h"

// Tables as spreadsheets and flashcard programs write them, and the damaged
// ones people send: what is offered, what is reported, and from which line.
class TestTableReader : public QObject
{
    Q_OBJECT

private slots:
    void readsTables_data();
    void readsTables();
    void guessesColumns_data();
    void guessesColumns();
    void tellsTablesFromProse_data();
    void tellsTablesFromProse();
    void decodesFiles_data();
    void decodesFiles();
    void refusesWhatItCannotRead();
};

// Rows as "line:field|field" joined by ";".
static QString rowsText(const ImportTable &table)
{
    QStringList rows;
    for (const ImportTable::Row &row : table.rows)
        rows << QStringLiteral("%1:%2").arg(row.line).arg(row.fields.join(u'|'));
    return rows.join(u';');
}

static QString problemLines(const ImportTable &table)
{
    QStringList lines;
    for (const ImportTable::Problem &problem : table.problems)
    {
        lines << QString::number(problem.line);
        if (!problem.text.contains(QStringLiteral("%1").arg(problem.line)))
            lines << QStringLiteral("(text without its line)");
    }
    return lines.join(u',');
}

void TestTableReader::readsTables_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("problems");

    QTest::newRow("comma") << "apple,りんご,りんご\ndog,犬,いぬ\n" << "1:apple|りんご|りんご;2:dog|犬|いぬ" << "" << "";
    QTest::newRow("tab, CR LF, no final line end") << "apple\t林檎\r\ndog\t犬" << "1:apple|林檎;2:dog|犬" << "" << "";
    QTest::newRow("semicolon beside commas in a field")
        << "run;走る, 駆ける;はしる\nsee;見る;みる\nsay;言う;いう\n" << "1:run|走る, 駆ける|はしる;2:see|見る|みる;3:say|言う|いう" << ""
        << "";
    QTest::newRow("quoted separator and doubled quote")
        << "\"run, ran\",走る\n\"say \"\"hi\"\"\",挨拶する\n,\n" << "1:run, ran|走る;2:say \"hi\"|挨拶する" << "" << "";
    QTest::newRow("line break inside quotes keeps the line count")
        << "\"apple\r\npie\",パイ\r\n\"\",空\r\ndog,犬\r\n" << "1:apple pie|パイ;3:|空;4:dog|犬" << "" << "";
    QTest::newRow("text after a closing quote is kept")
        << "\"big\" one,大きい\nsmall,小さい\n" << "1:big one|大きい;2:small|小さい" << "" << "";
    QTest::newRow("header named in English") << "English,Japanese,Reading\napple,林檎,りんご\n" << "2:apple|林檎|りんご"
                                              << "English|Japanese|Reading" << "";
    QTest::newRow("header named in Japanese") << "英単語\t意味\napple\t林檎\n" << "2:apple|林檎" << "英単語|意味" << "";
    QTest::newRow("header over a Japanese column") << "Wort,Bedeutung\napple,林檎\ndog,犬\n" << "2:apple|林檎;3:dog|犬"
                                                    << "Wort|Bedeutung" << "";
    QTest::newRow("no header in a list of words") << "apple,林檎\ndog,犬\n" << "1:apple|林檎;2:dog|犬" << "" << "";
    QTest::newRow("too few and too many fields, each with its line")
        << "a,b,c\nd,e\nf,g,h,i\nj,k,l\n" << "1:a|b|c;4:j|k|l" << "" << "2,3";
    QTest::newRow("empty cells after the last column") << "a,b,c,,\nd,e,f\n" << "1:a|b|c;2:d|e|f" << "" << "";
    QTest::newRow("a quote that never closes spoils its line only")
        << "a,b\n\"c,d\ne,f\ng,h\n" << "1:a|b;3:e|f;4:g|h" << "" << "2";
    QTest::newRow("blank lines are no rows") << "a,b\n\n , \nc,d\n" << "1:a|b;4:c|d" << "" << "";
    QTest::newRow("one word a line") << "apple\nbanana\n\ncherry pie\n" << "1:apple;2:banana;4:cherry pie" << "" << "";
    QTest::newRow("flashcard export with HTML")
        << "#separator:tab\n#html:true\napple\t<b>りんご</b><br>林檎\ndog\t犬&nbsp;&amp;&#x732B;\n"
        << "3:apple|りんご 林檎;4:dog|犬 &猫" << "" << "";
    QTest::newRow("flashcard export without HTML keeps the text")
        << "#separator:Semicolon\n#html:false\nx;<b>y</b>\n" << "3:x|<b>y</b>" << "" << "";
    QTest::newRow("flashcard columns, comments and sounds")
        << "#separator:comma\n#html:true\n#columns:Front,Back,Tags\n#tags column:3\n# a comment\n"
           "apple [sound:apple.mp3],林檎,fruit\n"
        << "6:apple|林檎|fruit" << "Front|Back|Tags" << "";
    QTest::newRow("HTML without a header line is seen") << "apple\t<div>林檎</div>\ndog\t犬\n" << "1:apple|林檎;2:dog|犬"
                                                         << "" << "";
    QTest::newRow("script and style are no text")
        << "#html:true\n#separator:tab\nx\t<style>b{}</style>y<script>z()</script>\n" << "3:x|y" << "" << "";
}

void TestTableReader::readsTables()
{
    QFETCH(QString, text);
    QFETCH(QString, rows);
    QFETCH(QString, header);
    QFETCH(QString, problems);

    const ImportTable table = TableReader::read(text);
    QCOMPARE(rowsText(table), rows);
    QCOMPARE(table.header.join(u'|'), header);
    QCOMPARE(problemLines(table), problems);
    for (const ImportTable::Row &row : table.rows)
        QCOMPARE(row.fields.size(), table.columnCount);
}

void TestTableReader::guessesColumns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("columns"); // english, meaning, reading

    QTest::newRow("english, meaning, reading") << "apple,林檎,りんご\ndog,犬,いぬ\n" << QList<int> {0, 1, 2};
    QTest::newRow("meaning first") << "林檎\tapple\n犬\tdog\n" << QList<int> {1, 0, -1};
    QTest::newRow("reading, meaning, english") << "りんご,林檎,apple\nいぬ,犬,dog\n" << QList<int> {2, 1, 0};
    QTest::newRow("meanings in kana") << "dog,いぬ\ncat,ねこ\n" << QList<int> {0, 1, -1};
    QTest::newRow("names beat content") << "読み,英単語,意味\nりんご,apple,林檎\n" << QList<int> {1, 2, 0};
    QTest::newRow("a list of words") << "apple\ndog\n" << QList<int> {0, -1, -1};
    QTest::newRow("english definitions") << "apple,a round fruit\ndog,an animal\n" << QList<int> {0, 1, -1};
    QTest::newRow("a flashcard's note id is no word")
        << "#separator:tab\n#guid column:1\nk3Jx\tapple\t林檎\nq9Zb\tdog\t犬\n" << QList<int> {1, 2, -1};
}

void TestTableReader::guessesColumns()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, columns);

    const ImportTable table = TableReader::read(text);
    const ColumnChoice choice = TableReader::guessColumns(table);
    QCOMPARE((QList<int> {choice.english, choice.meaning, choice.reading}), columns);
    QVERIFY(choice.fits(table.columnCount));
}

void TestTableReader::tellsTablesFromProse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("table");

    QTest::newRow("an article") << "The city council met on Monday. It approved a new budget for schools, parks and roads.\n\n"
                                   "Residents welcomed the plan, although some said it came too late.\n"
                                << false;
    QTest::newRow("prose with a comma a line") << "Yesterday, I walked to the old park near the river.\n"
                                                  "The dog, as always, wanted to stay much longer.\n"
                                               << false;
    QTest::newRow("one sentence") << "Whales sing." << false;
    QTest::newRow("words a line") << "apple\nbanana\nice cream\n" << true;
    QTest::newRow("comma table") << "apple,林檎\ndog,犬\ncat,猫\n" << true;
    QTest::newRow("tab table") << "apple\t林檎\n" << true;
    QTest::newRow("flashcard export") << "#separator:tab\n#html:true\nLong front text with many words\tback\n" << true;
}

void TestTableReader::tellsTablesFromProse()
{
    QFETCH(QString, text);
    QFETCH(bool, table);
    QCOMPARE(TableReader::looksLikeTable(text), table);
}

void TestTableReader::decodesFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<int>("refusal");
    QTest::addColumn<QList<int>>("lines"); // the line of a refusal, and the UTF-8 line of a mixed one

    using ImportText::Encoding;
    using ImportText::Refusal;
    const QString table = QStringLiteral("apple,林檎,りんご\r\ndog,犬,いぬ\r\n");
    const auto row = [](Encoding e, Refusal r, QList<int> lines = {0, 0}) {
        return std::tuple {int(e), int(r), lines};
    };
    const auto add = [](const char *name, const QByteArray &bytes, std::tuple<int, int, QList<int>> expected) {
        QTest::newRow(name) << bytes << std::get<0>(expected) << std::get<1>(expected) << std::get<2>(expected);
    };
    QByteArray utf16 = "\xFF\xFE";
    for (QChar c : table)
        utf16 += QByteArray(reinterpret_cast<const char *>(&c), 2);
    QByteArray utf16Bare;
    for (QChar c : QStringLiteral("apple\tdog\n"))
        utf16Bare += char(c.unicode()) + QByteArray(1, '\0');

    add("UTF-8", table.toUtf8(), row(Encoding::Utf8, Refusal::None));
    add("UTF-8 with BOM", "\xEF\xBB\xBF" + table.toUtf8(), row(Encoding::Utf8Bom, Refusal::None));
    add("Shift-JIS", Cp932::encode(table), row(Encoding::ShiftJis, Refusal::None));
    add("UTF-16 with BOM", utf16, row(Encoding::Utf16, Refusal::None));
    add("UTF-16 without BOM", utf16Bare, row(Encoding::Utf16, Refusal::None));
    add("empty", QByteArray(), row(Encoding::Utf8, Refusal::Empty));
    add("blanks", " \r\n\t\r\n", row(Encoding::Utf8, Refusal::Empty));
    add("a BOM alone", "\xEF\xBB\xBF", row(Encoding::Utf8, Refusal::Empty));
    add("a NUL", QByteArray("apple\0dog\n", 10) + QByteArray(100, 'x'), row(Encoding::Utf8, Refusal::Binary));
    add("control bytes", QByteArray(50, 'a') + "\x01\x02\x03\x04", row(Encoding::Utf8, Refusal::Binary));
    add("a workbook", "PK\x03\x04 rest of a zip", row(Encoding::Utf8, Refusal::Spreadsheet));
    add("mixed encodings", "apple\n" + QStringLiteral("林檎\n").toUtf8() + Cp932::encode(u"犬\n"),
        row(Encoding::Utf8, Refusal::MixedEncoding, {3, 2}));
    add("BOM before Shift-JIS", "\xEF\xBB\xBF" "a\n" + Cp932::encode(u"犬\n"),
        row(Encoding::Utf8, Refusal::MixedEncoding, {2, 1}));
    add("neither", "apple\ndog\n\x82\xFF\n", row(Encoding::Utf8, Refusal::UnknownEncoding, {3, 0}));
    add("over 5 MB", QByteArray(ImportText::MaxFileBytes + 1, 'a'), row(Encoding::Utf8, Refusal::TooLarge));
}

void TestTableReader::decodesFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(int, refusal);
    QFETCH(QList<int>, lines);

    const ImportText::Decoded decoded = ImportText::decode(bytes);
    QCOMPARE(int(decoded.refusal), refusal);
    QCOMPARE((QList<int> {decoded.line, decoded.otherLine}), lines);
    if (!decoded.ok())
    {
        QVERIFY(!decoded.message().isEmpty());
        QVERIFY(decoded.text.isEmpty());
        return;
    }
    QCOMPARE(int(decoded.encoding), encoding);
    QVERIFY(!decoded.text.startsWith(QChar(0xFEFF)));
    QVERIFY(decoded.text.contains(QStringLiteral("dog")));
    const ImportTable table = TableReader::read(decoded.text);
    QVERIFY(!table.rows.isEmpty());
    QVERIFY(table.problems.isEmpty());
}

void TestTableReader::refusesWhatItCannotRead()
{
    QTemporaryDir dir;
    const QString large = dir.filePath(QStringLiteral("large.csv"));
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(ImportText::MaxFileBytes + 1));
    file.close();
    QCOMPARE(ImportText::readFile(large).refusal, ImportText::Refusal::TooLarge);

    const ImportText::Decoded missing = ImportText::readFile(dir.filePath(QStringLiteral("missing.csv")));
    QCOMPARE(missing.refusal, ImportText::Refusal::Unreadable);
    QVERIFY(missing.message().contains(missing.detail));
}

QTEST_GUILESS_MAIN(TestTableReader)
#include "tst_tablereader.moc"
