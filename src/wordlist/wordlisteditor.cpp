#include "wordlisteditor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include "core/message.h"
#include "core/programfolder.h"
#include "gui_shared/modal.h"
#include "importdialog.h"
#include "rowchecks.h"
#include "studychoice.h"
#include "wordcelldelegate.h"
#include "wordhelp.h"
#include "wordlistfile.h"
#include "wordlistmodel.h"
#include "wordlistnames.h"

namespace
{
    const QString Title = QStringLiteral("問題集の作成・編集");
    constexpr int SuggestionShortcuts = 9;

    enum SuggestionRole
    {
        MeaningRole = Qt::UserRole,
        ReadingRole,
        SpellingRole,
    };

    // The dictionary help of every opening of the editor, loaded when the
    // editor first needs it, never at start-up.
    WordHelp &sharedHelp()
    {
        static WordHelp help;
        return help;
    }

    template<typename Widget>
    Widget *named(Widget *widget, const char *name)
    {
        widget->setObjectName(QLatin1String(name));
        return widget;
    }

    // Return moves on in the table while no cell is being edited: the keys of
    // a cell being edited go to its editor, not to the table.
    class ReturnMovesOn : public QObject
    {
    public:
        ReturnMovesOn(QTableView *table, std::function<void()> moveOn)
            : QObject(table)
            , m_table(table)
            , m_moveOn(std::move(moveOn))
        {
            table->installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject *object, QEvent *event) override
        {
            if (object != m_table || event->type() != QEvent::KeyPress)
                return false;
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter)
                return false;
            m_moveOn();
            return true;
        }

    private:
        QTableView *m_table;
        std::function<void()> m_moveOn;
    };
}

