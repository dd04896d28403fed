#include <QTest>

#include <clocale>

#include "switchsupport.h"
#include "testsupport.h"
#include "transfer/archivereader.h"
#include "transfer/learnerfiles.h"
#include "transfer/learnerimport.h"
#include "transfer/transfermanifest.h"
#include "transfersupport.h"

using namespace TransferSupport;
using Kind = TransferProblem::Kind;

Q_DECLARE_METATYPE(TransferProblem::Kind)

namespace
{
    const QList<ZipEntry> &studyFiles()
    {
        static const QList<ZipEntry> files {
            {"ini/tst.ini", "[SYUTUDAI]\r\nTEXTKIND=USER\r\nTEXTNAME=\x8b\x8d\r\n"},
            {"ini/ユーザーテキスト/旅行E.ini", "[SYUTUDAI]\r\nNUMBERLEVEL=10\r\n"},
            {"word/ユーザーテキスト/旅行.txt", "go\r\n行く\r\nいく\r\n"},
            {"seiseki/標準テキスト/data1.dat", records(3, 5)},
            {"seiseki/ユーザーテキスト/旅行E.dat", records(1, 1)},
        };
        return files;
    }

    // The study's files with their manifest first, after `change` had its way with both.
    QByteArray studyZip(const std::function<void(QList<ZipEntry> &, TransferManifest &)> &change = {},
                        const char *options = nullptr)
    {
        QList<ZipEntry> files = studyFiles();
        TransferManifest manifest = manifestOf(files);
        if (change)
            change(files, manifest);
        return zipOf(QList<ZipEntry> {manifestEntry(manifest)} + files, options);
    }

    QByteArray manifestJson(const std::function<void(QJsonObject &)> &change)
    {
        QJsonObject root = QJsonDocument::fromJson(manifestOf(studyFiles()).toJson()).object();
        change(root);
        return QJsonDocument(root).toJson();
    }

    QJsonObject withFiles(QJsonObject root, const std::function<void(QJsonArray &)> &change)
    {
        QJsonArray files = root.value(QStringLiteral("files")).toArray();
        change(files);
        root.insert(QStringLiteral("files"), files);
        return root;
    }
}

class TestTransferArchive : public QObject
{
    Q_OBJECT

private slots:
    void learnerPaths_data();
    void learnerPaths();
    void manifestCheck_data();
    void manifestCheck();
    void badInput_data();
    void badInput();
    void goodZipReadsWhole();
};

void TestTransferArchive::learnerPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("learner");
    QTest::addColumn<QString>("records"); // kind/name/direction, "" when not records

    QTest::newRow("settings") << "ini/tst.ini" << true << "";
    QTest::newRow("user bank settings") << "ini/ユーザーテキスト/旅行E.ini" << true << "";
    QTest::newRow("standard 和訳") << "seiseki/標準テキスト/data1.dat" << true << "STANDARD//和訳";
    QTest::newRow("standard 英訳") << "seiseki/標準テキスト/data1E.dat" << true << "STANDARD//英訳";
    QTest::newRow("a copy beside the records") << "seiseki/標準テキスト/data1.dat.damaged" << true << "";
    QTest::newRow("user bank 英訳") << "seiseki/ユーザーテキスト/旅行E.dat" << true << "USER/旅行/英訳";
    QTest::newRow("user bank ending in E") << "seiseki/ユーザーテキスト/TOEFLE.dat" << true << "USER/TOEFLE/和訳";
    QTest::newRow("history") << "seiseki/history.sqlite3" << true << "";
    QTest::newRow("history log") << "seiseki/history.sqlite3-wal" << false << "";
    QTest::newRow("shipped bank") << "word/標準テキスト/data2.dat" << false << "";
    QTest::newRow("backup") << "seiseki/backup/標準テキスト/data1_2025-01-01_000000.dat" << false << "";
    QTest::newRow("folder's own name") << "ini/ユーザーテキスト" << false << "";
    QTest::newRow("hidden") << "ini/.tst.ini" << false << "";
    QTest::newRow("parent") << "ini/../ini/tst.ini" << false << "";
    QTest::newRow("absolute") << "/ini/tst.ini" << false << "";
    QTest::newRow("backslash") << "ini/..\\..\\tst.ini" << false << "";
    QTest::newRow("below a learner's folder") << "ini/a/tst.ini" << false << "";
}

void TestTransferArchive::learnerPaths()
{
    QFETCH(QString, path);
    QFETCH(bool, learner);
    QFETCH(QString, records);
    QCOMPARE(LearnerFiles::IsLearnerPath(path), learner);
    const auto described = LearnerFiles::DescribeRecords(path, {QStringLiteral("旅行")});
    const QString seen = described ? QStringLiteral("%1/%2/%3").arg(described->user ? "USER" : "STANDARD", described->bankName,
                                                                   described->english ? "英訳" : "和訳")
                                   : QString();
    QCOMPARE(seen, records);
}

