#include "wordcelldelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "wordlistmodel.h"

QWidget *WordCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (line && index.column() == WordListModel::EnglishColumn)
        connect(line, &QLineEdit::textEdited, this, &WordCellDelegate::englishEdited);
    return editor;
}

bool WordCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (editor && event->type() == QEvent::KeyPress)
    {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
        {
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            emit entered();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
