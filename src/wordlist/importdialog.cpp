#include "importdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/message.h"
#include "gui_shared/screenroom.h"
#include "history/historystore.h"
#include "history/knownwords.h"
#include "importlexicon.h"
#include "wordhelp.h"
#include "wordimport/importtext.h"
#include "wordimport/standardwords.h"

namespace
{
    // The table's first rows, enough to tell its columns apart.
    constexpr int SampleRows = 8;
    const QString Roles[] = {QStringLiteral("英単語の列"), QStringLiteral("意味の列"), QStringLiteral("読みの列")};

    enum RowColumn
    {
        TickColumn,
        EnglishColumn,
        MeaningColumn,
        ReadingColumn,
        SourceColumn,
        NoteColumn,
        RowColumnCount,
    };

    template<typename Widget>
    Widget *named(Widget *widget, const char *name)
    {
        widget->setObjectName(QLatin1String(name));
        return widget;
    }

    QTableWidgetItem *readOnly(const QString &text)
    {
        auto *item = new QTableWidgetItem(text);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setToolTip(text);
        return item;
    }

    QString columnName(const ImportTable &table, int column)
    {
        const QString name = table.header.value(column);
        return name.isEmpty() ? QStringLiteral("%1列目").arg(column + 1)
                              : QStringLiteral("%1列目「%2」").arg(column + 1).arg(name);
    }

    // The words of the learner's LEVELs of the standard bank, and those
    // marked known in the word book.
    struct Known
    {
        QSet<QString> standard = StandardWords::upToLevel(StandardWords::learnerLevel());
        KnownWords marked = readMarks();

        static KnownWords readMarks()
        {
            const QString path = HistoryStore::defaultPath();
            if (!QFileInfo::exists(path))
                return {};
            HistoryStore store(path, HistoryStore::Creation::ExistingOnly);
            return KnownWords::read(store, {true, {}, {}, {}});
        }
    };
}

ImportDialog::ImportDialog(WordHelp &help, const QList<WordRow> &list, QWidget *owner)
    : QDialog(owner)
    , m_help(help)
    , m_list(list)
{
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(QStringLiteral("読み込み"));
    openButton = named(new QPushButton(QStringLiteral("ファイルを開く(&O)…")), "openButton");
    pasteEdit = named(new QPlainTextEdit, "pasteEdit");
    pasteEdit->setPlaceholderText(QStringLiteral("英文や表をここに貼り付けて「貼り付けたものを読む」を押します。"));
    pasteEdit->setMaximumBlockCount(0);
    readPastedButton = named(new QPushButton(QStringLiteral("貼り付けたものを読む(&R)")), "readPastedButton");
    sourceLabel = named(new QLabel, "sourceLabel");
    sourceLabel->setWordWrap(true);

    columnsBox = named(new QWidget, "columnsBox");
    auto *columnsLayout = new QHBoxLayout(columnsBox);
    columnsLayout->setContentsMargins(0, 0, 0, 0);
    for (int role = 0; role < 3; ++role)
    {
        columnChoices[role] = new QComboBox;
        columnChoices[role]->setObjectName(QStringLiteral("columnChoice_%1").arg(role));
        auto *label = new QLabel(Roles[role] + QStringLiteral("："));
        label->setBuddy(columnChoices[role]);
        columnsLayout->addWidget(label);
        columnsLayout->addWidget(columnChoices[role], 1);
        connect(columnChoices[role], &QComboBox::activated, this, &ImportDialog::columnChosen);
    }
    sampleTable = named(new QTableWidget, "sampleTable");
    sampleTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sampleTable->setMaximumHeight(180);

    rowTable = named(new QTableWidget(0, RowColumnCount), "rowTable");
    rowTable->setHorizontalHeaderLabels({QString(), QStringLiteral("英単語"), QStringLiteral("意味"), QStringLiteral("読み"),
                                         QStringLiteral("出どころ"), QStringLiteral("注意")});
    rowTable->horizontalHeader()->setSectionResizeMode(SourceColumn, QHeaderView::Stretch);
    rowTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(rowTable, &QTableWidget::cellChanged, this, &ImportDialog::rowTicked);

    summaryLabel = named(new QLabel, "summaryLabel");
    problemLabel = named(new QLabel, "problemLabel");
    problemLabel->setWordWrap(true);
    problemLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox;
    addButton = named(buttons->addButton(QStringLiteral("リストに加える(&A)"), QDialogButtonBox::AcceptRole), "addButton");
    cancelButton = named(buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole), "cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImportDialog::reject);
    connect(openButton, &QPushButton::clicked, this, &ImportDialog::chooseFile);
    connect(readPastedButton, &QPushButton::clicked, this, [this] { readText(pasteEdit->toPlainText()); });

    auto *sources = new QHBoxLayout;
    sources->addWidget(openButton);
    sources->addStretch();
    sources->addWidget(readPastedButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addWidget(pasteEdit, 1);
    layout->addWidget(sourceLabel);
    layout->addWidget(columnsBox);
    layout->addWidget(sampleTable);
    layout->addWidget(rowTable, 3);
    layout->addWidget(summaryLabel);
    layout->addWidget(problemLabel);
    layout->addWidget(buttons);
    columnsBox->hide();
    sampleTable->hide();
    resize(QSize(900, 680).boundedTo(RoomOnScreen(*this)));
    updateSummary();
    pasteEdit->setFocus();
}

void ImportDialog::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("読み込むファイル"), QString(),
                                                      QStringLiteral("表や英文 (*.csv *.tsv *.txt);;すべてのファイル (*)"));
    if (!path.isEmpty())
        readFile(path);
}

