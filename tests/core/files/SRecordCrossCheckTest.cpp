// Cross-checks with S-record tools no one here wrote, for every chip size: they must turn our files
// into our buffer, and we must turn their files (S1, S2 and S3 records, 16- and 32-byte records,
// count records instead of termination records, gaps in the data) into the same buffer, with no
// damage found in them. The tools also check our counts and checksums strictly.

#include "core/files/BinaryImage.h"
#include "core/files/ImageTestSupport.h"
#include "core/files/SRecord.h"
#include "core/files/ToolRun.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;

namespace {

// Arguments name the input "IN" and the output "OUT".
struct Tool {
    const char *name;
    QString program;
    QStringList recordsToBinary;
    QStringList binaryToRecords;
    // What their file for a chip of 2^sizeExp bytes must hold, or the case tests less than it says:
    // the address bytes of the data records, and the data bytes in a full record.
    int (*addressBytes)(int sizeExp);
    int recordBytes;
};

int fittingAddress(int sizeExp)
{
    return sizeExp > 16 ? 3 : 2;
}
int fourByteAddress(int)
{
    return 4;
}

const QStringList kSrecCatRead = {"IN", "-Motorola", "-o", "OUT", "-Binary"};
const QStringList kObjcopyRead = {"-I", "srec", "-O", "binary", "IN", "OUT"};

const Tool kTools[] = {
    // A count record at the end and no termination record.
    {"srec_cat", "srec_cat", kSrecCatRead, {"IN", "-Binary", "-o", "OUT", "-Motorola"}, fittingAddress, 32},
    {"srec_cat_S3_with_S7",
     "srec_cat",
     kSrecCatRead,
     {"IN", "-Binary", "-o", "OUT", "-Motorola", "-Address_Length=4", "-Execution_Start_Address=0"},
     fourByteAddress,
     32},
    {"srec_cat_16_byte_records",
     "srec_cat",
     kSrecCatRead,
     {"IN", "-Binary", "-o", "OUT", "-Motorola", "-Output_Block_Size=16", "-Execution_Start_Address=0"},
     fittingAddress,
     16},
    {"objcopy", "objcopy", kObjcopyRead, {"-I", "binary", "-O", "srec", "IN", "OUT"}, fittingAddress, 16},
    {"objcopy_S3_32_byte_records",
     "objcopy",
     kObjcopyRead,
     {"-I", "binary", "-O", "srec", "--srec-forceS3", "--srec-len", "32", "IN", "OUT"},
     fourByteAddress,
     32},
};

// Their file must load complete, undamaged, as `expected`.
void expectLoads(const QString &path, const MemoryBuffer &expected, int sizeExp)
{
    MemoryBuffer buffer;
    buffer.recreate(sizeExp);
    const HexLoadOutcome outcome = loadSRecord(path, buffer);
    EXPECT_TRUE(outcome.complete()) << int(outcome.status) << " at line " << outcome.line;
    EXPECT_FALSE(outcome.damage.found()) << int(outcome.damage.kind) << " at line " << outcome.damage.line;
    EXPECT_EQ(bufferBytes(buffer), bufferBytes(expected));
}

// Test names say which tool; the rest of the case is not worth printing.
[[maybe_unused]] void PrintTo(const Tool &tool, std::ostream *out)
{
    *out << tool.name;
}

class SRecordCrossCheck : public ::testing::TestWithParam<Tool> {
  protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(GetParam().program).isEmpty())
            GTEST_SKIP() << GetParam().program.toStdString() << " is not installed";
        ASSERT_TRUE(dir_.isValid());
    }
    QString file(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

} // namespace

