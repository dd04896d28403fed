#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The certificate for reaching the top LEVEL, with the name and day stored
// when it was awarded.
class Max : public QDialog
{
    Q_OBJECT

public:
    explicit Max(QWidget *owner);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_paper;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Picture1;
    QLabel *Picture2;
    QPushButton *OKButton;
};
