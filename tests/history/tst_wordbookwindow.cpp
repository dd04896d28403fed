#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "bank/questions.h"
#include "core/clock.h"
#include "history/historystore.h"
#include "history/weakhistory.h"
#include "history/wordbookmodel.h"
#include "history/wordbookwindow.h"
#include "historysupport.h"
#include "testsupport.h"
#include "testsupport_ui.h"

namespace
{
    const QDateTime Day1(QDate(2026, 11, 2), QTime(9, 0));

    // Day 1: word1, word2 and word3 missed, then word1 practised; word4
    // marked known; word3 has since left the bank; the other direction has
    // its own test. It is the evening of day 1.
    struct Book
    {
        ProgramFolderFixture folder;
        std::unique_ptr<HistoryStore> store;
        std::unique_ptr<WeakHistory> weak;
        std::unique_ptr<WordBookWindow> window;
        QTableView *table = nullptr;

        Book()
        {
            for (int i = 0; i < 40; ++i)
                Common::QuestionBank.append({QStringLiteral("word%1").arg(i), QStringLiteral("意味%1").arg(i),
                                             QStringLiteral("いみ"), QString()});
            store = std::make_unique<HistoryStore>(HistoryStore::defaultPath());
            HistoryTest practice = seededTest(Day1.addSecs(600), 0);
            practice.kind = TestKind::WeakWords;
            practice.questions = practice.questions.mid(0, 1);
            QList<HistoryTest> tests {seededTest(Day1, 0, {1, 2, 3}), practice,
                                      seededTest(Day1, 0, {1}, QStringLiteral("英訳"))};
            for (HistoryTest &test : tests)
                store->addTest(test);
            const HistoryFilter bank = HistoryFilter::current();
            store->addMarks({{Day1.addSecs(900), bank.bankKind, bank.bankName, bank.direction, "word4", "意味4", 4,
                              WordMark::Kind::Known}});
            Common::QuestionBank[3] = {QStringLiteral("word3"), QStringLiteral("別の意味"), QStringLiteral("いみ"), {}};
            Clock::setDateTimeSource([] { return Day1.addSecs(10 * 3600); });
            weak = std::make_unique<WeakHistory>(*store);
            window = std::make_unique<WordBookWindow>(*store, *weak, nullptr);
            table = window->findChild<QTableView *>(QStringLiteral("words"));
        }
        ~Book() { Clock::setDateTimeSource({}); }

        QString cell(int row, int column) const
        {
            return table->model()->index(row, column).data().toString();
        }
        QStringList column(int column) const
        {
            QStringList texts;
            for (int row = 0; row < table->model()->rowCount(); ++row)
                texts.append(cell(row, column));
            return texts;
        }
        // The row of the word, the one the bank no longer holds if `gone`.
        int row(const QString &prompt, bool gone = false) const
        {
            for (int r = 0; r < table->model()->rowCount(); ++r)
            {
                const bool isGone = cell(r, WordBook::StateColumn).contains(QStringLiteral("問題集にない"));
                if (cell(r, WordBook::PromptColumn) == prompt && isGone == gone)
                    return r;
            }
            return -1;
        }
        void select(const QStringList &prompts)
        {
            table->clearSelection();
            for (const QString &prompt : prompts)
                table->selectionModel()->select(table->model()->index(row(prompt), 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        QPushButton *button(const char *name) const
        {
            return window->findChild<QPushButton *>(QLatin1String(name));
        }
    };
}

class WordBookWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void showsWhereEachWordStands_data();
    void showsWhereEachWordStands();
    void filtersSearchesAndSorts();
    void marksAreKeptAndTakenBack();
    void pronouncesTheEnglishWord();
};

void WordBookWindowTest::showsWhereEachWordStands_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("gone");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("missed");
    QTest::addColumn<QString>("lastSeen");

