#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "bank/questions.h"
#include "core/cp932.h"
#include "records/recordsstore.h"
#include "testsupport.h"
#include "testsupport_ui.h"
#include "wordlist/wordhelp.h"
#include "wordlist/wordlisteditor.h"
#include "wordlist/wordlistfile.h"
#include "wordlist/wordlistmodel.h"
#include "wordlist/wordlistnames.h"

namespace QTest
{
    template<>
    char *toString(const WordRow &row)
    {
        const QString text = row.english + u'|' + row.meaning + u'|' + row.reading;
        return qstrdup(text.toUtf8().constData());
    }
}

namespace
{
    // Twenty words a learner might type, with the meaning the index offers first.
    const QList<WordRow> Words {
        {"apple", "林檎", "りんご"},      {"bag", "鞄", "かばん"},       {"bird", "鳥", "とり"},
        {"book", "本", "ほん"},           {"cat", "猫", "ねこ"},         {"chair", "椅子", "いす"},
        {"desk", "机", "つくえ"},         {"dog", "犬", "いぬ"},         {"egg", "卵", "たまご"},
        {"fish", "魚", "さかな"},         {"flower", "花", "はな"},      {"house", "家", "いえ"},
        {"milk", "牛乳", "ぎゅうにゅう"}, {"moon", "月", "つき"},        {"pencil", "鉛筆", "えんぴつ"},
        {"river", "川", "かわ"},          {"school", "学校", "がっこう"}, {"star", "星", "ほし"},
        {"tree", "木", "き"},             {"water", "水", "みず"},
    };

    // The index of the twenty words, each with a second, worse meaning.
    QByteArray indexOfWords()
    {
        QByteArray index = QByteArray(WordIndex::Header) + "; test\n";
        for (const WordRow &word : Words)
            index += (QStringList {word.english, word.meaning, word.reading, word.meaning + u'物', word.reading + u'も'}
                          .join(u'\t')
                      + u'\n')
                         .toUtf8();
        return index;
    }

    bool haveMeCab()
    {
        return QFileInfo::exists(JapaneseReading::defaultDictionary() + QStringLiteral("/sys.dic"));
    }

    // Keys to whatever has the keyboard, as the learner's keyboard sends them.
    void type(const QString &text)
    {
        for (const QChar c : text)
        {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            if (c.unicode() < 0x80)
                QTest::keyClick(focus, c.toLatin1());
            else // what an input method commits: a key event with its text
                QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }

    QStringList linesOf(const QString &path)
    {
        return QString::fromUtf8(ProgramFolderFixture::readFile(path)).split(QStringLiteral("\r\n"));
    }

    QStringList linesOf(const QList<WordRow> &rows)
    {
        return QString::fromUtf8(WordListFile::encode(rows)).split(QStringLiteral("\r\n"));
    }
}

class TestWordListEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typeTwentyWordsSaveAndStudy();
    void readingFollowsTheMeaningUntilTyped();
    void everyEditIsUndone_data();
    void everyEditIsUndone();
    void unsavedChangesAreAskedAbout_data();
    void unsavedChangesAreAskedAbout();
    void damagedBankOpensWithoutLoss();
    void otherDirectionOpensItsList();
    void listThatCannotBeSavedKeepsItsRows();
    void missingHelpIsSaidInTheWindow();

private:
    std::unique_ptr<WordListEditor> openEditor();
    void enterWord(const QString &english, int suggestion);

    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<ModalRecorder> m_modals;
    std::unique_ptr<WordHelp> m_help;
    QStringList m_questions;
    bool m_answer = true;
};

