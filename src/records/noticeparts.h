#pragma once

#include <QString>

#include <initializer_list>

class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// Pieces the small notice windows share.
namespace NoticeParts
{
    // The dialog's default button "OKButton"; a click accepts the dialog.
    QPushButton *closeButton(QDialog *dialog, const QString &caption);
    // A row holding the widgets centred between two stretches.
    QHBoxLayout *centredRow(std::initializer_list<QWidget *> widgets);
    // Bold, and `scale` times the label's size.
    void emphasise(QLabel *label, qreal scale);
}
