#include "endmessage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui_shared/modal.h"
#include "noticeparts.h"
#include "result.h"

EndMessage::EndMessage(const TestOutcome &outcome, QWidget *owner)
    : QDialog(owner)
    , m_outcome(outcome)
{
    setObjectName(QStringLiteral("EndMessage"));
    setWindowTitle(QStringLiteral("Vocamira"));

    Label1 = new QLabel(QStringLiteral("テスト終了！"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    NoticeParts::emphasise(Label1, 2);
    OKButton = NoticeParts::closeButton(this, QStringLiteral("OK"));

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setContentsMargins(32, 24, 32, 16);
    layout->setSpacing(20);
    layout->addWidget(Label1);
    layout->addLayout(NoticeParts::centredRow({OKButton}));
}

void EndMessage::done(int result)
{
    QDialog::done(result);
    Result view(m_outcome, parentWidget());
    connect(&view, &QDialog::finished, this, &EndMessage::resultViewClosed);
    Modal::exec(view);
}