WordListEditor::WordListEditor(QWidget *owner, WordHelp *help)
    : QDialog(owner)
    , m_help(help ? help : &sharedHelp())
    , m_model(new WordListModel(m_help, this))
{
    setObjectName(QStringLiteral("WordListEditor"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    buildMenus();
    buildWindow();
    connect(m_model, &WordListModel::checked, this, &WordListEditor::refresh);
    connect(m_model->undoStack(), &QUndoStack::cleanChanged, this, &WordListEditor::refresh);
    connect(studyDirection, &QComboBox::currentIndexChanged, this, &WordListEditor::refresh);
    newList();
    wordTable->setFocus();
}

WordListEditor::~WordListEditor()
{
    // The model, its undo stack and the table go after the editor's own part:
    // what they signal as they go (an unsaved stack is no longer clean, the
    // current cell is gone) must not reach a window half destroyed.
    m_model->undoStack()->disconnect(this);
    m_model->disconnect(this);
    wordTable->selectionModel()->disconnect(this);
}

void WordListEditor::buildMenus()
{
    menuBar = named(new QMenuBar(this), "menuBar");
    auto add = [this](QMenu *menu, const char *name, const QString &text, const QKeySequence &keys,
                      const std::function<void()> &handler) {
        QAction *action = named(menu->addAction(text), name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu *file = named(menuBar->addMenu(QStringLiteral("ファイル(&F)")), "menuFile");
    actionNew = add(file, "actionNew", QStringLiteral("新しい問題集(&N)"), QKeySequence::New, [this] { newList(); });
    actionOpen = add(file, "actionOpen", QStringLiteral("開く(&O)…"), QKeySequence::Open, [this] { chooseAndOpen(); });
    actionSave = add(file, "actionSave", QStringLiteral("保存(&S)"), QKeySequence::Save, [this] { save(); });
    actionSaveAs = add(file, "actionSaveAs", QStringLiteral("名前を付けて保存(&A)…"), QKeySequence::SaveAs,
                       [this] { saveAs(); });
    file->addSeparator();
    actionImport = add(file, "actionImport", QStringLiteral("読み込み(&I)…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I),
                       [this] { importWords(); });
    file->addSeparator();
    named(file->addAction(QStringLiteral("閉じる(&C)"), this, &WordListEditor::reject), "actionClose");

    QMenu *edit = named(menuBar->addMenu(QStringLiteral("編集(&E)")), "menuEdit");
    actionUndo = named(m_model->undoStack()->createUndoAction(this, QStringLiteral("元に戻す(&U)")), "actionUndo");
    actionUndo->setShortcut(QKeySequence::Undo);
    actionRedo = named(m_model->undoStack()->createRedoAction(this, QStringLiteral("やり直し(&R)")), "actionRedo");
    actionRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addActions({actionUndo, actionRedo});
    edit->addSeparator();
    actionInsert = add(edit, "actionInsert", QStringLiteral("行を挿入(&I)"), QKeySequence(Qt::CTRL | Qt::Key_I),
                       [this] { insertRow(); });
    actionDelete = add(edit, "actionDelete", QStringLiteral("行を削除(&D)"), QKeySequence(Qt::CTRL | Qt::Key_D),
                       [this] { deleteRows(); });
    actionMoveUp = add(edit, "actionMoveUp", QStringLiteral("上へ移動(&P)"), QKeySequence(Qt::ALT | Qt::Key_Up),
                       [this] { moveRow(-1); });
    actionMoveDown = add(edit, "actionMoveDown", QStringLiteral("下へ移動(&W)"), QKeySequence(Qt::ALT | Qt::Key_Down),
                         [this] { moveRow(1); });
    actionSort = add(edit, "actionSort", QStringLiteral("英単語順に並べ替え(&S)"), {},
                     [this] { m_model->sortByEnglish(); });
    actionFillReadings = add(edit, "actionFillReadings", QStringLiteral("空の読みを補う(&Y)"), {},
                             [this] { m_model->fillMissingReadings(); });
    edit->addSeparator();
    actionFind = add(edit, "actionFind", QStringLiteral("検索(&F)"), QKeySequence::Find, [this] {
        findField->setFocus();
        findField->selectAll();
    });
    auto *findAgain = new QShortcut(QKeySequence::FindNext, this);
    connect(findAgain, &QShortcut::activated, this, &WordListEditor::findNext);

    // Ctrl+1 to Ctrl+9 take the meanings offered for the current row.
    for (int number = 1; number <= SuggestionShortcuts; ++number)
    {
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + number)), this);
        connect(shortcut, &QShortcut::activated, this, [this, number] { pickSuggestion(number); });
    }
}

void WordListEditor::buildWindow()
{
    nameLabel = named(new QLabel, "nameLabel");
    findField = named(new QLineEdit, "findField");
    findField->setPlaceholderText(QStringLiteral("検索（Ctrl+F、次へは Enter）"));
    findField->setClearButtonEnabled(true);
    connect(findField, &QLineEdit::returnPressed, this, &WordListEditor::findNext);

    wordTable = named(new QTableView, "wordTable");
    wordTable->setModel(m_model);
    auto *delegate = new WordCellDelegate(wordTable);
    wordTable->setItemDelegate(delegate);
    wordTable->setSelectionMode(QAbstractItemView::ContiguousSelection);
    wordTable->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                               | QAbstractItemView::EditKeyPressed);
    wordTable->setTabKeyNavigation(true);
    wordTable->setWordWrap(false);
    wordTable->horizontalHeader()->setSectionResizeMode(WordListModel::CheckColumn, QHeaderView::Stretch);
    wordTable->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for a long reading, and the reasons of the check column still in view.
    for (int column = 0; column < WordListModel::CheckColumn; ++column)
        wordTable->setColumnWidth(column, fontMetrics().horizontalAdvance(QString(8, u'あ')));
    new ReturnMovesOn(wordTable, [this] { moveOn(); });
    connect(delegate, &WordCellDelegate::entered, this, &WordListEditor::moveOn);
    connect(delegate, &WordCellDelegate::englishEdited, this, [this](const QString &text) { showSuggestions(text, false); });
    connect(wordTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &WordListEditor::currentRowChanged);
    connect(m_model, &WordListModel::checked, this, &WordListEditor::currentRowChanged);

    suggestionCaption = named(new QLabel(QStringLiteral("意味の候補（ダブルクリックか Ctrl+1～9 で選ぶ）")), "suggestionCaption");
    suggestionList = named(new QListWidget, "suggestionList");
    connect(suggestionList, &QListWidget::itemActivated, this, &WordListEditor::useItem);
    auto *side = new QWidget;
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(suggestionCaption);
    sideLayout->addWidget(suggestionList);
    auto *splitter = new QSplitter;
    splitter->addWidget(wordTable);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    statusLabel = named(new QLabel, "statusLabel");
    statusLabel->setWordWrap(true);
    helpNotice = named(new QLabel, "helpNotice");
    helpNotice->setWordWrap(true);
    helpNotice->setTextFormat(Qt::PlainText);
    helpNotice->hide();

    otherDirectionBox = named(new QCheckBox(QStringLiteral("英訳用の問題集も保存する(&B)")), "otherDirectionBox");
    otherDirectionBox->setToolTip(QStringLiteral("意味を問題にして英単語を答える問題集を、名前の後ろに「（英訳用）」を"
                                                 "付けて一緒に保存します。保存するたびに同じ内容にそろえます。"));
    studyDirection = named(new QComboBox, "studyDirection");
    studyDirection->addItems({QStringLiteral("英単語→意味（和訳）"), QStringLiteral("意味→英単語（英訳）")});
    studyButton = named(new QPushButton(QStringLiteral("この問題集で学習(&T)")), "studyButton");
    saveButton = named(new QPushButton(QStringLiteral("保存(&S)")), "saveButton");
    closeButton = named(new QPushButton(QStringLiteral("閉じる")), "closeButton");
    for (QPushButton *button : {studyButton, saveButton, closeButton})
        button->setAutoDefault(false);
    connect(studyButton, &QPushButton::clicked, this, &WordListEditor::study);
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(closeButton, &QPushButton::clicked, this, &WordListEditor::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(nameLabel, 1);
    top->addWidget(findField);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(otherDirectionBox);
    bottom->addStretch();
    auto *directionLabel = new QLabel(QStringLiteral("出題の向き(&K):"));
    directionLabel->setBuddy(studyDirection);
    bottom->addWidget(directionLabel);
    bottom->addWidget(studyDirection);
    bottom->addWidget(studyButton);
    bottom->addWidget(saveButton);
    bottom->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addWidget(statusLabel);
    layout->addWidget(helpNotice);
    layout->addLayout(bottom);
    resize(fontMetrics().horizontalAdvance(QString(64, u'あ')), fontMetrics().height() * 36);
}

// --- the list as a whole ------------------------------------------------

void WordListEditor::newList()
{
    if (!settleChanges())
        return;
    m_name.clear();
    m_encoding = UserText::Encoding::Utf8;
    m_unreadableBytes = false;
    otherDirectionBox->setChecked(true);
    m_model->setRows({});
    wordTable->setCurrentIndex(m_model->index(0, WordListModel::EnglishColumn));
    refresh();
}

void WordListEditor::chooseAndOpen()
{
    if (!settleChanges())
        return;
    const QStringList banks = WordListNames::existingBanks();
    if (banks.isEmpty())
    {
        Message::show(QStringLiteral("開ける問題集がありません。\n%1")
                          .arg(QDir::toNativeSeparators(ProgramFolder::filePath(ProgramFolder::UserWordDir))));
        return;
    }
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("WordListOpenDialog"));
    dialog.setWindowTitle(QStringLiteral("問題集を開く"));
    dialog.setLabelText(QStringLiteral("開く問題集:"));
    dialog.setComboBoxItems(banks);
    dialog.setComboBoxEditable(false);
    if (!m_name.isEmpty() && banks.contains(m_name))
        dialog.setTextValue(m_name);
    if (Modal::exec(dialog) == QDialog::Accepted)
        openList(dialog.textValue());
}

bool WordListEditor::openList(const QString &name)
{
    // The bank of the other direction is made from its list: the list is
    // what is edited, and when only the bank is left, the list comes back
    // from it.
    const QString list = WordListNames::listOfOtherDirection(name);
    const bool fromOtherDirection = !list.isEmpty();
    const bool listExists = fromOtherDirection && QFileInfo::exists(WordListNames::bankPath(list));
    const WordListFile::Loaded loaded = WordListFile::read(WordListNames::bankPath(listExists ? list : name));
    if (!loaded.error.isEmpty())
    {
        Message::show(QStringLiteral("問題集「%1」を開けません。\n%2").arg(name, loaded.error));
        return false;
    }
    QStringList notes;
    QList<WordRow> rows = loaded.rows;
    if (fromOtherDirection && !listExists)
    {
        // Prompt = meaning, answer = English: back to 英単語 | 意味, reading to be filled.
        for (WordRow &row : rows)
            row = {row.meaning, row.english, QString()};
        notes.append(QStringLiteral("英訳用の問題集から元の問題集「%1」を作り直しました。読みを補ってから保存してください。").arg(list));
    }
    else if (fromOtherDirection)
        notes.append(QStringLiteral("英訳用の問題集は「%1」から作られるため、「%1」を開きました。").arg(list));
    if (loaded.incompleteLastRow)
        notes.append(QStringLiteral("最後の単語は3行そろっていなかったため、足りない欄を空にしてあります。"));
    if (loaded.unreadableBytes)
        notes.append(QStringLiteral("読めない文字があり、「\uFFFD」で表しています。元のファイルは保存するまで変わりません。"));

    m_name = fromOtherDirection ? list : name;
    m_encoding = loaded.encoding;
    m_unreadableBytes = loaded.unreadableBytes;
    otherDirectionBox->setChecked(fromOtherDirection
                                  || QFileInfo::exists(WordListNames::bankPath(WordListNames::otherDirectionName(m_name))));
    m_model->setRows(rows);
    wordTable->setCurrentIndex(m_model->index(0, WordListModel::EnglishColumn));
    wordTable->setFocus();
    if (fromOtherDirection && !listExists)
        m_model->undoStack()->resetClean();
    refresh();
    if (!notes.isEmpty())
        Message::show(notes.join(u'\n'));
    return true;
}

bool WordListEditor::save()
{
    commitEditing();
    return m_name.isEmpty() ? saveAs() : writeList(m_name);
}

bool WordListEditor::saveAs()
{
    commitEditing();
    const QStringList existing = WordListNames::existingBanks();
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("WordListNameDialog"));
    dialog.setWindowTitle(QStringLiteral("名前を付けて保存"));
    dialog.setLabelText(QStringLiteral("問題集の名前（出題設定にこの名前で出ます）:"));
    dialog.setTextValue(m_name);
    for (;;)
    {
        if (Modal::exec(dialog) != QDialog::Accepted)
            return false;
        const QString name = dialog.textValue();
        const QString problem = WordListNames::problem(name, existing);
        if (!problem.isEmpty())
        {
            Message::show(problem, Message::Kind::Warning);
            continue;
        }
        if (name != m_name && existing.contains(name)
            && !Message::ask(QStringLiteral("問題集「%1」はもうあります。置き換えますか？").arg(name)))
            continue;
        return writeList(name);
    }
}

