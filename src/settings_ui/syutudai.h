#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The question settings: which bank, which direction, and the test parameters
// of a user bank. A bank or direction chosen here is written and loaded at
// once so the question count can be shown; OK brings the test parameters and
// records in line, cancel (or the close box) puts the bank back as it was.
class Syutudai : public QDialog
{
    Q_OBJECT

public:
    explicit Syutudai(QWidget *owner = nullptr);

    // The name Combo1 shows for the standard bank, stored as TEXTNAME when OK
    // saves with it.
    static QString standardBankName();

    QGroupBox *Frame3 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QLabel *Label2 = nullptr;
    // Where the user banks go: the folder of this run, whichever layout it is.
    QLabel *userFolderHint = nullptr;

    QGroupBox *Frame1 = nullptr;
    QLabel *Label4 = nullptr;
    QComboBox *Combo5 = nullptr;

    QGroupBox *Frame4 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLabel *Label10 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label14 = nullptr;
    QComboBox *Combo3 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    QComboBox *Combo4 = nullptr;
    QLabel *Label3 = nullptr;

    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

signals:
    // OK has saved the settings and reloaded the parameters and the records;
    // whoever shows them follows before the learner is told.
    void saved();

public slots:
    // Every way of leaving without OK (the cancel button, Esc, the close box)
    // must restore the bank, or the bank and the records would part ways.
    void reject() override;

private:
    void buildSourceFrame();
    void buildDirectionFrame();
    void buildParameterFrame();

    void ShowSourceChoice();
    void ShowBankParameters();
    void ListUserTexts();

    void Option1_Click();
    void Option2_Click();
    void Combo2_Click();
    void Combo5_Click();
    void Text2_Change();
    void Command1_Click();

    void setParametersEnabled(bool enabled);
    void clearParameters();
    // False when a settings file could not be written; the learner was told.
    bool saveSettings();

    QString OpenedTextKind;
    QString OpenedTextName;
    QString OpenedTransMode;
};