void TestWordListEditor::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_folder->writeStandardBank(34);
    m_modals = std::make_unique<ModalRecorder>();
    QDir().mkpath(m_folder->path() + u'/' + ProgramFolder::DictionaryDir);
    const QString index = m_folder->filePath(ProgramFolder::DictionaryDir, QStringLiteral("en-ja.tsv"));
    ProgramFolderFixture::writeFile(index, indexOfWords());
    m_help = std::make_unique<WordHelp>(WordHelp::Sources {index, JapaneseReading::defaultDictionary(),
                                                           Spelling::defaultDictionary()});
    m_questions.clear();
    m_answer = true;
    Message::setQuestionHandler([this](const QString &text) {
        m_questions.append(text);
        return m_answer;
    });
    Common::LoadQuestions();
    Common::LoadTestSettings();
    Common::LoadRecords();
}

void TestWordListEditor::cleanup()
{
    Message::setQuestionHandler({});
    m_modals.reset();
    m_help.reset();
    m_folder.reset();
}

std::unique_ptr<WordListEditor> TestWordListEditor::openEditor()
{
    auto editor = std::make_unique<WordListEditor>(nullptr, m_help.get());
    editor->show();
    QApplication::setActiveWindow(editor.get());
    editor->wordTable->setFocus();
    if (!QTest::qWaitForWindowActive(editor.get()))
        qWarning("the editor did not become active");
    return editor;
}

// Types the English word, Return, and takes the n-th meaning offered.
void TestWordListEditor::enterWord(const QString &english, int suggestion)
{
    type(english);
    press(Qt::Key_Return);
    press(Qt::Key_0 + suggestion, Qt::ControlModifier);

}

void TestWordListEditor::typeTwentyWordsSaveAndStudy()
{
    auto editor = openEditor();
    QCOMPARE(editor->statusLabel->text(), QStringLiteral("0 語。テストを始めるには、あと 10 語必要です（1LEVEL 10 語）。"));
    for (const WordRow &word : Words)
        enterWord(word.english, 1);
    QCOMPARE(editor->model()->rows(), Words);
    QCOMPARE(editor->wordTable->currentIndex(), editor->model()->index(20, WordListModel::EnglishColumn));
    QCOMPARE(editor->statusLabel->text(), QStringLiteral("20 語。"));

    // The second meaning offered replaces the first, and Ctrl+Z takes it back.
    editor->wordTable->setCurrentIndex(editor->model()->index(3, WordListModel::MeaningColumn));
    QCOMPARE(editor->suggestionList->item(1)->text(), QStringLiteral("2. 本物（ほんも）"));
    press(Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(editor->model()->rows()[3], (WordRow {"book", "本物", "ほんも"}));
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->model()->rows(), Words);
    // A double click takes it too, and only for the row it was offered for.
    editor->wordTable->setCurrentIndex(editor->model()->index(3, WordListModel::MeaningColumn));
    QListWidget *list = editor->suggestionList;
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second); // a double click's first click
    QCOMPARE(editor->model()->rows(), Words);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(editor->model()->rows()[3], (WordRow {"book", "本物", "ほんも"}));
    QCOMPARE(editor->model()->rows()[4], Words[4]);
    editor->model()->undoStack()->undo();
    QCOMPARE(editor->model()->rows(), Words);

    m_modals->answer(QStringLiteral("WordListNameDialog"), [](QDialog &dialog) {
        static_cast<QInputDialog &>(dialog).setTextValue(QStringLiteral("中1 単語"));
        dialog.accept();
    });
    press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_modals->shown(), QStringList {"WordListNameDialog"});
    QCOMPARE(linesOf(WordListNames::bankPath(QStringLiteral("中1 単語"))), linesOf(Words));
    QCOMPARE(linesOf(WordListNames::bankPath(QStringLiteral("中1 単語（英訳用）"))),
             linesOf(WordListFile::otherDirection(Words)));
    QVERIFY(!editor->windowTitle().endsWith(u'*'));

    // Studied the other way: the bank of the other direction, in 英訳.
    QSignalSpy chosen(editor.get(), &WordListEditor::bankChosen);
    editor->studyDirection->setCurrentIndex(1);
    QTest::mouseClick(editor->studyButton, Qt::LeftButton);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(editor->result(), int(QDialog::Accepted));
    QCOMPARE(Common::ReadIniValue(Common::CommonIni, Common::SectionSyutudai, Common::KeyTextName),
             QStringLiteral("中1 単語（英訳用）"));
    QVERIFY(Common::IsEnglishAnswer());
    QCOMPARE(Common::QuestionCount, 20);
    QCOMPARE(Common::QuestionBank[0].Prompt, QStringLiteral("林檎"));
    QCOMPARE(Common::QuestionBank[0].AnswerKeys, QStringLiteral("apple"));
    QCOMPARE(Common::LevelCount, 2);
    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages()[0].contains(QStringLiteral("出題に設定しました")));
    QVERIFY(m_questions.isEmpty());
}

