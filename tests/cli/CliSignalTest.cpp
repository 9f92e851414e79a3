// Ctrl-C and termination requests as a script's user sends them: every command ends at the first
// one with exit code 130, closes the port in order, and leaves no output file behind.

#include "cli/CliProcess.h"

#include <csignal>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

// 24C04: 512 bytes, 32 chunks of 16.
QStringList board(const QString &device)
{
    return {QStringLiteral("--chip"), QStringLiteral("24C04"), QStringLiteral("--port"), device};
}

TEST(CliSignalTest, ConvertOfAnEndlessInputEndsWithoutAFile)
{
    CliWorkspace ws;
    const QStringList convert{QStringLiteral("convert"), QStringLiteral("-"), QStringLiteral("out.bin"),
                              QStringLiteral("--size"), QStringLiteral("256")};
    // A pipe nobody ever closes: the read waits for ever. (Zeros without end no longer need a
    // signal: the read stops at the longest file an image can have; CliFilesTest.)
    const CliRun pipe = ws.interrupt(convert, SIGTERM, {});
    EXPECT_EQ(pipe.exitCode, 130) << pipe.err.toStdString();
    EXPECT_FALSE(ws.exists(QStringLiteral("out.bin")));
}

TEST(CliSignalTest, IdentifyAndProbeEndAtTheFirstSignal)
{
    CliWorkspace ws;
    SimulatedBoard silent({QStringLiteral("--silent")});
    // Without the signal the check would wait out its 10 s and end with 2.
    const CliRun identify =
        ws.interrupt({QStringLiteral("identify"), QStringLiteral("--port"), silent.device()}, SIGINT, {});
    EXPECT_EQ(identify.exitCode, 130) << identify.err.toStdString();
    EXPECT_TRUE(identify.out.isEmpty());

    // Only port 2 names a device; it answers nothing.
    QStringList env;
    for (int n = 1; n <= 20; ++n)
        env << QStringLiteral("ZELKO6_COM%1=%2")
                   .arg(n)
                   .arg(n == 2 ? silent.device() : ws.path(QStringLiteral("none")));
    const CliRun ports =
        ws.interrupt({QStringLiteral("ports"), QStringLiteral("--probe")}, SIGTERM, {}, {}, env);
    EXPECT_EQ(ports.exitCode, 130) << ports.err.toStdString();
    EXPECT_TRUE(ports.out.isEmpty());
}

TEST(CliSignalTest, AnInterruptedReadSaysSoAndWritesNoFile)
{
    CliWorkspace ws;
    SimulatedBoard stalling({QStringLiteral("--size-exp"), QStringLiteral("9"),
                             QStringLiteral("--read-stall-after"), QStringLiteral("5")});
    const CliRun read = ws.interrupt(QStringList{QStringLiteral("read"), QStringLiteral("out.hex")} +
                                         board(stalling.device()),
                                     SIGINT, QStringLiteral("Reading..... 10%"));
    EXPECT_EQ(read.exitCode, 130) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains(QStringLiteral("Interrupted - read error"))) << read.err.toStdString();
    EXPECT_FALSE(read.err.contains(QStringLiteral("Time-out")));
    EXPECT_FALSE(ws.exists(QStringLiteral("out.hex")));
}

} // namespace
} // namespace zelko6::test