    QTest::newRow("practised once") << "word1" << false << "苦手 1/4" << "2026/11/03" << "2" << "1" << "2026/11/02";
    QTest::newRow("missed, due") << "word2" << false << "苦手 0/4" << "2026/11/02" << "1" << "1" << "2026/11/02";
    QTest::newRow("no longer in the bank") << "word3" << true << "苦手 0/4（問題集にない）" << "2026/11/02" << "1"
                                           << "1" << "2026/11/02";
    QTest::newRow("the word now at its place") << "word3" << false << "未出題" << "" << "0" << "0" << "";
    QTest::newRow("known") << "word4" << false << "知っている" << "" << "1" << "0" << "2026/11/02";
    QTest::newRow("asked, never missed") << "word5" << false << "学習中" << "" << "1" << "0" << "2026/11/02";
    QTest::newRow("never asked") << "word20" << false << "未出題" << "" << "0" << "0" << "";
}

void WordBookWindowTest::showsWhereEachWordStands()
{
    QFETCH(QString, prompt);
    QFETCH(bool, gone);
    Book book;
    QCOMPARE(book.table->model()->rowCount(), 41);
    const int row = book.row(prompt, gone);
    QVERIFY(row >= 0);
    QTEST(book.cell(row, WordBook::StateColumn), "state");
    QTEST(book.cell(row, WordBook::DueColumn), "due");
    QTEST(book.cell(row, WordBook::AskedColumn), "asked");
    QTEST(book.cell(row, WordBook::MissedColumn), "missed");
    QTEST(book.cell(row, WordBook::LastSeenColumn), "lastSeen");
    QCOMPARE(book.window->findChild<QLabel *>(QStringLiteral("summary"))->text(),
             QStringLiteral("41語　未出題 31　学習中 6　苦手 3（今日の復習 2）　覚えた 0　知っている 1"));
}

void WordBookWindowTest::filtersSearchesAndSorts()
{
    Book book;
    auto *states = book.window->findChild<QComboBox *>(QStringLiteral("stateFilter"));
    auto *search = book.window->findChild<QLineEdit *>(QStringLiteral("search"));
    states->setCurrentText(QStringLiteral("苦手"));
    QCOMPARE(book.column(WordBook::PromptColumn), (QStringList{"word1", "word2", "word3"}));
    states->setCurrentText(QStringLiteral("苦手（今日が復習日）"));
    QCOMPARE(book.column(WordBook::PromptColumn), (QStringList{"word2", "word3"}));
    states->setCurrentText(QStringLiteral("知っている"));
    QCOMPARE(book.column(WordBook::PromptColumn), QStringList{"word4"});

    // By either side, case ignored, with the state chosen; in the order of
    // the bank, where the word it no longer holds stays by its old place.
    states->setCurrentText(QStringLiteral("すべての単語"));
    QTest::keyClicks(search, QStringLiteral("WORD3"));
    QCOMPARE(book.column(WordBook::PromptColumn),
             (QStringList{"word3", "word3", "word30", "word31", "word32", "word33", "word34", "word35", "word36",
                          "word37", "word38", "word39"}));
    search->setText(QStringLiteral("別の"));
    QCOMPARE(book.column(WordBook::AnswerColumn), QStringList{"別の意味"});
    search->clear();
    states->setCurrentText(QStringLiteral("学習中"));

    // A click on a header sorts by it; ties keep the order of the bank.
    book.table->sortByColumn(WordBook::StateColumn, Qt::DescendingOrder);
    states->setCurrentText(QStringLiteral("すべての単語"));
    QCOMPARE(book.column(WordBook::StateColumn).mid(0, 5),
             (QStringList{"知っている", "苦手 1/4", "苦手 0/4", "苦手 0/4（問題集にない）", "学習中"}));
    book.table->sortByColumn(WordBook::DueColumn, Qt::AscendingOrder);
    QCOMPARE(book.column(WordBook::DueColumn).mid(0, 4), (QStringList{"2026/11/02", "2026/11/02", "2026/11/03", ""}));
    book.table->sortByColumn(WordBook::PromptColumn, Qt::DescendingOrder);
    QCOMPARE(book.cell(0, WordBook::PromptColumn), QStringLiteral("word9"));
    // Enter in the search goes to the word typed, wherever the sort put it,
    // and leaves the window open.
    book.window->show();
    search->setText(QStringLiteral("word1"));
    QTest::keyClick(search, Qt::Key_Return);
    QVERIFY(book.window->isVisible());
    const QModelIndexList chosen = book.table->selectionModel()->selectedRows();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0].row(), 10);
    QCOMPARE(book.cell(10, WordBook::PromptColumn), QStringLiteral("word1"));
    // A command's mnemonic marks it at once, before an Esc typed next could close the window.
    QVERIFY(QTest::qWaitForWindowActive(book.window.get()));
    QTest::keyClick(book.window.get(), Qt::Key_K, Qt::AltModifier);
    QCOMPARE(book.cell(10, WordBook::StateColumn), QStringLiteral("知っている"));
    search->clear();

    // Every bank and direction: the other direction's words come from its history.
    book.window->findChild<QCheckBox *>(QStringLiteral("showAll"))->setChecked(true);
    QVERIFY(!book.table->isColumnHidden(WordBook::BankColumn));
    book.table->sortByColumn(WordBook::BankColumn, Qt::AscendingOrder);
    QCOMPARE(book.table->model()->rowCount(), 51);
    QCOMPARE(book.cell(41, WordBook::BankColumn), QStringLiteral("標準 英訳"));
    QCOMPARE(book.cell(41, WordBook::StateColumn), QStringLiteral("苦手 0/4"));
}

