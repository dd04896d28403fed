#pragma once

#include <QDialog>

#include <array>

#include "historyscope.h"
#include "practice/wordmark.h"
#include "wordbook.h"

class HistoryStore;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class WeakHistory;
class WordBookModel;

// 単語帳: every word of the bank and direction in use (or, with the switch,
// of every bank and direction in the history) with where it stands: never
// asked, being learned, weak (with its step and due day), learned, or marked
// known. The learner filters, searches, sorts, and decides: marks words
// known (and takes the mark back), puts them on the weak list or takes them
// off it. Each choice is kept in the study history at once; the records are
// never touched. Clicking an English word of the standard bank pronounces it.
class WordBookWindow : public QDialog
{
    Q_OBJECT

public:
    WordBookWindow(HistoryStore &store, WeakHistory &weak, QWidget *owner);

    // The rows of the table, in the order shown, as indexes into the book.
    WordBookModel &model() { return *m_model; }
    // The learner's choice for the rows selected; false when the history could not keep it.
    bool markSelected(WordMark::Kind kind);
    // Every bank and direction of the history, or those in use only.
    void setShowAll(bool all);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    // The three commands, as buttons; the context menu holds them in the same order.
    std::array<QPushButton *, 3> commands() const { return {m_known, m_addWeak, m_removeWeak}; }
    void layOut();
    void reload();
    void refilter();
    void selectFound();
    void updateActions();
    void updateSummary();
    // The entries selected that the choice applies to.
    QList<int> selectedFor(WordMark::Kind kind) const;
    void Word_Click(const QModelIndex &index);
    void toggleKnown();

    HistoryStore &m_store;
    WeakHistory &m_weak;
    HistoryScope m_scope;
    WordBookModel *m_model;
    QLabel *m_summary;
    QComboBox *m_stateFilter;
    QLineEdit *m_search;
    QTableView *m_table;
    QLabel *m_hint;
    QPushButton *m_known;
    QPushButton *m_addWeak;
    QPushButton *m_removeWeak;
    QPushButton *m_close;
    QMenu *m_menu;
};