void TestWordListEditor::readingFollowsTheMeaningUntilTyped()
{
    if (!haveMeCab())
        QSKIP("MeCab's UTF-8 IPA dictionary is not installed (scripts/setup installs it)");
    auto editor = openEditor();
    type(QStringLiteral("school"));
    press(Qt::Key_Return);
    type(QStringLiteral("学校"));
    press(Qt::Key_Return);
    QCOMPARE(editor->model()->rows(), (QList<WordRow> {{"school", "学校", "がっこう"}}));
    QCOMPARE(editor->wordTable->currentIndex().column(), int(WordListModel::ReadingColumn));

    auto retype = [&editor](int column, const QString &text) {
        editor->wordTable->setCurrentIndex(editor->model()->index(0, column));
        editor->wordTable->setFocus();
        type(text);
        press(Qt::Key_Return);
    };
    retype(WordListModel::MeaningColumn, QStringLiteral("学園"));
    QCOMPARE(editor->model()->rows()[0].reading, QStringLiteral("がくえん"));
    retype(WordListModel::ReadingColumn, QStringLiteral("がっこう"));
    retype(WordListModel::MeaningColumn, QStringLiteral("学舎"));
    QCOMPARE(editor->model()->rows()[0], (WordRow {"school", "学舎", "がっこう"}));
    // Each change is one step back.
    for (const char *reading : {"がっこう", "がくえん", "がっこう"})
    {
        editor->model()->undoStack()->undo();
        QCOMPARE(editor->model()->rows()[0].reading, QString::fromUtf8(reading));
    }
}

void TestWordListEditor::everyEditIsUndone_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<QStringList>("after"); // English words after the edit

    QTest::newRow("insert") << 0 << QStringList {"cat", "", "apple", "dog"};
    QTest::newRow("remove two") << 1 << QStringList {"cat"};
    QTest::newRow("move down") << 2 << QStringList {"apple", "dog", "cat"};
    QTest::newRow("move up") << 3 << QStringList {"dog", "cat", "apple"};
    QTest::newRow("sort") << 4 << QStringList {"apple", "cat", "dog"};
    QTest::newRow("change") << 5 << QStringList {"cat", "pear", "dog"};
    QTest::newRow("add below") << 6 << QStringList {"cat", "apple", "dog", "bird"};
}

