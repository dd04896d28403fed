#pragma once

#include <QStringList>
#include <QWidget>

class QVBoxLayout;

// A bar across the top of the main window for words about the program's own
// files (study history, backups, the lock of the learner's folder). Each
// notice stays until the learner closes it with a click on its ×; the button
// takes no focus, so no key meant for a test can close it unread. The same
// text twice is shown once.
class NoticeBar : public QWidget
{
    Q_OBJECT

public:
    explicit NoticeBar(QWidget *parent = nullptr);

    void post(const QString &text);
    // The notices shown, oldest first.
    QStringList texts() const;

private:
    void close(QWidget *row);

    QVBoxLayout *m_rows;
};