bool ImportDialog::readFile(const QString &path)
{
    const ImportText::Decoded decoded = ImportText::readFile(path);
    if (!decoded.ok())
    {
        Message::show(QStringLiteral("「%1」を読み込めません。\n%2").arg(QFileInfo(path).fileName(), decoded.message()),
                      Message::Kind::Warning);
        return false;
    }
    read(decoded.text, QStringLiteral("%1（%2）").arg(QFileInfo(path).fileName(), ImportText::encodingName(decoded.encoding)),
         ImportRows::isTable(path, decoded.text));
    return true;
}

void ImportDialog::readText(const QString &text)
{
    if (text.trimmed().isEmpty())
    {
        Message::show(QStringLiteral("貼り付けたものがありません。"), Message::Kind::Warning);
        return;
    }
    read(text, QStringLiteral("貼り付けたもの"), TableReader::looksLikeTable(text));
}

void ImportDialog::read(const QString &text, const QString &where, bool isTable)
{
    m_isTable = isTable;
    columnsBox->setVisible(m_isTable);
    sampleTable->setVisible(m_isTable);
    if (!m_isTable)
    {
        sourceLabel->setText(QStringLiteral("%1：英文").arg(where));
        problemLabel->clear();
        findWords(text);
        return;
    }
    m_table = TableReader::read(text);
    sourceLabel->setText(QStringLiteral("%1：表（%2列、%3行）").arg(where).arg(m_table.columnCount).arg(m_table.rows.size()));
    QStringList problems;
    for (const ImportTable::Problem &problem : std::as_const(m_table.problems))
        problems << problem.text;
    problemLabel->setText(problems.isEmpty() ? QString()
                                             : QStringLiteral("読み込まない行があります：\n") + problems.mid(0, 20).join(u'\n')
                                                   + (problems.size() > 20 ? QStringLiteral("\nほか%1行").arg(problems.size() - 20)
                                                                           : QString()));
    showTable();
}

void ImportDialog::showTable()
{
    const ColumnChoice choice = ImportRows::columnsFor(m_table);
    const int chosen[3] = {choice.english, choice.meaning, choice.reading};
    for (int role = 0; role < 3; ++role)
    {
        QComboBox *box = columnChoices[role];
        box->clear();
        box->addItem(QStringLiteral("（なし）"), -1);
        for (int column = 0; column < m_table.columnCount; ++column)
        {
            if (!m_table.ignoredColumns.contains(column))
                box->addItem(columnName(m_table, column), column);
        }
        box->setCurrentIndex(std::max(0, box->findData(chosen[role])));
    }
    sampleTable->clear();
    sampleTable->setColumnCount(m_table.columnCount);
    const int shown = int(std::min<qsizetype>(SampleRows, m_table.rows.size()));
    sampleTable->setRowCount(shown);
    QStringList names;
    for (int column = 0; column < m_table.columnCount; ++column)
        names << columnName(m_table, column);
    sampleTable->setHorizontalHeaderLabels(names);
    for (int row = 0; row < shown; ++row)
    {
        const ImportTable::Row &source = m_table.rows[row];
        sampleTable->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(source.line)));
        for (int column = 0; column < m_table.columnCount; ++column)
            sampleTable->setItem(row, column, readOnly(source.fields.value(column)));
    }
    columnChosen();
}

