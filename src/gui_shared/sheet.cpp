#include "sheet.h"

#include <QPalette>
#include <QWidget>

void PaintAsSheet(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
}

QColor colorOf(EmphasisColor color)
{
    switch (color)
    {
    case EmphasisColor::Red:
        return QColor(0xFF, 0x00, 0x00);
    case EmphasisColor::Blue:
        return QColor(0x00, 0x00, 0xFF);
    case EmphasisColor::Black:
        break;
    }
    return QColor(0x00, 0x00, 0x00);
}

void SetTextColor(QWidget *widget, EmphasisColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colorOf(color));
    widget->setPalette(palette);
}
