#include "wordbookwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcutEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

#include "bank/questions.h"
#include "core/clock.h"
#include "core/settings.h"
#include "gui_shared/screenroom.h"
#include "gui_shared/soundplayer.h"
#include "historystore.h"
#include "weakhistory.h"
#include "wordbookmodel.h"

namespace
{
    struct ShowChoice
    {
        QString text;
        WordBook::Show show;
    };

    const std::array<ShowChoice, 7> ShowChoices {{
        {QStringLiteral("すべての単語"), WordBook::Show::All},
        {QStringLiteral("未出題"), WordBook::Show::Unasked},
        {QStringLiteral("学習中"), WordBook::Show::Learning},
        {QStringLiteral("苦手"), WordBook::Show::Weak},
        {QStringLiteral("苦手（今日が復習日）"), WordBook::Show::DueToday},
        {QStringLiteral("覚えた"), WordBook::Show::Learned},
        {QStringLiteral("知っている"), WordBook::Show::Known},
    }};

    QPushButton *button(const QString &name, const QString &text, QWidget *parent)
    {
        auto *b = new QPushButton(text, parent);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    }
}

WordBookWindow::WordBookWindow(HistoryStore &store, WeakHistory &weak, QWidget *owner)
    : QDialog(owner)
    , m_store(store)
    , m_weak(weak)
    , m_scope(this)
{
    setObjectName(QStringLiteral("WordBookWindow"));
    setWindowTitle(QStringLiteral("単語帳") + Common::BankDescription());
    if (owner)
        setFont(owner->font());
    build();
    layOut();
    reload();
    m_search->setFocus();
}

