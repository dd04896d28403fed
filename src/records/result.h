#pragma once

#include <QDialog>
#include <QList>

#include <functional>

#include "testrun/testoutcome.h"

class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QWidget;

// The review of the test just finished: every question with its answer and
// mark, the score and the LEVEL now held. Clicking an English word of the
// standard bank pronounces it. Beside that, a practice shows where each word
// now stands on the weak-word schedule, and a row's context menu puts its
// word on the weak list when the owner keeps a study history.
class Result : public QDialog
{
    Q_OBJECT

public:
    Result(const TestOutcome &outcome, QWidget *owner);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The layout holds twenty rows; a test fills the first ten, a longer
    // practice as many as it asked.
    static constexpr int RowCount = 20;
    static constexpr int TestRows = 10;

    void buildHeaders();
    void buildRows();
    void buildFields();
    void applyColumnStyles();
    void layOut();
    void fitListHeight();
    int rowsHeight() const;
    void fillRows();
    void fillScore(const TestOutcome &outcome);
    void placeRows();
    void Word_Click(bool secondColumn, int index);
    void playRow(int index);
    // The bank index of row `index`'s question, or -1 for a row of no question.
    int bankIndexOfRow(int index) const;
    void buildNotes(const QStringList &notes);
    void showRowMenu(int index, const QPoint &globalPos);
    void addRowToWeak();

    const int m_usedRows;
    const int m_rowCount;
    QLabel *Label8;
    QLabel *Label7;
    QLabel *Label6;
    QLabel *Label5;
    QWidget *m_viewport;
    QWidget *Picture11;
    QList<QFrame *> Picture1;
    QList<QFrame *> Picture2;
    QList<QFrame *> Picture3;
    QList<QFrame *> Picture4;
    QList<QLabel *> Label1;
    QList<QLabel *> Label2;
    QList<QLabel *> Label3;
    QList<QLabel *> Label4;
    QScrollBar *VScroll1;
    QLabel *Label20;
    QPushButton *OKButton;
    QLabel *Label13;
    QLabel *Label14;
    QLabel *Label15;
    QLabel *Label16;
    QLabel *Label10;
    QLabel *Label11;
    QLabel *Label12;
    QLabel *Label9;
    QLabel *Label18;
    QLabel *Label19;
    QLabel *Label17;

    QLabel *m_noteHeader = nullptr;
    QList<QFrame *> m_noteCells;
    QList<QLabel *> m_notes;
    std::function<bool(int bankIndex)> m_addWeakWord;
    QMenu *m_rowMenu = nullptr;
    int m_menuRow = -1;
    QLabel *m_weakAdded = nullptr;
};