bool WordListEditor::writeList(const QString &name)
{
    const QList<WordRow> &rows = m_model->rows();
    for (qsizetype i = 0; i < rows.size(); ++i)
    {
        if (RowChecks::breaksTheFile(rows[i]))
        {
            Message::show(QStringLiteral("%1行目に改行があるため保存できません。改行を消してから保存してください。").arg(i + 1),
                          Message::Kind::Warning);
            return false;
        }
    }
    if (m_encoding == UserText::Encoding::Cp932
        && !Message::ask(QStringLiteral("この問題集は Shift-JIS で書かれています。UTF-8 で保存し直します（Vocamira は"
                                        "どちらも読めます）。%1保存しますか？")
                             .arg(m_unreadableBytes ? QStringLiteral("読めなかった文字（\uFFFD）はそのまま保存されます。")
                                                    : QString())))
        return false;

    QString error;
    QString path = WordListNames::bankPath(name);
    bool written = WordListFile::write(path, rows, &error);
    if (written && otherDirectionBox->isChecked())
    {
        path = WordListNames::bankPath(WordListNames::otherDirectionName(name));
        written = WordListFile::write(path, WordListFile::otherDirection(rows), &error);
    }
    if (!written)
    {
        Message::show(QStringLiteral("問題集を保存できませんでした。編集中の内容はそのまま残っています。\n%1\n%2")
                          .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_name = name;
    m_encoding = UserText::Encoding::Utf8;
    m_unreadableBytes = false;
    m_model->undoStack()->setClean();
    refresh();
    return true;
}

bool WordListEditor::settleChanges()
{
    commitEditing();
    if (m_model->undoStack()->isClean())
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vocamira"),
                    QStringLiteral("問題集「%1」の変更を保存しますか？")
                        .arg(m_name.isEmpty() ? QStringLiteral("新しい問題集") : m_name),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("UnsavedChanges"));
    QPushButton *saveChoice = named(box.addButton(QStringLiteral("保存する"), QMessageBox::AcceptRole), "saveChoice");
    named(box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole), "discardChoice");
    QPushButton *cancelChoice = named(box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole), "cancelChoice");
    box.setDefaultButton(saveChoice);
    box.setEscapeButton(cancelChoice);
    Modal::exec(box);
    if (!box.clickedButton() || box.clickedButton() == cancelChoice)
        return false;
    return box.clickedButton() != saveChoice || save();
}