void TestWordListEditor::everyEditIsUndone()
{
    QFETCH(int, edit);
    QFETCH(QStringList, after);
    WordListModel model(nullptr);
    const QList<WordRow> before {{"cat", "猫", "ねこ"}, {"apple", "林檎", "りんご"}, {"dog", "犬", "いぬ"}};
    model.setRows(before);
    QSignalSpy checked(&model, &WordListModel::checked);
    switch (edit)
    {
    case 0: model.insertWords(1, {WordRow()}, QStringLiteral("行の挿入")); break;
    case 1: model.removeWords(1, 5); break;
    case 2: model.moveWord(0, 2); break;
    case 3: model.moveWord(2, 0); break;
    case 4: model.sortByEnglish(); break;
    case 5: model.setData(model.index(1, WordListModel::EnglishColumn), QStringLiteral(" pear ")); break;
    case 6: model.setData(model.index(3, WordListModel::EnglishColumn), QStringLiteral("bird")); break;
    }
    auto english = [&model] {
        QStringList words;
        for (const WordRow &row : model.rows())
            words.append(row.english);
        return words;
    };
    QCOMPARE(english(), after);
    QCOMPARE(model.rowCount(), after.size() + 1);
    QVERIFY(!checked.isEmpty());
    QCOMPARE(model.undoStack()->count(), 1);
    model.undoStack()->undo();
    QCOMPARE(model.rows(), before);
    model.undoStack()->redo();
    QCOMPARE(english(), after);
    // Nothing changed is no step.
    model.setData(model.index(0, WordListModel::EnglishColumn), model.rows()[0].english);
    model.setData(model.index(model.newRow(), WordListModel::MeaningColumn), QString());
    QCOMPARE(model.undoStack()->count(), 1);
}

void TestWordListEditor::unsavedChangesAreAskedAbout_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");

    QTest::newRow("save") << "saveChoice" << true << true;
    QTest::newRow("discard") << "discardChoice" << true << false;
    QTest::newRow("cancel") << "cancelChoice" << false << false;
}

void TestWordListEditor::unsavedChangesAreAskedAbout()
{
    QFETCH(QString, choice);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    const QString path = WordListNames::bankPath(QStringLiteral("old"));
    ProgramFolderFixture::writeFile(path, WordListFile::encode(Words.mid(0, 2)));
    auto editor = openEditor();
    QVERIFY(editor->openList(QStringLiteral("old")));
    editor->model()->removeWords(0, 1);
    m_modals->answer(QStringLiteral("UnsavedChanges"), [choice](QDialog &box) {
        box.findChild<QPushButton *>(choice)->click();
    });
    press(Qt::Key_Escape);
    QCOMPARE(m_modals->shown(), QStringList {"UnsavedChanges"});
    QCOMPARE(editor->isVisible(), !closed);
    QCOMPARE(WordListFile::read(path).rows, saved ? Words.mid(1, 1) : Words.mid(0, 2));
    QCOMPARE(editor->model()->rows(), Words.mid(1, 1));
}

void TestWordListEditor::damagedBankOpensWithoutLoss()
{
    // Lines of two encodings, bytes of neither, and a last word cut short.
    const QByteArray damaged = QStringLiteral("apple\r\n林檎\r\n").toUtf8() + Cp932::encode(QStringLiteral("りんご\r\n犬\r\n"))
        + QByteArray("\x81\xFF\r\n") + QStringLiteral("cat\r\n猫").toUtf8();
    const QString path = WordListNames::bankPath(QStringLiteral("damaged"));
    ProgramFolderFixture::writeFile(path, damaged);
    auto editor = openEditor();
    QVERIFY(editor->openList(QStringLiteral("damaged")));
    const QList<WordRow> rows = editor->model()->rows();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0], (WordRow {"apple", "林檎", "りんご"}));
    QCOMPARE(rows[1].english, QStringLiteral("犬"));
    QVERIFY(rows[1].meaning.contains(QChar::ReplacementCharacter));
    QCOMPARE(rows[2], (WordRow {"猫", "", ""}));
    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages()[0].contains(QStringLiteral("3行そろっていなかった")));
    QVERIFY(m_folder->messages()[0].contains(QStringLiteral("読めない文字")));
    QVERIFY(editor->model()->problems()[2].any());
    QCOMPARE(ProgramFolderFixture::readFile(path), damaged);

    // Saved only after the learner is told of the new encoding.
    m_answer = false;
    QVERIFY(!editor->save());
    QCOMPARE(ProgramFolderFixture::readFile(path), damaged);
    m_answer = true;
    QVERIFY(editor->save());
    QCOMPARE(m_questions.size(), 2);
    QVERIFY(m_questions[0].contains(QStringLiteral("Shift-JIS")));
    QCOMPARE(WordListFile::read(path).rows, rows);
}

