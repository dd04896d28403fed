#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Shown instead of a certificate when the top LEVEL of a user bank is reached.
class Max2 : public QDialog
{
    Q_OBJECT

public:
    explicit Max2(QWidget *owner);

private:
    QLabel *Label2;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Image3;
    QPushButton *OKButton;
};
