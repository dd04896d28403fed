#include "recordrestore.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/common.h"
#include "core/message.h"
#include "core/settings.h"
#include "history/historybackups.h"
#include "history/historystore.h"
#include "recordbackups.h"
#include "recordsstore.h"

static_assert(HistoryBackups::KeptDays == RecordBackups::KeptDays, "a day's records and history go back together");

namespace
{
    const QString DateFormat = QStringLiteral("yyyy/MM/dd HH:mm");
    enum Role
    {
        PathRole = Qt::UserRole,
        HistoryPathRole, // the history copy of the same day, "" when none
    };

    QTableWidgetItem *cell(const QString &text, const QString &path)
    {
        auto *item = new QTableWidgetItem(text);
        item->setData(PathRole, path);
        item->setTextAlignment(Qt::AlignCenter);
        return item;
    }

    QString countText(int count)
    {
        return count < 0 ? QStringLiteral("？") : QString::number(count);
    }

    QTableWidget *newList(QWidget *parent, const QString &name, const QStringList &headers, int rows)
    {
        auto *list = new QTableWidget(rows, int(headers.size()), parent);
        list->setObjectName(name);
        list->setHorizontalHeaderLabels(headers);
        list->verticalHeader()->hide();
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        return list;
    }
}

RecordRestore::RecordRestore(HistoryStore *history, QWidget *owner)
    : QDialog(owner)
    , m_history(history)
{
    setObjectName(QStringLiteral("RecordRestore"));
    setWindowTitle(QStringLiteral("成績を復元"));

    const QList<RecordBackups::Backup> backups = RecordBackups::List(Common::RecordDataPath());
    hint = new QLabel(this);
    hint->setObjectName(QStringLiteral("hint"));
    hint->setWordWrap(true);
    hint->setText(backups.isEmpty()
                      ? QStringLiteral("%1 のバックアップはまだありません。\nバックアップは成績を保存する日ごとに作られ、%2日分残ります。")
                            .arg(Common::BankDescription().trimmed())
                            .arg(RecordBackups::KeptDays)
                      : QStringLiteral("%1 の成績を、選んだバックアップの時点に戻します。\n今の成績もバックアップとして残ります。")
                            .arg(Common::BankDescription().trimmed()));

    backupList = newList(this, QStringLiteral("backupList"),
                         {QStringLiteral("日付"), QStringLiteral("LEVEL"), QStringLiteral("最高LEVEL"),
                          QStringLiteral("学習履歴")},
                         int(backups.size()));
    for (int row = 0; row < backups.size(); ++row)
    {
        const RecordBackups::Backup &backup = backups[row];
        const auto sameDay = m_history ? HistoryBackups::OfDay(m_history->path(), backup.made.date()) : std::nullopt;
        backupList->setItem(row, 0, cell(backup.made.toString(DateFormat), backup.path));
        backupList->item(row, 0)->setData(HistoryPathRole, sameDay ? sameDay->path : QString());
        backupList->setItem(row, 1, cell(countText(backup.level), backup.path));
        backupList->setItem(row, 2, cell(countText(backup.highestLevel), backup.path));
        backupList->setItem(row, 3, cell(sameDay ? QStringLiteral("あり") : QStringLiteral("－"), backup.path));
    }
    withHistory = new QCheckBox(QStringLiteral("この日の学習履歴も戻す(&H)"), this);
    withHistory->setObjectName(QStringLiteral("withHistory"));
    withHistory->setVisible(m_history);
    connect(backupList, &QTableWidget::itemSelectionChanged, this, &RecordRestore::followChosenRecords);
    if (!backups.isEmpty())
        backupList->selectRow(0);
    followChosenRecords();

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
    layout->addWidget(backupList, 1);
    layout->addWidget(withHistory);
    layout->addWidget(buildHistoryList(), 1);
    layout->addLayout(buttons);
    // Sizes follow the font, so the dialog reads the same at any scale.
    resize(QSize(28, 26) * fontMetrics().height());
}

