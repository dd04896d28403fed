#include "endmessage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/modal.h"
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
    QFont font = Label1->font();
    font.setPointSizeF(font.pointSizeF() * 2);
    font.setBold(true);
    Label1->setFont(font);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setContentsMargins(32, 24, 32, 16);
    layout->setSpacing(20);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
}

void EndMessage::done(int result)
{
    QDialog::done(result);
    Result view(m_outcome, parentWidget());
    Modal::exec(view);
}
