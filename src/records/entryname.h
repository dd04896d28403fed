#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the learner who reached the top LEVEL for the name on the certificate.
class EntryName : public QDialog
{
    Q_OBJECT

public:
    explicit EntryName(QWidget *owner);

    // Every close, stored or not, goes on to the certificate.
    void done(int result) override;

private:
    void OKButton_Click();

    QLabel *Label2;
    QLabel *Label3;
    QLineEdit *Text1;
    QLabel *Image1;
    QPushButton *OKButton;
};
