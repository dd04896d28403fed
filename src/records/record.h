#pragma once

#include <QDialog>

#include <array>

#include "records/recordpages.h"

class QFrame;
class QLabel;
class QPushButton;

// The learner's records of the current bank and direction, one row per LEVEL,
// ten LEVELs a page from the highest down. It only reads the records.
class Record : public QDialog
{
    Q_OBJECT

public:
    static constexpr int Rows = Common::RecordRowsPerPage;
    using CellFrames = std::array<QFrame *, Rows>;
    using CellLabels = std::array<QLabel *, Rows>;

    explicit Record(QWidget *owner = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label14 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label25 = nullptr;

    // The thirteen cells of each row, each a label in its own frame.
    CellFrames Picture5{}, Picture6{}, Picture18{}, Picture19{}, Picture20{}, Picture21{}, Picture22{}, Picture23{},
        Picture9{}, Picture10{}, Picture7{}, Picture14{}, Picture8{};
    CellLabels Label5{}, Label6{}, Label19{}, Label20{}, Label21{}, Label22{}, Label23{}, Label24{}, Label7{}, Label8{},
        Label9{}, Label16{}, Label10{};

    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *OKButton = nullptr;

    int CurrentPage = 1;
    int PageCount = 0;
    int ListedLevels = 0;

private:
    void buildHeader();
    void buildCells();
    void Form_Load();
    void ShowPage();
    void fillRow(int row, int level);
    void setRowVisible(int row, bool visible);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};
