#include "noticebar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
    const char *const TextProperty = "noticeText";
}

NoticeBar::NoticeBar(QWidget *parent)
    : QWidget(parent)
    , m_rows(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("NoticeBar"));
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(2);
    hide();
}

void NoticeBar::post(const QString &text)
{
    if (text.isEmpty() || texts().contains(text))
        return;
    auto *row = new QFrame(this);
    row->setObjectName(QStringLiteral("notice"));
    row->setProperty(TextProperty, text);
    // Its own colours, so it reads the same on a light or a dark desktop.
    row->setStyleSheet(QStringLiteral("QFrame#notice { background-color: #FFF4C2; border: 1px solid #D9B840;"
                                      " border-radius: 3px; } QFrame#notice QLabel, QFrame#notice QToolButton"
                                      " { color: #3A3000; background: transparent; border: none; }"));
    auto *label = new QLabel(text, row);
    label->setObjectName(QStringLiteral("noticeText"));
    // File names come from the disk: shown as written, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *close = new QToolButton(row);
    close->setObjectName(QStringLiteral("closeNotice"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("このお知らせを閉じる"));
    close->setFocusPolicy(Qt::NoFocus);
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, [this, row] { this->close(row); });
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(label, 1);
    layout->addWidget(close, 0, Qt::AlignTop);
    m_rows->addWidget(row);
    show();
}

QStringList NoticeBar::texts() const
{
    QStringList shown;
    for (int i = 0; i < m_rows->count(); ++i)
    {
        if (const QWidget *row = m_rows->itemAt(i)->widget())
            shown.append(row->property(TextProperty).toString());
    }
    return shown;
}

void NoticeBar::close(QWidget *row)
{
    m_rows->removeWidget(row);
    row->deleteLater();
    setVisible(m_rows->count() > 0);
}