void WordListEditor::reject()
{
    if (settleChanges())
        QDialog::reject();
}

void WordListEditor::study()
{
    if (!m_model->undoStack()->isClean() || m_name.isEmpty())
    {
        if (!save())
            return;
    }
    const bool englishAnswer = studyDirection->currentIndex() == 1;
    const int perLevel = StudyChoice::questionsPerLevel(englishAnswer ? WordListNames::otherDirectionName(m_name) : m_name,
                                                        englishAnswer);
    const QString shortfall = RowChecks::shortfall(m_model->rows().size(), perLevel);
    if (!shortfall.isEmpty())
    {
        Message::show(shortfall, Message::Kind::Warning);
        return;
    }
    const int problemRows = m_model->rowsWithProblems();
    if (problemRows > 0
        && !Message::ask(QStringLiteral("%1行に問題があります（「チェック」の欄）。問題のある単語は正しく答えられないことが"
                                        "あります。このまま学習に使いますか？")
                             .arg(problemRows)))
        return;
    // The other direction is asked from its own bank, written with the list.
    if (englishAnswer && !otherDirectionBox->isChecked())
    {
        otherDirectionBox->setChecked(true);
        if (!writeList(m_name))
            return;
    }
    const QString bank = englishAnswer ? WordListNames::otherDirectionName(m_name) : m_name;
    const StudyChoice::Outcome outcome = StudyChoice::choose(bank, englishAnswer);
    if (!outcome.failure.isEmpty())
    {
        Message::show(outcome.failure);
        return;
    }
    emit bankChosen();
    QString text = QStringLiteral("問題集「%1」（%2）を出題に設定しました。").arg(bank, studyDirection->currentText());
    if (outcome.hadRecords)
        text += QStringLiteral("\nこれまでの成績はそのまま残ります。成績は LEVEL ごとに記録されているため、各 LEVEL の"
                               "単語は保存した新しい並び順のものになります。");
    Message::show(text);
    QDialog::accept();
}