TEST_P(SRecordCrossCheck, TheyReadOurFilesAsOurBuffer)
{
    const Tool &tool = GetParam();
    for (int sizeExp = 4; sizeExp <= 17; ++sizeExp) {
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer image = randomBuffer(sizeExp, 300u + unsigned(sizeExp));
        ASSERT_TRUE(saveSRecord(image, file("ours.s19")).saved);
        QFile::remove(file("theirs.bin"));
        ASSERT_NO_FATAL_FAILURE(
            run(tool.program, tool.recordsToBinary, file("ours.s19"), file("theirs.bin")));
        EXPECT_EQ(fileBytes(file("theirs.bin")), bufferBytes(image));
    }
}

TEST_P(SRecordCrossCheck, WeReadTheirFilesAsTheirBinary)
{
    const Tool &tool = GetParam();
    const QRegularExpression dataRecord(QStringLiteral("^S([123])([0-9A-F]{2})"),
                                        QRegularExpression::MultilineOption);
    for (int sizeExp = 4; sizeExp <= 17; ++sizeExp) {
        SCOPED_TRACE(sizeExp);
        const MemoryBuffer image = randomBuffer(sizeExp, 400u + unsigned(sizeExp));
        ASSERT_TRUE(saveBinary(image, file("ours.bin")).saved);
        QFile::remove(file("theirs.srec"));
        ASSERT_NO_FATAL_FAILURE(
            run(tool.program, tool.binaryToRecords, file("ours.bin"), file("theirs.srec")));

        // Their last data record, at the highest addresses, is of the kind this case is for.
        QRegularExpressionMatch last;
        for (auto records = dataRecord.globalMatch(QString::fromLatin1(fileBytes(file("theirs.srec"))));
             records.hasNext();)
            last = records.next();
        ASSERT_TRUE(last.hasMatch());
        EXPECT_EQ(last.captured(1).toInt() + 1, tool.addressBytes(sizeExp)) << "S1, S2, S3: 2, 3, 4 bytes";
        EXPECT_EQ(last.captured(2).toInt(nullptr, 16),
                  tool.addressBytes(sizeExp) + std::min(tool.recordBytes, 1 << sizeExp) + 1);

        expectLoads(file("theirs.srec"), image, sizeExp);
    }
}

// Data with gaps: two stretches cut out of the image by one tool, then rewritten by the other.
TEST(SRecordCrossCheckSparse, GapsStayErased)
{
    for (const char *program : {"srec_cat", "objcopy"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            GTEST_SKIP() << program << " is not installed";
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("image.bin"));
    const QString sparse = dir.filePath(QStringLiteral("sparse.srec"));
    const QString rewritten = dir.filePath(QStringLiteral("rewritten.srec"));
    for (int sizeExp = 4; sizeExp <= 17; ++sizeExp) {
        SCOPED_TRACE(sizeExp);
        const size_t size = size_t{1} << sizeExp;
        const MemoryBuffer image = randomBuffer(sizeExp, 500u + unsigned(sizeExp));
        ASSERT_TRUE(saveBinary(image, bin).saved);
        const size_t ranges[2][2] = {{size / 16, size / 4}, {size / 2 + 1, size - 1}};
        MemoryBuffer expected = erasedBuffer(sizeExp);
        QStringList crop;
        for (const auto &range : ranges) {
            crop << QString::number(range[0]) << QString::number(range[1]);
            std::copy(image.data() + range[0], image.data() + range[1], expected.data() + range[0]);
        }
        ASSERT_NO_FATAL_FAILURE(
            run(QStringLiteral("srec_cat"),
                QStringList{"IN", "-Binary", "-crop"} + crop + QStringList{"-o", "OUT", "-Motorola"}, bin,
                sparse));
        ASSERT_NO_FATAL_FAILURE(
            run(QStringLiteral("objcopy"), {"-I", "srec", "-O", "srec", "IN", "OUT"}, sparse, rewritten));
        expectLoads(sparse, expected, sizeExp);
        expectLoads(rewritten, expected, sizeExp);
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, SRecordCrossCheck, ::testing::ValuesIn(kTools),
                         [](const auto &info) { return std::string(info.param.name); });
