#include "core/files/FileFormats.h"

#include "core/files/IntelHex.h"
#include "core/files/SRecord.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <array>

namespace zelko6 {

namespace {

// The largest chip of the sample catalogue, the 24C1024: 2^17 bytes.
constexpr int64_t kLargestChipBytes = int64_t{1} << 17;
// Lines that hold no byte of the image: a header, comments, the end record.
constexpr int64_t kLinesWithoutBytes = 64 * 1024;

// Made on first use: the faces may ask while other static objects are made.
const std::array<FileFormat, 3> &formats()
{
    static const std::array<FileFormat, 3> table = {{
        // Intel HEX at its longest spends a record on each byte, ":01AAAA00DDCC" and CR LF (15
        // characters), with an address record before it, ":02000004UUUUCC" and CR LF (17).
        {ImageFormat::IntelHex,
         "hex",
         {QStringLiteral("hex"), QStringLiteral("ihx")},
         1,
         QT_TRANSLATE_NOOP("zelko6::QtFileDialogs", "Hexファイル"),
         15 + 17,
         [](QIODevice &device, MemoryBuffer &buffer) -> ImageReadOutcome {
             return readIntelHex(device, buffer);
         },
         intelHexText},
        // An S-record at its longest spends an S3 record with a 32-bit address on each byte,
        // "S306AAAAAAAADDCC" and CR LF.
        {ImageFormat::SRecord,
         "srec",
         {QStringLiteral("s19"), QStringLiteral("s28"), QStringLiteral("s37"), QStringLiteral("srec"),
          QStringLiteral("mot")},
         5,
         QT_TRANSLATE_NOOP("zelko6::QtFileDialogs", "S-recordファイル"),
         16 + 2,
         [](QIODevice &device, MemoryBuffer &buffer) -> ImageReadOutcome {
             return readSRecord(device, buffer);
         },
         sRecordText},
        // A binary image is the bytes themselves (and its reader stops one byte past the buffer).
        {ImageFormat::Binary,
         "bin",
         {QStringLiteral("bin")},
         1,
         QT_TRANSLATE_NOOP("zelko6::QtFileDialogs", "バイナリファイル"),
         1,
         [](QIODevice &device, MemoryBuffer &buffer) -> ImageReadOutcome {
             return readBinary(device, buffer);
         },
         binaryText},
    }};
    return table;
}

} // namespace

std::span<const FileFormat> fileFormats()
{
    return formats();
}

const FileFormat &fileFormat(ImageFormat format)
{
    return *std::find_if(formats().begin(), formats().end(),
                         [format](const FileFormat &row) { return row.format == format; });
}

std::optional<ImageFormat> formatOfName(const QString &name, UnknownSuffix unknown)
{
    const QString suffix = QFileInfo(name).suffix();
    for (const FileFormat &row : formats())
        if (row.suffixes.contains(suffix, Qt::CaseInsensitive))
            return row.format;
    if (unknown == UnknownSuffix::IsIntelHex)
        return ImageFormat::IntelHex;
    return std::nullopt;
}

std::optional<ImageFormat> formatOfWord(const QString &word)
{
    for (const FileFormat &row : formats())
        if (word == QLatin1String(row.word))
            return row.format;
    return std::nullopt;
}

int64_t longestImageFile(ImageFormat format, size_t imageBytes)
{
    const int64_t bytes = std::max(kLargestChipBytes, static_cast<int64_t>(imageBytes));
    return bytes * fileFormat(format).worstTextPerByte + kLinesWithoutBytes;
}

} // namespace zelko6
