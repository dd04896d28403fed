#include "versioninfo.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "clicklabel.h"
#include "core/programfolder.h"
#include "readme.h"

namespace
{
    constexpr int VersionMajor = 1;
    constexpr int VersionMinor = 0;
    constexpr int VersionRevision = 6;

    QLabel *namedLabel(const char *name, const QString &text)
    {
        auto *label = new QLabel(text);
        label->setObjectName(QLatin1String(name));
        return label;
    }
}

VersionInfo::VersionInfo(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("VersionInfo"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));

    Label1 = namedLabel("Label1", QStringLiteral("Vocamira V%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    QFont title = Label1->font();
    title.setPointSizeF(title.pointSizeF() * 1.5);
    title.setBold(true);
    Label1->setFont(title);
    Label2 = namedLabel("Label2", QString());
    Label3 = namedLabel("Label3", QStringLiteral("作者ホームページはこちら"));
    // The program has no home page of its own: the link opens its read-me,
    // and says so, rather than presenting anyone else as its maker.
    Label4 = new ClickLabel;
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setText(QDir::toNativeSeparators(ProgramFolder::filePath(ProgramFolder::ReadMeFile)));
    Label4->setToolTip(QStringLiteral("このプログラムの説明書（readme.txt）を開きます"));
    // Drawn as a link, since clicking it opens the read-me, in the theme's
    // own link colour, which stays legible on a dark ground too.
    QPalette link = Label4->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    Label4->setPalette(link);
    QFont underlined = Label4->font();
    underlined.setUnderline(true);
    Label4->setFont(underlined);
    connect(Label4, &ClickLabel::clicked, this, &VersionInfo::Label4_Click);

    // The dictionaries of the word-list editor and of the standard bank.
    dictionaryLicences = namedLabel("dictionaryLicences",
                                    QStringLiteral("辞書とライセンス:\n"
                                                   "・標準問題と意味の候補: EDICT, KANJIDIC（EDRDG, CC BY-SA 3.0）\n"
                                                   "・読み: MeCab（BSD / GPL / LGPL）と IPA 辞書（NAIST, BSD 形式）\n"
                                                   "・綴り: Hunspell（MPL 1.1 / GPL / LGPL）と SCOWL の英語辞書（BSD 形式）"));
    dictionaryLicences->setTextFormat(Qt::PlainText);

    OKButton = new QPushButton(QStringLiteral("閉じる"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    connect(OKButton, &QPushButton::clicked, this, &VersionInfo::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    for (QLabel *label : {Label1, Label2, Label3, static_cast<QLabel *>(Label4), dictionaryLicences})
        layout->addWidget(label);
    layout->addLayout(buttons);
}

void VersionInfo::Label4_Click()
{
    OpenReadMe(this);
}
