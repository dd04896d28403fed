#include "entryname.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/cp932.h"
#include "core/message.h"
#include "gui_shared/modal.h"
#include "max.h"
#include "recordsstore.h"

namespace
{
    // Long enough for any name, short enough for one line of the certificate.
    constexpr int NameLength = 40;

    // The first character the records file cannot give back unchanged: one
    // outside code page 932, a double quote (which would end the quoted field)
    // or a control character; "" when there is none.
    QString unstorableCharacter(const QString &name)
    {
        for (const char32_t c : name.toUcs4())
        {
            const QString character = QString::fromUcs4(&c, 1);
            if (c < 0x20 || c == 0x7F)
                return QStringLiteral("U+%1").arg(uint(c), 4, 16, QChar(u'0'));
            if (c == U'"' || !Cp932::canEncode(character))
                return character;
        }
        return {};
    }
}

EntryName::EntryName(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("EntryName"));
    setWindowTitle(QStringLiteral("Vocamira"));

    Label2 = new QLabel(QStringLiteral("あなたの栄誉を称えて、表彰状を発行致しますので、下のテキストボックスに氏名を入力願います"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label3 = new QLabel(QStringLiteral("氏名を入力→"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(NameLength);
    Text1->setMinimumWidth(Text1->fontMetrics().horizontalAdvance(QChar(0x3042)) * 16);
    Label3->setBuddy(Text1);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/records/medal@2x.png")));
    Image1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &EntryName::OKButton_Click);

    auto *entry = new QHBoxLayout;
    entry->addWidget(Label3);
    entry->addWidget(Text1, 1);
    entry->addWidget(OKButton);

    auto *text = new QVBoxLayout;
    text->addWidget(Label2);
    text->addStretch();
    text->addLayout(entry);

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(16);
    layout->addWidget(Image1, 0, Qt::AlignTop);
    layout->addLayout(text, 1);

    Text1->setFocus();
}

void EntryName::OKButton_Click()
{
    const QString name = Text1->text();
    if (name.isEmpty())
    {
        Message::show(QStringLiteral("氏名を入力して下さい"));
        Text1->setFocus();
        return;
    }
    const QString refused = unstorableCharacter(name);
    if (!refused.isEmpty())
    {
        Message::show(QStringLiteral("氏名に「%1」は使えません。別の文字で入力して下さい").arg(refused));
        Text1->setFocus();
        return;
    }
    // Kept exactly as typed, blanks included. A failed save has told the
    // learner; the name stays in memory and goes out with the next save.
    Common::CertificateName = name;
    Common::CertificateDate = QDate::currentDate();
    Common::SaveRecords();
    accept();
}

void EntryName::done(int result)
{
    QDialog::done(result);
    Max certificate(parentWidget());
    Modal::exec(certificate);
}
