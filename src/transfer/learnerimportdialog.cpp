#include "learnerimportdialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/programfolder.h"

namespace
{
    using Side = TransferComparison::Side;

    // Each side takes three columns: LEVEL, tests, last test.
    constexpr int SideColumns = 3;

    QTableWidgetItem *cell(const QString &text)
    {
        auto *item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignCenter);
        return item;
    }
}

LearnerImportDialog::LearnerImportDialog(const QString &zipPath, const TransferComparison &comparison, QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("LearnerImportDialog"));
    setWindowTitle(QStringLiteral("学習データの読み込み"));

    hint = new QLabel(this);
    hint->setObjectName(QStringLiteral("hint"));
    hint->setTextFormat(Qt::PlainText);
    hint->setText(QStringLiteral("%1\n%2 に書き出された学習データです（Vocamira %3）。今のデータと比べてください。")
                      .arg(QDir::toNativeSeparators(zipPath),
                           comparison.fileCreated.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
                           comparison.fileProgramVersion));

    comparisonTable = new QTableWidget(this);
    comparisonTable->setObjectName(QStringLiteral("comparisonTable"));
    fillTable(comparison);

    warning = new QLabel(this);
    warning->setObjectName(QStringLiteral("warning"));
    warning->setTextFormat(Qt::PlainText);
    warning->setWordWrap(true);
    warning->setText(QStringLiteral("読み込むと、今の成績・学習履歴・設定・ユーザーテキストはすべてファイルの内容に置き換わります。"
                                    "今のデータは先に %1 に書き出すので、そのファイルを読み込めば元に戻せます。")
                         .arg(QDir::toNativeSeparators(ProgramFolder::BackupRecordDir + u'/')));

    importButton = new QPushButton(QStringLiteral("読み込む(&I)"), this);
    importButton->setObjectName(QStringLiteral("importButton"));
    cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    // Replacing everything is never what Enter alone does.
    cancelButton->setDefault(true);
    connect(importButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(importButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(comparisonTable);
    layout->addWidget(warning);
    layout->addLayout(buttons);
    resize(760, 360);
}

void LearnerImportDialog::fillTable(const TransferComparison &comparison)
{
    comparisonTable->setColumnCount(1 + 2 * SideColumns);
    comparisonTable->setHorizontalHeaderLabels({QStringLiteral("問題集"),
                                                QStringLiteral("今: LEVEL"), QStringLiteral("今: テスト"), QStringLiteral("今: 最終テスト日"),
                                                QStringLiteral("ファイル: LEVEL"), QStringLiteral("ファイル: テスト"),
                                                QStringLiteral("ファイル: 最終テスト日")});
    comparisonTable->verticalHeader()->hide();
    comparisonTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    comparisonTable->setSelectionMode(QAbstractItemView::NoSelection);
    comparisonTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    comparisonTable->horizontalHeader()->setStretchLastSection(true);

    const auto addRow = [this](const QString &caption, const Side &here, const Side &file, bool levels) {
        const int row = comparisonTable->rowCount();
        comparisonTable->insertRow(row);
        comparisonTable->setItem(row, 0, new QTableWidgetItem(caption));
        int column = 1;
        for (const Side *side : {&here, &file})
        {
            comparisonTable->setItem(row, column++, cell(levels ? TransferComparison::LevelText(*side) : QString()));
            comparisonTable->setItem(row, column++, cell(TransferComparison::TestsText(*side)));
            comparisonTable->setItem(row, column++, cell(TransferComparison::LastTestText(*side)));
        }
    };
    for (const TransferComparison::Row &row : comparison.rows)
        addRow(TransferComparison::BankCaption(row), row.here, row.file, true);
    addRow(QStringLiteral("学習履歴の全体"), comparison.hereTotal, comparison.fileTotal, false);
}