void TestTransferArchive::manifestCheck_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<Kind>("kind");

    QTest::newRow("as written") << manifestOf(studyFiles()).toJson() << Kind::None;
    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << Kind::Damaged;
    QTest::newRow("an array") << QByteArray("[]") << Kind::Damaged;
    QTest::newRow("another program's") << manifestJson([](QJsonObject &o) { o.insert(QStringLiteral("format"), QStringLiteral("photo-album")); }) << Kind::Foreign;
    QTest::newRow("newer version") << manifestJson([](QJsonObject &o) {
        o.insert(QStringLiteral("formatVersion"), TransferManifest::FormatVersion + 1);
        o.remove(QStringLiteral("files")); // a newer version may lay out anything else differently
    }) << Kind::NewerFormat;
    QTest::newRow("version 0") << manifestJson([](QJsonObject &o) { o.insert(QStringLiteral("formatVersion"), 0); }) << Kind::Damaged;
    QTest::newRow("version as text") << manifestJson([](QJsonObject &o) { o.insert(QStringLiteral("formatVersion"), QStringLiteral("1")); }) << Kind::Damaged;
    QTest::newRow("no date") << manifestJson([](QJsonObject &o) { o.remove(QStringLiteral("created")); }) << Kind::Damaged;
    QTest::newRow("no files") << manifestJson([](QJsonObject &o) { o.remove(QStringLiteral("files")); }) << Kind::Damaged;
    QTest::newRow("size as text") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) { QJsonObject x = f[0].toObject(); x.insert(QStringLiteral("size"), QStringLiteral("12")); f[0] = x; });
    }) << Kind::Damaged;
    QTest::newRow("negative size") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) { QJsonObject x = f[0].toObject(); x.insert(QStringLiteral("size"), -1); f[0] = x; });
    }) << Kind::Damaged;
    QTest::newRow("fractional size") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) { QJsonObject x = f[0].toObject(); x.insert(QStringLiteral("size"), 1.5); f[0] = x; });
    }) << Kind::Damaged;
    QTest::newRow("short checksum") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) { QJsonObject x = f[0].toObject(); x.insert(QStringLiteral("sha256"), QStringLiteral("abc")); f[0] = x; });
    }) << Kind::Damaged;
    QTest::newRow("upper-case checksum") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) {
            QJsonObject x = f[0].toObject();
            x.insert(QStringLiteral("sha256"), x.value(QStringLiteral("sha256")).toString().toUpper());
            f[0] = x;
        });
    }) << Kind::Damaged;
    QTest::newRow("a path out of the folder") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) { QJsonObject x = f[0].toObject(); x.insert(QStringLiteral("path"), QStringLiteral("ini/../../.bashrc")); f[0] = x; });
    }) << Kind::UnsafePath;
    QTest::newRow("a file named twice") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) { f.append(f[0]); });
    }) << Kind::Duplicate;
    QTest::newRow("over a gigabyte in all") << manifestJson([](QJsonObject &o) {
        o = withFiles(o, [](QJsonArray &f) {
            for (int i = 0; i < 2; ++i)
            {
                QJsonObject x = f[i].toObject();
                x.insert(QStringLiteral("size"), double(600 << 20));
                f[i] = x;
            }
        });
    }) << Kind::TooLarge;
    QTest::newRow("records of no file") << manifestJson([](QJsonObject &o) {
        o.insert(QStringLiteral("records"), QJsonArray {QJsonObject {{QStringLiteral("path"), QStringLiteral("seiseki/標準テキスト/data1E.dat")}, {QStringLiteral("bankKind"), QStringLiteral("STANDARD")},
                                                     {QStringLiteral("bankName"), QStringLiteral("")}, {QStringLiteral("direction"), QStringLiteral("英訳")}, {QStringLiteral("level"), 1}, {QStringLiteral("highestLevel"), 1}}});
    }) << Kind::Damaged;
}

void TestTransferArchive::manifestCheck()
{
    QFETCH(QByteArray, json);
    QFETCH(Kind, kind);
    TransferManifest manifest;
    QCOMPARE(TransferManifest::parse(json, ArchiveLimits().totalSize, manifest).kind, kind);
    if (kind == Kind::None)
        QCOMPARE(manifest.files.size(), studyFiles().size());
}

