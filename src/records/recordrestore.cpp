#include "recordrestore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/settings.h"
#include "recordbackups.h"
#include "recordsstore.h"

namespace
{
    QTableWidgetItem *cell(const QString &text, const QString &path)
    {
        auto *item = new QTableWidgetItem(text);
        item->setData(Qt::UserRole, path);
        item->setTextAlignment(Qt::AlignCenter);
        return item;
    }

    QString levelText(int level)
    {
        return level < 0 ? QStringLiteral("？") : QString::number(level);
    }
}

RecordRestore::RecordRestore(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("RecordRestore"));
    setWindowTitle(QStringLiteral("成績を復元"));

    const QList<RecordBackups::Backup> backups = RecordBackups::List(Common::RecordDataPath());
    hint = new QLabel(this);
    hint->setObjectName(QStringLiteral("hint"));
    hint->setText(backups.isEmpty()
                      ? QStringLiteral("%1 のバックアップはまだありません。\nバックアップは成績を保存する日ごとに作られ、%2日分残ります。")
                            .arg(Common::BankDescription().trimmed())
                            .arg(RecordBackups::KeptDays)
                      : QStringLiteral("%1 の成績を、選んだバックアップの時点に戻します。\n今の成績もバックアップとして残ります。")
                            .arg(Common::BankDescription().trimmed()));

    backupList = new QTableWidget(int(backups.size()), 3, this);
    backupList->setObjectName(QStringLiteral("backupList"));
    backupList->setHorizontalHeaderLabels({QStringLiteral("日付"), QStringLiteral("LEVEL"), QStringLiteral("最高LEVEL")});
    backupList->verticalHeader()->hide();
    backupList->setSelectionBehavior(QAbstractItemView::SelectRows);
    backupList->setSelectionMode(QAbstractItemView::SingleSelection);
    backupList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    backupList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < backups.size(); ++row)
    {
        const RecordBackups::Backup &backup = backups[row];
        backupList->setItem(row, 0, cell(backup.made.toString(QStringLiteral("yyyy/MM/dd HH:mm")), backup.path));
        backupList->setItem(row, 1, cell(levelText(backup.level), backup.path));
        backupList->setItem(row, 2, cell(levelText(backup.highestLevel), backup.path));
    }
    if (!backups.isEmpty())
        backupList->selectRow(0);

    restoreButton = new QPushButton(QStringLiteral("復元(&R)"), this);
    restoreButton->setObjectName(QStringLiteral("restoreButton"));
    restoreButton->setEnabled(!backups.isEmpty());
    cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(restoreButton, &QPushButton::clicked, this, &RecordRestore::restoreChosen);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(backupList, &QTableWidget::cellDoubleClicked, this, &RecordRestore::restoreChosen);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restoreButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(backupList);
    layout->addLayout(buttons);
    resize(460, 360);
}

void RecordRestore::restoreChosen()
{
    const QTableWidgetItem *chosen = backupList->item(backupList->currentRow(), 0);
    if (!chosen)
        return;
    if (Common::RestoreRecords(chosen->data(Qt::UserRole).toString()))
        accept();
}
