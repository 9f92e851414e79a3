// zelko6-cli without a board: the catalogue listing, conversions between raw binary and Intel HEX
// (the binary edge cases among them), format detection by name, and the usage errors.

#include "cli/CliProcess.h"
#include "support/HostileFiles.h"
#include "support/JapaneseTexts.h"

#include <QDir>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

QStringList convert(const QString &in, const QString &out, const QStringList &more = {})
{
    return QStringList{QStringLiteral("convert"), in, out} + more;
}

const QStringList kSize256{QStringLiteral("--size"), QStringLiteral("256")};

TEST(CliFilesTest, ListShowsEveryChipOfTheCatalogue)
{
    CliWorkspace ws;
    const CliRun run = ws.run({QStringLiteral("list")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = linesOf(QString::fromUtf8(run.out));
    ASSERT_EQ(lines.size(), 1 + 17) << "a head line and the sample's 17 chips";
    EXPECT_EQ(lines[11].simplified(), QStringLiteral("10 24C1024 1Mbit 131072 256 2-wire"));
    EXPECT_EQ(lines[13].simplified(), QStringLiteral("12 93C46 1Kbit 128 1 3-wire"));

    // Another catalogue, with a line the program cannot drive (bus 5): listed, marked, not hidden.
    ws.write(QStringLiteral("mine.ini"), "Ver 1.00\r\nX1 one 2 4 8 0 0 m\r\nBAD bad 5 8 8 0 0 m\r\n");
    const CliRun mine =
        ws.run({QStringLiteral("list"), QStringLiteral("--catalogue"), QStringLiteral("mine.ini")});
    ASSERT_EQ(mine.exitCode, 0);
    const QStringList rows = linesOf(QString::fromUtf8(mine.out));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].simplified(), QStringLiteral("0 X1 one 16 8 2-wire"));
    EXPECT_EQ(rows[2].simplified(), QStringLiteral("1 BAD bad - - unusable"));

    const CliRun missing =
        ws.run({QStringLiteral("list"), QStringLiteral("--catalogue"), QStringLiteral("nope.ini")});
    EXPECT_EQ(missing.exitCode, 4);
}

TEST(CliFilesTest, BinaryEdgeCasesThroughConvert)
{
    CliWorkspace ws;
    const QByteArray exact = patternBytes(256);
    ws.write(QStringLiteral("empty.bin"), {});
    ws.write(QStringLiteral("short.bin"), exact.left(100));
    ws.write(QStringLiteral("exact.bin"), exact);
    ws.write(QStringLiteral("long.bin"), exact + "x");

    const CliRun empty = ws.run(convert(QStringLiteral("empty.bin"), QStringLiteral("e.bin"), kSize256));
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(ws.read(QStringLiteral("e.bin")), QByteArray(256, '\xFF'));
    EXPECT_TRUE(empty.err.contains(QStringLiteral("0xFF")))
        << "the padding is said: " << empty.err.toStdString();

    const CliRun shorter = ws.run(convert(QStringLiteral("short.bin"), QStringLiteral("s.bin"), kSize256) +
                                  QStringList{QStringLiteral("--lang"), QStringLiteral("ja")});
    EXPECT_EQ(shorter.exitCode, 0);
    EXPECT_EQ(ws.read(QStringLiteral("s.bin")), exact.left(100) + QByteArray(156, '\xFF'));
    EXPECT_TRUE(shorter.err.contains(filetexts::kBinaryShorter)) << shorter.err.toStdString();

    const CliRun same = ws.run(convert(QStringLiteral("exact.bin"), QStringLiteral("x.bin"), kSize256));
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(ws.read(QStringLiteral("x.bin")), exact);
    EXPECT_FALSE(same.err.contains(QStringLiteral("0xFF")));

    const CliRun longer = ws.run(convert(QStringLiteral("long.bin"), QStringLiteral("l.bin"), kSize256));
    EXPECT_EQ(longer.exitCode, 4);
    EXPECT_FALSE(ws.exists(QStringLiteral("l.bin")));
}

