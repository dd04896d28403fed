#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

#include "bank/gsxseq.h"
#include "bank/questions.h"
#include "history/historystore.h"
#include "testsupport.h"
#include "testsupport_ui.h"
#include "wordimport/tablereader.h"
#include "wordlist/importdialog.h"
#include "wordlist/importlexicon.h"
#include "wordlist/importrows.h"
#include "wordlist/wordhelp.h"
#include "wordlist/wordindex.h"
#include "wordlist/wordlisteditor.h"
#include "wordlist/wordlistmodel.h"

namespace
{
    // The index of the words below, in byte order.
    const char *const Index[][3] = {
        {"apple", "林檎", "りんご"},       {"city", "都市", "とし"},       {"discover", "発見する", "はっけんする"},
        {"dog", "犬", "いぬ"},             {"forest", "森", "もり"},       {"frog", "蛙", "かえる"},
        {"grow", "育つ", "そだつ"},        {"river", "川", "かわ"},        {"scientist", "科学者", "かがくしゃ"},
        {"small", "小さい", "ちいさい"},   {"species", "種", "しゅ"},
    };

    const QString Paragraph = QStringLiteral(
        "Scientists in Peru discovered three new species of frogs in the forests near a river. The frogs were "
        "smaller than expected, said Dr. Smith.\n\nFrogs grow fast. Cities grow too.");

    bool haveHelp()
    {
        return QFileInfo::exists(JapaneseReading::defaultDictionary() + QStringLiteral("/sys.dic"))
               && QFileInfo::exists(Spelling::defaultDictionary() + QStringLiteral(".dic"));
    }

    // Rows as "english|meaning|reading|source" and what is noted of each:
    // "?" a meaning to check, "-" not ticked, "=" in the list already.
    QString rowsText(const QList<ImportRow> &rows)
    {
        QStringList lines;
        for (const ImportRow &row : rows)
        {
            QString notes = row.word.meaningToCheck ? QStringLiteral("?") : QString();
            notes += row.ticked ? QString() : QStringLiteral("-");
            notes += row.duplicate.isEmpty() ? QString() : QStringLiteral("=");
            lines << QStringList {row.word.english, row.word.meaning, row.word.reading, row.source, notes}.join(u'|');
        }
        return lines.join(u';');
    }
}

// Words brought in from tables and texts, up to the rows of the editor.
class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tableRows_data();
    void tableRows();
    void columnsAreRememberedForTheSameShape();
    void textWordsLeaveOutKnownWords();
    void firstWordsAreTicked();
    void editorTakesATextAsOneStep();
    void editorMarksGuessedMeaningsUntilSet();

private:
    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<ModalRecorder> m_modals;
    std::unique_ptr<WordHelp> m_help;
};

void TestImport::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_modals = std::make_unique<ModalRecorder>();
    QByteArray index = QByteArray(WordIndex::Header) + "; test\n";
    for (const auto &word : Index)
        index += QByteArray(word[0]) + '\t' + word[1] + '\t' + word[2] + '\n';
    const QString path = m_folder->path() + QStringLiteral("/en-ja.tsv");
    ProgramFolderFixture::writeFile(path, index);
    m_help = std::make_unique<WordHelp>(
        WordHelp::Sources {path, JapaneseReading::defaultDictionary(), Spelling::defaultDictionary()});
}

void TestImport::cleanup()
{
    m_help.reset();
    m_modals.reset();
    m_folder.reset();
}

void TestImport::tableRows_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<QString>("rows");

    const QList<int> all {0, 1, 2};
    QTest::newRow("every field given") << "dog,犬,いぬ\n" << all << "dog|犬|いぬ|1行目|";
    QTest::newRow("reading from the meaning") << "Dog,犬,\nfrog,蛙,\n" << all << "Dog|犬|いぬ|1行目|;frog|蛙|かえる|2行目|";
    QTest::newRow("meaning from the dictionary, to check")
        << "word\nfrog\nzzyzx\n" << QList<int> {0, -1, -1} << "frog|蛙|かえる|2行目|?;zzyzx|||3行目|";
    QTest::newRow("columns in another order, the rest ignored")
        << "1;いぬ;x;dog;犬\n2;かわ;y;river;川\n" << QList<int> {3, 4, 1} << "dog|犬|いぬ|1行目|;river|川|かわ|2行目|";
    QTest::newRow("the list's words and repeated rows are not added")
        << "apple,林檎,りんご\ncity,都市,とし\nCITY,市,し\n" << all << "apple|林檎|りんご|1行目|-=;city|都市|とし|2行目|;CITY|市|し|3行目|-=";
}

