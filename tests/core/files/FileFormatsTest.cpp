// The table of image formats: which name and which word picks which format under either rule, and
// that every row's writer and reader belong together.

#include "core/files/FileFormats.h"
#include "core/files/ImageTestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <optional>
#include <set>

using namespace zelko6;
using namespace zelko6::test;

TEST(FileFormats, TheNameDecidesUnderEitherRule)
{
    using F = ImageFormat;
    const struct {
        const char *name;
        std::optional<ImageFormat> strict; // the command line's rule; the window's is this or Intel HEX
    } cases[] = {
        {"a/B.HEX", F::IntelHex},    {"x.ihx", F::IntelHex},     {"x.Bin", F::Binary},
        {"a.s19", F::SRecord},       {"a.S28", F::SRecord},      {"dir/a.s37", F::SRecord},
        {"a.SREC", F::SRecord},      {"a.mot", F::SRecord},      {"x.hex.srec", F::SRecord},
        {"x.srec.bin", F::Binary},   {"a.txt", std::nullopt},    {"hex", std::nullopt},
        {"a.s19.bak", std::nullopt}, {"srec/a", std::nullopt},   {"a.s1", std::nullopt},
        {"a.s190", std::nullopt},    {"x.bin.gz", std::nullopt}, {"bin/x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(formatOfName(name, UnknownSuffix::Refused), c.strict) << c.name;
        EXPECT_EQ(formatOfName(name, UnknownSuffix::IsIntelHex), c.strict.value_or(F::IntelHex)) << c.name;
    }
    EXPECT_EQ(formatOfWord(QStringLiteral("hex")), F::IntelHex);
    EXPECT_EQ(formatOfWord(QStringLiteral("srec")), F::SRecord);
    EXPECT_EQ(formatOfWord(QStringLiteral("bin")), F::Binary);
    for (const char *word : {"HEX", "s19", "ihx", ""})
        EXPECT_EQ(formatOfWord(QString::fromLatin1(word)), std::nullopt) << word;
}

TEST(FileFormats, EveryRowOwnsItsNamesAndReadsWhatItWrites)
{
    const MemoryBuffer image = randomBuffer(9, 11);
    std::set<QString> suffixes;
    for (const FileFormat &format : fileFormats()) {
        SCOPED_TRACE(format.word);
        EXPECT_EQ(&fileFormat(format.format), &format);
        EXPECT_EQ(formatOfWord(QString::fromLatin1(format.word)), format.format);
        ASSERT_GE(format.suffixesInDialog, 1);
        ASSERT_LE(format.suffixesInDialog, format.suffixes.size());
        for (const QString &suffix : format.suffixes) {
            EXPECT_TRUE(suffixes.insert(suffix).second)
                << "a suffix of two formats: " << suffix.toStdString();
            EXPECT_EQ(formatOfName(QStringLiteral("x.") + suffix.toUpper(), UnknownSuffix::Refused),
                      format.format);
        }

        QByteArray text = format.write(image);
        QBuffer device(&text);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly));
        MemoryBuffer back;
        back.recreate(9);
        format.read(device, back);
        EXPECT_EQ(bufferBytes(back), bufferBytes(image));
    }
}
