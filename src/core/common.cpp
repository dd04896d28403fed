#include "common.h"

void Common::ResetState()
{
    TimeLimitChallenge = 0;
    TimeLimitStudy = 0;
    QuestionsPerLevel = 0;
    PassPoint = 0;
    HighLevelPassPoint = 0;
    LevelCount = 0;
    ForcedReview.clear();
    CurrentTimeLimit = 0;

    QuestionCount = 0;
    QuestionBank.clear();

    CurrentLevel = 0;
    FailCount = 0;
    RecordSpare.clear();
    HighestLevel = 0;
    CertificateName.clear();
    CertificateDate = QDate();
    LevelRecords.clear();

    TestMode = TestKind::Preview;
    TestLevel = 0;
    TestQuestionIndex = 0;
    TestCorrectCount = 0;
    TestQuestionNumbers.fill(QString());
    TestMarks.fill(QString());
}

bool Common::IsDigitsOnly(const QString &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
