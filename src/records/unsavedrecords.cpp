#include "unsavedrecords.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "bank/gsxseq.h"
#include "core/message.h"
#include "gui_shared/modal.h"
#include "recordlinereader.h"
#include "recordsstore.h"

namespace
{
    // The LEVEL of a records text form, or -1 when its header does not read.
    int levelOf(const QStringList &lines)
    {
        int level = -1;
        if (lines.isEmpty() || !RecordLineReader(lines.first()).readInt(level))
            return -1;
        return level;
    }

    // The LEVEL the next start will show: that of the file as it is.
    QString levelOnDisk(const QString &path)
    {
        QStringList lines;
        switch (GsxSeq::ReadContainerFile(path, lines))
        {
        case GsxSeq::FileResult::Missing:
            return QStringLiteral("0");
        case GsxSeq::FileResult::Complete:
            if (const int level = levelOf(lines); level >= 0)
                return QString::number(level);
            break;
        default:
            break;
        }
        return QStringLiteral("？");
    }

    QString describeFiles(const QList<Common::UnsavedRecordFile> &files)
    {
        QStringList parts;
        for (const Common::UnsavedRecordFile &file : files)
        {
            parts.append(QStringLiteral("%1\n（%2）\n今の LEVEL %3 ／ 保存せずに終了すると、次の起動では LEVEL %4")
                             .arg(QDir::toNativeSeparators(file.path), file.error)
                             .arg(levelOf(file.lines))
                             .arg(levelOnDisk(file.path)));
        }
        return parts.join(QStringLiteral("\n\n"));
    }
}

bool UnsavedRecords::settle(QWidget *owner)
{
    if (Common::SaveUnsavedRecords())
        return true;
    UnsavedRecords dialog(owner);
    return Modal::exec(dialog) == QDialog::Accepted;
}

UnsavedRecords::UnsavedRecords(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("UnsavedRecords"));
    setWindowTitle(QStringLiteral("成績が保存されていません"));
    message = new QLabel(this);
    message->setObjectName(QStringLiteral("message"));
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for a path on a line; the width follows the font, so it fits at any scale.
    message->setMinimumWidth(28 * fontMetrics().height());

    retryButton = new QPushButton(QStringLiteral("もう一度保存(&R)"), this);
    retryButton->setObjectName(QStringLiteral("retryButton"));
    elsewhereButton = new QPushButton(QStringLiteral("別の場所に保存(&S)…"), this);
    elsewhereButton->setObjectName(QStringLiteral("elsewhereButton"));
    quitButton = new QPushButton(QStringLiteral("保存せずに終了(&Q)"), this);
    quitButton->setObjectName(QStringLiteral("quitButton"));
    retryButton->setDefault(true);
    connect(retryButton, &QPushButton::clicked, this, &UnsavedRecords::retry);
    connect(elsewhereButton, &QPushButton::clicked, this, &UnsavedRecords::saveElsewhere);
    connect(quitButton, &QPushButton::clicked, this, &UnsavedRecords::quitWithout);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {retryButton, elsewhereButton, quitButton})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(message, 1);
    layout->addLayout(buttons);
    describe();
}

void UnsavedRecords::describe()
{
    message->setText(QStringLiteral("成績ファイルに書き込めないため、成績がまだ保存されていません。\n\n%1\n\n"
                                    "「保存せずに終了」を選ぶと、最後に保存できた後の成績（LEVEL、成績一覧の回数と記録）が失われます。"
                                    "ファイルやフォルダに書き込めるようにしてから「もう一度保存」を押すか、"
                                    "「別の場所に保存」で成績ファイルの控えを残してください。")
                         .arg(describeFiles(Common::UnsavedRecordFiles())));
}

void UnsavedRecords::retry()
{
    if (Common::SaveUnsavedRecords())
    {
        accept();
        return;
    }
    describe();
}

// Each waiting file is saved where the learner chooses, in the records file's
// own format: put back in place of the records file, it is read as it is.
void UnsavedRecords::saveElsewhere()
{
    QStringList saved;
    for (const Common::UnsavedRecordFile &file : Common::UnsavedRecordFiles())
    {
        QFileDialog dialog(this, QStringLiteral("成績を別の場所に保存"));
        dialog.setObjectName(QStringLiteral("UnsavedRecordsFileDialog"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QStringLiteral("成績ファイル (*.dat)"));
        dialog.setDefaultSuffix(QStringLiteral("dat"));
        dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        dialog.selectFile(QFileInfo(file.path).fileName());
        if (Modal::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const QString path = dialog.selectedFiles().constFirst();
        QString error;
        if (!GsxSeq::WriteContainerFile(path, file.lines, &error))
        {
            Message::show(QStringLiteral("成績を保存できませんでした。別の場所を選んでください。\n%1\n%2")
                              .arg(QDir::toNativeSeparators(path), error));
            return;
        }
        saved.append(QStringLiteral("%1\n（使うときは、プログラムを終了してから %2 と置き換えてください）")
                         .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(file.path)));
    }
    Common::ForgetUnsavedRecords();
    Message::show(QStringLiteral("成績を保存しました。\n%1").arg(saved.join(u'\n')));
    accept();
}

void UnsavedRecords::quitWithout()
{
    Common::ForgetUnsavedRecords();
    accept();
}
