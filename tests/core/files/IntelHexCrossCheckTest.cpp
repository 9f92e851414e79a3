// Cross-checks with Intel HEX tools no one here wrote: they must turn our files into our buffer,
// and we must turn their files into the same buffer. They also check our checksums strictly.

#include "core/files/BinaryImage.h"
#include "core/files/ImageTestSupport.h"
#include "core/files/IntelHex.h"
#include "core/files/ToolRun.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;

namespace {

// The Debian python3-intelhex module lives with the system interpreter, not any other on PATH.
const QString kPython = QStringLiteral("/usr/bin/python3");

// Arguments name the input "IN" and the output "OUT".
struct Tool {
    const char *name;
    QString program;
    QStringList hexToBinary;
    QStringList binaryToHex;
    int largestSizeExpWritten = 17;
};

const char kPythonRead[] =
    "import sys; from intelhex import IntelHex; IntelHex(sys.argv[1]).tobinfile(sys.argv[2])";
const char kPythonWrite[] =
    "import sys; from intelhex import IntelHex; ih = IntelHex(); ih.loadbin(sys.argv[1]); "
    "ih.write_hex_file(sys.argv[2])";

const Tool kTools[] = {
    {"srec_cat",
     "srec_cat",
     {"IN", "-Intel", "-o", "OUT", "-Binary"},
     {"IN", "-Binary", "-o", "OUT", "-Intel"}},
    {"srec_cat_255_byte_records",
     "srec_cat",
     {"IN", "-Intel", "-o", "OUT", "-Binary"},
     {"IN", "-Binary", "-o", "OUT", "-Intel", "-Output_Block_Size", "255"}},
    {"objcopy",
     "objcopy",
     {"-I", "ihex", "-O", "binary", "IN", "OUT"},
     {"-I", "binary", "-O", "ihex", "IN", "OUT"}},
    {"python3_intelhex", kPython, {"-c", kPythonRead, "IN", "OUT"}, {"-c", kPythonWrite, "IN", "OUT"}},
};

// Empty when the tool is there, else why it is not.
QString absence(const Tool &tool)
{
    if (QStandardPaths::findExecutable(tool.program).isEmpty())
        return tool.program + QStringLiteral(" is not installed");
    if (tool.program == kPython &&
        QProcess::execute(kPython, {QStringLiteral("-c"), QStringLiteral("import intelhex")}) != 0)
        return QStringLiteral("the intelhex module of ") + kPython + QStringLiteral(" is not installed");
    return {};
}

class IntelHexCrossCheck : public ::testing::TestWithParam<Tool> {
  protected:
    void SetUp() override
    {
        const QString why = absence(GetParam());
        if (!why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        ASSERT_TRUE(dir_.isValid());
    }
    QString file(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

} // namespace

TEST_P(IntelHexCrossCheck, TheyReadOurFilesAsOurBuffer)
{
    const Tool &tool = GetParam();
    for (const int sizeExp : {4, 16, 17}) {
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer image = randomBuffer(sizeExp, 100u + unsigned(sizeExp));
        ASSERT_TRUE(saveIntelHex(image, file("ours.hex")).saved);
        QFile::remove(file("theirs.bin"));
        ASSERT_NO_FATAL_FAILURE(run(tool.program, tool.hexToBinary, file("ours.hex"), file("theirs.bin")));
        EXPECT_EQ(fileBytes(file("theirs.bin")), bufferBytes(image));
    }
}

TEST_P(IntelHexCrossCheck, WeReadTheirFilesAsTheirBinary)
{
    const Tool &tool = GetParam();
    for (const int sizeExp : {4, 16, 17}) {
        if (sizeExp > tool.largestSizeExpWritten)
            continue;
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer image = randomBuffer(sizeExp, 200u + unsigned(sizeExp));
        ASSERT_TRUE(saveBinary(image, file("ours.bin")).saved);
        QFile::remove(file("theirs.hex"));
        ASSERT_NO_FATAL_FAILURE(run(tool.program, tool.binaryToHex, file("ours.bin"), file("theirs.hex")));
        MemoryBuffer buffer;
        buffer.recreate(sizeExp);
        const HexLoadOutcome outcome = loadIntelHex(file("theirs.hex"), buffer);
        EXPECT_TRUE(outcome.complete()) << int(outcome.status) << " at line " << outcome.line;
        EXPECT_EQ(bufferBytes(buffer), bufferBytes(image));
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, IntelHexCrossCheck, ::testing::ValuesIn(kTools),
                         [](const auto &info) { return std::string(info.param.name); });
