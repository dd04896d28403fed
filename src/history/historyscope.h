#pragma once

class HistoryStore;
class QCheckBox;
class QLabel;
class QWidget;

// What the history window and the word book both show above their lists:
// the switch from the bank and direction in use to every one the history
// holds, and the line that tells the learner what is wrong with the history.
class HistoryScope
{
public:
    // The two controls, children of `parent`, named "showAll" and "problem".
    explicit HistoryScope(QWidget *parent);

    QCheckBox *showAll() const { return m_showAll; }
    QLabel *problem() const { return m_problem; }
    bool all() const;
    // The store's last problem, or no line at all while there is none.
    void showProblem(const HistoryStore &store);

private:
    QCheckBox *m_showAll;
    QLabel *m_problem;
};
