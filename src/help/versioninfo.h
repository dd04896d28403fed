#pragma once

#include <QDialog>

class ClickLabel;
class QLabel;
class QPushButton;

// The program's version and a link to its read-me.
class VersionInfo : public QDialog
{
    Q_OBJECT

public:
    explicit VersionInfo(QWidget *owner = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    ClickLabel *Label4 = nullptr;
    QLabel *dictionaryLicences = nullptr;
    QPushButton *OKButton = nullptr;

private:
    void Label4_Click();
};
