#include "max.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/settings.h"
#include "noticeparts.h"

namespace
{
    QLabel *makeLabel(QWidget *parent, const QString &name, qreal scale, const QString &text = {})
    {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        // The learner's name is shown as typed, tags and all.
        label->setTextFormat(Qt::PlainText);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        label->setFont(font);
        return label;
    }

    // A certificate is written in a mincho face; any Japanese face will do
    // where none is installed.
    QFont certificateFont(QFont font)
    {
        font.setFamilies({QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAexMincho"), QStringLiteral("IPAMincho"),
                          QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
        font.setStyleHint(QFont::Serif);
        return font;
    }

    // No leading zeros: 1 November 2004 reads 2004年11月1日. A learner who
    // never entered a name has no day either.
    QString certificateDay(const QDate &date)
    {
        if (!date.isValid())
            return {};
        return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
    }
}

Max::Max(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("Max"));
    setWindowTitle(QStringLiteral("Vocamira"));

    // The sheet is painted by paintEvent; its text is dark whatever the
    // desktop's colours, as the paper is always light.
    m_paper = new QWidget(this);
    m_paper->setObjectName(QStringLiteral("certificatePaper"));
    QPalette ink = m_paper->palette();
    ink.setColor(QPalette::WindowText, QColor(0x1e, 0x1e, 0x1e));
    m_paper->setPalette(ink);
    m_paper->setFont(certificateFont(font()));

    const QString direction = Common::IsEnglishAnswer() ? Common::TransModeEnglish : Common::TransModeJapanese;
    Picture1 = new QLabel(m_paper);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(QPixmap(QStringLiteral(":/records/laurel@2x.png")));
    Picture1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Label1 = makeLabel(m_paper, QStringLiteral("Label1"), 2.6, QStringLiteral("表 彰 状"));
    Label1->setAlignment(Qt::AlignCenter);
    Label5 = makeLabel(m_paper, QStringLiteral("Label5"), 1.6, Common::CertificateName + QStringLiteral(" 殿"));
    // The sentences keep to one line each; only a long name wraps.
    Label5->setWordWrap(true);
    Label2 = makeLabel(m_paper, QStringLiteral("Label2"), 1.2,
                       QStringLiteral("あなたは「Vocamira」の%1部門において最高レベルに到達なさいました。").arg(direction));
    Label7 = makeLabel(m_paper, QStringLiteral("Label7"), 1.2,
                       QStringLiteral("その英単語語彙力・継続力・タイピング力を称え、ここにそれを表彰します。"));
    Label3 = makeLabel(m_paper, QStringLiteral("Label3"), 1.1, certificateDay(Common::CertificateDate));
    Label6 = makeLabel(m_paper, QStringLiteral("Label6"), 1.1, QStringLiteral("「Vocamira」制作者"));
    Label4 = makeLabel(m_paper, QStringLiteral("Label4"), 1.4, QStringLiteral("Vocamira 制作チーム"));
    Picture2 = new QLabel(m_paper);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPixmap(QPixmap(QStringLiteral(":/records/rosette@2x.png")));
    Picture2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    QFont title = Label1->font();
    title.setBold(true);
    Label1->setFont(title);

    // The laurel beside the title, balanced by a blank of its width, keeps
    // the sheet low enough for a small screen at 200%.
    auto *heading = new QHBoxLayout;
    heading->addWidget(Picture1);
    heading->addWidget(Label1, 1);
    heading->addSpacing(Picture1->sizeHint().width());

    auto *issuer = new QVBoxLayout;
    issuer->addStretch();
    issuer->addWidget(Label6);
    issuer->addWidget(Label4);

    auto *signature = new QHBoxLayout;
    signature->addWidget(Label3, 0, Qt::AlignBottom);
    signature->addStretch();
    signature->addLayout(issuer);
    signature->addWidget(Picture2);

    auto *sheet = new QVBoxLayout(m_paper);
    sheet->setContentsMargins(36, 20, 36, 20);
    sheet->setSpacing(10);
    sheet->addLayout(heading);
    sheet->addWidget(Label5);
    sheet->addSpacing(4);
    sheet->addWidget(Label2);
    sheet->addWidget(Label7);
    sheet->addSpacing(8);
    sheet->addLayout(signature);

    OKButton = NoticeParts::closeButton(this, QStringLiteral("閉じる"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addWidget(m_paper);
    layout->addLayout(buttons);
}

void Max::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    const QColor gold(0x9c, 0x7a, 0x1c);
    QPainter painter(this);
    const QRect sheet = m_paper->geometry();
    painter.fillRect(sheet, QColor(0xff, 0xfa, 0xf0));
    painter.setPen(QPen(gold, 4));
    painter.drawRect(sheet.adjusted(2, 2, -2, -2));
    painter.setPen(QPen(gold, 1));
    painter.drawRect(sheet.adjusted(9, 9, -10, -10));
}
