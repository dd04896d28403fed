// A user bank and its settings file edited by hand: any bytes, the settings
// before the first NUL and the bank after it. Loading ends with a bank, test
// parameters and records the rest of the program can work with.
#include "bank/questions.h"
#include "core/settings.h"
#include "fuzzsupport.h"
#include "records/recordsstore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = FuzzSupport::programFolder();
    const QByteArray input = FuzzSupport::bytes(data, size);
    const qsizetype split = input.indexOf('\0');
    const QByteArray settings = split < 0 ? QByteArray() : input.left(split);
    const QByteArray bank = split < 0 ? input : input.mid(split + 1);

    FuzzSupport::writeFile(Common::CommonIniPath(), "[SYUTUDAI]\r\nTEXTKIND=USER\r\nTEXTNAME=fuzz\r\n");
    FuzzSupport::writeFile(Common::UserTextIniPath(), settings);
    FuzzSupport::writeFile(Common::UserQuestionPath(), bank);
    QFile::remove(Common::RecordDataPath());

    Common::ResetState();
    Common::LoadQuestions();
    FuzzSupport::check(Common::QuestionCount == Common::QuestionBank.size(), "QuestionCount does not match the bank");
    FuzzSupport::check(Common::QuestionCount <= Common::MaxQuestionCount, "too many questions");
    FuzzSupport::check(Common::QuestionCount <= bank.size() / 3 + 1, "more questions than lines");

    Common::LoadTestSettings();
    FuzzSupport::check(Common::QuestionsPerLevel > 0, "no questions per LEVEL");
    FuzzSupport::check(Common::LevelCount >= 0 && Common::LevelCount * Common::QuestionsPerLevel <= Common::QuestionCount,
                       "more LEVELs than questions");
    FuzzSupport::check(Common::TimeLimitChallenge > 0 && Common::TimeLimitStudy > 0, "no time for a test");
    FuzzSupport::check(Common::PassPoint >= 0 && Common::PassPoint <= 100, "a pass mark out of range");

    Common::LoadRecords();
    FuzzSupport::check(Common::LevelRecords.size() == Common::LevelCount + 1, "rows do not match LevelCount");
    return 0;
}
