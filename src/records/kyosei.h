#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Announces that a level-up challenge has been turned into a forced review.
class Kyosei : public QDialog
{
    Q_OBJECT

public:
    explicit Kyosei(QWidget *owner);

private:
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QPushButton *OKButton;
};
