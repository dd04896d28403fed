#include "max2.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QPixmap>
#include <QVBoxLayout>

#include "noticeparts.h"

namespace
{
    QLabel *makePicture(QWidget *parent, const QString &name, const QString &resource)
    {
        auto *picture = new QLabel(parent);
        picture->setObjectName(name);
        picture->setPixmap(QPixmap(resource));
        picture->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return picture;
    }
}

Max2::Max2(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("Max2"));
    setWindowTitle(QStringLiteral("Vocamira"));

    const QString star = QStringLiteral(":/records/star@2x.png");
    Image1 = makePicture(this, QStringLiteral("Image1"), star);
    Image2 = makePicture(this, QStringLiteral("Image2"), QStringLiteral(":/records/medal@2x.png"));
    Image3 = makePicture(this, QStringLiteral("Image3"), star);

    Label2 = new QLabel(QStringLiteral("せっかく獲得した記憶です\n\n完全定着まで復習を続けましょう！"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    NoticeParts::emphasise(Label2, 1.4);
    OKButton = NoticeParts::closeButton(this, QStringLiteral("閉じる"));

    auto *pictures = new QHBoxLayout;
    pictures->addStretch();
    for (QLabel *picture : {Image1, Image2, Image3})
        pictures->addWidget(picture, 0, Qt::AlignBottom);
    pictures->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setContentsMargins(32, 20, 32, 16);
    layout->setSpacing(18);
    layout->addLayout(pictures);
    layout->addWidget(Label2);
    layout->addLayout(NoticeParts::centredRow({OKButton}));
}
