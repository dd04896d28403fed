#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

// Lets the learner choose which romaji spelling the guide shows for each
// selectable kana unit. Only the display changes: the judge still accepts
// every spelling.
class RomanSetting : public QDialog
{
    Q_OBJECT

public:
    // One pair more than the judge table has selectable units.
    static constexpr int UnitSlots = 49;

    explicit RomanSetting(QWidget *owner = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    std::array<QLabel *, UnitSlots> Label3{};
    std::array<QComboBox *, UnitSlots> Combo1{};
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    void Form_Load();
    void OKButton_Click();
};
