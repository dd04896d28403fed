#pragma once

#include <QStyledItemDelegate>

// The cells of the word-list table as a spreadsheet has them: Return keeps
// what was typed and moves on, and the English word is looked up while it is
// being typed.
class WordCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void englishEdited(const QString &text) const;
    // Return in a cell: its text is kept and the caret is to move on.
    void entered() const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};
