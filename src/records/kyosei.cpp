#include "kyosei.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "noticeparts.h"

namespace
{
    QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text)
    {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        return label;
    }
}

Kyosei::Kyosei(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("Kyosei"));
    setWindowTitle(QStringLiteral("Vocamira"));

    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("『レベル上げ挑戦！』もいいけど，ときどき復習もしなくちゃっ！"));
    Label2 = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("『強制復習モード』"));
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("に突入～！！"));
    Label4 = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("あっ，ちなみに合格しないとレベル下がりますんで・・・　"));
    Label5 = makeLabel(this, QStringLiteral("Label5"), QStringLiteral("というわけで・・・・"));
    Label6 = makeLabel(this, QStringLiteral("Label6"), QStringLiteral("がんばってね～　ヾ(^_^) "));

    // The name of the mode is what the learner must not miss.
    NoticeParts::emphasise(Label2, 1.6);
    QPalette palette = Label2->palette();
    palette.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    Label2->setPalette(palette);

    OKButton = NoticeParts::closeButton(this, QStringLiteral("OK以外に道は無いのだ"));

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(Label1);
    layout->addLayout(NoticeParts::centredRow({Label2, Label3}));
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    layout->addWidget(Label6);
    layout->addLayout(NoticeParts::centredRow({OKButton}));
}
