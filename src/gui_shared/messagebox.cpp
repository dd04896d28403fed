#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/message.h"

namespace
{
    const QString Title = QStringLiteral("Vocamira");

    // A plain button like the OK of every window of the program: a desktop
    // theme would give a standard button its own, often blurry, icon.
    QPushButton *addPlainButton(QMessageBox &box, const QString &text, QMessageBox::ButtonRole role)
    {
        QPushButton *button = box.addButton(text, role);
        button->setIcon(QIcon());
        return button;
    }

    QMessageBox::Icon iconOf(Message::Kind kind)
    {
        return kind == Message::Kind::Warning ? QMessageBox::Warning : QMessageBox::Information;
    }
}

void MessageBox::install()
{
    Message::setBoxHandler([](const QString &text, Message::Kind kind) {
        QMessageBox box(iconOf(kind), Title, text, QMessageBox::NoButton, QApplication::activeWindow());
        box.setObjectName(QStringLiteral("MessageBox"));
        box.setDefaultButton(addPlainButton(box, QStringLiteral("OK"), QMessageBox::AcceptRole));
        box.exec();
    });
    Message::setQuestionHandler([](const QString &text) {
        QMessageBox box(QMessageBox::Question, Title, text, QMessageBox::NoButton, QApplication::activeWindow());
        box.setObjectName(QStringLiteral("MessageBox"));
        QPushButton *yes = addPlainButton(box, QStringLiteral("はい"), QMessageBox::YesRole);
        QPushButton *no = addPlainButton(box, QStringLiteral("いいえ"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    });
}