void WordBookWindowTest::marksAreKeptAndTakenBack()
{
    Book book;
    QPushButton *known = book.button("knownButton");
    QPushButton *addWeak = book.button("addWeakButton");
    QPushButton *removeWeak = book.button("removeWeakButton");

    // Known: a word being learned and a weak one; the same command takes it back.
    book.select({"word5", "word2"});
    QVERIFY(known->isEnabled() && !known->isChecked());
    QVERIFY(addWeak->isEnabled() && removeWeak->isEnabled());
    known->click();
    QCOMPARE(book.cell(book.row("word5"), WordBook::StateColumn), QStringLiteral("知っている"));
    QCOMPARE(book.cell(book.row("word2"), WordBook::StateColumn), QStringLiteral("知っている"));
    // Known is never due, though the schedule goes on underneath.
    QCOMPARE(book.cell(book.row("word2"), WordBook::DueColumn), QString());
    QVERIFY(known->isChecked());
    QVERIFY(!addWeak->isEnabled() && !removeWeak->isEnabled());
    const WeakWords afterKnown = book.weak->weakWords(Day1.date());
    QVERIFY(!afterKnown.find(2) && afterKnown.find(1));
    known->click();
    QCOMPARE(book.cell(book.row("word2"), WordBook::StateColumn), QStringLiteral("苦手 0/4"));
    QCOMPARE(book.cell(book.row("word5"), WordBook::StateColumn), QStringLiteral("学習中"));

    // Added: due today, at the first step, asked first in practice; taken off again.
    book.select({"word20"});
    QVERIFY(!removeWeak->isEnabled());
    auto *menu = book.window->findChild<QMenu *>(QStringLiteral("wordMenu"));
    menu->findChild<QAction *>(QStringLiteral("addWeakAction"))->trigger();
    QCOMPARE(book.cell(book.row("word20"), WordBook::StateColumn), QStringLiteral("苦手 0/4"));
    QCOMPARE(book.cell(book.row("word20"), WordBook::DueColumn), QStringLiteral("2026/11/02"));
    QCOMPARE(book.weak->weakWords(Day1.date()).practiceWords(10), (QList<int>{2, 20}));
    book.select({"word1"});
    removeWeak->click();
    QCOMPARE(book.cell(book.row("word1"), WordBook::StateColumn), QStringLiteral("学習中"));

    // The word the bank no longer holds keeps its state: nothing to mark.
    book.select({"word3"});
    book.table->selectionModel()->select(book.table->model()->index(book.row("word3", true), 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QVERIFY(!known->isEnabled() && !addWeak->isEnabled() && !removeWeak->isEnabled());

    // Each choice was kept in the history, in order, and a new window reads the same.
    QStringList kept;
    book.store->forEachMark(HistoryFilter::current(), [&kept](const HistoryStore::Mark &mark) {
        kept.append(mark.prompt + u' ' + QString::number(int(mark.kind)));
    });
    QCOMPARE(kept, (QStringList{"word4 0", "word5 0", "word2 0", "word5 1", "word2 1", "word20 2", "word1 3"}));
    const QStringList states = book.column(WordBook::StateColumn);
    WeakHistory fresh(*book.store);
    book.window = std::make_unique<WordBookWindow>(*book.store, fresh, nullptr);
    book.table = book.window->findChild<QTableView *>(QStringLiteral("words"));
    QCOMPARE(book.column(WordBook::StateColumn), states);
    QVERIFY(book.folder.messages().isEmpty());
}

void WordBookWindowTest::pronouncesTheEnglishWord()
{
    Book book;
    SoundRecorder sounds;
    for (const auto &[prompt, column] : {std::pair{"word7", WordBook::PromptColumn}, {"word8", WordBook::AnswerColumn}})
        emit book.table->clicked(book.table->model()->index(book.row(prompt), column));
    emit book.table->clicked(book.table->model()->index(book.row("word3", true), WordBook::PromptColumn));
    QCOMPARE(sounds.played(), QStringList{Common::SoundFilePath(7)});
    QVERIFY(book.window->findChild<QLabel *>(QStringLiteral("hint"))->isVisibleTo(book.window.get()));
}

QTEST_MAIN(WordBookWindowTest)
#include "tst_wordbookwindow.moc"
