#include "noticeparts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

QPushButton *NoticeParts::closeButton(QDialog *dialog, const QString &caption)
{
    auto *button = new QPushButton(caption, dialog);
    button->setObjectName(QStringLiteral("OKButton"));
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

QHBoxLayout *NoticeParts::centredRow(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *widget : widgets)
        row->addWidget(widget);
    row->addStretch();
    return row;
}

void NoticeParts::emphasise(QLabel *label, qreal scale)
{
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(true);
    label->setFont(font);
}
