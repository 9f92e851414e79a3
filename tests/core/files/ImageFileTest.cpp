// Reading image files that would hang a careless reader: what is not a regular file is refused
// before it is opened, and a file is read no further than the longest file its format can have.

#include "core/files/ImageFile.h"
#include "core/base/ProgramFolder.h"
#include "core/files/ImageTestSupport.h"
#include "core/files/LongestFiles.h"
#include "support/HostileFiles.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelko6;
using namespace zelko6::test;
using Kind = FileRefusal::Kind;

namespace {

ImageFileRead readFile(const QString &path, int sizeExp)
{
    MemoryBuffer image;
    image.recreate(sizeExp);
    return readImageFile(path, *formatOfName(path, UnknownSuffix::IsIntelHex), image);
}

} // namespace

TEST(ImageFile, WhatIsNotARegularFileOrTooLongIsRefusedWithoutHanging)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString fifo = folder.filePath(QStringLiteral("fifo.hex"));
    if (!systemHasHostileFiles())
        GTEST_SKIP() << kNoHostileFiles;
    ASSERT_TRUE(makeFifo(fifo));
    ASSERT_TRUE(folder.mkdir(QStringLiteral("folder.s19")));
    const int64_t limit = longestImageFile(ImageFormat::IntelHex, 256);
    ASSERT_TRUE(makeSparseFile(folder.filePath(QStringLiteral("long.hex")), limit + 1));
    ASSERT_TRUE(makeSparseFile(folder.filePath(QStringLiteral("limit.hex")), limit));

    const struct {
        QString path;
        Kind refusal;
    } cases[] = {
        {endlessFileIn(folder, QStringLiteral("z.s19")), Kind::NotAFile},
        {fifo, Kind::NotAFile},
        {folder.filePath(QStringLiteral("folder.s19")), Kind::Folder},
        {folder.filePath(QStringLiteral("absent.hex")), Kind::CannotOpen},
        {folder.filePath(QStringLiteral("long.hex")), Kind::TooLong},
        {folder.filePath(QStringLiteral("limit.hex")), Kind::None},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ImageFileRead read;
        EXPECT_TRUE(endsWithoutAWriter(fifo, [&] { read = readFile(c.path, 8); }));
        EXPECT_EQ(read.refusal.kind, c.refusal);
        EXPECT_EQ(read.refusal.limit, c.refusal == Kind::TooLong ? limit : 0);
        EXPECT_EQ(read.refusal.reason.isEmpty(), c.refusal != Kind::CannotOpen);
    }
    EXPECT_EQ(refusalBeforeOpening(fifo).kind, Kind::NotAFile);
    // The overwrite question asks FileExists of a name chosen to save to: a FIFO must not hold it.
    EXPECT_TRUE(endsWithoutAWriter(fifo, [&] { EXPECT_TRUE(FileExists(fifo)); }));
    EXPECT_EQ(refusalBeforeOpening(folder.filePath(QStringLiteral("long.hex"))).kind, Kind::None);
}

TEST(ImageFile, AStreamThatNeverEndsIsReadUpToTheBound)
{
    for (const FileFormat &format : fileFormats()) {
        QFile zero(QStringLiteral("/dev/zero"));
        ASSERT_TRUE(zero.open(QIODevice::ReadOnly));
        MemoryBuffer image;
        image.recreate(8);
        const ImageFileRead read = readImageFrom(zero, format.format, image);
        // A binary image's reader stops one byte past the buffer by itself: the file is longer.
        const bool binary = format.format == ImageFormat::Binary;
        EXPECT_EQ(read.refusal.kind, binary ? Kind::None : Kind::TooLong) << format.word;
        EXPECT_EQ(read.refusal.limit, binary ? 0 : longestImageFile(format.format, 256)) << format.word;
    }
}

TEST(ImageFile, TheLongestFileOfTheLargestChipLoadsAndOneByteMoreIsRefused)
{
    const MemoryBuffer image = randomBuffer(17, 23);
    const struct {
        ImageFormat format;
        QByteArray text;
    } cases[] = {
        {ImageFormat::IntelHex, longestIntelHex(image)},
        {ImageFormat::SRecord, longestSRecord(image)},
    };
    for (const auto &c : cases) {
        const int64_t limit = longestImageFile(c.format, image.size());
        SCOPED_TRACE(limit);
        // Lines that are no record fill the file up to the bound and then one byte past it.
        QByteArray text = c.text + QByteArray(limit - c.text.size() - 2, 'x') + "\r\n";
        for (const int64_t extra : {0, 1}) {
            QByteArray file = text + QByteArray(extra, '\n');
            QBuffer device(&file);
            ASSERT_TRUE(device.open(QIODevice::ReadOnly));
            MemoryBuffer loaded;
            loaded.recreate(17);
            const ImageFileRead read = readImageFrom(device, c.format, loaded);
            if (extra == 0) {
                ASSERT_FALSE(read.refusal.refused());
                const auto &outcome = std::get<HexLoadOutcome>(read.outcome);
                EXPECT_TRUE(outcome.complete() && !outcome.damage.found());
                EXPECT_EQ(bufferBytes(loaded), bufferBytes(image));
            } else {
                EXPECT_EQ(read.refusal.kind, Kind::TooLong);
            }
        }
    }
}