// --- rows -----------------------------------------------------------------

void WordListEditor::importWords()
{
    commitEditing();
    ImportDialog dialog(*m_help, m_model->rows(), this);
    if (Modal::exec(dialog) != QDialog::Accepted)
        return;
    const QList<WordRow> words = dialog.chosenWords();
    const int first = m_model->newRow();
    m_model->insertWords(first, words, QStringLiteral("読み込み（%1語）").arg(words.size()));
    wordTable->setCurrentIndex(m_model->index(first, WordListModel::EnglishColumn));
}

void WordListEditor::insertRow()
{
    commitEditing();
    const int row = std::max(wordTable->currentIndex().row(), 0);
    m_model->insertWords(row, {WordRow()}, QStringLiteral("行の挿入"));
    wordTable->setCurrentIndex(m_model->index(row, WordListModel::EnglishColumn));
}

void WordListEditor::deleteRows()
{
    commitEditing();
    const QModelIndexList selected = wordTable->selectionModel()->selectedIndexes();
    int first = wordTable->currentIndex().row();
    int last = first;
    for (const QModelIndex &index : selected)
    {
        first = std::min(first, index.row());
        last = std::max(last, index.row());
    }
    if (first < 0)
        return;
    const int column = std::max(wordTable->currentIndex().column(), 0);
    m_model->removeWords(first, last - first + 1);
    wordTable->setCurrentIndex(m_model->index(std::min(first, m_model->newRow()), column));
}

void WordListEditor::moveRow(int step)
{
    commitEditing();
    const QModelIndex current = wordTable->currentIndex();
    const int to = current.row() + step;
    if (!current.isValid() || current.row() >= m_model->newRow() || to < 0 || to >= m_model->newRow())
        return;
    m_model->moveWord(current.row(), to);
    wordTable->setCurrentIndex(m_model->index(to, current.column()));
}

void WordListEditor::findNext()
{
    const QString wanted = findField->text().trimmed();
    const QList<WordRow> &rows = m_model->rows();
    if (wanted.isEmpty() || rows.isEmpty())
        return;
    const int start = wordTable->currentIndex().row();
    for (int step = 1; step <= rows.size(); ++step)
    {
        const int row = int((start + step) % rows.size());
        for (int column = 0; column < WordListModel::CheckColumn; ++column)
        {
            if (m_model->index(row, column).data().toString().contains(wanted, Qt::CaseInsensitive))
            {
                wordTable->setCurrentIndex(m_model->index(row, column));
                return;
            }
        }
    }
    statusLabel->setText(QStringLiteral("「%1」は見つかりません。").arg(wanted));
}

void WordListEditor::moveOn()
{
    const QModelIndex current = wordTable->currentIndex();
    if (!current.isValid())
        return;
    const bool lastField = current.column() >= WordListModel::ReadingColumn;
    const int row = std::min(current.row() + (lastField ? 1 : 0), m_model->newRow());
    wordTable->setCurrentIndex(m_model->index(row, lastField ? WordListModel::EnglishColumn : current.column() + 1));
}