void TestImport::tableRows()
{
    if (!haveHelp())
        QSKIP("MeCab's or Hunspell's dictionary is not installed (scripts/setup installs them)");
    QFETCH(QString, table);
    QFETCH(QList<int>, columns);
    QFETCH(QString, rows);
    QList<ImportRow> found = ImportRows::fromTable(TableReader::read(table), {columns[0], columns[1], columns[2]}, *m_help);
    ImportRows::markDuplicates(found, {{QStringLiteral("Apple"), QStringLiteral("りんご"), QStringLiteral("りんご")}});
    QCOMPARE(rowsText(found), rows);
}

void TestImport::columnsAreRememberedForTheSameShape()
{
    const ImportTable three = TableReader::read(QStringLiteral("apple\t林檎\tりんご\ndog\t犬\tいぬ\n"));
    const ImportTable two = TableReader::read(QStringLiteral("apple\t林檎\ndog\t犬\n"));
    QCOMPARE(ImportRows::columnsFor(three), (ColumnChoice {0, 1, 2}));
    ImportRows::rememberColumns({0, 2, -1}, 3);
    QCOMPARE(ImportRows::columnsFor(three), (ColumnChoice {0, 2, -1}));
    QCOMPARE(ImportRows::columnsFor(two), (ColumnChoice {0, 1, -1}));
    // A choice without the English word, or a hand-edited one out of range, is no choice.
    ImportRows::rememberColumns({-1, 1, 2}, 3);
    QCOMPARE(ImportRows::columnsFor(three), (ColumnChoice {0, 2, -1}));
    Common::WriteIniValue(Common::CommonIni, QStringLiteral("WORDIMPORT"), QStringLiteral("COLUMNS"), QStringLiteral("3:0,7,x"));
    QCOMPARE(ImportRows::columnsFor(three), (ColumnChoice {0, 1, 2}));
}

void TestImport::textWordsLeaveOutKnownWords()
{
    if (!haveHelp())
        QSKIP("MeCab's or Hunspell's dictionary is not installed (scripts/setup installs them)");
    const ImportLexicon lexicon(*m_help, {});
    const QList<TextWord> words = TextWords::find(Paragraph, lexicon, {QStringLiteral("river")});
    const QList<ImportRow> rows = ImportRows::fromText(words, *m_help, [](const QString &word) { return word == u"city"; });
    // frog three times, grow twice; names (Peru, Smith), grammar and words
    // without a meaning are left out, as are the learner's known words.
    QCOMPARE(rowsText(rows).section(u';', 0, 1), QStringLiteral("frog|蛙|かえる|Scientists in Peru discovered three new species of frogs in "
                                                                "the forests near a river.|;grow|育つ|そだつ|Frogs grow fast.|"));
    QStringList english;
    for (const ImportRow &row : rows)
        english << row.word.english;
    english.sort();
    QCOMPARE(english, (QStringList {"discover", "forest", "frog", "grow", "scientist", "small", "species"}));
}

void TestImport::firstWordsAreTicked()
{
    QList<TextWord> words;
    for (int i = 0; i < ImportRows::TickedWords + 5; ++i)
        words.append({QStringLiteral("w%1").arg(i), {}, 1, 1, QStringLiteral("s")});
    WordHelp none({QStringLiteral("/none"), QStringLiteral("/none"), QStringLiteral("/none")});
    const QList<ImportRow> rows = ImportRows::fromText(words, none, [](const QString &word) { return word == u"w0"; });
    QCOMPARE(rows.size(), words.size() - 1);
    QCOMPARE(std::count_if(rows.cbegin(), rows.cend(), [](const ImportRow &row) { return row.ticked; }), ImportRows::TickedWords);
    QVERIFY(rows[ImportRows::TickedWords - 1].ticked && !rows[ImportRows::TickedWords].ticked);
}

