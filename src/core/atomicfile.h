#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file the learner cares about in one step: the bytes go to a
// temporary file beside it, which takes the old file's place only when every
// byte is on disk. A failure leaves the old file as it was.
namespace AtomicFile
{
    bool write(const QString &path, const QByteArray &bytes, QString *errorText = nullptr);
}
