// zelko6-cli's conversions read back by tools no one here wrote: python3-intelhex and srecord's
// srec_cat, and theirs read by ours.

#include "cli/CliProcess.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace zelko6::test {
namespace {

QStringList convert(const QString &in, const QString &out, const QStringList &more)
{
    return QStringList{QStringLiteral("convert"), in, out} + more;
}

bool runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

TEST(CliFilesTest, ConversionsAgreeWithAnIndependentTool)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(1 << 17, 7);
    ws.write(QStringLiteral("img.bin"), image);

    ASSERT_EQ(ws.run(convert(QStringLiteral("img.bin"), QStringLiteral("img.hex"),
                             {QStringLiteral("--chip"), QStringLiteral("24C1024")}))
                  .exitCode,
              0);
    EXPECT_EQ(bytesByIntelHexTool(ws.path(QStringLiteral("img.hex")), 1 << 17), image);

    // srec_cat's own Intel HEX, back to binary through ours.
    QProcess srec;
    srec.start(QStringLiteral("srec_cat"),
               {ws.path(QStringLiteral("img.bin")), QStringLiteral("-binary"), QStringLiteral("-o"),
                ws.path(QStringLiteral("srec.hex")), QStringLiteral("-intel")});
    ASSERT_TRUE(srec.waitForFinished(30000) && srec.exitCode() == 0)
        << "srec_cat is missing (package srecord)";
    ASSERT_EQ(ws.run(convert(QStringLiteral("srec.hex"), QStringLiteral("back.bin"),
                             {QStringLiteral("--size"), QStringLiteral("131072")}))
                  .exitCode,
              0);
    EXPECT_EQ(ws.read(QStringLiteral("back.bin")), image);
}

TEST(CliRecordFilesTest, AnIndependentToolAgreesBothWays)
{
    CliWorkspace ws;
    const QByteArray image = patternBytes(1 << 17, 11);
    ws.write(QStringLiteral("img.bin"), image);
    const QStringList chip{QStringLiteral("--chip"), QStringLiteral("24C1024")};

    ASSERT_EQ(ws.run(convert(QStringLiteral("img.bin"), QStringLiteral("img.s28"), chip)).exitCode, 0);
    ASSERT_TRUE(
        runTool(QStringLiteral("srec_cat"),
                {ws.path(QStringLiteral("img.s28")), QStringLiteral("-Motorola"), QStringLiteral("-o"),
                 ws.path(QStringLiteral("theirs.bin")), QStringLiteral("-Binary")}))
        << "srec_cat is missing (package srecord)";
    EXPECT_EQ(ws.read(QStringLiteral("theirs.bin")), image);

    // Theirs ends with a count record and no termination record: whole all the same.
    ASSERT_TRUE(runTool(QStringLiteral("srec_cat"),
                        {ws.path(QStringLiteral("img.bin")), QStringLiteral("-Binary"), QStringLiteral("-o"),
                         ws.path(QStringLiteral("theirs.srec")), QStringLiteral("-Motorola")}));
    const CliRun back = ws.run(convert(QStringLiteral("theirs.srec"), QStringLiteral("back.bin"), chip));
    EXPECT_EQ(back.exitCode, 0) << back.err.toStdString();
    EXPECT_EQ(linesOf(back.err), QStringList{QStringLiteral("File saved. back.bin")}) << "no warning";
    EXPECT_EQ(ws.read(QStringLiteral("back.bin")), image);
}

} // namespace
} // namespace zelko6::test
