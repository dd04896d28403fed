// The scrambled container reader over any file: every read ends, the
// standard bank keeps every whole question before the damage, and what was
// read is written back and read again whole.
#include "bank/gsxseq.h"
#include "bank/questions.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::programFolder();
    const QString path = Common::StandardQuestionPath();
    FuzzSupport::writeFile(path, FuzzSupport::bytes(data, size));

    GsxSeq::ReadHandle file;
    QStringList strings;
    if (GsxSeq::OpenContainer(path, file) == GsxSeq::OpenOk)
    {
        // Every string read takes at least its tag byte, so the reading ends.
        for (size_t reads = 0;; ++reads)
        {
            FuzzSupport::check(reads <= size, "the reader does not end");
            QString text;
            const int result = GsxSeq::ReadContainerString(file, text);
            if (result != GsxSeq::ReadString)
                break;
            strings.append(text);
        }
    }

    QStringList whole;
    const GsxSeq::FileResult result = GsxSeq::ReadContainerFile(path, whole);
    FuzzSupport::check(whole == strings, "the whole-file reader disagrees with the reader");

    Common::LoadStandardQuestions();
    FuzzSupport::check(Common::QuestionCount == Common::QuestionBank.size(), "QuestionCount does not match the bank");
    FuzzSupport::check(Common::QuestionCount == std::min<qsizetype>(strings.size() / 3, Common::MaxQuestionCount),
                       "the bank lost or made up questions");
    if (result != GsxSeq::FileResult::Complete)
        return 0;

    FuzzSupport::check(GsxSeq::WriteContainerFile(path, strings), "a container could not be written");
    QStringList again;
    FuzzSupport::check(GsxSeq::ReadContainerFile(path, again) == GsxSeq::FileResult::Complete,
                       "a written container does not read back whole");
    FuzzSupport::check(again.size() == strings.size(), "a written container lost strings");
    return 0;
}
