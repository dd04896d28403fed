// The records text form: any lines, each field read as any type, then the
// lines as a records file. Whatever loads must save and load back unchanged.
#include "core/common.h"
#include "fuzzsupport.h"
#include "records/recordlinereader.h"
#include "records/recordsstore.h"
#include "bank/gsxseq.h"

namespace
{
    struct Snapshot
    {
        int currentLevel = 0;
        int failCount = 0;
        int highestLevel = 0;
        QString spare;
        QString name;
        QDate date;
        QList<Common::LevelRecord> rows;

        friend bool operator==(const Snapshot &, const Snapshot &) = default;
    };

    Snapshot snapshot()
    {
        return {Common::CurrentLevel,    Common::FailCount,       Common::HighestLevel, Common::RecordSpare,
                Common::CertificateName, Common::CertificateDate, Common::LevelRecords};
    }

    // Reads fields of the types the selector bytes name until one fails.
    void readFields(const QString &line, QByteArrayView selectors)
    {
        RecordLineReader reader(line);
        for (char selector : selectors)
        {
            int i = 0;
            double d = 0;
            QString s;
            QDate date;
            bool ok = false;
            switch (static_cast<quint8>(selector) % 4)
            {
            case 0: ok = reader.readInt(i); break;
            case 1: ok = reader.readDouble(d); break;
            case 2: ok = reader.readString(s); break;
            default: ok = reader.readDate(date); break;
            }
            if (!ok)
                return;
        }
    }

    // Loads, and returns whether the load told the learner of damage.
    bool load(int &messages)
    {
        const int before = messages;
        Common::LoadRecords();
        FuzzSupport::check(Common::LevelRecords.size() == Common::LevelCount + 1, "rows do not match LevelCount");
        FuzzSupport::check(0 <= Common::CurrentLevel && Common::CurrentLevel <= Common::HighestLevel
                               && Common::HighestLevel <= Common::LevelCount,
                           "LEVELs out of range");
        return messages != before;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = FuzzSupport::programFolder();
    if (size < 2)
        return 0;
    static int messages = 0;
    Message::setHandler([](const QString &) { ++messages; });

    const QByteArrayView selectors(reinterpret_cast<const char *>(data), 1);
    const QByteArray text = FuzzSupport::bytes(data + 1, size - 1);
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (const QString &line : lines)
        readFields(line, selectors);

    Common::ResetState();
    Common::LevelCount = data[0] % 120;
    const QString path = Common::RecordDataPath();
    QFile::remove(path);
    for (const QString &stale : QDir(QFileInfo(path).path()).entryList({QStringLiteral("*.damaged*")}))
        QFile::remove(QFileInfo(path).path() + u'/' + stale);
    FuzzSupport::check(GsxSeq::WriteContainerFile(path, lines), "the records could not be written");

    load(messages);
    FuzzSupport::check(Common::SaveRecords(), "the records could not be saved");
    FuzzSupport::check(!load(messages), "saved records do not load back");
    const Snapshot saved = snapshot();
    FuzzSupport::check(Common::SaveRecords(), "the records could not be saved again");
    FuzzSupport::check(!load(messages), "saved records do not load back the second time");
    FuzzSupport::check(snapshot() == saved, "records changed in a save and load");
    return 0;
}
