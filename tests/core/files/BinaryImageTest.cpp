// Binary images: the file's length against the buffer's, and the atomic save.

#include "core/files/BinaryImage.h"
#include "core/files/ImageTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;
using Status = BinaryLoadOutcome::Status;

TEST(BinaryImage, LoadComparesTheFileLengthWithTheBuffer)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.bin"));
    const QByteArray file = bufferBytes(randomBuffer(9, 5));
    struct Case {
        qsizetype length;
        Status status;
    };
    for (const Case c : {Case{256, Status::Exact}, Case{100, Status::Shorter}, Case{0, Status::Shorter},
                         Case{257, Status::Longer}, Case{512, Status::Longer}}) {
        SCOPED_TRACE(c.length);
        ASSERT_TRUE(writeBytes(path, file.left(c.length)));
        // Contents that are neither the file's nor 0xFF, so that padding and refusal both show.
        MemoryBuffer buffer = randomBuffer(8, 6);
        const QByteArray before = bufferBytes(buffer);
        const BinaryLoadOutcome outcome = loadBinary(path, buffer);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.fileSize, c.length);
        if (c.status == Status::Longer)
            EXPECT_EQ(bufferBytes(buffer), before);
        else
            EXPECT_EQ(bufferBytes(buffer), file.left(c.length) + QByteArray(256 - c.length, char(0xFF)));
    }
    MemoryBuffer buffer = randomBuffer(8, 6);
    const QByteArray before = bufferBytes(buffer);
    EXPECT_EQ(loadBinary(dir.filePath(QStringLiteral("absent.bin")), buffer).status, Status::Unreadable);
    EXPECT_EQ(bufferBytes(buffer), before);
}

TEST(BinaryImage, SaveWritesEveryByteOrNothing)
{
    QTemporaryDir dir;
    const MemoryBuffer buffer = randomBuffer(12, 8);
    const QString path = dir.filePath(QStringLiteral("image.bin"));
    ASSERT_TRUE(writeBytes(path, QByteArray(100'000, 'x')));
    EXPECT_TRUE(saveBinary(buffer, path).saved);
    EXPECT_EQ(fileBytes(path), bufferBytes(buffer));

    // A folder where the file should go fails even for root; nothing is left beside it.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.bin")));
    const SaveOutcome outcome = saveBinary(buffer, dir.filePath(QStringLiteral("taken.bin")));
    EXPECT_FALSE(outcome.saved);
    EXPECT_FALSE(outcome.reason.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2);
}
