#include "historyscope.h"

#include <QCheckBox>
#include <QLabel>

#include "historystore.h"

HistoryScope::HistoryScope(QWidget *parent)
    : m_showAll(new QCheckBox(QStringLiteral("すべての問題集と方向を表示(&A)"), parent))
    , m_problem(new QLabel(parent))
{
    m_showAll->setObjectName(QStringLiteral("showAll"));
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #FF0000;"));
    m_problem->hide();
}

bool HistoryScope::all() const
{
    return m_showAll->isChecked();
}

void HistoryScope::showProblem(const HistoryStore &store)
{
    m_problem->setText(store.problemText());
    m_problem->setVisible(store.problem() != HistoryStore::Problem::None);
}
