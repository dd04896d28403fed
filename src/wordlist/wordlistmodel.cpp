#include "wordlistmodel.h"

#include <QColor>
#include <QUndoStack>

#include <algorithm>

#include "wordhelp.h"

// One change of the rows, made and taken back by putting one run of rows in
// place of another.
class ReplaceWords : public QUndoCommand
{
public:
    ReplaceWords(WordListModel &model, int first, QList<WordRow> before, QList<WordRow> after, const QString &what)
        : QUndoCommand(what)
        , m_model(model)
        , m_first(first)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }

    void redo() override { m_model.replaceWords(m_first, int(m_before.size()), m_after); }
    void undo() override { m_model.replaceWords(m_first, int(m_after.size()), m_before); }

private:
    WordListModel &m_model;
    int m_first;
    QList<WordRow> m_before;
    QList<WordRow> m_after;
};

namespace
{
    // Readable on a light and on a dark ground.
    const QColor ProblemColor(0xFF, 0x40, 0x40, 0x50);
    const QColor SpellingColor(0xE0, 0x30, 0x30);
    const QColor CheckColor(0xFF, 0xC0, 0x00, 0x50);

    QString &field(WordRow &row, int column)
    {
        return column == WordListModel::EnglishColumn ? row.english
            : column == WordListModel::MeaningColumn  ? row.meaning
                                                      : row.reading;
    }

    const QString &field(const WordRow &row, int column)
    {
        return field(const_cast<WordRow &>(row), column);
    }
}

WordListModel::WordListModel(WordHelp *help, QObject *owner)
    : QAbstractTableModel(owner)
    , m_help(help)
    , m_undo(new QUndoStack(this))
{
}

void WordListModel::setRows(QList<WordRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    m_undo->clear();
    recheck();
}

const RowChecks::Problems &WordListModel::problemsAt(int row) const
{
    // Between a change of the rows and their new checks, a view may already ask.
    static const RowChecks::Problems none;
    return row < m_problems.size() ? m_problems[row] : none;
}

int WordListModel::rowsWithProblems() const
{
    return int(std::count_if(m_problems.cbegin(), m_problems.cend(), [](const auto &p) { return p.any(); }));
}

WordListModel::SpellingNote &WordListModel::spellingOf(const QString &english) const
{
    auto found = m_spelling.find(english);
    if (found == m_spelling.end())
        found = m_spelling.insert(english, {m_help->isSpeltRight(english), false, {}});
    return found.value();
}

bool WordListModel::isSpeltRight(int row) const
{
    if (!m_help || row < 0 || row >= m_rows.size() || m_rows[row].english.isEmpty())
        return true;
    return spellingOf(m_rows[row].english).known;
}

QString WordListModel::spellingNote(int row) const
{
    if (isSpeltRight(row))
        return {};
    SpellingNote &spelling = spellingOf(m_rows[row].english);
    if (!std::exchange(spelling.suggested, true))
    {
        const QStringList suggestions = m_help->spellingSuggestions(m_rows[row].english);
        spelling.note = suggestions.isEmpty()
            ? QStringLiteral("綴りが辞書にありません")
            : QStringLiteral("綴りが辞書にありません（候補: %1）").arg(suggestions.join(QStringLiteral(", ")));
    }
    return spelling.note;
}

int WordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size()) + 1;
}

int WordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant WordListModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    const int column = index.column();
    if (!index.isValid() || row >= m_rows.size())
        return {};
    if (column == CheckColumn)
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        QStringList notes {problemsAt(row).text(), spellingNote(row), checkNote(row)};
        notes.removeAll(QString());
        return notes.join(QStringLiteral("、"));
    }
    const QString &reason = problemsAt(row).field[column];
    switch (role)
    {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return field(m_rows[row], column);
    case Qt::BackgroundRole:
        if (reason.isEmpty())
            return column == MeaningColumn && !checkNote(row).isEmpty() ? QVariant(CheckColor) : QVariant();
        return QVariant(ProblemColor);
    case Qt::ForegroundRole:
        return column == EnglishColumn && !isSpeltRight(row) ? QVariant(SpellingColor) : QVariant();
    case Qt::ToolTipRole:
        if (!reason.isEmpty())
            return reason;
        return column == EnglishColumn ? spellingNote(row) : column == MeaningColumn ? checkNote(row) : QString();
    default:
        return {};
    }
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section < m_rows.size() ? QVariant(section + 1) : QVariant(QStringLiteral("＋"));
    static const QString Titles[ColumnCount] = {QStringLiteral("英単語"), QStringLiteral("意味"), QStringLiteral("読み"),
                                                QStringLiteral("チェック")};
    return section >= 0 && section < ColumnCount ? QVariant(Titles[section]) : QVariant();
}

Qt::ItemFlags WordListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.column() == CheckColumn)
        return flags;
    return flags | Qt::ItemIsEditable;
}

