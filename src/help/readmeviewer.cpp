#include "readmeviewer.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "core/cp932.h"

namespace
{
    constexpr int Columns = 90;
    constexpr int Lines = 36;

    // The shipped read-me is UTF-8; one saved by an older editor may be in
    // code page 932.
    QString readText(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("ReadMeファイルを読めませんでした。\n%1").arg(QDir::toNativeSeparators(path));
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        return utf8.hasError() ? Cp932::decode(bytes) : text;
    }

    // The read-me lines its columns up with blanks, so it needs a face whose
    // kana are exactly two Latin letters wide.
    QFont fixedFont()
    {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"), font.family()});
        return font;
    }
}

ReadMeViewer::ReadMeViewer(const QString &path, QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("ReadMeViewer"));
    setWindowTitle(QStringLiteral("ReadMe"));

    auto *note = new QLabel(QStringLiteral("テキストエディタが見つからないため、ここに表示しています。"));
    note->setObjectName(QStringLiteral("Note"));
    Text = new QPlainTextEdit;
    Text->setObjectName(QStringLiteral("Text"));
    Text->setReadOnly(true);
    Text->setFont(fixedFont());
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setPlainText(readText(path));
    const QFontMetrics metrics(Text->font());
    Text->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('0')) * 20, metrics.lineSpacing() * 5);

    OKButton = new QPushButton(QStringLiteral("閉じる"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(Text, 1);
    layout->addLayout(buttons);

    // Room for the read-me's lines, within the screen the window opens on.
    QSize wanted(metrics.horizontalAdvance(QLatin1Char('0')) * Columns, metrics.lineSpacing() * Lines);
    if (const QScreen *screen = owner ? owner->screen() : this->screen())
        wanted = wanted.boundedTo(screen->availableSize() * 0.8);
    resize(wanted);
}

ReadMeViewer *ReadMeViewer::showFile(const QString &path, QWidget *owner)
{
    auto *viewer = new ReadMeViewer(path, owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->show();
    return viewer;
}