TEST(CliFilesTest, TheNameDecidesTheFormat)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(256, 2);
    ws.write(QStringLiteral("a.BIN"), image);

    ASSERT_EQ(ws.run(convert(QStringLiteral("a.BIN"), QStringLiteral("b.ihx"), kSize256)).exitCode, 0);
    ASSERT_EQ(ws.run(convert(QStringLiteral("b.ihx"), QStringLiteral("c.HEX"), kSize256)).exitCode, 0);
    ASSERT_EQ(ws.run(convert(QStringLiteral("c.HEX"), QStringLiteral("d.bin"), kSize256)).exitCode, 0);
    EXPECT_TRUE(ws.read(QStringLiteral("b.ihx")).startsWith(":020000040000FA\r\n"));
    EXPECT_EQ(ws.read(QStringLiteral("b.ihx")), ws.read(QStringLiteral("c.HEX")));
    EXPECT_EQ(ws.read(QStringLiteral("d.bin")), image);

    // "-": Intel HEX unless --format says otherwise, in and out.
    const CliRun toStdout = ws.run(convert(QStringLiteral("a.BIN"), QStringLiteral("-"), kSize256));
    EXPECT_EQ(toStdout.exitCode, 0);
    EXPECT_EQ(toStdout.out, ws.read(QStringLiteral("b.ihx")));
    const CliRun binaryIn = ws.run(convert(QStringLiteral("-"), QStringLiteral("e.hex"), kSize256) +
                                       QStringList{QStringLiteral("--format"), QStringLiteral("bin")},
                                   {}, image.left(16));
    EXPECT_EQ(binaryIn.exitCode, 0) << binaryIn.err.toStdString();
    const CliRun hexIn = ws.run(convert(QStringLiteral("-"), QStringLiteral("-"), kSize256) +
                                    QStringList{QStringLiteral("--format"), QStringLiteral("bin")},
                                {}, ws.read(QStringLiteral("a.BIN")));
    EXPECT_EQ(hexIn.out, image);
    const CliRun fromHex = ws.run(convert(QStringLiteral("-"), QStringLiteral("f.bin"), kSize256), {},
                                  ws.read(QStringLiteral("e.hex")));
    EXPECT_EQ(fromHex.exitCode, 0);
    EXPECT_EQ(ws.read(QStringLiteral("f.bin")), image.left(16) + QByteArray(240, '\xFF'));

    // A name that says nothing is not guessed at; the complaint names every suffix there is.
    const CliRun unknown = ws.run(convert(QStringLiteral("a.BIN"), QStringLiteral("out.txt"), kSize256));
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_FALSE(ws.exists(QStringLiteral("out.txt")));
    EXPECT_TRUE(unknown.err.startsWith(QStringLiteral(
        "zelko6-cli: cannot tell the format of 'out.txt' from its name: use .hex, .ihx, .s19, .s28, .s37, "
        ".srec, .mot or .bin\n")))
        << unknown.err.toStdString();
    const CliRun japanese = ws.run(convert(QStringLiteral("a.BIN"), QStringLiteral("out.txt"), kSize256) +
                                   QStringList{QStringLiteral("--lang=ja")});
    EXPECT_TRUE(japanese.err.startsWith(QStringLiteral(
        "zelko6-cli: 'out.txt' の名前から形式が分かりません: .hex, .ihx, .s19, .s28, .s37, .srec, "
        ".mot, .bin のどれかにしてください\n")))
        << japanese.err.toStdString();
}

