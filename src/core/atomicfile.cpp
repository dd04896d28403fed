#include "atomicfile.h"

#include <QSaveFile>

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QString *errorText)
{
    QSaveFile file(path);
    // Unbuffered: with a buffer, Qt 6.4 can commit a file that a full disk cut
    // short as if it were whole; a short write here stops before the commit.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    {
        if (file.write(bytes) == bytes.size() && file.commit())
            return true;
    }
    if (errorText)
        *errorText = file.errorString().isEmpty() ? QStringLiteral("書き込みが途中で止まりました（ディスクの空きが無い可能性があります）")
                                                   : file.errorString();
    return false;
}