void TestTransferArchive::badInput_data()
{
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<Kind>("kind");

    const QByteArray good = studyZip();
    QTest::newRow("text") << QByteArray("[SYUTUDAI]\r\nTEXTKIND=USER\r\n") << Kind::NotZip;
    QTest::newRow("empty") << QByteArray() << Kind::NotZip;
    QTest::newRow("cut short") << good.left(good.size() / 2) << Kind::NotZip;
    QTest::newRow("another program's zip") << zipOf({{"photos/cat.jpg", "\xff\xd8\xff"}}) << Kind::Foreign;
    QList<ZipEntry> manifestSecond = studyFiles();
    manifestSecond.insert(1, manifestEntry(manifestOf(studyFiles())));
    QTest::newRow("manifest not first") << zipOf(manifestSecond) << Kind::Foreign;
    QTest::newRow("newer format") << zipOf({{"manifest.json", manifestJson([](QJsonObject &o) { o.insert(QStringLiteral("formatVersion"), 99); })}})
                                  << Kind::NewerFormat;
    QTest::newRow("checksum differs") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files[3].data[40] = char(files[3].data[40] ^ 1);
    }) << Kind::Checksum;
    QTest::newRow("bad CRC") << studyZip({}, "zip:fakecrc32,zip:compression=store") << Kind::Damaged;
    QTest::newRow("parent folder in the zip") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files.append(ZipEntry("ini/../../../.profile", "rm -rf ~\n"));
    }) << Kind::UnsafePath;
    QTest::newRow("absolute path in the zip") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files.append(ZipEntry("/tmp/vocamira-evil", "x"));
    }) << Kind::UnsafePath;
    QTest::newRow("symbolic link") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files[0] = ZipEntry("ini/tst.ini", {}, AE_IFLNK, "/etc/passwd");
    }) << Kind::UnsafePath;
    QTest::newRow("folder entry") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files.prepend(ZipEntry("ini/ユーザーテキスト/", {}, AE_IFDIR));
    }) << Kind::UnsafePath;
    QTest::newRow("the shipped bank") << studyZip([](QList<ZipEntry> &files, TransferManifest &m) {
        files.append(ZipEntry("word/標準テキスト/data2.dat", "x"));
        m.files.append(fileOf(QStringLiteral("word/標準テキスト/data2.dat"), "x"));
    }) << Kind::UnsafePath;
    QTest::newRow("two entries of one name") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files.append(files[1]);
    }) << Kind::Duplicate;
    QTest::newRow("a second manifest") << studyZip([](QList<ZipEntry> &files, TransferManifest &m) {
        files.append(manifestEntry(m));
    }) << Kind::Duplicate;
    QTest::newRow("far larger than the manifest says") << studyZip([](QList<ZipEntry> &files, TransferManifest &m) {
        files[2].data = QByteArray(4 << 20, 'a');
        m.files[2].size = 10;
    }) << Kind::SizeMismatch;
    QTest::newRow("smaller than the manifest says") << studyZip([](QList<ZipEntry> &, TransferManifest &m) {
        m.files[2].size += 1;
    }) << Kind::SizeMismatch;
    QTest::newRow("highly compressed") << studyZip([](QList<ZipEntry> &files, TransferManifest &m) {
        files.append(ZipEntry("word/ユーザーテキスト/zeros.txt", QByteArray(8 << 20, '\0')));
        m.files.append(fileOf(QStringLiteral("word/ユーザーテキスト/zeros.txt"), files.last().data));
    }) << Kind::TooLarge;
    QTest::newRow("not in the manifest") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files.append(ZipEntry("ini/Roman.ini", "\"し\",\"shi\"\r\n"));
    }) << Kind::ExtraEntry;
    QTest::newRow("missing from the zip") << studyZip([](QList<ZipEntry> &files, TransferManifest &) {
        files.removeAt(1);
    }) << Kind::MissingEntry;
    QTest::newRow("encrypted") << studyZip({}, "zip:encryption=zipcrypt") << Kind::Encrypted;
}

// Refused the same from memory and from a file, and an import of the file
// leaves every file below the learner's folder as it was.
void TestTransferArchive::badInput()
{
    QFETCH(QByteArray, zip);
    QFETCH(Kind, kind);
    const QTemporaryDir output;
    TransferManifest manifest;
    const TransferProblem problem = ArchiveReader::ReadBytes(zip, output.path(), manifest);
    QCOMPARE(problem.kind, kind);
    QVERIFY(!problem.text().isEmpty());
    QVERIFY(!problem.englishText().isEmpty());
    QVERIFY(manifest.files.isEmpty());

    const QTemporaryDir learner;
    SwitchSupport::prepareOld(learner.path());
    const QString path = output.filePath(QStringLiteral("bad.zip"));
    writeFile(path, zip);
    const QMap<QString, QByteArray> before = snapshot(learner.path());
    {
        LearnerImport import(learner.path());
        QCOMPARE(import.check(path).kind, kind);
    }
    QCOMPARE(snapshot(learner.path()), before);
}

// Under the learner's locale and under "C", as a script from cron runs:
// the Japanese names come out as they went in.
void TestTransferArchive::goodZipReadsWhole()
{
    QMap<QString, QByteArray> expected;
    for (const ZipEntry &file : studyFiles())
        expected.insert(QString::fromUtf8(file.name), file.data);
    const QByteArray learners = std::setlocale(LC_ALL, nullptr);
    for (const char *locale : {learners.constData(), "C"})
    {
        std::setlocale(LC_ALL, locale);
        const QTemporaryDir output;
        TransferManifest manifest;
        const bool read = ArchiveReader::ReadBytes(studyZip(), output.path(), manifest).ok();
        std::setlocale(LC_ALL, learners.constData());
        QVERIFY2(read, locale);
        QCOMPARE(snapshot(output.path()), expected);
    }
}

QTEST_GUILESS_MAIN(TestTransferArchive)
#include "tst_transferarchive.moc"
