#include "max.h"

#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/settings.h"

namespace
{
    QLabel *makeLabel(QWidget *parent, const QString &name, qreal scale, const QString &text = {})
    {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        label->setWordWrap(true);
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

    auto *paper = new QFrame(this);
    paper->setObjectName(QStringLiteral("certificatePaper"));
    paper->setStyleSheet(QStringLiteral("QFrame#certificatePaper { background: #fffaf0; border: 6px double #9c7a1c; }"
                                        "QFrame#certificatePaper QLabel { color: #1e1e1e; }"));
    paper->setFont(certificateFont(font()));
    paper->setMinimumWidth(paper->fontMetrics().horizontalAdvance(QChar(0x3042)) * 32);

    const QString direction = Common::IsEnglishAnswer() ? Common::TransModeEnglish : Common::TransModeJapanese;
    Picture1 = new QLabel(paper);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(QPixmap(QStringLiteral(":/records/laurel@2x.png")));
    Picture1->setAlignment(Qt::AlignCenter);
    Label1 = makeLabel(paper, QStringLiteral("Label1"), 3, QStringLiteral("表 彰 状"));
    Label1->setAlignment(Qt::AlignCenter);
    Label5 = makeLabel(paper, QStringLiteral("Label5"), 1.8, Common::CertificateName + QStringLiteral(" 殿"));
    Label2 = makeLabel(paper, QStringLiteral("Label2"), 1.3,
                       QStringLiteral("あなたは「Vocamira」の%1部門において最高レベルに到達なさいました。").arg(direction));
    Label7 = makeLabel(paper, QStringLiteral("Label7"), 1.3,
                       QStringLiteral("その英単語語彙力・継続力・タイピング力を称え、ここにそれを表彰します。"));
    Label3 = makeLabel(paper, QStringLiteral("Label3"), 1.2, certificateDay(Common::CertificateDate));
    Label6 = makeLabel(paper, QStringLiteral("Label6"), 1.2, QStringLiteral("「Vocamira」制作者"));
    Label4 = makeLabel(paper, QStringLiteral("Label4"), 1.5, QStringLiteral("Vocamira 制作チーム"));
    Picture2 = new QLabel(paper);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPixmap(QPixmap(QStringLiteral(":/records/rosette@2x.png")));

    QFont title = Label1->font();
    title.setBold(true);
    Label1->setFont(title);

    auto *issuer = new QVBoxLayout;
    issuer->addWidget(Label6);
    issuer->addWidget(Label4);

    auto *signature = new QHBoxLayout;
    signature->addStretch();
    signature->addLayout(issuer);
    signature->addWidget(Picture2);

    auto *sheet = new QVBoxLayout(paper);
    sheet->setContentsMargins(40, 24, 40, 24);
    sheet->setSpacing(14);
    sheet->addWidget(Picture1);
    sheet->addWidget(Label1);
    sheet->addSpacing(10);
    sheet->addWidget(Label5);
    sheet->addWidget(Label2);
    sheet->addWidget(Label7);
    sheet->addSpacing(10);
    sheet->addWidget(Label3);
    sheet->addLayout(signature);

    OKButton = new QPushButton(QStringLiteral("閉じる"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(paper);
    layout->addLayout(buttons);
}
