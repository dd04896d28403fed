// Writes the seed corpora of every harness from valid files made by the
// program's own writers, plus a few cut short, into the folder given.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>

#include "bank/gsxseq.h"
#include "core/common.h"
#include "core/cp932.h"
#include "fuzzsupport.h"
#include "judge/judgetable.h"
#include "judge/romansettings.h"
#include "records/recordsstore.h"
#include "transfer/archivewriter.h"
#include "transfer/transfermanifest.h"
#include "wordlist/wordindex.h"

namespace
{
    QString g_out;

    void seed(const QString &harness, const QString &name, const QByteArray &bytes)
    {
        QDir(g_out).mkpath(harness);
        FuzzSupport::writeFile(g_out + u'/' + harness + u'/' + name, bytes);
    }

    QByteArray container(const QStringList &strings)
    {
        const QString path = FuzzSupport::programFolder() + QStringLiteral("/seed.dat");
        GsxSeq::WriteContainerFile(path, strings);
        return FuzzSupport::readFile(path);
    }

    QStringList recordLines(int levelCount, int highest)
    {
        Common::ResetState();
        Common::LevelCount = levelCount;
        Common::LevelRecords = QList<Common::LevelRecord>(levelCount + 1);
        Common::HighestLevel = highest;
        Common::CurrentLevel = highest;
        Common::FailCount = 2;
        Common::CertificateName = QStringLiteral("山田, 太郎");
        Common::CertificateDate = QDate(2024, 3, 1);
        for (int level = 1; level <= levelCount; ++level)
            Common::LevelRecords[level] = {QDate(2024, 1, level % 28 + 1), level, 1, 2, 3, 90, QDate(2024, 2, 1),
                                           12345.678, QDate(2024, 2, 2)};
        return Common::WriteRecordText();
    }

    void containerSeeds()
    {
        const QByteArray bank = container({u"apple"_qs, u"りんご"_qs, u"りんご"_qs, u"run"_qs, u"走る"_qs, u"はしる"_qs});
        seed(u"container"_qs, u"empty"_qs, container({}));
        seed(u"container"_qs, u"bank"_qs, bank);
        seed(u"container"_qs, u"records"_qs, container(recordLines(5, 2)));
        seed(u"container"_qs, u"emptystrings"_qs, container({QString(), QString(), u"x"_qs}));
        seed(u"container"_qs, u"cut"_qs, bank.left(bank.size() - 7));
    }

    void recordSeeds()
    {
        const auto lines = [](int levelCount, int highest) {
            return char(levelCount) + Cp932::encode(recordLines(levelCount, highest).join(u'\n'));
        };
        seed(u"records"_qs, u"new"_qs, lines(3, 0));
        seed(u"records"_qs, u"middle"_qs, lines(10, 4));
        seed(u"records"_qs, u"top"_qs, lines(6, 6));
        seed(u"records"_qs, u"handedited"_qs,
             QByteArray("\x05" "1,0,\"\",1,\"\",#1899-12-30#\n#2024-01-05 12:00:00#,1,0,0,0,80,#NULL#,1.5e3,##\n"));
    }

    void iniSeeds()
    {
        seed(u"inifile"_qs, u"common"_qs,
             QByteArray("SYUTUDAI\0TEXTKIND\0USER\0", 23)
                 + Cp932::encode(u"[SYUTUDAI]\r\nTEXTKIND=STANDARD\r\nTEXTNAME=標準問題\r\nTRANSMODE=和訳\r\n"
                                 u"[MAINWINDOW]\r\nINPUTBY=ROMA\r\nSOUND=ON\r\n"_qs));
        seed(u"inifile"_qs, u"bank"_qs,
             QByteArray("syutudai\0 timelimit1 \0 60 \0", 28)
                 + "; comment\n[SYUTUDAI]\nNUMBERLEVEL=10\nTIMELIMIT1 = 50\n\n[OTHER]\nX=1");
        seed(u"inifile"_qs, u"newsection"_qs, QByteArray("NEW\0KEY\0value\0[A]\r\nB=C\r\n", 24));
    }

    void romanSeeds()
    {
        JudgeTableSet::BuildJudgeTable();
        QList<JudgeTableSet::RomanChoice> first;
        QList<JudgeTableSet::RomanChoice> last;
        for (const auto &row : JudgeTableSet::JudgeTable)
        {
            if (row.Selectable != u"1")
                continue;
            first.append({row.Unit, row.Spellings[0]});
            last.append({row.Unit, row.Spellings[2].isEmpty() ? row.Spellings[1] : row.Spellings[2]});
        }
        for (const auto &[name, choices] : {std::pair {u"default"_qs, first}, std::pair {u"others"_qs, last}})
        {
            JudgeTableSet::WriteRomanSettings(choices);
            seed(u"romanini"_qs, name, FuzzSupport::readFile(JudgeTableSet::RomanIniPath()));
        }
        seed(u"romanini"_qs, u"handedited"_qs, Cp932::encode(u"\"し\",\"shi\"\n\"ん\",\"|\"\r\n\"っ\",\"~\"\r\"x\""_qs));
    }

    void userBankSeeds()
    {
        const QByteArray settings = Cp932::encode(
            u"[SYUTUDAI]\r\nNUMBERLEVEL=10\r\nTIMELIMIT1=50\r\nTIMELIMIT2=200\r\nPOINTPASS=80\r\nKYOSEI=有り\r\n"_qs);
        QByteArray bank;
        for (int i = 0; i < 25; ++i)
            bank += Cp932::encode(u"問%1\r\n答え%1\r\nこたえ%1\r\n"_qs.arg(i));
        seed(u"userbank"_qs, u"bank"_qs, settings + '\0' + bank);
        seed(u"userbank"_qs, u"crlines"_qs, QByteArray("[SYUTUDAI]\rNUMBERLEVEL=0\r\0a\rb\rc\rd\re", 36));
        seed(u"userbank"_qs, u"nosettings"_qs, bank.left(bank.size() - 5));
    }

