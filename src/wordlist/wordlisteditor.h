#pragma once

#include <QDialog>

#include "bank/usertext.h"
#include "wordrow.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenuBar;
class QPushButton;
class QTableView;
class WordHelp;
class WordListModel;

// 問題集の作成・編集: the learner's own lists, made and changed from the
// keyboard with the dictionary help, saved as user banks (and, if asked, as
// the bank of the other direction), and chosen as the bank to study.
class WordListEditor : public QDialog
{
    Q_OBJECT

public:
    // help: the dictionary help to use; by default one shared by every
    // opening of the editor, loaded when it is first needed.
    explicit WordListEditor(QWidget *owner = nullptr, WordHelp *help = nullptr);
    ~WordListEditor() override;

    // Opens a bank of the user-text folder; false, with the learner told
    // why, when it cannot be read.
    bool openList(const QString &name);
    // Saves under the list's name, asking one when it has none; false when
    // nothing was saved.
    bool save();
    QString listName() const { return m_name; }
    WordListModel *model() const { return m_model; }

    QMenuBar *menuBar = nullptr;
    QAction *actionNew = nullptr;
    QAction *actionOpen = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionSaveAs = nullptr;
    QAction *actionImport = nullptr;
    QAction *actionUndo = nullptr;
    QAction *actionRedo = nullptr;
    QAction *actionInsert = nullptr;
    QAction *actionDelete = nullptr;
    QAction *actionMoveUp = nullptr;
    QAction *actionMoveDown = nullptr;
    QAction *actionSort = nullptr;
    QAction *actionFillReadings = nullptr;
    QAction *actionFind = nullptr;

    QLabel *nameLabel = nullptr;
    QLineEdit *findField = nullptr;
    QTableView *wordTable = nullptr;
    QLabel *suggestionCaption = nullptr;
    QListWidget *suggestionList = nullptr;
    QLabel *statusLabel = nullptr;
    QLabel *helpNotice = nullptr;
    QCheckBox *otherDirectionBox = nullptr;
    QComboBox *studyDirection = nullptr;
    QPushButton *studyButton = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *closeButton = nullptr;

signals:
    // A list became the bank to study; the bank, its parameters and its
    // records are loaded.
    void bankChosen();

public slots:
    // Unsaved changes are asked about first.
    void reject() override;

private:
    void buildMenus();
    void buildWindow();
    void newList();
    void chooseAndOpen();
    bool saveAs();
    bool writeList(const QString &name);
    // Whether the learner lets the list's unsaved changes go (saving them or not).
    bool settleChanges();
    void study();

    // Words from a table or an English text, added as one step.
    void importWords();
    void insertRow();
    void deleteRows();
    void moveRow(int step);
    void findNext();
    void moveOn();
    void pickSuggestion(int number);
    void useItem(QListWidgetItem *item);
    void showSuggestions(const QString &english, bool withSpelling);
    void currentRowChanged();
    void refresh();
    // What of the dictionary help could not be loaded, below the table.
    void showMissingHelp();
    // Ends editing in the table, keeping what was typed.
    void commitEditing();

    WordHelp *m_help;
    WordListModel *m_model;
    QString m_name;
    UserText::Encoding m_encoding = UserText::Encoding::Utf8;
    bool m_unreadableBytes = false;
};
