#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

#include "rowchecks.h"
#include "wordrow.h"

class QUndoStack;
class WordHelp;

// The rows of the list being edited, as a table of 英単語 | 意味 | 読み and
// the reasons found by the row checks. Below the last word is an empty row:
// typing into it adds a word. Every change is one step of the undo stack.
// A meaning typed without a reading of its own gets its reading from the
// dictionary help; English words the spelling dictionary does not know are
// marked with its suggestions.
class WordListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        EnglishColumn = RowChecks::English,
        MeaningColumn = RowChecks::Meaning,
        ReadingColumn = RowChecks::Reading,
        CheckColumn,
        ColumnCount,
    };

    // help may be null: no readings filled, no spelling marked.
    explicit WordListModel(WordHelp *help, QObject *owner = nullptr);

    QUndoStack *undoStack() const { return m_undo; }

    const QList<WordRow> &rows() const { return m_rows; }
    // Starts afresh with `rows`: nothing to undo, nothing changed.
    void setRows(QList<WordRow> rows);
    // The row below the last word, where a new word is typed.
    int newRow() const { return int(m_rows.size()); }

    const QList<RowChecks::Problems> &problems() const { return m_problems; }
    int rowsWithProblems() const;
    // False for a word the spelling dictionary does not know.
    bool isSpeltRight(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // One field; a meaning also refills a reading that was empty or filled
    // from the meaning before.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The edits of the editor, each one undo step.
    void chooseMeaning(int row, const QString &meaning, const QString &reading);
    void insertWords(int at, const QList<WordRow> &words, const QString &what);
    void removeWords(int first, int count);
    void moveWord(int from, int to);
    void sortByEnglish();
    // Readings for every row that has a meaning and no reading.
    void fillMissingReadings();

signals:
    // The rows changed and were checked again.
    void checked();

private:
    friend class ReplaceWords;
    // Puts `words` in place of `count` rows from `first`: the one change
    // every undo step makes and takes back.
    void replaceWords(int first, int count, const QList<WordRow> &words);
    void push(int first, int count, const QList<WordRow> &words, const QString &what);
    void recheck();
    const RowChecks::Problems &problemsAt(int row) const;
    // The reading of the word's meaning, as the dictionary help gives it.
    QString readingFor(const WordRow &word) const;
    QString spellingNote(int row) const;
    // A meaning the import took from the dictionary, until the learner sets one.
    QString checkNote(int row) const;

    WordHelp *m_help;
    QUndoStack *m_undo;
    QList<WordRow> m_rows;
    QList<RowChecks::Problems> m_problems;
    RowChecks::Cache m_checked;
    // What the spelling dictionary says of each English word, asked once:
    // suggesting spellings takes milliseconds, and the table paints often.
    struct SpellingNote
    {
        bool known = true;
        bool suggested = false;
        QString note;
    };
    SpellingNote &spellingOf(const QString &english) const;
    mutable QHash<QString, SpellingNote> m_spelling;
};
