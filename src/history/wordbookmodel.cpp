#include "wordbookmodel.h"

#include <QColor>
#include <QFont>

#include "core/settings.h"
#include "practice/weakwords.h"

namespace
{
    // As in the history window: due weak words in the practice badge's colour,
    // the others paler; words no longer in the bank grey.
    const QColor DueColor(WeakWords::BadgeColor);
    const QColor WeakColor(0xFF, 0xF0, 0xD8);
    const QColor GoneColor(0x80, 0x80, 0x80);

    const std::array<QString, WordBook::ColumnCount> Headers {
        QStringLiteral("問題集"), QStringLiteral("問題"),  QStringLiteral("正解"),  QStringLiteral("状態"),
        QStringLiteral("次の復習日"), QStringLiteral("出題"), QStringLiteral("間違い"), QStringLiteral("最後の出題"),
    };

    bool isCount(int column)
    {
        return column == WordBook::AskedColumn || column == WordBook::MissedColumn;
    }
}

WordBookModel::WordBookModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void WordBookModel::setBook(WordBook book)
{
    beginResetModel();
    m_book = std::move(book);
    m_rows = m_book.select(m_show, m_search, m_sortColumn, m_sortOrder);
    endResetModel();
}

void WordBookModel::setShow(WordBook::Show show, const QString &search)
{
    m_show = show;
    m_search = search;
    reselect();
}

void WordBookModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    reselect();
}

void WordBookModel::reselect()
{
    beginResetModel();
    m_rows = m_book.select(m_show, m_search, m_sortColumn, m_sortOrder);
    endResetModel();
}

void WordBookModel::schedulesChanged()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, WordBook::ColumnCount - 1));
}

int WordBookModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int WordBookModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : WordBook::ColumnCount;
}

QVariant WordBookModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const WordBook::Entry &entry = m_book.entries()[m_rows[index.row()]];
    const int column = index.column();
    const bool gone = entry.presence == WordBook::Presence::Gone;
    switch (role)
    {
    case Qt::DisplayRole:
        return m_book.text(entry, column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignVCenter | (isCount(column) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::FontRole:
    {
        if (column != m_book.englishColumn(entry))
            return {};
        // Bold, and underlined where a click pronounces it.
        QFont font;
        font.setBold(true);
        font.setUnderline(!gone && m_book.banks()[entry.bank].bankKind != Common::TextKindUser);
        return font;
    }
    case Qt::BackgroundRole:
        if (entry.schedule.state() != WordSchedule::State::Weak)
            return {};
        return entry.schedule.isDue(m_book.today()) ? DueColor : WeakColor;
    case Qt::ForegroundRole:
        if (gone)
            return GoneColor;
        // Readable on the pale ground in a dark theme too.
        return entry.schedule.state() == WordSchedule::State::Weak ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::ToolTipRole:
        return gone ? QStringLiteral("問題集が変わり、今の問題集にはない単語です。状態は前の単語のまま残っています。")
                    : QVariant();
    default:
        return {};
    }
}

QVariant WordBookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= WordBook::ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Headers[section];
}
