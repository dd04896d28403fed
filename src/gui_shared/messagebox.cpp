#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>

#include "core/message.h"

void MessageBox::install()
{
    Message::setHandler([](const QString &text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vocamira"), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}