    // Learner's data files as the export writes them, and one cut short.
    void archiveSeeds()
    {
        const QList<std::pair<QString, QByteArray>> files {
            {u"ini/tst.ini"_qs, Cp932::encode(u"[SYUTUDAI]\r\nTEXTKIND=USER\r\nTEXTNAME=旅行\r\n"_qs)},
            {u"word/ユーザーテキスト/旅行.txt"_qs, Cp932::encode(u"go\r\n行く\r\nいく\r\n"_qs)},
            {u"seiseki/標準テキスト/data1.dat"_qs, container(recordLines(5, 2))},
        };
        TransferManifest manifest;
        manifest.programVersion = u"1.0"_qs;
        manifest.created = QDateTime(QDate(2025, 4, 1), QTime(9, 30));
        for (const auto &[path, bytes] : files)
            manifest.files.append({path, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()});
        manifest.records.append({files[2].first, u"STANDARD"_qs, QString(), u"和訳"_qs, 2, 2});
        const QString path = FuzzSupport::programFolder() + u"/seed.zip"_qs;
        ArchiveWriter writer(path);
        writer.open();
        writer.addBytes(TransferManifest::FileName, manifest.toJson());
        for (const auto &[name, bytes] : files)
            writer.addBytes(name, bytes);
        writer.commit();
        const QByteArray zip = FuzzSupport::readFile(path);
        seed(u"archive"_qs, u"study"_qs, zip);
        seed(u"archive"_qs, u"cut"_qs, zip.left(zip.size() - 30));

        ArchiveWriter empty(path);
        empty.open();
        manifest.files.clear();
        manifest.records.clear();
        empty.addBytes(TransferManifest::FileName, manifest.toJson());
        empty.commit();
        seed(u"archive"_qs, u"empty"_qs, FuzzSupport::readFile(path));
    }

    void wordListSeeds()
    {
        seed(u"wordlist"_qs, u"list"_qs, u"apple\r\n林檎\r\nりんご\r\ndog\r\n犬\r\nいぬ\r\n"_qs.toUtf8());
        seed(u"wordlist"_qs, u"mixed"_qs, u"cat\n猫\n"_qs.toUtf8() + Cp932::encode(u"ねこ\r\n鳥"_qs) + "\x81\xFF");
        seed(u"wordlist"_qs, u"index"_qs,
             QByteArray(WordIndex::Header) + u"; seed\napple\t林檎\tりんご\tアップル\tあっぷる\nice cream\t氷菓\tひょうか\n"_qs.toUtf8());
    }

    void judgeSeeds()
    {
        // Roman input, a few units, then keys.
        seed(u"judge"_qs, u"roma"_qs, QByteArray("\x00\x02\x05\x00\x30\x00" "abcdefghijklmnopqrstuvwxyz", 32));
        seed(u"judge"_qs, u"kana"_qs, QByteArray("\x01\x03\x10\x00\x2d\x00\x4f\x00" "0123456789abcdef", 24));
    }

    void importSeeds()
    {
        const QString table = u"English,Japanese,Reading\r\napple,林檎,りんご\r\n\"run, ran\",\"走る\r\n駆ける\",はしる\r\n"
                              u"\"say \"\"hi\"\"\",言う\r\nbad,\"open\r\n"_qs;
        seed(u"tablereader"_qs, u"utf8"_qs, table.toUtf8());
        seed(u"tablereader"_qs, u"bom"_qs, "\xEF\xBB\xBF" + table.toUtf8());
        seed(u"tablereader"_qs, u"shiftjis"_qs, Cp932::encode(table));
        seed(u"tablereader"_qs, u"flashcard"_qs,
             u"#separator:tab\n#html:true\n#columns:Front\tBack\tTags\n#tags column:3\n"
             u"apple\t<b>林檎</b><br>&amp;&#x732B;\tfruit\ndog [sound:dog.mp3]\t犬\t\n"_qs.toUtf8());
        seed(u"tablereader"_qs, u"semicolon"_qs, "word;meaning\nyes;\"a; b\"\n\n;\n"_qba);
        seed(u"tablereader"_qs, u"mixed"_qs, u"林檎\n"_qs.toUtf8() + Cp932::encode(u"犬\n"));
        const QString text = u"Scientists Discover New Species\n\nResearchers said on Monday that they'd found "
                             u"three new species of frogs in the forests of Peru. \"It's remarkable,\" Dr. Smith "
                             u"said. The frogs, which were smaller than expected, lived in well-known places.\n"_qs;
        seed(u"textwords"_qs, u"article"_qs, text.toUtf8());
        seed(u"textwords"_qs, u"capitals"_qs, "NASA SAYS THE MOON IS BIGGER\r\nIt may rain in May. I don't.\r\n"_qba);
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
    {
        fprintf(stderr, "usage: makeseeds OUTPUT_FOLDER\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    FuzzSupport::programFolder();
    containerSeeds();
    recordSeeds();
    iniSeeds();
    romanSeeds();
    userBankSeeds();
    judgeSeeds();
    archiveSeeds();
    importSeeds();
    wordListSeeds();
    return 0;
}