void WordListEditor::commitEditing()
{
    // Leaving the cell's editor keeps its text, as a click elsewhere does.
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus != wordTable && wordTable->isAncestorOf(focus))
        wordTable->setFocus();
}

// --- the dictionary help --------------------------------------------------

void WordListEditor::showSuggestions(const QString &english, bool withSpelling)
{
    suggestionList->clear();
    const QList<WordHelp::Suggestion> found = m_help->suggestions(english, SuggestionShortcuts);
    for (qsizetype i = 0; i < found.size(); ++i)
    {
        const WordHelp::Suggestion &s = found[i];
        const QString word = WordIndex::key(english) == s.english ? QString() : s.english + QStringLiteral(": ");
        auto *item = new QListWidgetItem(QStringLiteral("%1. %2%3（%4）").arg(i + 1).arg(word, s.meaning, s.reading));
        item->setData(MeaningRole, s.meaning);
        item->setData(ReadingRole, s.reading);
        suggestionList->addItem(item);
    }
    // Spelling is checked once the word is in, not at every key: suggesting
    // spellings takes longer than looking a word up.
    if (withSpelling && !english.trimmed().isEmpty() && !m_help->isSpeltRight(english))
    {
        for (const QString &spelt : m_help->spellingSuggestions(english))
        {
            auto *item = new QListWidgetItem(QStringLiteral("綴り: %1").arg(spelt));
            item->setData(SpellingRole, spelt);
            suggestionList->addItem(item);
        }
    }
    showMissingHelp();
}

void WordListEditor::currentRowChanged()
{
    const int row = wordTable->currentIndex().row();
    showSuggestions(row >= 0 && row < m_model->newRow() ? m_model->rows()[row].english : QString(), true);
}

void WordListEditor::pickSuggestion(int number)
{
    commitEditing();
    for (int i = 0, meanings = 0; i < suggestionList->count(); ++i)
    {
        QListWidgetItem *item = suggestionList->item(i);
        if (!item->data(MeaningRole).isNull() && ++meanings == number)
        {
            useItem(item);
            return;
        }
    }
}

void WordListEditor::useItem(QListWidgetItem *item)
{
    const int row = wordTable->currentIndex().row();
    if (!item || row < 0)
        return;
    if (!item->data(SpellingRole).isNull())
    {
        m_model->setData(m_model->index(row, WordListModel::EnglishColumn), item->data(SpellingRole));
        wordTable->setCurrentIndex(m_model->index(row, WordListModel::MeaningColumn));
        return;
    }
    m_model->chooseMeaning(row, item->data(MeaningRole).toString(), item->data(ReadingRole).toString());
    wordTable->setCurrentIndex(m_model->index(std::min(row + 1, m_model->newRow()), WordListModel::EnglishColumn));
    wordTable->setFocus();
}

void WordListEditor::refresh()
{
    const bool modified = !m_model->undoStack()->isClean();
    const QString name = m_name.isEmpty() ? QStringLiteral("新しい問題集") : m_name;
    setWindowTitle(Title + QStringLiteral(" - ") + name + (modified ? QStringLiteral(" *") : QString()));
    nameLabel->setText(QStringLiteral("問題集: %1%2").arg(name, modified ? QStringLiteral("（未保存）") : QString()));

    const qsizetype count = m_model->rows().size();
    const bool englishAnswer = studyDirection->currentIndex() == 1;
    const int perLevel = m_name.isEmpty() ? StudyChoice::DefaultQuestionsPerLevel
        : StudyChoice::questionsPerLevel(englishAnswer ? WordListNames::otherDirectionName(m_name) : m_name,
                                         englishAnswer);
    QStringList status {QStringLiteral("%1 語").arg(count)};
    const QString shortfall = RowChecks::shortfall(count, perLevel);
    if (!shortfall.isEmpty())
        status.append(shortfall);
    const int problems = m_model->rowsWithProblems();
    if (problems > 0)
        status.append(QStringLiteral("問題のある行: %1（「チェック」の欄）").arg(problems));
    statusLabel->setText(status.join(QStringLiteral("。")) + QStringLiteral("。"));

    showMissingHelp();
}

void WordListEditor::showMissingHelp()
{
    const QString missing = m_help->missing();
    helpNotice->setText(missing);
    helpNotice->setVisible(!missing.isEmpty());
}