void TestImport::editorTakesATextAsOneStep()
{
    if (!haveHelp())
        QSKIP("MeCab's or Hunspell's dictionary is not installed (scripts/setup installs them)");
    // The learner stands at LEVEL 1 of a standard bank that starts with "river",
    // and has marked "city" known in the word book.
    QStringList bank {QStringLiteral("river"), QStringLiteral("川"), QStringLiteral("かわ")};
    for (int i = 1; i < 17; ++i)
        bank << QStringLiteral("word%1").arg(i) << QStringLiteral("意味") << QStringLiteral("いみ");
    QVERIFY(GsxSeq::WriteContainerFile(Common::StandardQuestionPath(), bank));
    QVERIFY(GsxSeq::WriteContainerFile(m_folder->filePath(ProgramFolder::StandardRecordDir, QStringLiteral("data1.dat")),
                                       {QStringLiteral("1,0,\"\",1,\"\",#2024-01-01#")}));
    {
        HistoryStore store(HistoryStore::defaultPath());
        QVERIFY(store.addMarks({{QDateTime::currentDateTime(), Common::TextKindStandard, {}, Common::TransModeJapanese,
                                 QStringLiteral("city"), QStringLiteral("都市")}}));
    }

    WordListEditor editor(nullptr, m_help.get());
    editor.model()->insertWords(0, {{QStringLiteral("small"), QStringLiteral("小さい"), QStringLiteral("ちいさい")}}, {});
    editor.model()->undoStack()->clear();
    QString summary;
    m_modals->answer(QStringLiteral("ImportDialog"), [&summary](QDialog &dialog) {
        auto &import = static_cast<ImportDialog &>(dialog);
        import.pasteEdit->setPlainText(Paragraph);
        QTest::mouseClick(import.readPastedButton, Qt::LeftButton);
        summary = import.summaryLabel->text();
        QTest::mouseClick(import.addButton, Qt::LeftButton);
    });
    editor.actionImport->trigger();
    QVERIFY2(summary.startsWith(QStringLiteral("7語のうち6語")), qPrintable(summary));
    QStringList english;
    for (const WordRow &row : editor.model()->rows())
        english << row.english + u':' + row.reading;
    QCOMPARE(english, (QStringList {"small:ちいさい", "frog:かえる", "grow:そだつ", "scientist:かがくしゃ", "discover:はっけんする",
                                    "species:しゅ", "forest:もり"}));
    QCOMPARE(editor.model()->undoStack()->count(), 1);
    editor.model()->undoStack()->undo();
    QCOMPARE(editor.model()->rows().size(), 1);
}

void TestImport::editorMarksGuessedMeaningsUntilSet()
{
    WordListEditor editor(nullptr, m_help.get());
    m_modals->answer(QStringLiteral("ImportDialog"), [](QDialog &dialog) {
        auto &import = static_cast<ImportDialog &>(dialog);
        import.readText(QStringLiteral("English\tJapanese\napple\t\ndog\t犬\n"));
        QCOMPARE(import.columnChoices[0]->currentText(), QStringLiteral("1列目「English」"));
        QCOMPARE(import.rowTable->rowCount(), 2);
        QTest::mouseClick(import.addButton, Qt::LeftButton);
    });
    editor.actionImport->trigger();
    WordListModel &model = *editor.model();
    QCOMPARE(model.rows().size(), 2);
    const QModelIndex meaning = model.index(0, WordListModel::MeaningColumn);
    QCOMPARE(meaning.data().toString(), QStringLiteral("林檎"));
    QVERIFY(model.rows()[0].meaningToCheck && !model.rows()[1].meaningToCheck);
    QVERIFY(model.index(0, WordListModel::CheckColumn).data().toString().contains(QStringLiteral("確かめて")));
    // Taking the meaning as it stands makes it the learner's, as one more step.
    QVERIFY(model.setData(meaning, meaning.data()));
    QVERIFY(!model.rows()[0].meaningToCheck);
    model.undoStack()->undo();
    QVERIFY(model.rows()[0].meaningToCheck);
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
