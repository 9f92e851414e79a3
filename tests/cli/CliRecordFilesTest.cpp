// zelko6-cli with S-record files and with damaged record files: every S-record name, standard
// streams, another tool's files, the refusal of a damaged file (exit 4, the kind and the line)
// and --lenient (CliRecordBoardTest.cpp: the board simulator).

#include "cli/CliProcess.h"

#include "core/files/SRecord.h"

#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

const QStringList kSize256{QStringLiteral("--size"), QStringLiteral("256")};

QStringList convert(const QString &in, const QString &out, const QStringList &more = kSize256)
{
    return QStringList{QStringLiteral("convert"), in, out} + more;
}

TEST(CliRecordFilesTest, SRecordByEveryNameAndThroughStandardStreams)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(256, 3);
    ws.write(QStringLiteral("a.bin"), image);

    QString previous = QStringLiteral("a.bin");
    for (const char *name : {"b.s19", "c.S28", "d.s37", "e.srec", "f.MOT"}) {
        const QString next = QString::fromLatin1(name);
        const CliRun run = ws.run(convert(previous, next));
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err.toStdString();
        EXPECT_EQ(ws.read(next), sRecordOf(image)) << name;
        previous = next;
    }
    ASSERT_EQ(ws.run(convert(previous, QStringLiteral("back.bin"))).exitCode, 0);
    EXPECT_EQ(ws.read(QStringLiteral("back.bin")), image);

    // "-" in and out with --format srec.
    const CliRun toStdout = ws.run(convert(QStringLiteral("a.bin"), QStringLiteral("-")) +
                                   QStringList{QStringLiteral("--format"), QStringLiteral("srec")});
    EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err.toStdString();
    EXPECT_EQ(toStdout.out, sRecordOf(image));
    const CliRun fromStdin = ws.run(convert(QStringLiteral("-"), QStringLiteral("g.bin")) +
                                        QStringList{QStringLiteral("--format"), QStringLiteral("srec")},
                                    {}, ws.read(QStringLiteral("b.s19")));
    EXPECT_EQ(fromStdin.exitCode, 0) << fromStdin.err.toStdString();
    EXPECT_EQ(ws.read(QStringLiteral("g.bin")), image);
}

TEST(CliRecordFilesTest, DamagedFilesExitFourUnlessLenient)
{
    CliWorkspace ws;
    const struct {
        const char *name;
        QByteArray text;
        QString english;
        QString japanese;
        QByteArray lenientStart; // the first bytes of the image --lenient loads
    } cases[] = {
        {"sum.hex", ":0400000001020304F1\r\n:00000001FF\r\n",
         QStringLiteral("The checksum on line 1 of the file is wrong."),
         QStringLiteral("ファイルの1行目のチェックサムが合いません。"), QByteArray::fromHex("01020304FF")},
        {"cut.hex", ":0400000001020304F2\r\n:040004000506\r\n:00000001FF\r\n",
         QStringLiteral("The record on line 2 of the file is cut off."),
         QStringLiteral("ファイルの2行目のレコードが途中で切れています。"),
         QByteArray::fromHex("01020304050600")},
        {"cut.s19", "S0030000FC\r\nS10700000102\r\nS9030000FC\r\n",
         QStringLiteral("The record on line 2 of the file is cut off."),
         QStringLiteral("ファイルの2行目のレコードが途中で切れています。"), QByteArray::fromHex("0102FF")},
        {"end.s19", "S10700000102030EE4\r\nS107000401020304EA\r\n",
         QStringLiteral("The file has no end record (line count: 2)."),
         QStringLiteral("ファイルにエンドレコードがありません（2行）。"),
         QByteArray::fromHex("0102030E01020304FF")},
        {"data.srec",
         QByteArray("\x7F"
                    "ELF\x02\x01\x01\r\n\x00\x00\x00",
                    11),
         QStringLiteral("The file has no data record (line count: 2)."),
         QStringLiteral("ファイルにデータレコードがありません（2行）。"), QByteArray(4, '\xFF')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        ws.write(name, c.text);
        const CliRun refused = ws.run(convert(name, QStringLiteral("out.bin")));
        EXPECT_EQ(refused.exitCode, 4) << refused.err.toStdString();
        EXPECT_TRUE(refused.err.startsWith(c.english)) << refused.err.toStdString();
        EXPECT_TRUE(refused.err.contains(name)) << refused.err.toStdString();
        EXPECT_FALSE(ws.exists(QStringLiteral("out.bin")));
        const CliRun japanese = ws.run(convert(name, QStringLiteral("out.bin")) +
                                       QStringList{QStringLiteral("--lang"), QStringLiteral("ja")});
        EXPECT_EQ(japanese.exitCode, 4);
        EXPECT_TRUE(japanese.err.startsWith(c.japanese)) << japanese.err.toStdString();

        const CliRun lenient =
            ws.run(convert(name, QStringLiteral("out.bin")) + QStringList{QStringLiteral("--lenient")});
        EXPECT_EQ(lenient.exitCode, 0) << lenient.err.toStdString();
        EXPECT_TRUE(lenient.err.startsWith(c.english)) << "a warning: " << lenient.err.toStdString();
        const QByteArray loaded = ws.read(QStringLiteral("out.bin"));
        EXPECT_EQ(loaded.size(), 256);
        EXPECT_TRUE(loaded.startsWith(c.lenientStart)) << loaded.left(16).toHex().toStdString();
        ASSERT_TRUE(QFile::remove(ws.path(QStringLiteral("out.bin"))));
    }

    // Standard input is judged the same way.
    const CliRun piped = ws.run(convert(QStringLiteral("-"), QStringLiteral("out.bin")) +
                                    QStringList{QStringLiteral("--format"), QStringLiteral("srec")},
                                {}, "S10700000102030EE4\r\n");
    EXPECT_EQ(piped.exitCode, 4);
    EXPECT_TRUE(piped.err.contains(QStringLiteral("no end record"))) << piped.err.toStdString();
    EXPECT_TRUE(piped.err.contains(QStringLiteral("stdin"))) << piped.err.toStdString();

    // --lenient where no file is loaded is a usage error.
    EXPECT_EQ(ws.run({QStringLiteral("read"), QStringLiteral("x.s19"), QStringLiteral("--lenient"),
                      QStringLiteral("--chip"), QStringLiteral("24C02")})
                  .exitCode,
              1);
}

} // namespace
} // namespace zelko6::test