bool WordListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() == CheckColumn)
        return false;
    const int row = index.row();
    const int column = index.column();
    const QString text = value.toString().trimmed();
    if (row == newRow())
    {
        if (text.isEmpty())
            return false;
        WordRow word;
        field(word, column) = text;
        if (column == MeaningColumn)
            word.reading = readingFor(word);
        push(row, 0, {word}, QStringLiteral("単語の追加"));
        return true;
    }
    WordRow word = m_rows[row];
    if (field(word, column) == text && !(column == MeaningColumn && word.meaningToCheck))
        return false;
    field(word, column) = text;
    // Confirming a meaning, even unchanged, makes it the learner's own.
    if (column == MeaningColumn)
        word.meaningToCheck = false;
    // A reading the learner typed is theirs; one that came from the old
    // meaning follows the new one.
    if (column == MeaningColumn && (word.reading.isEmpty() || word.reading == readingFor(m_rows[row])))
        word.reading = readingFor(word);
    static const QString What[] = {QStringLiteral("英単語の変更"), QStringLiteral("意味の変更"), QStringLiteral("読みの変更")};
    push(row, 1, {word}, What[column]);
    return true;
}

QString WordListModel::checkNote(int row) const
{
    return m_rows[row].meaningToCheck ? QStringLiteral("意味は辞書の第一候補：確かめてください") : QString();
}

QString WordListModel::readingFor(const WordRow &word) const
{
    return m_help && !word.meaning.isEmpty() ? m_help->reading(word.meaning, word.english) : QString();
}

void WordListModel::chooseMeaning(int row, const QString &meaning, const QString &reading)
{
    if (row < 0 || row > newRow())
        return;
    WordRow word = row < m_rows.size() ? m_rows[row] : WordRow();
    word.meaning = meaning;
    word.reading = reading;
    word.meaningToCheck = false;
    push(row, row < m_rows.size() ? 1 : 0, {word}, QStringLiteral("意味の選択"));
}

void WordListModel::insertWords(int at, const QList<WordRow> &words, const QString &what)
{
    if (words.isEmpty())
        return;
    push(std::clamp(at, 0, newRow()), 0, words, what);
}

void WordListModel::removeWords(int first, int count)
{
    count = std::min(count, newRow() - first);
    if (first < 0 || count <= 0)
        return;
    push(first, count, {}, QStringLiteral("単語の削除"));
}

void WordListModel::moveWord(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= m_rows.size() || to >= m_rows.size())
        return;
    const int first = std::min(from, to);
    QList<WordRow> run = m_rows.mid(first, std::abs(to - from) + 1);
    if (from < to)
        std::rotate(run.begin(), run.begin() + 1, run.end());
    else
        std::rotate(run.begin(), run.end() - 1, run.end());
    push(first, int(run.size()), run, QStringLiteral("単語の移動"));
}

void WordListModel::sortByEnglish()
{
    QList<WordRow> sorted = m_rows;
    std::stable_sort(sorted.begin(), sorted.end(), [](const WordRow &a, const WordRow &b) {
        return QString::compare(a.english, b.english, Qt::CaseInsensitive) < 0;
    });
    if (sorted != m_rows)
        push(0, int(m_rows.size()), sorted, QStringLiteral("英単語順に並べ替え"));
}

void WordListModel::fillMissingReadings()
{
    QList<WordRow> filled = m_rows;
    for (WordRow &word : filled)
    {
        if (word.reading.isEmpty())
            word.reading = readingFor(word);
    }
    if (filled != m_rows)
        push(0, int(m_rows.size()), filled, QStringLiteral("読みの補完"));
}

void WordListModel::push(int first, int count, const QList<WordRow> &words, const QString &what)
{
    m_undo->push(new ReplaceWords(*this, first, m_rows.mid(first, count), words, what));
}

void WordListModel::replaceWords(int first, int count, const QList<WordRow> &words)
{
    const int common = int(std::min<qsizetype>(count, words.size()));
    for (int i = 0; i < common; ++i)
        m_rows[first + i] = words[i];
    if (count > common)
    {
        beginRemoveRows({}, first + common, first + count - 1);
        m_rows.remove(first + common, count - common);
        endRemoveRows();
    }
    int changed = common;
    if (words.size() > common)
    {
        // Words added at the end take the place of the empty row, which moves
        // below them: the row the learner typed in stays where it is.
        const bool atEnd = first + common == m_rows.size();
        const int added = int(words.size()) - common;
        const int shown = first + common + (atEnd ? 1 : 0);
        beginInsertRows({}, shown, shown + added - 1);
        for (qsizetype i = common; i < words.size(); ++i)
            m_rows.insert(first + i, words[i]);
        endInsertRows();
        if (atEnd)
            changed = int(words.size());
    }
    recheck();
    if (changed > 0)
        emit dataChanged(index(first, 0), index(first + changed - 1, ColumnCount - 1));
}

void WordListModel::recheck()
{
    const QList<RowChecks::Problems> before = std::exchange(m_problems, RowChecks::check(m_rows, &m_checked));
    // A duplicate found or gone elsewhere changes rows outside the edit.
    const qsizetype rows = std::min(before.size(), m_problems.size());
    for (qsizetype i = 0; i < rows; ++i)
    {
        if (before[i].field != m_problems[i].field)
            emit dataChanged(index(int(i), 0), index(int(i), ColumnCount - 1));
    }
    emit checked();
}