void ImportDialog::columnChosen()
{
    const ColumnChoice choice {columnChoices[0]->currentData().toInt(), columnChoices[1]->currentData().toInt(),
                               columnChoices[2]->currentData().toInt()};
    m_rows.clear();
    if (choice.fits(m_table.columnCount))
        m_rows = ImportRows::fromTable(m_table, choice, m_help);
    else
        problemLabel->setText(choice.english < 0 ? QStringLiteral("英単語の列を選んでください。")
                                                 : QStringLiteral("ひとつの列を二つの役に選ぶことはできません。"));
    ImportRows::markDuplicates(m_rows, m_list);
    showRows();
}

void ImportDialog::findWords(const QString &text)
{
    const Known known;
    const ImportLexicon lexicon(m_help);
    m_rows = ImportRows::fromText(TextWords::find(text, lexicon, known.standard), m_help,
                                  [&known](const QString &word) { return known.marked.isKnownEnglish(word); });
    ImportRows::markDuplicates(m_rows, m_list);
    showRows();
}

void ImportDialog::showRows()
{
    m_showing = true;
    rowTable->setRowCount(int(m_rows.size()));
    for (int i = 0; i < m_rows.size(); ++i)
    {
        const ImportRow &row = m_rows[i];
        auto *tick = new QTableWidgetItem;
        tick->setFlags(row.duplicate.isEmpty() ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::ItemIsUserCheckable);
        tick->setCheckState(row.ticked ? Qt::Checked : Qt::Unchecked);
        rowTable->setItem(i, TickColumn, tick);
        rowTable->setItem(i, EnglishColumn, readOnly(row.word.english));
        rowTable->setItem(i, MeaningColumn, readOnly(row.word.meaning));
        rowTable->setItem(i, ReadingColumn, readOnly(row.word.reading));
        rowTable->setItem(i, SourceColumn, readOnly(row.count > 1 ? QStringLiteral("%1回：%2").arg(row.count).arg(row.source)
                                                                  : row.source));
        QStringList notes {row.duplicate};
        if (row.word.meaningToCheck)
            notes << QStringLiteral("意味は辞書の第一候補です。確かめてください");
        notes.removeAll(QString());
        rowTable->setItem(i, NoteColumn, readOnly(notes.join(QStringLiteral("、"))));
    }
    rowTable->resizeColumnsToContents();
    m_showing = false;
    updateSummary();
}

void ImportDialog::rowTicked(int row, int column)
{
    if (m_showing || column != TickColumn || row < 0 || row >= m_rows.size())
        return;
    m_rows[row].ticked = rowTable->item(row, column)->checkState() == Qt::Checked;
    updateSummary();
}

void ImportDialog::updateSummary()
{
    const qsizetype chosen = chosenWords().size();
    const qsizetype duplicates = std::count_if(m_rows.cbegin(), m_rows.cend(), [](const ImportRow &row) { return !row.duplicate.isEmpty(); });
    if (m_rows.isEmpty())
        summaryLabel->setText(m_isTable || sourceLabel->text().isEmpty() ? QString()
                                                                          : QStringLiteral("まだ知らない単語は見つかりませんでした。"));
    else
        summaryLabel->setText(QStringLiteral("%1語のうち%2語を加えます（リストにある単語%3語は加えません）。")
                                  .arg(m_rows.size())
                                  .arg(chosen)
                                  .arg(duplicates));
    addButton->setEnabled(chosen > 0);
}

void ImportDialog::accept()
{
    if (chosenWords().isEmpty())
        return;
    if (m_isTable)
    {
        ImportRows::rememberColumns({columnChoices[0]->currentData().toInt(), columnChoices[1]->currentData().toInt(),
                                     columnChoices[2]->currentData().toInt()},
                                    m_table.columnCount);
    }
    QDialog::accept();
}
