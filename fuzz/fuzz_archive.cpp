// A learner's data file: any bytes, read and checked into a folder. Whatever
// the reader says, it never writes outside the folder or a file that is not
// the learner's; what it accepts is exactly its manifest's files.
#include <QDirIterator>

#include "fuzzsupport.h"
#include "transfer/archivereader.h"
#include "transfer/learnerfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString output = FuzzSupport::programFolder() + QStringLiteral("/archive-output");
    QDir(output).removeRecursively();
    QDir().mkpath(output);

    TransferManifest manifest;
    const TransferProblem problem = ArchiveReader::ReadBytes(FuzzSupport::bytes(data, size), output, manifest);
    FuzzSupport::check(problem.ok() || manifest.files.isEmpty(), "a refused file left a manifest");
    FuzzSupport::check(problem.ok() || !problem.englishText().isEmpty(), "a refusal without a reason");

    qint64 total = 0;
    int files = 0;
    QDirIterator it(output, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
    {
        const QString path = QDir(output).relativeFilePath(it.next());
        FuzzSupport::check(LearnerFiles::IsLearnerPath(path), "wrote a file that is not the learner's");
        FuzzSupport::check(!it.fileInfo().isSymLink(), "wrote a symbolic link");
        if (!problem.ok())
            continue;
        const TransferManifest::File *file = manifest.find(path);
        FuzzSupport::check(file && file->size == it.fileInfo().size(), "wrote a file other than the manifest's");
        total += it.fileInfo().size();
        ++files;
    }
    if (problem.ok())
        FuzzSupport::check(files == manifest.files.size() && total == manifest.totalSize(),
                           "accepted without every file of the manifest");
    return 0;
}