void WordBookWindow::build()
{
    m_model = new WordBookModel(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    connect(m_scope.showAll(), &QCheckBox::toggled, this, &WordBookWindow::reload);

    m_stateFilter = new QComboBox(this);
    m_stateFilter->setObjectName(QStringLiteral("stateFilter"));
    for (const ShowChoice &choice : ShowChoices)
        m_stateFilter->addItem(choice.text);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("英語か日本語で検索"));
    m_search->setClearButtonEnabled(true);
    connect(m_stateFilter, &QComboBox::currentIndexChanged, this, &WordBookWindow::refilter);
    connect(m_search, &QLineEdit::textChanged, this, &WordBookWindow::refilter);
    m_search->installEventFilter(this);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("words"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    // Rows of one line, whatever the font: 20,000 of them scroll as one list.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(WordBook::BankColumn, Qt::AscendingOrder);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QTableView::clicked, this, &WordBookWindow::Word_Click);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &WordBookWindow::updateActions);
    connect(m_model, &QAbstractItemModel::modelReset, this, &WordBookWindow::updateActions);

    m_hint = new QLabel(QStringLiteral("※ 英単語をクリックすると発音を聴く事ができます"), this);
    m_hint->setObjectName(QStringLiteral("hint"));

    m_known = button(QStringLiteral("knownButton"), QStringLiteral("知っている(&K)"), this);
    m_known->setCheckable(true);
    m_known->setToolTip(QStringLiteral("練習に出さない単語にします。もう一度押すと元に戻ります。"));
    m_addWeak = button(QStringLiteral("addWeakButton"), QStringLiteral("苦手に追加(&W)"), this);
    m_addWeak->setToolTip(QStringLiteral("今日から苦手単語として練習します（最初の段階から）。"));
    m_removeWeak = button(QStringLiteral("removeWeakButton"), QStringLiteral("苦手から外す(&R)"), this);
    m_removeWeak->setToolTip(QStringLiteral("4日の正解を待たずに、苦手単語から外します。"));
    m_close = button(QStringLiteral("closeButton"), QStringLiteral("閉じる"), this);
    m_close->setDefault(true);
    for (QPushButton *command : {m_known, m_addWeak, m_removeWeak})
        command->installEventFilter(this);
    connect(m_known, &QPushButton::clicked, this, &WordBookWindow::toggleKnown);
    connect(m_addWeak, &QPushButton::clicked, this, [this] { markSelected(WordMark::Kind::Weak); });
    connect(m_removeWeak, &QPushButton::clicked, this, [this] { markSelected(WordMark::Kind::NotWeak); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    // The same commands on the rows themselves.
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("wordMenu"));
    for (QPushButton *command : commands())
    {
        QAction *action = m_menu->addAction(command->text());
        action->setObjectName(command->objectName().replace(QStringLiteral("Button"), QStringLiteral("Action")));
        action->setCheckable(command->isCheckable());
        connect(action, &QAction::triggered, command, &QPushButton::click);
        connect(command, &QPushButton::toggled, action, &QAction::setChecked);
    }
    connect(m_table, &QTableView::customContextMenuRequested, this, [this](const QPoint &at) {
        if (m_table->indexAt(at).isValid())
            m_menu->popup(m_table->viewport()->mapToGlobal(at));
    });
}

void WordBookWindow::layOut()
{
    auto *top = new QHBoxLayout;
    top->addWidget(m_stateFilter);
    top->addWidget(m_search, 1);
    top->addWidget(m_scope.showAll());

    auto *buttons = new QHBoxLayout;
    for (QPushButton *command : commands())
        buttons->addWidget(command);
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_summary);
    layout->addWidget(m_scope.problem());
    layout->addWidget(m_table, 1);
    layout->addWidget(m_hint);
    layout->addLayout(buttons);

    // Sizes follow the font, so the columns hold the same text at any scale.
    const int unit = fontMetrics().horizontalAdvance(QChar(0x3042));
    const std::array<int, WordBook::ColumnCount> widths {8, 12, 14, 8, 7, 4, 4, 7};
    for (int column = 0; column < WordBook::ColumnCount; ++column)
        m_table->setColumnWidth(column, widths[column] * unit);
    const QSize wanted(72 * unit, 36 * fontMetrics().height());
    resize(wanted.boundedTo(RoomOnScreen(*this)));
}

void WordBookWindow::reload()
{
    const HistoryFilter current = HistoryFilter::current();
    WordBook book(Clock::currentDateTime().date());
    book.addCurrentBank(current, Common::QuestionBank, m_weak.bankHistory());
    if (m_scope.all())
    {
        for (const HistoryFilter &bank : m_store.banks())
        {
            if (bank == current)
                continue;
            // Another bank is not loaded: its words are those of its history.
            BankHistory other {QList<Common::QuestionEntry>()};
            if (other.read(m_store, bank))
                book.addOtherBank(bank, other);
        }
    }
    bool playable = false;
    for (const HistoryFilter &bank : book.banks())
        playable = playable || bank.bankKind != Common::TextKindUser;
    m_model->setBook(std::move(book));
    m_table->setColumnHidden(WordBook::BankColumn, !m_scope.all());
    m_hint->setVisible(playable);
    m_scope.showProblem(m_store);
    updateSummary();
}

void WordBookWindow::setShowAll(bool all)
{
    m_scope.showAll()->setChecked(all);
}

// Enter in the search field goes to the word typed, or else to the first word
// found, so that the keyboard alone can mark it.
void WordBookWindow::selectFound()
{
    const QString text = m_search->text().trimmed();
    int found = m_model->rowCount() > 0 ? 0 : -1;
    for (int row = 0; row < m_model->rowCount(); ++row)
    {
        const WordBook::Entry &entry = m_model->book().entries()[m_model->entryOf(row)];
        if (entry.prompt.compare(text, Qt::CaseInsensitive) == 0 || entry.answer.compare(text, Qt::CaseInsensitive) == 0)
        {
            found = row;
            break;
        }
    }
    if (found < 0)
        return;
    m_table->setFocus();
    m_table->selectRow(found);
}

// Enter in the search goes to the word found; left to the dialog, it would
// press 閉じる too. A command's mnemonic carries it out at once: a button
// clicks itself only after a short animation, and an Esc typed meanwhile
// closed the window with the choice never made.
bool WordBookWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent *>(event)->isAmbiguous())
    {
        if (auto *command = qobject_cast<QPushButton *>(watched))
        {
            command->click();
            return true;
        }
    }
    if (watched != m_search || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    selectFound();
    return true;
}

void WordBookWindow::refilter()
{
    m_model->setShow(ShowChoices[std::max(0, m_stateFilter->currentIndex())].show, m_search->text());
}

