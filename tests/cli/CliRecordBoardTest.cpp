// zelko6-cli with S-record images against the board simulator: written, read back and verified,
// and a damaged file that sends nothing.

#include "cli/CliProcess.h"

#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

TEST(CliRecordBoardTest, SRecordWrittenAndReadBackAndDamageSendsNothing)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(512, 8);
    ws.write(QStringLiteral("img.s19"), sRecordOf(image));
    // Line 3's checksum is off by one.
    QByteArray damaged = sRecordOf(image);
    const qsizetype lineEnd =
        damaged.indexOf("\r\n", damaged.indexOf("\r\n", damaged.indexOf("\r\n") + 2) + 2);
    damaged[lineEnd - 1] = damaged[lineEnd - 1] == '0' ? '1' : '0';
    ws.write(QStringLiteral("bad.s19"), damaged);
    const QString log = ws.path(QStringLiteral("wire.log"));
    SimulatedBoard sim({QStringLiteral("--size-exp"), QStringLiteral("9"), QStringLiteral("--log"), log});
    const QStringList board{QStringLiteral("--chip"), QStringLiteral("24C04"), QStringLiteral("--port"),
                            sim.device()};

    const CliRun refused = ws.run(QStringList{QStringLiteral("write"), QStringLiteral("bad.s19")} + board);
    EXPECT_EQ(refused.exitCode, 4) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("line 3"))) << refused.err.toStdString();
    EXPECT_TRUE(ws.read(QStringLiteral("wire.log")).isEmpty()) << "nothing is sent for a damaged file";

    const CliRun write = ws.run(QStringList{QStringLiteral("write"), QStringLiteral("img.s19"),
                                            QStringLiteral("--log"), QStringLiteral("v.txt")} +
                                board);
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    const CliRun read = ws.run(QStringList{QStringLiteral("read"), QStringLiteral("out.s37")} + board);
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(ws.read(QStringLiteral("out.s37")), sRecordOf(image));
    const CliRun verify = ws.run(QStringList{QStringLiteral("verify"), QStringLiteral("out.s37"),
                                             QStringLiteral("--log"), QStringLiteral("v.txt")} +
                                 board);
    EXPECT_EQ(verify.exitCode, 0) << verify.err.toStdString();
}

} // namespace
} // namespace zelko6::test
