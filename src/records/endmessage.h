#pragma once

#include <QDialog>

#include "testrun/testoutcome.h"

class QLabel;
class QPushButton;

// "テスト終了！": the notice between the last answer and the result view.
class EndMessage : public QDialog
{
    Q_OBJECT

public:
    EndMessage(const TestOutcome &outcome, QWidget *owner);

    // Every close opens the result view, so the caller waits for both.
    void done(int result) override;

signals:
    // The result view has been closed, however: the LEVEL it showed may now
    // be shown elsewhere.
    void resultViewClosed();

private:
    TestOutcome m_outcome;
    QLabel *Label1;
    QPushButton *OKButton;
};