QWidget *RecordRestore::buildHistoryList()
{
    auto *box = new QWidget(this);
    const QList<HistoryBackups::Backup> copies = m_history ? HistoryBackups::List(m_history->path())
                                                            : QList<HistoryBackups::Backup>();
    auto *heading = new QLabel(QStringLiteral("学習履歴だけを戻すときは、こちらから選びます（成績は変わりません）。"), box);
    heading->setWordWrap(true);
    historyList = newList(box, QStringLiteral("historyList"), {QStringLiteral("日付"), QStringLiteral("テスト回数")},
                          int(copies.size()));
    for (int row = 0; row < copies.size(); ++row)
    {
        historyList->setItem(row, 0, cell(copies[row].made.toString(DateFormat), copies[row].path));
        historyList->setItem(row, 1, cell(countText(copies[row].tests), copies[row].path));
    }
    if (!copies.isEmpty())
        historyList->selectRow(0);
    historyButton = new QPushButton(QStringLiteral("学習履歴だけ復元(&L)"), box);
    historyButton->setObjectName(QStringLiteral("historyButton"));
    historyButton->setEnabled(!copies.isEmpty());
    connect(historyButton, &QPushButton::clicked, this, &RecordRestore::restoreHistoryChosen);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(historyList, 1);
    layout->addWidget(historyButton, 0, Qt::AlignLeft);
    box->setVisible(m_history);
    return box;
}

void RecordRestore::followChosenRecords()
{
    const QTableWidgetItem *chosen = backupList->item(backupList->currentRow(), 0);
    const bool sameDay = chosen && !chosen->data(HistoryPathRole).toString().isEmpty();
    withHistory->setEnabled(sameDay);
    if (!sameDay)
        withHistory->setChecked(false);
}

void RecordRestore::restoreChosen()
{
    const int row = backupList->currentRow();
    const QTableWidgetItem *chosen = backupList->item(row, 0);
    if (!chosen)
        return;
    const QString historyCopy = withHistory->isChecked() ? chosen->data(HistoryPathRole).toString() : QString();
    QString question = QStringLiteral("%1 の成績を、%2 のバックアップ（LEVEL %3）に戻しますか？\n"
                                      "今の成績（LEVEL %4）も、バックアップとして残ります。")
                           .arg(Common::BankDescription().trimmed(), chosen->text(), backupList->item(row, 1)->text())
                           .arg(Common::CurrentLevel);
    if (!historyCopy.isEmpty())
        question += QStringLiteral("\n学習履歴も同じ日のバックアップに戻します。今の学習履歴もバックアップとして残ります。");
    if (!Message::ask(question) || !Common::RestoreRecords(chosen->data(PathRole).toString()))
        return;
    QString done = QStringLiteral("成績を %1 の時点に戻しました。今の LEVEL は %2 です。").arg(chosen->text()).arg(Common::CurrentLevel);
    if (!historyCopy.isEmpty())
    {
        const QString failed = putHistoryBack(historyCopy);
        done += failed.isEmpty() ? QStringLiteral("\n学習履歴も同じ日の時点に戻しました。")
                                 : QStringLiteral("\nただし、学習履歴は戻せませんでした。\n") + failed;
    }
    Message::show(done);
    accept();
}

void RecordRestore::restoreHistoryChosen()
{
    const int row = historyList->currentRow();
    const QTableWidgetItem *chosen = historyList->item(row, 0);
    if (!chosen || !m_history)
        return;
    if (!Message::ask(QStringLiteral("学習履歴を %1 のバックアップ（テスト %2回）に戻しますか？\n"
                                     "今の学習履歴もバックアップとして残ります。成績（LEVEL）は変わりません。")
                          .arg(chosen->text(), historyList->item(row, 1)->text())))
        return;
    const QString failed = putHistoryBack(chosen->data(PathRole).toString());
    if (!failed.isEmpty())
    {
        Message::show(QStringLiteral("学習履歴を戻せませんでした。今の学習履歴はそのままです。\n") + failed);
        return;
    }
    Message::show(QStringLiteral("学習履歴を %1 の時点に戻しました（テスト %2回）。")
                      .arg(chosen->text(), historyList->item(row, 1)->text()));
    accept();
}

QString RecordRestore::putHistoryBack(const QString &path)
{
    // Read aside first: keeping today's history may prune the oldest copy, which may be this one.
    const QTemporaryDir aside;
    const QString copy = aside.filePath(QStringLiteral("history.sqlite3"));
    if (!aside.isValid() || !QFile::copy(path, copy))
        return QStringLiteral("バックアップを読めませんでした。\n") + QDir::toNativeSeparators(path);
    QString error;
    if (!HistoryBackups::Keep(*m_history, Clock::currentDateTime(), &error))
        return QStringLiteral("今の学習履歴のバックアップを作れないため、戻しませんでした。\n") + error;
    if (!m_history->restoreFrom(copy, &error))
        return error;
    return {};
}