TEST(CliFilesTest, FilesThatNeverEndOrBlockAreRefused)
{
    CliWorkspace ws;
    const QString fifo = ws.path(QStringLiteral("fifo.hex"));
    if (!systemHasHostileFiles())
        GTEST_SKIP() << kNoHostileFiles;
    ASSERT_TRUE(makeFifo(fifo));
    ASSERT_FALSE(endlessFileIn(QDir(ws.path(QString())), QStringLiteral("z.s19")).isEmpty());
    const QString cannotOpen = QStringLiteral("The file could not be opened. (");
    const QStringList fromZeros = {QStringLiteral("sh"), QStringLiteral("-c"),
                                   QStringLiteral("exec \"$@\" </dev/zero"), QStringLiteral("sh")};
    const struct {
        QStringList wrapper; // standard input from /dev/zero when given
        QString in;
        QString why;
    } cases[] = {
        {{}, QStringLiteral("z.s19"), QStringLiteral("z.s19: not a regular file")},
        {{}, QStringLiteral("fifo.hex"), QStringLiteral("fifo.hex: not a regular file")},
        {fromZeros, QStringLiteral("-"),
         QStringLiteral("stdin: too long for an image file in this format: over 4259840 bytes")},
    };
    for (const auto &c : cases) {
        const QStringList arguments = convert(c.in, QStringLiteral("o.bin"), kSize256);
        CliRun run;
        EXPECT_TRUE(endsWithoutAWriter(fifo, [&] {
            run = c.wrapper.isEmpty() ? ws.run(arguments) : ws.runThrough(c.wrapper, arguments);
        })) << c.in.toStdString();
        EXPECT_EQ(run.exitCode, 4) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(cannotOpen + c.why + u')')) << run.err.toStdString();
        EXPECT_FALSE(ws.exists(QStringLiteral("o.bin")));
    }
}

TEST(CliFilesTest, FileErrorsExitFour)
{
    CliWorkspace ws;
    ws.write(QStringLiteral("a.bin"), patternBytes(256));
    ws.write(QStringLiteral("far.hex"), ":0101000055A9\r\n:00000001FF\r\n"); // 0x100: one past 256 bytes
    ASSERT_TRUE(QDir().mkpath(ws.path(QStringLiteral("folder.hex"))));
    const struct {
        QStringList arguments;
        const char *why;
    } cases[] = {
        {convert(QStringLiteral("missing.bin"), QStringLiteral("o.hex"), kSize256), "input missing"},
        {convert(QStringLiteral("missing.hex"), QStringLiteral("o.bin"), kSize256), "input missing"},
        {convert(QStringLiteral("far.hex"), QStringLiteral("o.bin"), kSize256), "does not fit"},
        {convert(QStringLiteral("a.bin"), QStringLiteral("no/such/folder/o.hex"), kSize256), "cannot write"},
        {convert(QStringLiteral("folder.hex"), QStringLiteral("o.bin"), kSize256), "a folder"},
    };
    for (const auto &c : cases) {
        const CliRun run = ws.run(c.arguments);
        EXPECT_EQ(run.exitCode, 4) << c.why << ": " << run.err.toStdString();
        EXPECT_FALSE(ws.exists(QStringLiteral("o.bin")) || ws.exists(QStringLiteral("o.hex"))) << c.why;
    }

    // A full disk is called by its name.
    const CliRun full = ws.run(convert(QStringLiteral("a.bin"), QStringLiteral("-"), kSize256), {}, {},
                               QStringLiteral("/dev/full"));
    EXPECT_EQ(full.exitCode, 4);
    EXPECT_TRUE(full.err.contains(QStringLiteral("No space left on device"))) << full.err.toStdString();
}