QList<int> WordBookWindow::selectedFor(WordMark::Kind kind) const
{
    QList<int> entries;
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    for (const QModelIndex &row : rows)
    {
        const int e = m_model->entryOf(row.row());
        if (e < 0)
            continue;
        const WordBook::Entry &entry = m_model->book().entries()[e];
        // A word the bank no longer holds keeps its state as it was.
        if (entry.presence == WordBook::Presence::Gone)
            continue;
        const WordSchedule &s = entry.schedule;
        const bool applies = kind == WordMark::Kind::Known      ? !s.known
                             : kind == WordMark::Kind::NotKnown ? s.known
                             : kind == WordMark::Kind::Weak     ? !s.known && !s.weak
                                                                : !s.known && s.weak;
        if (applies)
            entries.append(e);
    }
    return entries;
}

void WordBookWindow::toggleKnown()
{
    // Known words in the selection and nothing else: the same command takes the mark back.
    const bool allKnown = selectedFor(WordMark::Kind::Known).isEmpty();
    markSelected(allKnown ? WordMark::Kind::NotKnown : WordMark::Kind::Known);
}

bool WordBookWindow::markSelected(WordMark::Kind kind)
{
    const QList<int> entries = selectedFor(kind);
    if (entries.isEmpty())
        return false;
    const QDateTime at = Clock::currentDateTime();
    WordBook &book = m_model->book();
    QList<HistoryStore::Mark> marks;
    marks.reserve(entries.size());
    for (const int e : entries)
    {
        const WordBook::Entry &entry = book.entries()[e];
        const HistoryFilter &bank = book.banks()[entry.bank];
        marks.append({at, bank.bankKind, bank.bankName, bank.direction, entry.prompt, entry.answer, entry.bankIndex,
                      kind});
    }
    const bool kept = m_store.addMarks(marks);
    if (kept)
    {
        m_weak.marksKept(marks);
        // Marks are the newest events of their words: each schedule takes its own.
        for (const int e : entries)
            book.entry(e).schedule.apply(WordMark {0, at.date(), at.toMSecsSinceEpoch(), kind});
        m_model->schedulesChanged();
    }
    m_scope.showProblem(m_store);
    updateActions();
    updateSummary();
    return kept;
}

void WordBookWindow::updateActions()
{
    const bool any = !m_table->selectionModel()->selectedRows().isEmpty();
    const bool toKnow = !selectedFor(WordMark::Kind::Known).isEmpty();
    const bool toUnknow = !selectedFor(WordMark::Kind::NotKnown).isEmpty();
    m_known->setEnabled(any && (toKnow || toUnknow));
    m_known->setChecked(toUnknow && !toKnow);
    m_addWeak->setEnabled(!selectedFor(WordMark::Kind::Weak).isEmpty());
    m_removeWeak->setEnabled(!selectedFor(WordMark::Kind::NotWeak).isEmpty());
    const std::array<QPushButton *, 3> buttons = commands();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        m_menu->actions()[qsizetype(i)]->setEnabled(buttons[i]->isEnabled());
}

void WordBookWindow::updateSummary()
{
    using State = WordSchedule::State;
    std::array<int, 5> counts {};
    int due = 0;
    const WordBook &book = m_model->book();
    for (const WordBook::Entry &entry : book.entries())
    {
        ++counts[int(entry.schedule.state())];
        due += entry.schedule.state() == State::Weak && entry.schedule.isDue(book.today());
    }
    m_summary->setText(QStringLiteral("%1語　未出題 %2　学習中 %3　苦手 %4（今日の復習 %5）　覚えた %6　知っている %7")
                           .arg(book.entries().size())
                           .arg(counts[int(State::Unasked)])
                           .arg(counts[int(State::Learning)])
                           .arg(counts[int(State::Weak)])
                           .arg(due)
                           .arg(counts[int(State::Learned)])
                           .arg(counts[int(State::Known)]));
}

// Only the English word of the standard bank pronounces.
void WordBookWindow::Word_Click(const QModelIndex &index)
{
    const int e = m_model->entryOf(index.row());
    if (e < 0)
        return;
    const WordBook &book = m_model->book();
    const WordBook::Entry &entry = book.entries()[e];
    if (entry.presence == WordBook::Presence::Gone || book.banks()[entry.bank].bankKind == Common::TextKindUser
        || index.column() != book.englishColumn(entry))
        return;
    SoundPlayer::play(Common::SoundFilePath(entry.bankIndex));
}
