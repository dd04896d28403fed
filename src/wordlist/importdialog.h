#pragma once

#include <QDialog>

#include <array>

#include "importrows.h"
#include "wordimport/tablereader.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class WordHelp;

// 読み込み: words made elsewhere into the list. A table (a spreadsheet's CSV,
// a flashcard program's export) shows its first rows and which column holds
// the English word, the meaning and the reading; an English text shows the
// words worth learning that the learner does not know yet, the first ones
// ticked. Either way the rows to add are listed with their meanings and
// readings, and the words the list holds already are shown and left out.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    // `list`: the rows of the list being edited, to find duplicates in.
    ImportDialog(WordHelp &help, const QList<WordRow> &list, QWidget *owner = nullptr);

    // Reads a file; false, with the learner told why, when it cannot be read.
    bool readFile(const QString &path);
    // Reads pasted text: a table when it looks like one, else an English text.
    void readText(const QString &text);

    // What "リストに加える" adds.
    QList<WordRow> chosenWords() const { return ImportRows::chosen(m_rows); }
    const QList<ImportRow> &rows() const { return m_rows; }

    QPushButton *openButton = nullptr;
    QPlainTextEdit *pasteEdit = nullptr;
    QPushButton *readPastedButton = nullptr;
    QLabel *sourceLabel = nullptr;
    QWidget *columnsBox = nullptr;
    // The English word, the meaning and the reading.
    std::array<QComboBox *, 3> columnChoices {};
    QTableWidget *sampleTable = nullptr;
    QTableWidget *rowTable = nullptr;
    QLabel *summaryLabel = nullptr;
    QLabel *problemLabel = nullptr;
    QPushButton *addButton = nullptr;
    QPushButton *cancelButton = nullptr;

public slots:
    void accept() override;

private:
    void chooseFile();
    void read(const QString &text, const QString &where, bool isTable);
    void showTable();
    void columnChosen();
    void findWords(const QString &text);
    void showRows();
    void rowTicked(int row, int column);
    void updateSummary();

    WordHelp &m_help;
    QList<WordRow> m_list;
    ImportTable m_table;
    bool m_isTable = false;
    QList<ImportRow> m_rows;
    bool m_showing = false;
};
