#pragma once

#include <QAbstractTableModel>

#include "wordbook.h"

// The word book's rows for a table view: the rows WordBook::select() keeps,
// with the colours of the weak words and the English word in bold.
class WordBookModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit WordBookModel(QObject *parent = nullptr);

    // Shows the book, chosen and sorted as before.
    void setBook(WordBook book);
    void setShow(WordBook::Show show, const QString &search);
    WordBook &book() { return m_book; }
    // The index into book().entries() of a row shown.
    int entryOf(int row) const { return m_rows.value(row, -1); }
    // Schedules of the book have changed: the rows shown stay, their cells follow.
    void schedulesChanged();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void reselect();

    WordBook m_book;
    QList<int> m_rows;
    WordBook::Show m_show = WordBook::Show::All;
    QString m_search;
    int m_sortColumn = WordBook::BankColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
