#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

#include "core/common.h"
#include "core/message.h"
#include "core/programfolder.h"

// What every harness needs: one program folder for the whole run, with every
// folder of an installation, and messages swallowed instead of shown.
namespace FuzzSupport
{
    inline QString programFolder()
    {
        static QTemporaryDir dir;
        static const bool ready = [] {
            for (const QString &folder :
                 {ProgramFolder::IniDir, ProgramFolder::UserIniDir, ProgramFolder::StandardWordDir,
                  ProgramFolder::UserWordDir, ProgramFolder::StandardRecordDir, ProgramFolder::UserRecordDir})
                QDir(dir.path()).mkpath(folder);
            ProgramFolder::setPath(dir.path());
            Message::setHandler([](const QString &) {});
            return true;
        }();
        Q_UNUSED(ready);
        return dir.path();
    }

    inline QByteArray bytes(const uint8_t *data, size_t size)
    {
        return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    }

    inline void writeFile(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    inline QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Stops the run with the input saved by libFuzzer: a broken invariant is a
    // finding like a crash.
    [[noreturn]] inline void fail(const char *what)
    {
        fprintf(stderr, "invariant broken: %s\n", what);
        abort();
    }

    inline void check(bool condition, const char *what)
    {
        if (!condition)
            fail(what);
    }
}