void TestWordListEditor::otherDirectionOpensItsList()
{
    auto editor = openEditor();
    editor->model()->insertWords(0, Words.mid(0, 3), QStringLiteral("test"));
    m_modals->answer(QStringLiteral("WordListNameDialog"), [](QDialog &dialog) {
        static_cast<QInputDialog &>(dialog).setTextValue(QStringLiteral("three"));
        dialog.accept();
    });
    QVERIFY(editor->save());
    QVERIFY(editor->openList(QStringLiteral("three（英訳用）")));
    QCOMPARE(editor->listName(), QStringLiteral("three"));
    QCOMPARE(editor->model()->rows(), Words.mid(0, 3));
    QVERIFY(editor->otherDirectionBox->isChecked());

    // With its list gone, the list comes back from the other direction.
    QVERIFY(QFile::remove(WordListNames::bankPath(QStringLiteral("three"))));
    QVERIFY(editor->openList(QStringLiteral("three（英訳用）")));
    QCOMPARE(editor->listName(), QStringLiteral("three"));
    QCOMPARE(editor->model()->rows()[1], (WordRow {"bag", "鞄", ""}));
    QVERIFY(!editor->model()->undoStack()->isClean());
}

void TestWordListEditor::listThatCannotBeSavedKeepsItsRows()
{
    auto editor = openEditor();
    editor->model()->insertWords(0, Words, QStringLiteral("test"));
    // A folder stands where the bank file would go.
    QVERIFY(QDir().mkpath(WordListNames::bankPath(QStringLiteral("blocked"))));
    m_modals->answer(QStringLiteral("WordListNameDialog"), [](QDialog &dialog) {
        static_cast<QInputDialog &>(dialog).setTextValue(QStringLiteral("blocked"));
        dialog.accept();
    });
    QVERIFY(!editor->save());
    QCOMPARE(m_folder->messages().size(), 1);
    QVERIFY(m_folder->messages()[0].startsWith(QStringLiteral("問題集を保存できませんでした。編集中の内容はそのまま残っています。")));
    QCOMPARE(editor->model()->rows(), Words);
    QVERIFY(!editor->model()->undoStack()->isClean());

    // A line break cannot be one line of the bank: nothing is written.
    editor->model()->chooseMeaning(4, QStringLiteral("猫\n"), QStringLiteral("ねこ"));
    editor->otherDirectionBox->setChecked(false);
    m_modals->answer(QStringLiteral("WordListNameDialog"), [](QDialog &dialog) {
        static_cast<QInputDialog &>(dialog).setTextValue(QStringLiteral("free"));
        dialog.accept();
    });
    QVERIFY(!editor->save());
    QVERIFY(m_folder->messages().last().startsWith(QStringLiteral("5行目に改行があるため保存できません。")));
    QVERIFY(!QFile::exists(WordListNames::bankPath(QStringLiteral("free"))));
}

void TestWordListEditor::missingHelpIsSaidInTheWindow()
{
    m_help = std::make_unique<WordHelp>(WordHelp::Sources {m_folder->path() + QStringLiteral("/none.tsv"),
                                                           m_folder->path(), m_folder->path() + QStringLiteral("/en")});
    auto editor = openEditor();
    QVERIFY(editor->helpNotice->isHidden());
    type(QStringLiteral("cat"));
    press(Qt::Key_Return);
    type(QStringLiteral("猫"));
    press(Qt::Key_Return);
    QCOMPARE(editor->model()->rows(), (QList<WordRow> {{"cat", "猫", ""}}));
    QVERIFY(editor->suggestionList->count() == 0);
    QVERIFY(editor->helpNotice->isVisible());
    QCOMPARE(editor->helpNotice->text().count(u'\n'), 2);
    QVERIFY(m_folder->messages().isEmpty());
}



QTEST_MAIN(TestWordListEditor)
#include "tst_wordlisteditor.moc"