TEST(CliFilesTest, UsageErrorsExitOne)
{
    CliWorkspace ws;
    ws.write(QStringLiteral("a.bin"), patternBytes(256));
    const QString port = ws.path(QStringLiteral("no-port"));
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("list"), QStringLiteral("--bogus")},
        {QStringLiteral("list"), QStringLiteral("extra")},
        {QStringLiteral("read"), QStringLiteral("x.bin"), QStringLiteral("--chip")},
        {QStringLiteral("read"), QStringLiteral("x.bin"), QStringLiteral("--port"), port},
        {QStringLiteral("read"), QStringLiteral("x.bin"), QStringLiteral("--chip"), QStringLiteral("NOCHIP")},
        {QStringLiteral("read"), QStringLiteral("x.bin"), QStringLiteral("--chip"), QStringLiteral("99")},
        {QStringLiteral("read"), QStringLiteral("x.bin"), QStringLiteral("--chip"), QStringLiteral("24C02"),
         QStringLiteral("--size"), QStringLiteral("100")},
        {QStringLiteral("read"), QStringLiteral("x.bin"), QStringLiteral("--chip"), QStringLiteral("24C02"),
         QStringLiteral("--port"), QStringLiteral("21")},
        {QStringLiteral("read"), QStringLiteral("x.bin"), QStringLiteral("--chip"), QStringLiteral("24C02"),
         QStringLiteral("--port"), QString()},
        {QStringLiteral("read"), QStringLiteral("--byte"), QStringLiteral("--chip"), QStringLiteral("24C02")},
        {QStringLiteral("read"), QStringLiteral("--byte"), QStringLiteral("--address"), QStringLiteral("256"),
         QStringLiteral("--chip"), QStringLiteral("24C02")},
        {QStringLiteral("read"), QStringLiteral("--address"), QStringLiteral("3"), QStringLiteral("x.bin"),
         QStringLiteral("--chip"), QStringLiteral("24C02")},
        {QStringLiteral("write"), QStringLiteral("a.bin"), QStringLiteral("--byte"),
         QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--value"), QStringLiteral("256"),
         QStringLiteral("--chip"), QStringLiteral("24C02")},
        {QStringLiteral("verify"), QStringLiteral("a.bin"), QStringLiteral("--probe"),
         QStringLiteral("--chip"), QStringLiteral("24C02")},
        {QStringLiteral("convert"), QStringLiteral("a.bin")},
        {QStringLiteral("convert"), QStringLiteral("a.bin"), QStringLiteral("b.hex")},
        {QStringLiteral("convert"), QStringLiteral("a.bin"), QStringLiteral("b.hex"),
         QStringLiteral("--size"), QStringLiteral("300")},
        {QStringLiteral("convert"), QStringLiteral("a.bin"), QStringLiteral("b.hex"),
         QStringLiteral("--chip"), QStringLiteral("24C04"), QStringLiteral("--size"), QStringLiteral("256")},
        {QStringLiteral("convert"), QStringLiteral("a.bin"), QStringLiteral("b.hex"),
         QStringLiteral("--size=256"), QStringLiteral("--lang"), QStringLiteral("fr")},
    };
    for (const QStringList &arguments : cases) {
        const CliRun run = ws.run(QStringList{QStringLiteral("--port"), port} + arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(u' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(u' ').toStdString();
    }
    EXPECT_FALSE(ws.exists(QStringLiteral("b.hex")));

    // The command line's own complaints and help speak the chosen language, even when the
    // arguments that name it could not be read.
    const CliRun japanese =
        ws.run({QStringLiteral("frob"), QStringLiteral("--colour"), QStringLiteral("--lang=ja")});
    EXPECT_EQ(japanese.exitCode, 1);
    EXPECT_TRUE(japanese.err.contains(QStringLiteral("不明なオプションです: --colour")))
        << japanese.err.toStdString();
    const CliRun english = ws.run({QStringLiteral("frob"), QStringLiteral("--lang"), QStringLiteral("en")});
    EXPECT_TRUE(english.err.contains(QStringLiteral("unknown command frob"))) << english.err.toStdString();
    EXPECT_TRUE(english.err.contains(QStringLiteral("Try 'zelko6-cli --help'.")));
    const CliRun japaneseHelp =
        ws.run({QStringLiteral("--help"), QStringLiteral("--lang"), QStringLiteral("ja")});
    EXPECT_TRUE(QString::fromUtf8(japaneseHelp.out).contains(QStringLiteral("終了コード:")));

    const CliRun help = ws.run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char *line : {"  0  success", "  1  usage error", "  2  no board or link failure",
                             "  3  verify mismatch", "  4  file error"})
        EXPECT_TRUE(help.out.contains(line)) << line;
}

} // namespace
} // namespace zelko6::test
